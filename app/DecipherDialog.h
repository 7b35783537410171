#pragma once

// The decipher walk-through ("Gegenprobe"): reads a ciphertext back through the square the main window
// shows, shows every inverse step in a field of its own and says whether the result is the main window's
// cleaned text. The dialog only tidies the typed ciphertext and shows the steps; bifid::decipher computes
// them. Every field follows the ciphertext and the depth as they change, and the square, depth and
// cleaned text of the main window while the dialog is open.

#include <cipher/Coding.h>
#include <cipher/Square.h>

#include <QAbstractListModel>
#include <QDialog>
#include <QListView>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class DecipherDialog;
}

// A step's text as a column of pieces of one width, so that its field lays out only the pieces in view:
// a text field would lay out a line of megabytes as a whole.
class StepModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // Each line starts a piece of its own; an unchanged text keeps the field's scroll place.
    void setLines(const QStringList &lines);
    void setPieceWidth(int characters);
    [[nodiscard]] const QStringList &lines() const { return m_lines; }
    // The pieces of these items, in their order, a line break between two lines.
    [[nodiscard]] QString textOf(QModelIndexList items) const;

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;

private:
    struct Piece {
        int line = 0;
        qsizetype start = 0;
    };
    [[nodiscard]] Piece pieceAt(int row) const;
    void countPieces();

    QStringList m_lines;
    std::vector<int> m_firstRows;  // the first item of each line
    int m_rowCount = 0;
    int m_pieceWidth = 60;
};

// A read-only field for a step's text: as wide pieces as fit, with selecting and copying as in a text field.
class StepList : public QListView {
    Q_OBJECT

public:
    explicit StepList(QWidget *parent = nullptr);

    void setLines(const QStringList &lines) { m_model.setLines(lines); }
    void clear() { m_model.setLines({}); }
    // The whole text, its lines joined by line breaks.
    [[nodiscard]] QString text() const { return m_model.lines().join(u'\n'); }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fitPieces();
    void copySelection() const;

    StepModel m_model;
};

class DecipherDialog : public QDialog {
    Q_OBJECT

public:
    explicit DecipherDialog(QWidget *parent = nullptr);
    ~DecipherDialog() override;

    // Ctrl+E: the main window's square, depth and cleaned text, and its ciphertext if the input is empty.
    void takeWindowState(
        const QString &ciphertext, const bifid::KeyedSquare &square, int depth, const std::string &cleanText);
    // After every handler of the main window: recomputes only what a change of these affects.
    void followWindow(const bifid::KeyedSquare &square, int depth, const std::string &cleanText);
    // Replaces the input with the main window's ciphertext.
    void takeCiphertext(const QString &ciphertext);

signals:
    void ciphertextWanted();

private:
    enum class Change { None, CleanText, Steps };
    Change takeState(const bifid::KeyedSquare &square, int depth, const std::string &cleanText);
    void inputChanged();
    void updateSteps();
    void showSteps();
    void clearSteps();
    void showVerdict();

    const std::unique_ptr<Ui::DecipherDialog> ui;
    bifid::KeyedSquare m_square;
    bool m_squareDrawn = false;
    int m_windowDepth = 0;  // the main window's depth when last seen; the dialog's own may differ
    std::string m_cleanText;
    bifid::DecipherSteps m_steps;  // kept, so that its buffers are reused from one change to the next
    bool m_readBack = false;  // the steps show a read-back
    QTimer m_typingPause;  // a long ciphertext is read back once the typing pauses
};
