// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AnalysisCharts.h"

#include "ChartValues.h"
#include "FormZoom.h"

#include <QApplication>

#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

constexpr QColor kBar(0, 0, 128);
constexpr QColor kSuggestedBar(0, 160, 0);
constexpr QColor kChosenFrame(255, 140, 0);
constexpr QColor kBest(0, 0, 160);
constexpr QColor kCurrent(150, 150, 150);
constexpr QColor kGuide(200, 200, 200);
constexpr QColor kScoreDot(200, 60, 0);
// The score axis: from noise to better than the German of the statistics' own source.
constexpr double kLowestScore = -24;
constexpr double kHighestScore = -10;
constexpr QSize kDesignedSize(380, 150);
constexpr QSize kSmallestSize(260, 110);

// A size of the design for the application's font, grown or shrunk with the chart's zoomed font.
QSize followingFont(const QWidget &chart, QSize designed)
{
    const qreal designedPoints = QApplication::font().pointSizeF();
    const qreal points = chart.font().pointSizeF();
    return FormZoom::scaled(designed, designedPoints > 0 && points > 0 ? points / designedPoints : 1);
}

}  // namespace

QSize PeriodChart::sizeHint() const
{
    return followingFont(*this, kDesignedSize);
}

QSize PeriodChart::minimumSizeHint() const
{
    return followingFont(*this, kSmallestSize);
}

QSize ScoreChart::sizeHint() const
{
    return followingFont(*this, kDesignedSize);
}

QSize ScoreChart::minimumSizeHint() const
{
    return followingFont(*this, kSmallestSize);
}

PeriodChart::PeriodChart(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("LabPeriodChart"));
    setAccessibleName(QStringLiteral("Periodenstatistik"));
    ChartValues::install();
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PeriodChart::setValues(std::vector<double> values, std::size_t suggested)
{
    m_values = std::move(values);
    m_suggested = suggested;
    update();
}

void PeriodChart::setChosen(std::size_t period)
{
    m_chosen = period;
    update();
}

void PeriodChart::setScores(std::vector<std::optional<double>> scores)
{
    m_scores = std::move(scores);
    update();
}

void PeriodChart::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics metrics = painter.fontMetrics();
    const int labelHeight = metrics.height();
    // With scores, a slot for period 0 (one block) on the left and the score axis on the right.
    const bool withScores = !m_scores.empty();
    const int scoreAxis = withScores ? metrics.horizontalAdvance(QStringLiteral("-24")) + 8 : 4;
    const QRect plot
        = rect().adjusted(metrics.horizontalAdvance(QStringLiteral("0,0")) + 8, 6, -scoreAxis, -labelHeight - 4);
    if (m_values.empty() || plot.width() <= 0 || plot.height() <= 0)
        return;
    const double top = std::max(2.0, *std::max_element(m_values.begin(), m_values.end()) * 1.1);
    const auto yOf = [&](double value) { return plot.bottom() - static_cast<int>(value / top * plot.height()); };

    // The level of unrelated pairs, 1, and the axis labels 0 and 1, the 1 only where the two do not touch.
    painter.setPen(QPen(kGuide, 1, Qt::DashLine));
    painter.drawLine(plot.left(), yOf(1), plot.right(), yOf(1));
    painter.setPen(palette().color(QPalette::Text));
    if (yOf(0) - yOf(1) >= labelHeight + labelHeight / 2)
        painter.drawText(
            QRect(0, yOf(1) - labelHeight / 2, plot.left() - 4, labelHeight), Qt::AlignRight, QStringLiteral("1"));
    painter.drawText(QRect(0, yOf(0) - labelHeight, plot.left() - 4, labelHeight), Qt::AlignRight, QStringLiteral("0"));

    const int firstSlot = withScores ? 1 : 0;
    const double slot = static_cast<double>(plot.width()) / static_cast<double>(m_values.size() + firstSlot);
    // Every label, or every second, fifth or tenth: as many as fit side by side without touching.
    const int labelWidth = metrics.horizontalAdvance(QString::number(m_values.size())) + 6;
    std::size_t labelStep = 1;
    for (std::size_t step : {1, 2, 5, 10, 20, 50}) {
        labelStep = step;
        if (slot * static_cast<double>(step) >= labelWidth)
            break;
    }
    const auto drawLabel = [&](std::size_t period, int left, int width) {
        if (period % labelStep != 0)
            return;
        const int centre = left + width / 2;
        painter.drawText(QRect(centre - labelWidth / 2, plot.bottom() + 2, labelWidth, labelHeight), Qt::AlignHCenter,
            QString::number(period));
    };
    for (std::size_t k = 0; k < m_values.size(); ++k) {
        const std::size_t period = k + 1;
        const int left = plot.left() + static_cast<int>(slot * static_cast<double>(k + firstSlot)) + 1;
        const int width = std::max(1, static_cast<int>(slot) - 2);
        const QRect bar(left, yOf(m_values[k]), width, plot.bottom() - yOf(m_values[k]));
        painter.fillRect(bar, period == m_suggested ? kSuggestedBar : kBar);
        if (period == m_chosen) {
            painter.setPen(QPen(kChosenFrame, 2));
            painter.drawRect(bar.adjusted(0, -1, 0, 0));
        }
        painter.setPen(palette().color(QPalette::Text));
        drawLabel(period, left, width);
    }
    if (withScores) {
        painter.setPen(palette().color(QPalette::Text));
        drawLabel(0, plot.left() + 1, std::max(1, static_cast<int>(slot) - 2));
        paintScores(painter, plot, firstSlot, slot);
    }
}

