// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LabExercisePage.h"

#include "Announce.h"
#include "AnswerField.h"
#include "ClassSetDialog.h"
#include "Colours.h"
#include "ExerciseSentences.h"
#include "ExerciseTexts.h"
#include "Fonts.h"
#include "MainWindowState.h"
#include "Messages.h"
#include "PageScrollArea.h"
#include "PairLetters.h"
#include "SquareGrid.h"
#include "TextCodec.h"

#include <cipher/Grouping.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

using bifid::ExerciseField;

namespace {

// Fresh seeds stay short enough to read out to a class.
constexpr quint64 kFreshSeeds = 1'000'000;

constexpr std::array<const char *, bifid::kExerciseFieldCount> kFieldNames{
    "LabExerciseCoordinates", "LabExerciseRows", "LabExerciseCode", "LabExerciseResult"};

// A field's text in the cipher's bytes, and for every byte where its character starts in the field.
struct FieldBytes {
    std::string bytes;
    std::vector<int> places;
};

FieldBytes bytesOf(const QString &text)
{
    FieldBytes field;
    field.bytes = TextCodec::toCodePage(text);
    for (TextCodec::CodePointReader reader(text); !reader.atEnd();) {
        const TextCodec::CodePoint codePoint = reader.next();
        field.places.insert(field.places.end(), TextCodec::byteCount(codePoint.value), int(codePoint.start));
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
        const auto length = int(TextCodec::CodePointReader(QStringView(text).mid(wrong)).next().length);
        marks << markOf(field, wrong, wrong + length, Colours::kRed, Colours::kWhite);
    }
    return marks;
}

// Replaces a field's text as one step the learner can undo; false when it held the text already.
bool replaceText(QPlainTextEdit *field, const QString &text)
{
    if (field->toPlainText() == text)
        return false;
    QTextCursor cursor(field->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    return true;
}

QComboBox *choiceBox(QWidget *parent, const char *name, const QStringList &entries)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(entries);
    return box;
}

// A combo box's entry as a fixed choice; the entry after them ("gemischt") as none.
template <typename T, std::size_t N> std::optional<T> choiceOf(const QComboBox *box, const std::array<T, N> &fixed)
{
    const auto index = std::size_t(box->currentIndex());
    if (index >= N)
        return std::nullopt;
    return fixed[index];
}

template <typename T, std::size_t N>
void showChoice(QComboBox *box, const std::optional<T> &choice, const std::array<T, N> &fixed)
{
    const auto *found = choice ? std::find(fixed.begin(), fixed.end(), *choice) : fixed.end();
    box->setCurrentIndex(int(found - fixed.begin()));
}

constexpr std::array kDirections{bifid::ExerciseDirection::Encipher, bifid::ExerciseDirection::Decipher};
constexpr std::array kDimensions{bifid::Dimension::Five, bifid::Dimension::Six};
constexpr std::array kDepths{2, 3};

QString mixed()
{
    return QStringLiteral("gemischt");
}

}  // namespace

