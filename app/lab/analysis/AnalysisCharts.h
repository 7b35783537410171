// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The two small charts of the lab's page "Kryptoanalyse", drawn with QPainter: the period statistic as
// one bar per candidate period, and the search's score over the keys tried.

#include <QWidget>

#include <optional>
#include <vector>

class QPainter;

class PeriodChart : public QWidget {
    Q_OBJECT

public:
    explicit PeriodChart(QWidget *parent = nullptr);

    // values[p - 1] for candidate period p; `suggested` (0 for none) is drawn highlighted, `chosen` framed.
    void setValues(std::vector<double> values, std::size_t suggested);
    void setChosen(std::size_t period);
    [[nodiscard]] const std::vector<double> &values() const { return m_values; }
    [[nodiscard]] std::size_t suggested() const { return m_suggested; }
    // Beside the statistic, the best score (mean log2 probability of a quadgram) that the key search
    // reached with each candidate period: scores[p] for period p, scores[0] for one block; nothing where
    // the period had no start. An empty vector shows the statistic alone.
    void setScores(std::vector<std::optional<double>> scores);
    [[nodiscard]] const std::vector<std::optional<double>> &scores() const { return m_scores; }

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintScores(QPainter &painter, const QRect &plot, int firstSlot, double slot);

    std::vector<double> m_values;
    std::size_t m_suggested = 0;
    std::size_t m_chosen = 0;
    std::vector<std::optional<double>> m_scores;
};

class ScoreChart : public QWidget {
    Q_OBJECT

public:
    explicit ScoreChart(QWidget *parent = nullptr);

    struct Point {
        double keys = 0;
        double best = 0;  // mean log2 probability of a quadgram
        double current = 0;
    };
    void clear();
    void addPoint(Point point);
    [[nodiscard]] const std::vector<Point> &points() const { return m_points; }

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<Point> m_points;
};
