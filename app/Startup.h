#pragma once

class QApplication;

namespace Startup {

// Process-wide settings the program needs before its first window opens.
void setUpApplication(QApplication &app);

}  // namespace Startup
