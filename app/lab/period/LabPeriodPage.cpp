// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LabPeriodPage.h"

#include "CipherMessages.h"
#include "Colours.h"
#include "Fonts.h"
#include "MainWindowState.h"
#include "Messages.h"
#include "PlainTextTrace.h"
#include "SquareGrid.h"
#include "StepList.h"
#include "TextCodec.h"
#include "TraceWords.h"
#include "ui_LabPeriodPage.h"

#include <cipher/Cleaning.h>
#include <cipher/Normalize.h>
#include <cipher/Periodic.h>

#include <QSignalBlocker>
#include <QTextEdit>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <new>

using bifid::Dimension;
using bifid::TraceField;

namespace {

// The letters the cipher takes from a typed text, and the place in the typed text of each.
struct Letters {
    std::string text;
    std::vector<qsizetype> typedPlaces;
};

// To encipher, the text is cleaned as the main window cleans a plaintext; to decipher, only the layout
// characters go, so that every other character outside the square can be named.
Letters lettersOf(const QString &typed, bool deciphering, Dimension dimension)
{
    const std::string bytes = TextCodec::toCodePage(typed);
    const bool keepDigits = dimension == Dimension::Six;
    Letters letters;
    letters.text = deciphering ? bifid::normalizeCiphertext(bytes) : bifid::cleanText(bytes, keepDigits, dimension);

    // Both take every byte on its own, so how many letters each byte gives is all the mapping needs.
    std::array<std::uint8_t, 256> lettersFrom{};
    for (std::size_t byte = 0; byte < lettersFrom.size(); ++byte) {
        const auto c = static_cast<char>(byte);
        lettersFrom[byte] = deciphering ? std::uint8_t(!bifid::isLayoutCharacter(c))
                                        : std::uint8_t(bifid::cleanText({&c, 1}, keepDigits, dimension).size());
    }
    letters.typedPlaces.reserve(letters.text.size());
    std::size_t byte = 0;
    for (TextCodec::CodePointReader reader(typed); !reader.atEnd();) {
        const TextCodec::CodePoint codePoint = reader.next();
        for (int k = 0; k < TextCodec::byteCount(codePoint.value); ++k, ++byte)
            letters.typedPlaces.insert(
                letters.typedPlaces.end(), lettersFrom[static_cast<unsigned char>(bytes[byte])], codePoint.start);
    }
    return letters;
}

// How many cells of the classical square the keyword, as spelled for it, fills.
std::size_t keywordCellCount(std::string_view spelled, Dimension dimension)
{
    return bifid::squareKeyword(spelled, dimension).size();
}

}  // namespace

LabPeriodPage::LabPeriodPage(const MainWindowState &mainWindow, QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::LabPeriodPage>())
    , m_mainWindow(mainWindow)
    , m_hover(std::bind_front(&LabPeriodPage::placeAt, this), std::bind_front(&LabPeriodPage::showTrace, this))
{
    ui->setupUi(this);
    ui->LabSquare->build(Dimension::Six, QStringLiteral("LabCell"));
    Colours::setTextColour(ui->LabMessage, Colours::kRed);
    for (QWidget *field : std::initializer_list<QWidget *>{ui->LabInput, ui->LabResult})
        Fonts::layOutWithoutShaping(field);
    ui->LabResult->setFixedHeight(ui->LabResult->fontMetrics().lineSpacing() * 3 + 2 * ui->LabResult->frameWidth() + 6);

    connect(&m_typingPause, &QTimer::timeout, this, &LabPeriodPage::update);
    connect(ui->LabSquareSize, &QComboBox::currentIndexChanged, this, &LabPeriodPage::keyChanged);
    connect(ui->LabKeyword, &QLineEdit::textChanged, this, &LabPeriodPage::keyChanged);
    connect(ui->LabTakeSquare, &QPushButton::clicked, this, &LabPeriodPage::takeMainWindowSquare);
    connect(ui->LabPeriod, &QSpinBox::valueChanged, this, &LabPeriodPage::update);
    connect(ui->LabDepth, &QSpinBox::valueChanged, this, &LabPeriodPage::update);
    connect(ui->LabDirection, &QComboBox::currentIndexChanged, this, &LabPeriodPage::update);
    connect(ui->LabInput, &QPlainTextEdit::textChanged, this, &LabPeriodPage::inputChanged);
    connect(ui->LabInput, &QPlainTextEdit::cursorPositionChanged, this, &LabPeriodPage::showTrace);
    m_hover.watch({ui->LabInput, ui->LabResult, ui->LabSteps});
    update();
}

