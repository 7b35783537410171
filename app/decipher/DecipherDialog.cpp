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
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>
#include <bitset>
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

bool isLayout(QChar character)
{
    return character.unicode() < 0x80 && bifid::isLayoutCharacter(char(character.unicode()));
}

const CellColours &markColours(bifid::DigitRole role)
{
    return role == bifid::DigitRole::Row ? kRowDigitMark : kColumnDigitMark;
}

// The piece's line laid out as the style lays it out for drawing, and where the style draws it.
QPointF layOutPiece(const QStyleOptionViewItem &item, QTextLayout &layout)
{
    const QWidget *widget = item.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect room
        = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(margin, 0, -margin, 0);
    layout.setText(item.text);
    layout.setFont(item.font);
    QTextOption option;
    option.setWrapMode(QTextOption::ManualWrap);
    option.setTextDirection(item.direction);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(room.width());
    layout.endLayout();
    const QSize size(room.width(), int(line.height()));
    return {qreal(room.x()), qreal(QStyle::alignedRect(item.direction, item.displayAlignment, size, room).top())};
}

}  // namespace

// Paints a piece as the style does, and its marked characters over it in their colours.
class StepDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const auto marks = index.data(StepModel::MarksRole).value<QList<StepMark>>();
        if (marks.isEmpty())
            return;
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        QTextLayout layout;
        const QPointF origin = layOutPiece(item, layout);
        const QTextLine line = layout.lineAt(0);
        for (const StepMark &mark : marks) {
            const qreal left = line.cursorToX(int(mark.place.position));
            const qreal right = line.cursorToX(int(mark.place.position + 1));
            const QRectF place(origin.x() + left, origin.y(), right - left, line.height());
            painter->save();
            painter->setClipRect(place);  // the glyph is drawn again where the style drew it
            painter->fillRect(place, markColours(mark.role).background);
            painter->setPen(markColours(mark.role).text);
            line.draw(painter, origin);
            painter->restore();
        }
    }

    [[nodiscard]] std::optional<qsizetype> characterAt(
        const QStyleOptionViewItem &option, const QModelIndex &index, QPoint point) const
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        QTextLayout layout;
        const QPointF inLine = QPointF(point) - layOutPiece(item, layout);
        const QTextLine line = layout.lineAt(0);
        if (inLine.x() < 0 || inLine.x() >= line.naturalTextWidth() || inLine.y() < 0 || inLine.y() >= line.height())
            return std::nullopt;
        return line.xToCursor(inLine.x(), QTextLine::CursorOnCharacter);
    }
};

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

StepPlace StepModel::pieceAt(int row) const
{
    const auto next = std::upper_bound(m_firstRows.begin(), m_firstRows.end(), row);
    const int line = int(next - m_firstRows.begin()) - 1;
    return {line, qsizetype(row - m_firstRows[std::size_t(line)]) * m_pieceWidth};
}

StepPlace StepModel::placeOf(int row, qsizetype offset) const
{
    const StepPlace piece = pieceAt(row);
    return {piece.line, piece.position + offset};
}

std::optional<int> StepModel::rowOf(StepPlace place) const
{
    if (place.line < 0 || place.line >= m_lines.size() || place.position < 0
        || place.position >= m_lines[place.line].size())
        return std::nullopt;
    const qsizetype row = m_firstRows[std::size_t(place.line)] + place.position / m_pieceWidth;
    return row < m_rowCount ? std::optional<int>(int(row)) : std::nullopt;
}

void StepModel::setMarks(std::vector<StepMark> marks)
{
    if (marks == m_marks)
        return;
    std::swap(marks, m_marks);
    for (const std::vector<StepMark> *changed : {&marks, &m_marks}) {
        for (const StepMark &mark : *changed) {
            if (const std::optional<int> row = rowOf(mark.place))
                emit dataChanged(index(*row), index(*row), {MarksRole});
        }
    }
}

int StepModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

