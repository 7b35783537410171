// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The lab's page "Kryptoanalyse", on its own and in the lab: how the ciphertext drives the period
// chart and the period, how bad input is refused, that a running search reports, stops at once and
// solves a ciphertext, and that the lab shows the page as its third tab.

#include "AnalysisCharts.h"
#include "LabAnalysisPage.h"
#include "LabWindow.h"
#include "Startup.h"
#include "TextCodec.h"
#include "WindowDriver.h"
#include "support/GermanSamples.h"

#include <cipher/Cleaning.h>
#include <cipher/Periodic.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
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
        QTest::addColumn<int>("period");
        QTest::newRow("no text") << PeriodInput::Empty << 0 << 0;
        QTest::newRow("ciphertext of period 8") << PeriodInput::Ciphertext << 8 << 8;
        QTest::newRow("learner's period stays") << PeriodInput::LearnerSetsPeriod << 8 << 5;
        QTest::newRow("suggestion taken again") << PeriodInput::LearnerTakesSuggestion << 8 << 8;
    }
    void ciphertextDrivesThePeriod()
    {
        QFETCH(PeriodInput, input);
        QFETCH(int, suggested);
        QFETCH(int, period);
        AnalysisView view;
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

    void startRefusesWhatCannotBeSearched_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("crib");
        QTest::addColumn<int>("cribPosition");
        QTest::addColumn<QString>("message");
        QTest::newRow("too short") << QStringLiteral("AB, c!") << QString() << 0 << QStringLiteral("mindestens vier");
        QTest::newRow("crib past the end")
            << QStringLiteral("ABCDEFGH") << QStringLiteral("xyz") << 7 << QStringLiteral("über das Ende");
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
    }

    void searchSolvesTheCiphertext()
    {
        AnalysisView view;
        const std::string plain = germanPlaintext(6, 300);
        view.find<QSpinBox>("LabAnalysisSeed")->setValue(5);
        view.input()->setPlainText(ciphertext(plain, 7));
        QCOMPARE(view.period()->value(), 7);
        view.click("LabAnalysisStart");
        QTRY_COMPARE_WITH_TIMEOUT(view.plaintext(), TextCodec::fromCodePage(plain), 30000);
        view.click("LabAnalysisStop");
        QTRY_VERIFY_WITH_TIMEOUT(!view.page.searching(), 5000);
    }

    void labShowsThePageAsItsThirdTab()
    {
        WindowDriver window;
        window.form->findChild<QAction *>(QStringLiteral("LabAction"))->trigger();
        auto *tabs = window.find<QTabWidget>(QStringLiteral("LabTabs"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("Kryptoanalyse"));
        QCOMPARE(tabs->widget(2)->objectName(), QStringLiteral("LabAnalysisPage"));
    }
};

QTEST_MAIN(TestLabAnalysis)
#include "tst_lab_analysis.moc"