LabPeriodPage::~LabPeriodPage() = default;

Dimension LabPeriodPage::dimension() const
{
    return ui->LabSquareSize->currentIndex() == 1 ? Dimension::Five : Dimension::Six;
}

bool LabPeriodPage::deciphering() const
{
    return ui->LabDirection->currentIndex() == 1;
}

void LabPeriodPage::takeMainWindowSquare()
{
    const std::optional<bifid::Square> square = m_mainWindow.shownSquare();
    if (!square) {
        Colours::setTextColour(ui->LabMessage, Colours::kRed);
        ui->LabMessage->setText(QStringLiteral("Das Hauptfenster zeigt gerade keine vollständige Matrix."));
        return;
    }
    {
        const QSignalBlocker blocker(ui->LabSquareSize);  // the size follows the square, which stays taken
        ui->LabSquareSize->setCurrentIndex(square->dimension() == Dimension::Five ? 1 : 0);
    }
    m_takenSquare = square;
    m_takenSquareTitle.clear();
    update();
}

const PeriodPass &LabPeriodPage::shownPass() const
{
    return ui->LabSteps->steps().pass();
}

void LabPeriodPage::decipherFoundKey(
    const bifid::Square &square, std::size_t period, int depth, const QString &ciphertext)
{
    {
        const QSignalBlocker sizeBlocker(ui->LabSquareSize);
        const QSignalBlocker periodBlocker(ui->LabPeriod);
        const QSignalBlocker depthBlocker(ui->LabDepth);
        const QSignalBlocker directionBlocker(ui->LabDirection);
        const QSignalBlocker inputBlocker(ui->LabInput);
        ui->LabSquareSize->setCurrentIndex(square.dimension() == Dimension::Five ? 1 : 0);
        ui->LabPeriod->setValue(int(period));
        ui->LabDepth->setValue(depth);
        ui->LabDirection->setCurrentIndex(1);
        ui->LabInput->setPlainText(ciphertext);
    }
    m_takenSquare = square;
    m_takenSquareTitle
        = QStringLiteral("Gefundene %1-Matrix der Kryptoanalyse").arg(CipherMessages::sizeName(square.dimension()));
    inputChanged();
}

void LabPeriodPage::keyChanged()
{
    m_takenSquare.reset();
    update();
}

// Until the steps show the new text, the places they were computed from are gone.
void LabPeriodPage::inputChanged()
{
    m_stepsShowInput = false;
    m_hover.forget();
    if (TypingPause::waitsFor(ui->LabInput->document()->characterCount())) {
        showTrace();
        m_typingPause.start();
    } else {
        update();
    }
}

// Runs on every change of an input: a text too large for the memory ends here with a message.
void LabPeriodPage::update()
{
    m_typingPause.stop();
    try {
        compute();
    } catch (const std::bad_alloc &) {
        showNothing(QStringLiteral("Für diesen Text reicht der Arbeitsspeicher nicht aus."), true);
    }
}

