// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DecipherDialog.h"

#include "Announce.h"
#include "CipherMessages.h"
#include "Colours.h"
#include "Fonts.h"
#include "PlainTextTrace.h"
#include "SquareGrid.h"
#include "TextCodec.h"
#include "TraceWords.h"
#include "ui_DecipherDialog.h"

#include <cipher/Coding.h>
#include <cipher/Normalize.h>

#include <QLabel>
#include <QSignalBlocker>
#include <QTextEdit>

#include <algorithm>
#include <bitset>
#include <functional>
#include <new>
#include <utility>

using bifid::Dimension;

namespace {

using namespace Colours;

// A text field lays out a line as a whole, and measures it whole for every blink of its cursor.
constexpr qsizetype kInputLine = 1000;

// The main window's ciphertext as the input shows it: a longer line is broken, which the read-back passes
// over, and a character of two code units stays whole.
QString inLines(QStringView text)
{
    QString lines;
    lines.reserve(text.size() + text.size() / kInputLine + 1);
    qsizetype run = 0;
    for (const QChar character : text) {
        if (character == u'\n') {
            run = 0;
        } else if (run >= kInputLine && !character.isLowSurrogate()) {
            lines += u'\n';
            run = 1;
        } else {
            ++run;
        }
        lines += character;
    }
    return lines;
}

bool isLayout(QChar character)
{
    return character.unicode() < 0x80 && bifid::isLayoutCharacter(char(character.unicode()));
}

}  // namespace

DecipherDialog::DecipherDialog(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::DecipherDialog>())
    , m_hover(std::bind_front(&DecipherDialog::startAt, this), std::bind_front(&DecipherDialog::showTrace, this))
{
    ui->setupUi(this);
    setTextColour(ui->DecipherError, kRed);
    ui->SquareBox->build(Dimension::Six, QStringLiteral("DecipherCell"));
    for (QWidget *field : std::initializer_list<QWidget *>{
             ui->DecipherInput, ui->DecipherCode, ui->DecipherRows, ui->DecipherCoordinates, ui->DecipherResult})
        Fonts::layOutWithoutShaping(field);
    connect(&m_typingPause, &QTimer::timeout, this, &DecipherDialog::updateSteps);
    connect(ui->DecipherInput, &QPlainTextEdit::textChanged, this, &DecipherDialog::inputChanged);
    connect(ui->DecipherInput, &QPlainTextEdit::cursorPositionChanged, this, &DecipherDialog::showTrace);
    m_hover.watch({ui->DecipherInput, ui->DecipherCode, ui->DecipherRows, ui->DecipherCoordinates, ui->DecipherResult});
    connect(ui->DecipherDepth, &QSpinBox::valueChanged, this, &DecipherDialog::updateSteps);
    connect(ui->DecipherTakeCiphertext, &QPushButton::clicked, this, &DecipherDialog::ciphertextWanted);
    connect(ui->DecipherClose, &QPushButton::clicked, this, &QDialog::close);
    m_zoom.emplace(this, FormZoom::Layout::Managed);
}

void DecipherDialog::setZoom(qreal factor)
{
    if (factor != m_zoom->factor())
        m_zoom->applyWithinScreen(factor);
}

DecipherDialog::~DecipherDialog() = default;

void DecipherDialog::takeWindowState(
    const QString &ciphertext, const bifid::KeyedSquare &square, int depth, const std::string &cleanText)
{
    const Change change = takeState(square, depth, cleanText);
    if (ui->DecipherInput->document()->isEmpty() || (m_windowCiphertext && ciphertext != *m_windowCiphertext))
        takeCiphertext(ciphertext);
    else if (change == Change::Steps)
        updateSteps();
    else if (change == Change::CleanText)
        showVerdict();
}

void DecipherDialog::followWindow(
    const std::optional<QString> &ciphertext, const bifid::KeyedSquare &square, int depth, const std::string &cleanText)
{
    const Change change = takeState(square, depth, cleanText);
    if (m_windowCiphertext && ciphertext && !ciphertext->isEmpty() && *ciphertext != *m_windowCiphertext) {
        takeCiphertext(*ciphertext);
        return;
    }
    switch (change) {
    case Change::None: break;
    case Change::CleanText: showVerdict(); break;
    case Change::Steps: updateSteps(); break;
    }
}

