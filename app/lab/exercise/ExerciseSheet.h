// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The worksheet of an exercise on any paged device (a printer, its preview, a PDF): one page with the
// task, the keyed square and empty boxes for every step, a box for each digit under each letter as the
// page lays them out, and on request a second page with the answers in the boxes. Everything is drawn
// as text and lines, so a PDF of it can be searched; the sheet is scaled to fit the device's page.

#include <cipher/Exercise.h>

#include <cstdint>

class QPagedPaintDevice;

namespace ExerciseSheet {

// False when the device cannot be painted on, such as a file that cannot be written.
[[nodiscard]] bool paint(
    QPagedPaintDevice &device, std::uint64_t seed, const bifid::ExerciseTask &task, bool withSolution);

}  // namespace ExerciseSheet
