// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LabAnalysisPage.h"

#include "AnalysisCharts.h"
#include "FocusHandOver.h"
#include "SquareGrid.h"
#include "TextCodec.h"

#include <cipher/Cleaning.h>
#include <cipher/PeriodTest.h>

#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>

namespace {

constexpr int kLargestSeed = 999'999'999;

const char *const kPeriodExplanation
    = "Was die Balken messen: Bei der Periode p hält in jedem Block der Buchstabe k der ersten Hälfte "
      "die Zeilenziffern zweier Klartextbuchstaben und der Buchstabe k + p/2 ihre Spaltenziffern. Solche "
      "Paare von Geheimtextbuchstaben wiederholen sich daher so oft wie Buchstabenpaare im Klartext. Jeder "
      "Balken zeigt, wie viel öfter die Paare seiner Periode übereinstimmen als Paare unabhängiger "
      "Buchstaben (1 heißt: kein Zusammenhang). Bei ungerader Periode verteilt sich das Signal auf die "
      "Abstände (p − 1)/2 und (p + 1)/2 und ist schwächer. Der grüne Balken ist der Vorschlag.";

const char *const kSearchExplanation
    = "Die Suche beginnt mit einem zufälligen Quadrat und ändert es Schritt für Schritt: meist tauscht sie "
      "zwei Felder, ab und zu zwei Zeilen oder zwei Spalten. Jeder Versuch wird entschlüsselt und danach "
      "bewertet, wie häufig seine Vierergruppen in deutschen (oder englischen) Texten sind. Ein besseres "
      "Quadrat wird immer übernommen, ein schlechteres nur mit einer Wahrscheinlichkeit, die mit der "
      "Temperatur sinkt (simulierte Abkühlung); so kommt die Suche aus Sackgassen heraus. Ein bekannter "
      "Klartext lässt Quadrate, die ihm widersprechen, nicht gelten.";

const char *const kEquivalentExplanation
    = "Vertauscht man die Zeilen und in gleicher Weise die Spalten, entsteht dieselbe Chiffre, denn jede "
      "Ziffer bekommt nur einen anderen Namen. So hat jedes Quadrat 120 (5 × 5) oder 720 (6 × 6) "
      "gleichwertige Formen, sich selbst eingeschlossen: Das gefundene Quadrat darf anders aussehen als "
      "das verwendete und ist doch richtig, wenn der Klartext stimmt. Ein an der Diagonale gespiegeltes "
      "Quadrat gehört im Allgemeinen nicht dazu.";

QLabel *paragraph(const char *text, QWidget *parent)
{
    auto *label = new QLabel(QString::fromUtf8(text), parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    return label;
}

// The page speaks German whatever the system's locale.
QLocale german()
{
    return {QLocale::German, QLocale::Germany};
}

QString number(double value, int decimals)
{
    return german().toString(value, 'f', decimals);
}

}  // namespace

LabAnalysisPage::LabAnalysisPage(QWidget *parent)
    : QWidget(parent)
{
    qRegisterMetaType<SearchProgress>();
    setObjectName(QStringLiteral("LabAnalysisPage"));
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(buildPeriodColumn(), 4);
    layout->addWidget(buildSearchColumn(), 4);
    layout->addWidget(buildResultColumn(), 3);

    connect(m_input, &QPlainTextEdit::textChanged, this, &LabAnalysisPage::inputChanged);
    connect(m_dimension, &QComboBox::currentIndexChanged, this, [this] {
        m_square->build(dimension(), QStringLiteral("LabAnalysisCell"));
        inputChanged();
    });
    connect(m_period, &QSpinBox::valueChanged, this, [this](int period) {
        m_periodFollowsSuggestion = false;
        m_periodChart->setChosen(static_cast<std::size_t>(period));
    });
    connect(m_takeSuggestion, &QPushButton::clicked, this, &LabAnalysisPage::takeSuggestion);
    connect(m_newSeed, &QPushButton::clicked, this,
        [this] { m_seed->setValue(static_cast<int>(QRandomGenerator::global()->bounded(1, kLargestSeed))); });
    connect(m_start, &QPushButton::clicked, this, &LabAnalysisPage::start);
    connect(m_stop, &QPushButton::clicked, this, &LabAnalysisPage::stop);
    inputChanged();
    setSearching(false);
}

LabAnalysisPage::~LabAnalysisPage()
{
    if (m_thread) {
        m_worker->requestStop();
        m_thread->quit();
        m_thread->wait();
        delete m_worker;
    }
}

QWidget *LabAnalysisPage::buildPeriodColumn()
{
    auto *box = new QGroupBox(QStringLiteral("1. Geheimtext und Periode"), this);
    auto *layout = new QVBoxLayout(box);
    auto *inputLabel = new QLabel(QStringLiteral("&Geheimtext:"), box);
    m_input = new QPlainTextEdit(box);
    m_input->setObjectName(QStringLiteral("LabAnalysisInput"));
    m_input->setTabChangesFocus(true);
    m_input->setPlaceholderText(QStringLiteral("Geheimtext hier einfügen"));
    inputLabel->setBuddy(m_input);
    layout->addWidget(inputLabel);
    layout->addWidget(m_input, 2);

    auto *squareRow = new QHBoxLayout;
    auto *squareLabel = new QLabel(QStringLiteral("&Quadrat:"), box);
    m_dimension = new QComboBox(box);
    m_dimension->setObjectName(QStringLiteral("LabAnalysisDimension"));
    m_dimension->addItem(QStringLiteral("5 × 5 (ohne J)"));
    m_dimension->addItem(QStringLiteral("6 × 6 (mit Ziffern)"));
    squareLabel->setBuddy(m_dimension);
    m_letters = new QLabel(box);
    m_letters->setObjectName(QStringLiteral("LabAnalysisLetters"));
    squareRow->addWidget(squareLabel);
    squareRow->addWidget(m_dimension);
    squareRow->addWidget(m_letters, 1);
    layout->addLayout(squareRow);

    m_periodChart = new PeriodChart(box);
    layout->addWidget(m_periodChart, 2);
    layout->addWidget(paragraph(kPeriodExplanation, box));

    auto *periodRow = new QHBoxLayout;
    auto *periodLabel = new QLabel(QStringLiteral("&Periode:"), box);
    m_period = new QSpinBox(box);
    m_period->setObjectName(QStringLiteral("LabAnalysisPeriod"));
    m_period->setRange(0, 9999);
    m_period->setSpecialValueText(QStringLiteral("keine"));
    m_period->setSuffix(QStringLiteral(" Buchstaben"));
    m_period->setToolTip(QStringLiteral("Die Periode, mit der die Suche entschlüsselt; „keine“: ein Block."));
    periodLabel->setBuddy(m_period);
    m_takeSuggestion = new QPushButton(QStringLiteral("&Vorschlag übernehmen"), box);
    m_takeSuggestion->setObjectName(QStringLiteral("LabAnalysisTakeSuggestion"));
    m_suggestion = new QLabel(box);
    m_suggestion->setObjectName(QStringLiteral("LabAnalysisSuggestion"));
    periodRow->addWidget(periodLabel);
    periodRow->addWidget(m_period);
    periodRow->addWidget(m_takeSuggestion);
    periodRow->addWidget(m_suggestion, 1);
    layout->addLayout(periodRow);
    return box;
}

QWidget *LabAnalysisPage::buildSearchColumn()
{
    auto *box = new QGroupBox(QStringLiteral("2. Schlüsselsuche"), this);
    auto *layout = new QVBoxLayout(box);
    auto *form = new QFormLayout;
    m_language = new QComboBox(box);
    m_language->setObjectName(QStringLiteral("LabAnalysisLanguage"));
    m_language->addItem(QStringLiteral("Deutsch"));
    m_language->addItem(QStringLiteral("Englisch"));
    form->addRow(QStringLiteral("&Sprache:"), m_language);

    auto *seedRow = new QHBoxLayout;
    m_seed = new QSpinBox(box);
    m_seed->setObjectName(QStringLiteral("LabAnalysisSeed"));
    m_seed->setRange(1, kLargestSeed);
    m_seed->setValue(static_cast<int>(QRandomGenerator::global()->bounded(1, kLargestSeed)));
    m_seed->setToolTip(QStringLiteral("Derselbe Startwert wiederholt dieselbe Suche."));
    m_newSeed = new QPushButton(QStringLiteral("&Neu"), box);
    m_newSeed->setObjectName(QStringLiteral("LabAnalysisNewSeed"));
    seedRow->addWidget(m_seed, 1);
    seedRow->addWidget(m_newSeed);
    auto *seedLabel = new QLabel(QStringLiteral("Start&wert:"), box);
    seedLabel->setBuddy(m_seed);
    form->addRow(seedLabel, seedRow);

    m_crib = new QLineEdit(box);
    m_crib->setObjectName(QStringLiteral("LabAnalysisCrib"));
    m_crib->setPlaceholderText(QStringLiteral("freiwillig, z. B. ein erwartetes Wort"));
    form->addRow(QStringLiteral("Bekannter &Klartext:"), m_crib);
    m_cribPosition = new QSpinBox(box);
    m_cribPosition->setObjectName(QStringLiteral("LabAnalysisCribPosition"));
    m_cribPosition->setRange(0, 99999);
    m_cribPosition->setSpecialValueText(QStringLiteral("irgendwo"));
    m_cribPosition->setPrefix(QStringLiteral("ab Buchstabe "));
    form->addRow(QStringLiteral("Stell&e:"), m_cribPosition);
    layout->addLayout(form);

    auto *buttons = new QHBoxLayout;
    m_start = new QPushButton(QStringLiteral("S&tarten"), box);
    m_start->setObjectName(QStringLiteral("LabAnalysisStart"));
    m_stop = new QPushButton(QStringLiteral("An&halten"), box);
    m_stop->setObjectName(QStringLiteral("LabAnalysisStop"));
    buttons->addWidget(m_start);
    buttons->addWidget(m_stop);
    layout->addLayout(buttons);

    m_status = new QLabel(box);
    m_status->setObjectName(QStringLiteral("LabAnalysisStatus"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    auto *figures = new QHBoxLayout;
    m_keys = new QLabel(box);
    m_keys->setObjectName(QStringLiteral("LabAnalysisKeys"));
    m_temperature = new QLabel(box);
    m_temperature->setObjectName(QStringLiteral("LabAnalysisTemperature"));
    m_score = new QLabel(box);
    m_score->setObjectName(QStringLiteral("LabAnalysisScore"));
    m_score->setWordWrap(true);
    figures->addWidget(m_keys);
    figures->addWidget(m_temperature);
    layout->addLayout(figures);
    layout->addWidget(m_score);
    m_scoreChart = new ScoreChart(box);
    layout->addWidget(m_scoreChart, 1);
    layout->addWidget(paragraph(kSearchExplanation, box));
    return box;
}

QWidget *LabAnalysisPage::buildResultColumn()
{
    auto *box = new QGroupBox(QStringLiteral("3. Bestes Quadrat bisher"), this);
    auto *layout = new QVBoxLayout(box);
    m_square = new SquareGrid(box);
    m_square->setObjectName(QStringLiteral("LabAnalysisSquare"));
    m_square->build(bifid::Dimension::Five, QStringLiteral("LabAnalysisCell"));
    layout->addWidget(m_square, 0, Qt::AlignHCenter);
    auto *plainLabel = new QLabel(QStringLiteral("K&lartext:"), box);
    m_plaintext = new QPlainTextEdit(box);
    m_plaintext->setObjectName(QStringLiteral("LabAnalysisPlaintext"));
    m_plaintext->setReadOnly(true);
    m_plaintext->setTabChangesFocus(true);
    plainLabel->setBuddy(m_plaintext);
    layout->addWidget(plainLabel);
    layout->addWidget(m_plaintext, 1);
    layout->addWidget(paragraph(kEquivalentExplanation, box));
    return box;
}

bifid::Dimension LabAnalysisPage::dimension() const
{
    return m_dimension->currentIndex() == 1 ? bifid::Dimension::Six : bifid::Dimension::Five;
}

std::shared_ptr<const bifid::QuadgramTable> LabAnalysisPage::table(bifid::Dimension dimension, bool german)
{
    auto &table = m_tables[{dimension, german}];
    if (!table) {
        QFile file(QStringLiteral(":/quadgrams/%1-%2.qgram")
                       .arg(german ? "de" : "en", dimension == bifid::Dimension::Five ? "5" : "6"));
        if (!file.open(QIODevice::ReadOnly))
            return nullptr;
        const QByteArray bytes = qUncompress(file.readAll());
        std::optional<bifid::QuadgramTable> read = bifid::QuadgramTable::fromBytes(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), dimension);
        if (!read)
            return nullptr;
        table = std::make_shared<const bifid::QuadgramTable>(std::move(*read));
    }
    return table;
}

void LabAnalysisPage::inputChanged()
{
    const bifid::Dimension dim = dimension();
    m_ciphertext = bifid::cleanText(TextCodec::toCodePage(m_input->toPlainText()), dim == bifid::Dimension::Six, dim);
    m_letters->setText(QStringLiteral("%1 Buchstaben").arg(m_ciphertext.size()));
    const bifid::PeriodStatistic statistic = bifid::periodStatistic(m_ciphertext, dim);
    m_periodChart->setValues(statistic.values, statistic.suggested);
    m_takeSuggestion->setEnabled(statistic.suggested > 0);
    m_suggestion->setText(statistic.suggested > 0 ? QStringLiteral("Vorschlag: %1").arg(statistic.suggested)
                                                  : QStringLiteral("Kein Vorschlag"));
    if (m_periodFollowsSuggestion && statistic.suggested > 0)
        takeSuggestion();
}

void LabAnalysisPage::takeSuggestion()
{
    const std::size_t suggested = m_periodChart->suggested();
    if (suggested == 0)
        return;
    m_period->setValue(static_cast<int>(suggested));
    m_periodFollowsSuggestion = true;
}

void LabAnalysisPage::start()
{
    if (searching())
        return;
    const bifid::Dimension dim = dimension();
    if (m_ciphertext.size() < 4) {
        showStatus(QStringLiteral("Der Geheimtext braucht mindestens vier Buchstaben des Quadrats."), true);
        return;
    }
    bifid::SearchSettings settings;
    settings.period = static_cast<std::size_t>(m_period->value());
    settings.seed = static_cast<std::uint64_t>(m_seed->value());
    settings.crib.text = bifid::cleanText(TextCodec::toCodePage(m_crib->text()), dim == bifid::Dimension::Six, dim);
    if (m_cribPosition->value() > 0)
        settings.crib.position = static_cast<std::size_t>(m_cribPosition->value() - 1);
    const std::size_t cribEnd = settings.crib.position.value_or(0) + settings.crib.text.size();
    if (cribEnd > m_ciphertext.size()) {
        showStatus(QStringLiteral("Der bekannte Klartext reicht über das Ende des Geheimtexts (%1 Buchstaben) hinaus.")
                       .arg(m_ciphertext.size()),
            true);
        return;
    }
    std::shared_ptr<const bifid::QuadgramTable> quadgrams = table(dim, m_language->currentIndex() == 0);
    if (!quadgrams) {
        showStatus(QStringLiteral("Die Statistik der Sprache fehlt im Programm."), true);
        return;
    }

    m_scoreChart->clear();
    m_thread = new QThread(this);
    m_worker = new SearchWorker(m_ciphertext, std::move(quadgrams), settings);
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::started, m_worker, &SearchWorker::run);
    connect(m_worker, &SearchWorker::progress, this, &LabAnalysisPage::showProgress);
    connect(m_worker, &SearchWorker::finished, this, &LabAnalysisPage::finish);
    connect(m_worker, &SearchWorker::finished, m_thread, &QThread::quit);
    connect(m_thread, &QThread::finished, this, [this] {
        m_thread->wait();
        delete m_worker;
        m_worker = nullptr;
        m_thread->deleteLater();
        m_thread = nullptr;
        setSearching(false);
        emit searchEnded();
    });
    showStatus(QStringLiteral("Die Suche läuft mit dem Startwert %1 …").arg(m_seed->value()), false);
    setSearching(true);
    m_thread->start();
}

void LabAnalysisPage::stop()
{
    if (m_worker)
        m_worker->requestStop();
}

void LabAnalysisPage::showProgress(const SearchProgress &progress)
{
    m_square->showSquare({progress.square, {}});
    // A long plaintext is laid out again only when it changed.
    if (progress.plaintext != m_shownPlaintext) {
        m_shownPlaintext = progress.plaintext;
        m_plaintext->setPlainText(TextCodec::fromCodePage(m_shownPlaintext));
    }
    m_keys->setText(QStringLiteral("Geprüfte Schlüssel: %1").arg(german().toString(progress.keysTried)));
    m_temperature->setText(QStringLiteral("Temperatur: %1").arg(number(progress.temperature, 1)));
    QString score = QStringLiteral("Bewertung: %1 bit je Vierergruppe (deutsche Prosa etwa −13)")
                        .arg(number(progress.bestScore, 2));
    if (!m_crib->text().isEmpty() && progress.cribMismatches > 0)
        score
            += QStringLiteral("; %1 Buchstaben widersprechen noch dem bekannten Klartext").arg(progress.cribMismatches);
    m_score->setText(score);
    m_scoreChart->addPoint({static_cast<double>(progress.keysTried), progress.bestScore, progress.currentScore});
}

void LabAnalysisPage::finish(const SearchProgress &progress)
{
    showProgress(progress);
    const QString how = progress.finished ? QStringLiteral("Fertig: Lange fand die Suche kein besseres Quadrat mehr.")
                                          : QStringLiteral("Angehalten.");
    showStatus(QStringLiteral("%1 Startwert %2. Klingt der Klartext falsch, hilft oft ein neuer Startwert, eine "
                              "andere Periode oder ein bekannter Klartext.")
                   .arg(how)
                   .arg(m_seed->value()),
        false);
}

void LabAnalysisPage::setSearching(bool running)
{
    FocusHandOver::release(running ? m_start : m_stop);
    for (QWidget *input : std::initializer_list<QWidget *>{
             m_input, m_dimension, m_period, m_takeSuggestion, m_language, m_seed, m_newSeed, m_crib, m_cribPosition})
        input->setEnabled(!running);
    if (!running)
        m_takeSuggestion->setEnabled(m_periodChart->suggested() > 0);
    m_start->setEnabled(!running);
    m_stop->setEnabled(running);
    (running ? m_stop : m_start)->setFocus();
}

void LabAnalysisPage::showStatus(const QString &message, bool isError)
{
    QPalette palette = m_status->palette();
    palette.setColor(QPalette::WindowText, isError ? QColor(192, 0, 0) : this->palette().color(QPalette::WindowText));
    m_status->setPalette(palette);
    m_status->setText(message);
}
