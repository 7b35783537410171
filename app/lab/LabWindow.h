#pragma once

// The lab: where the program goes beyond the main window's one pass over the whole text. A window of
// its own beside the main window, one page per topic in a tab each; the pages read the main window
// through TForm1's const accessors only.

#include <QWidget>

class QTabWidget;
class TForm1;

class LabWindow : public QWidget {
    Q_OBJECT

public:
    explicit LabWindow(TForm1 &mainWindow);

    // Shows the window, placed on the main window's screen the first time, and brings it to the front.
    void bringToFront();

private:
    void placeOnScreen();

    QTabWidget *m_tabs = nullptr;
    bool m_placedOnScreen = false;
};
