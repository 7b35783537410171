// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PageScrollArea.h"

PageScrollArea::PageScrollArea(QWidget *content, const QString &accessibleName, QWidget *parent)
    : QScrollArea(parent)
{
    setAccessibleName(accessibleName);
    setWidget(content);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
}
