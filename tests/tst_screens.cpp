// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window on the screens people have, laptops and projectors: where the screen holds it, it opens as
// designed; where it does not, at the zoom that shows all of it, and it scrolls only below 70 %. The
// zoom keys, presentation on the full screen, the zoom kept for the next start, and a view that a mouse
// click does not scroll.

#include "WindowDriver.h"

#include <QAction>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include <cmath>
#include <memory>

class TestScreens : public QObject {
    Q_OBJECT

private slots:
    void init() { startAsNewUser(); }
    void windowOpensWhollyInView_data();
    void windowOpensWhollyInView();
    void maximisedWindowKeepsItsZoom_data();
    void maximisedWindowKeepsItsZoom();
    void keysZoomTheWindow_data();
    void keysZoomTheWindow();
    void chosenZoomIsKeptForTheNextStart();
    void presentationFillsTheScreenAndReturns_data();
    void presentationFillsTheScreenAndReturns();
    void mouseClickLeavesTheViewWhereItIs();
    void otherWindowsTakeTheZoomAndFitTheirScreen_data();
    void otherWindowsTakeTheZoomAndFitTheirScreen();
};

namespace {

// The screens of tests/screens/laptops.json, with the zoom the window opens at.
void addScreenRows()
{
    QTest::addColumn<QString>("screenName");
    QTest::addColumn<int>("percent");
    QTest::addRow("1920 x 1080") << "desktop 1920 x 1080" << 100;
    QTest::addRow("1366 x 768") << "laptop 1366 x 768" << 95;
    QTest::addRow("1280 x 800") << "projector 1280 x 800" << 89;
    QTest::addRow("1024 x 768") << "projector 1024 x 768" << 71;
    QTest::addRow("1280 x 720 at scale 1.5") << "laptop 1280 x 720 at scale 1.5" << 70;
    QTest::addRow("2560 x 1440 at scale 2") << "2560 x 1440 at scale 2" << 89;
}

QScreen *screenNamed(const QString &name)
{
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen->name() == name)
            return screen;
    }
    qFatal("No screen named %s: run with QT_QPA_PLATFORM=offscreen:configfile=screens/laptops.json", qPrintable(name));
}

std::unique_ptr<TForm1> showOn(const QString &screenName)
{
    QScreen *screen = screenNamed(screenName);
    auto form = std::make_unique<TForm1>();
    // As if the desktop opened the program on this screen.
    form->setScreen(screen);
    form->move(screen->availableGeometry().topLeft());
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qFatal("The window did not appear");
    return form;
}

QWidget *child(const TForm1 &form, const char *name)
{
    auto *found = form.findChild<QWidget *>(QString::fromLatin1(name));
    if (!found)
        qFatal("The window has no %s", name);
    return found;
}

int scaled(int length, int percent)
{
    return int(std::lround(length * percent / 100.0));
}

// The zoom shows in the panel's width, which scales with it.
int zoomOf(const TForm1 &form)
{
    return int(std::lround(child(form, "Panel1")->width() * 100.0 / 1409));
}

bool isInView(QScrollArea *scroll, QWidget *widget)
{
    const QRect place(widget->mapTo(scroll->viewport(), QPoint(0, 0)), widget->size());
    return scroll->viewport()->rect().contains(place);
}

}  // namespace

void TestScreens::windowOpensWhollyInView_data()
{
    addScreenRows();
}