void DecipherDialog::takeCiphertext(const QString &ciphertext)
{
    {
        const QSignalBlocker blocker(ui->DecipherInput);  // one computation, not one per change of the field
        ui->DecipherInput->setPlainText(inLines(ciphertext));
    }
    m_windowCiphertext = ciphertext;
    updateSteps();
}

// Takes what changed without computing anything: the caller computes once for all of it. Comparing
// the cleaned text reads it but copies it only when it changed, which the timer of the main window
// makes matter.
DecipherDialog::Change DecipherDialog::takeState(
    const bifid::KeyedSquare &square, int depth, const std::string &cleanText)
{
    Change change = Change::None;
    if (!m_squareDrawn || square != m_square) {
        m_square = square;
        ui->SquareBox->setTitle(
            QStringLiteral("%1-Matrix des Hauptfensters").arg(CipherMessages::sizeName(square.square.dimension())));
        ui->SquareBox->showSquare(square);
        m_squareDrawn = true;
        change = Change::Steps;
    }
    if (depth != m_windowDepth) {
        m_windowDepth = depth;
        if (ui->DecipherDepth->value() != depth) {
            const QSignalBlocker blocker(ui->DecipherDepth);
            ui->DecipherDepth->setValue(depth);
            change = Change::Steps;
        }
    }
    if (cleanText != m_cleanText) {
        m_cleanText = cleanText;
        if (change == Change::None)
            change = Change::CleanText;
    }
    return change;
}

// Until the steps show the new text, the places they were read back from are gone.
void DecipherDialog::inputChanged()
{
    m_windowCiphertext.reset();  // the user's text from now on
    m_hover.forget();
    if (TypingPause::waitsFor(ui->DecipherInput->document()->characterCount())) {
        m_traceMap.reset();
        showTrace();
        m_typingPause.start();
    } else {
        updateSteps();
    }
}

// Runs on every change of the ciphertext or depth, outside any handler of the main window: a text too
// large for the memory ends here with a message instead of in Qt's event loop.
void DecipherDialog::updateSteps()
{
    m_typingPause.stop();
    try {
        showSteps();
    } catch (const std::bad_alloc &) {
        clearSteps();
        ui->DecipherError->setText(QStringLiteral("Für diesen Ciphertext reicht der Arbeitsspeicher nicht aus."));
    }
}

void DecipherDialog::showSteps()
{
    const QString typed = ui->DecipherInput->toPlainText();
    const std::string ciphertext = bifid::normalizeCiphertext(TextCodec::toCodePage(typed));
    if (ciphertext.empty()) {  // nothing to read back, and no empty rows to show for it
        ui->DecipherError->clear();
        clearSteps();
        return;
    }
    const std::optional<bifid::CipherError> error
        = bifid::decipher(ciphertext, m_square.square, ui->DecipherDepth->value(), m_steps);
    if (error) {
        ui->DecipherError->setText(CipherMessages::describe(*error, m_square.square.dimension(), typed));
        clearSteps();
        return;
    }
    ui->DecipherError->clear();
    const bifid::DecipherSteps &steps = m_steps;
    QStringList rows;
    for (const std::string &row : steps.rows)
        rows << TextCodec::fromCodePage(row);
    ui->DecipherCode->setLines({TextCodec::fromCodePage(steps.cipherCode)});
    ui->DecipherRows->setLines(rows);
    ui->DecipherCoordinates->setLines({TextCodec::fromCodePage(steps.coordinates)});
    ui->DecipherResult->setLines({TextCodec::fromCodePage(steps.plaintext)});
    m_readBack = true;
    showVerdict();
    takeLayout(typed);
    std::vector<std::size_t> rowLengths;
    for (const std::string &row : steps.rows)
        rowLengths.push_back(row.size());
    m_traceMap.emplace(steps.plaintext.size(), rowLengths);
    showTrace();
}

