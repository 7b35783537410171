// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LabAnalysisPage.h"

#include "AnalysisCharts.h"
#include "CipherMessages.h"
#include "FocusHandOver.h"
#include "Messages.h"
#include "PageScrollArea.h"
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
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextEdit>
#include <QThread>
#include <QVBoxLayout>

namespace {

constexpr int kLargestSeed = 999'999'999;
constexpr int kAutomaticPeriod = -1;  // the period field's value for "automatisch"
constexpr int kLargestPeriod = 9999;
constexpr std::size_t kLargestSearchedPeriod = 20;  // what "automatisch" tries, as the chart shows
constexpr int kCandidateCharacters = 44;  // of a candidate's plaintext in the list
// Below this many letters a search without a known plaintext often ends on a wrong text (period 7 known:
// 6 of 10 right at 60 letters, 2 to 3 of 10 at 50), where a known word brings most back (9 of 10 at 50
// letters with eight letters anywhere or six at their place).
constexpr std::size_t kLettersWithoutCrib = 80;

QString shortTextHint()
{
    return QStringLiteral("Bei weniger als %1 Buchstaben findet die Suche ohne bekannten Klartext oft einen "
                          "falschen. Meist hilft schon ein bekanntes Wort: acht Buchstaben irgendwo im Text oder "
                          "sechs mit ihrer Stelle.")
        .arg(kLettersWithoutCrib);
}

const char *const kPeriodExplanation
    = "Was die Balken messen: Bei der Periode p hält in jedem Block der Buchstabe k der ersten Hälfte "
      "die Zeilenziffern zweier Klartextbuchstaben und der Buchstabe k + p/2 ihre Spaltenziffern. Solche "
      "Paare von Geheimtextbuchstaben wiederholen sich daher so oft wie Buchstabenpaare im Klartext. Jeder "
      "Balken zeigt, wie viel öfter die Paare seiner Periode übereinstimmen als Paare unabhängiger "
      "Buchstaben (1 heißt: kein Zusammenhang). Der grüne Balken ist der Vorschlag; die Punkte zeigen die "
      "beste Bewertung, die die Suche mit jeder Periode erreicht hat.";

const char *const kSearchExplanation
    = "Die Suche beginnt mit einem zufälligen Quadrat und ändert es Schritt für Schritt: meist tauscht sie "
      "zwei Felder, ab und zu zwei Zeilen oder zwei Spalten. Jeder Versuch wird entschlüsselt und danach "
      "bewertet, wie häufig seine Vierergruppen in deutschen (oder englischen) Texten sind. Ein besseres "
      "Quadrat wird immer übernommen, ein schlechteres nur mit einer Wahrscheinlichkeit, die mit der "
      "Temperatur sinkt (simulierte Abkühlung). Sie beginnt immer wieder neu, mal zufällig, mal nahe "
      "dem besten Quadrat, und endet, wenn mehrere unabhängige Anfänge denselben besten Klartext fanden; "
      "bei unbekannter Periode erst, wenn seine Periode deutlich besser bewertet ist als jede andere.";

const char *const kEquivalentExplanation
    = "Vertauscht man die Zeilen und in gleicher Weise die Spalten, entsteht dieselbe Chiffre. So hat "
      "jedes Quadrat 120 (5 × 5) oder 720 (6 × 6) gleichwertige Formen: Das gefundene Quadrat darf anders "
      "aussehen als das verwendete und ist doch richtig, wenn der Klartext stimmt.";

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

QString periodName(std::size_t period)
{
    return period == 0 ? QStringLiteral("keine (ein Block)") : QString::number(period);
}

// The period field: "automatisch" (the search finds the period), "keine" (one block) or a number of letters.
class PeriodSpinBox : public QSpinBox {
public:
    explicit PeriodSpinBox(QWidget *parent)
        : QSpinBox(parent)
    {
        setRange(kAutomaticPeriod, kLargestPeriod);
        setValue(kAutomaticPeriod);
    }

protected:
    [[nodiscard]] QString textFromValue(int value) const override
    {
        if (value == kAutomaticPeriod)
            return QStringLiteral("automatisch");
        if (value == 0)
            return QStringLiteral("keine");
        return Messages::counted(std::size_t(value), "Buchstabe", "Buchstaben", german());
    }

    [[nodiscard]] int valueFromText(const QString &text) const override { return parse(text).value_or(value()); }