void TestScreens::windowOpensWhollyInView()
{
    QFETCH(QString, screenName);
    QFETCH(int, percent);
    const auto form = showOn(screenName);
    auto *scroll = form->findChild<QScrollArea *>(QStringLiteral("ClientScroll"));
    const QRect area = form->screen()->availableGeometry();
    QVERIFY2(area.contains(form->frameGeometry()), "the window reaches past its screen");
    QCOMPARE(zoomOf(*form), percent);
    QCOMPARE(child(*form, "Panel1")->size(), QSize(scaled(1409, percent), scaled(745, percent)));
    QCOMPARE(child(*form, "StatusBar1")->height(), scaled(19, percent));
    const int cell = scaled(82, percent) - scaled(50, percent);  // 32 wide from 50
    QCOMPARE(child(*form, "MatrixCell0")->size(), QSize(cell, cell));

    const bool scrolls = percent == 70;
    QCOMPARE(scroll->horizontalScrollBar()->isVisible(), scrolls);
    QCOMPARE(scroll->verticalScrollBar()->isVisible(), scrolls);
    if (percent == 100) {
        QCOMPARE(form->pos() - area.topLeft(), QPoint(247, 146));
        QCOMPARE(form->size(), QSize(1413, 764));
        QCOMPARE(child(*form, "Memo1")->geometry(), QRect(8, 32, 921, 89));
    }
    if (!scrolls) {
        for (const char *name : {"StatusPanel13", "Memo3", "BitBtn9", "Label4", "StaticText3", "BitBtn4", "Memo1"}) {
            QWidget *widget = child(*form, name);
            const QRect inWindow(widget->mapTo(form.get(), QPoint(0, 0)), widget->size());
            QVERIFY2(form->rect().contains(inWindow), name);
        }
        return;
    }
    // Below 70 % every control can still be brought into view, the last ones of each edge included (a
    // text field scrolls as far as its cursor).
    for (const char *name : {"StatusPanel13", "BitBtn9", "Label4", "StaticText3", "BitBtn4"}) {
        QWidget *widget = child(*form, name);
        scroll->ensureWidgetVisible(widget, 0, 0);
        QVERIFY2(isInView(scroll, widget), name);
    }
}

void TestScreens::maximisedWindowKeepsItsZoom_data()
{
    addScreenRows();
}

void TestScreens::maximisedWindowKeepsItsZoom()
{
    QFETCH(QString, screenName);
    QFETCH(int, percent);
    const auto form = showOn(screenName);
    form->showMaximized();
    QTRY_VERIFY(form->isMaximized());
    QCOMPARE(child(*form, "Panel1")->geometry(), QRect(0, 0, scaled(1409, percent), scaled(745, percent)));
    QWidget *statusBar = child(*form, "StatusBar1");
    QCOMPARE(statusBar->height(), scaled(19, percent));
    QVERIFY(statusBar->width() >= scaled(1413, percent));
}

void TestScreens::keysZoomTheWindow_data()
{
    QTest::addColumn<QString>("screenName");
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::addRow("Ctrl+Plus from the fit") << "laptop 1366 x 768" << (Qt::CTRL | Qt::Key_Plus) << 95 << 100;
    QTest::addRow("Ctrl+= from the fit") << "laptop 1366 x 768" << (Qt::CTRL | Qt::Key_Equal) << 95 << 100;
    QTest::addRow("Ctrl+Minus from the fit") << "laptop 1366 x 768" << (Qt::CTRL | Qt::Key_Minus) << 95 << 90;
    QTest::addRow("Ctrl+0 from the fit") << "laptop 1366 x 768" << (Qt::CTRL | Qt::Key_0) << 95 << 100;
    QTest::addRow("Ctrl+Plus at 100 %%") << "desktop 1920 x 1080" << (Qt::CTRL | Qt::Key_Plus) << 100 << 110;
    QTest::addRow("Ctrl+Minus at 100 %%") << "desktop 1920 x 1080" << (Qt::CTRL | Qt::Key_Minus) << 100 << 90;
}

