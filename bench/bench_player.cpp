// Plays a generated 1080p30 H.264 clip for 20 s into an offscreen window and
// reports CPU use and dropped pictures.  Target: no dropped pictures and
// under 60 % of one core.
//
//   QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ./bench_player [clip]

#include "common/testmedia.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/player/videoplayerscreen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace {
double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_utime.tv_usec / 1e6 + u.ru_stime.tv_sec + u.ru_stime.tv_usec / 1e6;
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);

    QString clip = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (clip.isEmpty()) {
        clip = TestMedia::tempDir() + "/bench_1080p30.mp4";
        std::printf("making a 20 s 1920x1080 30 fps H.264 + AAC clip...\n");
        std::fflush(stdout);
        if (!TestMedia::makeClip(clip, 20, 1920, 1080, "30", 48000, 2,
                                 {"-c:v", "libx264", "-preset", "veryfast", "-c:a", "aac"})) {
            std::fprintf(stderr, "cannot make the clip\n");
            return 1;
        }
    }

    VideoPlayerScreen screen;
    screen.resize(960, 540);
    screen.show();
    if (!QTest::qWaitForWindowExposed(&screen))
        std::fprintf(stderr, "the window was not exposed\n");

    CffmpegPlayer *p = FFP_GetPlayer();
    CffmpegPlayer::setWndID(static_cast<int64_t>(screen.winId()));
    if (!p->OpenFile(clip.toLocal8Bit().constData())) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(clip));
        return 1;
    }
    p->SetInitSize(screen.width(), screen.height());
    p->SetStartEndPos(0, 20000);

    QElapsedTimer wall;
    const double cpu0 = cpuSeconds();
    wall.start();
    p->Play();
    while (p->GetPlayStatus() == PLAY_STATUS_PLAYING && wall.elapsed() < 30000)
        QTest::qWait(100);
    const double seconds = wall.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - cpu0;
    const long long shown = p->GetShownFrames();
    const long long dropped = p->GetDroppedFrames();

    // GUI-thread calls must return within a frame (33 ms) even mid-stream.
    QElapsedTimer call;
    p->SetStartEndPos(0, 20000);
    p->Play();
    QTest::qWait(1500);
    call.start();
    p->Seek(12000);
    const qint64 seekMs = call.restart();
    p->Pause();
    const qint64 pauseMs = call.restart();
    p->Play();
    QTest::qWait(500);
    call.restart();
    p->Stop();
    const qint64 stopMs = call.restart();
    p->Play();
    QTest::qWait(500);
    call.restart();
    p->CloseFile();
    const qint64 closeMs = call.elapsed();

    std::printf("played %.1f s (status %s), pictures shown %lld, dropped %lld\n", seconds,
                seconds < 29.0 ? "played out" : "timed out", shown, dropped);
    std::printf("CPU %.2f s = %.1f %% of one core\n", cpu, 100.0 * cpu / seconds);
    std::printf("GUI calls: Seek %lld ms, Pause %lld ms, Stop %lld ms, CloseFile %lld ms\n", seekMs, pauseMs,
                stopMs, closeMs);
    const bool ok = dropped == 0 && cpu / seconds < 0.60 && std::max({seekMs, pauseMs, stopMs, closeMs}) < 34;
    std::printf("%s\n", ok ? "target met" : "target missed");
    return ok ? 0 : 2;
}
