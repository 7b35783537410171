// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FormZoom.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>

#include <cmath>

namespace {

// Named by a form or by the program; Qt's own parts (viewports, scroll bars, a combo box's field)
// follow the widget they belong to.
bool isNamed(const QWidget *widget)
{
    const QString name = widget->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

// A control whose inside is Qt's own: text fields, lists, spin boxes. A scroll area holds a form.
bool isControl(const QWidget *widget)
{
    if (qobject_cast<const QScrollArea *>(widget))
        return false;
    return qobject_cast<const QAbstractScrollArea *>(widget) || qobject_cast<const QComboBox *>(widget)
        || qobject_cast<const QAbstractSpinBox *>(widget);
}

// A widget that nothing places: not a window, not in a layout, not the part of a main window or a
// scroll area.
bool placesItself(const QWidget *widget)
{
    const QWidget *parent = widget->parentWidget();
    return parent && !widget->isWindow() && !parent->layout() && !qobject_cast<const QMainWindow *>(parent)
        && !qobject_cast<const QAbstractScrollArea *>(parent->parentWidget());
}

constexpr int kSmallestSearchedPercent = 50;

QSize scaledLimit(QSize size, QSize unset, qreal factor)
{
    return {size.width() == unset.width() ? size.width() : FormZoom::scaled(size.width(), factor),
        size.height() == unset.height() ? size.height() : FormZoom::scaled(size.height(), factor)};
}

}  // namespace

FormZoom::FormZoom(QWidget *root, Layout layout)
    : m_layout(layout)
{
    record(root, true);
}

void FormZoom::record(QWidget *widget, bool isRoot)
{
    if (isRoot || isNamed(widget)) {
        Design design{
            widget, widget->geometry(), widget->minimumSize(), widget->maximumSize(), std::nullopt, std::nullopt};
        if (isRoot || widget->testAttribute(Qt::WA_SetFont))
            design.font = widget->font();
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            design.iconSize = button->iconSize();
        m_designs.push_back(design);
    }
    if (dynamic_cast<SelfZooming *>(widget) || isControl(widget))
        return;
    for (QObject *child : widget->children()) {
        auto *childWidget = qobject_cast<QWidget *>(child);
        if (childWidget && !childWidget->isWindow())
            record(childWidget, false);
    }
}

void FormZoom::apply(qreal factor)
{
    m_factor = factor;
    for (const Design &design : m_designs) {
        QWidget *widget = design.widget;
        if (!widget)
            continue;
        if (design.font)
            widget->setFont(scaled(*design.font, factor));
        if (design.iconSize)
            static_cast<QAbstractButton *>(widget)->setIconSize(scaled(*design.iconSize, factor));
        widget->setMinimumSize(scaledLimit(design.minimumSize, QSize(0, 0), factor));
        widget->setMaximumSize(scaledLimit(design.maximumSize, QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX), factor));
        if (m_layout == Layout::Fixed && placesItself(widget)) {
            // Edges are scaled rather than sizes, so that neighbours stay as close as designed.
            const QRect &d = design.geometry;
            const int left = scaled(d.left(), factor);
            const int top = scaled(d.top(), factor);
            widget->setGeometry(
                left, top, scaled(d.left() + d.width(), factor) - left, scaled(d.top() + d.height(), factor) - top);
        }
        if (auto *selfZooming = dynamic_cast<SelfZooming *>(widget))
            selfZooming->setZoom(factor);
    }
    // A hidden widget (a tab not shown) does not tell its layout that its size changed.
    if (m_layout == Layout::Managed && !m_designs.empty() && m_designs.front().widget) {
        for (QLayout *layout : m_designs.front().widget->findChildren<QLayout *>())
            layout->invalidate();
    }
}

void FormZoom::applyWithinScreen(qreal factor)
{
    QWidget *window = m_designs.front().widget;
    const qreal before = m_factor;
    const QSize room = window->screen()->availableGeometry().size() - kFrameAllowance;
    const auto fits = [&](qreal candidate) {
        apply(candidate);
        const QSize needed = window->minimumSizeHint().expandedTo(window->minimumSize());
        return needed.width() <= room.width() && needed.height() <= room.height();
    };
    // A window of layouts needs at least its minimum size, which does not grow in proportion to the
    // fonts: the largest whole percent at which the screen holds it, found by halving.
    if (!fits(factor)) {
        int fitting = kSmallestSearchedPercent;
        int tooLarge = int(std::ceil(factor * 100));
        while (tooLarge - fitting > 1) {
            const int middle = (fitting + tooLarge) / 2;
            (fits(middle / 100.0) ? fitting : tooLarge) = middle;
        }
        apply(fitting / 100.0);
    }
    const QSize grown = (QSizeF(window->size()) * (m_factor / before)).toSize();
    window->resize(grown.expandedTo(window->minimumSizeHint()).boundedTo(room));
}

QFont FormZoom::scaled(QFont font, qreal factor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, scaled(font.pixelSize(), factor)));
    return font;
}

int FormZoom::scaled(int length, qreal factor)
{
    return int(std::lround(length * factor));
}

QSize FormZoom::scaled(QSize size, qreal factor)
{
    return {scaled(size.width(), factor), scaled(size.height(), factor)};
}
