// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Qt names a widget inside a group box after that group box's title, and a group box inside another
// one too: the main window's direction groups would both read "Basis-Einstellungen" and its grids
// "Eingabeseite". Installed once, every group box is named by its own title (or its accessible name).

namespace AccessibleGroupBox {

void install();

}  // namespace AccessibleGroupBox
