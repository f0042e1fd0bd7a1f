// The disc tools behind the burn: reading their output, running and stopping
// them, authoring a DVD structure and writing it as an image or to a
// pseudo-drive, and every way that can fail.
#include "engine/disc/disctooloutput.h"
#include "engine/disc/dvdburner.h"
#include "engine/disc/dvdcreator.h"
#include "engine/disc/dvdsource.h"
#include "engine/disc/toolprocess.h"

#include "common/discmedia.h"
#include "common/testmedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

QString dvdXml(const QString &vob, const QString &format = QStringLiteral("pal"))
{
    const QString root = format.isEmpty() ? QStringLiteral("<dvdauthor>")
                                          : QStringLiteral("<dvdauthor format=\"%1\">").arg(format);
    return root + QStringLiteral("<vmgm/><titleset><titles><pgc><vob file=\"%1\"/></pgc></titles></titleset>"
                                 "</dvdauthor>")
                      .arg(vob);
}

bool writeText(const QString &path, const QString &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text.toUtf8()) > 0;
}

// What lies in folder under a name that mentions name (hidden temporary
// files included).
QStringList filesNamed(const QString &folder, const QString &name)
{
    return QDir(folder).entryList({"*" + name + "*"}, QDir::Files | QDir::Hidden | QDir::System);
}

QString messageOf(const std::vector<char> &buffer)
{
    return QString::fromLocal8Bit(buffer.data());
}

// Waits until the tool named by marker shows up among the processes.
bool waitForProcess(const QString &marker, int timeoutMs = 30000)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (!DiscMedia::processesMentioning(marker).isEmpty())
            return true;
        QThread::msleep(50);
    }
    return false;
}

} // namespace