void LabPeriodPage::compute()
{
    const Dimension chosen = dimension();
    bifid::KeyedSquare shown;
    if (m_takenSquare) {
        shown.square = *m_takenSquare;
        ui->LabSquare->setTitle(m_takenSquareTitle.isEmpty()
                ? QStringLiteral("%1-Matrix des Hauptfensters").arg(CipherMessages::sizeName(chosen))
                : m_takenSquareTitle);
    } else {
        const std::string keyword = bifid::classicalKeyword(TextCodec::toCodePage(ui->LabKeyword->text()), chosen);
        shown.square = bifid::classicalSquare(keyword, chosen);
        const std::size_t keywordCells = keywordCellCount(keyword, chosen);
        for (std::size_t cell = 0; cell < keywordCells; ++cell)
            shown.keywordCells.set(cell);
        ui->LabSquare->setTitle(keywordCells == 0
                ? QStringLiteral("Unverschlüsselte %1-Matrix").arg(CipherMessages::sizeName(chosen))
                : QStringLiteral("%1-Matrix zum Keyword").arg(CipherMessages::sizeName(chosen)));
        ui->LabKeywordInSquare->setText(
            QStringLiteral("Keyword in der Matrix: %1").arg(TextCodec::fromCodePage(keyword)));
    }
    ui->LabKeywordInSquare->setVisible(!m_takenSquare && shown.keywordCells.any());
    ui->LabSquare->showSquare(shown);

    PeriodPass pass;
    pass.square = shown.square;
    pass.period = std::size_t(ui->LabPeriod->value());
    pass.depth = ui->LabDepth->value();
    pass.deciphering = deciphering();
    const QString typed = ui->LabInput->toPlainText();
    Letters letters = lettersOf(typed, pass.deciphering, chosen);
    const bifid::Result<std::string> result = pass.deciphering
        ? bifid::decipherPeriodic(letters.text, pass.square, pass.period, pass.depth)
        : bifid::encipherPeriodic(letters.text, pass.square, pass.period, pass.depth);
    if (!result.ok()) {
        // A ciphertext's character is named as typed; a cleaned text holds nothing the square lacks.
        const std::optional<QStringView> named = pass.deciphering ? std::optional<QStringView>(typed) : std::nullopt;
        ui->LabSteps->steps().setPass(std::move(pass));
        showNothing(CipherMessages::describe(*result.error, chosen, named), true);
        return;
    }
    if (letters.text.empty()) {
        ui->LabSteps->steps().setPass(std::move(pass));
        const bool typedSomething = std::any_of(typed.begin(), typed.end(), [](QChar c) { return !c.isSpace(); });
        showNothing(typedSomething ? QStringLiteral("Der Text enthält kein Zeichen der Matrix.") : QString(), false);
        return;
    }

    ui->LabResult->setLines({TextCodec::fromCodePage(result.value)});
    (pass.deciphering ? pass.ciphertext : pass.plaintext) = std::move(letters.text);
    (pass.deciphering ? pass.plaintext : pass.ciphertext) = result.value;
    ui->LabSteps->steps().setPass(std::move(pass));
    m_typedPlaces = std::move(letters.typedPlaces);
    m_typedLength = typed.size();
    m_stepsShowInput = true;
    m_hover.forget();
    ui->LabMessage->clear();
    showBlocks();
    showTrace();
}

// The steps' model already holds the empty pass, so that its columns follow the direction.
void LabPeriodPage::showNothing(const QString &message, bool isError)
{
    ui->LabResult->clear();
    m_typedPlaces.clear();
    m_stepsShowInput = false;
    m_hover.forget();
    Colours::setTextColour(ui->LabMessage, isError ? Colours::kRed : Colours::kBlack);
    ui->LabMessage->setText(message);
    showBlocks();
    showTrace();
}

void LabPeriodPage::showBlocks()
{
    const PeriodPass &pass = ui->LabSteps->steps().pass();
    const std::size_t letters = pass.plaintext.size();
    const std::size_t blocks = bifid::blockCount(letters, pass.period);
    if (blocks == 0) {
        ui->LabBlocks->clear();
        return;
    }
    const QString text = Messages::counted(letters, "Buchstabe", "Buchstaben");
    if (blocks == 1) {
        ui->LabBlocks->setText(QStringLiteral("%1 in einem Block.").arg(text));
        return;
    }
    const std::size_t last = bifid::blockAt(letters, pass.period, blocks - 1).length;
    QString described
        = QStringLiteral("%1 in %2 Blöcken zu %3").arg(text).arg(qulonglong(blocks)).arg(qulonglong(pass.period));
    if (last < pass.period)
        described
            += QStringLiteral(", der letzte kürzer mit %1").arg(Messages::counted(last, "Buchstabe", "Buchstaben"));
    ui->LabBlocks->setText(described + u'.');
}

std::optional<BlockPlace> LabPeriodPage::inputPlace(qsizetype typedPlace) const
{
    // The cursor may move in a changed text before the text's own signal has arrived.
    if (!m_stepsShowInput || ui->LabInput->document()->characterCount() - 1 != m_typedLength)
        return std::nullopt;
    const auto letter = std::lower_bound(m_typedPlaces.begin(), m_typedPlaces.end(), typedPlace);
    if (letter == m_typedPlaces.end() || *letter != typedPlace)
        return std::nullopt;  // a blank or another dropped character traces nothing
    const TraceField field = ui->LabSteps->steps().pass().deciphering ? TraceField::Ciphertext : TraceField::Plaintext;
    return ui->LabSteps->steps().placeOfLetter(std::size_t(letter - m_typedPlaces.begin()), field);
}

