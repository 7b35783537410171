// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Keeps the focused control of a scroll area in view where the keyboard moved the focus (Tab, or Enter
// walking the steps), and never where the mouse did: after a click the view stays where the user left
// it, so that the next step's button does not move away under the mouse.

#include <QObject>

class QScrollArea;

class KeyboardFocusInView : public QObject {
public:
    explicit KeyboardFocusInView(QScrollArea *area);

protected:
    // Notes whether the user's last input came from the keyboard or from a pointer.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QScrollArea *m_area;
    bool m_byKeyboard = true;
};
