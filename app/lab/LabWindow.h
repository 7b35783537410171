// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The lab: where the program goes beyond the main window's one pass over the whole text. A window of
// its own beside the main window, one page per topic in a tab each; the pages read the main window
// through MainWindowState only.

#include "FormZoom.h"

#include <QWidget>

#include <optional>

class QTabWidget;
class LabExercisePage;
class MainWindowState;

class LabWindow : public QWidget {
    Q_OBJECT

public:
    // A window of its own that goes with the main window (`parent`) and stays above it.
    LabWindow(const MainWindowState &mainWindow, QWidget *parent);

    // Shows the window, placed on the main window's screen the first time, and brings it to the front,
    // out of its minimised state too.
    void bringToFront();
    // Fonts and fixed sizes at the main window's zoom, as far as the screen holds the window.
    void setZoom(qreal factor);

protected:
    // Closing asks first where the exercise holds the learner's own work.
    void closeEvent(QCloseEvent *event) override;
    // Enter on a focused button presses it, as Space does, on every page.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void placeOnScreen();

    QTabWidget *m_tabs = nullptr;
    LabExercisePage *m_exercise = nullptr;
    bool m_placedOnScreen = false;
    std::optional<FormZoom> m_zoom;  // the design, recorded once the pages are built
};
