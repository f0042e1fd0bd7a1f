// The crop selector as the user meets it: handles over a 480 x 270 picture
// of a 1920 x 1080 video, dragged with the mouse.

#include "gui/editor/videoselector.h"
#include "gui/player/videoplayerscreen.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {
QRect coords(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}
} // namespace

class TestVideoSelector : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> m_box;
    VideoPlayerScreen *m_screen = nullptr;
    std::unique_ptr<VideoSelector> m_selector;
    QRect m_video; // the last selectionChanged

    // Drags the handle with the given code by (dx, dy) in one move.
    void drag(int code, int dx, int dy)
    {
        QWidget *handle = m_selector->handle(code);
        QVERIFY(handle && handle->isVisible());
        const QPoint start(1, 1);
        QTest::mousePress(handle, Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(dx, dy)),
                         handle->mapToGlobal(QPointF(start + QPoint(dx, dy))), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(handle, &move);
        QTest::mouseRelease(m_selector->handle(code), Qt::LeftButton, {}, start + QPoint(dx, dy));
    }

private slots:
    void init()
    {
        m_box = std::make_unique<QWidget>();
        m_box->resize(480, 270);
        m_screen = new VideoPlayerScreen(m_box.get());
        m_screen->setGeometry(0, 0, 480, 270);
        m_selector = std::make_unique<VideoSelector>();
        connect(m_selector.get(), &VideoSelector::selectionChanged, this,
                [this](const QRect &r) { m_video = r; });
        m_selector->attach(m_screen);
        m_selector->setVideoSize(QSize(1920, 1080));
        m_box->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_box.get()));
        QCOMPARE(m_selector->geometry().picture(), coords(0, 0, 479, 269));
        QCOMPARE(m_selector->geometry().selection(), coords(0, 0, 479, 269));
    }

    void cleanup()
    {
        m_selector.reset();
        m_box.reset();
    }

    void nineHandlesWithTheirCursors()
    {
        for (int code : CropSelection::HandleCodes)
            QVERIFY(m_selector->handle(code));
        QCOMPARE(m_selector->handle(CropSelection::Centre)->cursor().shape(), Qt::OpenHandCursor);
        QCOMPARE(m_selector->handle(CropSelection::Left)->cursor().shape(), Qt::SizeHorCursor);
        QCOMPARE(m_selector->handle(CropSelection::Bottom)->cursor().shape(), Qt::SizeVerCursor);
        QCOMPARE(m_selector->handle(CropSelection::TopLeft)->cursor().shape(), Qt::SizeFDiagCursor);
        QCOMPARE(m_selector->handle(CropSelection::TopRight)->cursor().shape(), Qt::SizeBDiagCursor);
        // The handles frame the area in the box's coordinates.
        QCOMPARE(m_selector->handle(CropSelection::BottomRight)->geometry(), QRect(477, 267, 3, 3));
        QCOMPARE(m_selector->handle(CropSelection::Top)->geometry(), QRect(3, 0, 474, 3));
    }

    void draggingGivesVideoPixels()
    {
        drag(CropSelection::TopLeft, 10, 20);
        drag(CropSelection::BottomRight, 109 - 479, 69 - 269);
        QCOMPARE(m_selector->geometry().selection(), coords(10, 20, 109, 69));
        QCOMPARE(m_video, QRect(40, 80, 400, 200)); // Left 40, Top 80, Width 400, Height 200
        QCOMPARE(m_selector->handle(CropSelection::TopLeft)->pos(), QPoint(10, 20));

        // The centre moves the area and keeps it inside the picture.
        drag(CropSelection::Centre, 1000, 0);
        QCOMPARE(m_selector->geometry().selection(), coords(380, 20, 479, 69));
        QCOMPARE(m_video.right(), 1919);
    }

    void ratioLockedRightEdgeStopsAtTheBottom()
    {
        m_selector->setKeepRatio(true);
        m_selector->setCurrentRatio(16, 9);
        m_selector->setSelectedArea(QRect(400, 400, 400, 225));
        QSignalSpy areas(m_selector.get(), &VideoSelector::selectAreaChanged);
        for (int i = 0; i < 8; ++i) {
            drag(CropSelection::Right, 40, 0);
            const QRect r = m_selector->geometry().selection();
            QVERIFY2(r.bottom() <= 269, qPrintable(QString::number(r.bottom())));
            QVERIFY(r.right() <= 479);
        }
        QCOMPARE(m_selector->geometry().selection().bottom(), 269);
        QCOMPARE(areas.count(), 8);
    }

    void centreHandleHidesOnTinyAreas()
    {
        m_selector->setSelectedArea(QRect(0, 0, 400, 400)); // 100 x 100 picture pixels
        QVERIFY(m_selector->handle(CropSelection::Centre)->isVisible());
        m_selector->setSelectedArea(QRect(0, 0, 20, 400)); // 5 picture pixels wide
        QVERIFY(!m_selector->handle(CropSelection::Centre)->isVisible());
        QVERIFY(m_selector->handle(CropSelection::Left)->isVisible());
        m_selector->hideSelector();
        QVERIFY(!m_selector->handle(CropSelection::Left)->isVisible());
        m_selector->showSelector();
        QVERIFY(m_selector->handle(CropSelection::Left)->isVisible());
    }

    void pictureChangeKeepsTheVideoArea()
    {
        m_selector->setSelectedArea(QRect(480, 270, 960, 540));
        // The player places a 4:3 picture in the middle of the screen.
        m_selector->setScreenRect(coords(60, 0, 419, 269));
        const std::optional<QRect> v = m_selector->geometry().videoRect();
        QVERIFY(v);
        QVERIFY(qAbs(v->left() - 480) <= 6 && qAbs(v->width() - 960) <= 6);
        QCOMPARE(m_selector->handle(CropSelection::TopLeft)->pos(), QPoint(60 + 360 / 4, 270 / 4));
    }
};

QTEST_MAIN(TestVideoSelector)
#include "tst_videoselector.moc"
