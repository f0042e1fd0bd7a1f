// The trim dialog and its section strip, playing generated clips through the
// engine's shared player.

#include "common/testmedia.h"
#include "core/media/videoinfomanager.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/player/videoplayerscreen.h"
#include "gui/player/videoplayerwidget.h"
#include "gui/trim/videotrimdialog.h"
#include "gui/trim/videotrimdialogsectionchooser.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
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

void sendMouse(QWidget *target, QEvent::Type type, const QPoint &global, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(target->mapFromGlobal(global)), QPointF(global), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Drags a cursor of the strip so that its x becomes x (in the strip), with
// the press in the middle of the cursor, in a few steps as a hand would.
void dragCursor(VideoTrimDialogSectionChooser *chooser, QPushButton *cursor, int x)
{
    const QPoint grip(cursor->width() / 2, cursor->height() / 2);
    const QPoint start = cursor->mapToGlobal(grip);
    sendMouse(cursor, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    const QPoint end = chooser->mapToGlobal(QPoint(x, cursor->y()) + grip);
    for (int i = 1; i <= 4; ++i) {
        const QPoint p(start.x() + (end.x() - start.x()) * i / 4, end.y());
        sendMouse(cursor, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
    }
    sendMouse(cursor, QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton);
}

// The strip x that puts a mark on slider value v.
int markFor(VideoTrimDialogSectionChooser *chooser, int value)
{
    const QSlider *slider = chooser->slider();
    return slider->x() + (value * slider->width() + 500) / 1000;
}

void dragStartTo(VideoTrimDialogSectionChooser *chooser, int value)
{
    dragCursor(chooser, chooser->leftCursor(), markFor(chooser, value) - chooser->leftCursor()->width());
}

void dragEndTo(VideoTrimDialogSectionChooser *chooser, int value)
{
    dragCursor(chooser, chooser->rightCursor(), markFor(chooser, value));
}

int mark(VideoTrimDialogSectionChooser *c, bool left)
{
    return left ? c->leftCursor()->x() + c->leftCursor()->width() : c->rightCursor()->x();
}

QColor meanColour(const QImage &image)
{
    const QImage small = image.scaled(8, 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    qint64 r = 0, g = 0, b = 0;
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x) {
            const QRgb p = small.pixel(x, y);
            r += qRed(p);
            g += qGreen(p);
            b += qBlue(p);
        }
    return QColor(int(r / 64), int(g / 64), int(b / 64));
}

} // namespace

// Opens the dialog and leaves the test when that failed.
#define OPEN(...)                                                                                            \
    do {                                                                                                     \
        open(__VA_ARGS__);                                                                                   \
        if (QTest::currentTestFailed())                                                                      \
            return;                                                                                          \
    } while (false)

class TestTrimDialog : public QObject {
    Q_OBJECT
    QString m_clip; // 10 s test picture with sound
    QString m_95;   // 95 s, small
    QString m_long; // 130 s: red until 40 s, then blue
    QString m_bad;  // not media at all
    std::unique_ptr<VideoTrimDialog> m_dialog;
    QStringList m_messages;

    template <typename T> T *child(const char *name) const
    {
        T *c = m_dialog->findChild<T *>(QLatin1String(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }
    QPushButton *button(const char *name) const { return child<QPushButton>(name); }
    QString text(const char *name) const
    {
        if (auto *edit = m_dialog->findChild<QLineEdit *>(QLatin1String(name)))
            return edit->text();
        return child<QLabel>(name)->text();
    }

    // Opens the dialog on a section of a file and waits until it plays.
    void open(const QString &file, int msStart, int msEnd, bool expectPlaying = true)
    {
        m_dialog = std::make_unique<VideoTrimDialog>(player());
        m_dialog->setMessageSink([this](const QString &t, const QString &s) { m_messages << t + "|" + s; });
        m_dialog->setSource(VideoBasicInfo(file, msStart, msEnd));
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        if (expectPlaying)
            QTRY_COMPARE_WITH_TIMEOUT(status(), int(PLAY_STATUS_PLAYING), 5000);
    }
    void pause()
    {
        button("btnStart")->click();
        QTRY_COMPARE(status(), int(PLAY_STATUS_PAUSED));
        QVERIFY(!button("btnStart")->isChecked());
    }
    // Waits for a seek to be shown, then returns the position.
    double settledPosition(double near)
    {
        QTest::qWait(300);
        const double p = player()->GetCurrentPosition();
        if (qAbs(p - near) > 200)
            qWarning("position %.1f, expected about %.1f", p, near);
        return p;
    }

private slots:
    void initTestCase()
    {
        const QString dir = TestMedia::tempDir();
        m_clip = dir + "/clip.mp4";
        m_95 = dir + "/ninety-five.mp4";
        m_long = dir + "/long.avi";
        m_bad = dir + "/bad.mp4";
        QVERIFY(TestMedia::makeClip(m_clip, 10));
        QVERIFY(TestMedia::makeClip(m_95, 95, 160, 120, "5", 8000, 1));
        QVERIFY(TestMedia::ffmpeg({"-f", "lavfi", "-i", "color=c=red:s=160x120:r=5:d=130", "-vf",
                                   "drawbox=x=0:y=0:w=iw:h=ih:color=blue:t=fill:enable='gte(t,40)'",
                                   "-pix_fmt", "yuv420p", "-c:v", "mpeg4", "-q:v", "4", m_long}));
        QFile bad(m_bad);
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("this is not a video file at all");
    }

    void cleanup()
    {
        if (m_dialog && m_dialog->isVisible())
            m_dialog->reject();
        m_dialog.reset();
        m_messages.clear();
        VideoInfoManager::instance()->clear();
    }

    void stripGeometry()
    {
        VideoTrimDialogSectionChooser chooser;
        chooser.resize(400, 50);
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QCOMPARE(chooser.height(), 50);
        QSlider *slider = chooser.slider();
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), 1000);
        QVERIFY(slider->hasTracking());
        QCOMPARE(slider->tickPosition(), QSlider::NoTicks);
        QCOMPARE(chooser.leftCursor()->size(), QSize(20, 20));
        QCOMPARE(chooser.rightCursor()->size(), QSize(20, 20));
        // From the left cursor's width to width - right cursor's width - 1, y 0 to 18.
        QCOMPARE(slider->geometry(), QRect(QPoint(20, 0), QPoint(379, 18)));
        QCOMPARE(chooser.leftCursor()->y(), 15);
        QCOMPARE(chooser.rightCursor()->y(), 15);
        // Reset: the marks at the slider's two ends.
        QCOMPARE(mark(&chooser, true), 20);
        QCOMPARE(mark(&chooser, false), 380);
        QCOMPARE(chooser.startValue(), 0);
        QCOMPARE(chooser.endValue(), 1000);

        // A press on the slider tells the value under it.
        QSignalSpy moved(&chooser, &VideoTrimDialogSectionChooser::sliderMoved);
        QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, QPoint(slider->width() / 2, 9));
        QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, QPoint(slider->width() / 2, 9));
        QVERIFY(!moved.isEmpty());
        QCOMPARE(moved.first().at(0).toInt(), 500);
    }

    void cursorsCannotCross()
    {
        VideoTrimDialogSectionChooser chooser;
        chooser.resize(400, 50);
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QSignalSpy started(&chooser, &VideoTrimDialogSectionChooser::chooseStarted);
        QSignalSpy ended(&chooser, &VideoTrimDialogSectionChooser::chooseEnd);
        QSignalSpy starts(&chooser, &VideoTrimDialogSectionChooser::startValChanged);
        QSignalSpy ends(&chooser, &VideoTrimDialogSectionChooser::endValChanged);

        dragEndTo(&chooser, 600);
        QCOMPARE(chooser.endValue(), 600);
        QCOMPARE(ends.last().at(0).toInt(), 600);
        QCOMPARE(chooser.slider()->value(), 600);
        QCOMPARE(started.count(), 1);
        QCOMPARE(ended.count(), 1);

        // The left cursor dragged far past the right one stops against it.
        dragCursor(&chooser, chooser.leftCursor(), 395);
        QCOMPARE(mark(&chooser, true), mark(&chooser, false));
        QCOMPARE(starts.last().at(0).toInt(), 600);
        QCOMPARE(chooser.startValue(), 600);

        // And back: the right cursor stops against the left one.
        dragStartTo(&chooser, 300);
        QCOMPARE(chooser.startValue(), 300);
        dragCursor(&chooser, chooser.rightCursor(), 0);
        QCOMPARE(mark(&chooser, false), mark(&chooser, true));
        QCOMPARE(ends.last().at(0).toInt(), 300);

        // Neither leaves the slider's span.
        dragCursor(&chooser, chooser.leftCursor(), -200);
        QCOMPARE(chooser.startValue(), 0);
        QCOMPARE(mark(&chooser, true), chooser.slider()->x());
        dragCursor(&chooser, chooser.rightCursor(), 900);
        QCOMPARE(chooser.endValue(), 1000);
        for (const QList<QVariant> &v : starts)
            QVERIFY(v.at(0).toInt() >= 0 && v.at(0).toInt() <= 1000);
        for (const QList<QVariant> &v : ends)
            QVERIFY(v.at(0).toInt() >= 0 && v.at(0).toInt() <= 1000);

        // A move without a press drags nothing.
        const int before = chooser.leftCursor()->x();
        sendMouse(chooser.leftCursor(), QEvent::MouseMove, chooser.mapToGlobal(QPoint(200, 25)), Qt::NoButton,
                  Qt::NoButton);
        QCOMPARE(chooser.leftCursor()->x(), before);
    }

    void showingTakesThePlayerAndShowsTheWholeSource()
    {
        const qint64 before = 4242;
        FFP_SetWndID(before);
        OPEN(m_95, 0, 95000);
        QCOMPARE(CffmpegPlayer::getWndID(), qint64(m_dialog->playerScreen()->winId()));
        QCOMPARE(text("lbTotalTime"), QStringLiteral("00:01:35"));
        QCOMPARE(text("editLeftPos"), QStringLiteral("00:00:00"));
        QCOMPARE(text("editRightPos"), QStringLiteral("00:01:35"));
        QCOMPARE(m_dialog->section().start(), qint64(0));
        QCOMPARE(m_dialog->section().end(), qint64(95000));
        QVERIFY(button("btnStart")->isChecked());
        QVERIFY(button("btnStop")->isEnabled());
        QCOMPARE(m_dialog->chooser()->startValue(), 0);
        QCOMPARE(m_dialog->chooser()->endValue(), 1000);
        // The timer moves the time label and the slider along.
        QTRY_VERIFY_WITH_TIMEOUT(text("lbPlayTime") != QStringLiteral("00:00:00"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(m_dialog->chooser()->slider()->value() > 0, 5000);

        // Finishing closes the file and hands the window back.
        button("btnCancel")->click();
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(CffmpegPlayer::getWndID(), before);
        QVERIFY(player()->GetOpenedFileName().empty());
        QVERIFY(m_dialog->sections().isEmpty());
        FFP_SetWndID(0);
    }

    void sliderSeeksWholeSecondsAndForwardReachesTheEnd()
    {
        OPEN(m_95, 0, 95000);
        pause();
        // Half way on a 95 s file is 47 s, not 47.5 s.
        emit m_dialog->chooser()->sliderMoved(500);
        QCOMPARE(player()->GetCurrentPosition(), 47000.0);
        QVERIFY(qAbs(settledPosition(47000) - 47000) < 250);

        // Forward from 980 jumps to the end (slider value 1000), not beyond.
        m_dialog->chooser()->slider()->setValue(980);
        button("btnForward")->click();
        QCOMPARE(player()->GetCurrentPosition(), 95000.0);

        // Forward from 100 is one twentieth further: 150 -> 14 s.
        m_dialog->chooser()->slider()->setValue(100);
        button("btnForward")->click();
        QCOMPARE(player()->GetCurrentPosition(), 14000.0);
    }

    void setStartAndEndRules()
    {
        OPEN(m_95, 0, 95000);
        pause();
        emit m_dialog->chooser()->sliderMoved(527); // 50 s
        settledPosition(50000);
        button("btnSetLeftPos")->click();
        QVERIFY(qAbs(m_dialog->section().start() - 50000) < 250);
        QCOMPARE(m_dialog->section().end(), qint64(95000));
        QCOMPARE(text("editRightPos"), QStringLiteral("00:01:35"));
        // The left cursor follows the button.
        QVERIFY(qAbs(m_dialog->chooser()->startValue() - 526) <= 3);

        // The end set before the start: the start goes back to 0.
        emit m_dialog->chooser()->sliderMoved(211); // 20 s
        settledPosition(20000);
        button("btnSetRightPos")->click();
        QCOMPARE(m_dialog->section().start(), qint64(0));
        QVERIFY(qAbs(m_dialog->section().end() - 20000) < 250);
        QCOMPARE(text("editLeftPos"), QStringLiteral("00:00:00"));
        QVERIFY(text("editRightPos").startsWith(QStringLiteral("00:00:")));
        QCOMPARE(m_dialog->chooser()->startValue(), 0);

        // The start set after the end: the end becomes the whole duration.
        emit m_dialog->chooser()->sliderMoved(632); // 60 s
        settledPosition(60000);
        button("btnSetLeftPos")->click();
        QVERIFY(qAbs(m_dialog->section().start() - 60000) < 250);
        QCOMPARE(m_dialog->section().end(), qint64(95000));
        QCOMPARE(text("editRightPos"), QStringLiteral("00:01:35"));
        QCOMPARE(m_dialog->chooser()->endValue(), 1000);
    }

    void clipOfATrimmedEntryIsAbsolute()
    {
        // The entry is 60..120 s of the file; the section 10..20 s of the entry.
        OPEN(m_long, 60000, 120000);
        QCOMPARE(text("lbTotalTime"), QStringLiteral("00:01:00"));
        auto *chooser = m_dialog->chooser();
        dragEndTo(chooser, 345);   // 20.7 s -> 20 s
        dragStartTo(chooser, 175); // 10.5 s -> 10 s
        QCOMPARE(m_dialog->section().start(), qint64(10000));
        QCOMPARE(m_dialog->section().end(), qint64(20000));
        QCOMPARE(text("editLeftPos"), QStringLiteral("00:00:10"));
        QCOMPARE(text("editRightPos"), QStringLiteral("00:00:20"));
        // Dragging pauses and the release plays on, from the mark.
        QTRY_COMPARE_WITH_TIMEOUT(status(), int(PLAY_STATUS_PLAYING), 3000);
        QVERIFY(player()->GetCurrentPosition() >= 10000 - 1);

        button("btnClip")->click();
        QCOMPARE(m_dialog->listedClips(), QList<VideoBasicInfo>{VideoBasicInfo(m_long, 70000, 80000)});
        // The thumbnail is the file's picture at 70 s (blue), not at 10 s (red).
        QListWidgetItem *item = m_dialog->clipList()->item(0);
        QVERIFY(item->text().isEmpty());
        const QColor c = meanColour(item->icon().pixmap(60, 48).toImage());
        QVERIFY2(c.blue() > 150 && c.red() < 100, qPrintable(c.name()));

        button("btnOK")->click();
        QCOMPARE(m_dialog->sections(), QList<VideoBasicInfo>{VideoBasicInfo(m_long, 70000, 80000)});
        QCOMPARE(m_dialog->clipList()->count(), 0);
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    }

    void stopAndResetKeepTheMarkedSection()
    {
        OPEN(m_clip, 0, 10000);
        auto *chooser = m_dialog->chooser();
        dragEndTo(chooser, 550);   // 5 s
        dragStartTo(chooser, 250); // 2 s
        QCOMPARE(m_dialog->section().start(), qint64(2000));
        QCOMPARE(m_dialog->section().end(), qint64(5000));

        button("btnStop")->click();
        QCOMPARE(status(), int(PLAY_STATUS_STOPPED));
        QVERIFY(!button("btnStart")->isChecked());
        QCOMPARE(text("editLeftPos"), QStringLiteral("00:00:00"));
        QCOMPARE(text("editRightPos"), QStringLiteral("00:00:10"));
        QCOMPARE(text("lbPlayTime"), QStringLiteral("00:00:00"));
        QCOMPARE(text("lbTotalTime"), QStringLiteral("00:00:10"));
        QCOMPARE(chooser->startValue(), 0);
        QCOMPARE(chooser->endValue(), 1000);
        // Clip still takes the section marked last.
        button("btnClip")->click();
        QCOMPARE(m_dialog->listedClips(), QList<VideoBasicInfo>{VideoBasicInfo(m_clip, 2000, 5000)});

        // Play Section while stopped plays again, from the section's start.
        button("btnPlaySection")->click();
        QTRY_COMPARE_WITH_TIMEOUT(status(), int(PLAY_STATUS_PLAYING), 5000);
        QVERIFY(button("btnStart")->isChecked());
        QVERIFY(player()->GetCurrentPosition() >= 2000 - 1);

        // Reset empties the clip list and shows the whole file; the section stays.
        button("btnReset")->click();
        QCOMPARE(m_dialog->clipList()->count(), 0);
        QCOMPARE(text("editLeftPos"), QStringLiteral("00:00:00"));
        QCOMPARE(text("editRightPos"), QStringLiteral("00:00:10"));
        button("btnClip")->click();
        button("btnClip")->click();
        QCOMPARE(m_dialog->listedClips(), QList<VideoBasicInfo>({VideoBasicInfo(m_clip, 2000, 5000),
                                                                 VideoBasicInfo(m_clip, 2000, 5000)}));
        button("btnClearAll")->click();
        QCOMPARE(m_dialog->clipList()->count(), 0);
        QVERIFY(m_messages.isEmpty());
    }

    void cursorDragsWorkWhileStopped()
    {
        OPEN(m_clip, 0, 10000);
        button("btnStop")->click();
        QCOMPARE(status(), int(PLAY_STATUS_STOPPED));
        dragEndTo(m_dialog->chooser(), 750);   // 7 s
        dragStartTo(m_dialog->chooser(), 350); // 3 s
        QCOMPARE(m_dialog->section().start(), qint64(3000));
        QCOMPARE(m_dialog->section().end(), qint64(7000));
    }

    void emptyClipIsRefused()
    {
        OPEN(m_clip, 0, 10000);
        auto *chooser = m_dialog->chooser();
        dragStartTo(chooser, 400);
        dragCursor(chooser, chooser->rightCursor(), 0); // onto the left one
        QCOMPARE(m_dialog->section().start(), m_dialog->section().end());
        button("btnClip")->click();
        QCOMPARE(m_dialog->clipList()->count(), 0);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages.first().startsWith(QStringLiteral("Warning|")));
    }

    void okTakesTheClipsInOrderAndCancelNone()
    {
        OPEN(m_clip, 0, 10000);
        auto *chooser = m_dialog->chooser();
        dragEndTo(chooser, 350);
        dragStartTo(chooser, 150);
        button("btnClip")->click();
        dragEndTo(chooser, 950);
        dragStartTo(chooser, 650);
        button("btnClip")->click();
        const QList<VideoBasicInfo> expected = {VideoBasicInfo(m_clip, 1000, 3000),
                                                VideoBasicInfo(m_clip, 6000, 9000)};
        QCOMPARE(m_dialog->listedClips(), expected);
        button("btnOK")->click();
        QCOMPARE(m_dialog->sections(), expected);
        QVERIFY(player()->GetOpenedFileName().empty());

        // Cancel hands out nothing, whatever was clipped.
        OPEN(m_clip, 0, 10000);
        button("btnClip")->click();
        QCOMPARE(m_dialog->clipList()->count(), 1);
        button("btnCancel")->click();
        QVERIFY(m_dialog->sections().isEmpty());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));

        // OK with an empty list hands out nothing either.
        OPEN(m_clip, 0, 10000);
        button("btnOK")->click();
        QVERIFY(m_dialog->sections().isEmpty());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    }

    void thePanelGetsItsWindowBack()
    {
        VideoInfoManager::instance()->addFile(m_clip);
        QCOMPARE(VideoInfoManager::instance()->count(), 1);
        VideoPlayerWidget panel(player());
        panel.setCurrentRowSource([] { return 0; });
        panel.resize(400, 340);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QSignalSpy panelStatus(&panel, &VideoPlayerWidget::playStatusChanged);
        panel.onPlayRow(0);
        QTRY_COMPARE_WITH_TIMEOUT(status(), int(PLAY_STATUS_PLAYING), 5000);
        const qint64 panelId = qint64(panel.playerScreen()->winId());
        QCOMPARE(CffmpegPlayer::getWndID(), panelId);

        OPEN(m_95, 0, 95000);
        // The panel heard that its window was taken and stopped.
        QCOMPARE(panelStatus.last().at(0).toInt(), int(PLAY_STATUS_STOPPED));
        QCOMPARE(CffmpegPlayer::getWndID(), qint64(m_dialog->playerScreen()->winId()));
        QCOMPARE(QString::fromStdString(player()->GetOpenedFileName()), m_95);

        button("btnWinClose")->click();
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QCOMPARE(CffmpegPlayer::getWndID(), panelId); // restored, not 0
        // The panel plays again in its own window.
        panel.onPlayRow(0);
        QTRY_COMPARE_WITH_TIMEOUT(status(), int(PLAY_STATUS_PLAYING), 5000);
        QCOMPARE(QString::fromStdString(player()->GetOpenedFileName()), m_clip);
        panel.onBtnStopClick();
    }

    void anUnplayableFileIsReported()
    {
        OPEN(m_bad, 0, 1000, false);
        QCOMPARE(m_messages, QStringList{"warnning|selected video file is not a valid video file."});
        QVERIFY(m_dialog->isVisible());
        QVERIFY(status() != PLAY_STATUS_PLAYING);
        QVERIFY(!button("btnStart")->isChecked());
        // Start tries again and says so again; the dialog still closes normally.
        button("btnStart")->click();
        QCOMPARE(m_messages.size(), 2);
        button("btnCancel")->click();
        QVERIFY(!m_dialog->isVisible());
    }

    void destroyedWhileShownGivesThePlayerBack()
    {
        FFP_SetWndID(777);
        OPEN(m_clip, 0, 10000);
        m_dialog.reset();
        QCOMPARE(CffmpegPlayer::getWndID(), qint64(777));
        QVERIFY(player()->GetOpenedFileName().empty());
        FFP_SetWndID(0);
    }

    // Not a check: shows the dialog with two clips for scripts/screenshot_trim.
    void showcase()
    {
        const int seconds = qEnvironmentVariableIntValue("REELMAX_SHOWCASE_SECONDS");
        if (seconds <= 0)
            QSKIP("set REELMAX_SHOWCASE_SECONDS to show the dialog");
        OPEN(m_clip, 0, 10000);
        m_dialog->move(20, 20);
        auto *chooser = m_dialog->chooser();
        dragEndTo(chooser, 350);
        dragStartTo(chooser, 150);
        button("btnClip")->click();
        dragEndTo(chooser, 850);
        dragStartTo(chooser, 550);
        button("btnClip")->click();
        QTRY_VERIFY_WITH_TIMEOUT(player()->GetCurrentPosition() >= 6000, 5000);
        QFile ready(qEnvironmentVariable("REELMAX_SHOWCASE_READY"));
        if (!ready.fileName().isEmpty())
            QVERIFY(ready.open(QIODevice::WriteOnly));
        QTest::qWait(seconds * 1000);
    }
};

QTEST_MAIN(TestTrimDialog)
#include "tst_trimdialog.moc"