void DecipherDialog::clearSteps()
{
    for (StepList *step : {ui->DecipherCode, ui->DecipherRows, ui->DecipherCoordinates, ui->DecipherResult})
        step->clear();
    m_readBack = false;
    if (!ui->DecipherVerdict->text().isEmpty()) {
        ui->DecipherVerdict->clear();
        Announce::result(ui->DecipherVerdict, {});
    }
    m_traceMap.reset();
    showTrace();
}

void DecipherDialog::showVerdict()
{
    if (!m_readBack)
        return;
    const bool matches = m_steps.plaintext == m_cleanText;
    QString verdict = matches ? QStringLiteral("Stimmt mit dem bereinigten Text überein.")
                              : QStringLiteral("Weicht vom bereinigten Text ab.");
    QColor colour = matches ? kGreen : kRed;
    if (m_cleanText.empty()) {
        verdict = QStringLiteral("Das Hauptfenster hat noch keinen bereinigten Text zum Vergleichen.");
        colour = kBlack;
    }
    if (verdict != ui->DecipherVerdict->text())  // its colour alone tells a screen reader nothing
        Announce::result(ui->DecipherVerdict, verdict);
    ui->DecipherVerdict->setText(verdict);
    setTextColour(ui->DecipherVerdict, colour);
}

// A read-back leaves every other character of the typed text one letter of the ciphertext, so the
// layout characters' places are all it takes to map between the two: a binary search either way.
void DecipherDialog::takeLayout(const QString &typed)
{
    m_layoutPlaces.clear();
    for (qsizetype place = 0; place < typed.size(); ++place) {
        if (isLayout(typed[place]))
            m_layoutPlaces.push_back(place);
    }
    m_typedLength = typed.size();
}

std::optional<DecipherDialog::TraceStart> DecipherDialog::inputStart(qsizetype typedPlace) const
{
    if (typedPlace < 0 || typedPlace >= m_typedLength)
        return std::nullopt;
    const auto layoutAfter = std::lower_bound(m_layoutPlaces.begin(), m_layoutPlaces.end(), typedPlace);
    if (layoutAfter != m_layoutPlaces.end() && *layoutAfter == typedPlace)
        return std::nullopt;  // a blank or line break traces nothing
    return TraceStart{bifid::TraceField::Ciphertext, std::size_t(typedPlace - (layoutAfter - m_layoutPlaces.begin()))};
}

// The character right of the cursor; at the end of the text the one left of it.
std::optional<DecipherDialog::TraceStart> DecipherDialog::cursorStart() const
{
    const qsizetype place = ui->DecipherInput->textCursor().position();
    return inputStart(place == m_typedLength ? place - 1 : place);
}

// Letter i stands after the layout characters with at most i letters before them.
qsizetype DecipherDialog::typedPlaceOf(std::size_t letter) const
{
    std::size_t low = 0;
    std::size_t high = m_layoutPlaces.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (std::size_t(m_layoutPlaces[middle]) - middle <= letter)
            low = middle + 1;
        else
            high = middle;
    }
    return qsizetype(letter) + qsizetype(low);
}

std::optional<DecipherDialog::TraceStart> DecipherDialog::startAt(const QObject *viewport, QPoint point) const
{
    if (viewport == ui->DecipherInput->viewport()) {
        const std::optional<qsizetype> place = PlainTextTrace::characterAt(*ui->DecipherInput, point);
        return place ? inputStart(*place) : std::nullopt;
    }
    const std::pair<const StepList *, bifid::TraceField> steps[] = {
        {ui->DecipherCode, bifid::TraceField::CipherCode},
        {ui->DecipherRows, bifid::TraceField::Rows},
        {ui->DecipherCoordinates, bifid::TraceField::Coordinates},
        {ui->DecipherResult, bifid::TraceField::Plaintext},
    };
    for (const auto &[step, field] : steps) {
        if (viewport != step->viewport())
            continue;
        const std::optional<StepPlace> place = step->characterAt(point);
        if (!place)
            return std::nullopt;
        return TraceStart{field, std::size_t(place->position), place->line};
    }
    return std::nullopt;
}