QVariant StepModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rowCount)
        return {};
    const StepPlace piece = pieceAt(index.row());
    const QString &line = m_lines[piece.line];
    const qsizetype end = std::min(piece.position + m_pieceWidth, line.size());
    switch (role) {
    case Qt::DisplayRole: return line.mid(piece.position, m_pieceWidth);
    case MarksRole: {
        QList<StepMark> marks;
        for (const StepMark &mark : m_marks) {
            if (mark.place.line == piece.line && mark.place.position >= piece.position && mark.place.position < end)
                marks.push_back({{piece.line, mark.place.position - piece.position}, mark.role});
        }
        return QVariant::fromValue(marks);
    }
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        const QString places
            = QStringLiteral("Zeichen %1 bis %2").arg(QString::number(piece.position + 1), QString::number(end));
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
    , m_delegate(new StepDelegate(this))
{
    setModel(&m_model);
    setItemDelegate(m_delegate);
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

std::optional<StepPlace> StepList::characterAt(QPoint point) const
{
    const QModelIndex index = indexAt(point);
    if (!index.isValid())
        return std::nullopt;
    QStyleOptionViewItem item;
    initViewItemOption(&item);
    item.rect = visualRect(index);
    const std::optional<qsizetype> offset = m_delegate->characterAt(item, index, point);
    if (!offset)
        return std::nullopt;
    return m_model.placeOf(index.row(), *offset);
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
    connect(ui->DecipherInput, &QPlainTextEdit::cursorPositionChanged, this, &DecipherDialog::showTrace);
    for (const QAbstractScrollArea *field : std::initializer_list<QAbstractScrollArea *>{
             ui->DecipherInput, ui->DecipherCode, ui->DecipherRows, ui->DecipherCoordinates, ui->DecipherResult}) {
        field->viewport()->setMouseTracking(true);
        field->viewport()->installEventFilter(this);
    }
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
    m_hovered.reset();
    if (ui->DecipherInput->document()->characterCount() > kLongCiphertext) {
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
    ui->DecipherVerdict->clear();
    m_traceMap.reset();
    showTrace();
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

std::optional<qsizetype> DecipherDialog::inputCharacterAt(QPoint point) const
{
    const QPlainTextEdit *input = ui->DecipherInput;
    const QTextDocument *document = input->document();
    const int boundary = input->cursorForPosition(point).position();
    QTextCursor cursor(input->document());
    for (const int place : {boundary, boundary - 1}) {
        if (place < 0 || place >= document->characterCount() - 1)
            continue;
        cursor.setPosition(place);
        const QRect left = input->cursorRect(cursor);
        const int width = input->fontMetrics().horizontalAdvance(document->characterAt(place));
        if (point.x() >= left.x() && point.x() < left.x() + width && point.y() >= left.top()
            && point.y() <= left.bottom())
            return place;
    }
    return std::nullopt;
}

std::optional<DecipherDialog::TraceStart> DecipherDialog::startAt(const QObject *viewport, QPoint point) const
{
    if (viewport == ui->DecipherInput->viewport()) {
        const std::optional<qsizetype> place = inputCharacterAt(point);
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

bool DecipherDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Leave) {
        const std::optional<TraceStart> hovered = event->type() == QEvent::MouseMove
            ? startAt(watched, static_cast<QMouseEvent *>(event)->position().toPoint())
            : std::nullopt;
        if (hovered != m_hovered) {
            m_hovered = hovered;
            showTrace();
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Marks only: the texts, their cursors and undo stacks stay as they are. A trace is at most ten marks.
void DecipherDialog::showTrace()
{
    QTextDocument *document = ui->DecipherInput->document();
    std::vector<bifid::TraceMark> trace;
    // The cursor may move before the changed text has been read back.
    if (m_traceMap && document->characterCount() - 1 == m_typedLength) {
        if (const std::optional<TraceStart> start = m_hovered ? m_hovered : cursorStart())
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
    for (const bifid::TraceMark &mark : trace) {
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
            QTextEdit::ExtraSelection selection{QTextCursor(document), {}};
            selection.cursor.setPosition(place);
            selection.cursor.setPosition(place + 1, QTextCursor::KeepAnchor);
            selection.format.setBackground(markColours(mark.role).background);
            selection.format.setForeground(markColours(mark.role).text);
            ciphertext.push_back(selection);
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
}
