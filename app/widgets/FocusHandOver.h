// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A control that is disabled while it has the focus passes the focus on to the next control of the
// tab chain, and a screen reader speaks that control's name before the focus reaches the control it is
// meant for. A step that sets the focus itself lets the focus go first, so that it moves once.

class QWidget;

namespace FocusHandOver {

// Takes the focus from `control` (or a control inside it) without giving it to another one; the caller
// sets it where it belongs.
void release(QWidget *control);

}  // namespace FocusHandOver
