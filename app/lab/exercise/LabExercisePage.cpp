// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LabExercisePage.h"

#include "Colours.h"
#include "ExerciseSentences.h"
#include "ExerciseSheet.h"
#include "ExerciseTexts.h"
#include "Fonts.h"
#include "MainWindowState.h"
#include "Messages.h"
#include "SquareGrid.h"
#include "TextCodec.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

using bifid::ExerciseField;

namespace {

// Fresh seeds stay short enough to read out to a class.
constexpr quint64 kFreshSeeds = 1'000'000;

constexpr std::array<const char *, bifid::kExerciseFieldCount> kFieldNames{
    "LabExerciseCoordinates", "LabExerciseRows", "LabExerciseCode", "LabExerciseResult"};

std::vector<std::string> inCodePage(const QStringList &texts)
{
    std::vector<std::string> converted;
    converted.reserve(std::size_t(texts.size()));
    for (const QString &text : texts)
        converted.push_back(TextCodec::toCodePage(text));
    return converted;
}

// A field's text in the cipher's bytes, and for every byte where its character starts in the field.
struct FieldBytes {
    std::string bytes;
    std::vector<int> places;
};

FieldBytes bytesOf(const QString &text)
{
    FieldBytes field;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length
            = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        for (const char byte : TextCodec::toCodePage(QStringView(text).mid(i, length))) {
            field.bytes += byte;
            field.places.push_back(int(i));
        }
        i += length;
    }
    return field;
}

QTextEdit::ExtraSelection markOf(QPlainTextEdit *field, int from, int to, QColor background, QColor foreground)
{
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(field->document());
    mark.cursor.setPosition(from);
    mark.cursor.setPosition(to, QTextCursor::KeepAnchor);
    if (background.isValid())
        mark.format.setBackground(background);
    mark.format.setForeground(foreground);
    return mark;
}

// Green as far as the field is right, red at its first mistake.
QList<QTextEdit::ExtraSelection> marksOf(QPlainTextEdit *field, const FieldBytes &typed, const bifid::FieldCheck &check)
{
    QList<QTextEdit::ExtraSelection> marks;
    const QString text = field->toPlainText();
    const auto placeOf = [&](std::size_t character) { return typed.places[check.places[character]]; };
    if (check.correct > 0)
        marks << markOf(field, placeOf(0), placeOf(check.correct - 1) + 1, {}, Colours::kGreen);
    if (check.hasMistake()) {
        const int wrong = placeOf(check.correct);
        const int length = text[wrong].isHighSurrogate() ? 2 : 1;
        marks << markOf(field, wrong, wrong + length, Colours::kRed, Colours::kWhite);
    }
    return marks;
}

// Replaces a field's text as one step the learner can undo.
void replaceText(QPlainTextEdit *field, const QString &text)
{
    if (field->toPlainText() == text)
        return;
    QTextCursor cursor(field->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
}

QString inPairs(std::string_view digits)
{
    QStringList pairs;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        pairs << TextCodec::fromCodePage(digits.substr(i, 2));
    return pairs.join(u' ');
}

// The given text with two blanks after each letter, so that each letter stands over its pair of
// coordinates written as the solution writes them.
QString spacedLetters(std::string_view letters)
{
    QString spaced;
    for (const char letter : letters)
        spaced += TextCodec::fromCodePage(std::string_view(&letter, 1)) + QStringLiteral("  ");
    return spaced.trimmed();
}

}  // namespace

