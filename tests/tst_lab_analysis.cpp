// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The lab's page "Kryptoanalyse", on its own and in the lab: how the ciphertext drives the period
// chart and the period, how bad input is refused, that a running search reports, stops at once and
// solves a ciphertext of unknown period with word breaks and candidates, and that the lab shows the page
// as its third tab and hands ciphertexts and keys between it and the page "Periode".

#include "AnalysisCharts.h"
#include "LabAnalysisPage.h"
#include "LabWindow.h"
#include "SquareGrid.h"
#include "Startup.h"
#include "TextCodec.h"
#include "WindowDriver.h"
#include "support/GermanSamples.h"

#include <cipher/Cleaning.h>
#include <cipher/Periodic.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>

using bifid::Dimension;

namespace {

std::string germanPlaintext(std::size_t index, std::size_t letters)
{
    return bifid::cleanText(samples::kGermanTexts[index], false, Dimension::Five).substr(0, letters);
}

QString ciphertext(const std::string &plain, std::size_t period)
{
    return TextCodec::fromCodePage(
        bifid::encipherPeriodic(plain, bifid::classicalSquare("FERNROHR", Dimension::Five), period, 2).value);
}

struct AnalysisView {
    AnalysisView()
    {
        Startup::setUpApplication(*qApp);
        page.resize(1200, 640);
        page.show();
    }
    template <typename T> T *find(const char *name) const
    {
        auto *widget = page.findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("The page has no %s", name);
        return widget;
    }
    QPlainTextEdit *input() const { return find<QPlainTextEdit>("LabAnalysisInput"); }
    QSpinBox *period() const { return find<QSpinBox>("LabAnalysisPeriod"); }
    QString status() const { return find<QLabel>("LabAnalysisStatus")->text(); }
    QString plaintext() const { return find<QPlainTextEdit>("LabAnalysisPlaintext")->toPlainText(); }
    QString letters() const { return plaintext().remove(QLatin1Char(' ')); }
    QString squareTitle() const { return find<QLabel>("LabAnalysisSquareTitle")->text(); }
    void click(const char *button) const { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }

    LabAnalysisPage page;
};

enum class PeriodInput { Empty, Ciphertext, LearnerSetsPeriod, LearnerTakesSuggestion };

}  // namespace

Q_DECLARE_METATYPE(PeriodInput)

class TestLabAnalysis : public QObject {
    Q_OBJECT

private slots:
    void ciphertextDrivesThePeriod_data()
    {
        QTest::addColumn<PeriodInput>("input");
        QTest::addColumn<int>("suggested");
        QTest::addColumn<int>("period");  // -1: "automatisch"
        QTest::newRow("no text") << PeriodInput::Empty << 0 << -1;
        QTest::newRow("ciphertext of period 8: the search finds it") << PeriodInput::Ciphertext << 8 << -1;
        QTest::newRow("learner's period stays") << PeriodInput::LearnerSetsPeriod << 8 << 5;
        QTest::newRow("suggestion taken") << PeriodInput::LearnerTakesSuggestion << 8 << 8;
    }
    void ciphertextDrivesThePeriod()
    {
        QFETCH(PeriodInput, input);
        QFETCH(int, suggested);
        QFETCH(int, period);
        AnalysisView view;
        QCOMPARE(view.period()->text(), QStringLiteral("automatisch"));
        const QString text = ciphertext(germanPlaintext(5, 400), 8);
        if (input == PeriodInput::LearnerSetsPeriod || input == PeriodInput::LearnerTakesSuggestion)
            view.period()->setValue(5);
        if (input != PeriodInput::Empty)
            view.input()->setPlainText(text.left(200) + QStringLiteral("\n") + text.mid(200).toLower());
        if (input == PeriodInput::LearnerTakesSuggestion)
            view.click("LabAnalysisTakeSuggestion");
        const auto *chart = view.find<PeriodChart>("LabPeriodChart");
        QCOMPARE(chart->values().size(), 20U);
        QCOMPARE(chart->suggested(), static_cast<std::size_t>(suggested));
        QCOMPARE(view.period()->value(), period);
    }