LabExercisePage::LabExercisePage(const MainWindowState &mainWindow, QWidget *parent)
    : QWidget(parent)
    , m_mainWindow(mainWindow)
    , m_seedField(new QLineEdit(this))
    , m_codeField(new QLineEdit(this))
    , m_direction(choiceBox(
          this, "LabExerciseDirection", {QStringLiteral("Verschlüsseln"), QStringLiteral("Entschlüsseln"), mixed()}))
    , m_dimension(choiceBox(this, "LabExerciseDimension", {QStringLiteral("5 X 5"), QStringLiteral("6 X 6"), mixed()}))
    , m_depth(choiceBox(this, "LabExerciseDepth", {QStringLiteral("2"), QStringLiteral("3"), mixed()}))
    , m_period(choiceBox(this, "LabExercisePeriod",
          {QStringLiteral("keine"), QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
              mixed()}))
    , m_textSource(choiceBox(this, "LabExerciseTextSource",
          {QStringLiteral("Satz aus der Liste"), QStringLiteral("Text des Hauptfensters")}))
    , m_keySource(choiceBox(this, "LabExerciseKeySource",
          {QStringLiteral("Wort aus der Liste"), QStringLiteral("Keyword und Matrix des Hauptfensters")}))
    , m_withSolution(new QCheckBox(QStringLiteral("mit Lösungs&blatt"), this))
    , m_message(new QLabel(this))
    , m_taskText(new QLabel(this))
    , m_keyword(new QLabel(this))
    , m_square(new SquareGrid(this))
    , m_feedbackText(new QLabel(this))
    , m_printAction(new QAction(QStringLiteral("Arbeitsblatt drucken …"), this))
    , m_undoSolutionAction(new QAction(QStringLiteral("Eigene Eingaben zurückholen"), this))
{
    setObjectName(QStringLiteral("LabExercisePage"));
    const QFont fieldFont = Fonts::bold(QStringLiteral("Courier New"), 11);

    m_seedField->setObjectName(QStringLiteral("LabExerciseSeed"));
    m_seedField->setMaximumWidth(170);
    m_seedField->setToolTip(QStringLiteral("Die Nummer der Aufgabe: dieselbe Nummer ergibt mit denselben Einstellungen "
                                           "dieselbe Aufgabe. Eine Nummer eintippen und Enter drücken."));
    auto *seedLabel = new QLabel(QStringLiteral("Aufgabenn&ummer:"), this);
    seedLabel->setBuddy(m_seedField);
    auto *newTask = new QPushButton(QStringLiteral("&Neue Aufgabe"), this);
    newTask->setObjectName(QStringLiteral("LabNewExercise"));
    newTask->setToolTip(QStringLiteral("Eine neue Aufgabe mit denselben Einstellungen stellen."));
    m_codeField->setObjectName(QStringLiteral("LabExerciseTaskCode"));
    m_codeField->setMaximumWidth(150);
    m_codeField->setToolTip(
        QStringLiteral("Der Aufgabencode hält die Einstellungen und die Nummer der Aufgabe: derselbe "
                       "Code ergibt auf jedem Rechner dieselbe Aufgabe. Einen Code eintippen und "
                       "Enter drücken."));
    auto *codeLabel = new QLabel(QStringLiteral("Aufgaben&code:"), this);
    codeLabel->setBuddy(m_codeField);
    m_withSolution->setObjectName(QStringLiteral("LabExerciseWithSolution"));
    m_withSolution->setToolTip(QStringLiteral("Dem Arbeitsblatt eine zweite Seite mit den Lösungen anfügen."));
    auto *print = new QPushButton(QStringLiteral("Arbeitsblatt &drucken …"), this);
    print->setObjectName(QStringLiteral("LabExercisePrint"));
    print->setToolTip(QStringLiteral("Die Druckvorschau des Arbeitsblatts öffnen (Strg+P)."));
    auto *classSet = new QPushButton(QStringLiteral("Klassensat&z …"), this);
    classSet->setObjectName(QStringLiteral("LabExerciseClassSet"));
    classSet->setToolTip(QStringLiteral("Für jede Schülerin und jeden Schüler ein Arbeitsblatt mit eigener Aufgabe und "
                                        "denselben Einstellungen, dazu die Lösungen aller Aufgaben."));

    auto *top = new QHBoxLayout;
    top->addWidget(seedLabel);
    top->addWidget(m_seedField);
    top->addWidget(newTask);
    top->addSpacing(12);
    top->addWidget(codeLabel);
    top->addWidget(m_codeField);
    top->addStretch();
    top->addWidget(m_withSolution);
    top->addWidget(print);
    top->addWidget(classSet);

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
    m_keyword->setWordWrap(true);
    m_keyword->setFont(fieldFont);
    m_square->setObjectName(QStringLiteral("LabExerciseSquare"));
    m_square->setTitle(QStringLiteral("Matrix des Keywords"));
    m_square->build(bifid::Dimension::Five, QStringLiteral("LabExerciseCell"));

    auto *stepsArea = new QWidget;
    auto *steps = new QVBoxLayout(stepsArea);
    steps->setContentsMargins(0, 0, 0, 0);
    steps->setSpacing(4);
    steps->addWidget(m_taskText);
    for (std::size_t f = 0; f < m_fields.size(); ++f) {
        // The coordinates stay on one line under their letters, scrolling sideways; the rows each on a
        // line of their own; the cipher code and the result wrap.
        const bool rows = f == std::size_t(ExerciseField::Rows);
        const bool coordinates = f == std::size_t(ExerciseField::Coordinates);
        auto *field = new AnswerField(coordinates ? 1 : (rows ? 3 : 2),
            rows || coordinates ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth, stepsArea);
        field->setObjectName(QString::fromLatin1(kFieldNames[f]));
        field->setFont(fieldFont);
        if (coordinates)
            field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if (!rows)
            field->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        field->setPlaceholderText(rows ? QStringLiteral("jede Zeile in einer eigenen Textzeile") : QString());
        field->installEventFilter(this);
        auto *label = new QLabel(stepsArea);
        label->setBuddy(field);
        m_labels[f] = label;
        m_fields[f] = field;
        steps->addWidget(label);
        if (f == 0) {
            m_letters = new PairLetters(field, stepsArea);
            m_letters->setObjectName(QStringLiteral("LabExerciseLetters"));
            steps->addWidget(m_letters);
        }
        steps->addWidget(field, rows ? 1 : 0);
        connect(field, &QPlainTextEdit::textChanged, this, [this, f] { fieldEdited(f); });
    }

    auto *checkButton = new QPushButton(QStringLiteral("&Prüfen"), stepsArea);
    checkButton->setObjectName(QStringLiteral("LabExerciseCheck"));
    checkButton->setToolTip(QStringLiteral("Jedes Feld so weit prüfen, wie es ausgefüllt ist."));
    auto *solution = new QPushButton(QStringLiteral("&Lösung zeigen"), stepsArea);
    solution->setObjectName(QStringLiteral("LabExerciseSolution"));
    solution->setToolTip(QStringLiteral("Die richtigen Antworten eintragen (Strg+Z holt die eigenen zurück)."));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(checkButton);
    buttons->addWidget(solution);
    buttons->addStretch();
    steps->addLayout(buttons);

    m_feedbackText->setObjectName(QStringLiteral("LabExerciseFeedback"));
    m_feedbackText->setAccessibleName(QStringLiteral("Rückmeldung"));
    m_feedbackText->setWordWrap(true);
    m_feedbackText->setTextFormat(Qt::PlainText);
    m_feedbackText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_feedbackText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    steps->addWidget(m_feedbackText);

    // Where the window is too small for every step, the steps scroll rather than overlap.
    auto *scroll = new PageScrollArea(stepsArea, QStringLiteral("Schritte der Übung"), this);
    scroll->setObjectName(QStringLiteral("LabExerciseSteps"));

    auto *settingsBox = new QGroupBox(QStringLiteral("Einstellungen der Aufgabe"), this);
    settingsBox->setObjectName(QStringLiteral("LabExerciseSettings"));
    auto *form = new QFormLayout(settingsBox);
    const auto addChoice = [&](const QString &label, QComboBox *box, const QString &tip) {
        box->setToolTip(tip);
        form->addRow(label, box);
    };
    addChoice(QStringLiteral("&Richtung:"), m_direction,
        QStringLiteral("Verschlüsseln, entschlüsseln, oder je nach Aufgabe."));
    addChoice(QStringLiteral("&Matrix:"), m_dimension, QStringLiteral("Die Größe der Matrix, oder je nach Aufgabe."));
    addChoice(QStringLiteral("&Tiefe:"), m_depth, QStringLiteral("Die Fraktionierungstiefe, oder je nach Aufgabe."));
    addChoice(QStringLiteral("Peri&ode:"), m_period,
        QStringLiteral("Die Länge der Blöcke, keine für einen Block aus dem ganzen Text, oder je nach Aufgabe."));
    addChoice(QStringLiteral("Te&xt:"), m_textSource,
        QStringLiteral("Ein Satz aus der Liste der Übungen, oder der bereinigte Text des Hauptfensters."));
    addChoice(QStringLiteral("&Schlüssel:"), m_keySource,
        QStringLiteral("Ein Wort aus der Keyword-Liste, in die Matrix nach der klassischen Regel gesetzt, oder das "
                       "Keyword und die Matrix, die das Hauptfenster zeigt."));
    for (QComboBox *box : {m_direction, m_dimension, m_depth, m_period})
        box->setCurrentIndex(box->count() - 1);

    auto *side = new QVBoxLayout;
    side->addWidget(m_square);
    side->addWidget(m_keyword);
    side->addWidget(settingsBox);
    side->addStretch();

    auto *body = new QHBoxLayout;
    body->addWidget(scroll, 1);
    body->addLayout(side);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_message);
    layout->addLayout(body, 1);

    m_printAction->setObjectName(QStringLiteral("LabExercisePrintAction"));
    m_printAction->setShortcut(QKeySequence::Print);
    m_printAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(m_printAction);
    // The fields take Ctrl+Z themselves (see eventFilter); this is for the focus elsewhere on the page.
    m_undoSolutionAction->setObjectName(QStringLiteral("LabExerciseUndoSolution"));
    m_undoSolutionAction->setShortcut(QKeySequence::Undo);
    m_undoSolutionAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_undoSolutionAction->setEnabled(false);
    addAction(m_undoSolutionAction);

    connect(m_seedField, &QLineEdit::returnPressed, this, &LabExercisePage::takeTypedSeed);
    connect(m_codeField, &QLineEdit::returnPressed, this, &LabExercisePage::takeTypedCode);
    connect(newTask, &QPushButton::clicked, this, &LabExercisePage::drawNewTask);
    for (QComboBox *box : {m_direction, m_dimension, m_depth, m_period, m_textSource, m_keySource})
        connect(box, &QComboBox::activated, this, &LabExercisePage::settingsChanged);
    connect(checkButton, &QPushButton::clicked, this, &LabExercisePage::check);
    connect(solution, &QPushButton::clicked, this, &LabExercisePage::showSolution);
    connect(print, &QPushButton::clicked, m_printAction, &QAction::trigger);
    connect(m_printAction, &QAction::triggered, this, &LabExercisePage::openPrintPreview);
    connect(classSet, &QPushButton::clicked, this, &LabExercisePage::openClassSet);
    connect(m_undoSolutionAction, &QAction::triggered, this, &LabExercisePage::undoSolution);

    // The keyboard goes along the top row, through the steps in their order, to what can be read, and
    // then to the settings.
    const QList<QWidget *> order{m_seedField, newTask, m_codeField, m_withSolution, print, classSet, m_fields[0],
        m_fields[1], m_fields[2], m_fields[3], checkButton, solution, m_taskText, m_feedbackText, m_direction,
        m_dimension, m_depth, m_period, m_textSource, m_keySource};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    m_settings = chosenSettings();
    drawNewTask();
}