LabExercisePage::LabExercisePage(const MainWindowState &mainWindow, QWidget *parent)
    : QWidget(parent)
    , m_mainWindow(mainWindow)
    , m_seedField(new QLineEdit(this))
    , m_fromWindow(new QCheckBox(QStringLiteral("Text aus dem &Hauptfenster"), this))
    , m_withSolution(new QCheckBox(QStringLiteral("mit Lösungs&blatt"), this))
    , m_message(new QLabel(this))
    , m_taskText(new QLabel(this))
    , m_keyword(new QLabel(this))
    , m_square(new SquareGrid(this))
    , m_letters(new QLabel(this))
    , m_feedbackText(new QLabel(this))
    , m_printAction(new QAction(QStringLiteral("Arbeitsblatt drucken …"), this))
{
    setObjectName(QStringLiteral("LabExercisePage"));
    const QFont fieldFont = Fonts::bold(QStringLiteral("Courier New"), 11);

    m_seedField->setObjectName(QStringLiteral("LabExerciseSeed"));
    m_seedField->setMaximumWidth(220);
    m_seedField->setToolTip(QStringLiteral(
        "Die Nummer der Aufgabe: dieselbe Nummer ergibt dieselbe Aufgabe. Eine Nummer eintippen und Enter drücken."));
    auto *seedLabel = new QLabel(QStringLiteral("Aufgaben&nummer:"), this);
    seedLabel->setBuddy(m_seedField);
    auto *newTask = new QPushButton(QStringLiteral("&Neue Aufgabe"), this);
    newTask->setObjectName(QStringLiteral("LabNewExercise"));
    m_fromWindow->setObjectName(QStringLiteral("LabExerciseFromWindow"));
    m_fromWindow->setToolTip(
        QStringLiteral("Statt eines Satzes der Liste den bereinigten Text des Hauptfensters nehmen."));
    m_withSolution->setObjectName(QStringLiteral("LabExerciseWithSolution"));
    m_withSolution->setToolTip(QStringLiteral("Dem Arbeitsblatt eine zweite Seite mit den Lösungen anfügen."));
    auto *print = new QPushButton(QStringLiteral("Arbeitsblatt &drucken …"), this);
    print->setObjectName(QStringLiteral("LabExercisePrint"));
    print->setToolTip(QStringLiteral("Die Druckvorschau des Arbeitsblatts öffnen (Strg+P)."));

    auto *top = new QHBoxLayout;
    top->addWidget(seedLabel);
    top->addWidget(m_seedField);
    top->addWidget(newTask);
    top->addWidget(m_fromWindow);
    top->addStretch();
    top->addWidget(m_withSolution);
    top->addWidget(print);

    m_message->setObjectName(QStringLiteral("LabExerciseMessage"));
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    Colours::setTextColour(m_message, Colours::kRed);
    m_message->hide();

    m_taskText->setObjectName(QStringLiteral("LabExerciseTask"));
    m_taskText->setWordWrap(true);
    m_taskText->setTextFormat(Qt::PlainText);
    m_taskText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_keyword->setObjectName(QStringLiteral("LabExerciseKeyword"));
    m_keyword->setTextFormat(Qt::PlainText);
    m_keyword->setFont(fieldFont);
    m_square->setObjectName(QStringLiteral("LabExerciseSquare"));
    m_square->setTitle(QStringLiteral("Matrix des Keywords"));
    m_square->build(bifid::Dimension::Five, QStringLiteral("LabExerciseCell"));

    auto *steps = new QVBoxLayout;
    steps->addWidget(m_taskText);
    m_letters->setObjectName(QStringLiteral("LabExerciseLetters"));
    m_letters->setFont(fieldFont);
    m_letters->setTextFormat(Qt::PlainText);
    for (std::size_t f = 0; f < m_fields.size(); ++f) {
        auto *field = new QPlainTextEdit(this);
        field->setObjectName(QString::fromLatin1(kFieldNames[f]));
        field->setFont(fieldFont);
        field->setTabChangesFocus(true);
        const bool rows = f == std::size_t(ExerciseField::Rows);
        field->setLineWrapMode(rows ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        const int lines = rows ? 4 : 2;
        const int height = lines * field->fontMetrics().lineSpacing() + 2 * field->frameWidth()
            + 2 * int(field->document()->documentMargin());
        field->setMinimumHeight(height);
        if (!rows)
            field->setMaximumHeight(height);
        field->setPlaceholderText(rows ? QStringLiteral("jede Zeile in einer eigenen Textzeile") : QString());
        auto *label = new QLabel(this);
        label->setBuddy(field);
        m_labels[f] = label;
        m_fields[f] = field;
        steps->addWidget(label);
        if (f == 0)
            steps->addWidget(m_letters);
        steps->addWidget(field, rows ? 1 : 0);
        connect(field, &QPlainTextEdit::textChanged, this, [this, f] { fieldEdited(f); });
    }
    // The letters stand where the field's text starts.
    m_letters->setContentsMargins(m_fields[0]->frameWidth() + int(m_fields[0]->document()->documentMargin()), 0, 0, 0);

    auto *checkButton = new QPushButton(QStringLiteral("&Prüfen"), this);
    checkButton->setObjectName(QStringLiteral("LabExerciseCheck"));
    checkButton->setToolTip(QStringLiteral("Jedes Feld so weit prüfen, wie es ausgefüllt ist."));
    auto *solution = new QPushButton(QStringLiteral("&Lösung zeigen"), this);
    solution->setObjectName(QStringLiteral("LabExerciseSolution"));
    solution->setToolTip(QStringLiteral("Die richtigen Antworten eintragen (Strg+Z holt die eigenen zurück)."));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(checkButton);
    buttons->addWidget(solution);
    buttons->addStretch();
    steps->addLayout(buttons);

    m_feedbackText->setObjectName(QStringLiteral("LabExerciseFeedback"));
    m_feedbackText->setWordWrap(true);
    m_feedbackText->setTextFormat(Qt::PlainText);
    m_feedbackText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_feedbackText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    steps->addWidget(m_feedbackText);

    auto *side = new QVBoxLayout;
    side->addWidget(m_square);
    side->addWidget(m_keyword);
    side->addStretch();

    auto *body = new QHBoxLayout;
    body->addLayout(steps, 1);
    body->addLayout(side);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_message);
    layout->addLayout(body, 1);

    m_printAction->setObjectName(QStringLiteral("LabExercisePrintAction"));
    m_printAction->setShortcut(QKeySequence::Print);
    m_printAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(m_printAction);

    connect(m_seedField, &QLineEdit::returnPressed, this, &LabExercisePage::takeTypedSeed);
    connect(newTask, &QPushButton::clicked, this, &LabExercisePage::drawNewTask);
    connect(m_fromWindow, &QCheckBox::toggled, this, &LabExercisePage::sourceChanged);
    connect(checkButton, &QPushButton::clicked, this, &LabExercisePage::check);
    connect(solution, &QPushButton::clicked, this, &LabExercisePage::showSolution);
    connect(print, &QPushButton::clicked, m_printAction, &QAction::trigger);
    connect(m_printAction, &QAction::triggered, this, &LabExercisePage::openPrintPreview);

    // The keyboard goes along the top row, through the steps in their order, then to what can be read.
    const QList<QWidget *> order{m_seedField, newTask, m_fromWindow, m_withSolution, print, m_fields[0], m_fields[1],
        m_fields[2], m_fields[3], checkButton, solution, m_taskText, m_feedbackText};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    drawNewTask();
}

