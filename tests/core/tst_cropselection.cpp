// The crop selector's integer geometry: picture to video mapping, typed
// values, dragging with and without a ratio lock, handle placement.

#include "core/edit/cropselection.h"

#include <QtTest>

namespace {
QRect coords(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}

// 1920 x 1080 shown in a 480 x 270 picture, the whole picture selected.
CropSelection fullHd()
{
    CropSelection s;
    s.setScreenRect(coords(0, 0, 479, 269));
    s.setVideoSize(QSize(1920, 1080));
    s.apply(coords(0, 0, 479, 269));
    return s;
}
} // namespace

class TestCropSelection : public QObject {
    Q_OBJECT

private slots:
    void pictureAreaMapsToVideoPixels()
    {
        CropSelection s = fullHd();
        s.apply(coords(10, 20, 109, 69));
        const std::optional<QRect> v = s.videoRect();
        QVERIFY(v);
        QCOMPARE(v->left(), 40);
        QCOMPARE(v->top(), 80);
        QCOMPARE(v->width(), 400);
        QCOMPARE(v->height(), 200);

        // And back: a video rectangle selects the matching picture area.
        s.setSelectedArea(QRect(40, 80, 400, 200));
        QCOMPARE(s.selection(), coords(10, 20, 109, 69));
    }

    void unknownSizesMapNothingAndNeverDivideByZero()
    {
        CropSelection s;
        QVERIFY(!s.videoRect()); // no picture, no frame size
        s.setScreenRect(coords(0, 0, 99, 99));
        s.apply(coords(0, 0, 99, 99));
        QVERIFY(!s.videoRect());
        s.setVideoSize(QSize(0, 0)); // a frame size the probe could not tell
        s.setWidth(50);
        s.setHeight(50);
        s.setLeft(5);
        s.setTop(5);
        s.setSelectedArea(QRect(0, 0, 10, 10));
        s.setCurrentRatio(16, 9);
        s.setKeepRatio(true);
        s.drag(CropSelection::Right, -10, 0);
        QCOMPARE(s.selection().left(), 0);
    }

    void pictureWithNegativeSizeIsIgnored()
    {
        CropSelection s = fullHd();
        QVERIFY(!s.setScreenRect(coords(10, 10, 9, 50)));
        QCOMPARE(s.picture(), coords(0, 0, 479, 269));
    }

    void areaLargerThanThePictureSelectsAll()
    {
        CropSelection s = fullHd();
        s.apply(coords(5, 5, 600, 100));
        QCOMPARE(s.selection(), coords(0, 0, 479, 269));
    }

    void typedWidthHasAFloorOfTenPicturePixels()
    {
        CropSelection s = fullHd();
        s.setWidth(5); // 5 * 480 / 1920 = 1 picture pixel
        QCOMPARE(s.selection().width(), 10);
        // At most what fits right of the area's left edge.
        s.apply(coords(400, 0, 449, 269));
        s.setWidth(1920);
        QCOMPARE(s.selection().right(), 479);
    }

    void typedLeftKeepsTheWidthInsideThePicture()
    {
        CropSelection s = fullHd();
        s.apply(coords(0, 0, 99, 99));
        s.setLeft(1800); // 450: the right edge would pass the picture
        QCOMPARE(s.selection(), coords(380, 0, 479, 99));
        s.setLeft(400000); // beyond the picture: ignored
        QCOMPARE(s.selection(), coords(380, 0, 479, 99));
        s.setTop(1000); // 250
        QCOMPARE(s.selection(), coords(380, 170, 479, 269));
    }

    void typedWidthWithRatioLock()
    {
        CropSelection s = fullHd();
        s.setKeepRatio(true);
        s.setCurrentRatio(16, 9);
        s.apply(coords(0, 0, 479, 269));
        s.setWidth(960); // 240 picture pixels, 135 high
        QCOMPARE(s.selection(), coords(0, 0, 239, 134));
        // Near the bottom the free height limits both.
        s.apply(coords(0, 200, 99, 269));
        s.setWidth(1920);
        QCOMPARE(s.selection().bottom(), 269);
        QCOMPARE(s.selection().width(), 70 * 16 / 9);
    }

    void typedHeightWithRatioLockStaysInsideThePicture()
    {
        CropSelection s = fullHd();
        s.setKeepRatio(true);
        s.setCurrentRatio(16, 9);
        s.apply(coords(400, 0, 449, 49));
        s.setHeight(1080);
        QVERIFY2(s.selection().right() <= 479, qPrintable(QString::number(s.selection().right())));
        QCOMPARE(s.selection().left(), 400);
    }

    void ratioLockOnRightEdgeDragNeverPassesTheBottom()
    {
        CropSelection s = fullHd();
        s.setKeepRatio(true);
        s.setCurrentRatio(16, 9);
        s.apply(coords(100, 100, 199, 155));
        for (int step = 0; step < 40; ++step) {
            s.drag(CropSelection::Right, 10, 0);
            QVERIFY2(s.selection().bottom() <= 269, qPrintable(QString::number(s.selection().bottom())));
            QVERIFY(s.selection().right() <= 479);
        }
        // The height followed the width until the bottom was reached.
        QCOMPARE(s.selection().bottom(), 269);
        QCOMPARE(s.selection().right(), 100 + (270 - 100) * 16 / 9);
    }

