// The window enhancer (hit test, move, resize, skin), the title bar and the
// welcome panel's buttons.
#include "gui/app/mainwindow.h"
#include "gui/common/widgetenhancer.h"
#include "gui/widgets/videotitlebarwidget.h"

#include <QPushButton>
#include <QTest>

using R = WidgetEnhancer::Region;

class TestWindowChrome : public QObject {
    Q_OBJECT

private:
    // Press at local, move the cursor by delta (as the window system
    // reports it: local and global), release.
    static void drag(QWidget *w, QPoint local, QPoint delta)
    {
        const QPoint global = w->mapToGlobal(local);
        QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(w, &press);
        QMouseEvent move(QEvent::MouseMove, local + delta, global + delta, Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(w, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, local + delta, global + delta, Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &release);
    }

private slots:
    void hitTestTable_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("region");
        // A 100 x 80 widget: w = 99, h = 79.
        QTest::newRow("top-left corner") << QPoint(0, 0) << int(R::RegionTopLeft);
        QTest::newRow("corner wins over top band") << QPoint(4, 1) << int(R::RegionTopLeft);
        QTest::newRow("top band") << QPoint(50, 2) << int(R::RegionTop);
        QTest::newRow("below top band") << QPoint(50, 3) << int(R::RegionNone);
        QTest::newRow("top-right corner") << QPoint(97, 4) << int(R::RegionTopRight);
        QTest::newRow("right edge") << QPoint(98, 40) << int(R::RegionRight);
        QTest::newRow("right edge outside") << QPoint(101, 40) << int(R::RegionRight);
        QTest::newRow("beyond right band") << QPoint(102, 40) << int(R::RegionNone);
        QTest::newRow("bottom-right corner") << QPoint(99, 79) << int(R::RegionBottomRight);
        QTest::newRow("bottom band") << QPoint(50, 77) << int(R::RegionBottom);
        QTest::newRow("bottom-left corner") << QPoint(2, 78) << int(R::RegionBottomLeft);
        QTest::newRow("left edge") << QPoint(1, 40) << int(R::RegionLeft);
        QTest::newRow("body") << QPoint(50, 40) << int(R::RegionBody);
        QTest::newRow("body corner") << QPoint(5, 5) << int(R::RegionBody);
        QTest::newRow("above") << QPoint(50, -1) << int(R::RegionNone);
    }

    void hitTestTable()
    {
        QFETCH(QPoint, pos);
        QFETCH(int, region);
        QCOMPARE(int(WidgetEnhancer::hitTest(QSize(100, 80), pos)), region);
    }

    void resizeStopsAtMinimumSize()
    {
        const QRect start(100, 100, 400, 300);
        const QSize minimum(200, 150);
        // Bottom-right pressed 2 px inside the corner; cursor dragged far inwards.
        const QPoint pressFromBR(-2, -2);
        QRect r = WidgetEnhancer::resizedGeometry(start, R::RegionBottomRight, QPoint(150, 150),
                                                  QPoint(398, 298), pressFromBR, minimum);
        QCOMPARE(r, QRect(100, 100, 200, 150));
        // A modest drag keeps the cursor-to-edge offset.
        r = WidgetEnhancer::resizedGeometry(start, R::RegionBottomRight, QPoint(448, 348), QPoint(398, 298),
                                            pressFromBR, minimum);
        QCOMPARE(r, QRect(100, 100, 350, 250));
        // Left edge dragged to the right: the right edge stays.
        r = WidgetEnhancer::resizedGeometry(start, R::RegionLeft, QPoint(450, 200), QPoint(1, 50),
                                            QPoint(-399, -250), minimum);
        QCOMPARE(r, QRect(300, 100, 200, 300));
        // Top edge dragged up grows the widget.
        r = WidgetEnhancer::resizedGeometry(start, R::RegionTop, QPoint(200, 51), QPoint(100, 1),
                                            QPoint(-300, -299), minimum);
        QCOMPARE(r, QRect(100, 50, 400, 350));
    }

