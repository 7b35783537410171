// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The worksheet of an exercise on any paged device (a printer, its preview, a PDF): one page with the
// task, the keyed square and empty boxes for every step, a box for each digit under each letter as the
// page lays them out, and on request a second page with the answers in the boxes. Everything is drawn
// as text and lines, so a PDF of it can be searched; the sheet is scaled to fit the device's page. A class
// set prints one worksheet per student and then one answer key for all of them.

#include <cipher/Exercise.h>

#include <QString>

#include <span>

class QPagedPaintDevice;

namespace ExerciseSheet {

struct CodedTask {
    QString code;  // the task code, as it stands on the sheet
    bifid::ExerciseTask task;
};

// False when the device cannot be painted on, such as a file that cannot be written.
[[nodiscard]] bool paint(QPagedPaintDevice &device, const CodedTask &task, bool withSolution);

// One worksheet per task, each with a line for the name, then the answer key: a table with a row per
// task code, its keyword, cipher code and result, over as many pages as it takes.
[[nodiscard]] bool paintClassSet(QPagedPaintDevice &device, std::span<const CodedTask> tasks);

// How much of the page's height the worksheet takes: at most 1 where it fits.
[[nodiscard]] double pageShareOf(const CodedTask &task);

}  // namespace ExerciseSheet