    QValidator::State validate(QString &input, int & /*pos*/) const override
    {
        const QString typed = input.trimmed();
        if (typed.isEmpty())
            return QValidator::Intermediate;
        for (const QString &word : {QStringLiteral("automatisch"), QStringLiteral("keine")})
            if (word.startsWith(typed, Qt::CaseInsensitive))
                return typed.size() == word.size() ? QValidator::Acceptable : QValidator::Intermediate;
        const qsizetype digits = leadingDigits(typed);
        if (digits == 0)
            return QValidator::Invalid;
        const QString rest = typed.mid(digits).trimmed();
        if (!rest.isEmpty() && !QStringLiteral("Buchstaben").startsWith(rest, Qt::CaseInsensitive))
            return QValidator::Invalid;
        bool read = false;
        const int period = typed.left(digits).toInt(&read);
        return read && period <= kLargestPeriod ? QValidator::Acceptable : QValidator::Invalid;
    }

private:
    [[nodiscard]] static qsizetype leadingDigits(const QString &typed)
    {
        qsizetype digits = 0;
        while (digits < typed.size() && typed[digits].isDigit())
            ++digits;
        return digits;
    }

    [[nodiscard]] static std::optional<int> parse(const QString &text)
    {
        const QString typed = text.trimmed();
        if (typed.compare(QStringLiteral("automatisch"), Qt::CaseInsensitive) == 0)
            return kAutomaticPeriod;
        if (typed.compare(QStringLiteral("keine"), Qt::CaseInsensitive) == 0)
            return 0;
        const qsizetype digits = leadingDigits(typed);
        if (digits == 0)
            return std::nullopt;
        return typed.left(digits).toInt();
    }
};

// The letters of a typed ciphertext for the square: blanks, line breaks and punctuation are ignored, a
// small letter counts as its capital. A letter or digit that the square does not hold (a digit or a J
// in the 5 X 5 square, an umlaut) is named with its place among the typed characters, as the page
// "Periode" names it, and nothing is taken.
struct Letters {
    std::string text;
    QString error;
};

Letters lettersOf(const QString &typed, bifid::Dimension dimension)
{
    const std::string_view alphabet = bifid::baseAlphabet(dimension);
    Letters letters;
    qsizetype place = 0;
    for (TextCodec::CodePointReader reader(typed); !reader.atEnd();) {
        ++place;
        const char32_t codePoint = reader.next().value;
        if (!QChar::isLetterOrNumber(codePoint))
            continue;
        const char32_t capital = codePoint >= U'a' && codePoint <= U'z' ? codePoint - U'a' + U'A' : codePoint;
        if (capital < 0x80 && alphabet.find(static_cast<char>(capital)) != std::string_view::npos) {
            letters.text += static_cast<char>(capital);
            continue;
        }
        letters.text.clear();
        letters.error = QStringLiteral("Das Zeichen '%1' an Stelle %2 steht nicht in der %3-Matrix.")
                            .arg(QString::fromUcs4(&codePoint, 1))
                            .arg(place)
                            .arg(CipherMessages::sizeName(dimension));
        return letters;
    }
    return letters;
}

// A table that the scripts packed into the resources, unpacked; empty where it is missing, which no table
// reads as its own.
QByteArray unpackedResource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? qUncompress(file.readAll()) : QByteArray();
}

std::string_view viewOf(const QByteArray &bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// Where letter `index` of a plaintext stands in its text with the word breaks.
qsizetype placeWithBreaks(std::size_t index, const std::vector<std::size_t> &breaks)
{
    const auto before = std::upper_bound(breaks.begin(), breaks.end(), index) - breaks.begin();
    return qsizetype(index) + before;
}

}  // namespace

