#include "common/testmedia.h"
#include "core/config/videouserconfig.h"
#include "core/media/videoinfomanager.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/player/videoplayerscreen.h"
#include "gui/player/videoplayerwidget.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

CffmpegPlayer *player()
{
    return FFP_GetPlayer();
}

int status()
{
    return player()->GetPlayStatus();
}

double position()
{
    return player()->GetCurrentPosition();
}

// Mean colour of a picture, to tell which frame a snapshot holds.
QColor meanColour(const QImage &image)
{
    qint64 r = 0, g = 0, b = 0;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = rgb.pixel(x, y);
            r += qRed(p);
            g += qGreen(p);
            b += qBlue(p);
        }
    const qint64 n = qMax<qint64>(1, qint64(rgb.width()) * rgb.height());
    return QColor(int(r / n), int(g / n), int(b / n));
}

} // namespace

class TestVideoPlayerWidget : public QObject {
    Q_OBJECT
    QString m_clip;  // 4 s test picture with sound
    QString m_long;  // 200 s, small, for the jumps
    QString m_movie; // movie.avi: red for 2 s, then blue
    QString m_snapDir;
    std::unique_ptr<VideoPlayerWidget> m_panel;
    int m_row = -1;      // what the media list reports as its current row
    QStringList m_boxes; // texts of the message boxes that were closed
    QTimer m_boxCloser;

    VideoInfoManager *registry() { return VideoInfoManager::instance(); }
    QPushButton *button(const char *name) { return m_panel->findChild<QPushButton *>(name); }
    QSlider *slider(const char *name) { return m_panel->findChild<QSlider *>(name); }
    QAction *action(const char *name) { return m_panel->findChild<QAction *>(name); }
    QString timeText() { return m_panel->findChild<QLabel *>("lbTime")->text(); }

