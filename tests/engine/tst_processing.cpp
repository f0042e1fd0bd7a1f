// Threads and GPU use of a conversion: the thread count reaches the codecs,
// and "Use GPU encoding" without a usable render node falls back to the
// software encoder with one line in the log.

#include "engine/av/vaapiencoding.h"

#include "common/testmedia.h"
#include "typedjobs.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

QStringList s_log;

void collectLog(QtMsgType, const QMessageLogContext &, const QString &text)
{
    s_log << text;
}

OutputSpec makeInfo(const char *video, const char *audio, int width, int height)
{
    return TypedJobs::spec(video, audio, width, height, 600000);
}

int convert(const OutputSpec &spec, const ProcessingOptions &processing, const QString &input,
            const QString &output)
{
    TranscodeJob job = TypedJobs::job({input}, output, spec);
    job.processing = processing;
    return Transcoder::run(job).status;
}

QStringList gpuLines()
{
    return s_log.filter(QStringLiteral("GPU encoding"));
}

int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

double cpuSeconds()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

class TestProcessing : public QObject {
    Q_OBJECT
    QString m_dir;
    QString m_clip; // 3 s 640x360 with sound

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        m_clip = m_dir + "/src.mp4";
        QVERIFY(TestMedia::makeClip(m_clip, 3.0, 640, 360));
    }

    void init() { s_log.clear(); }

    void hardwareTwinsOfSoftwareEncoders()
    {
        QCOMPARE(VaapiEncoding::encoderFor("libx264"), std::string("h264_vaapi"));
        QCOMPARE(VaapiEncoding::encoderFor("libx265"), std::string("hevc_vaapi"));
        QCOMPARE(VaapiEncoding::encoderFor("mpeg4"), std::string());
        QCOMPARE(VaapiEncoding::encoderFor("libvpx"), std::string());
        QCOMPARE(VaapiEncoding::encoderFor("no-such-encoder"), std::string());
    }

    void renderNodeMustBeAnOpenableDevice()
    {
        QCOMPARE(VaapiEncoding::renderNode((m_dir + "/missing").toStdString()), std::string());
        // Files that only look like render nodes are not used.
        const QString fake = m_dir + "/dri";
        QVERIFY(QDir().mkpath(fake));
        for (const char *name : {"renderD128", "card0", "renderDx"}) {
            QFile f(fake + "/" + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QCOMPARE(VaapiEncoding::renderNode(fake.toStdString()), std::string());
    }

    void deviceThatIsNoGraphicsCardIsRefused()
    {
        std::string error;
        av::BufferRefPtr device = VaapiEncoding::openDevice("/dev/null", &error);
        QVERIFY(!device);
        QVERIFY2(error.find("/dev/null") != std::string::npos, error.c_str());
    }

    // This machine has no render node: the job still converts, in software,
    // and says so once.
    void gpuWithoutRenderNodeFallsBackToSoftware_data()
    {
        QTest::addColumn<QString>("encoder");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("codec");
        QTest::addColumn<QString>("reason");
        QTest::newRow("h264") << "libx264"
                              << "mp4"
                              << "h264"
                              << "render node";
        QTest::newRow("mpeg4 has no gpu encoder") << "mpeg4"
                                                  << "avi"
                                                  << "mpeg4"
                                                  << "no VAAPI encoder";
    }
    void gpuWithoutRenderNodeFallsBackToSoftware()
    {
        if (!VaapiEncoding::renderNode().empty())
            QSKIP("this machine has a render node; the fallback is not taken");
        QFETCH(QString, encoder);
        QFETCH(QString, ext);
        QFETCH(QString, codec);
        QFETCH(QString, reason);
        const QString out = m_dir + "/gpu-" + encoder + "." + ext;
        ProcessingOptions gpu;
        gpu.useGpu = true;
        qInstallMessageHandler(collectLog);
        const int status =
            convert(makeInfo(encoder.toLatin1().constData(), "aac", 320, 180), gpu, m_clip, out);
        qInstallMessageHandler(nullptr);
        QCOMPARE(status, 2);
        const QJsonObject probe = TestMedia::probe(out);
        const QJsonObject video = TestMedia::stream(probe, "video");
        QCOMPARE(video.value("codec_name").toString(), codec);
        QCOMPARE(video.value("width").toInt(), 320);
        QVERIFY(TestMedia::decodesCleanly(out));
        const QStringList lines = gpuLines();
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().contains(reason) && lines.first().contains("in software"),
                 qPrintable(lines.first()));
        QVERIFY2(lines.first().contains(encoder), qPrintable(lines.first()));
    }

    void softwareJobsSayNothingAboutTheGpu()
    {
        const QString out = m_dir + "/cpu.mp4";
        qInstallMessageHandler(collectLog);
        const int status = convert(makeInfo("libx264", "aac", 320, 180), ProcessingOptions(), m_clip, out);
        qInstallMessageHandler(nullptr);
        QCOMPARE(status, 2);
        QVERIFY(gpuLines().isEmpty());
    }

    // One thread per codec keeps a job on one core: it starts no thread
    // besides the one it runs on, and the process's CPU time stays near the
    // wall time (a loaded machine only lowers that ratio).
    void oneThreadUsesOneCore()
    {
        const QString big = m_dir + "/big.mp4";
        QVERIFY(TestMedia::makeClip(big, 6.0, 1280, 720));
        const QString out = m_dir + "/one-thread.mp4";
        ProcessingOptions one;
        one.threads = 1;
        const int threadsBefore = threadCount();
        const double cpuBefore = cpuSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        std::atomic<int> status{0};
        std::thread job([&] { status = convert(makeInfo("libx264", "aac", 960, 540), one, big, out); });
        // The job's own thread is the only one it may add.
        int most = 0;
        while (status.load() == 0) {
            most = std::max(most, threadCount());
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        job.join();
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        const double cpu = cpuSeconds() - cpuBefore;
        QCOMPARE(status.load(), 2);
        QVERIFY2(most <= threadsBefore + 1,
                 qPrintable(QString("%1 threads, %2 before").arg(most).arg(threadsBefore)));
        QCOMPARE(TestMedia::stream(TestMedia::probe(out), "video").value("width").toInt(), 960);
        qInfo("one thread: %.2f s CPU in %.2f s", cpu, wall);
        QVERIFY2(cpu <= 1.3 * wall, qPrintable(QString("CPU %1 s in %2 s").arg(cpu).arg(wall)));
    }
};

QTEST_GUILESS_MAIN(TestProcessing)
#include "tst_processing.moc"
