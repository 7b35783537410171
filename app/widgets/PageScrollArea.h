// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A page's content in a view that scrolls only where the window is smaller than the content needs,
// rather than letting its parts overlap or cutting its wrapped texts: frameless, showing the page's
// own background, and never a focus stop of its own (the keyboard's moves bring a control into view).

#include <QScrollArea>

class PageScrollArea : public QScrollArea {
    Q_OBJECT

public:
    PageScrollArea(QWidget *content, const QString &accessibleName, QWidget *parent);
};
