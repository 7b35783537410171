// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MainWindowZoom.h"

#include "Fonts.h"
#include "StoredSettings.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QShortcut>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kIndicatorMs = 1200;

const QString kZoomKey = QStringLiteral("Ansicht/Zoom");

}  // namespace

MainWindowZoom::MainWindowZoom(QMainWindow &window, QSize designedArea, int statusBarHeight, QSize designedFrame)
    : QObject(&window)
    , m_window(window)
    , m_form(&window, FormZoom::Layout::Fixed)
    , m_designedArea(designedArea)
    , m_statusBarHeight(statusBarHeight)
    , m_designedFrame(designedFrame)
    , m_menu(new QMenu(QStringLiteral("&Ansicht"), &window))
    , m_indicator(new QLabel(&window))
{
    const auto step = [this](int direction) {
        // From a zoom between two steps, the next step in that direction.
        const int steps = direction > 0 ? m_percent / kStepPercent + 1 : (m_percent - 1) / kStepPercent;
        zoomTo(std::clamp(steps * kStepPercent, kSmallestPercent, kLargestPercent), Chosen::ByHand);
    };
    connect(addAction("ZoomInAction", QStringLiteral("Vergrößern"),
                {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}),
        &QAction::triggered, this, [step] { step(+1); });
    connect(addAction("ZoomOutAction", QStringLiteral("Verkleinern"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)}),
        &QAction::triggered, this, [step] { step(-1); });
    connect(addAction("ZoomResetAction", QStringLiteral("Originalgröße (100 %)"), {QKeySequence(Qt::CTRL | Qt::Key_0)}),
        &QAction::triggered, this, [this] { zoomTo(100, Chosen::ByHand); });
    connect(
        addAction("ZoomFitAction", QStringLiteral("An den Bildschirm anpassen"), {QKeySequence(Qt::CTRL | Qt::Key_9)}),
        &QAction::triggered, this, [this] { zoomTo(fittingPercent(), Chosen::Fit); });
    m_menu->addSeparator();
    m_presentation = addAction("PresentationAction", QStringLiteral("Präsentation"), {QKeySequence(Qt::Key_F11)});
    m_presentation->setCheckable(true);
    connect(m_presentation, &QAction::triggered, this, &MainWindowZoom::togglePresentation);
    m_leavePresentation = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    m_leavePresentation->setEnabled(false);
    connect(m_leavePresentation, &QShortcut::activated, m_presentation, &QAction::trigger);

    // Shown over the client area for a moment after each zoom; display only.
    m_indicator->setObjectName(QStringLiteral("ZoomIndicator"));
    m_indicator->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_indicator->setFont(Fonts::bold(QStringLiteral("Arial"), 16));
    m_indicator->setAlignment(Qt::AlignCenter);
    m_indicator->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_indicator->setAutoFillBackground(true);
    m_indicator->setForegroundRole(QPalette::ToolTipText);
    m_indicator->setBackgroundRole(QPalette::ToolTipBase);
    m_indicator->hide();
    m_indicatorTimer.setSingleShot(true);
    m_indicatorTimer.setInterval(kIndicatorMs);
    connect(&m_indicatorTimer, &QTimer::timeout, m_indicator, &QWidget::hide);
}

// The actions live in the menu, whose own action the window lists: that way their keys work anywhere
// in the window, and the background menu shows them in the submenu only.
QAction *MainWindowZoom::addAction(const char *name, const QString &text, const QList<QKeySequence> &keys)
{
    QAction *action = m_menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcutVisibleInContextMenu(true);
    return action;
}

