// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The field the decipher dialog shows each of its steps in, and the lab's page "Periode" its result.
// StepModel holds the text and cuts it into pieces of one line; the list shows a piece per row, painted
// by MarkedTextDelegate as the style paints an item's text, the trace's marks over it.

#include "MarkedTextView.h"
#include "StepModel.h"

#include <QListView>

#include <optional>
#include <utility>
#include <vector>

// A read-only field for a step's text: as wide pieces as fit, with selecting and copying as in a text field.
class StepList final : public MarkedTextView<QListView> {
    Q_OBJECT

public:
    explicit StepList(QWidget *parent = nullptr);

    void setLines(const QStringList &lines) { m_model.setLines(lines); }
    void clear() { m_model.setLines({}); }
    // The whole text, its lines joined by line breaks.
    [[nodiscard]] QString text() const { return m_model.lines().join(u'\n'); }
    void setMarks(std::vector<StepMark> marks) { m_model.setMarks(std::move(marks)); }
    [[nodiscard]] const std::vector<StepMark> &marks() const { return m_model.marks(); }
    // The character drawn at this point of the viewport, if any.
    [[nodiscard]] std::optional<StepPlace> characterAt(QPoint point) const;

private:
    void fitCells() override;
    void copySelection() const;

    StepModel m_model;
};
