// The authoring input and the burn run shared by the burning dialogs and the
// command-line tool: dvd.xml, the working folder, and whole runs from the
// DVD profile's output to a disc image or a pseudo-drive, with failures and
// cancelling.
#include "core/disc/discdrive.h"
#include "core/disc/dvdauthoring.h"
#include "core/disc/dvdburnjob.h"
#include "core/jobs/convertjob.h"
#include "core/jobs/transcodethread.h"
#include "core/media/videoinfo.h"
#include "core/platform/platform.h"
#include "core/profiles/videoprofileinfomanager.h"
#include "engine/disc/dvdburner.h"
#include "engine/transcode/transcodestatus.h"

#include "common/discmedia.h"
#include "common/testmedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QtTest>

#include <sys/stat.h>

#include <tinyxml2.h>

#include <memory>

namespace {

QString readText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

bool writeText(const QString &path, const QString &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text.toUtf8()) >= 0;
}

// Every element of the document, depth first, as "name" lines.
void collectElements(const tinyxml2::XMLElement *e, QStringList &names)
{
    for (; e; e = e->NextSiblingElement()) {
        names << QString::fromUtf8(e->Name());
        collectElements(e->FirstChildElement(), names);
    }
}

// Runs a job on a thread of its own; samples both progress values meanwhile.
struct Sampled {
    QList<int> creator;
    QList<int> burn;
};

Sampled runSampled(DvdBurnJob &job)
{
    Sampled s;
    std::unique_ptr<QThread> thread(QThread::create([&job] { job.run(); }));
    thread->start();
    while (!thread->wait(10)) {
        s.creator << job.getCreatorProgress();
        s.burn << job.getBurnProgress();
    }
    return s;
}

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

class TestDvdBurnJob : public QObject {
    Q_OBJECT

private:
    QString m_dir;
    QString m_dvdFile; // the DVD profile's output of a 20 s clip

