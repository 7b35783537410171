// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QApplication;

namespace Startup {

// Process-wide settings the program needs before its first window opens: large memory blocks kept for
// reuse, the substitutes of the fonts the windows name, what screen readers read of the program's own
// controls, Qt's texts in German and the program's icon. Only the first call of a process does anything.
void setUpApplication(QApplication &app);

}  // namespace Startup