void MainWindowZoom::openOnScreen(QPoint designedPosition)
{
    const QVariant chosen = storedSettings().value(kZoomKey);
    bool valid = false;
    const int remembered = chosen.toInt(&valid);
    const int percent
        = valid && remembered >= kSmallestPercent && remembered <= kLargestPercent ? remembered : fittingPercent();
    if (percent != m_percent)
        apply(percent);
    resizeToClient();
    const QRect area = m_window.screen()->availableGeometry();
    const QSize outer = m_window.size() + frame();
    m_window.move(
        std::clamp(designedPosition.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())),
        std::clamp(designedPosition.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
}

// Each part is scaled on its own, as FormZoom scales it.
QSize MainWindowZoom::clientAt(int percent) const
{
    const QSize area = FormZoom::scaled(m_designedArea, percent / 100.0);
    return {area.width(), area.height() + FormZoom::scaled(m_statusBarHeight, percent / 100.0)};
}

// Until the desktop has framed the window, its frame is taken to be the designed one.
QSize MainWindowZoom::frame() const
{
    const QSize frame = m_window.frameGeometry().size() - m_window.geometry().size();
    return frame.isEmpty() ? m_designedFrame : frame;
}

int MainWindowZoom::fittingPercent() const
{
    const QSize room = m_window.screen()->availableGeometry().size() - frame();
    int percent = 100;
    while (percent > kSmallestFitPercent) {
        const QSize client = clientAt(percent);
        if (client.width() <= room.width() && client.height() <= room.height())
            break;
        --percent;
    }
    return percent;
}

int MainWindowZoom::presentationPercent() const
{
    const QSize screen = m_window.screen()->geometry().size();
    const qreal fills = std::min(qreal(screen.width()) / m_designedArea.width(),
        qreal(screen.height()) / (m_designedArea.height() + m_statusBarHeight));
    return std::clamp(int(std::floor(fills * 100)), kSmallestPercent, kLargestPercent);
}

void MainWindowZoom::zoomTo(int percent, Chosen chosen)
{
    if (!m_beforePresentation) {
        if (chosen == Chosen::ByHand)
            storedSettings().setValue(kZoomKey, percent);
        else
            storedSettings().remove(kZoomKey);
    }
    if (percent != m_percent) {
        apply(percent);
        if (!m_window.isMaximized() && !m_window.isFullScreen())
            resizeToClient();
    }
    showIndicator();
}

void MainWindowZoom::apply(int percent)
{
    m_percent = percent;
    m_form.apply(factor());
    emit zoomed(factor());
}

// As large as the client area at this zoom, as far as the screen holds it; the rest scrolls.
void MainWindowZoom::resizeToClient()
{
    const QRect area = m_window.screen()->availableGeometry();
    const QSize size = clientAt(m_percent).boundedTo(area.size() - frame());
    m_window.resize(size);
    // A larger window would reach past the screen's right or bottom edge.
    const QRect outer(m_window.pos(), size + frame());
    m_window.move(std::max(area.left(), std::min(outer.left(), area.right() + 1 - outer.width())),
        std::max(area.top(), std::min(outer.top(), area.bottom() + 1 - outer.height())));
}

void MainWindowZoom::togglePresentation()
{
    if (!m_beforePresentation) {
        m_beforePresentation = Before{m_percent, m_window.normalGeometry(), m_window.isMaximized()};
        m_window.showFullScreen();
        apply(presentationPercent());
    } else {
        const Before before = *m_beforePresentation;
        m_beforePresentation.reset();
        apply(before.percent);
        if (before.maximized) {
            m_window.showMaximized();
        } else {
            m_window.showNormal();
            m_window.setGeometry(before.geometry);
        }
    }
    m_presentation->setChecked(bool(m_beforePresentation));
    m_leavePresentation->setEnabled(bool(m_beforePresentation));
    showIndicator();
}

void MainWindowZoom::showIndicator()
{
    m_indicator->setText(QStringLiteral("Zoom %1 %").arg(m_percent));
    m_indicator->adjustSize();
    m_indicator->resize(m_indicator->width() + 24, m_indicator->height() + 12);
    m_indicator->move((m_window.width() - m_indicator->width()) / 2, m_window.height() / 3);
    m_indicator->raise();
    m_indicator->show();
    m_indicatorTimer.start();
}
