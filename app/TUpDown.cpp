#include "TUpDown.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOption>
#include <QStylePainter>

#include <algorithm>

namespace {
constexpr int kAutoRepeatDelayMs = 400;
constexpr int kAutoRepeatIntervalMs = 60;
}  // namespace

TUpDown::TUpDown(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::TabFocus);
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
    emit clicked(button);
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
        painter.drawPrimitive(button == Button::Up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                              arrow);
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

void TUpDown::changeEvent(QEvent *event)
{
    // A spinner disabled while held must not keep stepping.
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_pressed.reset();
        m_autoRepeat.stop();
    }
    QWidget::changeEvent(event);
}
