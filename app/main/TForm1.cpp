// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TForm1.h"

#include "CipherMessages.h"
#include "Colours.h"
#include "DecipherDialog.h"
#include "FieldTrace.h"
#include "FocusHandOver.h"
#include "Fonts.h"
#include "FormZoom.h"
#include "KeyboardFocusInView.h"
#include "LabWindow.h"
#include "MainWindowState.h"
#include "MainWindowZoom.h"
#include "MarkedMemo.h"
#include "Messages.h"
#include "TextCodec.h"
#include "WholeText.h"
#include "WrapByText.h"
#include "ui_TForm1.h"

#include <cipher/Cleaning.h>
#include <cipher/Coding.h>
#include <cipher/Grouping.h>
#include <cipher/Square.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

using bifid::Dimension;
using Gating::Stage;

namespace {

const QString kFiveGroups = QStringLiteral("Fünfer-Gruppen");
const QString kPairGroups = QStringLiteral("Zweier-Gruppen");
const QString kBlockText = QStringLiteral("Blocktext");
const QString kForwardLabel = QStringLiteral("gerade - aphabetisch");
const QString kReversedLabel = QStringLiteral("revers - umgekehrt aphabetisch");

using namespace Colours;

constexpr QPoint kDesignedPosition(247, 146);
constexpr QSize kClientArea(1413, 745);  // the status bar, 19 high, below it
constexpr int kStatusBarHeight = 19;
constexpr QSize kDesignedFrame(16, 36);  // the outer size is 1429 x 800
constexpr int kKeywordItemHeight = 18;

constexpr int kFirstCell6 = 0;  // the cells of both grids are numbered MatrixCell0 to MatrixCell60
constexpr int kFirstCell5 = 36;

struct PanelDefinition {
    int width;
    const char *text;
};
// Odd panels show values; even ones are fixed captions.
constexpr std::array<PanelDefinition, 15> kStatusPanels{{
    {110, "Länge Eingabetext:"},
    {50, ""},
    {150, "Länge bereinigter Text:"},
    {50, ""},
    {70, "Keyword:"},
    {300, ""},  // the default keyword, filled in from the list
    {90, "Keywordlänge:"},
    {20, "32"},
    {120, "bereinigtes Keyword:"},
    {200, ""},
    {130, "Fraktionierungstiefe :"},
    {20, "2"},
    {50, "Matrix"},
    {50, "6 X 6"},
    {50, ""},
}};
enum StatusPanel {
    RawLengthPanel = 1,
    CleanLengthPanel = 3,
    KeywordPanel = 5,
    KeywordLengthPanel = 7,
    CleanKeywordPanel = 9,
    DepthPanel = 11,
    DimensionPanel = 13
};

// Replaces the whole text as one edit of the memo's own undo stack, so that Ctrl+Z brings the text back
// that a step replaced or cleared.
void replaceUndoably(QPlainTextEdit *memo, const QString &text)
{
    QTextCursor cursor(memo->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    memo->moveCursor(QTextCursor::Start);
}

// Three display toggles can show the same caption ("Blocktext", twice "Zweier-Gruppen"); a screen reader
// hears which field each one groups. The captions on screen stay as they are.
constexpr const char *kGroupedField = "groupedField";

void nameAfterItsField(QAbstractButton *button)
{
    const QString field = button->property(kGroupedField).toString();
    if (!field.isEmpty())
        button->setAccessibleName(QStringLiteral("%1 (%2)").arg(button->text().remove(u'&'), field));
}

QString number(std::size_t value)
{
    return QString::number(qulonglong(value));
}

std::string bytesOf(const QString &text)
{
    return TextCodec::toCodePage(text);
}
QString textOf(std::string_view bytes)
{
    return TextCodec::fromCodePage(bytes);
}

}  // namespace

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TForm1>())
{
    ui->setupUi(this);
    for (QPlainTextEdit *memo : {ui->Memo1, ui->Memo2, ui->Memo3, ui->Memo4})
        Fonts::layOutWithoutShaping(memo);
    for (QPlainTextEdit *memo : {ui->Memo1, ui->Memo2, ui->Memo3, ui->Memo4})
        WrapByText::follow(memo);  // groups and typed words wrap at their blanks
    setWindowIcon(QIcon(QStringLiteral(":/icons/window.svg")));

    for (const PanelDefinition &panel : kStatusPanels)
        ui->StatusBar1->addPanel(panel.width, QString::fromUtf8(panel.text));
    ui->StatusBar1->setPanelText(KeywordPanel, ui->ComboBox1->currentText());
    for (int i = 0; i < ui->ComboBox1->count(); ++i)
        ui->ComboBox1->setItemData(i, QSize(0, kKeywordItemHeight), Qt::SizeHintRole);
    // A typed keyword stays as typed, and Enter takes it at once: no completion pops up in between.
    ui->ComboBox1->setCompleter(nullptr);
    ui->ComboBox1->lineEdit()->setAccessibleName(ui->ComboBox1->accessibleName());
    // A pasted keyword and its cleaned form stay whole.
    ui->ComboBox1->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    ui->Edit4->setMaxLength(std::numeric_limits<int>::max());
    // The insertion cell is UpDown1's position and nothing else: a number typed into Edit2 would stand
    // there while the square is built from another cell. So Edit2 only shows it, and its keys and
    // wheel step the up-down.
    ui->Edit2->setReadOnly(true);
    ui->UpDown1->setBuddy(ui->Edit2);
    for (QLineEdit *count : {ui->Edit1, ui->Edit9, ui->Edit3, ui->Edit8, ui->Edit7, ui->Edit6})
        WholeText::keepNumbersWhole(count);
    for (QLabel *caption : {ui->Label1, ui->Label3, ui->Label7})
        caption->setMinimumWidth(caption->width());  // they grow to the right from their designed width
    // The scroll area only frames the window on small screens: the keyboard scrolls it by moving the
    // focus between the controls, and it is no stop of its own.
    ui->ClientScroll->setFocusPolicy(Qt::NoFocus);
    new KeyboardFocusInView(ui->ClientScroll);
    ui->Memo1->setFocus();  // a pass begins with the plaintext

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);

    FormCreate();
    connectHandlers();
    offerExtraWindows({createDecipherAction(), createLabAction()});
    createTrace();
    // Last, so that the zoom knows every control the window made.
    m_zoom = new MainWindowZoom(*this, kClientArea, kStatusBarHeight, kDesignedFrame);
    connect(m_zoom, &MainWindowZoom::zoomed, this, &TForm1::followZoom);
    addAction(m_zoom->menu()->menuAction());
    Timer1->start();
}

