// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The lab's page "Übung": the program sets a Bifid task from a seed and the teacher's settings, the
// learner works each step in a field of its own, and checking marks every field green as far as it is
// right and red at its first mistake, with one line per field on what is wrong and, where it can tell,
// why, and a score to mark by. The marks only colour the fields; their text and undo history stay the
// learner's, and nothing the learner typed is thrown away without a question. A task code holds the
// settings and the seed; the task prints as a worksheet, and as a class set with an answer key.

#include "ExerciseSheet.h"

#include <cipher/Exercise.h>

#include <QList>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class MainWindowState;
class PairLetters;
class SquareGrid;

class LabExercisePage : public QWidget {
    Q_OBJECT

public:
    explicit LabExercisePage(const MainWindowState &mainWindow, QWidget *parent = nullptr);

    [[nodiscard]] const bifid::ExerciseTask &task() const { return m_task; }
    [[nodiscard]] std::uint64_t seed() const { return m_seed; }
    [[nodiscard]] const bifid::ExerciseSettings &settings() const { return m_settings; }
    [[nodiscard]] QString taskCode() const;

    // The worksheet of the task shown, with the solution page when that is chosen; the print preview
    // paints through it.
    void printSheet(QPrinter *printer) const;
    // The tasks of a class set: the one shown, then those of the following seeds with the same settings.
    [[nodiscard]] QList<ExerciseSheet::CodedTask> classSet(int students) const;
    void printClassSet(QPrinter *printer, int students) const;

    // True when nothing the learner typed would be lost, or the learner chose to discard it.
    [[nodiscard]] bool mayDiscardWork();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void takeTypedSeed();
    void takeTypedCode();
    void drawNewTask();
    void settingsChanged();
    // The task of the seed and settings; none, with a message, where the main window cannot give the
    // text or the key the settings ask for.
    [[nodiscard]] std::optional<bifid::ExerciseTask> taskFor(
        std::uint64_t seed, const bifid::ExerciseSettings &settings) const;
    // Shows the task of the seed and settings, asking first where it would discard the learner's work;
    // false when it is not shown, and the controls then show the task that stays.
    bool makeTask(std::uint64_t seed, const bifid::ExerciseSettings &settings);
    [[nodiscard]] bifid::ExerciseSettings chosenSettings() const;
    void showSettings();
    void showTask();
    void check();
    void showSolution();
    void undoSolution();
    void openPrintPreview();
    void openClassSet();
    void fieldEdited(std::size_t field);
    void showMessage(const QString &message) const;
    void showFeedback();
    [[nodiscard]] bool holdsOwnWork() const;

    const MainWindowState &m_mainWindow;
    bifid::ExerciseTask m_task;
    bifid::ExerciseSolution m_solution;
    std::uint64_t m_seed = 0;
    bifid::ExerciseSettings m_settings;

    QLineEdit *m_seedField = nullptr;
    QLineEdit *m_codeField = nullptr;
    QComboBox *m_direction = nullptr;
    QComboBox *m_dimension = nullptr;
    QComboBox *m_depth = nullptr;
    QComboBox *m_period = nullptr;
    QComboBox *m_textSource = nullptr;
    QComboBox *m_keySource = nullptr;
    QCheckBox *m_withSolution = nullptr;
    QLabel *m_message = nullptr;
    QLabel *m_taskText = nullptr;
    QLabel *m_keyword = nullptr;
    SquareGrid *m_square = nullptr;
    PairLetters *m_letters = nullptr;
    std::array<QLabel *, bifid::kExerciseFieldCount> m_labels{};
    std::array<QPlainTextEdit *, bifid::kExerciseFieldCount> m_fields{};
    std::array<QString, bifid::kExerciseFieldCount> m_feedback;
    QString m_score;
    QLabel *m_feedbackText = nullptr;
    QAction *m_printAction = nullptr;
    QAction *m_undoSolutionAction = nullptr;
    // Which fields "Lösung zeigen" changed, while they still hold the solution it wrote.
    std::optional<std::array<bool, bifid::kExerciseFieldCount>> m_solutionShown;
    bool m_writingFields = false;
};