    void pressOnTopBandResizesOrMoves()
    {
        QWidget parent;
        parent.resize(600, 500);
        auto *resizable = new QWidget(&parent);
        resizable->setGeometry(100, 100, 200, 150);
        resizable->setMinimumSize(120, 100);
        auto *movable = new QWidget(&parent);
        movable->setGeometry(320, 100, 200, 150);
        WidgetEnhancer::create(resizable, true, true);
        WidgetEnhancer *dialogLike = WidgetEnhancer::create(movable, true, false);
        QVERIFY(!WidgetEnhancer::create(nullptr, true, true));
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));

        drag(resizable, QPoint(100, 1), QPoint(0, -20));
        QCOMPARE(resizable->geometry(), QRect(100, 80, 200, 170));
        drag(movable, QPoint(100, 1), QPoint(0, -20));
        QCOMPARE(movable->geometry(), QRect(320, 80, 200, 150));

        // Region 0 (just beyond the right band) does nothing.
        drag(resizable, QPoint(203, 60), QPoint(30, 30));
        QCOMPARE(resizable->geometry(), QRect(100, 80, 200, 170));

        // Shrinking by the corner stops at the minimum size.
        drag(resizable, QPoint(199, 169), QPoint(-150, -150));
        QCOMPARE(resizable->size(), QSize(120, 100));
        QCOMPARE(resizable->pos(), QPoint(100, 80));

        // Keep-inside pins a dragged dialog at the parent's left and top.
        dialogLike->setKeepInside(true);
        drag(movable, QPoint(50, 50), QPoint(-500, -400));
        QCOMPARE(movable->pos(), QPoint(0, 0));
        drag(movable, QPoint(50, 50), QPoint(900, 900));
        QCOMPARE(movable->pos(), QPoint(600 - 200, 500 - 150));
    }

    void cursorFollowsRegion()
    {
        QWidget w;
        w.resize(200, 100);
        WidgetEnhancer::create(&w, true, true);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QMouseEvent move(QEvent::MouseMove, QPoint(199, 50), w.mapToGlobal(QPoint(199, 50)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &move);
        QCOMPARE(w.cursor().shape(), Qt::SizeHorCursor);
        QMouseEvent corner(QEvent::MouseMove, QPoint(0, 0), w.mapToGlobal(QPoint(0, 0)), Qt::NoButton,
                           Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &corner);
        QCOMPARE(w.cursor().shape(), Qt::SizeFDiagCursor);
    }

    void skinShapesWindow()
    {
        QWidget w;
        w.resize(300, 400);
        WidgetEnhancer *enhancer = WidgetEnhancer::create(&w, true, false);
        QVERIFY(!enhancer->loadSkin(QStringLiteral(":/images/does_not_exist.png"), 1, 1, 1, 1));
        QVERIFY(!enhancer->hasSkin());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.grab();
        QVERIFY(w.mask().isEmpty());

        QVERIFY(enhancer->loadSkin(QStringLiteral(":/images/dialogs/dlg_bkgnd.png"), 35, 7, 54, 7));
        const QImage composed = enhancer->composeSkin(w.size());
        QCOMPARE(composed.size(), w.size());
        QCOMPARE(qAlpha(composed.pixel(0, 0)), 0);       // rounded corner
        QCOMPARE(qAlpha(composed.pixel(150, 200)), 255); // body
        QCOMPARE(qAlpha(composed.pixel(299, 399)), 0);
        // A failed reload keeps the loaded skin.
        QVERIFY(!enhancer->loadSkin(QStringLiteral(":/images/nope.png"), 0, 0, 0, 0));
        QVERIFY(enhancer->hasSkin());
        w.grab();
        QVERIFY(!w.mask().isEmpty());
        QVERIFY(!w.mask().contains(QPoint(0, 0)));
        QVERIFY(w.mask().contains(QPoint(150, 200)));
    }

    void enhancerDiesWithWidget()
    {
        auto *w = new QWidget;
        QPointer<WidgetEnhancer> enhancer = WidgetEnhancer::create(w, true, true);
        QVERIFY(enhancer);
        delete w;
        QVERIFY(!enhancer);
    }

    void titleBarMaximizeToggles()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        VideoTitleBarWidget *bar = window.titleBar();
        QVERIFY(bar->btnMax()->isCheckable());
        QCOMPARE(bar->btnClose()->shortcut(), QKeySequence(QStringLiteral("Alt+F4")));
        bar->btnMax()->click();
        QVERIFY(window.isMaximized());
        bar->btnMax()->click();
        QVERIFY(!window.isMaximized());
        bar->btnClose()->click();
        QVERIFY(window.isHidden());
    }
};

QTEST_MAIN(TestWindowChrome)
#include "tst_windowchrome.moc"