    void ratioLockFollowsEveryCorner()
    {
        for (int code : {int(CropSelection::TopLeft), int(CropSelection::TopRight),
                         int(CropSelection::BottomLeft), int(CropSelection::BottomRight),
                         int(CropSelection::Left), int(CropSelection::Top), int(CropSelection::Bottom)}) {
            CropSelection s = fullHd();
            s.setKeepRatio(true);
            s.setCurrentRatio(4, 3);
            s.apply(coords(200, 100, 279, 159));
            for (int d : {-300, 300}) {
                s.drag(code, d, d);
                const QRect r = s.selection();
                QVERIFY2(r.left() >= 0 && r.top() >= 0 && r.right() <= 479 && r.bottom() <= 269,
                         qPrintable(QStringLiteral("code %1: %2,%3,%4,%5")
                                        .arg(code)
                                        .arg(r.left())
                                        .arg(r.top())
                                        .arg(r.right())
                                        .arg(r.bottom())));
                QVERIFY(r.width() >= CropSelection::MinDragSize);
            }
        }
    }

    void dragWithoutRatioKeepsTheMinimumSize()
    {
        CropSelection s = fullHd();
        s.apply(coords(100, 100, 199, 199));
        s.drag(CropSelection::Left, 500, 0);
        QCOMPARE(s.selection().left(), 199 - CropSelection::MinDragSize);
        s.drag(CropSelection::BottomRight, 1000, 1000);
        QCOMPARE(s.selection().bottomRight(), QPoint(479, 269));
        s.drag(CropSelection::TopRight, 0, -1000);
        QCOMPARE(s.selection().top(), 0);
    }

    void centreMovesWithoutResizing()
    {
        CropSelection s = fullHd();
        s.apply(coords(100, 100, 199, 149));
        s.drag(CropSelection::Centre, -500, 500);
        QCOMPARE(s.selection(), coords(0, 220, 99, 269));
        s.drag(CropSelection::Centre, 1000, -1000);
        QCOMPARE(s.selection(), coords(380, 0, 479, 49));
        s.drag(99, 5, 5); // not a handle: unchanged
        QCOMPARE(s.selection(), coords(380, 0, 479, 49));
    }

    void keepOriginalRatioIsTheFramesOwn()
    {
        CropSelection s = fullHd();
        QCOMPARE(s.ratioWidth(), 1920);
        QCOMPARE(s.ratioHeight(), 1080);
        s.setCurrentRatio(4, 3);
        s.setCurrentRatio(-1, -1);
        QCOMPARE(s.ratioWidth(), 1920);
        QCOMPARE(s.ratioHeight(), 1080);
    }

    void handlesAroundTheArea()
    {
        const QMap<int, QRect> r = CropSelection::handleRects(QRect(10, 20, 100, 50));
        QCOMPARE(r.size(), 9);
        QCOMPARE(r[CropSelection::TopLeft], QRect(10, 20, 3, 3));
        QCOMPARE(r[CropSelection::Top], QRect(13, 20, 94, 3));
        QCOMPARE(r[CropSelection::BottomRight], QRect(107, 67, 3, 3));
        QCOMPARE(r[CropSelection::Right], QRect(107, 23, 3, 44));
        QCOMPARE(r[CropSelection::Centre].size(), QSize(7, 7));
        QCOMPARE(r[CropSelection::Centre].center(), QPoint(59, 44));
        // Under 6 pixels in either direction there is no centre handle.
        QVERIFY(!CropSelection::handleRects(QRect(0, 0, 5, 100)).contains(CropSelection::Centre));
        QVERIFY(!CropSelection::handleRects(QRect(0, 0, 100, 5)).contains(CropSelection::Centre));
        QVERIFY(CropSelection::handleRects(QRect(0, 0, 6, 6)).contains(CropSelection::Centre));
    }

    void typedValuesAgreeWithinOnePicturePixel()
    {
        QVERIFY(CropSelection::agrees(41, 40, 1920, 480)); // 4 video pixels per picture pixel
        QVERIFY(CropSelection::agrees(44, 40, 1920, 480));
        QVERIFY(!CropSelection::agrees(45, 40, 1920, 480));
        QVERIFY(CropSelection::agrees(7, 7, 0, 0));
        QVERIFY(!CropSelection::agrees(7, 8, 0, 0));
    }

    void storedCropStaysInsideTheFrame()
    {
        QCOMPARE(CropSelection::clampToVideo(QRect(1900, -5, 400, 2000), QSize(1920, 1080)),
                 QRect(1900, 0, 20, 1080));
        QCOMPARE(CropSelection::clampToVideo(QRect(10, 10, 0, 0), QSize(100, 100)), QRect(10, 10, 1, 1));
        QCOMPARE(CropSelection::clampToVideo(QRect(1, 2, 3, 4), QSize(-1, -1)), QRect(1, 2, 3, 4));
    }
};

QTEST_GUILESS_MAIN(TestCropSelection)
#include "tst_cropselection.moc"
