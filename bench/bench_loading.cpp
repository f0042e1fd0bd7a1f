// Adds 100 generated files of mixed formats to the media list of the real
// main window and compares the time with the ffmpeg tool's route: ffprobe
// for the parameters plus one ffmpeg run for a one-frame thumbnail, file
// after file.  Also reports when the first row was painted, the longest
// time the GUI thread did not answer, and the same load on one worker.
// Runs alternate between the two routes; medians are printed.
//
//   bench_loading [files=100] [runs=3]
//
// Targets: all files in <= 0.15x the tool route's time; the first row on
// screen within 0.3 s of the call.

#include "common/testmedia.h"
#include "core/config/videouserconfig.h"
#include "core/media/videoinfomanager.h"
#include "gui/app/mainwindow.h"
#include "gui/widgets/loadvideofilesprogressdialog.h"
#include "gui/widgets/videolistwidget.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Source {
    const char *name;
    int width, height; // 0 x 0: sound only
    QStringList args;
};

// One short file per kind of input the program takes.
const std::vector<Source> &sources()
{
    static const std::vector<Source> list = {
        {"h264.mp4", 1280, 720, {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac"}},
        {"h264.mkv", 854, 480, {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "libopus"}},
        {"hd.mov", 1920, 1080, {"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac"}},
        {"xvid.avi", 640, 480, {"-c:v", "mpeg4", "-c:a", "libmp3lame"}},
        {"dvd.vob", 720, 576, {"-c:v", "mpeg2video", "-c:a", "mp2", "-f", "vob"}},
        {"mpeg2.ts", 720, 480, {"-c:v", "mpeg2video", "-c:a", "mp2"}},
        {"vp8.webm",
         640,
         360,
         {"-c:v", "libvpx", "-deadline", "realtime", "-cpu-used", "8", "-c:a", "libvorbis"}},
        {"flash.flv", 320, 240, {"-c:v", "flv", "-c:a", "libmp3lame", "-ar", "22050"}},
        {"phone.3gp", 176, 144, {"-c:v", "h263", "-c:a", "aac", "-ar", "16000", "-ac", "1"}},
        {"win.wmv", 480, 360, {"-c:v", "wmv2", "-c:a", "wmav2"}},
        {"vcd.mpg", 352, 288, {"-c:v", "mpeg1video", "-c:a", "mp2"}},
        {"song.mp3", 0, 0, {"-c:a", "libmp3lame"}},
        {"voice.wav", 0, 0, {}},
        {"music.flac", 0, 0, {}},
        {"tune.m4a", 0, 0, {"-c:a", "aac"}},
        {"track.ogg", 0, 0, {"-c:a", "libvorbis"}},
    };
    return list;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

bool quiet(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    p.waitForFinished(60000);
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The ffmpeg tool's route: parameters, then a one-frame thumbnail.
double toolRoute(const QStringList &files, const QString &thumbDir)
{
    QElapsedTimer t;
    t.start();
    int i = 0;
    for (const QString &f : files) {
        quiet("ffprobe", {"-v", "error", "-show_format", "-show_streams", f});
        quiet("ffmpeg", {"-y", "-v", "error", "-nostdin", "-ss", "0", "-i", f, "-frames:v", "1", "-f",
                         "image2", QStringLiteral("%1/t%2.jpg").arg(thumbDir).arg(i++)});
    }
    return t.elapsed() / 1000.0;
}

struct ProgramRun {
    double totalS = 0;
    double firstRowS = -1;   // the registry announced the first row
    double firstPaintS = -1; // the list painted itself with a row in it
    double longestStallS = 0;
    int rows = 0;
};

// Watches the list's viewport for its first paint once a row is there.
class PaintWatch : public QObject {
public:
    QElapsedTimer *clock = nullptr;
    double *when = nullptr;
    bool armed = false;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (armed && e->type() == QEvent::Paint && *when < 0)
            *when = clock->elapsed() / 1000.0;
        return QObject::eventFilter(o, e);
    }
};

ProgramRun programRoute(MainWindow &window, const QStringList &files, int workers)
{
    VideoInfoManager *registry = VideoInfoManager::instance();
    registry->clear();
    window.loadDialog()->setWorkerCount(workers);
    ProgramRun run;
    QElapsedTimer clock;
    PaintWatch watch;
    watch.clock = &clock;
    watch.when = &run.firstPaintS;
    window.listWidget()->viewport()->installEventFilter(&watch);
    auto inserted = QObject::connect(registry, &VideoInfoManager::videoInserted, [&](int, int) {
        if (run.firstRowS < 0) {
            run.firstRowS = clock.elapsed() / 1000.0;
            watch.armed = true;
        }
    });
    // A timer that should fire every 10 ms: its longest gap is how long
    // the GUI thread did not answer.
    QElapsedTimer lastTick;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        run.longestStallS = std::max(run.longestStallS, lastTick.elapsed() / 1000.0);
        lastTick.restart();
    });
    lastTick.start();
    ticker.start();
    clock.start();
    registry->addFiles(files);
    run.totalS = clock.elapsed() / 1000.0;
    ticker.stop();
    QObject::disconnect(inserted);
    window.listWidget()->viewport()->removeEventFilter(&watch);
    run.rows = registry->count();
    return run;
}

void dropDebug(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// The window runs as a user of its own, so that the benchmark never changes
// the real user's settings, session or the upc.xml beside the program.
bool usePrivateHome(const QString &dir)
{
    const QString home = dir + "/home";
    const QString runtime = home + "/runtime";
    if (!QDir().mkpath(home + "/.config") || !QDir().mkpath(runtime) ||
        !QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return false;
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
    qputenv("XDG_DATA_HOME", (home + "/.local/share").toUtf8());
    qputenv("XDG_CACHE_HOME", (home + "/.cache").toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    qputenv("REELMAX_UPC", (home + "/upc.xml").toUtf8());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(dropDebug);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!usePrivateHome(TestMedia::tempDir())) {
        std::fprintf(stderr, "cannot make a private home\n");
        return 1;
    }
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

    const QString dir = TestMedia::tempDir();
    const QString thumbs = dir + "/thumbs";
    QDir().mkpath(thumbs);
    std::printf("generating %d files of %zu kinds...\n", count, sources().size());
    std::fflush(stdout);
    QStringList made;
    for (const Source &s : sources()) {
        const QString path = dir + "/src_" + s.name;
        if (!TestMedia::makeClip(path, 3.0, s.width, s.height, "25", s.width ? 44100 : 48000, 2, s.args)) {
            std::fprintf(stderr, "cannot make %s\n", s.name);
            return 1;
        }
        made << path;
    }
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString src = made.at(i % made.size());
        const QString copy = QStringLiteral("%1/%2_%3")
                                 .arg(dir)
                                 .arg(i, 3, 10, QLatin1Char('0'))
                                 .arg(QFileInfo(src).fileName().mid(4));
        QFile::copy(src, copy);
        files << copy;
    }

    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::fprintf(stderr, "the window was not exposed\n");
    VideoUserConfig::instance(); // settings read before the clock runs

    std::vector<double> tool, program, single, firstRow, firstPaint, stall;
    int rows = 0;
    for (int r = 0; r < runs; ++r) {
        const double t = toolRoute(files, thumbs);
        const ProgramRun p = programRoute(window, files, 0);
        const ProgramRun one = programRoute(window, files, 1);
        std::printf("run %d: tool route %.2f s | program %.2f s (first row %.3f s, painted %.3f s, GUI "
                    "stall %.3f s) | one worker %.2f s\n",
                    r + 1, t, p.totalS, p.firstRowS, p.firstPaintS, p.longestStallS, one.totalS);
        std::fflush(stdout);
        tool.push_back(t);
        program.push_back(p.totalS);
        single.push_back(one.totalS);
        firstRow.push_back(p.firstRowS);
        firstPaint.push_back(p.firstPaintS);
        stall.push_back(p.longestStallS);
        rows = p.rows;
    }
    VideoInfoManager::instance()->clear();
    std::printf("median of %d (%d files, %d rows added):\n", runs, count, rows);
    std::printf("  ffprobe + ffmpeg per file: %.2f s\n", median(tool));
    std::printf("  program:                   %.2f s  ratio %.3f (target <= 0.15)\n", median(program),
                median(program) / median(tool));
    std::printf("  program, one worker:       %.2f s  ratio %.3f\n", median(single),
                median(single) / median(tool));
    std::printf("  first row announced %.3f s, painted %.3f s (target <= 0.3)\n", median(firstRow),
                median(firstPaint));
    std::printf("  longest GUI thread stall:  %.3f s\n", median(stall));
    return 0;
}