QString LabExercisePage::taskCode() const
{
    return QString::fromLatin1(bifid::formatTaskCode({m_settings, m_seed}));
}

bifid::ExerciseSettings LabExercisePage::chosenSettings() const
{
    bifid::ExerciseSettings settings;
    settings.direction = choiceOf(m_direction, kDirections);
    settings.dimension = choiceOf(m_dimension, kDimensions);
    settings.depth = choiceOf(m_depth, kDepths);
    settings.period = choiceOf(m_period, bifid::kExercisePeriods);
    settings.text = m_textSource->currentIndex() == 1 ? bifid::ExerciseTextSource::MainWindow
                                                      : bifid::ExerciseTextSource::SentenceList;
    settings.key
        = m_keySource->currentIndex() == 1 ? bifid::ExerciseKeySource::MainWindow : bifid::ExerciseKeySource::WordList;
    return settings;
}

// The controls as the task shown was made: its seed, code and settings.
void LabExercisePage::showSettings()
{
    m_seedField->setText(QString::number(m_seed));
    m_codeField->setText(taskCode());
    showChoice(m_direction, m_settings.direction, kDirections);
    showChoice(m_dimension, m_settings.dimension, kDimensions);
    showChoice(m_depth, m_settings.depth, kDepths);
    showChoice(m_period, m_settings.period, bifid::kExercisePeriods);
    m_textSource->setCurrentIndex(m_settings.text == bifid::ExerciseTextSource::MainWindow ? 1 : 0);
    m_keySource->setCurrentIndex(m_settings.key == bifid::ExerciseKeySource::MainWindow ? 1 : 0);
    // The main window's square has its own size.
    m_dimension->setEnabled(m_settings.key == bifid::ExerciseKeySource::WordList);
}