// Marks only: the texts, their cursors and undo stacks stay as they are. A trace is at most ten marks.
void DecipherDialog::showTrace()
{
    QTextDocument *document = ui->DecipherInput->document();
    std::vector<bifid::TraceMark> trace;
    std::optional<TraceStart> start;
    // The cursor may move before the changed text has been read back.
    if (m_traceMap && document->characterCount() - 1 == m_typedLength) {
        start = m_hover.hovered() ? m_hover.hovered() : cursorStart();
        if (start)
            trace = m_traceMap->trace(start->field, start->index, start->row);
    }
    const std::string &cells = m_square.square.cells();
    std::bitset<36> tracedCells;
    const auto markCell = [&](char letter) {
        if (const std::size_t cell = cells.find(letter); cell != std::string::npos)
            tracedCells.set(cell);
    };
    std::vector<StepMark> code;
    std::vector<StepMark> rows;
    std::vector<StepMark> coordinates;
    std::vector<StepMark> plaintext;
    QList<QTextEdit::ExtraSelection> ciphertext;
    std::vector<QChar> shown;
    for (const bifid::TraceMark &mark : trace) {
        shown.push_back(shownCharacter(mark));
        const StepMark step{{mark.row, qsizetype(mark.index)}, mark.role};
        switch (mark.field) {
        case bifid::TraceField::Plaintext:
            plaintext.push_back(step);
            markCell(m_steps.plaintext[mark.index]);
            break;
        case bifid::TraceField::Coordinates: coordinates.push_back(step); break;
        case bifid::TraceField::Rows: rows.push_back(step); break;
        case bifid::TraceField::CipherCode: code.push_back(step); break;
        case bifid::TraceField::Ciphertext: {
            const int place = int(typedPlaceOf(mark.index));
            const QChar typed = document->characterAt(place);
            const std::string letter = bifid::normalizeCiphertext(TextCodec::toCodePage(QStringView(&typed, 1)));
            if (!letter.empty())  // empty only for a text changed but not yet read back
                markCell(letter.front());
            ciphertext.push_back(PlainTextTrace::mark(document, place, mark.role));
            break;
        }
        }
    }
    ui->DecipherInput->setExtraSelections(ciphertext);
    ui->DecipherCode->setMarks(std::move(code));
    ui->DecipherRows->setMarks(std::move(rows));
    ui->DecipherCoordinates->setMarks(std::move(coordinates));
    ui->DecipherResult->setMarks(std::move(plaintext));
    ui->SquareBox->markCells(tracedCells);
    m_description.show(
        start ? fieldOf(start->field) : nullptr, start ? TraceWords::describe(start->field, trace, shown) : QString());
}

QWidget *DecipherDialog::fieldOf(bifid::TraceField field) const
{
    switch (field) {
    case bifid::TraceField::Plaintext: return ui->DecipherResult;
    case bifid::TraceField::Coordinates: return ui->DecipherCoordinates;
    case bifid::TraceField::Rows: return ui->DecipherRows;
    case bifid::TraceField::CipherCode: return ui->DecipherCode;
    case bifid::TraceField::Ciphertext: break;
    }
    return ui->DecipherInput;
}

// The steps hold what they show; the input shows the ciphertext as typed, which the read-back takes in
// capitals.
QChar DecipherDialog::shownCharacter(const bifid::TraceMark &mark) const
{
    const auto at = [](const std::string &text, std::size_t index) {
        return index < text.size() ? TextCodec::fromCodePage(std::string_view(&text[index], 1)).front() : QChar();
    };
    switch (mark.field) {
    case bifid::TraceField::Plaintext: return at(m_steps.plaintext, mark.index);
    case bifid::TraceField::Coordinates: return at(m_steps.coordinates, mark.index);
    case bifid::TraceField::Rows:
        return std::size_t(mark.row) < m_steps.rows.size() ? at(m_steps.rows[std::size_t(mark.row)], mark.index)
                                                           : QChar();
    case bifid::TraceField::CipherCode: return at(m_steps.cipherCode, mark.index);
    case bifid::TraceField::Ciphertext: break;
    }
    const QChar typed = ui->DecipherInput->document()->characterAt(int(typedPlaceOf(mark.index)));
    const std::string letter = bifid::normalizeCiphertext(TextCodec::toCodePage(QStringView(&typed, 1)));
    return letter.empty() ? QChar() : at(letter, 0);
}
