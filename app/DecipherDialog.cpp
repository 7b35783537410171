#include "DecipherDialog.h"

#include "Colours.h"
#include "TextCodec.h"
#include "ui_DecipherDialog.h"

#include <cipher/Coding.h>
#include <cipher/Normalize.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

using bifid::Dimension;

namespace {

using namespace Colours;

constexpr int kCellSize = 32;  // as in the main window

// Reading back a long ciphertext takes longer than the pause between two key strokes.
constexpr qsizetype kLongCiphertext = 50'000;
constexpr int kTypingPauseMs = 300;

// Pieces of a step are a multiple of ten characters wide, so that places are easy to count.
constexpr int kPieceStep = 10;

// A text field lays out a line as a whole, and measures it whole for every blink of its cursor.
constexpr qsizetype kInputLine = 1000;

void setTextColour(QWidget *widget, QColor colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// The fields hold megabytes of capitals and digits, which need no shaping.
void layOutWithoutShaping(QWidget *field)
{
    QFont font = field->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    field->setFont(font);
}

QFont boldFont(const QString &family, int pointSize)
{
    QFont font(family, pointSize);
    font.setBold(true);
    return font;
}

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

void StepModel::setLines(const QStringList &lines)
{
    if (lines == m_lines)
        return;
    beginResetModel();
    m_lines = lines;
    countPieces();
    endResetModel();
}

void StepModel::setPieceWidth(int characters)
{
    if (characters == m_pieceWidth)
        return;
    beginResetModel();
    m_pieceWidth = characters;
    countPieces();
    endResetModel();
}

// An empty line still takes an item, so that an empty row of the fraction shows as one.
void StepModel::countPieces()
{
    m_firstRows.clear();
    qsizetype rows = 0;
    for (const QString &line : std::as_const(m_lines)) {
        m_firstRows.push_back(int(rows));
        rows += std::max<qsizetype>(1, (line.size() + m_pieceWidth - 1) / m_pieceWidth);
    }
    // A view counts its items in int; 2^31 pieces would be far beyond the memory anyway.
    m_rowCount = int(std::min<qsizetype>(rows, std::numeric_limits<int>::max()));
}

StepModel::Piece StepModel::pieceAt(int row) const
{
    const auto next = std::upper_bound(m_firstRows.begin(), m_firstRows.end(), row);
    const int line = int(next - m_firstRows.begin()) - 1;
    return {line, qsizetype(row - m_firstRows[std::size_t(line)]) * m_pieceWidth};
}

int StepModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

QVariant StepModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rowCount)
        return {};
    const Piece piece = pieceAt(index.row());
    const QString &line = m_lines[piece.line];
    switch (role) {
    case Qt::DisplayRole: return line.mid(piece.start, m_pieceWidth);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        const QString places = QStringLiteral("Zeichen %1 bis %2")
                                   .arg(QString::number(piece.start + 1),
                                       QString::number(std::min(piece.start + m_pieceWidth, line.size())));
        return m_lines.size() > 1 ? QStringLiteral("Zeile %1, %2").arg(QString::number(piece.line + 1), places)
                                  : places;
    }
    default: return {};
    }
}

QString StepModel::textOf(QModelIndexList items) const
{
    std::sort(items.begin(), items.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QString text;
    int lastLine = -1;
    for (const QModelIndex &item : std::as_const(items)) {
        const int line = pieceAt(item.row()).line;
        if (lastLine >= 0 && line != lastLine)
            text += u'\n';
        text += data(item, Qt::DisplayRole).toString();
        lastLine = line;
    }
    return text;
}

StepList::StepList(QWidget *parent)
    : QListView(parent)
    , m_model(this)
{
    setModel(&m_model);
    setUniformItemSizes(true);  // the view then lays out no piece it does not show
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // the pieces are made to fit the width

    auto *copy = new QAction(QStringLiteral("&Kopieren"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &StepList::copySelection);
    auto *selectEverything = new QAction(QStringLiteral("Alles &markieren"), this);
    selectEverything->setShortcut(QKeySequence::SelectAll);
    selectEverything->setShortcutContext(Qt::WidgetShortcut);
    connect(selectEverything, &QAction::triggered, this, &QAbstractItemView::selectAll);
    addActions({copy, selectEverything});
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void StepList::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    fitPieces();
}

void StepList::changeEvent(QEvent *event)
{
    QListView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitPieces();
}

// As many characters as the field shows beside a scroll bar, so that the width does not depend on
// whether the scroll bar shows and the pieces do not change with it.
void StepList::fitPieces()
{
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const int room = contentsRect().width() - verticalScrollBar()->sizeHint().width() - margin;
    const int advance = std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('W')));
    m_model.setPieceWidth(std::max(kPieceStep, room / advance / kPieceStep * kPieceStep));
}