void TestScreens::keysZoomTheWindow()
{
    QFETCH(QString, screenName);
    QFETCH(QKeyCombination, key);
    QFETCH(int, before);
    QFETCH(int, after);
    const auto form = showOn(screenName);
    QCOMPARE(zoomOf(*form), before);
    QTest::keyClick(child(*form, "Memo1"), key.key(), key.keyboardModifiers());
    QCOMPARE(zoomOf(*form), after);
    auto *indicator = form->findChild<QLabel *>(QStringLiteral("ZoomIndicator"));
    QVERIFY(indicator->isVisible());
    QCOMPARE(indicator->text(), QStringLiteral("Zoom %1 %").arg(after));
    QVERIFY2(form->screen()->availableGeometry().contains(form->frameGeometry()), "the window left its screen");
    // The fit knows the desktop's frame once the window has one, and may then fit a little more.
    QTest::keyClick(child(*form, "Memo1"), Qt::Key_9, Qt::ControlModifier);
    QVERIFY(zoomOf(*form) >= before && zoomOf(*form) <= std::max(before, 100));
    QTRY_VERIFY(!form->findChild<QScrollArea *>(QStringLiteral("ClientScroll"))->horizontalScrollBar()->isVisible());

    // The same actions stand in the background menu's submenu "Ansicht".
    const QList<QAction *> entries = form->actions();
    const auto view = std::find_if(entries.begin(), entries.end(), [](const QAction *a) { return a->menu(); });
    QVERIFY(view != entries.end());
    QCOMPARE((*view)->text(), QStringLiteral("&Ansicht"));
    QStringList names;
    for (const QAction *action : (*view)->menu()->actions())
        names << action->objectName();
    names.removeAll(QString());
    QCOMPARE(names,
        (QStringList{"ZoomInAction", "ZoomOutAction", "ZoomResetAction", "ZoomFitAction", "PresentationAction"}));
}

void TestScreens::chosenZoomIsKeptForTheNextStart()
{
    {
        const auto form = showOn(QStringLiteral("desktop 1920 x 1080"));
        QTest::keyClick(child(*form, "Memo1"), Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(child(*form, "Memo1"), Qt::Key_Minus, Qt::ControlModifier);
    }
    {
        const auto form = showOn(QStringLiteral("desktop 1920 x 1080"));
        QCOMPARE(zoomOf(*form), 80);
        QTest::keyClick(child(*form, "Memo1"), Qt::Key_9, Qt::ControlModifier);  // the fit forgets it
    }
    const auto form = showOn(QStringLiteral("desktop 1920 x 1080"));
    QCOMPARE(zoomOf(*form), 100);
}

void TestScreens::presentationFillsTheScreenAndReturns_data()
{
    QTest::addColumn<QKeyCombination>("leaveKey");
    QTest::addRow("F11") << QKeyCombination(Qt::Key_F11);
    QTest::addRow("Escape") << QKeyCombination(Qt::Key_Escape);
}

void TestScreens::presentationFillsTheScreenAndReturns()
{
    QFETCH(QKeyCombination, leaveKey);
    const auto form = showOn(QStringLiteral("desktop 1920 x 1080"));
    const QRect before = form->geometry();
    QTest::keyClick(child(*form, "BitBtn1"), Qt::Key_F11);
    QTRY_VERIFY(form->isFullScreen());
    QCOMPARE(zoomOf(*form), 135);
    QTRY_COMPARE(form->geometry(), form->screen()->geometry());
    QTest::keyClick(child(*form, "BitBtn1"), leaveKey.key());
    QTRY_VERIFY(!form->isFullScreen());
    QCOMPARE(zoomOf(*form), 100);
    QTRY_COMPARE(form->geometry(), before);
}

// At 70 % the window scrolls: a click leaves the view alone, also on a field it shows in part; the
// keyboard brings the focus into view.
void TestScreens::mouseClickLeavesTheViewWhereItIs()
{
    const auto form = showOn(QStringLiteral("laptop 1280 x 720 at scale 1.5"));
    auto *scroll = form->findChild<QScrollArea *>(QStringLiteral("ClientScroll"));
    QScrollBar *across = scroll->horizontalScrollBar();
    QScrollBar *down = scroll->verticalScrollBar();
    const auto viewPlace = [&] { return QPoint(across->value(), down->value()); };

    across->setValue(across->maximum());
    down->setValue(0);
    auto *memo = form->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
    QVERIFY(!isInView(scroll, memo));
    const QPoint shownPart
        = memo->mapFrom(scroll->viewport(), QPoint(20, memo->mapTo(scroll->viewport(), QPoint()).y() + 20));
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, memo->viewport()->mapFrom(memo, shownPart));
    QCOMPARE(QApplication::focusWidget(), memo);
    QCOMPARE(viewPlace(), QPoint(across->maximum(), 0));

    memo->setPlainText(QStringLiteral("Hallo Welt"));
    across->setValue(0);
    auto *clean = form->findChild<QPushButton *>(QStringLiteral("BitBtn1"));
    QTest::mouseClick(clean, Qt::LeftButton);
    QWidget *next = QApplication::focusWidget();
    QVERIFY(next && next != clean);
    QCOMPARE(viewPlace(), QPoint(0, 0));

    QTest::keyClick(next, Qt::Key_Return);
    QWidget *afterEnter = QApplication::focusWidget();
    QVERIFY(afterEnter != next);
    QVERIFY2(isInView(scroll, afterEnter), qPrintable(afterEnter->objectName()));
}

