#include "common/testmedia.h"
#include "core/media/timetext.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/player/videoplayerscreen.h"

#include <QHBoxLayout>
#include <QImage>
#include <QtTest>

namespace {

int64_t idOf(QWidget *w)
{
    return static_cast<int64_t>(w->winId());
}

// Counts pixels that are not black.
int litPixels(const QImage &image)
{
    const QImage x = image.convertToFormat(QImage::Format_RGB32);
    int lit = 0;
    for (int y = 0; y < x.height(); ++y) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(y));
        for (int c = 0; c < x.width(); ++c)
            lit += (qRed(p[c]) | qGreen(p[c]) | qBlue(p[c])) > 16;
    }
    return lit;
}

// Reacts to destroy notices the way the player panel does: only when the
// player's window is its own screen.
class PanelLikeObserver : public IPlayerDestroyObserver {
public:
    explicit PanelLikeObserver(VideoPlayerScreen *screen) : screen(screen) {}
    void OnPlayerDestroy(int) override
    {
        ++notices;
        if (CffmpegPlayer::getWndID() == idOf(screen)) {
            FFP_GetPlayer()->Stop();
            ++stops;
        }
    }
    VideoPlayerScreen *screen;
    int notices = 0;
    int stops = 0;
};

} // namespace

class TestPlayerScreen : public QObject {
    Q_OBJECT
    CffmpegPlayer *p = FFP_GetPlayer();
    QString clip;
    QWidget window;
    VideoPlayerScreen *panelScreen = nullptr;
    VideoPlayerScreen *dialogScreen = nullptr;

    // The panel's start sequence.
    void panelStart(const QString &file)
    {
        CffmpegPlayer::setWndID(idOf(panelScreen));
        if (p->GetOpenedFileName() != file.toStdString())
            p->CloseFile();
        if (p->GetPlayStatus() == 3) {
            QVERIFY(p->OpenFile(file.toLocal8Bit().constData()));
            p->SetInitSize(panelScreen->width(), panelScreen->height());
            p->SetStartEndPos(-1, -1);
            p->Play();
        }
    }

private slots:
    void initTestCase()
    {
        clip = TestMedia::tempDir() + "/clip.mp4";
        QVERIFY(TestMedia::makeClip(clip, 5, 320, 240, "25"));
        auto *layout = new QHBoxLayout(&window);
        panelScreen = new VideoPlayerScreen;
        dialogScreen = new VideoPlayerScreen;
        panelScreen->setFixedSize(320, 180);
        dialogScreen->setFixedSize(240, 240);
        layout->addWidget(panelScreen);
        layout->addWidget(dialogScreen);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(panelScreen->testAttribute(Qt::WA_NativeWindow));
        QVERIFY(idOf(panelScreen) != 0 && idOf(panelScreen) != idOf(dialogScreen));
    }
    void cleanup()
    {
        p->CloseFile();
        p->resetFilters();
        CffmpegPlayer::setWndID(0);
    }

    void timeText()
    {
        QCOMPARE(TimeText::fromMs(qint64(0)), QStringLiteral("00:00:00"));
        QCOMPARE(TimeText::fromMs(qint64(999)), QStringLiteral("00:00:00"));
        QCOMPARE(TimeText::fromMs(qint64(3723999)), QStringLiteral("01:02:03"));
        QCOMPARE(TimeText::fromMs(qint64(-5000)), QStringLiteral("00:00:00"));
        QCOMPARE(TimeText::fromMs(qint64(360000000)), QStringLiteral("100:00:00"));
        QCOMPARE(TimeText::fromMs(59999.9), QStringLiteral("00:00:59"));
    }

    void screenIsBlackWithoutThePlayer()
    {
        QVERIFY(!panelScreen->refreshFrame());
        QCOMPARE(litPixels(panelScreen->grab().toImage()), 0);
    }