void StepList::copySelection() const
{
    const QModelIndexList selected = selectedIndexes();
    if (!selected.isEmpty())
        QApplication::clipboard()->setText(m_model.textOf(selected));
}

DecipherDialog::DecipherDialog(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::DecipherDialog>())
{
    ui->setupUi(this);
    setTextColour(ui->DecipherError, kRed);
    for (QWidget *field : std::initializer_list<QWidget *>{
             ui->DecipherInput, ui->DecipherCode, ui->DecipherRows, ui->DecipherCoordinates, ui->DecipherResult})
        layOutWithoutShaping(field);
    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(kTypingPauseMs);
    connect(&m_typingPause, &QTimer::timeout, this, &DecipherDialog::updateSteps);
    connect(ui->DecipherInput, &QPlainTextEdit::textChanged, this, &DecipherDialog::inputChanged);
    connect(ui->DecipherDepth, &QSpinBox::valueChanged, this, &DecipherDialog::updateSteps);
    connect(ui->DecipherTakeCiphertext, &QPushButton::clicked, this, &DecipherDialog::ciphertextWanted);
    connect(ui->DecipherClose, &QPushButton::clicked, this, &QDialog::close);
}

DecipherDialog::~DecipherDialog() = default;

void DecipherDialog::takeWindowState(
    const QString &ciphertext, const ShownSquare &square, int depth, const std::string &cleanText)
{
    const Change change = takeState(square, depth, cleanText);
    if (ui->DecipherInput->document()->isEmpty())
        takeCiphertext(ciphertext);
    else if (change == Change::Steps)
        updateSteps();
    else if (change == Change::CleanText)
        showVerdict();
}

void DecipherDialog::followWindow(const ShownSquare &square, int depth, const std::string &cleanText)
{
    switch (takeState(square, depth, cleanText)) {
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
    updateSteps();
}

// Takes what changed without computing anything: the caller computes once for all of it. Comparing
// the cleaned text reads it but copies it only when it changed, which the timer of the main window
// makes matter.
DecipherDialog::Change DecipherDialog::takeState(const ShownSquare &square, int depth, const std::string &cleanText)
{
    Change change = Change::None;
    if (!m_squareDrawn || square.dimension != m_square.dimension || square.text != m_square.text
        || square.keywordCells != m_square.keywordCells) {
        m_square = square;
        drawSquare();
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
    bifid::Result<bifid::DecipherSteps> deciphered
        = bifid::decipher(ciphertext, bifid::Square(m_square.dimension, m_square.text), ui->DecipherDepth->value());
    if (!deciphered.ok()) {
        ui->DecipherError->setText(describe(*deciphered.error, typed, m_square.dimension));
        clearSteps();
        return;
    }
    ui->DecipherError->clear();
    bifid::DecipherSteps &steps = deciphered.value;
    QStringList rows;
    for (const std::string &row : steps.rows)
        rows << TextCodec::fromCodePage(row);
    ui->DecipherCode->setLines({TextCodec::fromCodePage(steps.cipherCode)});
    ui->DecipherRows->setLines(rows);
    ui->DecipherCoordinates->setLines({TextCodec::fromCodePage(steps.coordinates)});
    ui->DecipherResult->setLines({TextCodec::fromCodePage(steps.plaintext)});
    m_plaintext = std::move(steps.plaintext);
    showVerdict();
}

void DecipherDialog::clearSteps()
{
    for (StepList *step : {ui->DecipherCode, ui->DecipherRows, ui->DecipherCoordinates, ui->DecipherResult})
        step->clear();
    m_plaintext.reset();
    ui->DecipherVerdict->clear();
}

void DecipherDialog::showVerdict()
{
    if (!m_plaintext)
        return;
    if (m_cleanText.empty()) {
        ui->DecipherVerdict->setText(
            QStringLiteral("Das Hauptfenster hat noch keinen bereinigten Text zum Vergleichen."));
        setTextColour(ui->DecipherVerdict, kBlack);
        return;
    }
    const bool matches = *m_plaintext == m_cleanText;
    ui->DecipherVerdict->setText(matches ? QStringLiteral("Stimmt mit dem bereinigten Text überein.")
                                         : QStringLiteral("Weicht vom bereinigten Text ab."));
    setTextColour(ui->DecipherVerdict, matches ? kGreen : kRed);
}