void LabExercisePage::takeTypedSeed()
{
    const std::optional<std::uint64_t> seed = bifid::parseSeed(TextCodec::toCodePage(m_seedField->text()));
    if (!seed) {
        showMessage(ExerciseTexts::seedError(m_seedField->text()));
        m_seedField->selectAll();
        return;
    }
    makeTask(*seed, m_settings);
}

void LabExercisePage::takeTypedCode()
{
    const bifid::TaskCodeReading reading = bifid::readTaskCode(TextCodec::toCodePage(m_codeField->text()));
    if (!reading.code) {
        showMessage(ExerciseTexts::taskCodeError(m_codeField->text(), reading));
        m_codeField->selectAll();
        return;
    }
    makeTask(reading.code->seed, reading.code->settings);
}

void LabExercisePage::drawNewTask()
{
    makeTask(QRandomGenerator::global()->bounded(kFreshSeeds), m_settings);
}

void LabExercisePage::settingsChanged()
{
    makeTask(m_seed, chosenSettings());
}

std::optional<bifid::ExerciseTask> LabExercisePage::taskFor(
    std::uint64_t seed, const bifid::ExerciseSettings &settings) const
{
    const std::vector<std::string> keywords
        = bifid::exerciseKeywords(TextCodec::toCodePage(m_mainWindow.keywordChoices()));
    bifid::ExerciseTask task
        = bifid::drawExercise(seed, TextCodec::toCodePage(exerciseSentences()), keywords, settings);
    if (settings.key == bifid::ExerciseKeySource::MainWindow) {
        const std::optional<bifid::Square> square = m_mainWindow.shownSquare();
        if (!square || m_mainWindow.cleanedKeyword().isEmpty()) {
            showMessage(QStringLiteral("Im Hauptfenster ist noch keine Matrix zu einem Keyword generiert: dort erst "
                                       "„Keyword bereinigen“ und „Matrix generieren“ wählen, oder das Keyword aus der "
                                       "Liste nehmen."));
            return std::nullopt;
        }
        task.square = square;
        task.dimension = square->dimension();
        task.keyword = TextCodec::toCodePage(m_mainWindow.cleanedKeyword());
    }
    if (settings.text == bifid::ExerciseTextSource::MainWindow) {
        task.sentence = TextCodec::toCodePage(m_mainWindow.cleanedPlaintext());
        const std::size_t letters = bifid::exercisePlaintext(task).size();
        if (letters == 0) {
            showMessage(QStringLiteral("Im Hauptfenster ist noch kein Text bereinigt: dort erst „Eingabetext "
                                       "bereinigen“ wählen, oder die Aufgabe aus der Satzliste nehmen."));
            return std::nullopt;
        }
        if (letters > bifid::kMaxExerciseLetters) {
            showMessage(QStringLiteral("Der bereinigte Text des Hauptfensters hat %1 Buchstaben; eine Übung von Hand "
                                       "nimmt höchstens %2, damit sie auf ein Arbeitsblatt passt.")
                            .arg(letters)
                            .arg(bifid::kMaxExerciseLetters));
            return std::nullopt;
        }
    }
    return task;
}