    void playingScreenShowsThePictureInItsRect()
    {
        panelStart(clip);
        QCOMPARE(p->GetPlayStatus(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(p->GetShownFrames() > 2, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(panelScreen->refreshFrame(), 2000);
        const QImage shot = panelScreen->grab().toImage();
        int x, y, w, h;
        p->GetShowRect(x, y, w, h);
        QCOMPARE(QRect(x, y, w, h), QRect(40, 0, 240, 180)); // 4:3 in 320x180
        // Picture inside the rect, black bars outside it.
        QVERIFY(litPixels(shot.copy(x, y, w, h)) > w * h / 2);
        QCOMPARE(litPixels(shot.copy(0, 0, x, 180)), 0);
        QCOMPARE(litPixels(shot.copy(x + w, 0, 320 - x - w, 180)), 0);
        // A screen the player does not own stays black.
        QVERIFY(!dialogScreen->refreshFrame());
        QCOMPARE(litPixels(dialogScreen->grab().toImage()), 0);
    }

    void trimSequenceRestoresThePreviousWindow()
    {
        panelStart(clip);
        // Shown: take the player for the dialog's screen.
        const int64_t saved = FFP_SetWndID(idOf(dialogScreen));
        QCOMPARE(saved, idOf(panelScreen));
        p->SetInitSize(dialogScreen->width(), dialogScreen->height());
        QVERIFY(p->OpenFile(clip.toLocal8Bit().constData()));
        p->SetStartEndPos(1000, 3000);
        p->Play();
        QTRY_VERIFY_WITH_TIMEOUT(dialogScreen->refreshFrame(), 5000);
        QVERIFY(!panelScreen->refreshFrame());
        QTRY_VERIFY_WITH_TIMEOUT(litPixels(dialogScreen->grab().toImage()) > 1000, 2000);
        // Finished: close and give the window back.
        p->CloseFile();
        QCOMPARE(FFP_SetWndID(saved), idOf(dialogScreen));
        QCOMPARE(CffmpegPlayer::getWndID(), idOf(panelScreen));
        QCOMPARE(litPixels(dialogScreen->grab().toImage()), 0);
        // The panel starts again in its own window.
        panelStart(clip);
        QTRY_VERIFY_WITH_TIMEOUT(panelScreen->refreshFrame(), 5000);
    }

    void editorSequenceLeavesNoWindow()
    {
        panelStart(clip);
        // Editor start: close a different file, take the window, open, play.
        CffmpegPlayer::setWndID(idOf(dialogScreen));
        p->Stop();
        QVERIFY(p->OpenFile(clip.toLocal8Bit().constData()));
        p->SetInitSize(dialogScreen->width(), dialogScreen->height());
        p->SetStartEndPos(0, 2000);
        p->Play();
        QTRY_VERIFY_WITH_TIMEOUT(dialogScreen->refreshFrame(), 5000);
        // Editor destroyed.
        p->Stop();
        CffmpegPlayer::setWndID(0);
        QCOMPARE(CffmpegPlayer::getWndID(), int64_t(0));
        QCOMPARE(p->GetPlayStatus(), 3);
        QVERIFY(!panelScreen->refreshFrame());
        QVERIFY(!dialogScreen->refreshFrame());
        // The panel's next start works because it sets its window first.
        panelStart(clip);
        QCOMPARE(p->GetPlayStatus(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(panelScreen->refreshFrame(), 5000);
    }

    void destroyNoticeForAnotherWindowChangesNothing()
    {
        PanelLikeObserver panel(panelScreen);
        FFP_AddDestroyObserver(&panel);
        FFP_AddDestroyObserver(&panel); // added once only
        panelStart(clip);
        QCOMPARE(panel.notices, 0);
        // Another screen takes the player: the panel hears it while it still owns it.
        const int64_t saved = FFP_SetWndID(idOf(dialogScreen));
        QCOMPARE(panel.notices, 1);
        QCOMPARE(panel.stops, 1);
        QCOMPARE(p->GetPlayStatus(), 3);
        QVERIFY(p->OpenFile(clip.toLocal8Bit().constData()));
        p->Play();
        // Notices while the dialog owns the player leave its playback alone.
        p->notifyDestroyObservers(PLAYER_STOPPED);
        QCOMPARE(panel.notices, 2);
        QCOMPARE(panel.stops, 1);
        QCOMPARE(p->GetPlayStatus(), 1);
        p->CloseFile();
        QCOMPARE(panel.notices, 3);
        QCOMPARE(panel.stops, 1);
        FFP_SetWndID(saved); // nothing plays: no notice
        QCOMPARE(panel.notices, 3);
        QCOMPARE(CffmpegPlayer::getWndID(), idOf(panelScreen));
    }

    void destroyedObserverIsForgotten()
    {
        {
            PanelLikeObserver gone(panelScreen);
            FFP_AddDestroyObserver(&gone);
        }
        panelStart(clip);
        p->notifyDestroyObservers(PLAYER_STOPPED); // must not touch the destroyed observer
        p->Stop();
        QCOMPARE(p->GetPlayStatus(), 3);
    }

    void previewFilterShowsInTheNextPicture()
    {
        panelStart(clip);
        QTRY_VERIFY_WITH_TIMEOUT(p->GetShownFrames() > 2, 5000);
        p->Pause();
        p->Seek(2000);
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(p->GetShownFramePosition() - 2000) < 1, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(panelScreen->refreshFrame(), 2000);
        QTest::qWait(50);
        const QImage plain = panelScreen->grab().toImage();
        const QPoint at(160, 90);
        const QRgb before = plain.pixel(at);
        p->editFilters([](FilterSettings &f) { f.negate = true; });
        // Paused: the picture on screen is redrawn with the filter.
        QTRY_VERIFY_WITH_TIMEOUT(
            std::abs(qRed(panelScreen->grab().toImage().pixel(at)) - (255 - qRed(before))) < 24, 2000);
        const QRgb negated = panelScreen->grab().toImage().pixel(at);
        QVERIFY(std::abs(qGreen(negated) - (255 - qGreen(before))) < 24);
        QVERIFY(std::abs(qBlue(negated) - (255 - qBlue(before))) < 24);
        p->editFilters([](FilterSettings &f) { f.negate = false; });
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(qRed(panelScreen->grab().toImage().pixel(at)) - qRed(before)) < 8,
                                 2000);

        // Mirroring: the picture inside its rect comes out flipped left to right.
        int x, y, w, h;
        p->GetShowRect(x, y, w, h);
        const QImage unflipped = panelScreen->grab().toImage().copy(x, y, w, h);
        p->editFilters([](FilterSettings &f) { f.hFlip = true; });
        QTRY_VERIFY_WITH_TIMEOUT(panelScreen->grab().toImage().copy(x, y, w, h) != unflipped, 2000);
        QTest::qWait(50);
        const QImage flipped = panelScreen->grab().toImage().copy(x, y, w, h);
        int close = 0;
        for (int i = 0; i < 200; ++i) {
            const QPoint pt(5 + (i * 37) % (w - 10), 5 + (i * 53) % (h - 10));
            const QRgb a = flipped.pixel(pt), b = unflipped.pixel(w - 1 - pt.x(), pt.y());
            close += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) < 40;
        }
        QVERIFY2(close > 180, qPrintable(QString::number(close)));
        p->editFilters([](FilterSettings &f) { f.hFlip = false; });
    }

    void cropChangesThePictureRect()
    {
        panelStart(clip);
        QTRY_VERIFY_WITH_TIMEOUT(p->GetShownFrames() > 2, 5000);
        p->editFilters([](FilterSettings &f) { // the top half: 8:3 in 320x180
            f.crop = true;
            f.cropWidth = 320;
            f.cropHeight = 120;
        });
        int x, y, w, h;
        QTRY_VERIFY_WITH_TIMEOUT((p->GetShowRect(x, y, w, h), QRect(x, y, w, h) == QRect(0, 30, 320, 120)),
                                 2000);
        p->editFilters([](FilterSettings &f) { f.crop = false; });
        QTRY_VERIFY_WITH_TIMEOUT((p->GetShowRect(x, y, w, h), QRect(x, y, w, h) == QRect(40, 0, 240, 180)),
                                 2000);
    }
};

QTEST_MAIN(TestPlayerScreen)
#include "tst_playerscreen.moc"
