// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FocusHandOver.h"

#include <QApplication>
#include <QWidget>

void FocusHandOver::release(QWidget *control)
{
    QWidget *focused = QApplication::focusWidget();
    if (focused && (focused == control || control->isAncestorOf(focused)))
        focused->clearFocus();
}
