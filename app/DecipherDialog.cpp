#include "DecipherDialog.h"

#include "Colours.h"
#include "TextCodec.h"
#include "ui_DecipherDialog.h"

#include <cipher/Coding.h>
#include <cipher/Normalize.h>

#include <QLabel>
#include <QSignalBlocker>
#include <QStringList>

#include <new>

using bifid::Dimension;

namespace {

using namespace Colours;

constexpr int kCellSize = 32;  // as in the main window

// Laying out the steps of a long ciphertext takes longer than the pause between two key strokes.
constexpr qsizetype kLongCiphertext = 50'000;
constexpr int kTypingPauseMs = 300;

void setTextColour(QWidget *widget, QColor colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// Laying out a long text costs far more than comparing it, and an unchanged field keeps its scroll place.
void showText(QPlainTextEdit *field, const QString &text)
{
    if (field->toPlainText() != text)
        field->setPlainText(text);
}

QFont boldFont(const QString &family, int pointSize)
{
    QFont font(family, pointSize);
    font.setBold(true);
    return font;
}

QString sizeName(Dimension dimension)
{
    return dimension == Dimension::Six ? QStringLiteral("6 X 6") : QStringLiteral("5 X 5");
}

// A character of the typed ciphertext and its 1-based place among all characters of the field.
struct TypedCharacter {
    char32_t codePoint = 0;
    qsizetype position = 0;
};

// The typed character behind byte `position` (1-based) of the normalised ciphertext. Every code point
// became one byte and a line break two layout bytes, so counting the code points that are no layout
// finds it; the field's own character is named, not the code page's stand-in for it.
TypedCharacter typedCharacterAt(QStringView typed, std::size_t position)
{
    std::size_t counted = 0;
    qsizetype shown = 0;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        ++shown;
        char32_t codePoint = typed[i].unicode();
        if (typed[i].isHighSurrogate() && i + 1 < typed.size() && typed[i + 1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(typed[i], typed[i + 1]);
            ++i;
        }
        const bool layout = codePoint < 0x80 && bifid::isLayoutCharacter(static_cast<char>(codePoint));
        if (!layout && ++counted == position)
            return {codePoint, shown};
    }
    return {};
}

// Blanks and invisible characters are named by their code, the others as they look.
QString nameOf(char32_t codePoint)
{
    if (QChar::isPrint(codePoint) && !QChar::isSpace(codePoint))
        return QStringLiteral("'%1'").arg(QString::fromUcs4(&codePoint, 1));
    return QStringLiteral("U+%1").arg(uint(codePoint), 4, 16, QChar(u'0')).toUpper();
}

QString describe(const bifid::CipherError &error, QStringView typed, Dimension dimension)
{
    // Only a square text shorter than its grid stops the read-back; the main window always shows a full one.
    if (error.kind != bifid::CipherError::Kind::NotInSquare)
        return QStringLiteral("Der Ciphertext lässt sich mit dieser %1-Matrix nicht zurücklesen.")
            .arg(sizeName(dimension));
    const TypedCharacter character = typedCharacterAt(typed, error.position);
    return QStringLiteral("Das Zeichen %1 an Stelle %2 steht nicht in der %3-Matrix.")
        .arg(nameOf(character.codePoint), QString::number(character.position), sizeName(dimension));
}

}  // namespace

DecipherDialog::DecipherDialog(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::DecipherDialog>())
{
    ui->setupUi(this);
    setTextColour(ui->DecipherError, kRed);
    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(kTypingPauseMs);
    connect(&m_typingPause, &QTimer::timeout, this, &DecipherDialog::updateSteps);
    connect(ui->DecipherInput, &QPlainTextEdit::textChanged, this, &DecipherDialog::inputChanged);
    connect(ui->DecipherDepth, &QSpinBox::valueChanged, this, &DecipherDialog::updateSteps);
    connect(ui->DecipherClose, &QPushButton::clicked, this, &QDialog::close);
}

DecipherDialog::~DecipherDialog() = default;

void DecipherDialog::load(const QString &ciphertext, const ShownSquare &square, int depth, const std::string &cleanText)
{
    m_square = square;
    m_cleanText = cleanText;
    drawSquare();
    {
        // One computation for the new ciphertext and depth together, not one for each.
        const QSignalBlocker inputBlocker(ui->DecipherInput);
        const QSignalBlocker depthBlocker(ui->DecipherDepth);
        ui->DecipherInput->setPlainText(ciphertext);
        ui->DecipherDepth->setValue(depth);
    }
    updateSteps();
}

void DecipherDialog::drawSquare()
{
    qDeleteAll(ui->DecipherSquare->findChildren<QLabel *>(Qt::FindDirectChildrenOnly));
    const Dimension dimension = m_square.dimension;
    const int side = bifid::sideOf(dimension);
    ui->SquareBox->setTitle(QStringLiteral("%1-Matrix des Hauptfensters").arg(sizeName(dimension)));

    for (int k = 0; k < side; ++k) {
        for (const bool isRow : {true, false}) {
            auto *number = new QLabel(QString::number(k + 1), ui->DecipherSquare);
            number->setFont(boldFont(QStringLiteral("Times New Roman"), 16));
            number->setAlignment(Qt::AlignCenter);
            setTextColour(number, isRow ? kRed : kBlack);
            ui->squareGrid->addWidget(number, isRow ? k + 1 : 0, isRow ? 0 : k + 1);
        }
    }

    const std::string_view text = m_square.text;
    for (int c = 0; c < bifid::cellCountOf(dimension); ++c) {
        const auto index = static_cast<std::size_t>(c);
        const QString character = index < text.size() ? TextCodec::fromCodePage(text.substr(index, 1)) : QString();
        auto *cell = new QLabel(character, ui->DecipherSquare);
        cell->setObjectName(QStringLiteral("DecipherCell%1").arg(c));
        cell->setFixedSize(kCellSize, kCellSize);
        cell->setAutoFillBackground(true);
        cell->setFrameStyle(QFrame::Panel | QFrame::Raised);
        cell->setAlignment(Qt::AlignCenter);
        cell->setTextFormat(Qt::PlainText);
        cell->setFont(boldFont(QStringLiteral("Courier New"), 17));
        const bool keywordCell = m_square.keywordCells[index];
        QPalette palette = cell->palette();
        const CellColours colours = keywordCell ? kKeywordColours : kReferenceColours;
        palette.setColor(QPalette::Window, colours.background);
        palette.setColor(QPalette::WindowText, colours.text);
        cell->setPalette(palette);
        cell->setAccessibleName(QStringLiteral("Zeile %1, Spalte %2: %3")
                                    .arg(QString::number(c / side + 1), QString::number(c % side + 1), character));
        ui->squareGrid->addWidget(cell, c / side + 1, c % side + 1);
    }
}

void DecipherDialog::inputChanged()
{
    if (ui->DecipherInput->document()->characterCount() > kLongCiphertext)
        m_typingPause.start();
    else
        updateSteps();
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
    const bifid::Result<bifid::DecipherSteps> deciphered
        = bifid::decipher(ciphertext, m_square.text, m_square.dimension, ui->DecipherDepth->value());
    if (!deciphered.ok()) {
        ui->DecipherError->setText(describe(*deciphered.error, typed, m_square.dimension));
        clearSteps();
        return;
    }
    ui->DecipherError->clear();
    const bifid::DecipherSteps &steps = deciphered.value;
    QStringList rows;
    for (const std::string &row : steps.rows)
        rows << TextCodec::fromCodePage(row);
    showText(ui->DecipherCode, TextCodec::fromCodePage(steps.cipherCode));
    showText(ui->DecipherRows, rows.join(u'\n'));
    showText(ui->DecipherCoordinates, TextCodec::fromCodePage(steps.coordinates));
    showText(ui->DecipherResult, TextCodec::fromCodePage(steps.plaintext));
    showVerdict(steps.plaintext);
}

void DecipherDialog::clearSteps()
{
    for (QPlainTextEdit *step : {ui->DecipherCode, ui->DecipherRows, ui->DecipherCoordinates, ui->DecipherResult})
        step->clear();
    ui->DecipherVerdict->clear();
}

void DecipherDialog::showVerdict(const std::string &plaintext)
{
    if (m_cleanText.empty()) {
        ui->DecipherVerdict->setText(
            QStringLiteral("Das Hauptfenster hat noch keinen bereinigten Text zum Vergleichen."));
        setTextColour(ui->DecipherVerdict, kBlack);
        return;
    }
    const bool matches = plaintext == m_cleanText;
    ui->DecipherVerdict->setText(matches ? QStringLiteral("Stimmt mit dem bereinigten Text überein.")
                                         : QStringLiteral("Weicht vom bereinigten Text ab."));
    setTextColour(ui->DecipherVerdict, matches ? kGreen : kRed);
}