    QString freshBase(const QString &name)
    {
        const QString base = m_dir + "/" + name;
        QDir(base).removeRecursively();
        QDir().mkpath(base);
        return base;
    }

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        const QString clip = m_dir + "/clip.mp4";
        QVERIFY(TestMedia::makeClip(clip, 20.0, 320, 240, "30"));
        const CVideoFormatInfo *dvd = CVideoProfileInfoManager::getInstance()->getFormatInfo("1023");
        QVERIFY(dvd);
        const JobProfile profile = ConvertJob::jobProfile(*dvd);
        VideoInfo source(clip);
        QVERIFY(source.isValid());
        m_dvdFile = m_dir + "/clip.mpg";
        TranscodeJob built;
        QVERIFY(ConvertJob::build(profile, source, m_dvdFile, m_dir, {}, &built));
        TranscodeThread job(std::move(built));
        job.start();
        QVERIFY(job.wait(600000));
        QVERIFY2(job.result().ok(), job.result().reason.c_str());
        // (Decoding the MPEG program stream back makes FFmpeg warn about
        // repeated AC-3 timestamps even for its own DVD output, so the stream
        // parameters are checked instead.)
        const QJsonObject probe = TestMedia::probe(m_dvdFile);
        const QJsonObject video = TestMedia::stream(probe, "video");
        QCOMPARE(video.value("codec_name").toString(), QStringLiteral("mpeg2video"));
        QCOMPARE(video.value("height").toInt(), 576);
        QCOMPARE(TestMedia::stream(probe, "audio").value("codec_name").toString(), QStringLiteral("ac3"));
        QVERIFY(qAbs(TestMedia::durationSeconds(probe) - 20.0) < 0.3);
    }

    void dvdXmlHoldsExactlyTheTitleAndFormat()
    {
        const QString path = m_dir + "/odd name & <more> ü.mpg";
        const QString text = DvdAuthoring::dvdXmlText(path, "ntsc");
        QVERIFY(!text.startsWith("<?xml"));
        tinyxml2::XMLDocument doc;
        QCOMPARE(doc.Parse(text.toUtf8().constData()), tinyxml2::XML_SUCCESS);
        QStringList names;
        collectElements(doc.RootElement(), names);
        QCOMPARE(names, QStringList({"dvdauthor", "vmgm", "titleset", "titles", "pgc", "vob"}));
        const tinyxml2::XMLElement *root = doc.RootElement();
        QCOMPARE(QString::fromUtf8(root->Attribute("format")), QStringLiteral("ntsc"));
        QVERIFY(!root->FirstAttribute()->Next()); // the format is its only attribute
        QVERIFY(!root->FirstChildElement("vmgm")->FirstChild());
        const tinyxml2::XMLElement *vob = root->FirstChildElement("titleset")
                                              ->FirstChildElement("titles")
                                              ->FirstChildElement("pgc")
                                              ->FirstChildElement("vob");
        QCOMPARE(QString::fromUtf8(vob->Attribute("file")), path);
        QVERIFY(!vob->FirstAttribute()->Next());

        // Without a known format the root has no attribute at all.
        tinyxml2::XMLDocument plain;
        QCOMPARE(plain.Parse(DvdAuthoring::dvdXmlText(path, QString()).toUtf8().constData()),
                 tinyxml2::XML_SUCCESS);
        QVERIFY(!plain.RootElement()->FirstAttribute());
    }

    void dvdXmlIsRewrittenAndUnsafeNamesRefused()
    {
        const QString xml = m_dir + "/rewrite.xml";
        QVERIFY(writeText(xml, QString(5000, QLatin1Char('x'))));
        QString error;
        QVERIFY(DvdAuthoring::writeDvdXml(xml, "/films/a.mpg", "pal", &error));
        QCOMPARE(readText(xml), DvdAuthoring::dvdXmlText("/films/a.mpg", "pal"));

        // dvdauthor would run such a name as a shell command.
        const QString marker = m_dir + "/ran";
        const QString evil = QStringLiteral("touch %1 |").arg(marker);
        QVERIFY(!DvdAuthoring::isSafeSourcePath(evil));
        QVERIFY(!DvdAuthoring::isSafeSourcePath("/films/a.mpg| "));
        QVERIFY(DvdAuthoring::isSafeSourcePath("/films/a|b.mpg"));
        QVERIFY(!DvdAuthoring::isSafeSourcePath("-"));
        QVERIFY(!DvdAuthoring::isSafeSourcePath("&3"));
        QVERIFY(DvdAuthoring::isSafeSourcePath("&more.mpg"));
        QVERIFY(!DvdAuthoring::isSafeSourcePath(""));
        QVERIFY(!DvdAuthoring::writeDvdXml(xml, evil, "pal", &error));
        QVERIFY(error.contains(evil));
        QVERIFY(!QFile::exists(xml)); // the old description is gone, not left for a run

        const QString base = freshBase("evil");
        DvdBurnJob job;
        job.setBurnParam(evil, CDvdBurner::imageFileDrive(base + "/x.iso"), "L", base);
        job.run();
        QCOMPARE(job.getResult(), 0);
        QVERIFY(job.message().contains(evil));
        QVERIFY(!QFile::exists(marker));
    }

    void videoFormatOfTheDvdProfilesOutput()
    {
        QCOMPARE(DvdAuthoring::videoFormatOf(m_dvdFile), QStringLiteral("pal"));
        const QString ntsc = m_dir + "/ntsc.mpg";
        QVERIFY(DiscMedia::makeDvdMpeg(ntsc, 1.0, false));
        QCOMPARE(DvdAuthoring::videoFormatOf(ntsc), QStringLiteral("ntsc"));
        QCOMPARE(DvdAuthoring::videoFormatOf(m_dir + "/missing.mpg"), QString());
    }

    void emptyFolderKeepsTheFolderAndWhatLinksPointAt()
    {
        const QString work = m_dir + "/work";
        const QString outside = m_dir + "/outside";
        QVERIFY(QDir().mkpath(work + "/VIDEO_TS/deep/deeper"));
        QVERIFY(QDir().mkpath(outside));
        QVERIFY(writeText(outside + "/keep.txt", "keep"));
        QVERIFY(writeText(work + "/.hidden", "x"));
        QVERIFY(writeText(work + "/VIDEO_TS/deep/deeper/a.vob", "x"));
        QVERIFY(writeText(work + "/VIDEO_TS/.hidden", "x"));
        QVERIFY(QFile::link(outside, work + "/link"));
        QVERIFY(QFile::link(m_dir + "/gone", work + "/dangling"));
        QString error;
        QVERIFY2(DvdAuthoring::emptyFolder(work, &error), qPrintable(error));
        QVERIFY(QFileInfo(work).isDir());
        QCOMPARE(QDir(work)
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                     .size(),
                 0);
        QVERIFY(QFile::exists(outside + "/keep.txt"));

        // A missing folder is made.
        const QString fresh = m_dir + "/fresh/work";
        QVERIFY(DvdAuthoring::emptyFolder(fresh, &error));
        QVERIFY(QFileInfo(fresh).isDir());
        QVERIFY(!DvdAuthoring::emptyFolder(QString(), &error));
    }

    void foldersOfTheRun()
    {
        DvdAuthoring::setBaseFolderOverride(m_dir + "/base");
        QCOMPARE(DvdAuthoring::baseFolder(), m_dir + "/base");
        DvdAuthoring::setBaseFolderOverride(QString());
        // The test program's folder is writable, so it is used as the program's would be.
        QCOMPARE(DvdAuthoring::baseFolder(), QCoreApplication::applicationDirPath());
        QVERIFY(DvdAuthoring::userDataFolder().endsWith("/CorVane Software/Corvane Reelmax"));
        QCOMPARE(DvdAuthoring::dvdXmlPath("/b"), QStringLiteral("/b/dvd.xml"));
        QCOMPARE(DvdAuthoring::workFolder("/b"), QStringLiteral("/b/dvd"));
    }

    void driveModelsFromTheKernel()
    {
        const QString sys = m_dir + "/sys/block";
        QVERIFY(QDir().mkpath(sys + "/sr0/device"));
        QVERIFY(writeText(sys + "/sr0/device/vendor", "HL-DT-ST\n"));
        QVERIFY(writeText(sys + "/sr0/device/model", "DVDRAM GH24NSD1  \n"));
        QVERIFY(QDir().mkpath(sys + "/sr1/device"));
        QVERIFY(writeText(sys + "/sr1/device/model", "USB DVD\n"));
        QCOMPARE(Platform::opticalDriveModelFrom(sys, "/dev/sr0"),
                 QStringLiteral("HL-DT-ST DVDRAM GH24NSD1"));
        QCOMPARE(Platform::opticalDriveModelFrom(sys, "/dev/sr1"), QStringLiteral("USB DVD"));
        QCOMPARE(Platform::opticalDriveModelFrom(sys, "/dev/sr7"), QString());
        QCOMPARE((DiscDrive{"/dev/sr0", "HL-DT-ST DVDRAM"}).displayText(),
                 QStringLiteral("/dev/sr0 (HL-DT-ST DVDRAM)"));
        QCOMPARE((DiscDrive{"/dev/sr0", QString()}).displayText(), QStringLiteral("/dev/sr0"));
    }

    void dvdProfileOutputBecomesAnImage()
    {
        const QString base = freshBase("image");
        const QString iso = m_dir + "/out/film.iso";
        QVERIFY(QDir().mkpath(m_dir + "/out"));
        DvdBurnJob job;
        job.setBurnParam(m_dvdFile, CDvdBurner::imageFileDrive(iso), "DISC(Video_DVD)", base);
        QCOMPARE(job.sizeMb(), float(QFileInfo(m_dvdFile).size() / 1024.0 / 1024.0));
        QVERIFY(readText(job.xmlPath()).contains("format=\"pal\""));
        // Before the run: no verdict, no progress.
        QCOMPARE(job.getResult(), -1);
        QCOMPARE(job.getBurnProgress(), 0);
        QCOMPARE(job.getCreatorProgress(), 0);

        const Sampled s = runSampled(job);
        QCOMPARE(job.getResult(), 1);
        QVERIFY(job.isFinished());
        QCOMPARE(job.message(), QString());
        QCOMPARE(job.getCreatorProgress(), 100);
        QCOMPARE(job.getBurnProgress(), 100);
        // Creation reaches 100 before the burn moves; neither goes back.
        for (int i = 0; i < s.burn.size(); ++i) {
            if (s.burn[i] > 0)
                QCOMPARE(s.creator[i], 100);
            if (i > 0) {
                QVERIFY(s.creator[i] >= s.creator[i - 1]);
                QVERIFY(s.burn[i] >= s.burn[i - 1]);
            }
        }

        const auto listing = DiscMedia::listDvd(iso);
        QVERIFY2(listing.ok, qPrintable(listing.output));
        QCOMPARE(listing.titleSeconds.size(), 1);
        QVERIFY2(qAbs(listing.titleSeconds[0] - 20.0) <= 0.5, qPrintable(listing.output));
        QCOMPARE(DiscMedia::volumeId(iso), QStringLiteral("DISC(Video_DVD)"));
        const QStringList files = DiscMedia::isoFiles(iso);
        for (const char *name :
             {"/VIDEO_TS/VIDEO_TS.IFO", "/VIDEO_TS/VTS_01_0.IFO", "/VIDEO_TS/VTS_01_1.VOB"})
            QVERIFY2(files.contains(name), qPrintable(files.join(' ')));
        QVERIFY(!QFile::exists(iso + ".part"));
        // The authored copy is not left behind.
        QCOMPARE(QDir(job.workFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 0);
    }

    void burnsToAPseudoDriveWithTheLabelUnchanged()
    {
        const QString base = freshBase("pseudo");
        const QString target = m_dir + "/pseudo.img";
        // (A volume label is padded with blanks on the disc, so none trails here.)
        const QString label = QStringLiteral(" Holiday 2024 & more!");
        DvdBurnJob job;
        job.setBurnParam(m_dvdFile, "stdio:" + target, label, base);
        QCOMPARE(job.drive(), "stdio:" + target); // the drive text is used whole
        QCOMPARE(job.label(), label);
        job.run();
        QCOMPARE(job.getResult(), 1);
        QCOMPARE(job.getBurnProgress(), 100);
        const auto listing = DiscMedia::listDvd(target);
        QVERIFY2(listing.ok, qPrintable(listing.output));
        QVERIFY(qAbs(listing.titleSeconds.value(0) - 20.0) <= 0.5);
        QCOMPARE(DiscMedia::volumeId(target), label);
        QVERIFY(!QFile::exists(base + "/dvd-burn.iso"));
    }

    void failuresEndWithAVerdictAndAReason()
    {
        const QString base = freshBase("fail");
        // No drive: authoring happens, burning fails; the bar ends at 100.
        DvdBurnJob noDrive;
        noDrive.setBurnParam(m_dvdFile, QString(), "DISC(Video_DVD)", base);
        QCOMPARE(noDrive.drive(), QString());
        noDrive.run();
        QCOMPARE(noDrive.getResult(), 0);
        QCOMPARE(noDrive.getCreatorProgress(), 100);
        QCOMPARE(noDrive.getBurnProgress(), 100);
        QCOMPARE(noDrive.message(), QStringLiteral("No optical drive was chosen."));

        // A missing source: size 0, the run is made and fails.
        DvdBurnJob missing;
        missing.setBurnParam(m_dir + "/missing.mpg", "stdio:" + m_dir + "/never.img", "L", base);
        QCOMPARE(missing.sizeMb(), 0.0f);
        missing.run();
        QCOMPARE(missing.getResult(), 0);
        QVERIFY(!missing.message().isEmpty());
        // Nothing was burnt from a structure that could not be authored.
        QVERIFY(!QFile::exists(m_dir + "/never.img"));
    }

    void secondBurnAfterACancelStartsClean()
    {
        const QString base = freshBase("again");
        const QString fifo = m_dir + "/never-written.mpg";
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        DvdBurnJob first;
        first.setBurnParam(fifo, CDvdBurner::imageFileDrive(m_dir + "/first.iso"), "L", base);
        std::unique_ptr<QThread> thread(QThread::create([&first] { first.run(); }));
        thread->start();
        QVERIFY(waitForProcess(first.xmlPath()));
        first.cancel();
        QVERIFY(thread->wait(60000));
        QCOMPARE(first.getResult(), 0);
        QVERIFY(first.isCancelled());
        QTRY_VERIFY_WITH_TIMEOUT(DiscMedia::processesMentioning(first.xmlPath()).isEmpty(), 10000);
        QVERIFY(!QFile::exists(m_dir + "/first.iso"));

        // Leftovers in the working folder must not reach the next disc.
        QVERIFY(QDir().mkpath(first.workFolder() + "/VIDEO_TS"));
        QVERIFY(writeText(first.workFolder() + "/VIDEO_TS/STALE.VOB", "stale"));

        const QString iso = m_dir + "/second.iso";
        DvdBurnJob second;
        second.setBurnParam(m_dvdFile, CDvdBurner::imageFileDrive(iso), "L", base);
        QCOMPARE(readText(second.xmlPath()), DvdAuthoring::dvdXmlText(m_dvdFile, "pal"));
        second.run();
        QCOMPARE(second.getResult(), 1);
        const QStringList files = DiscMedia::isoFiles(iso);
        QVERIFY(files.contains("/VIDEO_TS/VTS_01_1.VOB"));
        QVERIFY2(!files.join(' ').contains("STALE"), qPrintable(files.join(' ')));
    }
};

QTEST_GUILESS_MAIN(TestDvdBurnJob)
#include "tst_dvdburnjob.moc"