bool LabExercisePage::makeTask(std::uint64_t seed, const bifid::ExerciseSettings &settings)
{
    std::optional<bifid::ExerciseTask> task = taskFor(seed, settings);
    const bool keepsWork = task && *task == m_task && !m_solution.given.empty();
    if (!task || (!keepsWork && !mayDiscardWork())) {
        showSettings();
        return false;
    }
    showMessage({});
    m_seed = seed;
    m_settings = settings;
    showSettings();
    if (keepsWork)
        return true;
    m_task = std::move(*task);
    m_solution = bifid::solveExercise(m_task);
    showTask();
    return true;
}

bool LabExercisePage::holdsOwnWork() const
{
    if (m_solutionShown)
        return false;
    return std::any_of(m_fields.begin(), m_fields.end(),
        [](const QPlainTextEdit *field) { return !field->toPlainText().trimmed().isEmpty(); });
}

bool LabExercisePage::mayDiscardWork()
{
    if (!holdsOwnWork())
        return true;
    QMessageBox question(QMessageBox::Question, QStringLiteral("Bifid-Labor"),
        QStringLiteral("In den Feldern der Übung steht, was du selbst eingegeben hast. Es geht dabei verloren."),
        QMessageBox::Discard | QMessageBox::Cancel, window());
    question.setObjectName(QStringLiteral("LabExerciseDiscardQuestion"));
    question.setInformativeText(QStringLiteral("Die eigenen Eingaben verwerfen?"));
    question.setDefaultButton(QMessageBox::Cancel);
    return question.exec() == QMessageBox::Discard;
}

