// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LabWindow.h"

#include "LabAnalysisPage.h"
#include "LabExercisePage.h"
#include "LabPeriodPage.h"
#include "MainWindowState.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr QSize kDesignedSize(1320, 680);  // the three columns of the page "Kryptoanalyse" side by side

// A plain widget is a pane to a screen reader; the lab is a window of its own, named by its title.
QAccessibleInterface *accessibleLabWindow(const QString &className, QObject *object)
{
    if (className == QLatin1String(LabWindow::staticMetaObject.className()) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

}  // namespace

LabWindow::LabWindow(const MainWindowState &mainWindow, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_tabs(new QTabWidget(this))
    , m_exercise(new LabExercisePage(mainWindow))
{
    static const bool accessibleAsWindow = (QAccessible::installFactory(accessibleLabWindow), true);
    Q_UNUSED(accessibleAsWindow)
    setObjectName(QStringLiteral("LabWindow"));
    setWindowTitle(QStringLiteral("Bifid-Labor"));
    setWindowIcon(parent->windowIcon());
    m_tabs->setObjectName(QStringLiteral("LabTabs"));
    m_tabs->setAccessibleName(QStringLiteral("Seiten des Labors"));  // a focus stop of its own, for its tabs
    auto *periodPage = new LabPeriodPage(mainWindow);
    auto *analysisPage = new LabAnalysisPage;
    m_tabs->addTab(periodPage, QStringLiteral("Periode"));
    m_tabs->addTab(m_exercise, QStringLiteral("Übung"));
    m_tabs->addTab(analysisPage, QStringLiteral("Kryptoanalyse"));
    // The lab as one place: the page "Kryptoanalyse" breaks what the page "Periode" enciphered, and the
    // page "Periode" deciphers step by step with what the search found.
    connect(analysisPage, &LabAnalysisPage::periodResultWanted, this, [periodPage, analysisPage] {
        const PeriodPass &pass = periodPage->shownPass();
        analysisPage->takeCiphertext(pass.ciphertext, pass.square.dimension(), pass.period, pass.depth);
    });
    connect(analysisPage, &LabAnalysisPage::decipherWanted, this,
        [this, periodPage](const bifid::Square &square, std::size_t period, int depth, const QString &ciphertext) {
            periodPage->decipherFoundKey(square, period, depth, ciphertext);
            m_tabs->setCurrentWidget(periodPage);
        });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    m_zoom.emplace(this, FormZoom::Layout::Managed);
}

void LabWindow::setZoom(qreal factor)
{
    if (factor != m_zoom->factor())
        m_zoom->applyWithinScreen(factor);
}

void LabWindow::bringToFront()
{
    if (!m_placedOnScreen) {
        m_placedOnScreen = true;
        placeOnScreen();
    }
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void LabWindow::closeEvent(QCloseEvent *event)
{
    if (isVisible() && !m_exercise->mayDiscardWork())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

void LabWindow::keyPressEvent(QKeyEvent *event)
{
    // A push button outside a dialog leaves Enter to its parents, which ends here.
    auto *button = qobject_cast<QPushButton *>(focusWidget());
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && button && button->isEnabled()) {
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

// As large as designed where the main window's screen holds it with its frame, else as large as it
// holds, and centred on that screen.
void LabWindow::placeOnScreen()
{
    const QScreen *screen = parentWidget()->screen();
    const QRect area = screen->availableGeometry();
    QSize frame = frameGeometry().size() - geometry().size();
    if (frame.isEmpty())
        frame = FormZoom::kFrameAllowance;
    const QSize size = FormZoom::scaled(kDesignedSize, m_zoom->factor()).boundedTo(area.size() - frame);
    resize(size);
    move(area.left() + std::max(0, (area.width() - size.width() - frame.width()) / 2),
        area.top() + std::max(0, (area.height() - size.height() - frame.height()) / 2));
}
