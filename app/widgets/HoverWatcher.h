// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Follows the mouse over the viewports of a window's fields and reports when the place it rests on
// changes: the decipher dialog and the lab's page "Periode" trace the hovered character instead of the
// one at their input's cursor. The window says which place a point of a viewport shows; a place is any
// type with ==. The main window's FieldTrace watches its memos for their focus too, and on its own.

#include <QAbstractScrollArea>
#include <QEvent>
#include <QMouseEvent>
#include <QObject>

#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>

template <typename Place> class HoverWatcher : public QObject {
public:
    // The place this point of the viewport shows, if any.
    using PlaceAt = std::function<std::optional<Place>(const QObject *viewport, QPoint point)>;

    HoverWatcher(PlaceAt placeAt, std::function<void()> changed)
        : m_placeAt(std::move(placeAt))
        , m_changed(std::move(changed))
    {
    }

    void watch(std::initializer_list<const QAbstractScrollArea *> fields)
    {
        for (const QAbstractScrollArea *field : fields) {
            field->viewport()->setMouseTracking(true);
            field->viewport()->installEventFilter(this);
        }
    }

    [[nodiscard]] const std::optional<Place> &hovered() const { return m_hovered; }
    // Once the places the fields showed are gone; the caller shows the change.
    void forget() { m_hovered.reset(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Leave) {
            std::optional<Place> hovered = event->type() == QEvent::MouseMove
                ? m_placeAt(watched, static_cast<QMouseEvent *>(event)->position().toPoint())
                : std::nullopt;
            if (hovered != m_hovered) {
                m_hovered = std::move(hovered);
                m_changed();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    PlaceAt m_placeAt;
    std::function<void()> m_changed;
    std::optional<Place> m_hovered;
};