LabAnalysisPage::LabAnalysisPage(QWidget *parent)
    : QWidget(parent)
{
    qRegisterMetaType<SearchProgress>();
    setObjectName(QStringLiteral("LabAnalysisPage"));
    // The columns scroll where the lab is lower than their wrapped explanations need, rather than
    // cutting them.
    auto *columns = new QWidget;
    auto *layout = new QHBoxLayout(columns);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildPeriodColumn(), 4);
    layout->addWidget(buildSearchColumn(), 4);
    layout->addWidget(buildResultColumn(), 3);
    auto *view = new PageScrollArea(columns, QStringLiteral("Kryptoanalyse"), this);
    view->setObjectName(QStringLiteral("LabAnalysisView"));
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(view);

    connect(m_input, &QPlainTextEdit::textChanged, this, &LabAnalysisPage::inputChanged);
    connect(m_dimension, &QComboBox::currentIndexChanged, this, [this] {
        // A result of the other square size no longer belongs to the input.
        clearResult();
        inputChanged();
    });
    connect(m_depth, &QSpinBox::valueChanged, this, &LabAnalysisPage::inputChanged);
    connect(m_period, &QSpinBox::valueChanged, this,
        [this](int period) { m_periodChart->setChosen(period > 0 ? std::size_t(period) : 0); });
    connect(m_takeSuggestion, &QPushButton::clicked, this, &LabAnalysisPage::takeSuggestion);
    connect(m_newSeed, &QPushButton::clicked, this,
        [this] { m_seed->setValue(static_cast<int>(QRandomGenerator::global()->bounded(1, kLargestSeed))); });
    connect(m_start, &QPushButton::clicked, this, &LabAnalysisPage::start);
    connect(m_stop, &QPushButton::clicked, this, &LabAnalysisPage::stop);
    connect(m_fromPeriod, &QPushButton::clicked, this, &LabAnalysisPage::periodResultWanted);
    connect(m_toPeriod, &QPushButton::clicked, this, [this] {
        if (!m_result)
            return;
        const int row = std::max(0, m_candidates->currentRow());
        const SearchCandidate &candidate = m_result->candidates[std::size_t(row)];
        emit decipherWanted(candidate.square, candidate.period, m_searchedDepth, TextCodec::fromCodePage(m_ciphertext));
    });
    connect(m_candidates, &QListWidget::currentRowChanged, this, &LabAnalysisPage::showCandidate);
    inputChanged();
    clearResult();
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
    auto *inputRow = new QHBoxLayout;
    auto *inputLabel = new QLabel(QStringLiteral("&Geheimtext:"), box);
    m_fromPeriod = new QPushButton(QStringLiteral("Aus „Peri&ode“ übernehmen"), box);
    m_fromPeriod->setObjectName(QStringLiteral("LabAnalysisFromPeriod"));
    m_fromPeriod->setToolTip(QStringLiteral("Nimmt den Geheimtext der Seite „Periode“ mit ihrer Quadratgröße, "
                                            "Tiefe und Periode."));
    inputRow->addWidget(inputLabel, 1);
    inputRow->addWidget(m_fromPeriod);
    layout->addLayout(inputRow);
    m_input = new QPlainTextEdit(box);
    m_input->setObjectName(QStringLiteral("LabAnalysisInput"));
    m_input->setTabChangesFocus(true);
    m_input->setPlaceholderText(QStringLiteral("Geheimtext hier einfügen; Leerzeichen, Zeilenumbrüche und "
                                               "Satzzeichen zählen nicht"));
    inputLabel->setBuddy(m_input);
    layout->addWidget(m_input, 2);

    auto *squareRow = new QHBoxLayout;
    auto *squareLabel = new QLabel(QStringLiteral("&Quadrat:"), box);
    m_dimension = new QComboBox(box);
    m_dimension->setObjectName(QStringLiteral("LabAnalysisDimension"));
    m_dimension->addItem(QStringLiteral("5 × 5 (ohne J)"));
    m_dimension->addItem(QStringLiteral("6 × 6 (mit Ziffern)"));
    squareLabel->setBuddy(m_dimension);
    auto *depthLabel = new QLabel(QStringLiteral("T&iefe:"), box);
    m_depth = new QSpinBox(box);
    m_depth->setObjectName(QStringLiteral("LabAnalysisDepth"));
    m_depth->setRange(2, 5);
    m_depth->setToolTip(QStringLiteral("Auf wie viele Zeilen die Ziffern jedes Blocks verteilt wurden, wie im "
                                       "Hauptfenster."));
    depthLabel->setBuddy(m_depth);
    m_letters = new QLabel(box);
    m_letters->setObjectName(QStringLiteral("LabAnalysisLetters"));
    m_letters->setWordWrap(true);  // the column stays narrow enough for a projector
    squareRow->addWidget(squareLabel);
    squareRow->addWidget(m_dimension);
    squareRow->addWidget(depthLabel);
    squareRow->addWidget(m_depth);
    squareRow->addWidget(m_letters, 1);
    layout->addLayout(squareRow);

    m_periodChart = new PeriodChart(box);
    layout->addWidget(m_periodChart, 2);
    layout->addWidget(paragraph(kPeriodExplanation, box));

    auto *periodRow = new QHBoxLayout;
    auto *periodLabel = new QLabel(QStringLiteral("&Periode:"), box);
    m_period = new PeriodSpinBox(box);
    m_period->setObjectName(QStringLiteral("LabAnalysisPeriod"));
    m_period->setToolTip(QStringLiteral("Die Periode, mit der die Suche entschlüsselt; „automatisch“: die Suche "
                                        "probiert die Perioden 1 bis 20 und „keine“ (ein Block) selbst."));
    periodLabel->setBuddy(m_period);
    m_takeSuggestion = new QPushButton(QStringLiteral("&Vorschlag übernehmen"), box);
    m_takeSuggestion->setObjectName(QStringLiteral("LabAnalysisTakeSuggestion"));
    m_suggestion = new QLabel(box);
    m_suggestion->setObjectName(QStringLiteral("LabAnalysisSuggestion"));
    m_suggestion->setWordWrap(true);
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
    auto *box = new QGroupBox(QStringLiteral("3. Ergebnis"), this);
    auto *layout = new QVBoxLayout(box);
    auto *squareRow = new QHBoxLayout;
    m_square = new SquareGrid(box);
    m_square->setObjectName(QStringLiteral("LabAnalysisSquare"));
    m_square->build(bifid::Dimension::Five, QStringLiteral("LabAnalysisCell"));
    auto *squareSide = new QVBoxLayout;
    m_squareTitle = new QLabel(box);
    m_squareTitle->setObjectName(QStringLiteral("LabAnalysisSquareTitle"));
    m_squareTitle->setWordWrap(true);
    m_toPeriod = new QPushButton(QStringLiteral("In „Pe&riode“ entschlüsseln"), box);
    m_toPeriod->setObjectName(QStringLiteral("LabAnalysisToPeriod"));
    m_toPeriod->setToolTip(QStringLiteral("Entschlüsselt den Geheimtext auf der Seite „Periode“ Schritt für "
                                          "Schritt mit dem gezeigten Quadrat und seiner Periode."));
    squareSide->addWidget(m_squareTitle);
    squareSide->addStretch(1);
    squareRow->addWidget(m_square);
    squareRow->addLayout(squareSide, 1);
    layout->addLayout(squareRow);
    // Below the square rather than beside it: beside it the column was too wide for a 1024-pixel screen.
    auto *toPeriodRow = new QHBoxLayout;
    toPeriodRow->addWidget(m_toPeriod);
    toPeriodRow->addStretch(1);
    layout->addLayout(toPeriodRow);

    auto *plainLabel = new QLabel(QStringLiteral("K&lartext:"), box);
    m_plaintext = new QPlainTextEdit(box);
    m_plaintext->setObjectName(QStringLiteral("LabAnalysisPlaintext"));
    m_plaintext->setReadOnly(true);
    m_plaintext->setTabChangesFocus(true);
    plainLabel->setBuddy(m_plaintext);
    layout->addWidget(plainLabel);
    layout->addWidget(m_plaintext, 2);

    auto *candidatesLabel = new QLabel(QStringLiteral("Die besten verschiedenen Kan&didaten:"), box);
    m_candidates = new QListWidget(box);
    m_candidates->setObjectName(QStringLiteral("LabAnalysisCandidates"));
    m_candidates->setAccessibleName(QStringLiteral("Die besten verschiedenen Kandidaten"));  // a list reads no buddy
    m_candidates->setToolTip(QStringLiteral("Bewertung, Periode und Anfang des Klartexts; ein Klick zeigt den "
                                            "Kandidaten mit seinem Quadrat."));
    candidatesLabel->setBuddy(m_candidates);
    // All five rows at once, each cut at the right edge rather than scrolled.
    m_candidates->setTextElideMode(Qt::ElideRight);
    m_candidates->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_candidates->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_candidates->setUniformItemSizes(true);
    m_candidates->setFixedHeight(5 * (m_candidates->fontMetrics().height() + 2) + 2 * m_candidates->frameWidth() + 2);
    layout->addWidget(candidatesLabel);
    layout->addWidget(m_candidates);
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
        const QByteArray bytes
            = unpackedResource(QStringLiteral(":/quadgrams/%1-%2.qgram")
                                   .arg(german ? "de" : "en", dimension == bifid::Dimension::Five ? "5" : "6"));
        std::optional<bifid::QuadgramTable> read = bifid::QuadgramTable::fromBytes(viewOf(bytes), dimension);
        if (!read)
            return nullptr;
        table = std::make_shared<const bifid::QuadgramTable>(std::move(*read));
    }
    return table;
}