void LabExercisePage::takeTypedSeed()
{
    const std::optional<std::uint64_t> seed = bifid::parseSeed(TextCodec::toCodePage(m_seedField->text()));
    if (!seed) {
        showMessage(ExerciseTexts::seedError(m_seedField->text()));
        m_seedField->selectAll();
        return;
    }
    makeTask(*seed);
}

void LabExercisePage::drawNewTask()
{
    const quint64 seed = QRandomGenerator::global()->bounded(kFreshSeeds);
    m_seedField->setText(QString::number(seed));
    makeTask(seed);
}

// The task of the seed shown, from the other source; where the main window's text cannot be taken,
// the choice goes back.
void LabExercisePage::sourceChanged()
{
    if (!makeTask(m_seed)) {
        const QSignalBlocker blocker(m_fromWindow);
        m_fromWindow->setChecked(false);
    }
}

bool LabExercisePage::makeTask(std::uint64_t seed)
{
    bifid::ExerciseTask task
        = bifid::drawExercise(seed, inCodePage(exerciseSentences()), inCodePage(m_mainWindow.keywordChoices()));
    if (m_fromWindow->isChecked()) {
        task.sentence = TextCodec::toCodePage(m_mainWindow.cleanedPlaintext());
        const std::size_t letters = bifid::exercisePlaintext(task).size();
        if (letters == 0) {
            showMessage(QStringLiteral("Im Hauptfenster ist noch kein Text bereinigt: dort erst „Eingabetext "
                                       "bereinigen“ wählen, oder die Aufgabe aus der Satzliste nehmen."));
            return false;
        }
        if (letters > bifid::kMaxExerciseLetters) {
            showMessage(QStringLiteral("Der bereinigte Text des Hauptfensters hat %1 Buchstaben; eine Übung von Hand "
                                       "nimmt höchstens %2, damit sie auf ein Arbeitsblatt passt.")
                            .arg(letters)
                            .arg(bifid::kMaxExerciseLetters));
            return false;
        }
    }
    showMessage({});
    m_seed = seed;
    m_seedField->setText(QString::number(seed));
    if (task == m_task && !m_solution.given.empty())
        return true;  // the learner's work on it stays
    m_task = std::move(task);
    m_solution = bifid::solveExercise(m_task);
    showTask();
    return true;
}

