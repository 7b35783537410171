// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The main window of the Bifid workbench. The fixed window is the Designer form TForm1.ui; this class
// builds the square cells, their header labels and the fraction memos at creation (FormCreate) and
// holds one handler per control event. A handler reads its controls, calls the pure cipher functions
// of cipher/, writes the results and then enables the next step, so the steps can only run in order.
// Texts cross between the controls and the cipher's Windows-1252 bytes through TextCodec only, and a
// handler's error ends the handler and is shown through Messages::showError only.

#include "Gating.h"

#include <cipher/Square.h>
#include <cipher/Trace.h>

#include <QMainWindow>

#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QPlainTextEdit;
class QTimer;
class DecipherDialog;
class FieldTrace;
class LabWindow;
class MainWindowState;
class MainWindowZoom;
class MarkedMemo;
class SquareGrid;
class TBitBtn;

namespace Ui {
class TForm1;
}

// The results that pass from one step to the next.
struct Workbench {
    std::string CleanText;
    std::string RawKeyword;
    std::string CleanKeyword;
    std::string BaseAlphabet;
    std::string MatrixText;
    std::string CoordText;
    std::string CipherCode;
    int FractionDepth = 2;
    int GroupCount = 0;  // length of the text the cleaning or a group toggle last produced
    int CoordGroupCount = 0;  // the same for the coordinate toggle, which keeps a count of its own
};

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    void setVisible(bool visible) override;

    [[nodiscard]] const Workbench &workbench() const { return m_workbench; }

    // What the lab reads of the window, through MainWindowState.
    // The square the chosen grid shows; none while its cells hold no permutation of the alphabet.
    [[nodiscard]] std::optional<bifid::Square> shownSquare() const;
    // The keyword list (ComboBox1's items), in its order.
    [[nodiscard]] QStringList keywordChoices() const;
    // The cleaned keyword and plaintext; empty before their cleaning.
    [[nodiscard]] QString cleanedKeyword() const;
    [[nodiscard]] QString cleanedPlaintext() const;

    static constexpr int kCellCount = 61;  // MatrixCell0 to MatrixCell60: 36 of the 6 X 6 grid, then 25
    static constexpr int kFractionMemoCount = 5;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // The lab closes first, so that it can keep an exercise the learner has not finished.
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void placeOnScreen();
    void followZoom(qreal factor);

    // Steering (workflow and reset)
    void BitBtn2Click();
    void BitBtn3Click();
    void RadioGroup1Click();
    void RadioGroup2Click();
    void RadioGroup3Click();
    void UpDown1Click();
    void Timer1Timer();

    // Plaintext and display toggles
    void BitBtn1Click();
    void BitBtn6Click();
    void BitBtn12Click();
    void BitBtn14Click();

    // Keyword and square
    void ComboBox1Change();
    void BitBtn7Click();
    void BitBtn5Click();
    void BitBtn8Click();

    // Bifid coding
    void BitBtn10Click();
    void BitBtn11Click();
    void UpDown2Click();
    void BitBtn13Click();
    void BitBtn9Click();

    void connectHandlers();
    // Runs a handler so that its error ends it and is shown, and never reaches Qt's event loop.
    void runGuarded(void (TForm1::*handler)());

    // Makes the control changes of one stage of a step, in their order.
    void applyGating(Gating::Stage stage);
    [[nodiscard]] QWidget *widgetOf(Gating::Control control) const;

    [[nodiscard]] bifid::Dimension dimension() const;
    [[nodiscard]] SquareGrid *gridOf(bifid::Dimension dimension) const;
    [[nodiscard]] bifid::Square squareShown() const;
    void toggleGroups(TBitBtn *button, const QString &groupCaption, QPlainTextEdit *memo, const std::string &text,
        std::size_t groupSize, int &count);

    const std::unique_ptr<Ui::TForm1> ui;
    QTimer *Timer1 = nullptr;
    std::array<MarkedMemo *, kFractionMemoCount> FractionMemos{};
    Workbench m_workbench;
    bool m_placedOnScreen = false;  // the first show places the window on its screen
    MainWindowZoom *m_zoom = nullptr;

    // The square the chosen grid shows, with its keyword cells.
    [[nodiscard]] bifid::KeyedSquare shownKeyedSquare() const;

    // Decipher walk-through
    QAction *createDecipherAction();
    void openDecipherDialog();
    void followInDecipherDialog();
    DecipherDialog *m_decipherDialog = nullptr;  // made on first use, then shown again
    int m_followedCiphertextRevision = -1;  // Memo3's revision the dialog last saw

    // The lab
    QAction *createLabAction();
    void openLabWindow();
    // The context menu of the window's background lists the extra windows, and the tooltips of the
    // ciphertext and of the title name them with their shortcuts.
    void offerExtraWindows(const QList<QAction *> &actions);
    LabWindow *m_labWindow = nullptr;  // made on first use, then brought to the front
    MainWindowState *m_labView = nullptr;  // the lab's view of the window, made with the lab

    // The trace of one character through the fields and the square
    void createTrace();
    void updateTrace();
    void markTracedCells(const std::vector<bifid::TraceMark> &marks);
    FieldTrace *m_trace = nullptr;
};