class TestDiscEngine : public QObject {
    Q_OBJECT

private:
    QString m_dir;
    QString m_mpeg;     // 20 s PAL DVD MPEG
    QString m_authored; // a VIDEO_TS folder made from it
    float m_sizeMb = 0.0f;

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        m_mpeg = m_dir + "/clip.mpg";
        QVERIFY(DiscMedia::makeDvdMpeg(m_mpeg, 20.0));
        m_sizeMb = float(QFileInfo(m_mpeg).size() / 1024.0 / 1024.0);
    }

    void dvdauthorProgressLines()
    {
        using namespace DiscToolOutput;
        QCOMPARE(dvdauthorProgress("STAT: VOBU 16 at 5MB, 1 PGCs", 10.0), 0.45);
        // Never past the reading share, even when the size was guessed low.
        QCOMPARE(dvdauthorProgress("STAT: VOBU 40 at 30MB, 1 PGCs", 10.0), 0.9);
        QCOMPARE(dvdauthorProgress("STAT: fixing VOBU at 7MB (17/34, 50%)", 10.0), 0.945);
        QCOMPARE(dvdauthorProgress("STAT: fixed 34 VOBUs", 10.0), 0.99);
        QVERIFY(dvdauthorProgress("STAT: VOBU 16 at 5MB, 1 PGCs", 0.0) < 0.0);
        QVERIFY(dvdauthorProgress("INFO: Video pts = 0.540 .. 20.540", 10.0) < 0.0);
        QVERIFY(dvdauthorProgress("WARN: unknown mpeg2 aspect ratio 1", 10.0) < 0.0);
        QVERIFY(isDvdauthorError("ERR:  no video format specified for VMGM"));
        QVERIFY(!isDvdauthorError("WARN: aspect ratio was not autodetected"));
    }

    void imageAndBurnLines()
    {
        using namespace DiscToolOutput;
        QCOMPARE(genisoimageProgress("58.73% done, estimate finish Mon Dec  7 11:57:20 2026"), 58.73);
        QVERIFY(genisoimageProgress("8519 extents written (16 MB)") < 0.0);
        QVERIFY(isGenisoimageError("genisoimage: Volume ID string too long"));
        QVERIFY(!isGenisoimageError("genisoimage: Warning: creating filesystem with Joliet extensions"));
        QVERIFY(!isGenisoimageError("Total translation table size: 0"));

        QCOMPARE(xorrisoProgress("xorriso : UPDATE :    8 of   16 MB written (fifo  0%) [buf  50%]"), 50.0);
        QCOMPARE(xorrisoProgress("Track 01:   16 of   16 MB written (fifo 100%) [buf  99%]   4.0x."), 100.0);
        QVERIFY(xorrisoProgress("xorriso : UPDATE :    0 of    0 MB written") < 0.0);
        QVERIFY(xorrisoProgress("Beginning to write data track.") < 0.0);
        QVERIFY(isXorrisoError("xorriso : FAILURE : Cannot acquire drive '/dev/sr0'"));
        QVERIFY(isXorrisoError("libburn : FAILURE : File object '/dev/sr0' not found"));
        // The closing lines only repeat that something failed.
        QVERIFY(!isXorrisoError("xorriso : FAILURE : -as cdrecord: Job could not be performed properly."));
        QVERIFY(!isXorrisoError("xorriso : aborting : -abort_on 'FAILURE' encountered 'FAILURE'"));
        QVERIFY(!isXorrisoError("xorriso : NOTE : Re-assessing -outdev 'stdio:/tmp/x.iso'"));
    }

    void messageBufferIsCutToFit()
    {
        std::vector<char> buffer(DiscToolOutput::kMessageBufferSize + 16, 'x');
        DiscToolOutput::writeMessage(buffer.data(), QString(300000, QLatin1Char('a')));
        QCOMPARE(buffer[DiscToolOutput::kMessageBufferSize - 1], '\0');
        QCOMPARE(buffer[DiscToolOutput::kMessageBufferSize], 'x'); // not one byte past the buffer
        QCOMPARE(qstrlen(buffer.data()), uint(DiscToolOutput::kMessageBufferSize - 1));
        DiscToolOutput::writeMessage(buffer.data(), QString());
        QCOMPARE(buffer[0], '\0');
        DiscToolOutput::writeMessage(nullptr, QStringLiteral("ignored"));
    }

    void videoFormatFromRateAndHeight()
    {
        QCOMPARE(DvdSource::videoFormat(25.0, 576), QStringLiteral("pal"));
        QCOMPARE(DvdSource::videoFormat(50.0, 0), QStringLiteral("pal"));
        QCOMPARE(DvdSource::videoFormat(30000.0 / 1001.0, 480), QStringLiteral("ntsc"));
        QCOMPARE(DvdSource::videoFormat(24000.0 / 1001.0, 0), QStringLiteral("ntsc"));
        QCOMPARE(DvdSource::videoFormat(30.0, 576), QStringLiteral("ntsc")); // the rate decides
        QCOMPARE(DvdSource::videoFormat(0.0, 576), QStringLiteral("pal"));
        QCOMPARE(DvdSource::videoFormat(15.0, 480), QStringLiteral("ntsc"));
        QCOMPARE(DvdSource::videoFormat(15.0, 720), QString());
    }

    void inspectTellsDvdFilesApart()
    {
        const DvdSourceInfo pal = DvdSource::inspect(m_mpeg);
        QVERIFY2(pal.isDvdMpeg(), qPrintable(pal.error));
        QCOMPARE(pal.height, 576);
        QCOMPARE(DvdSource::videoFormat(pal.frameRate, pal.height), QStringLiteral("pal"));

        const QString ntscPath = m_dir + "/ntsc.mpg";
        QVERIFY(DiscMedia::makeDvdMpeg(ntscPath, 1.0, false));
        const DvdSourceInfo ntsc = DvdSource::inspect(ntscPath);
        QVERIFY(ntsc.isDvdMpeg());
        QCOMPARE(DvdSource::videoFormat(ntsc.frameRate, ntsc.height), QStringLiteral("ntsc"));

        const QString mp4 = m_dir + "/clip.mp4";
        QVERIFY(TestMedia::makeClip(mp4, 1.0));
        const DvdSourceInfo other = DvdSource::inspect(mp4);
        QVERIFY(other.readable);
        QVERIFY(!other.isDvdMpeg());

        // A pipe is never opened (that would wait for a writer forever).
        const QString fifo = m_dir + "/inspectfifo.mpg";
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        QVERIFY(!DvdSource::inspect(fifo).readable);

        const DvdSourceInfo missing = DvdSource::inspect(m_dir + "/missing.mpg");
        QVERIFY(!missing.readable);
        QVERIFY(!missing.error.isEmpty());
    }

    void toolLinesEndAtCarriageReturns()
    {
        std::atomic<bool> cancel{false};
        QStringList lines;
        const auto r = ToolProcess::run("sh", {"-c", "printf 'a\\rb\\n\\nc\\r\\nlast'; echo err >&2; exit 3"},
                                        cancel, [&](const QString &line) { lines << line; });
        QVERIFY(r.started);
        QCOMPARE(r.exitCode, 3);
        QVERIFY(!r.succeeded());
        QCOMPARE(lines, QStringList({"a", "b", "c", "lasterr"}));

        const auto missing = ToolProcess::run("/nonexistent/tool", {}, cancel, {});
        QVERIFY(!missing.started);
        QVERIFY(!missing.startError.isEmpty());
        QVERIFY(ToolProcess::findTool("no-such-tool-here").isEmpty());
        QVERIFY(!ToolProcess::findTool("dvdauthor").isEmpty());
    }

    void cancelStopsToolAndItsHelpers()
    {
        // A tool that ignores the polite request and leaves a helper running.
        const QString marker = QStringLiteral("61.%1").arg(QCoreApplication::applicationPid());
        std::atomic<bool> cancel{false};
        ToolProcess::Result r;
        std::thread worker([&] {
            r = ToolProcess::run(
                "sh", {"-c", QStringLiteral("trap '' TERM; sleep %1 & sleep %1; wait").arg(marker)}, cancel,
                {});
        });
        QVERIFY(waitForProcess("sleep " + marker));
        QElapsedTimer clock;
        clock.start();
        cancel = true;
        worker.join();
        QVERIFY(r.cancelled);
        QVERIFY(clock.elapsed() < 30000);
        QTRY_VERIFY_WITH_TIMEOUT(DiscMedia::processesMentioning("sleep " + marker).isEmpty(), 10000);

        // A raised flag keeps the tool from starting at all.
        const auto early = ToolProcess::run("sh", {"-c", "exit 0"}, cancel, {});
        QVERIFY(early.cancelled);
        QVERIFY(!early.started);
    }

    void authorsAVideoTsFolder()
    {
        const QString xml = m_dir + "/dvd.xml";
        QVERIFY(writeText(xml, dvdXml(m_mpeg)));
        m_authored = m_dir + "/authored";
        CDVDCreator creator;
        creator.SetExePath(m_dir.toLocal8Bit().constData(), m_sizeMb);
        QCOMPARE(creator.GetDvdCreatorPrg(), 0.0f);

        // Progress read from another thread only ever rises, and ends at 1.
        std::atomic<bool> done{false};
        QList<float> seen;
        std::thread watcher([&] {
            while (!done) {
                seen << creator.GetDvdCreatorPrg();
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
        std::vector<char> message(DiscToolOutput::kMessageBufferSize, '\0');
        const bool ok = creator.CreateDVDFile(xml.toLocal8Bit().constData(),
                                              m_authored.toLocal8Bit().constData(), message.data());
        done = true;
        watcher.join();
        QVERIFY2(ok, qPrintable(messageOf(message)));
        QCOMPARE(messageOf(message), QString());
        QCOMPARE(creator.GetDvdCreatorPrg(), 1.0f);
        for (int i = 1; i < seen.size(); ++i)
            QVERIFY(seen[i] >= seen[i - 1]);
        for (const char *name : {"VIDEO_TS.IFO", "VTS_01_0.IFO", "VTS_01_1.VOB"})
            QVERIFY2(QFileInfo(m_authored + "/VIDEO_TS/" + name).isFile(), name);
        const auto listing = DiscMedia::listDvd(m_authored);
        QVERIFY2(listing.ok, qPrintable(listing.output));
        QCOMPARE(listing.titleSeconds.size(), 1);
        QVERIFY(qAbs(listing.titleSeconds[0] - 20.0) <= 0.5);
    }

    void authoringFailuresCarryTheToolsReason()
    {
        CDVDCreator creator;
        creator.SetExePath("", m_sizeMb);
        std::vector<char> message(DiscToolOutput::kMessageBufferSize, '\0');

        // Without a video format dvdauthor refuses; its error line comes back.
        const QString xml = m_dir + "/noformat.xml";
        QVERIFY(writeText(xml, dvdXml(m_mpeg, QString())));
        QVERIFY(!creator.CreateDVDFile(xml.toLocal8Bit().constData(),
                                       (m_dir + "/noformat").toLocal8Bit().constData(), message.data()));
        QVERIFY2(messageOf(message).startsWith("ERR:"), qPrintable(messageOf(message)));
        QVERIFY(messageOf(message).contains("video format"));
        QVERIFY(creator.GetDvdCreatorPrg() < 1.0f);

        const QString missingVob = m_dir + "/missingvob.xml";
        QVERIFY(writeText(missingVob, dvdXml(m_dir + "/nothing.mpg")));
        QVERIFY(!creator.CreateDVDFile(missingVob.toLocal8Bit().constData(),
                                       (m_dir + "/missingvob").toLocal8Bit().constData(), message.data()));
        QVERIFY(!messageOf(message).isEmpty());

        QVERIFY(!creator.CreateDVDFile((m_dir + "/none.xml").toLocal8Bit().constData(),
                                       (m_dir + "/none").toLocal8Bit().constData(), message.data()));
        QVERIFY(messageOf(message).contains("none.xml"));
        // A null message buffer is allowed.
        QVERIFY(!creator.CreateDVDFile((m_dir + "/none.xml").toLocal8Bit().constData(), "", nullptr));
    }

    void cancelStopsAuthoring()
    {
        // dvdauthor waits on a pipe that never delivers: only cancel ends it.
        const QString fifo = m_dir + "/authorfifo.mpg";
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        const QString xml = m_dir + "/fifo.xml";
        QVERIFY(writeText(xml, dvdXml(fifo)));
        CDVDCreator creator;
        creator.SetExePath("", 100.0f);
        std::vector<char> message(DiscToolOutput::kMessageBufferSize, '\0');
        bool ok = true;
        std::thread worker([&] {
            ok = creator.CreateDVDFile(xml.toLocal8Bit().constData(),
                                       (m_dir + "/fifoout").toLocal8Bit().constData(), message.data());
        });
        QVERIFY(waitForProcess(xml));
        creator.Cancel();
        worker.join();
        QVERIFY(!ok);
        QCOMPARE(messageOf(message), QStringLiteral("DVD authoring was cancelled."));
        QTRY_VERIFY_WITH_TIMEOUT(DiscMedia::processesMentioning(xml).isEmpty(), 10000);
        // Until the next run is prepared, nothing starts.
        QVERIFY(!creator.CreateDVDFile(xml.toLocal8Bit().constData(), "", message.data()));
    }

    void writesTheImageFile()
    {
        QVERIFY(!m_authored.isEmpty());
        const QString iso = m_dir + "/image dir/disc.iso";
        QVERIFY(QDir().mkpath(QFileInfo(iso).absolutePath()));
        CDvdBurner burner;
        burner.SetBurnPath(m_dir.toLocal8Bit().constData());
        std::vector<char> message(DiscToolOutput::kMessageBufferSize, '\0');
        const int result =
            burner.StartBurning(m_authored.toLocal8Bit().constData(), "My Film (2)",
                                CDvdBurner::imageFileDrive(iso).toLocal8Bit().constData(), message.data());
        QCOMPARE(result, 1);
        QCOMPARE(messageOf(message), QString());
        QCOMPARE(burner.GetBuringPrg(), 100.0f);
        QCOMPARE(filesNamed(QFileInfo(iso).absolutePath(), "disc"), QStringList{"disc.iso"});
        QCOMPARE(QFileInfo(iso).permissions() & (QFile::ReadOther | QFile::ReadOwner),
                 QFile::ReadOther | QFile::ReadOwner);
        const auto listing = DiscMedia::listDvd(iso);
        QVERIFY2(listing.ok, qPrintable(listing.output));
        QCOMPARE(DiscMedia::volumeId(iso), QStringLiteral("My Film (2)"));
        QCOMPARE(listing.titleSeconds.size(), 1);
        QVERIFY(qAbs(listing.titleSeconds[0] - 20.0) <= 0.5);
        const QStringList files = DiscMedia::isoFiles(iso);
        for (const char *name :
             {"/VIDEO_TS/VIDEO_TS.IFO", "/VIDEO_TS/VTS_01_0.IFO", "/VIDEO_TS/VTS_01_1.VOB"})
            QVERIFY2(files.contains(name), qPrintable(files.join(' ')));
    }

    void burnsToAPseudoDrive()
    {
        const QString target = m_dir + "/pseudo-drive.img";
        CDvdBurner burner;
        burner.SetBurnPath(m_dir.toLocal8Bit().constData());
        std::vector<char> message(DiscToolOutput::kMessageBufferSize, '\0');
        QList<float> seen;
        std::atomic<bool> done{false};
        std::thread watcher([&] {
            while (!done) {
                seen << burner.GetBuringPrg();
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
        const int result = burner.StartBurning(m_authored.toLocal8Bit().constData(), "DISC(Video_DVD)",
                                               ("stdio:" + target).toLocal8Bit().constData(), message.data());
        done = true;
        watcher.join();
        QCOMPARE(result, 1);
        QCOMPARE(burner.GetBuringPrg(), 100.0f);
        for (int i = 1; i < seen.size(); ++i)
            QVERIFY(seen[i] >= seen[i - 1]);
        const auto listing = DiscMedia::listDvd(target);
        QVERIFY2(listing.ok, qPrintable(listing.output));
        QCOMPARE(listing.discTitle, QStringLiteral("DISC(Video_DVD)"));
        QVERIFY(qAbs(listing.titleSeconds.value(0) - 20.0) <= 0.5);
        // The temporary image the drive was fed from is gone.
        QCOMPARE(filesNamed(m_dir, "dvd-burn"), QStringList());
    }

    void burnFailures()
    {
        CDvdBurner burner;
        burner.SetBurnPath(m_dir.toLocal8Bit().constData());
        std::vector<char> message(DiscToolOutput::kMessageBufferSize, '\0');
        const QByteArray source = m_authored.toLocal8Bit();

        QCOMPARE(burner.StartBurning(source.constData(), "L", "", message.data()), 0);
        QCOMPARE(messageOf(message), QStringLiteral("No optical drive was chosen."));

        QCOMPARE(burner.StartBurning((m_dir + "/empty").toLocal8Bit().constData(), "L", "/dev/sr0",
                                     message.data()),
                 0);
        QVERIFY(messageOf(message).contains("no DVD-Video structure"));

        QCOMPARE(burner.StartBurning(source.constData(), "A label of more than thirty-two bytes", "/dev/sr0",
                                     message.data()),
                 0);
        QVERIFY(messageOf(message).contains("32"));

        // A drive that is not there: xorriso's reason, not its closing summary.
        QCOMPARE(burner.StartBurning(source.constData(), "L", "/dev/no-such-drive", message.data()), 0);
        QVERIFY2(messageOf(message).startsWith("xorriso : FAILURE") &&
                     messageOf(message).contains("/dev/no-such-drive"),
                 qPrintable(messageOf(message)));
        QCOMPARE(filesNamed(m_dir, "dvd-burn"), QStringList());

        // An image in a folder that does not exist: nothing half-written stays.
        const QString iso = m_dir + "/no/such/folder/x.iso";
        QCOMPARE(burner.StartBurning(source.constData(), "L", CDvdBurner::imageFileDrive(iso).toLocal8Bit(),
                                     message.data()),
                 0);
        QVERIFY(!messageOf(message).isEmpty());
        QCOMPARE(messageOf(message), "The image cannot be written to " + iso + ".");
        QVERIFY(!QFile::exists(iso));
    }

    void cancelStopsBurning()
    {
        // xorriso waits for a reader of its pseudo-drive that never comes.
        const QString fifo = m_dir + "/burnfifo";
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        CDvdBurner burner;
        burner.SetBurnPath(m_dir.toLocal8Bit().constData());
        std::vector<char> message(DiscToolOutput::kMessageBufferSize, '\0');
        int result = -1;
        std::thread worker([&] {
            result = burner.StartBurning(m_authored.toLocal8Bit().constData(), "L",
                                         ("stdio:" + fifo).toLocal8Bit().constData(), message.data());
        });
        QVERIFY(waitForProcess("stdio:" + fifo));
        burner.Cancel();
        worker.join();
        QCOMPARE(result, 0);
        QCOMPARE(messageOf(message), QStringLiteral("Burning was cancelled."));
        QTRY_VERIFY_WITH_TIMEOUT(DiscMedia::processesMentioning("stdio:" + fifo).isEmpty(), 10000);
        QCOMPARE(filesNamed(m_dir, "dvd-burn"), QStringList());
    }

    void imageFileDrives()
    {
        QCOMPARE(CDvdBurner::imageFileOf(CDvdBurner::imageFileDrive("/a b/c.iso")),
                 QStringLiteral("/a b/c.iso"));
        QCOMPARE(CDvdBurner::imageFileOf("/dev/sr0"), QString());
        QCOMPARE(CDvdBurner::imageFileOf("stdio:/tmp/x.iso"), QString());
    }
};

QTEST_GUILESS_MAIN(TestDiscEngine)
#include "tst_discengine.moc"