void LabExercisePage::showTask()
{
    m_taskText->setText(ExerciseTexts::taskLines(m_task, m_solution).join(u'\n'));
    m_keyword->setText(ExerciseTexts::keywordLine(m_task));
    m_square->showSquare(bifid::exerciseSquare(m_task));
    m_letters->setText(spacedLetters(m_solution.given));
    for (std::size_t f = 0; f < m_fields.size(); ++f) {
        const QString label = ExerciseTexts::fieldLabel(m_task, ExerciseField(f));
        // The step's number is its mnemonic: Alt+1 to Alt+4.
        m_labels[f]->setText(QStringLiteral("&") + label);
        m_fields[f]->setAccessibleName(label);
        replaceText(m_fields[f], {});
        m_fields[f]->setExtraSelections({});
        m_feedback[f].clear();
    }
    showFeedback();
}

void LabExercisePage::check()
{
    std::array<FieldBytes, bifid::kExerciseFieldCount> typed;
    for (std::size_t f = 0; f < typed.size(); ++f)
        typed[f] = bytesOf(m_fields[f]->toPlainText());
    const auto checks = bifid::checkExercise(m_task, {typed[0].bytes, typed[1].bytes, typed[2].bytes, typed[3].bytes});
    for (std::size_t f = 0; f < typed.size(); ++f) {
        m_fields[f]->setExtraSelections(marksOf(m_fields[f], typed[f], checks[f]));
        m_feedback[f] = ExerciseTexts::feedbackLine(m_task, m_solution, ExerciseField(f), checks[f]);
    }
    showFeedback();
}

void LabExercisePage::showSolution()
{
    const auto &s = m_solution;
    QStringList rows;
    for (const std::string &row : s.rows)
        rows << TextCodec::fromCodePage(row);
    QString result = TextCodec::fromCodePage(s.result);
    if (m_task.period > 0) {
        for (auto i = qsizetype(m_task.period); i < result.size(); i += qsizetype(m_task.period) + 1)
            result.insert(i, u' ');
    }
    const std::array<QString, bifid::kExerciseFieldCount> answers{
        inPairs(s.coordinates), rows.join(u'\n'), inPairs(s.code), result};
    for (std::size_t f = 0; f < answers.size(); ++f)
        replaceText(m_fields[f], answers[f]);
}

void LabExercisePage::fieldEdited(std::size_t field)
{
    // The marks and the line were about the text as it was checked.
    m_fields[field]->setExtraSelections({});
    if (!m_feedback[field].isEmpty()) {
        m_feedback[field].clear();
        showFeedback();
    }
}

void LabExercisePage::showMessage(const QString &message)
{
    m_message->setText(message);
    m_message->setVisible(!message.isEmpty());
}

void LabExercisePage::showFeedback()
{
    QStringList lines;
    for (const QString &line : m_feedback) {
        if (!line.isEmpty())
            lines << line;
    }
    m_feedbackText->setText(lines.join(u'\n'));
}

void LabExercisePage::printSheet(QPrinter *printer) const
{
    if (!ExerciseSheet::paint(*printer, m_seed, m_task, m_withSolution->isChecked())) {
        Messages::showError(window(),
            QStringLiteral("Das Arbeitsblatt ließ sich nicht drucken: der Drucker oder die Datei „%1“ ist nicht "
                           "bereit.")
                .arg(printer->outputFileName().isEmpty() ? printer->printerName() : printer->outputFileName()));
    }
}

void LabExercisePage::openPrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    printer.setDocName(ExerciseTexts::title(m_seed));
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("LabExercisePreview"));
    preview.setWindowTitle(QStringLiteral("Druckvorschau: %1").arg(ExerciseTexts::title(m_seed)));
    // As large as the screen holds, so that the whole page shows.
    const QRect area = screen()->availableGeometry();
    preview.resize(std::min(900, area.width() - 40), area.height() - 60);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &LabExercisePage::printSheet);
    preview.exec();
}