void LabExercisePage::showTask()
{
    m_taskText->setText(ExerciseTexts::taskLines(m_task, m_solution).join(u'\n'));
    m_keyword->setText(ExerciseTexts::keywordLine(m_task));
    m_square->showSquare(bifid::exerciseSquare(m_task));
    m_letters->setLetters(TextCodec::fromCodePage(m_solution.given));
    m_writingFields = true;
    for (std::size_t f = 0; f < m_fields.size(); ++f) {
        const QString label = ExerciseTexts::fieldLabel(m_task, ExerciseField(f));
        // The step's number is its mnemonic: Alt+1 to Alt+4.
        m_labels[f]->setText(QStringLiteral("&") + label);
        m_fields[f]->setAccessibleName(label);
        m_fields[f]->setAccessibleDescription({});
        replaceText(m_fields[f], {});
        m_fields[f]->setExtraSelections({});
        m_feedback[f].clear();
    }
    m_writingFields = false;
    m_solutionShown.reset();
    m_undoSolutionAction->setEnabled(false);
    m_score.clear();
    showFeedback();
}

void LabExercisePage::check()
{
    std::array<FieldBytes, bifid::kExerciseFieldCount> typed;
    for (std::size_t f = 0; f < typed.size(); ++f)
        typed[f] = bytesOf(m_fields[f]->toPlainText());
    const auto checks = bifid::checkExercise(m_task, {typed[0].bytes, typed[1].bytes, typed[2].bytes, typed[3].bytes});
    for (std::size_t f = 0; f < typed.size(); ++f) {
        const bifid::FieldCheck &fieldCheck = checks[f];
        m_fields[f]->setExtraSelections(marksOf(m_fields[f], typed[f], fieldCheck));
        Announce::result(m_fields[f],
            fieldCheck.hasMistake() ? QStringLiteral("Fehler an Stelle %1").arg(fieldCheck.correct + 1)
                                    : QStringLiteral("richtig bis Stelle %1").arg(fieldCheck.correct));
        m_feedback[f] = ExerciseTexts::feedbackLine(m_task, m_solution, ExerciseField(f), fieldCheck);
    }
    m_score = ExerciseTexts::scoreLine(checks);
    showFeedback();
    Announce::result(m_feedbackText, m_feedbackText->text());
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
        TextCodec::fromCodePage(bifid::groupText(s.coordinates, 2)), rows.join(u'\n'),
        TextCodec::fromCodePage(bifid::groupText(s.code, 2)), result};
    std::array<bool, bifid::kExerciseFieldCount> changed{};
    m_writingFields = true;
    for (std::size_t f = 0; f < answers.size(); ++f)
        changed[f] = replaceText(m_fields[f], answers[f]);
    m_writingFields = false;
    if (std::find(changed.begin(), changed.end(), true) != changed.end()) {
        m_solutionShown = changed;
        m_undoSolutionAction->setEnabled(true);
    }
}

// One step back for all four fields: each to what the learner had before the solution.
void LabExercisePage::undoSolution()
{
    if (!m_solutionShown)
        return;
    const std::array<bool, bifid::kExerciseFieldCount> changed = *m_solutionShown;
    m_writingFields = true;
    for (std::size_t f = 0; f < m_fields.size(); ++f) {
        if (changed[f])
            m_fields[f]->undo();
    }
    m_writingFields = false;
    m_solutionShown.reset();
    m_undoSolutionAction->setEnabled(false);
}