// The word table of scripts/make-words.sh; without it the plaintext is shown without word breaks.
std::shared_ptr<const bifid::WordTable> LabAnalysisPage::words(bifid::Dimension dimension, bool german)
{
    auto &words = m_words[{dimension, german}];
    if (!words) {
        const QByteArray bytes = unpackedResource(QStringLiteral(":/words/%1.words").arg(german ? "de" : "en"));
        std::optional<bifid::WordTable> read = bifid::WordTable::fromText(viewOf(bytes), dimension);
        if (!read)
            return nullptr;
        words = std::make_shared<const bifid::WordTable>(std::move(*read));
    }
    return words;
}

void LabAnalysisPage::inputChanged()
{
    const bifid::Dimension dim = dimension();
    Letters letters = lettersOf(m_input->toPlainText(), dim);
    m_ciphertext = std::move(letters.text);
    m_inputError = std::move(letters.error);
    m_letters->setText(m_inputError.isEmpty()
            ? Messages::counted(m_ciphertext.size(), "Buchstabe", "Buchstaben", german())
            : QString());
    const bifid::PeriodStatistic statistic
        = bifid::periodStatistic(m_ciphertext, dim, kLargestSearchedPeriod, m_depth->value());
    m_periodChart->setValues(statistic.values, statistic.suggested);
    m_takeSuggestion->setEnabled(statistic.suggested > 0 && !searching());
    m_suggestion->setText(statistic.suggested > 0 ? QStringLiteral("Vorschlag: %1").arg(statistic.suggested)
                                                  : QStringLiteral("Kein Vorschlag"));
    if (!m_inputError.isEmpty())
        showStatus(
            m_inputError + QStringLiteral(" Gesucht wird erst, wenn der Geheimtext nur Zeichen der Matrix hat."), true);
    else if (m_statusShowsInputError)
        showStatus(QString(), false);
    m_statusShowsInputError = !m_inputError.isEmpty();
}