// The trace goes first: it watches fields that the window's children take down with them.
TForm1::~TForm1()
{
    delete m_trace;
}

// The window is placed before it is first created, as the desktop expects of a new window.
void TForm1::setVisible(bool visible)
{
    if (visible && !m_placedOnScreen) {
        m_placedOnScreen = true;
        placeOnScreen();
    }
    QMainWindow::setVisible(visible);
}

// At 100 % and where designed when the screen holds the window; on a smaller screen at the zoom that
// shows all of it, and scrolled only below 70 %; at the zoom chosen last time if the user chose one.
void TForm1::placeOnScreen()
{
    m_zoom->openOnScreen(kDesignedPosition);
}

// What the zoom cannot know: the keyword list's item height, the count fields' fitted fonts, the
// captions that grow with their text, and the other windows, which take the zoom for their fonts.
void TForm1::followZoom(qreal factor)
{
    for (int i = 0; i < ui->ComboBox1->count(); ++i)
        ui->ComboBox1->setItemData(i, QSize(0, FormZoom::scaled(kKeywordItemHeight, factor)), Qt::SizeHintRole);
    for (QLineEdit *count : {ui->Edit1, ui->Edit9, ui->Edit3, ui->Edit8, ui->Edit7, ui->Edit6})
        WholeText::setZoom(count, factor);
    for (QLabel *caption : {ui->Label1, ui->Label3, ui->Label7})
        WholeText::fitToCaption(caption);
    if (m_decipherDialog)
        m_decipherDialog->setZoom(factor);
    if (m_labWindow)
        m_labWindow->setZoom(factor);
}

void TForm1::FormCreate()
{
    m_workbench.FractionDepth = 2;

    ui->GroupBox3->build(Dimension::Six, QStringLiteral("MatrixCell"), kFirstCell6, 0);
    ui->GroupBox2->build(Dimension::Five, QStringLiteral("MatrixCell"), kFirstCell5, 6);

    for (int k = 0; k < kFractionMemoCount; ++k) {
        auto *memo = new MarkedMemo(ui->GroupBox6);
        memo->setObjectName(QStringLiteral("FractionMemo%1").arg(k));
        memo->setGeometry(15, 20 + 110 * k, 400, 100);
        memo->setFont(Fonts::bold(QStringLiteral("Courier New"), 12));
        Fonts::layOutWithoutShaping(memo);
        QPalette palette = memo->palette();
        palette.setColor(QPalette::Base, kGreen);
        palette.setColor(QPalette::Text, kWhite);
        memo->setPalette(palette);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setWordWrapMode(QTextOption::WrapAnywhere);  // linear layout for long lines of digits
        memo->setTabChangesFocus(true);
        memo->setAccessibleName(QStringLiteral("Fraktionierungszeile %1").arg(k + 1));
        memo->setToolTip(QStringLiteral("Zeile %1 der Fraktionierung: jede d-te Ziffer der Koordinaten ab der %1., "
                                        "wobei d die Fraktionierungstiefe ist. Von Hand geänderte Ziffern gehen in den "
                                        "Cipher-Code ein.")
                             .arg(k + 1));
        memo->setProperty("tag", k);
        memo->setVisible(k < 2);
        FractionMemos[k] = memo;
    }
    for (const auto &[button, field] : {std::pair{ui->BitBtn6, "Klartext"}, std::pair{ui->BitBtn12, "Koordinaten"},
             std::pair{ui->BitBtn14, "Cipher-Code"}}) {
        button->setProperty(kGroupedField, QString::fromUtf8(field));
        nameAfterItsField(button);
    }
    // The two direction groups offer the same two captions.
    for (TRadioGroup *group : {ui->RadioGroup1, ui->RadioGroup2}) {
        const QString setting = group == ui->RadioGroup1 ? QStringLiteral("Keyword") : QStringLiteral("Restalphabet");
        for (QRadioButton *item : group->findChildren<QRadioButton *>())
            item->setAccessibleName(QStringLiteral("%1 %2").arg(setting, item->text()));
    }
    // The rows are read first in their group, above its buttons.
    QWidget *previous = ui->BitBtn11;
    for (QPlainTextEdit *memo : FractionMemos) {
        setTabOrder(previous, memo);
        previous = memo;
    }
    setTabOrder(previous, ui->BitBtn13);
}