// The character right of the cursor; at the end of the text the one left of it.
std::optional<BlockPlace> LabPeriodPage::cursorPlace() const
{
    const qsizetype place = ui->LabInput->textCursor().position();
    const qsizetype length = ui->LabInput->document()->characterCount() - 1;
    return inputPlace(place == length ? place - 1 : place);
}

std::optional<BlockPlace> LabPeriodPage::placeAt(const QObject *viewport, QPoint point) const
{
    if (viewport == ui->LabInput->viewport()) {
        const std::optional<qsizetype> place = PlainTextTrace::characterAt(*ui->LabInput, point);
        return place ? inputPlace(*place) : std::nullopt;
    }
    if (!m_stepsShowInput)
        return std::nullopt;
    if (viewport == ui->LabResult->viewport()) {
        const std::optional<StepPlace> place = ui->LabResult->characterAt(point);
        if (!place)
            return std::nullopt;
        const TraceField field
            = ui->LabSteps->steps().pass().deciphering ? TraceField::Plaintext : TraceField::Ciphertext;
        return ui->LabSteps->steps().placeOfLetter(std::size_t(place->position), field);
    }
    if (viewport == ui->LabSteps->viewport())
        return ui->LabSteps->placeAt(point);
    return std::nullopt;
}

// Marks only, at most ten places of one block: the texts, the cursor and the undo stack stay as they are.
void LabPeriodPage::showTrace()
{
    PeriodStepModel &steps = ui->LabSteps->steps();
    const PeriodPass &pass = steps.pass();
    std::vector<bifid::TraceMark> marks;
    bifid::Block block;
    std::size_t blockIndex = 0;
    const std::optional<BlockPlace> start = m_hover.hovered() ? m_hover.hovered() : cursorPlace();
    if (start && m_stepsShowInput) {
        blockIndex = start->block;
        block = steps.block(blockIndex);
        marks = bifid::TraceMap::dealt(block.length, pass.depth).trace(start->field, start->index, start->row);
    }
    steps.setTrace(blockIndex, marks);
    describeTrace(start, marks);

    const TraceField typedField = pass.deciphering ? TraceField::Ciphertext : TraceField::Plaintext;
    const std::string &cells = pass.square.cells();
    std::bitset<36> tracedCells;
    std::vector<StepMark> result;
    QList<QTextEdit::ExtraSelection> typed;
    for (const bifid::TraceMark &mark : marks) {
        if (mark.field != TraceField::Plaintext && mark.field != TraceField::Ciphertext)
            continue;
        const std::size_t letter = block.start + mark.index;
        const std::string &text = mark.field == TraceField::Plaintext ? pass.plaintext : pass.ciphertext;
        if (const std::size_t cell = cells.find(text[letter]); cell != std::string::npos)
            tracedCells.set(cell);
        if (mark.field != typedField) {
            result.push_back({{0, qsizetype(letter)}, mark.role});
            continue;
        }
        typed.push_back(PlainTextTrace::mark(ui->LabInput->document(), int(m_typedPlaces[letter]), mark.role));
    }
    ui->LabInput->setExtraSelections(typed);
    ui->LabResult->setMarks(std::move(result));
    ui->LabSquare->markCells(tracedCells);
}

// In words on the field that shows the start: the input or the result for a letter, the steps for a
// digit.
void LabPeriodPage::describeTrace(const std::optional<BlockPlace> &start, const std::vector<bifid::TraceMark> &marks)
{
    if (marks.empty()) {
        m_description.show(nullptr, {});
        return;
    }
    const PeriodStepModel &steps = ui->LabSteps->steps();
    std::vector<QChar> shown;
    shown.reserve(marks.size());
    for (const bifid::TraceMark &mark : marks)
        shown.push_back(steps.characterOf(start->block, mark));
    const TraceField typedField = steps.pass().deciphering ? TraceField::Ciphertext : TraceField::Plaintext;
    const TraceField resultField = steps.pass().deciphering ? TraceField::Plaintext : TraceField::Ciphertext;
    QWidget *field = ui->LabSteps;
    if (start->field == typedField)
        field = ui->LabInput;
    else if (start->field == resultField)
        field = ui->LabResult;
    QString words = TraceWords::describe(start->field, marks, shown);
    if (!words.isEmpty() && bifid::blockCount(steps.pass().plaintext.size(), steps.pass().period) > 1)
        words = QStringLiteral("Block %1, %2").arg(qulonglong(start->block) + 1).arg(words);  // places count in it
    m_description.show(field, words);
}
