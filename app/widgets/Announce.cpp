// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Announce.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

const QString kNotificationName = QStringLiteral("AnnouncedResult");

QAccessibleInterface *accessibleNotification(const QString &className, QObject *object)
{
    if (className == QLatin1String("QWidget") && object->objectName() == kNotificationName)
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    return nullptr;
}

// Takes no room and no input; only assistive technology finds it.
QWidget *notificationOf(QWidget *window)
{
    if (auto *notification = window->findChild<QWidget *>(kNotificationName, Qt::FindDirectChildrenOnly))
        return notification;
    QAccessible::installFactory(accessibleNotification);
    auto *notification = new QWidget(window);
    notification->setObjectName(kNotificationName);
    notification->setGeometry(0, 0, 0, 0);
    notification->setFocusPolicy(Qt::NoFocus);
    notification->setAttribute(Qt::WA_TransparentForMouseEvents);
    return notification;
}

}  // namespace

void Announce::result(QWidget *widget, const QString &text)
{
    widget->setAccessibleDescription(text);  // sends the change event, also for an unchanged text
    if (text.isEmpty())
        return;
    QWidget *notification = notificationOf(widget->window());
    notification->hide();
    notification->setAccessibleName(text);
    notification->show();
}