void TForm1::connectHandlers()
{
    const auto onClick = [this](QAbstractButton *button, void (TForm1::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, [this, handler] { runGuarded(handler); });
    };
    onClick(ui->BitBtn1, &TForm1::BitBtn1Click);
    onClick(ui->BitBtn2, &TForm1::BitBtn2Click);
    onClick(ui->BitBtn3, &TForm1::BitBtn3Click);
    onClick(ui->BitBtn5, &TForm1::BitBtn5Click);
    onClick(ui->BitBtn6, &TForm1::BitBtn6Click);
    onClick(ui->BitBtn7, &TForm1::BitBtn7Click);
    onClick(ui->BitBtn8, &TForm1::BitBtn8Click);
    onClick(ui->BitBtn9, &TForm1::BitBtn9Click);
    onClick(ui->BitBtn10, &TForm1::BitBtn10Click);
    onClick(ui->BitBtn11, &TForm1::BitBtn11Click);
    onClick(ui->BitBtn12, &TForm1::BitBtn12Click);
    onClick(ui->BitBtn13, &TForm1::BitBtn13Click);
    onClick(ui->BitBtn14, &TForm1::BitBtn14Click);

    connect(ui->RadioGroup1, &TRadioGroup::clicked, this, [this] { runGuarded(&TForm1::RadioGroup1Click); });
    connect(ui->RadioGroup2, &TRadioGroup::clicked, this, [this] { runGuarded(&TForm1::RadioGroup2Click); });
    connect(ui->RadioGroup3, &TRadioGroup::clicked, this, [this] { runGuarded(&TForm1::RadioGroup3Click); });
    connect(ui->UpDown1, &TUpDown::clicked, this, [this] { runGuarded(&TForm1::UpDown1Click); });
    connect(ui->UpDown2, &TUpDown::clicked, this, [this] { runGuarded(&TForm1::UpDown2Click); });
    connect(ui->ComboBox1, &QComboBox::editTextChanged, this, [this] { runGuarded(&TForm1::ComboBox1Change); });
    connect(ui->ComboBox1, &QComboBox::currentIndexChanged, this, [this] { runGuarded(&TForm1::ComboBox1Change); });
    connect(Timer1, &QTimer::timeout, this, [this] { runGuarded(&TForm1::Timer1Timer); });
}

// After every handler, also one that failed, an open decipher dialog and the trace take what the handler
// changed, and the lab hears of it.
void TForm1::runGuarded(void (TForm1::*handler)())
{
    for (void (TForm1::*step)() : {handler, &TForm1::followInDecipherDialog, &TForm1::updateTrace}) {
        try {
            (this->*step)();
        } catch (const StepError &error) {
            Messages::showError(this, error.message());
        } catch (const std::bad_alloc &) {
            Messages::showError(this, QStringLiteral("Für diesen Schritt reicht der Arbeitsspeicher nicht aus"));
        } catch (const std::exception &error) {
            Messages::showError(this, QString::fromLocal8Bit(error.what()));
        }
    }
    if (m_labView)
        emit m_labView->changed();
}

