// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The lab's page "Kryptoanalyse": a Bifid ciphertext broken before the learner's eyes. The period
// statistic of every candidate period as a bar chart with its suggestion, then a simulated annealing
// search for the square on a worker thread, scored with German or English quadgrams and optionally held
// to a known piece of plaintext, at a period the learner sets or that the search finds itself ("automatisch").
// A few times a second the page shows the best square so far, its plaintext with the word breaks restored
// and the known plaintext highlighted, the five best distinct candidates, the best score per candidate
// period, the score over time, the temperature and the keys tried.

#include "SearchWorker.h"

#include <cipher/Alphabet.h>
#include <cipher/Quadgrams.h>
#include <cipher/WordBreaks.h>

#include <QWidget>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

class PeriodChart;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
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

    // Takes a ciphertext (bytes of the code page) with its square size and depth, and its period as the
    // period to search with; an empty ciphertext only says that there is none. Nothing while searching.
    void takeCiphertext(const std::string &ciphertext, bifid::Dimension dimension, std::size_t period, int depth);

signals:
    void searchEnded();
    // The button "aus „Periode“": the lab answers with takeCiphertext.
    void periodResultWanted();
    // The button "in „Periode“ entschlüsseln", with the candidate shown and the page's ciphertext.
    void decipherWanted(const bifid::Square &square, std::size_t period, int depth, const QString &ciphertext);

private:
    [[nodiscard]] bifid::Dimension dimension() const;
    [[nodiscard]] std::shared_ptr<const bifid::QuadgramTable> table(bifid::Dimension dimension, bool german);
    [[nodiscard]] std::shared_ptr<const bifid::WordTable> words(bifid::Dimension dimension, bool german);
    QWidget *buildPeriodColumn();
    QWidget *buildSearchColumn();
    QWidget *buildResultColumn();
    void inputChanged();
    void takeSuggestion();
    void start();
    void showProgress(const SearchProgress &progress);
    void finish(const SearchProgress &progress);
    void showCandidate(int row);
    void clearResult();
    // A short ciphertext searched without a known plaintext: the learner is told what helps.
    [[nodiscard]] bool needsCribHint() const;
    void setSearching(bool running);
    void showStatus(const QString &message, bool isError);

    QPlainTextEdit *m_input = nullptr;
    QPushButton *m_fromPeriod = nullptr;
    QComboBox *m_dimension = nullptr;
    QSpinBox *m_depth = nullptr;
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
    QLabel *m_squareTitle = nullptr;
    SquareGrid *m_square = nullptr;
    QPushButton *m_toPeriod = nullptr;
    QPlainTextEdit *m_plaintext = nullptr;
    QListWidget *m_candidates = nullptr;

    std::string m_ciphertext;  // the letters of the input
    QString m_inputError;  // why the input cannot be searched; empty where it can
    bool m_statusShowsInputError = false;
    std::optional<SearchProgress> m_result;  // of the last or running search
    bifid::Crib m_searchedCrib;  // of the last or running search
    int m_searchedDepth = 2;
    QString m_shownText;  // the plaintext field's text, laid out again only when it changes
    std::map<std::pair<bifid::Dimension, bool>, std::shared_ptr<const bifid::QuadgramTable>> m_tables;
    std::map<std::pair<bifid::Dimension, bool>, std::shared_ptr<const bifid::WordTable>> m_words;
    QThread *m_thread = nullptr;
    SearchWorker *m_worker = nullptr;
};