void LabAnalysisPage::takeSuggestion()
{
    const std::size_t suggested = m_periodChart->suggested();
    if (suggested > 0)
        m_period->setValue(static_cast<int>(suggested));
}

void LabAnalysisPage::takeCiphertext(
    const std::string &ciphertext, bifid::Dimension dimension, std::size_t period, int depth)
{
    if (searching())
        return;
    if (ciphertext.empty()) {
        showStatus(QStringLiteral("Die Seite „Periode“ zeigt gerade keinen Geheimtext."), true);
        return;
    }
    m_dimension->setCurrentIndex(dimension == bifid::Dimension::Six ? 1 : 0);
    m_depth->setValue(depth);
    m_input->setPlainText(TextCodec::fromCodePage(ciphertext));
    m_period->setValue(static_cast<int>(std::min<std::size_t>(period, kLargestPeriod)));
    showStatus(QStringLiteral("Geheimtext der Seite „Periode“ übernommen, mit ihrer Periode %1 als Hinweis; "
                              "„automatisch“ lässt die Suche die Periode selbst finden.")
                   .arg(periodName(period)),
        false);
}

void LabAnalysisPage::start()
{
    if (searching())
        return;
    const bifid::Dimension dim = dimension();
    if (!m_inputError.isEmpty()) {
        showStatus(m_inputError + QStringLiteral(" Es wird nichts gesucht."), true);
        return;
    }
    if (m_ciphertext.size() < 4) {
        showStatus(QStringLiteral("Der Geheimtext braucht mindestens vier Buchstaben des Quadrats."), true);
        return;
    }
    bifid::SearchSettings settings;
    settings.findPeriod = m_period->value() == kAutomaticPeriod;
    settings.period = settings.findPeriod ? 0 : static_cast<std::size_t>(m_period->value());
    settings.maxPeriod = kLargestSearchedPeriod;
    settings.depth = m_depth->value();
    settings.seed = static_cast<std::uint64_t>(m_seed->value());
    // The known plaintext is cleaned as the main window cleans a plaintext.
    settings.crib.text = bifid::cleanText(TextCodec::toCodePage(m_crib->text()), dim == bifid::Dimension::Six, dim);
    if (m_cribPosition->value() > 0)
        settings.crib.position = static_cast<std::size_t>(m_cribPosition->value() - 1);
    const std::size_t cribEnd = settings.crib.position.value_or(0) + settings.crib.text.size();
    if (cribEnd > m_ciphertext.size()) {
        showStatus(QStringLiteral("Der bekannte Klartext reicht über das Ende des Geheimtexts (%1) hinaus.")
                       .arg(Messages::counted(m_ciphertext.size(), "Buchstabe", "Buchstaben", german())),
            true);
        return;
    }
    const bool germanText = m_language->currentIndex() == 0;
    std::shared_ptr<const bifid::QuadgramTable> quadgrams = table(dim, germanText);
    if (!quadgrams) {
        showStatus(QStringLiteral("Die Statistik der Sprache fehlt im Programm."), true);
        return;
    }

    clearResult();
    m_searchedCrib = settings.crib;
    m_searchedDepth = settings.depth;
    m_thread = new QThread(this);
    m_worker = new SearchWorker(m_ciphertext, std::move(quadgrams), words(dim, germanText), settings);
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
    const QString running = QStringLiteral("Die Suche läuft mit dem Startwert %1 …").arg(m_seed->value());
    showStatus(needsCribHint() ? running + QLatin1Char(' ') + shortTextHint() : running, false);
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
    if (progress.candidates.empty())
        return;
    m_result = progress;
    const SearchCandidate &best = progress.candidates.front();
    m_keys->setText(QStringLiteral("Geprüfte Schlüssel: %1").arg(german().toString(progress.keysTried)));
    m_temperature->setText(QStringLiteral("Temperatur: %1").arg(number(progress.temperature, 1)));
    QString score = QStringLiteral("Bewertung: %1 bit je Vierergruppe (deutsche Prosa etwa −13), Periode %2")
                        .arg(number(best.score, 2), periodName(best.period));
    if (!m_searchedCrib.text.empty() && best.cribMismatches > 0)
        score += QStringLiteral("; %1 noch dem bekannten Klartext")
                     .arg(best.cribMismatches == 1 ? QStringLiteral("1 Buchstabe widerspricht")
                                                   : QStringLiteral("%1 Buchstaben widersprechen")
                                                         .arg(german().toString(qulonglong(best.cribMismatches))));
    m_score->setText(score);
    m_scoreChart->addPoint({static_cast<double>(progress.keysTried), best.score, progress.currentScore});
    m_periodChart->setScores(progress.periodScores);

    // The list keeps the learner's choice of row while the search goes on.
    const int chosen = std::max(0, m_candidates->currentRow());
    {
        const QSignalBlocker blocker(m_candidates);
        m_candidates->clear();
        for (const SearchCandidate &candidate : progress.candidates) {
            QString start = TextCodec::fromCodePage(bifid::joinWords(
                std::string_view(candidate.plaintext).substr(0, kCandidateCharacters), candidate.breaks));
            if (candidate.plaintext.size() > std::size_t(kCandidateCharacters))
                start += QStringLiteral(" …");
            // With a known plaintext the list is ordered by the score less the contradicted letters.
            const QString contradicted = m_searchedCrib.text.empty() || candidate.cribMismatches == 0
                ? QString()
                : QStringLiteral(" · %1").arg(
                    Messages::counted(candidate.cribMismatches, "Widerspruch", "Widersprüche", german()));
            m_candidates->addItem(
                QStringLiteral("%1 bit · Periode %2%3 · %4")
                    .arg(number(candidate.score, 2), periodName(candidate.period), contradicted, start));
        }
        m_candidates->setCurrentRow(std::min(chosen, m_candidates->count() - 1));
    }
    showCandidate(m_candidates->currentRow());
}

