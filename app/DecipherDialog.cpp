#include "DecipherDialog.h"

#include "CipherMessages.h"
#include "Colours.h"
#include "Fonts.h"
#include "SquareGrid.h"
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

// Reading back a long ciphertext takes longer than the pause between two key strokes.
constexpr qsizetype kLongCiphertext = 50'000;
constexpr int kTypingPauseMs = 300;

// Pieces of a step are a multiple of ten characters wide, so that places are easy to count.
constexpr int kPieceStep = 10;

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
    ui->SquareBox->build(Dimension::Six, QStringLiteral("DecipherCell"));
    for (QWidget *field : std::initializer_list<QWidget *>{
             ui->DecipherInput, ui->DecipherCode, ui->DecipherRows, ui->DecipherCoordinates, ui->DecipherResult})
        Fonts::layOutWithoutShaping(field);
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
    const QString &ciphertext, const bifid::KeyedSquare &square, int depth, const std::string &cleanText)
{
    const Change change = takeState(square, depth, cleanText);
    if (ui->DecipherInput->document()->isEmpty())
        takeCiphertext(ciphertext);
    else if (change == Change::Steps)
        updateSteps();
    else if (change == Change::CleanText)
        showVerdict();
}

void DecipherDialog::followWindow(const bifid::KeyedSquare &square, int depth, const std::string &cleanText)
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
}

void DecipherDialog::clearSteps()
{
    for (StepList *step : {ui->DecipherCode, ui->DecipherRows, ui->DecipherCoordinates, ui->DecipherResult})
        step->clear();
    m_readBack = false;
    ui->DecipherVerdict->clear();
}

void DecipherDialog::showVerdict()
{
    if (!m_readBack)
        return;
    if (m_cleanText.empty()) {
        ui->DecipherVerdict->setText(
            QStringLiteral("Das Hauptfenster hat noch keinen bereinigten Text zum Vergleichen."));
        setTextColour(ui->DecipherVerdict, kBlack);
        return;
    }
    const bool matches = m_steps.plaintext == m_cleanText;
    ui->DecipherVerdict->setText(matches ? QStringLiteral("Stimmt mit dem bereinigten Text überein.")
                                         : QStringLiteral("Weicht vom bereinigten Text ab."));
    setTextColour(ui->DecipherVerdict, matches ? kGreen : kRed);
}
