// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The lab's page "Übung": the program sets a Bifid task from a seed, the learner works each step in a
// field of its own, and checking marks every field green as far as it is right and red at its first
// mistake, with one line per field on what is wrong and, where it can tell, why. The marks only colour
// the fields; their text and undo history stay the learner's. The task also prints as a worksheet.

#include <cipher/Exercise.h>

#include <QWidget>

#include <array>
#include <cstdint>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class SquareGrid;
class MainWindowState;

class LabExercisePage : public QWidget {
    Q_OBJECT

public:
    explicit LabExercisePage(const MainWindowState &mainWindow, QWidget *parent = nullptr);

    [[nodiscard]] const bifid::ExerciseTask &task() const { return m_task; }
    [[nodiscard]] std::uint64_t seed() const { return m_seed; }

    // The worksheet of the task shown, with the solution page when that is chosen; the print preview
    // paints through it.
    void printSheet(QPrinter *printer) const;

private:
    void takeTypedSeed();
    void drawNewTask();
    void sourceChanged();
    // Shows the task of the seed; false, with a message, when the main window's text cannot be taken.
    bool makeTask(std::uint64_t seed);
    void showTask();
    void check();
    void showSolution();
    void openPrintPreview();
    void fieldEdited(std::size_t field);
    void showMessage(const QString &message);
    void showFeedback();

    const MainWindowState &m_mainWindow;
    bifid::ExerciseTask m_task;
    bifid::ExerciseSolution m_solution;
    std::uint64_t m_seed = 0;

    QLineEdit *m_seedField = nullptr;
    QCheckBox *m_fromWindow = nullptr;
    QCheckBox *m_withSolution = nullptr;
    QLabel *m_message = nullptr;
    QLabel *m_taskText = nullptr;
    QLabel *m_keyword = nullptr;
    SquareGrid *m_square = nullptr;
    QLabel *m_letters = nullptr;  // the given text above the coordinates, a letter over each pair
    std::array<QLabel *, bifid::kExerciseFieldCount> m_labels{};
    std::array<QPlainTextEdit *, bifid::kExerciseFieldCount> m_fields{};
    std::array<QString, bifid::kExerciseFieldCount> m_feedback;
    QLabel *m_feedbackText = nullptr;
    QAction *m_printAction = nullptr;
};