    void periodFieldReadsWhatItShows_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<int>("period");
        QTest::newRow("automatic") << QStringLiteral("automatisch") << false << -1;
        QTest::newRow("none") << QStringLiteral("keine") << false << 0;
        QTest::newRow("a number") << QStringLiteral("12") << false << 12;
        QTest::newRow("one letter") << QStringLiteral("1 Buchstabe") << false << 1;
        // More digits than a number holds are refused, not read as "keine".
        QTest::newRow("pasted digits beyond any number") << QStringLiteral("99999999999") << true << 7;
    }
    void periodFieldReadsWhatItShows()
    {
        QFETCH(QString, typed);
        QFETCH(bool, pasted);
        QFETCH(int, period);
        AnalysisView view;
        view.period()->setValue(7);
        view.period()->selectAll();
        if (pasted) {
            QGuiApplication::clipboard()->setText(typed);
            QTest::keyClick(view.period(), Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(view.period(), typed);
        }
        QTest::keyClick(view.period(), Qt::Key_Return);
        QCOMPARE(view.period()->value(), period);
    }

    void startRefusesWhatCannotBeSearched_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("crib");
        QTest::addColumn<int>("cribPosition");
        QTest::addColumn<QString>("message");
        QTest::newRow("too short") << QStringLiteral("AB, c!") << QString() << 0 << QStringLiteral("mindestens vier");
        QTest::newRow("crib past the end")
            << QStringLiteral("ABCDEFGH") << QStringLiteral("xyz") << 7 << QStringLiteral("über das Ende");
        // Blanks, line breaks and punctuation are ignored; a digit or a J has no cell in the 5 X 5 square
        // and is named at its place among the typed characters.
        QTest::newRow("digit in a 5 X 5 ciphertext")
            << QStringLiteral("AB, C\nD3EF GHIK") << QString() << 0
            << QStringLiteral("Das Zeichen '3' an Stelle 8 steht nicht in der 5 X 5-Matrix.");
        QTest::newRow("J in a 5 X 5 ciphertext")
            << QStringLiteral("ABCDEFGHIj") << QString() << 0 << QStringLiteral("Das Zeichen 'j' an Stelle 10");
        QTest::newRow("umlaut") << QStringLiteral("ABCÄDEFG") << QString() << 0 << QStringLiteral("'Ä' an Stelle 4");
    }
    void startRefusesWhatCannotBeSearched()
    {
        QFETCH(QString, text);
        QFETCH(QString, crib);
        QFETCH(int, cribPosition);
        QFETCH(QString, message);
        AnalysisView view;
        view.input()->setPlainText(text);
        view.find<QLineEdit>("LabAnalysisCrib")->setText(crib);
        view.find<QSpinBox>("LabAnalysisCribPosition")->setValue(cribPosition);
        view.click("LabAnalysisStart");
        QVERIFY(!view.page.searching());
        QVERIFY2(view.status().contains(message), qPrintable(view.status()));
        QVERIFY(view.plaintext().isEmpty());
    }

    void lettersAgreeInNumber()
    {
        AnalysisView view;
        view.input()->setPlainText(QStringLiteral("a"));
        QCOMPARE(view.find<QLabel>("LabAnalysisLetters")->text(), QStringLiteral("1 Buchstabe"));
        view.input()->setPlainText(QStringLiteral("a b"));
        QCOMPARE(view.find<QLabel>("LabAnalysisLetters")->text(), QStringLiteral("2 Buchstaben"));
    }

    void stopEndsTheSearch()
    {
        AnalysisView view;
        // Random letters: no square ever scores well, so only Stop ends this search.
        view.input()->setPlainText(
            QString(2000, QLatin1Char('Q')).replace(0, 26, QStringLiteral("ABCDEFGHIKLMNOPQRSTUVWXYZ")));
        view.period()->setValue(7);
        view.find<QLineEdit>("LabAnalysisCrib")->setText(QStringLiteral("Hafen"));
        QSignalSpy ended(&view.page, &LabAnalysisPage::searchEnded);
        view.click("LabAnalysisStart");
        QVERIFY(view.page.searching());
        QVERIFY(!view.find<QPushButton>("LabAnalysisStart")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(
            view.find<QLabel>("LabAnalysisScore")->text().contains(QStringLiteral("widersprechen")), 5000);
        // The long line of a contradicted crib wraps instead of widening the lab beyond a small screen.
        QVERIFY(view.page.minimumSizeHint().width() <= 1366 - 60);
        view.click("LabAnalysisStop");
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 5000);
        QVERIFY(!view.page.searching());
        QVERIFY(view.find<QPushButton>("LabAnalysisStart")->isEnabled());
        QVERIFY(view.status().startsWith(QStringLiteral("Angehalten")));
        QVERIFY(view.squareTitle().startsWith(QStringLiteral("Bestes Quadrat bisher,")));
    }

    // Below 80 letters a search without a known plaintext often ends on a wrong text: the status says
    // what helps, while the search runs and after it.
    void shortTextWithoutCribIsToldWhatHelps_data()
    {
        QTest::addColumn<int>("letters");
        QTest::addColumn<QString>("crib");
        QTest::addColumn<bool>("hinted");
        QTest::newRow("79 letters") << 79 << QString() << true;
        QTest::newRow("79 letters and a known word") << 79 << QStringLiteral("Baeckerei") << false;
        QTest::newRow("80 letters") << 80 << QString() << false;
    }

    void shortTextWithoutCribIsToldWhatHelps()
    {
        QFETCH(int, letters);
        QFETCH(QString, crib);
        QFETCH(bool, hinted);
        AnalysisView view;
        view.input()->setPlainText(ciphertext(germanPlaintext(1, std::size_t(letters)), 7));
        view.period()->setValue(7);
        view.find<QLineEdit>("LabAnalysisCrib")->setText(crib);
        const QString hint = QStringLiteral("Meist hilft schon ein bekanntes Wort");
        QSignalSpy ended(&view.page, &LabAnalysisPage::searchEnded);
        view.click("LabAnalysisStart");
        QCOMPARE(view.status().contains(hint), hinted);
        view.click("LabAnalysisStop");
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 5000);
        QCOMPARE(view.status().contains(hint), hinted);
    }

    // A search that ends by itself has found the best square it will find; a stopped one may not have.
    void searchThatEndsByItselfShowsItsBestSquare()
    {
        AnalysisView view;
        view.input()->setPlainText(ciphertext(germanPlaintext(2, 300), 7));
        view.period()->setValue(7);
        view.click("LabAnalysisStart");
        QTRY_VERIFY_WITH_TIMEOUT(view.status().startsWith(QStringLiteral("Fertig")), 60000);
        QCOMPARE(view.squareTitle(), QStringLiteral("Bestes Quadrat, Periode 7"));
    }

    // "automatisch": the search finds the period itself, shows the plaintext with its word breaks and the
    // known plaintext highlighted, lists its best distinct candidates and the score reached per period.
    void searchSolvesTheCiphertextOfUnknownPeriod()
    {
        AnalysisView view;
        const std::string plain = germanPlaintext(6, 300);
        view.find<QSpinBox>("LabAnalysisSeed")->setValue(5);
        view.input()->setPlainText(ciphertext(plain, 7));
        view.find<QLineEdit>("LabAnalysisCrib")->setText(QStringLiteral("Schachspiel"));
        QCOMPARE(view.period()->value(), -1);
        view.click("LabAnalysisStart");
        QTRY_COMPARE_WITH_TIMEOUT(view.letters(), TextCodec::fromCodePage(plain), 60000);
        QVERIFY2(
            view.plaintext().startsWith(QStringLiteral("BEIM SCHACHSPIEL KOMMT ES")), qPrintable(view.plaintext()));
        const auto *field = view.find<QPlainTextEdit>("LabAnalysisPlaintext");
        QVERIFY(!field->extraSelections().isEmpty());
        QCOMPARE(field->extraSelections().front().cursor.selectedText(), QStringLiteral("S"));
        const auto *candidates = view.find<QListWidget>("LabAnalysisCandidates");
        QVERIFY(candidates->count() >= 1 && candidates->count() <= 5);
        QVERIFY2(candidates->item(0)->text().contains(QStringLiteral("Periode 7 · BEIM SCHACHSPIEL")),
            qPrintable(candidates->item(0)->text()));
        const auto *chart = view.find<PeriodChart>("LabPeriodChart");
        QCOMPARE(chart->scores().size(), 21U);
        QVERIFY(chart->scores()[7].has_value());
        view.click("LabAnalysisStop");
        QTRY_VERIFY_WITH_TIMEOUT(!view.page.searching(), 5000);

        // Another square size: the result of this one is gone.
        view.find<QComboBox>("LabAnalysisDimension")->setCurrentIndex(1);
        QVERIFY(view.plaintext().isEmpty());
        QCOMPARE(candidates->count(), 0);
        QVERIFY(view.find<QLabel>("LabAnalysisScore")->text().isEmpty());
        QVERIFY(chart->scores().empty());
    }

    // The two buttons between the pages "Periode" and "Kryptoanalyse".
    void labHandsCiphertextAndKeyBetweenThePages()
    {
        WindowDriver window;
        window.form->findChild<QAction *>(QStringLiteral("LabAction"))->trigger();
        auto *tabs = window.find<QTabWidget>(QStringLiteral("LabTabs"));
        window.find<QComboBox>(QStringLiteral("LabSquareSize"))->setCurrentIndex(1);
        window.edit(QStringLiteral("LabKeyword"))->setText(QStringLiteral("Fernrohr"));
        window.find<QSpinBox>(QStringLiteral("LabPeriod"))->setValue(7);
        window.memo(QStringLiteral("LabInput"))->setPlainText(TextCodec::fromCodePage(germanPlaintext(6, 120)));
        tabs->setCurrentIndex(2);
        QTest::mouseClick(window.button(QStringLiteral("LabAnalysisFromPeriod")), Qt::LeftButton);
        QCOMPARE(
            window.memo(QStringLiteral("LabAnalysisInput"))->toPlainText(), ciphertext(germanPlaintext(6, 120), 7));
        QCOMPARE(window.find<QSpinBox>(QStringLiteral("LabAnalysisPeriod"))->value(), 7);
        QCOMPARE(window.find<QComboBox>(QStringLiteral("LabAnalysisDimension"))->currentIndex(), 0);

        auto *toPeriod = window.button(QStringLiteral("LabAnalysisToPeriod"));
        QVERIFY(!toPeriod->isEnabled());
        QTest::mouseClick(window.button(QStringLiteral("LabAnalysisStart")), Qt::LeftButton);
        QTRY_VERIFY(toPeriod->isEnabled());
        QTest::mouseClick(window.button(QStringLiteral("LabAnalysisStop")), Qt::LeftButton);
        QTRY_VERIFY(window.button(QStringLiteral("LabAnalysisStart"))->isEnabled());
        const QString shown
            = window.find<SquareGrid>(QStringLiteral("LabAnalysisSquare"))->shownSquare().square.cells().c_str();
        QTest::mouseClick(toPeriod, Qt::LeftButton);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(window.find<QComboBox>(QStringLiteral("LabDirection"))->currentIndex(), 1);
        QCOMPARE(window.find<QSpinBox>(QStringLiteral("LabPeriod"))->value(), 7);
        QCOMPARE(window.memo(QStringLiteral("LabInput"))->toPlainText(), ciphertext(germanPlaintext(6, 120), 7));
        QCOMPARE(QString::fromLatin1(
                     window.find<SquareGrid>(QStringLiteral("LabSquare"))->shownSquare().square.cells().c_str()),
            shown);
    }

    void labShowsThePageAsItsThirdTab()
    {
        WindowDriver window;
        window.form->findChild<QAction *>(QStringLiteral("LabAction"))->trigger();
        auto *tabs = window.find<QTabWidget>(QStringLiteral("LabTabs"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("Kryptoanalyse"));
        QCOMPARE(tabs->widget(2)->objectName(), QStringLiteral("LabAnalysisPage"));
    }

    // A zoomed lab gives the charts a zoomed font; the room they ask for follows it.
    void chartsFollowTheZoom()
    {
        PeriodChart periods;
        ScoreChart scores;
        for (QWidget *chart : std::initializer_list<QWidget *>{&periods, &scores}) {
            const QSize designed = chart->minimumSizeHint();
            QFont smaller = chart->font();
            smaller.setPointSizeF(QApplication::font().pointSizeF() / 2);
            chart->setFont(smaller);
            QCOMPARE(chart->minimumSizeHint(), designed / 2);
        }
    }
};

QTEST_MAIN(TestLabAnalysis)
#include "tst_lab_analysis.moc"
