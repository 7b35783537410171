// The window on the screens people have: where the screen holds it, it opens as designed; where it does
// not, it opens inside the screen and its unchanged client area scrolls, status bar included.

#include "Startup.h"
#include "TForm1.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <memory>

class TestScreens : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Startup::setUpApplication(*qApp); }
    void windowOpensInsideItsScreen_data();
    void windowOpensInsideItsScreen();
    void maximisedWindowNeverSqueezesAControl_data();
    void maximisedWindowNeverSqueezesAControl();
};

namespace {

// The screens of tests/screens/laptops.json.
void addScreenRows()
{
    QTest::addColumn<QString>("screenName");
    QTest::addColumn<bool>("holdsTheWindow");
    QTest::addRow("1920 x 1080") << "desktop 1920 x 1080" << true;
    QTest::addRow("1366 x 768") << "laptop 1366 x 768" << false;
    QTest::addRow("1280 x 720 at scale 1.5") << "laptop 1280 x 720 at scale 1.5" << false;
    QTest::addRow("2560 x 1440 at scale 2") << "2560 x 1440 at scale 2" << false;
}

QScreen *screenNamed(const QString &name)
{
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen->name() == name)
            return screen;
    }
    qFatal("No screen named %s: run with QT_QPA_PLATFORM=offscreen:configfile=screens/laptops.json", qPrintable(name));
}

std::unique_ptr<TForm1> showOn(QScreen *screen)
{
    auto form = std::make_unique<TForm1>();
    // As if the desktop opened the program on this screen.
    form->setScreen(screen);
    form->move(screen->availableGeometry().topLeft());
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qFatal("The window did not appear");
    return form;
}

// The widget lies wholly inside the scroll area's view.
bool isInView(QScrollArea *scroll, QWidget *widget)
{
    const QRect place(widget->mapTo(scroll->viewport(), QPoint(0, 0)), widget->size());
    return scroll->viewport()->rect().contains(place);
}

}  // namespace

void TestScreens::windowOpensInsideItsScreen_data()
{
    addScreenRows();
}

void TestScreens::windowOpensInsideItsScreen()
{
    QFETCH(QString, screenName);
    QFETCH(bool, holdsTheWindow);
    QScreen *screen = screenNamed(screenName);
    const auto form = showOn(screen);
    auto *scroll = form->findChild<QScrollArea *>(QStringLiteral("ClientScroll"));
    QVERIFY(scroll);

    const QRect area = screen->availableGeometry();
    const QRect outer = form->frameGeometry();
    QVERIFY2(area.contains(outer),
        qPrintable(QStringLiteral("window %1,%2 %3x%4 outside the screen")
                       .arg(outer.x())
                       .arg(outer.y())
                       .arg(outer.width())
                       .arg(outer.height())));
    if (holdsTheWindow) {
        QCOMPARE(form->pos() - area.topLeft(), QPoint(247, 146));
        QCOMPARE(form->size(), QSize(1413, 764));
        QVERIFY(!scroll->horizontalScrollBar()->isVisible());
        QVERIFY(!scroll->verticalScrollBar()->isVisible());
        return;
    }
    // Every control can be brought into view, the last ones of each edge included.
    QCOMPARE(form->findChild<QWidget *>(QStringLiteral("Panel1"))->size(), QSize(1409, 745));
    for (const char *name :
        {"StatusPanel0", "StatusPanel13", "Memo3", "BitBtn9", "Label4", "StaticText3", "BitBtn4", "Memo1"}) {
        auto *widget = form->findChild<QWidget *>(QString::fromLatin1(name));
        scroll->ensureWidgetVisible(widget, 0, 0);
        QVERIFY2(isInView(scroll, widget), name);
    }
    // So does the focus when a step moves it.
    scroll->ensureWidgetVisible(form->findChild<QWidget *>(QStringLiteral("Memo1")), 0, 0);
    form->findChild<QPushButton *>(QStringLiteral("BitBtn3"))->setFocus();
    QVERIFY(isInView(scroll, form->findChild<QWidget *>(QStringLiteral("BitBtn3"))));
}

void TestScreens::maximisedWindowNeverSqueezesAControl_data()
{
    addScreenRows();
}

void TestScreens::maximisedWindowNeverSqueezesAControl()
{
    QFETCH(QString, screenName);
    QScreen *screen = screenNamed(screenName);
    const auto form = showOn(screen);
    form->showMaximized();
    QTRY_VERIFY(form->isMaximized());
    QTRY_COMPARE(form->frameGeometry(), screen->availableGeometry());
    QCOMPARE(form->findChild<QWidget *>(QStringLiteral("Panel1"))->geometry(), QRect(0, 0, 1409, 745));
    QCOMPARE(form->findChild<QWidget *>(QStringLiteral("Memo1"))->size(), QSize(921, 89));
    auto *statusBar = form->findChild<QWidget *>(QStringLiteral("StatusBar1"));
    QCOMPARE(statusBar->height(), 19);
    QVERIFY(statusBar->width() >= 1413);
}

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
