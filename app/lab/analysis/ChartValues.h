// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the two charts of the page "Kryptoanalyse" show, in words for a screen reader: every bar of the
// period statistic with its period and value and the suggestion, and the search's latest and best
// score. A chart's accessible description is made when it is read, so it is always current and a
// running search sends no event per point.

#include <QString>

class PeriodChart;
class ScoreChart;

namespace ChartValues {

// Makes the charts describe their values; once is enough, more calls do nothing.
void install();

[[nodiscard]] QString describe(const PeriodChart &chart);
[[nodiscard]] QString describe(const ScoreChart &chart);

}  // namespace ChartValues