// The candidate of `row` in the square and the plaintext field: its word breaks restored and the known
// plaintext highlighted where it stands best, its contradicted letters in red.
void LabAnalysisPage::showCandidate(int row)
{
    if (!m_result || row < 0 || std::size_t(row) >= m_result->candidates.size())
        return;
    const SearchCandidate &candidate = m_result->candidates[std::size_t(row)];
    m_square->showSquare({candidate.square, {}});
    // "bisher" while a search may still find a better one, also after a stop.
    const QString best = m_result->finished ? QStringLiteral("Bestes Quadrat, Periode %1")
                                            : QStringLiteral("Bestes Quadrat bisher, Periode %1");
    m_squareTitle->setText(row == 0
            ? best.arg(periodName(candidate.period))
            : QStringLiteral("Kandidat %1, Periode %2").arg(row + 1).arg(periodName(candidate.period)));
    std::vector<std::size_t> breaks = candidate.breaks;
    if (row > 0) {
        const std::shared_ptr<const bifid::WordTable> table = words(dimension(), m_language->currentIndex() == 0);
        breaks = table ? table->breaks(candidate.plaintext) : std::vector<std::size_t>{};
    }
    const QString text = TextCodec::fromCodePage(bifid::joinWords(candidate.plaintext, breaks));
    // A long plaintext is laid out again only when it changed.
    if (text != m_shownText) {
        m_shownText = text;
        m_plaintext->setPlainText(text);
    }
    QList<QTextEdit::ExtraSelection> marks;
    if (const std::optional<std::size_t> place = bifid::cribPlace(candidate.plaintext, m_searchedCrib)) {
        for (std::size_t k = 0; k < m_searchedCrib.text.size(); ++k) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(m_plaintext->document());
            const qsizetype from = placeWithBreaks(*place + k, breaks);
            // The blank before the crib's next letter is highlighted too, so that the crib reads as one.
            const qsizetype to
                = k + 1 < m_searchedCrib.text.size() ? placeWithBreaks(*place + k + 1, breaks) : from + 1;
            mark.cursor.setPosition(int(from));
            mark.cursor.setPosition(int(to), QTextCursor::KeepAnchor);
            mark.format.setBackground(QColor(255, 255, 0));
            if (candidate.plaintext[*place + k] != m_searchedCrib.text[k])
                mark.format.setForeground(QColor(192, 0, 0));
            marks.push_back(mark);
        }
    }
    m_plaintext->setExtraSelections(marks);
    m_toPeriod->setEnabled(true);
}