bool LabExercisePage::eventFilter(QObject *watched, QEvent *event)
{
    if (m_solutionShown && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Undo)) {
        undoSolution();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void LabExercisePage::fieldEdited(std::size_t field)
{
    // The marks and the line were about the text as it was checked.
    m_fields[field]->setExtraSelections({});
    m_fields[field]->setAccessibleDescription({});  // quietly: the learner is typing
    if (!m_writingFields) {
        m_solutionShown.reset();
        m_undoSolutionAction->setEnabled(false);
    }
    if (!m_feedback[field].isEmpty() || !m_score.isEmpty()) {
        m_feedback[field].clear();
        m_score.clear();
        showFeedback();
    }
}

void LabExercisePage::showMessage(const QString &message) const
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
    if (!m_score.isEmpty())
        lines << m_score;
    m_feedbackText->setText(lines.join(u'\n'));
    // Only a check announces; typing that drops a line of it should not interrupt the learner.
    m_feedbackText->setAccessibleDescription(m_feedbackText->text());
}

void LabExercisePage::printSheet(QPrinter *printer) const
{
    if (!ExerciseSheet::paint(*printer, {taskCode(), m_task}, m_withSolution->isChecked())) {
        Messages::showError(window(),
            QStringLiteral("Das Arbeitsblatt ließ sich nicht drucken: der Drucker oder die Datei „%1“ ist nicht "
                           "bereit.")
                .arg(printer->outputFileName().isEmpty() ? printer->printerName() : printer->outputFileName()));
    }
}

QList<ExerciseSheet::CodedTask> LabExercisePage::classSet(int students) const
{
    QList<ExerciseSheet::CodedTask> tasks{{taskCode(), m_task}};
    for (std::uint64_t next = m_seed + 1; tasks.size() < students; ++next) {
        std::optional<bifid::ExerciseTask> task = taskFor(next, m_settings);
        if (!task)
            break;
        tasks.append({QString::fromLatin1(bifid::formatTaskCode({m_settings, next})), std::move(*task)});
    }
    return tasks;
}

void LabExercisePage::printClassSet(QPrinter *printer, int students) const
{
    const QList<ExerciseSheet::CodedTask> tasks = classSet(students);
    if (!ExerciseSheet::paintClassSet(*printer, tasks)) {
        Messages::showError(window(),
            QStringLiteral("Der Klassensatz ließ sich nicht drucken: der Drucker oder die Datei „%1“ ist nicht bereit.")
                .arg(printer->outputFileName().isEmpty() ? printer->printerName() : printer->outputFileName()));
    }
}

namespace {

void prepareA4(QPrinter &printer, const QString &name)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    printer.setDocName(name);
}

// As large as the screen holds, so that the whole page shows.
void sizeToScreen(QPrintPreviewDialog &preview, const QWidget *page)
{
    const QRect area = page->screen()->availableGeometry();
    preview.resize(std::min(900, area.width() - 40), area.height() - 60);
}

}  // namespace

void LabExercisePage::openPrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    prepareA4(printer, ExerciseTexts::title(taskCode()));
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("LabExercisePreview"));
    preview.setWindowTitle(QStringLiteral("Druckvorschau: %1").arg(ExerciseTexts::title(taskCode())));
    sizeToScreen(preview, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &LabExercisePage::printSheet);
    preview.exec();
}

void LabExercisePage::openClassSet()
{
    ClassSetDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int students = dialog.students();
    const QString name = QStringLiteral("Klassensatz %1").arg(taskCode());
    QPrinter printer(QPrinter::HighResolution);
    prepareA4(printer, name);
    if (dialog.output() == ClassSetDialog::Output::Pdf) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Klassensatz als PDF speichern"),
            folder + u'/' + name + QStringLiteral(".pdf"), QStringLiteral("PDF-Dateien (*.pdf)"));
        if (file.isEmpty())
            return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printClassSet(&printer, students);
        return;
    }
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("LabExerciseClassSetPreview"));
    preview.setWindowTitle(QStringLiteral("Druckvorschau: %1").arg(name));
    sizeToScreen(preview, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
        [this, students](QPrinter *target) { printClassSet(target, students); });
    preview.exec();
}
