#include "engine/playback/ffmpegplayer.h"
#include "engine/transcode/conitunes.h"

#include <QtTest>

class TestEngineInterface : public QObject {
    Q_OBJECT
private slots:
    void sharedPlayerAndWindowHandOver()
    {
        QCOMPARE(FFP_GetPlayer(), FFP_GetPlayer());
        CffmpegPlayer::setWndID(7);
        QCOMPARE(FFP_SetWndID(9), int64_t(7));
        QCOMPARE(CffmpegPlayer::getWndID(), int64_t(9));
        CffmpegPlayer::setWndID(0);
    }
    void filterSettersReplaceEarlierCalls()
    {
        CFilterSetters p;
        p.SetCropFilter(0, 1, 2, 30, 40, 0, 0);
        p.SetCropFilter(0, 5, 6, 70, 80, 0, 0);
        FilterSettings f = p.filterSnapshot();
        QVERIFY(f.crop);
        QCOMPARE(f.cropLeft, 5);
        p.SetCropFilter(1, 0, 0, 0, 0, 0, 0);
        QVERIFY(!p.filterSnapshot().crop);
        p.resetFilters();
    }
    void itunesIsAbsent() { QCOMPARE(CConItunes().AddToItunes("C:\\x.mp4"), 0); }
};

QTEST_GUILESS_MAIN(TestEngineInterface)
#include "tst_engineinterface.moc"
