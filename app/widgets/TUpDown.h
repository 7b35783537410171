// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTimer>
#include <QWidget>

#include <optional>

// A spinner without a field of its own: the up arrow fills the top half, the down arrow the bottom
// half. A click steps the position by one within min..max without wrapping; clicked() is emitted
// only when the user moved the position, never when code sets it.
class TUpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int min READ min WRITE setMin)
    Q_PROPERTY(int max READ max WRITE setMax)
    Q_PROPERTY(int position READ position WRITE setPosition)

public:
    enum class Button { Up, Down };
    Q_ENUM(Button)

    explicit TUpDown(QWidget *parent = nullptr);

    // Lets screen readers read an up-down as a spin box with its value and range; once per process.
    static void installAccessibility();

    [[nodiscard]] int min() const { return m_min; }
    [[nodiscard]] int max() const { return m_max; }
    [[nodiscard]] int position() const { return m_position; }
    void setMin(int min);
    void setMax(int max);
    void setPosition(int position);
    // Steps one at a time towards position, as a user would; each step that moves emits clicked().
    void stepTo(int position);
    // The field that shows the position: Up and Down and the mouse wheel on it step the up-down.
    void setBuddy(QWidget *buddy);

    [[nodiscard]] QSize sizeHint() const override { return {17, 25}; }

signals:
    void clicked(TUpDown::Button button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void step(Button button);
    [[nodiscard]] QRect halfRect(Button button) const;

    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    std::optional<Button> m_pressed;
    QTimer m_autoRepeat;  // keeps stepping while an arrow is held down
};
