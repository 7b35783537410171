// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The lab's page "Kryptoanalyse": a Bifid ciphertext broken before the learner's eyes. The period
// statistic of every candidate period as a bar chart with its suggestion, then a simulated annealing
// search for the square on a worker thread, scored with German or English quadgrams and optionally held
// to a known piece of plaintext; a few times a second the page shows the best square so far, its
// plaintext, the score over time, the temperature and the keys tried.

#include "SearchWorker.h"

#include <cipher/Alphabet.h>
#include <cipher/Quadgrams.h>

#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <utility>

class PeriodChart;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QThread;
class ScoreChart;
class SquareGrid;

class LabAnalysisPage : public QWidget {
    Q_OBJECT

public:
    explicit LabAnalysisPage(QWidget *parent = nullptr);
    ~LabAnalysisPage() override;

    [[nodiscard]] bool searching() const { return m_worker != nullptr; }

    // Asks the running search to stop; searchEnded follows once its thread has ended.
    void stop();

signals:
    void searchEnded();

private:
    [[nodiscard]] bifid::Dimension dimension() const;
    [[nodiscard]] std::shared_ptr<const bifid::QuadgramTable> table(bifid::Dimension dimension, bool german);
    QWidget *buildPeriodColumn();
    QWidget *buildSearchColumn();
    QWidget *buildResultColumn();
    void inputChanged();
    void takeSuggestion();
    void start();
    void showProgress(const SearchProgress &progress);
    void finish(const SearchProgress &progress);
    void setSearching(bool running);
    void showStatus(const QString &message, bool isError);

    QPlainTextEdit *m_input = nullptr;
    QComboBox *m_dimension = nullptr;
    QLabel *m_letters = nullptr;
    PeriodChart *m_periodChart = nullptr;
    QSpinBox *m_period = nullptr;
    QPushButton *m_takeSuggestion = nullptr;
    QLabel *m_suggestion = nullptr;
    QComboBox *m_language = nullptr;
    QSpinBox *m_seed = nullptr;
    QPushButton *m_newSeed = nullptr;
    QLineEdit *m_crib = nullptr;
    QSpinBox *m_cribPosition = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_stop = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_keys = nullptr;
    QLabel *m_temperature = nullptr;
    QLabel *m_score = nullptr;
    ScoreChart *m_scoreChart = nullptr;
    SquareGrid *m_square = nullptr;
    QPlainTextEdit *m_plaintext = nullptr;

    std::string m_ciphertext;  // the input cleaned for the square
    std::string m_shownPlaintext;
    bool m_periodFollowsSuggestion = true;  // until the learner sets the period
    std::map<std::pair<bifid::Dimension, bool>, std::shared_ptr<const bifid::QuadgramTable>> m_tables;
    QThread *m_thread = nullptr;
    SearchWorker *m_worker = nullptr;
};
