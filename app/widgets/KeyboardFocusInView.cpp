// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "KeyboardFocusInView.h"

#include <QApplication>
#include <QFocusEvent>
#include <QScrollArea>

KeyboardFocusInView::KeyboardFocusInView(QScrollArea *area)
    : QObject(area)
    , m_area(area)
{
    qApp->installEventFilter(this);
}

// A click gives the focus before any filter sees the press, with the mouse as its reason; a step that
// moves the focus on gives it with no reason, after the click or the key that ran the step.
bool KeyboardFocusInView::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: m_byKeyboard = true; break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin: m_byKeyboard = false; break;
    case QEvent::FocusIn: {
        auto *focused = qobject_cast<QWidget *>(watched);
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
            || (reason != Qt::MouseFocusReason && m_byKeyboard);
        if (byKeyboard && focused && m_area->widget() && m_area->widget()->isAncestorOf(focused))
            m_area->ensureWidgetVisible(focused);
        break;
    }
    default: break;
    }
    return QObject::eventFilter(watched, event);
}