void LabAnalysisPage::finish(const SearchProgress &progress)
{
    showProgress(progress);
    QString how = QStringLiteral("Angehalten.");
    if (progress.finished && progress.candidates.front().period == 1)
        how = QStringLiteral("Fertig: Bei der Periode 1 ist der Geheimtext unter jedem Quadrat sein eigener Klartext.");
    else if (progress.finished)
        how = QStringLiteral("Fertig: %1 unabhängige Anfänge fanden denselben besten Klartext.")
                  .arg(progress.agreeingStarts);
    const QString advice = needsCribHint() ? shortTextHint()
                                           : QStringLiteral("Klingt der Klartext falsch, hilft oft ein neuer "
                                                            "Startwert, eine andere Periode oder ein bekannter "
                                                            "Klartext.");
    showStatus(QStringLiteral("%1 Startwert %2. %3").arg(how, QString::number(m_seed->value()), advice), false);
}

bool LabAnalysisPage::needsCribHint() const
{
    return m_searchedCrib.text.empty() && m_ciphertext.size() < kLettersWithoutCrib;
}

// What a search showed: the square, plaintext, score, candidates and the charts' search figures.
void LabAnalysisPage::clearResult()
{
    m_result.reset();
    m_square->build(dimension(), QStringLiteral("LabAnalysisCell"));
    m_squareTitle->setText(QStringLiteral("Noch kein Quadrat gefunden."));
    m_shownText.clear();
    m_plaintext->clear();
    m_candidates->clear();
    m_keys->clear();
    m_temperature->clear();
    m_score->clear();
    m_scoreChart->clear();
    m_periodChart->setScores({});
    m_toPeriod->setEnabled(false);
}

void LabAnalysisPage::setSearching(bool running)
{
    FocusHandOver::release(running ? m_start : m_stop);
    for (QWidget *input : std::initializer_list<QWidget *>{m_input, m_fromPeriod, m_dimension, m_depth, m_period,
             m_takeSuggestion, m_language, m_seed, m_newSeed, m_crib, m_cribPosition})
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
