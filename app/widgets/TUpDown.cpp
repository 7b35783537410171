// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TUpDown.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOption>
#include <QStylePainter>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int kAutoRepeatDelayMs = 400;
constexpr int kAutoRepeatIntervalMs = 60;

// Screen readers see the spinner as a spin box with its value and range.
class AccessibleUpDown : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleUpDown(TUpDown *upDown)
        : QAccessibleWidget(upDown, QAccessible::SpinBox)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? QString::number(upDown()->position()) : QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return upDown()->position(); }
    void setCurrentValue(const QVariant &value) override { upDown()->stepTo(value.toInt()); }
    QVariant maximumValue() const override { return upDown()->max(); }
    QVariant minimumValue() const override { return upDown()->min(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    TUpDown *upDown() const { return static_cast<TUpDown *>(widget()); }
};

QAccessibleInterface *accessibleUpDownFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(TUpDown::staticMetaObject.className()) && object->isWidgetType())
        return new AccessibleUpDown(static_cast<TUpDown *>(object));
    return nullptr;
}

}  // namespace

void TUpDown::installAccessibility()
{
    QAccessible::installFactory(accessibleUpDownFactory);
}

TUpDown::TUpDown(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    m_autoRepeat.setSingleShot(false);
    connect(&m_autoRepeat, &QTimer::timeout, this, [this] {
        m_autoRepeat.setInterval(kAutoRepeatIntervalMs);
        if (m_pressed)
            step(*m_pressed);
    });
}

void TUpDown::setMin(int min)
{
    m_min = min;
    m_max = std::max(m_max, m_min);
    setPosition(m_position);
}

void TUpDown::setMax(int max)
{
    m_max = max;
    m_min = std::min(m_min, m_max);
    setPosition(m_position);
}

void TUpDown::setPosition(int position)
{
    m_position = std::clamp(position, m_min, m_max);
    update();
}

void TUpDown::step(Button button)
{
    const int next = std::clamp(m_position + (button == Button::Up ? 1 : -1), m_min, m_max);
    if (next == m_position)
        return;
    m_position = next;
    update();
    QAccessibleValueChangeEvent change(this, m_position);
    QAccessible::updateAccessibility(&change);
    emit clicked(button);
}

void TUpDown::stepTo(int position)
{
    const Button direction = position > m_position ? Button::Up : Button::Down;
    for (int previous = -1; m_position != position && m_position != previous;) {
        previous = m_position;
        step(direction);
    }
}

QRect TUpDown::halfRect(Button button) const
{
    const int upperHeight = height() / 2;
    return button == Button::Up ? QRect(0, 0, width(), upperHeight)
                                : QRect(0, upperHeight, width(), height() - upperHeight);
}

void TUpDown::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    for (const Button button : {Button::Up, Button::Down}) {
        QStyleOptionButton bevel;
        bevel.initFrom(this);
        bevel.rect = halfRect(button);
        bevel.state |= (m_pressed == button) ? QStyle::State_Sunken : QStyle::State_Raised;
        painter.drawPrimitive(QStyle::PE_PanelButtonBevel, bevel);

        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = halfRect(button).adjusted(3, 2, -3, -2);
        const bool atEnd = button == Button::Up ? m_position >= m_max : m_position <= m_min;
        if (atEnd)
            arrow.state &= ~QStyle::State_Enabled;
        painter.drawPrimitive(
            button == Button::Up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, arrow);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void TUpDown::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_pressed = halfRect(Button::Up).contains(event->position().toPoint()) ? Button::Up : Button::Down;
    step(*m_pressed);
    m_autoRepeat.start(kAutoRepeatDelayMs);
    update();
}

void TUpDown::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    m_pressed.reset();
    m_autoRepeat.stop();
    update();
}

void TUpDown::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up: step(Button::Up); break;
    case Qt::Key_Down: step(Button::Down); break;
    default: QWidget::keyPressEvent(event);
    }
}

void TUpDown::setBuddy(QWidget *buddy)
{
    buddy->installEventFilter(this);
}

bool TUpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (!isEnabled())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? Button::Up : Button::Down);
            return true;
        }
    } else if (event->type() == QEvent::Wheel) {
        const int delta = static_cast<QWheelEvent *>(event)->angleDelta().y();
        if (delta != 0)
            step(delta > 0 ? Button::Up : Button::Down);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TUpDown::changeEvent(QEvent *event)
{
    // A spinner disabled while held must not keep stepping.
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_pressed.reset();
        m_autoRepeat.stop();
    }
    QWidget::changeEvent(event);
}
