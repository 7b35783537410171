// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Scales a window from its design, as a form's "scale by" does: every font set on a widget, every
// button's icon size and minimum and maximum size, and in a window of fixed layout every widget's
// position and size. The design is recorded once; each zoom applies its factor to the design, never to
// the last zoom, so that 100 % gives the design back exactly. A widget that places its own children
// (a square grid, the status bar's panels, a radio group's items) zooms its inside itself.

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <optional>
#include <vector>

// A widget that lays out its own children and scales them when zoomed.
class SelfZooming {
public:
    virtual void setZoom(qreal factor) = 0;

protected:
    ~SelfZooming() = default;
};

class FormZoom {
public:
    enum class Layout {
        Fixed,  // every widget at a position of its own: positions and sizes scale too
        Managed,  // layouts place the widgets: only fonts and size limits scale, and the layouts follow
    };

    // Records the design of `root` and of its descendants that a form or the program named.
    FormZoom(QWidget *root, Layout layout);

    // Scales the recorded design by this factor (1 is the design).
    void apply(qreal factor);
    // The same for a window of layouts, but never so large that the window's minimum size leaves its
    // screen: then the largest factor below that. The window grows or shrinks with the factor.
    void applyWithinScreen(qreal factor);
    [[nodiscard]] qreal factor() const { return m_factor; }

    // The desktop's frame around a window, until it has framed it.
    static constexpr QSize kFrameAllowance{16, 36};

    // A font, size or length of the design at the factor applied.
    [[nodiscard]] static QFont scaled(QFont font, qreal factor);
    [[nodiscard]] static int scaled(int length, qreal factor);
    [[nodiscard]] static QSize scaled(QSize size, qreal factor);

private:
    struct Design {
        QPointer<QWidget> widget;
        QRect geometry;
        QSize minimumSize;
        QSize maximumSize;
        std::optional<QFont> font;  // only where the design sets one; the others inherit it
        std::optional<QSize> iconSize;
    };
    void record(QWidget *widget, bool isRoot);

    Layout m_layout;
    std::vector<Design> m_designs;
    qreal m_factor = 1.0;
};
