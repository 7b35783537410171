// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ChartValues.h"

#include "AnalysisCharts.h"

#include <QAccessibleWidget>
#include <QLocale>
#include <QStringList>

#include <algorithm>

namespace {

QString decimal(double value)
{
    return QLocale(QLocale::German, QLocale::Germany).toString(value, 'f', 2);
}

template <typename Chart> class DescribedChart : public QAccessibleWidget {
public:
    explicit DescribedChart(Chart *chart)
        : QAccessibleWidget(chart, QAccessible::Chart)
    {
    }

    [[nodiscard]] QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Description)
            return ChartValues::describe(*static_cast<const Chart *>(widget()));
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface *describedChart(const QString &className, QObject *object)
{
    if (className == QLatin1String(PeriodChart::staticMetaObject.className()))
        return new DescribedChart<PeriodChart>(static_cast<PeriodChart *>(object));
    if (className == QLatin1String(ScoreChart::staticMetaObject.className()))
        return new DescribedChart<ScoreChart>(static_cast<ScoreChart *>(object));
    return nullptr;
}

}  // namespace

void ChartValues::install()
{
    QAccessible::installFactory(describedChart);
}

QString ChartValues::describe(const PeriodChart &chart)
{
    const std::vector<double> &values = chart.values();
    if (values.empty())
        return QStringLiteral("Noch keine Werte.");
    QStringList bars;
    bars.reserve(qsizetype(values.size()));
    for (std::size_t k = 0; k < values.size(); ++k)
        bars << QStringLiteral("Periode %1: %2").arg(qulonglong(k) + 1).arg(decimal(values[k]));
    const QString suggestion = chart.suggested() == 0
        ? QStringLiteral("Kein Vorschlag.")
        : QStringLiteral("Vorschlag: Periode %1.").arg(qulonglong(chart.suggested()));
    return QStringLiteral("%1 %2.").arg(suggestion, bars.join(QStringLiteral("; ")));
}

QString ChartValues::describe(const ScoreChart &chart)
{
    const std::vector<ScoreChart::Point> &points = chart.points();
    if (points.empty())
        return QStringLiteral("Noch keine Suche.");
    const ScoreChart::Point &latest = points.back();
    const double best = std::max_element(points.begin(), points.end(), [](const auto &a, const auto &b) {
        return a.best < b.best;
    })->best;
    return QStringLiteral("Zuletzt %1 nach %2 Mio. Schlüsseln, beste bisher %3.")
        .arg(decimal(latest.current), QLocale(QLocale::German, QLocale::Germany).toString(latest.keys / 1e6, 'f', 1),
            decimal(best));
}
