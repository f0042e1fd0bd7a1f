// The pipelined transcoder: the queues between its stages, outputs equal
// to those of the single-threaded path, and failures and stops that end
// every stage without leaving a thread or a file behind.

#include "engine/transcode/boundedqueue.h"
#include "engine/transcode/stagecrew.h"
#include "engine/transcode/transcoder.h"

#include "common/testmedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <future>
#include <thread>

namespace {

TranscodeJob makeJob(const QStringList &inputs, const QString &output, const char *video, const char *audio,
                     int width, int height, int videoBitrate = 800000)
{
    TranscodeJob job;
    OutputSpec &out = job.output;
    out.path = output.toStdString();
    out.video.codec = video;
    out.video.width = width;
    out.video.height = height;
    out.video.rate = RateControl::BitRate{videoBitrate};
    out.audio.codec = audio;
    out.audio.sampleRate = 44100;
    out.audio.channels = 2;
    out.audio.bitRate = 128000;
    for (const QString &in : inputs) {
        TranscodeInput input;
        input.path = in.toStdString();
        job.inputs.push_back(input);
    }
    return job;
}

// Runs a job and keeps the number of pictures it has encoded so far.
class FrameCount : public TranscodeObserver {
public:
    void onProgress(double, int64_t frames) override { m_frames.store(frames); }
    int64_t frames() const { return m_frames.load(); }

private:
    std::atomic<int64_t> m_frames{0};
};

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Threads of the conversion still alive in this process (they carry
// "rm-" names).
int stageThreads()
{
    int n = 0;
    const QStringList tasks = QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &task : tasks) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(task));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().startsWith("rm-"))
            ++n;
    }
    return n;
}

// Every packet of every stream with its time and a hash of its bytes: equal
// for files that hold the same streams, whatever else the container adds
// (Matroska writes a random segment id).
QByteArray packetHashes(const QString &path)
{
    QProcess p;
    p.start("ffmpeg",
            {"-v", "error", "-nostdin", "-i", path, "-map", "0", "-c", "copy", "-f", "framemd5", "-"});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return p.readAllStandardOutput();
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// Runs a job on a thread of its own; a job that has not ended after a
// generous wait is a deadlock, which ends the test program.  mostStages
// receives the most stage threads seen alive at once while it ran.
TranscodeStatus runGuarded(const TranscodeJob &job, std::string *error, int *mostStages = nullptr,
                           int seconds = 120)
{
    std::promise<TranscodeResult> done;
    std::future<TranscodeResult> result = done.get_future();
    std::thread worker([&] { done.set_value(Transcoder::run(job)); });
    int most = 0;
    QElapsedTimer waited;
    waited.start();
    while (result.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready) {
        most = std::max(most, stageThreads());
        if (waited.elapsed() > seconds * 1000) {
            worker.detach();
            qFatal("the conversion did not end within %d s: a stage is stuck", seconds);
        }
    }
    worker.join();
    if (mostStages)
        *mostStages = most;
    const TranscodeResult r = result.get();
    *error = r.reason;
    return r.status;
}

} // namespace

class TestPipeline : public QObject {
    Q_OBJECT
    QString m_dir;

private slots:
    void initTestCase() { m_dir = TestMedia::tempDir(); }

    void queueEndsAfterItsItemsOnceClosed()
    {
        BoundedQueue<int> q(2);
        QVERIFY(q.push(1));
        QVERIFY(q.push(2));
        q.close();
        QVERIFY(!q.push(3)); // no more after close
        int v = 0;
        QVERIFY(q.pop(v));
        QCOMPARE(v, 1);
        QVERIFY(q.pop(v));
        QCOMPARE(v, 2);
        QVERIFY(!q.pop(v)); // the end
        QVERIFY(!q.aborted());
    }