void TestScreens::otherWindowsTakeTheZoomAndFitTheirScreen_data()
{
    QTest::addColumn<QString>("screenName");
    QTest::addColumn<int>("zoomIns");
    QTest::addColumn<int>("percent");  // 0: as far as the screen holds the window
    QTest::addColumn<bool>("pagesFitSideways");  // the lab's pages scroll down at most
    QTest::addRow("desktop at 120 %%") << "desktop 1920 x 1080" << 2 << 120 << true;
    QTest::addRow("laptop at 200 %%") << "laptop 1366 x 768" << 11 << 0 << false;
    QTest::addRow("projector at its fit") << "projector 1024 x 768" << 0 << 71 << true;
}

void TestScreens::otherWindowsTakeTheZoomAndFitTheirScreen()
{
    QFETCH(QString, screenName);
    QFETCH(int, zoomIns);
    QFETCH(int, percent);
    QFETCH(bool, pagesFitSideways);
    const auto form = showOn(screenName);
    for (int i = 0; i < zoomIns; ++i)
        form->findChild<QAction *>(QStringLiteral("ZoomInAction"))->trigger();
    for (const char *name : {"DecipherAction", "LabAction"})
        form->findChild<QAction *>(QString::fromLatin1(name))->trigger();
    const qreal designed = QApplication::font().pointSizeF();
    for (const char *name : {"DecipherDialog", "LabWindow"}) {
        QWidget *window = child(*form, name);
        QVERIFY2(window->isVisible(), name);
        const qreal zoom = window->font().pointSizeF() / designed;
        if (percent > 0)
            QCOMPARE(qRound(zoom * 100), percent);
        else
            QVERIFY2(
                zoom > 1 && zoom < 2, qPrintable(QStringLiteral("%1 at %2").arg(QString::fromLatin1(name)).arg(zoom)));
        const QSize room = form->screen()->availableGeometry().size();
        QVERIFY2(window->width() <= room.width() && window->height() <= room.height(), name);
        QVERIFY2(
            window->minimumSizeHint().width() <= room.width() && window->minimumSizeHint().height() <= room.height(),
            name);
    }
    if (!pagesFitSideways)
        return;
    // A projector shows every column of a page whole.
    auto *tabs = child(*form, "LabWindow")->findChild<QTabWidget *>(QStringLiteral("LabTabs"));
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QCoreApplication::processEvents();
        for (const auto *scroll : tabs->widget(page)->findChildren<QScrollArea *>()) {
            if (!scroll->widget())
                continue;
            QVERIFY2(scroll->widget()->minimumSizeHint().width() <= scroll->viewport()->width(),
                qPrintable(QStringLiteral("%1: %2 of %3 pixels")
                               .arg(tabs->tabText(page))
                               .arg(scroll->widget()->minimumSizeHint().width())
                               .arg(scroll->viewport()->width())));
        }
    }
}

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
