// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The trace in words (TraceWords) on the field it starts from: the field's accessible description, and
// its tooltip above the field's own explanation. One field at a time: the field the trace left gets its
// own tooltip back, and its description follows that tooltip again.

#include <QPointer>
#include <QString>
#include <QWidget>

class TraceDescription {
public:
    // Empty words: no field describes a trace.
    void show(QWidget *field, const QString &words);

private:
    void restore();

    QPointer<QWidget> m_field;
    QString m_ownToolTip;
};
