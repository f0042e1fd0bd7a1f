#include "common/testmedia.h"
#include "engine/playback/ffmpegplayer.h"
#include "engine/playback/playerfiltersetters.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QtTest>

#include <cmath>

namespace {

// Mean absolute difference per colour channel (0..255) of two same-sized images.
double meanDiff(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return 1e9;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0.0;
    for (int r = 0; r < x.height(); ++r) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(r));
        const QRgb *q = reinterpret_cast<const QRgb *>(y.constScanLine(r));
        for (int c = 0; c < x.width(); ++c)
            sum += std::abs(qRed(p[c]) - qRed(q[c])) + std::abs(qGreen(p[c]) - qGreen(q[c])) +
                   std::abs(qBlue(p[c]) - qBlue(q[c]));
    }
    return sum / (3.0 * x.width() * x.height());
}

// Frame number n of the clip, decoded by the ffmpeg tool on its own.
QImage referenceFrame(const QString &clip, int n)
{
    const QString out = TestMedia::tempDir() + QStringLiteral("/ref_%1.png").arg(n);
    if (!QFile::exists(out) &&
        !TestMedia::ffmpeg({"-i", clip, "-vf", QStringLiteral("select=eq(n\\,%1)").arg(n), "-fps_mode",
                            "passthrough", "-frames:v", "1", out}))
        return QImage();
    return QImage(out);
}

} // namespace

class TestPlayer : public QObject {
    Q_OBJECT
    CffmpegPlayer *p = FFP_GetPlayer();
    QString clip;   // 6 s, 320x240 (4:3), 25 fps, with sound
    QString silent; // 4 s, 320x180 (16:9), no sound
    QString dir;

    QByteArray path(const QString &s) { return s.toLocal8Bit(); }
    bool waitForPicture(double atMs, int timeoutMs = 5000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeoutMs) {
            if (std::abs(p->GetShownFramePosition() - atMs) < 0.5)
                return true;
            QTest::qWait(10);
        }
        qWarning() << "picture on screen at" << p->GetShownFramePosition() << "wanted" << atMs;
        return false;
    }

