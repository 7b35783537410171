#pragma once

// The decipher walk-through ("Gegenprobe"): reads a ciphertext back through the square the main window
// shows, shows every inverse step in a field of its own and says whether the result is the main window's
// cleaned text. The dialog only tidies the typed ciphertext and shows the steps; bifid::decipher computes
// them. Every field follows the ciphertext and the depth as they change.

#include "TForm1.h"

#include <QDialog>
#include <QTimer>

#include <memory>
#include <string>

namespace Ui {
class DecipherDialog;
}

class DecipherDialog : public QDialog {
    Q_OBJECT

public:
    explicit DecipherDialog(QWidget *parent = nullptr);
    ~DecipherDialog() override;

    // Starts over with this ciphertext, square and depth; the result is compared with cleanText.
    void load(const QString &ciphertext, const ShownSquare &square, int depth, const std::string &cleanText);

private:
    void drawSquare();
    void inputChanged();
    void updateSteps();
    void showSteps();
    void clearSteps();
    void showVerdict(const std::string &plaintext);

    const std::unique_ptr<Ui::DecipherDialog> ui;
    ShownSquare m_square;
    std::string m_cleanText;
    QTimer m_typingPause;  // a long ciphertext is read back once the typing pauses
};