    void newPanel()
    {
        m_panel = std::make_unique<VideoPlayerWidget>(player());
        m_panel->setCurrentRowSource([this] { return m_row; });
        m_panel->resize(400, 340);
        m_panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    }
    // Makes row current in the list and starts it with the Start button.
    void playRow(int row)
    {
        m_row = row;
        m_panel->onVideoListCurrentItemChanged(row);
        QVERIFY(button("btnStart")->isEnabled());
        button("btnStart")->click();
        QTRY_COMPARE_WITH_TIMEOUT(status(), int(PLAY_STATUS_PLAYING), 3000);
    }

private slots:
    void initTestCase()
    {
        const QString dir = TestMedia::tempDir();
        m_clip = dir + "/clip.mp4";
        m_long = dir + "/long.mp4";
        m_movie = dir + "/movie.avi";
        QVERIFY(TestMedia::makeClip(m_clip, 4));
        QVERIFY(TestMedia::makeClip(m_long, 200, 160, 120, "5", 8000, 1));
        QVERIFY(TestMedia::ffmpeg({"-f", "lavfi", "-i", "color=c=red:s=320x240:r=25:d=4", "-f", "lavfi", "-i",
                                   "sine=frequency=440:duration=4", "-vf",
                                   "drawbox=x=0:y=0:w=iw:h=ih:color=blue:t=fill:enable='gte(t,2)'",
                                   "-pix_fmt", "yuv420p", "-c:v", "mpeg4", "-q:v", "2", "-t", "4", m_movie}));
        m_snapDir = dir + "/snapshots";
        QVERIFY(QDir().mkpath(m_snapDir));
        // A message box must never hang the suite: note and close it.
        connect(&m_boxCloser, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                m_boxes << box->windowTitle() + ": " + box->text();
                box->accept();
            }
        });
        m_boxCloser.start(50);
    }

    void init()
    {
        registry()->clear();
        m_row = -1;
        m_boxes.clear();
        newPanel();
    }

    void cleanup()
    {
        QVERIFY2(m_boxes.isEmpty(), qPrintable(m_boxes.join('\n')));
        m_panel.reset();
        registry()->clear();
    }

    void layoutAndInitialState()
    {
        QCOMPARE(m_panel->objectName(), QStringLiteral("videoPlayerWidget"));
        QCOMPARE(m_panel->minimumSize(), QSize(380, 320));
        QVERIFY(m_panel->playerScreen());
        QVERIFY(m_panel->findChild<QWidget *>("videoWidget"));
        QCOMPARE(m_panel->findChild<QWidget *>("bottomWidge")->height(), 30);
        QCOMPARE(timeText(), QStringLiteral("00:00:00/00:00:00"));
        QCOMPARE(button("btnStart")->size(), QSize(29, 29));
        QCOMPARE(button("btnSnapshot")->size(), QSize(19, 24));
        QCOMPARE(button("btnSound")->size(), QSize(18, 18));
        for (const char *name :
             {"btnStart", "btnStop", "btnBack", "btnForward", "btnSnapshot", "btnMore", "btnSound"})
            QCOMPARE(button(name)->focusPolicy(), Qt::NoFocus);
        QVERIFY(button("btnStart")->isCheckable() && button("btnSound")->isCheckable());
        QVERIFY(!button("btnStart")->isEnabled());
        QVERIFY(!button("btnStop")->isEnabled());
        QVERIFY(!button("btnSnapshot")->isEnabled());
        QVERIFY(!action("actionSnapshot")->isEnabled());
        QCOMPARE(slider("sliderVolumn")->maximum(), 128);
        QCOMPARE(slider("sliderVolumn")->value(), 128);
        QCOMPARE(m_panel->currentIndex(), -1);
    }

    void soundAndMoreButtons()
    {
        QPushButton *sound = button("btnSound");
        sound->click(); // muted: the volume cannot be changed
        QVERIFY(sound->isChecked() && !slider("sliderVolumn")->isEnabled());
        sound->click();
        QVERIFY(!sound->isChecked() && slider("sliderVolumn")->isEnabled());

        QPushButton *more = button("btnMore");
        more->click();
        QTRY_VERIFY(m_panel->moreMenu()->isVisible());
        const QPoint expected = more->mapToGlobal(QPoint(0, more->height() + 10));
        QCOMPARE(m_panel->moreMenu()->pos(), expected);
        m_panel->moreMenu()->hide();
    }

    void startFollowsTheListsCurrentRow()
    {
        QVERIFY(!button("btnStart")->isEnabled());
        m_row = 0;
        m_panel->onVideoListCurrentItemChanged(0);
        QVERIFY(button("btnStart")->isEnabled());
        m_row = -1;
        m_panel->onVideoListCurrentItemChanged(-1);
        QVERIFY(!button("btnStart")->isEnabled());
        // Start on an empty list plays nothing and does not show "pause".
        m_panel->onBtnStartClick();
        QVERIFY(!button("btnStart")->isChecked());
        QVERIFY(status() != PLAY_STATUS_PLAYING);
    }

    void statusTableWithoutEngine_data()
    {
        QTest::addColumn<int>("listRow");
        QTest::newRow("list has a current row") << 0;
        QTest::newRow("list has none") << -1;
    }
    void statusTableWithoutEngine()
    {
        QFETCH(int, listRow);
        m_row = listRow;
        m_panel->onPlayStatusChanged(2);
        QVERIFY(!button("btnStart")->isChecked());
        QVERIFY(button("btnStop")->isEnabled());
        QVERIFY(button("btnBack")->isEnabled() && button("btnForward")->isEnabled());
        QVERIFY(!button("btnSnapshot")->isEnabled() && !action("actionSnapshot")->isEnabled());
        m_panel->onPlayStatusChanged(3);
        QCOMPARE(button("btnStart")->isEnabled(), listRow >= 0);
        QVERIFY(!button("btnStop")->isEnabled() && !button("btnBack")->isEnabled());
        QCOMPARE(timeText(), QStringLiteral("00:00:00"));
        QCOMPARE(m_panel->currentIndex(), -1);
        m_panel->onPlayStatusChanged(0);
        QVERIFY(!button("btnStart")->isEnabled() && !button("btnStop")->isEnabled());
    }

    void snapshotNaming()
    {
        const QString dir = TestMedia::tempDir() + "/naming";
        QVERIFY(QDir().mkpath(dir));
        QCOMPARE(VideoPlayerWidget::snapshotPath(dir, "/v/movie.avi", "jpg"), dir + "/movie_0.jpg");
        for (const char *name : {"/movie_0.jpg", "/movie_1.jpg"}) {
            QFile f(dir + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QCOMPARE(VideoPlayerWidget::snapshotPath(dir, "/v/movie.avi", "jpg"), dir + "/movie_2.jpg");
        // A backslash in the file name stays part of the name.
        QCOMPARE(VideoPlayerWidget::snapshotPath(dir, "/v/C:\\movie.avi", "jpg"), dir + "/C:\\movie_0.jpg");
        QCOMPARE(VideoPlayerWidget::snapshotPath(dir + "/", "/v/movie.avi", "bmp"), dir + "/movie_0.bmp");
        QCOMPARE(VideoPlayerWidget::snapshotPath(dir, "/v/a.b.mkv", "jpg"), dir + "/a.b_0.jpg");
        QCOMPARE(VideoPlayerWidget::snapshotPath(dir, "/v/noext", "jpg"), dir + "/noext_0.jpg");
    }

    void formatMenuIsExclusiveAndStored()
    {
        VideoUserConfig *config = VideoUserConfig::instance();
        config->setSnapshotFormat("bmp");
        newPanel();
        QVERIFY(action("actionBmp")->isChecked() && !action("actionJpeg")->isChecked());
        action("actionJpeg")->trigger();
        QCOMPARE(config->snapshotFormat(), QStringLiteral("jpg"));
        QVERIFY(!action("actionBmp")->isChecked());
        action("actionBmp")->trigger();
        QCOMPARE(config->snapshotFormat(), QStringLiteral("bmp"));
        config->setSnapshotFormat("jpg");
        QStringList texts;
        for (QAction *a : m_panel->moreMenu()->actions())
            texts << a->text();
        QCOMPARE(texts, QStringList({"Snapshot", "Open Snapshot Folder", "Change Snapshot Folder",
                                     "Snapshot Format"}));
    }

    void destroyNoticeOnlyForItsOwnWindow()
    {
        QSignalSpy spy(m_panel.get(), &VideoPlayerWidget::playStatusChanged);
        CffmpegPlayer::setWndID(m_panel->playerScreen()->winId() + 1000);
        m_panel->OnPlayerDestroy(0);
        QCOMPARE(spy.count(), 0);
        CffmpegPlayer::setWndID(qint64(m_panel->playerScreen()->winId()));
        m_panel->OnPlayerDestroy(0);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 3);
        // The engine's own notice reaches the live panel, never a destroyed one.
        newPanel();
        CffmpegPlayer::setWndID(qint64(m_panel->playerScreen()->winId()));
        QSignalSpy spy2(m_panel.get(), &VideoPlayerWidget::playStatusChanged);
        player()->notifyDestroyObservers(0);
        QTRY_COMPARE(spy2.count(), 1);
    }

    void menuAndToolBarCommands()
    {
        QAction play, pause, stop;
        QPushButton toolStop;
        m_panel->connectPlayCommands(&play, &pause, nullptr);
        m_panel->connectPlayCommands(nullptr, nullptr, &toolStop);
        QSignalSpy spy(m_panel.get(), &VideoPlayerWidget::playStatusChanged);
        toolStop.click();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.last().at(0).toInt(), 3);
        pause.trigger();
        QCOMPARE(spy.last().at(0).toInt(), 2);
    }

    // ---- with the real engine ----

    void playPauseStopAndTimeLabel()
    {
        registry()->addFile(m_clip);
        QCOMPARE(registry()->count(), 1);
        QSignalSpy spy(m_panel.get(), &VideoPlayerWidget::playStatusChanged);
        playRow(0);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(spy.first().at(0).toInt(), 1);
        QVERIFY(button("btnStart")->isChecked());
        QVERIFY(button("btnStop")->isEnabled() && button("btnSnapshot")->isEnabled());
        QVERIFY(button("btnBack")->isEnabled() && button("btnForward")->isEnabled());
        QVERIFY(action("actionSnapshot")->isEnabled());
        QCOMPARE(m_panel->currentIndex(), 0);
        QCOMPARE(timeText(), QStringLiteral("00:00:04"));
        // A tick shows position/length; after a second the position has moved.
        QTRY_VERIFY_WITH_TIMEOUT(timeText().startsWith("00:00:01/"), 3000);
        QCOMPARE(timeText(), QStringLiteral("00:00:01/00:00:04"));
        QVERIFY(slider("sliderPlayProgress")->value() >= 1000);
        QCOMPARE(slider("sliderPlayProgress")->maximum(), 4000);

        button("btnStart")->click(); // pause
        QCOMPARE(status(), int(PLAY_STATUS_PAUSED));
        QCOMPARE(spy.last().at(0).toInt(), 2);
        QVERIFY(!button("btnStart")->isChecked() && button("btnStop")->isEnabled());
        QVERIFY(!button("btnSnapshot")->isEnabled() && button("btnBack")->isEnabled());
        QVERIFY(m_panel->takeSnapshot().isEmpty()); // only while playing

        button("btnStart")->click(); // resume
        QCOMPARE(status(), int(PLAY_STATUS_PLAYING));
        QVERIFY(button("btnStart")->isChecked());

        button("btnStop")->click();
        QCOMPARE(status(), int(PLAY_STATUS_STOPPED));
        QCOMPARE(spy.last().at(0).toInt(), 3);
        QCOMPARE(timeText(), QStringLiteral("00:00:00"));
        QCOMPARE(slider("sliderPlayProgress")->value(), 0);
        QVERIFY(!button("btnStop")->isEnabled() && button("btnStart")->isEnabled());
        QCOMPARE(m_panel->currentIndex(), -1);
        QCOMPARE(CffmpegPlayer::getWndID(), qint64(m_panel->playerScreen()->winId()));
    }

    void backAndForwardJumps()
    {
        registry()->addFile(m_long);
        playRow(0);
        if (QTest::currentTestFailed())
            return;
        m_panel->onSliderPlayProgressMoved(100000);
        QTRY_VERIFY_WITH_TIMEOUT(position() >= 100000 && position() < 103000, 3000);
        button("btnBack")->click(); // 150 s back, held at 0
        QTRY_VERIFY_WITH_TIMEOUT(position() < 3000, 3000);
        m_panel->onSliderPlayProgressMoved(0);
        QTRY_VERIFY_WITH_TIMEOUT(position() < 1000, 3000);
        button("btnForward")->click();
        QTRY_VERIFY_WITH_TIMEOUT(position() >= 100000 && position() < 103000, 3000);

        // A click on the bar seeks there, backwards too; a plain slider
        // would only have stepped a page towards the click.
        QSlider *bar = slider("sliderPlayProgress");
        const QPoint threeQuarters(bar->width() * 3 / 4, bar->height() / 2);
        QTest::mouseClick(bar, Qt::LeftButton, {}, threeQuarters);
        QTRY_VERIFY_WITH_TIMEOUT(position() >= 140000 && position() < 160000, 3000);
        const QPoint quarter(bar->width() / 4, bar->height() / 2);
        QTest::mouseClick(bar, Qt::LeftButton, {}, quarter);
        QTRY_VERIFY_WITH_TIMEOUT(position() >= 40000 && position() < 60000, 3000);

        // Not while paused.
        button("btnStart")->click();
        QCOMPARE(status(), int(PLAY_STATUS_PAUSED));
        const double paused = position();
        m_panel->onBtnBackClick();
        QTest::qWait(300);
        QVERIFY(qAbs(position() - paused) < 1000);
    }

    void removingRows()
    {
        registry()->addFiles({m_clip, m_clip, m_clip, m_clip});
        QCOMPARE(registry()->count(), 4);
        QSignalSpy spy(m_panel.get(), &VideoPlayerWidget::playStatusChanged);
        playRow(2);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(m_panel->currentIndex(), 2);
        registry()->removeVideo(3); // another row
        QCOMPARE(status(), int(PLAY_STATUS_PLAYING));
        registry()->removeVideo(0); // a row before: the playing one moves up
        QCOMPARE(status(), int(PLAY_STATUS_PLAYING));
        QCOMPARE(m_panel->currentIndex(), 1);
        QVERIFY(spy.last().at(0).toInt() == 1);
        registry()->removeVideo(1); // the playing row
        QCOMPARE(status(), int(PLAY_STATUS_STOPPED));
        QCOMPARE(spy.last().at(0).toInt(), 3);

        // Removing the playing row while paused stops playback as well.
        playRow(0);
        if (QTest::currentTestFailed())
            return;
        button("btnStart")->click();
        QCOMPARE(status(), int(PLAY_STATUS_PAUSED));
        registry()->removeVideo(0);
        QCOMPARE(status(), int(PLAY_STATUS_STOPPED));
        QCOMPARE(spy.last().at(0).toInt(), 3);
    }

    void anotherOwnerTakingTheWindowStopsThePanel()
    {
        registry()->addFile(m_clip);
        QSignalSpy spy(m_panel.get(), &VideoPlayerWidget::playStatusChanged);
        playRow(0);
        if (QTest::currentTestFailed())
            return;
        // A dialog takes the player for its own screen, then gives it up.
        CffmpegPlayer::setWndID(qint64(m_panel->playerScreen()->winId()) + 1000);
        QCOMPARE(spy.last().at(0).toInt(), 3);
        QVERIFY(!button("btnStop")->isEnabled() && button("btnStart")->isEnabled());
        CffmpegPlayer::setWndID(0);
        button("btnStart")->click();
        QCOMPARE(status(), int(PLAY_STATUS_PLAYING));
        QCOMPARE(CffmpegPlayer::getWndID(), qint64(m_panel->playerScreen()->winId()));

        // Adding a file probes it with a probe of its own, not with the
        // player: the preview plays on, in its window.
        const int changes = spy.count();
        registry()->addFile(m_movie);
        QCOMPARE(registry()->count(), 2);
        QCOMPARE(status(), int(PLAY_STATUS_PLAYING));
        QCOMPARE(spy.count(), changes);
        QCOMPARE(m_panel->currentIndex(), 0);
        QCOMPARE(CffmpegPlayer::getWndID(), qint64(m_panel->playerScreen()->winId()));
    }

    void stoppedSoonAfterTheSectionEnds()
    {
        QSignalSpy spy(m_panel.get(), &VideoPlayerWidget::playStatusChanged);
        m_panel->startPlay(VideoBasicInfo(m_clip, 1000, 2000));
        QCOMPARE(status(), int(PLAY_STATUS_PLAYING));
        QCOMPARE(timeText(), QStringLiteral("00:00:01"));
        QElapsedTimer clock;
        clock.start();
        while (status() == PLAY_STATUS_PLAYING && clock.elapsed() < 5000)
            QTest::qWait(5);
        QVERIFY2(status() != PLAY_STATUS_PLAYING, "the engine did not end the section");
        clock.restart();
        QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 2, 2000);
        qInfo("stop shown %lld ms after the engine ended the section", qint64(clock.elapsed()));
        // The play timer ticks every 500 ms; allow for a busy machine.
        QVERIFY2(clock.elapsed() <= 750, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(spy.last().at(0).toInt(), 3);
        QVERIFY(!button("btnStop")->isEnabled());
    }

    void snapshotsAreNumberedAndShowTheCurrentFrame()
    {
        VideoUserConfig *config = VideoUserConfig::instance();
        QVERIFY(config->setSnapshotDirectory(m_snapDir));
        config->setSnapshotFormat("jpg");
        for (const char *name : {"/movie_0.jpg", "/movie_1.jpg"}) {
            QFile f(m_snapDir + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        registry()->addFile(m_movie);
        playRow(0);
        if (QTest::currentTestFailed())
            return;
        QTRY_VERIFY_WITH_TIMEOUT(position() >= 300, 3000);
        QVERIFY(position() < 1500);
        button("btnSnapshot")->click();
        QVERIFY(QFileInfo::exists(m_snapDir + "/movie_2.jpg"));
        QImage red(m_snapDir + "/movie_2.jpg");
        QCOMPARE(red.size(), QSize(320, 240));
        QColor c = meanColour(red);
        QVERIFY2(c.red() > 180 && c.blue() < 80, qPrintable(c.name()));

        QTRY_VERIFY_WITH_TIMEOUT(position() >= 2400, 4000);
        QCOMPARE(m_panel->takeSnapshot(), m_snapDir + "/movie_3.jpg");
        c = meanColour(QImage(m_snapDir + "/movie_3.jpg"));
        QVERIFY2(c.blue() > 180 && c.red() < 80, qPrintable(c.name()));

        config->setSnapshotFormat("bmp");
        const QString bmp = m_panel->takeSnapshot();
        QCOMPARE(bmp, m_snapDir + "/movie_0.bmp");
        QFile file(bmp);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(2), QByteArray("BM"));
        config->setSnapshotFormat("jpg");
    }

    void invalidFileIsReportedAndNothingStarts()
    {
        const QString bad = TestMedia::tempDir() + "/bad.mp4";
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a video");
        f.close();
        QSignalSpy spy(m_panel.get(), &VideoPlayerWidget::playStatusChanged);
        m_panel->startPlay(VideoBasicInfo(bad));
        QCOMPARE(m_boxes, QStringList("warnning: selected video file is not a valid video file."));
        m_boxes.clear();
        QCOMPARE(spy.count(), 0);
        QVERIFY(status() != PLAY_STATUS_PLAYING);
    }

    // Not a check: shows the panel playing for a screenshot (scripts/screenshot_player).
    // REELMAX_SHOWCASE_READY names a file created once a picture is on screen.
    void showcase()
    {
        const int seconds = qEnvironmentVariableIntValue("REELMAX_SHOWCASE_SECONDS");
        if (seconds <= 0)
            QSKIP("set REELMAX_SHOWCASE_SECONDS to show the panel playing");
        registry()->addFile(m_clip);
        m_panel->move(0, 0);
        m_panel->resize(640, 480);
        playRow(0);
        if (QTest::currentTestFailed())
            return;
        QTRY_VERIFY_WITH_TIMEOUT(position() >= 1500, 5000);
        QFile ready(qEnvironmentVariable("REELMAX_SHOWCASE_READY"));
        if (!ready.fileName().isEmpty())
            QVERIFY(ready.open(QIODevice::WriteOnly));
        QTest::qWait(seconds * 1000);
    }
};

QTEST_MAIN(TestVideoPlayerWidget)
#include "tst_videoplayerwidget.moc"