private slots:
    void initTestCase()
    {
        dir = TestMedia::tempDir();
        clip = dir + "/clip.mp4";
        silent = dir + "/silent.mp4";
        QVERIFY(TestMedia::makeClip(clip, 6, 320, 240, "25"));
        QVERIFY(TestMedia::makeClip(silent, 4, 320, 180, "25", 0));
        CffmpegPlayer::setWndID(0);
    }
    void cleanup()
    {
        p->CloseFile();
        p->resetFilters();
    }

    void unplayableFilesDoNotOpen()
    {
        const QString junk = dir + "/junk.mp4";
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        QCOMPARE(p->OpenFile(path(junk).constData()), 0);
        QCOMPARE(p->OpenFile(path(dir + "/missing.mp4").constData()), 0);
        QCOMPARE(p->OpenFile(""), 0);
        QCOMPARE(p->OpenFile(nullptr), 0);
        QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_STOPPED));
        QCOMPARE(p->GetOpenedFileName(), std::string());
        QCOMPARE(p->Play(), 0);
    }

    void statusFollowsPlayPauseStop()
    {
        QVERIFY(p->OpenFile(path(clip).constData()) != 0);
        QCOMPARE(p->GetOpenedFileName(), std::string(path(clip).constData()));
        QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_STOPPED));
        QCOMPARE(p->Play(), 1);
        QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_PLAYING));
        QTRY_VERIFY_WITH_TIMEOUT(p->GetCurrentPosition() > 300, 5000);
        QVERIFY(p->GetShownFrames() > 0);

        p->Pause();
        QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_PAUSED));
        const double held = p->GetCurrentPosition();
        QTest::qWait(300);
        QCOMPARE(p->GetCurrentPosition(), held);

        p->Play();
        QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_PLAYING));
        QTRY_VERIFY_WITH_TIMEOUT(p->GetCurrentPosition() > held + 100, 3000);

        p->Stop();
        QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_STOPPED));
        QCOMPARE(p->GetOpenedFileName(), std::string(path(clip).constData()));
        // Play after Stop starts again from the beginning.
        p->Play();
        QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_PLAYING));
        QVERIFY(p->GetCurrentPosition() < 300);
        p->CloseFile();
        QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_STOPPED));
        QCOMPARE(p->GetOpenedFileName(), std::string());
    }

    void sectionPlaysOutByItself()
    {
        QVERIFY(p->OpenFile(path(clip).constData()));
        p->SetStartEndPos(2000, 3000);
        p->Play();
        p->Pause();
        QVERIFY(waitForPicture(0)); // the first picture is the section start, shown also while paused
        p->Play();
        QTRY_COMPARE_WITH_TIMEOUT(p->GetPlayStatus(), int(PLAY_STATUS_STOPPED), 4000);
        QVERIFY(p->GetShownFrames() >= 24);
        QVERIFY(std::abs(p->GetShownFramePosition() - 960) < 1); // the last picture of the section
        QVERIFY(std::abs(p->GetCurrentPosition() - 1000) < 50);
        // Play again runs the section from its start.
        p->Play();
        QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_PLAYING));
        QTRY_COMPARE_WITH_TIMEOUT(p->GetPlayStatus(), int(PLAY_STATUS_STOPPED), 4000);
    }

    void positionRunsAtRealTime_data()
    {
        QTest::addColumn<bool>("withSound");
        QTest::newRow("sound clock") << true;
        QTest::newRow("system clock") << false;
    }
    void positionRunsAtRealTime()
    {
        QFETCH(bool, withSound);
        QVERIFY(p->OpenFile(path(withSound ? clip : silent).constData()));
        p->Play();
        QTRY_VERIFY_WITH_TIMEOUT(p->GetCurrentPosition() > 200, 5000);
        QElapsedTimer wall;
        wall.start();
        const double start = p->GetCurrentPosition();
        QTest::qWait(2500);
        const double rate = (p->GetCurrentPosition() - start) / double(wall.elapsed());
        QVERIFY2(rate > 0.95 && rate < 1.05, qPrintable(QString::number(rate)));
    }

    void seekShowsTheAskedFrame()
    {
        QVERIFY(p->OpenFile(path(clip).constData()));
        p->Play();
        QTRY_VERIFY_WITH_TIMEOUT(p->GetShownFrames() > 0, 5000);
        p->Pause();
        // 2530 ms lies inside frame 63 (2520..2560); the clip has one key frame at 0.
        QCOMPARE(p->Seek(2530), 1);
        QVERIFY(waitForPicture(2520));
        QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_PAUSED));
        QVERIFY(std::abs(p->GetCurrentPosition() - 2520) < 1);
        const QString shot = dir + "/seek.bmp";
        QCOMPARE(p->SnapImage(path(shot).constData(), 1), 1);
        const QImage got(shot);
        const double same = meanDiff(got, referenceFrame(clip, 63));
        const double before = meanDiff(got, referenceFrame(clip, 62));
        const double after = meanDiff(got, referenceFrame(clip, 64));
        QVERIFY2(same < 2.0 && same * 3 < std::min(before, after),
                 qPrintable(QStringLiteral("%1 %2 %3").arg(same).arg(before).arg(after)));

        // Backwards while playing: the next picture is the frame at the target.
        p->Play();
        QCOMPARE(p->Seek(1000), 1);
        QVERIFY(waitForPicture(1000, 3000) || p->GetShownFramePosition() >= 1000);
        // The clock follows the picture (on a busy machine a moment later),
        // then runs on from the target.
        QTRY_VERIFY_WITH_TIMEOUT(p->GetCurrentPosition() >= 1000 && p->GetCurrentPosition() < 2400, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(p->GetCurrentPosition() > 1100, 3000);
    }

    void snapshotsAreTheSourceFrame()
    {
        QVERIFY(p->OpenFile(path(clip).constData()));
        QCOMPARE(p->SnapImage(path(dir + "/none.bmp").constData(), 1), 0); // nothing on screen yet
        p->Play();
        p->Pause();
        p->Seek(4000);
        QVERIFY(waitForPicture(4000));
        const QImage ref = referenceFrame(clip, 100);
        const QString bmp = dir + "/shot.bmp", jpg = dir + "/shot.jpg";
        QCOMPARE(p->SnapImage(path(bmp).constData(), 1), 1);
        QCOMPARE(p->SnapImage(path(jpg).constData(), 2), 1);
        QCOMPARE(p->SnapImage(path(dir + "/x.png").constData(), 3), 0);
        QImage b(bmp), j(jpg);
        QCOMPARE(b.size(), QSize(320, 240));
        QCOMPARE(j.size(), QSize(320, 240));
        QVERIFY(QFile(bmp).open(QIODevice::ReadOnly));
        QFile fb(bmp), fj(jpg);
        QVERIFY(fb.open(QIODevice::ReadOnly) && fj.open(QIODevice::ReadOnly));
        QCOMPARE(fb.read(2), QByteArray("BM"));
        QCOMPARE(fj.read(3), QByteArray("\xff\xd8\xff"));
        QVERIFY2(meanDiff(b, ref) < 2.0, qPrintable(QString::number(meanDiff(b, ref))));
        QVERIFY2(meanDiff(j, ref) < 4.0, qPrintable(QString::number(meanDiff(j, ref))));
        // A snapshot folder that does not exist yet is made.
        const QString nested = dir + "/not/yet/there/shot.jpg";
        QCOMPARE(p->SnapImage(path(nested).constData(), 2), 1);
        QCOMPARE(QImage(nested).size(), QSize(320, 240));
    }

    void showRectKeepsAspect()
    {
        int x, y, w, h;
        QVERIFY(p->OpenFile(path(clip).constData())); // 4:3
        p->SetInitSize(640, 360);
        p->GetShowRect(x, y, w, h);
        QCOMPARE(QRect(x, y, w, h), QRect(80, 0, 480, 360));
        QVERIFY(p->OpenFile(path(silent).constData())); // 16:9
        p->SetInitSize(640, 480);
        p->GetShowRect(x, y, w, h);
        QCOMPARE(QRect(x, y, w, h), QRect(0, 60, 640, 360));
        p->Play();
        QTRY_VERIFY_WITH_TIMEOUT(p->GetShownFrames() > 0, 5000);
        p->GetShowRect(x, y, w, h);
        QCOMPARE(QRect(x, y, w, h), QRect(0, 60, 640, 360));
    }

    void soundOnlyFilePlaysItsSection()
    {
        const QString sound = dir + "/tone.m4a";
        QVERIFY(TestMedia::makeClip(sound, 4, 0, 0, "25", 44100, 2));
        QVERIFY(p->OpenFile(path(sound).constData()));
        QCOMPARE(p->IsAudioFile(), 1);
        p->SetStartEndPos(1000, 2000);
        p->Play();
        QTRY_VERIFY_WITH_TIMEOUT(p->GetCurrentPosition() > 300, 3000);
        QVERIFY(p->GetCurrentPosition() < 1000);
        QTRY_COMPARE_WITH_TIMEOUT(p->GetPlayStatus(), int(PLAY_STATUS_STOPPED), 3000);
        QVERIFY2(std::abs(p->GetCurrentPosition() - 1000) < 60,
                 qPrintable(QString::number(p->GetCurrentPosition())));
        QCOMPARE(p->SnapImage(path(dir + "/sound.bmp").constData(), 1), 0); // no picture
    }

    void seekPastTheEndFinishes()
    {
        QVERIFY(p->OpenFile(path(clip).constData()));
        p->Play();
        QTRY_VERIFY_WITH_TIMEOUT(p->GetShownFrames() > 0, 5000);
        p->Seek(100000); // passed on as is
        QTRY_COMPARE_WITH_TIMEOUT(p->GetPlayStatus(), int(PLAY_STATUS_STOPPED), 3000);
        p->Pause(); // nothing plays: stays stopped
        QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_STOPPED));
        // A seek after the end, then Play, continues from the seek target.
        p->Seek(5000);
        QVERIFY(waitForPicture(5000, 3000)); // shown while stopped
        p->Play();
        QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_PLAYING));
        QTRY_COMPARE_WITH_TIMEOUT(p->GetPlayStatus(), int(PLAY_STATUS_STOPPED), 3000);
    }

    void volumeAndMuteAreHarmless()
    {
        QVERIFY(p->OpenFile(path(clip).constData()));
        p->SetVolumn(200); // clamped
        p->SetVolumn(-5);
        p->SetSilent();
        p->Play();
        QTRY_VERIFY_WITH_TIMEOUT(p->GetCurrentPosition() > 300, 5000);
        p->SetSilent();
        p->SetVolumn(128);
        QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_PLAYING));
    }

    // A player made by its owner is the one the engine answers with once
    // registered, and no longer once it is gone; a change of the window
    // reaches the owner of a player that plays, whichever player it is.
    void ownedPlayersShareTheWindow()
    {
        struct Observer : IPlayerDestroyObserver {
            QList<int> reasons;
            void OnPlayerDestroy(int reason) override { reasons << reason; }
        } observer;
        FFP_AddDestroyObserver(&observer);
        {
            CffmpegPlayer owned;
            FFP_RegisterPlayer(&owned);
            QCOMPARE(FFP_GetPlayer(), &owned);
            QVERIFY(owned.OpenFile(path(clip).constData()));
            QCOMPARE(owned.Play(), 1);
            observer.reasons.clear();
            CffmpegPlayer::setWndID(4242);
            QCOMPARE(observer.reasons, QList<int>{PLAYER_WINDOW_CHANGED});
            CffmpegPlayer::setWndID(0);
            observer.reasons.clear();
        }
        QCOMPARE(observer.reasons.last(), int(PLAYER_DESTROYED));
        QCOMPARE(FFP_GetPlayer(), p);
        p->removeDestroyObserver(&observer);
    }

    // The preview filters are one typed set: the zoom keeps the rest of it,
    // a write replaces all of it, and the picture's place follows at once.
    void typedFiltersShapeThePicture()
    {
        int x, y, w, h;
        QVERIFY(p->OpenFile(path(clip).constData())); // 320x240
        p->SetInitSize(640, 480);
        FilterSettings f;
        f.crop = true;
        f.cropWidth = 320;
        f.cropHeight = 120; // the top half: 8:3
        p->setFilters(f);
        p->SetZoomFilter(0, 640, 480);
        QVERIFY(p->filters().crop);
        QCOMPARE(p->filters().zoomWidth, 640);
        p->GetShowRect(x, y, w, h);
        QCOMPARE(QRect(x, y, w, h), QRect(0, 120, 640, 240));
        p->setFilters(FilterSettings());
        QCOMPARE(p->filters().zoomMode, -1);
        p->GetShowRect(x, y, w, h);
        QCOMPARE(QRect(x, y, w, h), QRect(0, 0, 640, 480));
    }

    // The setters' calls reach the player whole, on top of what it had.
    void settersAdapterEditsThePlayersSet()
    {
        p->SetZoomFilter(0, 640, 360);
        PlayerFilterSetters setters(*p);
        setters.SetNegateFilter(0);
        setters.SetTextWaterMarkFilter(0, "Hi", "/nonexistent.ttf", 20, 0x11223344, 5, 6, 0, 0);
        FilterSettings f = p->filters();
        QVERIFY(f.negate && f.textWatermark);
        QCOMPARE(f.textWatermarkColor, int64_t(0x11223344));
        QCOMPARE(f.zoomWidth, 640);
        setters.SetNegateFilter(1);
        QVERIFY(!p->filters().negate);
        QVERIFY(p->filters().textWatermark);
    }
};

QTEST_MAIN(TestPlayer)
#include "tst_player.moc"