    // A producer waiting on a full queue, and a consumer waiting on an
    // empty one, both let go when the other side aborts.
    void abortReleasesWaitersAtBothEnds()
    {
        BoundedQueue<int> full(1);
        QVERIFY(full.push(1));
        std::future<bool> producer = std::async(std::launch::async, [&] { return full.push(2); });
        QCOMPARE(producer.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
        full.abort(); // by the consumer
        QCOMPARE(producer.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        QVERIFY(!producer.get());
        int v = 0;
        QVERIFY(!full.pop(v)); // what was queued is dropped
        QVERIFY(full.aborted());

        BoundedQueue<int> empty(4);
        std::future<bool> consumer = std::async(std::launch::async, [&] {
            int x = 0;
            return empty.pop(x);
        });
        QCOMPARE(consumer.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
        empty.abort(); // by the producer
        QCOMPARE(consumer.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        QVERIFY(!consumer.get());
    }

    void stopFlagReleasesWaiters()
    {
        std::atomic<bool> stop{false};
        BoundedQueue<int> q(1, &stop);
        std::future<bool> consumer = std::async(std::launch::async, [&] {
            int x = 0;
            return q.pop(x);
        });
        QCOMPARE(consumer.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
        stop = true;
        QCOMPARE(consumer.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        QVERIFY(!consumer.get());
        QVERIFY(q.aborted());
    }

    // The first failure is the reason; every queue of the crew is aborted,
    // also one watched after the failure.
    void crewKeepsTheFirstReasonAndAbortsEveryQueue()
    {
        std::atomic<bool> stop{false};
        StageCrew crew(stop);
        BoundedQueue<int> a(1), b(1);
        crew.watch(&a);
        std::thread failing = crew.spawn("rm-test", [](std::string *error) {
            *error = "encoder broke";
            return false;
        });
        failing.join();
        crew.fail("a later failure");
        QVERIFY(crew.failed());
        QCOMPARE(crew.reason(), std::string("encoder broke"));
        QVERIFY(a.aborted());
        crew.watch(&b);
        QVERIFY(b.aborted());
        crew.forget(&a);
        crew.forget(&b);

        StageCrew stopped(stop);
        stop = true;
        stopped.letGo("queue aborted");
        QCOMPARE(stopped.reason(), std::string("stopped"));
    }

    void pipelinedOutputEqualsSingleThreaded_data()
    {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("video");
        QTest::addColumn<QString>("audio");
        QTest::addColumn<int>("inputs");
        QTest::addColumn<int>("msStart");
        QTest::addColumn<int>("msEnd");
        QTest::addColumn<bool>("wholeFile"); // else the packets are compared
        QTest::newRow("avi mpeg4 mp2") << "avi"
                                       << "mpeg4"
                                       << "mp2" << 1 << 0 << -1 << true;
        QTest::newRow("mp4 h264 aac") << "mp4"
                                      << "libx264"
                                      << "aac" << 1 << 0 << -1 << true;
        // Two inputs of different sizes and rates joined, cut at both ends:
        // the lanes stop and start again between the inputs.
        QTest::newRow("mkv joined section") << "mkv"
                                            << "mpeg4"
                                            << "libvorbis" << 2 << 700 << 3300 << false;
        QTest::newRow("mp3 sound only") << "mp3"
                                        << ""
                                        << "libmp3lame" << 1 << 0 << -1 << true;
    }

    void pipelinedOutputEqualsSingleThreaded()
    {
        QFETCH(QString, ext);
        QFETCH(QString, video);
        QFETCH(QString, audio);
        QFETCH(int, inputs);
        QFETCH(int, msStart);
        QFETCH(int, msEnd);
        QFETCH(bool, wholeFile);
        const QString a = m_dir + "/same_a.mp4", b = m_dir + "/same_b.mkv";
        if (!QFile::exists(a)) {
            QVERIFY(TestMedia::makeClip(a, 2.0, 320, 240, "25", 44100, 2));
            QVERIFY(TestMedia::makeClip(b, 2.0, 400, 300, "30", 48000, 1));
        }
        const QStringList in = inputs == 1 ? QStringList{a} : QStringList{a, b};
        const QString sub =
            m_dir + "/same_" +
            QString::fromLatin1(QTest::currentDataTag()).replace(QRegularExpression("\\W"), "_");
        QDir().mkpath(sub);
        const QString single = sub + "/single." + ext, piped = sub + "/piped." + ext;
        TranscodeJob job =
            makeJob(in, single, video.toUtf8().constData(), audio.toUtf8().constData(), 320, 240);
        // The section lies on the inputs joined end to end: each input
        // gets its share of it.
        int64_t offset = 0;
        for (TranscodeInput &input : job.inputs) {
            input.msStart = std::max<int64_t>(0, msStart - offset);
            input.msEnd = msEnd > 0 && msEnd - offset < 2000 ? msEnd - offset : 0;
            offset += 2000;
        }
        // The same codec threads on both sides (an encoder's slices and
        // x264's frame threads shape its output).  One thread would run
        // the job's stages in turn: two leave the pipelined path its own
        // threads.
        job.processing.threads = 2;
        job.pipelined = false;
        std::string error;
        int stages = -1;
        QCOMPARE(int(runGuarded(job, &error, &stages)), int(TRANSCODE_FINISHED));
        QCOMPARE(stages, 0);
        job.output.path = piped.toStdString();
        job.pipelined = true;
        QCOMPARE(int(runGuarded(job, &error, &stages)), int(TRANSCODE_FINISHED));
        QVERIFY2(stages >= 2, qPrintable(QString::number(stages))); // the pipeline really ran

        const QJsonObject p = TestMedia::probe(piped);
        const double expected = msEnd > 0 ? (msEnd - msStart) / 1000.0 : 2.0 * inputs;
        QVERIFY2(qAbs(TestMedia::durationSeconds(p) - expected) < 0.15,
                 qPrintable(QString::number(TestMedia::durationSeconds(p))));
        QCOMPARE(TestMedia::stream(p, "video").isEmpty(), video.isEmpty());
        QVERIFY(!TestMedia::stream(p, "audio").isEmpty());
        const QByteArray one = wholeFile ? contents(single) : packetHashes(single);
        const QByteArray two = wholeFile ? contents(piped) : packetHashes(piped);
        QVERIFY(one.size() > 1000);
        QVERIFY2(
            one == two,
            qPrintable(
                QStringLiteral("%1 bytes single-threaded, %2 pipelined").arg(one.size()).arg(two.size())));
        QCOMPARE(stageThreads(), 0);
    }

    // The muxer refuses to write part-way (the file may not grow past a
    // limit): the encoder's thread fails, every other stage lets go, the job
    // ends failed with the reason and leaves nothing behind.
    void writeFailureOnAnEncoderThreadEndsTheJob()
    {
        const QString src = m_dir + "/big_src.avi";
        QVERIFY(TestMedia::makeClip(src, 4.0, 640, 480, "25", 44100, 2, {"-c:v", "mpeg4", "-q:v", "2"}));
        const QString sub = m_dir + "/limit";
        QDir().mkpath(sub);
        const QString out = sub + "/out.avi";
        TranscodeJob job = makeJob({src}, out, "mpeg4", "mp2", 640, 480, 8000000);

        rlimit before{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit limited = before;
        limited.rlim_cur = 256 * 1024;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        std::string error;
        const TranscodeStatus status = runGuarded(job, &error);
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(int(status), int(TRANSCODE_FAILED));
        QVERIFY2(QString::fromStdString(error).contains("write"), error.c_str());
        QVERIFY2(filesIn(sub).isEmpty(), qPrintable(filesIn(sub).join(',')));
        QCOMPARE(stageThreads(), 0);
    }

    // A stop while every queue is full and the encoder is busy ends all
    // stages at once.
    void stopEndsEveryStageQuickly()
    {
        const QString src = m_dir + "/stop_src.mp4";
        QVERIFY(TestMedia::makeClip(src, 20.0, 1280, 720, "25", 44100, 2, {"-c:v", "mpeg4", "-q:v", "4"}));
        const QString sub = m_dir + "/stop";
        QDir().mkpath(sub);
        TranscodeJob job = makeJob({src}, sub + "/out.mp4", "libx264", "aac", 1280, 720, 4000000);
        FrameCount count;
        StopToken stop;
        std::future<TranscodeResult> result =
            std::async(std::launch::async, [&] { return Transcoder::run(job, &count, &stop); });
        QElapsedTimer wait;
        wait.start();
        while (count.frames() < 10 && wait.elapsed() < 60000)
            QThread::msleep(10);
        QVERIFY(count.frames() >= 10);
        QVERIFY(stageThreads() >= 4);
        QElapsedTimer latency;
        latency.start();
        stop.request();
        QCOMPARE(result.wait_for(std::chrono::seconds(30)), std::future_status::ready);
        // Generous for a loaded machine; the benchmark measures the real figure.
        QVERIFY2(latency.elapsed() < 2000, qPrintable(QString::number(latency.elapsed())));
        const TranscodeResult stopped = result.get();
        QCOMPARE(int(stopped.status), int(TRANSCODE_STOPPED));
        QVERIFY(stopped.reason.empty());
        QVERIFY(stopped.outputs.empty());
        QVERIFY(filesIn(sub).isEmpty());
        QCOMPARE(stageThreads(), 0);
    }
};

QTEST_GUILESS_MAIN(TestPipeline)
#include "tst_pipeline.moc"
