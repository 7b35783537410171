// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The main window's zoom: one factor from 50 % to 200 % for the whole client area and the status bar,
// the actions that change it (keys and the background menu's "Ansicht"), the fit to the screen the
// window opens on, the presentation on the full screen, and the zoom chosen by hand, which the next
// start takes again. The window's fixed layout is its design at 100 %; FormZoom scales it as a whole.

#include "FormZoom.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTimer>

#include <optional>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QShortcut;

class MainWindowZoom : public QObject {
    Q_OBJECT

public:
    static constexpr int kSmallestPercent = 50;
    static constexpr int kLargestPercent = 200;
    static constexpr int kSmallestFitPercent = 70;  // below it the window scrolls rather than shrinks
    static constexpr int kStepPercent = 10;

    // `window` holds a client area of `designedArea` above a status bar `statusBarHeight` high, and
    // is framed by the desktop as `designedFrame` says until it is shown.
    MainWindowZoom(QMainWindow &window, QSize designedArea, int statusBarHeight, QSize designedFrame);

    // The submenu "Ansicht" with the actions ZoomInAction, ZoomOutAction, ZoomResetAction,
    // ZoomFitAction and PresentationAction.
    [[nodiscard]] QMenu *menu() const { return m_menu; }
    [[nodiscard]] int percent() const { return m_percent; }
    [[nodiscard]] qreal factor() const { return m_percent / 100.0; }

    // Before the window is first shown: the zoom chosen last time, else the largest that shows the whole
    // client area on the window's screen (at most 100 %), and the window placed at `designedPosition`
    // as far as the screen allows.
    void openOnScreen(QPoint designedPosition);

    // The largest zoom at which the whole client area fits the screen's available area, down to 70 %.
    [[nodiscard]] int fittingPercent() const;
    // The largest zoom at which the client area fills the whole screen, up to 200 %.
    [[nodiscard]] int presentationPercent() const;

signals:
    // After every change of the zoom, once the window's own controls have it.
    void zoomed(qreal factor);

private:
    // A zoom by hand is kept for the next start; the fit is what a start does anyway.
    enum class Chosen { ByHand, Fit };
    void zoomTo(int percent, Chosen chosen);
    void apply(int percent);
    void resizeToClient();
    void togglePresentation();
    void showIndicator();
    [[nodiscard]] QSize clientAt(int percent) const;
    [[nodiscard]] QSize frame() const;
    [[nodiscard]] QAction *addAction(const char *name, const QString &text, const QList<QKeySequence> &keys);

    QMainWindow &m_window;
    FormZoom m_form;
    QSize m_designedArea;
    int m_statusBarHeight;
    QSize m_designedFrame;
    int m_percent = 100;
    QMenu *m_menu;
    QAction *m_presentation = nullptr;
    QShortcut *m_leavePresentation = nullptr;
    // What presentation replaced, to go back to.
    struct Before {
        int percent = 100;
        QRect geometry;
        bool maximized = false;
    };
    std::optional<Before> m_beforePresentation;
    QLabel *m_indicator;
    QTimer m_indicatorTimer;
};
