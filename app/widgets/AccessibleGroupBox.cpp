// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AccessibleGroupBox.h"

#include <QAccessibleWidget>
#include <QGroupBox>

namespace {

// A title's access key mark is not read; a doubled one is a literal "&".
QString withoutAccessKey(QString title)
{
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (title[i] == u'&')
            title.remove(i, 1);
    }
    return title;
}

class TitledGroupBox : public QAccessibleWidget {
public:
    explicit TitledGroupBox(QGroupBox *box)
        : QAccessibleWidget(box, QAccessible::Grouping)
    {
    }

    [[nodiscard]] QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return withoutAccessKey(static_cast<const QGroupBox *>(widget())->title());
        return QAccessibleWidget::text(kind);
    }
};

// A checkable group box keeps Qt's own interface, which also offers its check.
QAccessibleInterface *titledGroupBox(const QString &className, QObject *object)
{
    auto *box = qobject_cast<QGroupBox *>(object);
    if (className == QLatin1String("QGroupBox") && box && !box->isCheckable())
        return new TitledGroupBox(box);
    return nullptr;
}

}  // namespace

void AccessibleGroupBox::install()
{
    QAccessible::installFactory(titledGroupBox);
}