// The best score per period as dots on the score axis (the right one), joined by a thin line.
void PeriodChart::paintScores(QPainter &painter, const QRect &plot, int firstSlot, double slot)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const auto yOf = [&](double score) {
        const double share
            = (std::clamp(score, kLowestScore, kHighestScore) - kLowestScore) / (kHighestScore - kLowestScore);
        return plot.bottom() - share * plot.height();
    };
    int lastLabel = plot.bottom() + metrics.height();
    for (double score : {kLowestScore, -17.0, kHighestScore}) {
        const int y = static_cast<int>(yOf(score));
        if (lastLabel - y < metrics.height())
            continue;  // never over the label below
        lastLabel = y;
        painter.drawText(
            QRect(plot.right() + 4, y - metrics.height() / 2, rect().right() - plot.right() - 4, metrics.height()),
            Qt::AlignLeft, QLocale(QLocale::German, QLocale::Germany).toString(score, 'f', 0));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath line;
    bool started = false;
    std::vector<QPointF> dots;
    for (std::size_t period = 0; period < m_scores.size(); ++period) {
        const int slotIndex = period == 0 ? 0 : static_cast<int>(period) - 1 + firstSlot;
        if (!m_scores[period] || period > m_values.size())
            continue;  // a period beyond the statistic's has no slot
        const QPointF dot(plot.left() + slot * (slotIndex + 0.5), yOf(*m_scores[period]));
        if (period > 0) {
            started ? line.lineTo(dot) : line.moveTo(dot);
            started = true;
        }
        dots.push_back(dot);
    }
    painter.setPen(QPen(kScoreDot, 1));
    painter.drawPath(line);
    painter.setBrush(kScoreDot);
    for (const QPointF &dot : dots)
        painter.drawEllipse(dot, 3.0, 3.0);
    painter.setBrush(Qt::NoBrush);
}

ScoreChart::ScoreChart(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("LabScoreChart"));
    setAccessibleName(QStringLiteral("Bewertung im Lauf der Suche"));
    ChartValues::install();
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ScoreChart::clear()
{
    m_points.clear();
    update();
}

void ScoreChart::addPoint(Point point)
{
    m_points.push_back(point);
    update();
}

void ScoreChart::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect plot
        = rect().adjusted(metrics.horizontalAdvance(QStringLiteral("-24")) + 8, 6, -6, -metrics.height() - 4);
    if (plot.width() <= 0 || plot.height() <= 0)
        return;
    const auto yOf = [&](double score) {
        const double share
            = (std::clamp(score, kLowestScore, kHighestScore) - kLowestScore) / (kHighestScore - kLowestScore);
        return plot.bottom() - share * plot.height();
    };
    painter.setPen(palette().color(QPalette::Text));
    int lastLabel = static_cast<int>(plot.bottom()) + metrics.height();
    for (double score : {kLowestScore, -17.0, kHighestScore}) {
        const int y = static_cast<int>(yOf(score));
        // The labels never overlap on a low chart.
        if (lastLabel - y >= metrics.height()) {
            lastLabel = y;
            painter.drawText(QRect(0, y - metrics.height() / 2, plot.left() - 4, metrics.height()), Qt::AlignRight,
                QLocale(QLocale::German, QLocale::Germany).toString(score, 'f', 0));
        }
        painter.setPen(QPen(kGuide, 1, Qt::DashLine));
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(palette().color(QPalette::Text));
    }
    const double lastKeys = m_points.empty() ? 0 : m_points.back().keys;
    painter.drawText(QRect(plot.left(), plot.bottom() + 2, plot.width(), metrics.height()), Qt::AlignRight,
        QStringLiteral("%1 Mio. Schlüssel")
            .arg(QLocale(QLocale::German, QLocale::Germany).toString(lastKeys / 1e6, 'f', 1)));
    if (m_points.size() < 2)
        return;

    const auto xOf = [&](double keys) { return plot.left() + keys / std::max(lastKeys, 1.0) * plot.width(); };
    QPainterPath best;
    QPainterPath current;
    best.moveTo(xOf(m_points.front().keys), yOf(m_points.front().best));
    current.moveTo(xOf(m_points.front().keys), yOf(m_points.front().current));
    for (const Point &point : m_points) {
        best.lineTo(xOf(point.keys), yOf(point.best));
        current.lineTo(xOf(point.keys), yOf(point.current));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kCurrent, 1));
    painter.drawPath(current);
    painter.setPen(QPen(kBest, 2));
    painter.drawPath(best);
}