// Enter in a field that does not take Enter itself clicks the next step of the workflow; when no step
// is open it clicks the first open display toggle.
void TForm1::closeEvent(QCloseEvent *event)
{
    if (m_labWindow && m_labWindow->isVisible() && !m_labWindow->close()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TForm1::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return QMainWindow::keyPressEvent(event);
    for (TBitBtn *button :
        {ui->BitBtn1, ui->BitBtn7, ui->BitBtn5, ui->BitBtn11, ui->BitBtn13, ui->BitBtn6, ui->BitBtn12, ui->BitBtn14}) {
        if (button->isDefaultKind() && button->isEnabled()) {
            button->click();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

void TForm1::applyGating(Gating::Stage stage)
{
    using Gating::Change;
    // A stage that moves the focus on moves it once: a control it closes lets the focus go first.
    const bool movesFocus = std::any_of(std::begin(Gating::kChanges), std::end(Gating::kChanges),
        [stage](const Gating::ControlChange &row) { return row.stage == stage && row.change == Change::Focus; });
    for (const Gating::ControlChange &row : Gating::kChanges) {
        if (row.stage != stage)
            continue;
        if (row.control == Gating::Control::Timer1) {
            if (row.change == Change::Start)
                Timer1->start();
            else
                Timer1->stop();
            continue;
        }
        QWidget *widget = widgetOf(row.control);
        switch (row.change) {
        case Change::Enable: widget->setEnabled(true); break;
        case Change::Disable:
            if (movesFocus)
                FocusHandOver::release(widget);
            widget->setEnabled(false);
            break;
        case Change::Show: widget->show(); break;
        case Change::Hide: widget->hide(); break;
        case Change::Focus: widget->setFocus(); break;
        case Change::Caption:
            static_cast<QAbstractButton *>(widget)->setText(QString::fromUtf8(row.caption));
            nameAfterItsField(static_cast<QAbstractButton *>(widget));
            break;
        case Change::Start:
        case Change::Stop: break;  // only the timer starts and stops
        }
    }
}

QWidget *TForm1::widgetOf(Gating::Control control) const
{
    using Gating::Control;
    switch (control) {
    case Control::BitBtn1: return ui->BitBtn1;
    case Control::BitBtn2: return ui->BitBtn2;
    case Control::BitBtn3: return ui->BitBtn3;
    case Control::BitBtn5: return ui->BitBtn5;
    case Control::BitBtn6: return ui->BitBtn6;
    case Control::BitBtn7: return ui->BitBtn7;
    case Control::BitBtn8: return ui->BitBtn8;
    case Control::BitBtn9: return ui->BitBtn9;
    case Control::BitBtn10: return ui->BitBtn10;
    case Control::BitBtn11: return ui->BitBtn11;
    case Control::BitBtn12: return ui->BitBtn12;
    case Control::BitBtn13: return ui->BitBtn13;
    case Control::BitBtn14: return ui->BitBtn14;
    case Control::BitBtn15: return ui->BitBtn15;
    case Control::RadioGroup1: return ui->RadioGroup1;
    case Control::RadioGroup2: return ui->RadioGroup2;
    case Control::RadioGroup3: return ui->RadioGroup3;
    case Control::ComboBox1: return ui->ComboBox1;
    case Control::UpDown1: return ui->UpDown1;
    case Control::UpDown2: return ui->UpDown2;
    case Control::Label5: return ui->Label5;
    case Control::Timer1: break;  // not a widget
    }
    return nullptr;
}

Dimension TForm1::dimension() const
{
    return ui->RadioGroup3->itemIndex() == 0 ? Dimension::Six : Dimension::Five;
}

SquareGrid *TForm1::gridOf(Dimension dimension) const
{
    return dimension == Dimension::Six ? ui->GroupBox3 : ui->GroupBox2;
}

// The square as the cells of the chosen grid show it.
bifid::Square TForm1::squareShown() const
{
    return gridOf(dimension())->shownSquare().square;
}

// ---- Steering -------------------------------------------------------------------------------------

void TForm1::BitBtn3Click()
{
    for (QPlainTextEdit *memo : FractionMemos)
        replaceUndoably(memo, QString());
    ui->Label7->setText(QStringLiteral("???"));
    WholeText::fitToCaption(ui->Label7);
    applyGating(Stage::ResetOpensTheChoices);
    for (QLineEdit *edit : {ui->Edit1, ui->Edit4, ui->Edit5, ui->Edit9})
        edit->setText(QStringLiteral("???"));
    applyGating(Stage::ResetClosesTheSteps);
    ui->StatusBar1->setPanelText(RawLengthPanel, QStringLiteral("???"));
    ui->StatusBar1->setPanelText(CleanLengthPanel, QStringLiteral("???"));
    ui->StatusBar1->setPanelText(CleanKeywordPanel, QString());
    for (QPlainTextEdit *memo : {ui->Memo1, ui->Memo2, ui->Memo3, ui->Memo4})
        replaceUndoably(memo, QString());
    m_workbench.CleanText.clear();
    m_workbench.CoordText.clear();
}

void TForm1::BitBtn2Click()
{
    replaceUndoably(ui->Memo1, QString());
    replaceUndoably(ui->Memo2, QString());
}

// Only the 6 X 6 square holds digits; a position beyond the smaller square moves to its last cell.
void TForm1::RadioGroup3Click()
{
    applyGating(Stage::DimensionChosen);
    const Dimension chosen = dimension();
    const int cells = bifid::cellCountOf(chosen);
    if (ui->UpDown1->position() > cells) {
        ui->UpDown1->setPosition(cells);
        ui->Edit2->setText(QString::number(cells));
    }
    ui->UpDown1->setMax(cells);
    const bool keepsDigits = chosen == Dimension::Six;
    ui->CheckBox1->setEnabled(keepsDigits);
    ui->CheckBox1->setChecked(keepsDigits);
    const QString name = CipherMessages::sizeName(chosen);
    ui->StatusBar1->setPanelText(DimensionPanel, name);
    ui->Label4->setText(name);
    ui->Label6->setText(name + QStringLiteral(" - Matrix-Codierter Text"));
    ui->GroupBox2->setVisible(chosen == Dimension::Five);
    ui->GroupBox3->setVisible(chosen == Dimension::Six);
}

void TForm1::RadioGroup1Click()
{
    ui->Label1->setText(ui->RadioGroup1->itemIndex() == 0 ? kForwardLabel : kReversedLabel);
    WholeText::fitToCaption(ui->Label1);
}

void TForm1::RadioGroup2Click()
{
    ui->Label3->setText(ui->RadioGroup2->itemIndex() == 0 ? kForwardLabel : kReversedLabel);
    WholeText::fitToCaption(ui->Label3);
}

void TForm1::UpDown1Click()
{
    ui->Edit2->setText(QString::number(ui->UpDown1->position()));
}

void TForm1::Timer1Timer()
{
    ui->Label5->setVisible(!ui->Label5->isVisible());
}

// ---- Plaintext ------------------------------------------------------------------------------------

void TForm1::BitBtn1Click()
{
    applyGating(Stage::CleaningStarts);
    const std::string input = bytesOf(ui->Memo1->toPlainText());
    ui->StatusBar1->setPanelText(RawLengthPanel, number(input.size()));
    ui->Edit1->setText(number(input.size()));
    m_workbench.GroupCount = int(input.size());
    applyGating(Stage::InputCounted);
    if (input.empty()) {
        m_workbench.CleanText.clear();  // holds no text, and never the count "0"
        Messages::showMessage(
            this, QStringLiteral("Achtung"), QStringLiteral("Die Eingabeseite darf nicht leer sein!"));
        applyGating(Stage::EmptyInputRejected);
        return;
    }
    m_workbench.CleanText = bifid::cleanText(input, ui->CheckBox1->isChecked(), dimension());
    replaceUndoably(ui->Memo1, textOf(m_workbench.CleanText));
    m_workbench.GroupCount = int(m_workbench.CleanText.size());
    ui->Edit9->setText(number(m_workbench.CleanText.size()));
    ui->StatusBar1->setPanelText(CleanLengthPanel, number(m_workbench.CleanText.size()));
    applyGating(Stage::InputCleaned);
}

// ---- Display toggles ------------------------------------------------------------------------------

// The caption is the toggle's state: the group caption groups, any other caption shows the block.
void TForm1::toggleGroups(TBitBtn *button, const QString &groupCaption, QPlainTextEdit *memo, const std::string &text,
    std::size_t groupSize, int &count)
{
    count = int(text.size());
    if (button->text() == groupCaption) {
        button->setText(kBlockText);
        const std::string grouped = bifid::groupText(text, groupSize);
        count = int(grouped.size());
        memo->setPlainText(textOf(grouped));
    } else {
        button->setText(groupCaption);
        memo->setPlainText(textOf(text));
    }
    nameAfterItsField(button);
}

void TForm1::BitBtn6Click()
{
    toggleGroups(ui->BitBtn6, kFiveGroups, ui->Memo1, m_workbench.CleanText, 5, m_workbench.GroupCount);
}

void TForm1::BitBtn12Click()
{
    toggleGroups(ui->BitBtn12, kPairGroups, ui->Memo2, m_workbench.CoordText, 2, m_workbench.CoordGroupCount);
}

void TForm1::BitBtn14Click()
{
    toggleGroups(ui->BitBtn14, kPairGroups, ui->Memo4, m_workbench.CipherCode, 2, m_workbench.GroupCount);
}

// ---- Keyword and square ---------------------------------------------------------------------------

// The number of the chosen entry, counted from 1. Typing a text that is no entry chooses none ("0");
// entries 22 and 52 share a text, so the entry picked last counts while the field still shows it.
void TForm1::ComboBox1Change()
{
    const QComboBox *list = ui->ComboBox1;
    int chosen = list->currentIndex();
    if (chosen < 0 || list->itemText(chosen) != list->currentText())
        chosen = list->findText(list->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    ui->Edit7->setText(QString::number(chosen + 1));
}

void TForm1::BitBtn7Click()
{
    ui->Edit3->setText(number(bytesOf(ui->ComboBox1->currentText()).size()));
    applyGating(Stage::KeywordTaken);
}

void TForm1::BitBtn5Click()
{
    const Dimension chosen = dimension();
    gridOf(chosen)->showSquare({bifid::Square(chosen), {}});
    const QString keyword = ui->ComboBox1->currentText();
    ui->StatusBar1->setPanelText(KeywordPanel, keyword);
    applyGating(Stage::ReferenceSquareShown);
    m_workbench.RawKeyword = bytesOf(keyword);
    ui->StatusBar1->setPanelText(KeywordLengthPanel, number(m_workbench.RawKeyword.size()));
    m_workbench.CleanKeyword = bifid::cleanKeyword(m_workbench.RawKeyword, chosen);
    ui->Edit4->setText(textOf(m_workbench.CleanKeyword));
    ui->StatusBar1->setPanelText(CleanKeywordPanel, ui->Edit4->text());
    ui->Edit8->setText(number(m_workbench.CleanKeyword.size()));
}

void TForm1::BitBtn8Click()
{
    applyGating(Stage::SquareGenerationStarts);
    const bifid::SquareLayout layout{
        .dimension = dimension(),
        .keywordDirection = ui->RadioGroup1->itemIndex() == 0 ? bifid::Direction::Forward : bifid::Direction::Reversed,
        .restDirection = ui->RadioGroup2->itemIndex() == 0 ? bifid::Direction::Forward : bifid::Direction::Reversed,
        .insertionPosition = ui->UpDown1->position(),
    };
    m_workbench.BaseAlphabet = std::string(bifid::baseAlphabet(layout.dimension));
    m_workbench.MatrixText = std::string(std::size_t(bifid::cellCountOf(layout.dimension)), '?');

    const bool reversedKeyword = layout.keywordDirection == bifid::Direction::Reversed;
    const bool reversedRest = layout.restDirection == bifid::Direction::Reversed;
    Messages::showMessage(this, QStringLiteral("Aktueller Matrix-Generator"),
        QStringLiteral("%1-Matrix, Fall %2, Keyword %3 - Restalphabet %4!")
            .arg(CipherMessages::sizeName(layout.dimension))
            .arg(bifid::arrangementNumber(layout))
            .arg(reversedKeyword ? "revers" : "gerade")
            .arg(reversedRest ? "revers" : "gerade"));

    const bifid::KeyedSquare square = bifid::generateSquare(layout, m_workbench.CleanKeyword);
    gridOf(layout.dimension)->showSquare(square);
    m_workbench.MatrixText = square.square.cells();
    ui->Edit5->setText(textOf(m_workbench.MatrixText));
}

// ---- Bifid coding ---------------------------------------------------------------------------------

void TForm1::BitBtn10Click()
{
    applyGating(Stage::CodingStarts);
    m_workbench.CoordText.clear();
    const bifid::Result<std::string> coordinates = bifid::codeCoordinates(m_workbench.CleanText, squareShown());
    if (!coordinates.ok())
        throw StepError(CipherMessages::describe(*coordinates.error, dimension()));
    m_workbench.CoordText = coordinates.value;
    ui->Memo2->setPlainText(textOf(m_workbench.CoordText));
}

void TForm1::BitBtn11Click()
{
    for (QPlainTextEdit *memo : FractionMemos)
        memo->clear();
    applyGating(Stage::RowsCleared);
    const std::vector<std::string> rows = bifid::fractionate(m_workbench.CoordText, ui->UpDown2->position());
    for (std::size_t k = 0; k < rows.size(); ++k)
        FractionMemos[k]->setPlainText(textOf(rows[k]));
}

void TForm1::UpDown2Click()
{
    const int depth = ui->UpDown2->position();
    ui->Edit6->setText(QString::number(depth));
    if (depth < m_workbench.FractionDepth)
        FractionMemos[depth]->hide();
    else
        FractionMemos[depth - 1]->show();
    m_workbench.FractionDepth = depth;
    ui->StatusBar1->setPanelText(DepthPanel, QString::number(depth));
}

void TForm1::BitBtn13Click()
{
    m_workbench.CipherCode.clear();
    ui->Memo3->clear();
    ui->Memo4->clear();
    applyGating(Stage::CipherCodeCleared);
    const int depth = ui->UpDown2->position();
    std::vector<std::string> rows;
    rows.reserve(std::size_t(depth));
    for (int k = 0; k < depth; ++k)
        rows.push_back(bytesOf(FractionMemos[k]->toPlainText()));
    m_workbench.CipherCode = bifid::joinRows(rows);
    ui->Memo4->setPlainText(textOf(m_workbench.CipherCode));
}

void TForm1::BitBtn9Click()
{
    ui->Memo3->clear();
    applyGating(Stage::CiphertextCleared);
    const bifid::Result<std::string> ciphertext = bifid::readThroughSquare(m_workbench.CipherCode, squareShown());
    if (!ciphertext.ok())
        throw StepError(CipherMessages::describe(*ciphertext.error, dimension()));
    ui->Memo3->setPlainText(textOf(ciphertext.value));
}

// ---- Decipher walk-through ------------------------------------------------------------------------

bifid::KeyedSquare TForm1::shownKeyedSquare() const
{
    return gridOf(dimension())->shownSquare();
}

QAction *TForm1::createDecipherAction()
{
    auto *action = new QAction(QStringLiteral("Gegenprobe: entschlüsseln …"), this);
    action->setObjectName(QStringLiteral("DecipherAction"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    addAction(action);  // so that the shortcut works anywhere in the window
    connect(action, &QAction::triggered, this, [this] { runGuarded(&TForm1::openDecipherDialog); });

    // The ciphertext's context menu leads with the walk-through, above the editing entries.
    ui->Memo3->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->Memo3, &QWidget::customContextMenuRequested, this, [this, action](QPoint position) {
        QMenu *menu = ui->Memo3->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        QAction *firstStandardEntry = menu->actions().value(0);
        menu->insertAction(firstStandardEntry, action);
        menu->insertSeparator(firstStandardEntry);
        menu->popup(ui->Memo3->viewport()->mapToGlobal(position));
    });
    return action;
}

void TForm1::openDecipherDialog()
{
    if (!m_decipherDialog) {
        m_decipherDialog = new DecipherDialog(this);
        m_decipherDialog->setZoom(m_zoom->factor());
        connect(m_decipherDialog, &DecipherDialog::ciphertextWanted, this,
            [this] { m_decipherDialog->takeCiphertext(ui->Memo3->toPlainText()); });
    }
    m_decipherDialog->takeWindowState(
        ui->Memo3->toPlainText(), shownKeyedSquare(), ui->UpDown2->position(), m_workbench.CleanText);
    m_decipherDialog->show();
    m_decipherDialog->raise();
    m_decipherDialog->activateWindow();
}

// Runs after every handler and timer tick: the dialog compares and recomputes only on a change.
void TForm1::followInDecipherDialog()
{
    if (!m_decipherDialog || !m_decipherDialog->isVisible())
        return;
    // The ciphertext is read only when it changed: the timer runs this twice a second.
    std::optional<QString> ciphertext;
    if (const int revision = ui->Memo3->document()->revision(); revision != m_followedCiphertextRevision) {
        m_followedCiphertextRevision = revision;
        ciphertext = ui->Memo3->toPlainText();
    }
    m_decipherDialog->followWindow(ciphertext, shownKeyedSquare(), ui->UpDown2->position(), m_workbench.CleanText);
}

// ---- Lab ------------------------------------------------------------------------------------------

namespace {

// The window as the lab sees it: these three accessors and nothing else.
class LabView final : public MainWindowState {
public:
    explicit LabView(TForm1 &form)
        : MainWindowState(&form)
        , m_form(form)
    {
    }

    [[nodiscard]] std::optional<bifid::Square> shownSquare() const override { return m_form.shownSquare(); }
    [[nodiscard]] QStringList keywordChoices() const override { return m_form.keywordChoices(); }
    [[nodiscard]] QString cleanedKeyword() const override { return m_form.cleanedKeyword(); }
    [[nodiscard]] QString cleanedPlaintext() const override { return m_form.cleanedPlaintext(); }

private:
    const TForm1 &m_form;
};

}  // namespace

std::optional<bifid::Square> TForm1::shownSquare() const
{
    const bifid::Square square = squareShown();
    std::string cells = square.cells();
    std::sort(cells.begin(), cells.end());
    std::string alphabet(bifid::baseAlphabet(square.dimension()));
    std::sort(alphabet.begin(), alphabet.end());
    if (cells != alphabet)
        return std::nullopt;
    return square;
}

QStringList TForm1::keywordChoices() const
{
    QStringList choices;
    choices.reserve(ui->ComboBox1->count());
    for (int i = 0; i < ui->ComboBox1->count(); ++i)
        choices << ui->ComboBox1->itemText(i);
    return choices;
}

QString TForm1::cleanedKeyword() const
{
    return textOf(m_workbench.CleanKeyword);
}

QString TForm1::cleanedPlaintext() const
{
    return textOf(m_workbench.CleanText);
}

QAction *TForm1::createLabAction()
{
    auto *action = new QAction(QStringLiteral("Bifid-Labor …"), this);
    action->setObjectName(QStringLiteral("LabAction"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    addAction(action);  // so that the shortcut works anywhere in the window
    connect(action, &QAction::triggered, this, [this] { runGuarded(&TForm1::openLabWindow); });
    return action;
}

// A right click on anything that has no menu of its own (panels, captions, buttons) reaches the window.
void TForm1::offerExtraWindows(const QList<QAction *> &actions)
{
    QStringList named;
    for (QAction *action : actions) {
        action->setShortcutVisibleInContextMenu(true);
        named << QStringLiteral("„%1“ (%2)").arg(action->text(), action->shortcut().toString(QKeySequence::NativeText));
    }
    setContextMenuPolicy(Qt::ActionsContextMenu);
    const QString offer = QStringLiteral("%1 öffnen eigene Fenster: die Gegenprobe liest den Geheimtext Schritt für "
                                         "Schritt zurück, das Labor rechnet mit Periode, Block für Block. Beide stehen "
                                         "auch im Kontextmenü des Fensterhintergrunds (rechte Maustaste).")
                              .arg(named.join(QStringLiteral(" und ")));
    ui->Memo3->setToolTip(ui->Memo3->toolTip() + u' ' + offer);
    ui->StaticText3->setToolTip(offer);
}

void TForm1::openLabWindow()
{
    if (!m_labWindow) {
        m_labView = new LabView(*this);
        m_labWindow = new LabWindow(*m_labView, this);
        m_labWindow->setZoom(m_zoom->factor());
    }
    m_labWindow->bringToFront();
}

// ---- Trace ----------------------------------------------------------------------------------------

void TForm1::createTrace()
{
    using bifid::TraceField;
    std::vector<FieldTrace::Field> fields{{ui->Memo1, TraceField::Plaintext}, {ui->Memo2, TraceField::Coordinates}};
    for (int k = 0; k < kFractionMemoCount; ++k)
        fields.push_back({FractionMemos[std::size_t(k)], TraceField::Rows, k});
    fields.push_back({ui->Memo4, TraceField::CipherCode});
    fields.push_back({ui->Memo3, TraceField::Ciphertext});
    m_trace = new FieldTrace(std::move(fields), this);
    connect(m_trace, &FieldTrace::traced, this, &TForm1::markTracedCells);
    // A row edited by hand is traced by position, as the join reads it.
    for (QPlainTextEdit *memo : FractionMemos)
        connect(memo, &QPlainTextEdit::textChanged, this, &TForm1::updateTrace);
    for (QPlainTextEdit *memo : {ui->Memo1, ui->Memo2, ui->Memo3, ui->Memo4})
        connect(memo, &QPlainTextEdit::textChanged, this, &TForm1::updateTrace);
}

// What the fields show now: cheap enough for every handler and timer tick, and the trace marks anew
// only when it changed.
void TForm1::updateTrace()
{
    using bifid::TraceField;
    const auto slot = [](TraceField field) { return static_cast<std::size_t>(field); };
    const auto hasText = [](const QPlainTextEdit *memo) { return !memo->document()->isEmpty(); };
    FieldTrace::Shown shown;
    if (!m_workbench.CleanText.empty()) {
        std::vector<std::size_t> rowLengths;
        rowLengths.reserve(std::size_t(ui->UpDown2->position()));
        for (int k = 0; k < ui->UpDown2->position(); ++k)
            rowLengths.push_back(std::size_t(FractionMemos[std::size_t(k)]->document()->characterCount() - 1));
        shown.map.emplace(m_workbench.CleanText.size(), rowLengths);
    }
    shown.computed[slot(TraceField::Plaintext)] = !m_workbench.CleanText.empty() && hasText(ui->Memo1);
    shown.computed[slot(TraceField::Coordinates)] = !m_workbench.CoordText.empty() && hasText(ui->Memo2);
    shown.computed[slot(TraceField::Rows)] = std::any_of(FractionMemos.begin(), FractionMemos.end(), hasText);
    shown.computed[slot(TraceField::CipherCode)] = hasText(ui->Memo4);
    shown.computed[slot(TraceField::Ciphertext)] = hasText(ui->Memo3);
    // A toggle's caption says what its memo shows.
    shown.groupSize[slot(TraceField::Plaintext)] = ui->BitBtn6->text() == kBlockText ? 5 : 0;
    shown.groupSize[slot(TraceField::Coordinates)] = ui->BitBtn12->text() == kBlockText ? 2 : 0;
    shown.groupSize[slot(TraceField::CipherCode)] = ui->BitBtn14->text() == kBlockText ? 2 : 0;
    m_trace->setShown(std::move(shown));
}

// The cells of the traced plaintext and ciphertext letters get a frame.
void TForm1::markTracedCells(const std::vector<bifid::TraceMark> &marks)
{
    SquareGrid *grid = gridOf(dimension());
    const bifid::KeyedSquare shown = grid->shownSquare();
    const std::string &cells = shown.square.cells();
    std::bitset<36> traced;
    const auto markCellOf = [&](char letter) {
        if (const std::size_t cell = cells.find(letter); cell != std::string::npos)
            traced.set(cell);
    };
    for (const bifid::TraceMark &mark : marks) {
        if (mark.field == bifid::TraceField::Plaintext && mark.index < m_workbench.CleanText.size())
            markCellOf(m_workbench.CleanText[mark.index]);
        else if (mark.field == bifid::TraceField::Ciphertext)
            markCellOf(bytesOf(ui->Memo3->document()->characterAt(int(mark.index))).front());
    }
    grid->markCells(traced);
    gridOf(dimension() == Dimension::Six ? Dimension::Five : Dimension::Six)->markCells({});
}
