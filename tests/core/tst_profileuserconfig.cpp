// The user's profile configuration (upc.xml): lists, overrides, the recent
// list, recovery from damaged files and saves that survive a kill.
#include "core/profiles/upcdefaults.h"
#include "core/profiles/videoprofileinfomanager.h"
#include "core/profiles/videoprofileuserconfig.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <tinyxml2.h>

#include <cstdio>

namespace {

QString readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

QString printed(const tinyxml2::XMLDocument &doc)
{
    tinyxml2::XMLPrinter printer;
    doc.Print(&printer);
    return QString::fromUtf8(printer.CStr());
}

QStringList idsOf(const QList<VideoProfileFormatUserConfig> &profiles)
{
    QStringList ids;
    for (const auto &p : profiles)
        ids << p.getID();
    return ids;
}

QStringList titlesOf(const QList<VideoProfileCategory> &categories)
{
    QStringList titles;
    for (const auto &c : categories)
        titles << c.title;
    return titles;
}

class FrenchTitles : public QTranslator {
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (qstrcmp(context, "VideoProfileUserConfig") == 0 && qstrcmp(source, "Apple") == 0)
            return QStringLiteral("Pomme");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TstProfileUserConfig : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void shippedDefaultLayout();
    void defaultBuiltFromDatabaseMatchesShipped();
    void missingFileSeedsDefault();
    void damagedFileRecoversWithBackup_data();
    void damagedFileRecoversWithBackup();
    void configLocation();
    void overridesAndSetters();
    void setResolutionRules();
    void categoryListingRules();
    void titleCollisionAndTranslation();
    void recentList();
    void recentHandleSurvivesReuse();
    void startAndDefaultProfiles();
    void saveSurvivesKill();

private:
    VideoProfileUserConfig *cfg() { return VideoProfileUserConfig::getInstance(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    void useXml(const QByteArray &xml, const QString &name = QStringLiteral("custom.xml"));

    QTemporaryDir m_dir;
};

void TstProfileUserConfig::initTestCase()
{
    // The lookups' debug lines are checked below; they are off by default.
    QLoggingCategory::setFilterRules(QStringLiteral("reelmax.*.debug=true"));
    QVERIFY(m_dir.isValid());
    // Never the file beside the test program.
    qputenv("REELMAX_UPC", path("first.xml").toUtf8());
    // Nor the default beside it, which is also a developer's live file.
    qputenv("REELMAX_UPC_DEFAULT", REELMAX_SOURCE_DIR "/res/upc.xml");
    QCOMPARE(cfg()->configPath(), path("first.xml"));
    QVERIFY(QFile::exists(path("first.xml")));
}

void TstProfileUserConfig::init()
{
    VideoProfileUserConfig::setShippedDefaultPath(QString());
}

void TstProfileUserConfig::cleanupTestCase()
{
    VideoProfileUserConfig::setShippedDefaultPath(QString());
}

void TstProfileUserConfig::useXml(const QByteArray &xml, const QString &name)
{
    writeFile(path(name), xml);
    QVERIFY(cfg()->setConfigPath(path(name)));
}

void TstProfileUserConfig::shippedDefaultLayout()
{
    // The build ships a copy beside the program; the tests read the
    // sources' copy, named by REELMAX_UPC_DEFAULT.
    QVERIFY(QFile::exists(QStringLiteral(REELMAX_BIN_DIR "/upc.xml")));
    QCOMPARE(VideoProfileUserConfig::shippedDefaultPath(), QStringLiteral(REELMAX_SOURCE_DIR "/res/upc.xml"));
    QFile::remove(path("fresh.xml"));
    cfg()->setConfigPath(path("fresh.xml"));

    QCOMPARE(titlesOf(cfg()->getUserCategories()), (QStringList{"Recent", "Favourites"}));
    QCOMPARE(titlesOf(cfg()->getDVDCategories()), QStringList{"DVD"});
    QCOMPARE(titlesOf(cfg()->getFormatsCategories()),
             (QStringList{"Common Video", "Common Audio", "HD Video", "3D Video", "Online Video"}));
    QCOMPARE(titlesOf(cfg()->getDeviceCategories()),
             (QStringList{"Apple", "HTC", "Motorola", "Nokia", "LG", "BlackBerry", "Samsung", "Sony Ericsson",
                          "Game Hardware", "Mobile Phones", "Microsoft Zune", "Creative ZEN", "Archos",
                          "Sandisk Sansa", "Media Players"}));
    QCOMPARE(cfg()->getCategoryInfo("Apple").icon, QStringLiteral("MenuApple"));
    QCOMPARE(cfg()->getCategoryInfo("Recent").icon, QStringLiteral("MenuRecent"));

    // One entry per profile, in catalogue order, all shown.
    const CVideoProfileInfoManager *db = CVideoProfileInfoManager::getInstance();
    int total = 0;
    for (const UpcDefaults::CategoryDef &c : UpcDefaults::categories()) {
        QStringList expected;
        for (const QString &id : db->formatIds())
            if (db->getFormatInfo(id)->attribute("categoryid") == c.id)
                expected << id;
        if (expected.isEmpty())
            continue;
        const auto shown = cfg()->getFormats(c.title, false);
        QCOMPARE(idsOf(shown), expected);
        QCOMPARE(idsOf(cfg()->getFormats(c.title, true)), expected);
        total += shown.size();
    }
    QCOMPARE(total, 214);
    QCOMPARE(idsOf(cfg()->getFormats("DVD")), QStringList{"1023"});
    QCOMPARE(cfg()->getFormats("Recent").size(), 0);
}

void TstProfileUserConfig::defaultBuiltFromDatabaseMatchesShipped()
{
    tinyxml2::XMLDocument built, shipped;
    QVERIFY(UpcDefaults::build(built));
    const QByteArray data = readAll(VideoProfileUserConfig::shippedDefaultPath()).toUtf8();
    QCOMPARE(shipped.Parse(data.constData(), size_t(data.size())), tinyxml2::XML_SUCCESS);
    QCOMPARE(printed(built), printed(shipped));
}

void TstProfileUserConfig::missingFileSeedsDefault()
{
    // Seeded from the copy beside the program...
    QFile::remove(path("seeded.xml"));
    cfg()->setConfigPath(path("seeded.xml"));
    QVERIFY(QFile::exists(path("seeded.xml")));
    QCOMPARE(cfg()->getFormats("Apple").size(), 15);

    // ...or, without it, built from the database.
    VideoProfileUserConfig::setShippedDefaultPath(path("no-such-default.xml"));
    QFile::remove(path("built.xml"));
    cfg()->setConfigPath(path("built.xml"));
    QCOMPARE(cfg()->getFormats("Apple").size(), 15);
    QCOMPARE(cfg()->getFormats("Common Audio").size(), 14);
    QVERIFY(readAll(path("built.xml")).contains(QLatin1String("<DeviceProfiles>")));
}

void TstProfileUserConfig::damagedFileRecoversWithBackup_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated") << QByteArray(
        "<?xml version=\"1.0\"?>\n<Config>\n    <UserProfiles>\n        <Cat");
    QTest::newRow("binary") << QByteArray::fromHex("0001fffe") + QByteArray(" garbage");
    QTest::newRow("blanks") << QByteArray("   \r\n  ");
    QTest::newRow("no element") << QByteArray("<?xml version=\"1.0\"?>\n<!-- nothing -->\n");
    // Well-formed, but not a profile configuration.
    QTest::newRow("wrong root") << QByteArray("<?xml version=\"1.0\"?>\n<Nothing/>\n");
    QTest::newRow("no profile entries")
        << QByteArray("<?xml version=\"1.0\"?>\n<Config><UserProfiles><Category title=\"Recent\"/>"
                      "</UserProfiles></Config>\n");
}

void TstProfileUserConfig::damagedFileRecoversWithBackup()
{
    QFETCH(QByteArray, content);
    QDir dir(m_dir.path());
    for (const QString &old : dir.entryList({"damaged.xml*"}))
        dir.remove(old);
    writeFile(path("damaged.xml"), content);
    QVERIFY(!cfg()->setConfigPath(path("damaged.xml"))); // false: it did not load as it was

    const QStringList backups = dir.entryList({"damaged.xml.*.bak"});
    QCOMPARE(backups.size(), 1);
    QFile backup(dir.filePath(backups.first()));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), content);

    tinyxml2::XMLDocument doc;
    QCOMPARE(doc.LoadFile(qPrintable(path("damaged.xml"))), tinyxml2::XML_SUCCESS);
    QCOMPARE(cfg()->getFormats("Apple").size(), 15);
    QCOMPARE(cfg()->getDVDCategories().size(), 1);
}

void TstProfileUserConfig::configLocation()
{
    QCOMPARE(VideoProfileUserConfig::defaultConfigPath(), path("first.xml"));
    const QByteArray saved = qgetenv("REELMAX_UPC");
    qunsetenv("REELMAX_UPC");
    // The test program's folder is writable: the file lives beside it.
    QCOMPARE(VideoProfileUserConfig::defaultConfigPath(),
             QCoreApplication::applicationDirPath() + "/upc.xml");
    qputenv("REELMAX_UPC", saved);
    QVERIFY(VideoProfileUserConfig::userConfigPath().endsWith(
        QLatin1String("/CorVane Software/Corvane Reelmax/upc.xml")));
    // Saves go through a temporary file: none is left behind.
    cfg()->setConfigPath(path("clean/upc.xml"));
    cfg()->addRecent("1000");
    cfg()->addRecent("1001");
    QCOMPARE(QDir(path("clean")).entryList(QDir::Files), QStringList{"upc.xml"});
}

void TstProfileUserConfig::overridesAndSetters()
{
    useXml("<Config><DVDProfiles><Category title=\"DVD\" icon=\"MenuBurnDVD\">"
           "<Format id=\"1023\" skip=\"false\" frameRate=\"0\" videoBitrate=\"0\" sampleRate=\"0\" "
           "channels=\"0\" audioBitrate=\"0\" videoEncoder=\"\" audioEncoder=\"mp2\" width=\"352\"/>"
           "<Format id=\"1000\" skip=\"false\" width=\"0\" height=\"0\"/>"
           "</Category></DVDProfiles></Config>");
    const auto profiles = cfg()->getFormats("DVD");
    QCOMPARE(profiles.size(), 2);
    const VideoProfileFormatUserConfig dvd = profiles.at(0);
    QVERIFY(dvd.isValid());
    QCOMPARE(dvd.getName(), QStringLiteral("DVD"));
    QCOMPARE(dvd.getFormat(), QStringLiteral(".mpg"));
    QCOMPARE(dvd.getIcon(), QStringLiteral("IconDVD"));
    // Overrides win, "0" and "" included.
    QCOMPARE(dvd.getFrameRate(), QStringLiteral("0"));
    QCOMPARE(dvd.getVideoBitrate(), QStringLiteral("0"));
    QCOMPARE(dvd.getSampleRate(), QStringLiteral("0"));
    QCOMPARE(dvd.getChannels(), QStringLiteral("0"));
    QCOMPARE(dvd.getAudioBitrate(), QStringLiteral("0"));
    QCOMPARE(dvd.getVideoEncoder(), QString());
    QCOMPARE(dvd.getAudioEncoder(), QStringLiteral("mp2"));
    // Width without height: both from the database.
    QCOMPARE(dvd.getResolution(), QSize(720, 576));
    QCOMPARE(dvd.getFormate(), QStringLiteral("0"));
    // "0" x "0" keeps the source size.
    QCOMPARE(profiles.at(1).getResolution(), QSize(0, 0));
    QCOMPARE(profiles.at(1).getFrameRate(), QStringLiteral("0")); // the database default
    QCOMPARE(profiles.at(1).getVideoEncoder(), QStringLiteral("msmpeg4"));
    QCOMPARE(dvd.getResolutionList(), QStringList{"720*576"});

    // Every setter writes its attribute and saves at once.
    VideoProfileFormatUserConfig asf = profiles.at(1);
    asf.setVideoEncoder("libxvid");
    asf.setFrameRate("25000");
    asf.setVideoBitrate("900000");
    asf.setAudioEncoder("mp3 ");
    asf.setSampleRate("48000");
    asf.setChannels("1");
    asf.setAudioBitrate("96000");
    asf.setSkip(true);
    tinyxml2::XMLDocument onDisk;
    QCOMPARE(onDisk.LoadFile(qPrintable(path("custom.xml"))), tinyxml2::XML_SUCCESS);
    const tinyxml2::XMLElement *e = onDisk.RootElement()
                                        ->FirstChildElement("DVDProfiles")
                                        ->FirstChildElement()
                                        ->LastChildElement("Format");
    QCOMPARE(QByteArray(e->Attribute("videoEncoder")), QByteArray("libxvid"));
    QCOMPARE(QByteArray(e->Attribute("frameRate")), QByteArray("25000"));
    QCOMPARE(QByteArray(e->Attribute("videoBitrate")), QByteArray("900000"));
    QCOMPARE(QByteArray(e->Attribute("audioEncoder")), QByteArray("mp3 "));
    QCOMPARE(QByteArray(e->Attribute("sampleRate")), QByteArray("48000"));
    QCOMPARE(QByteArray(e->Attribute("channels")), QByteArray("1"));
    QCOMPARE(QByteArray(e->Attribute("audioBitrate")), QByteArray("96000"));
    QCOMPARE(QByteArray(e->Attribute("skip")), QByteArray("true"));
    QVERIFY(asf.isSkip());
    QCOMPARE(asf.getAudioEncoder(), QStringLiteral("mp3 "));
    asf.setSkip(false);
    QVERIFY(!asf.isSkip());

    // An invalid handle is inert.
    VideoProfileFormatUserConfig none;
    QVERIFY(!none.isValid());
    QCOMPARE(none.getResolution(), QSize(0, 0));
    QCOMPARE(none.getVideoEncoder(), QString());
    none.setVideoEncoder("x"); // no crash, nothing to save
}

void TstProfileUserConfig::setResolutionRules()
{
    useXml("<Config><FormatsProfiles><Category title=\"C\" icon=\"I\"><Format id=\"1004\" skip=\"false\"/>"
           "</Category></FormatsProfiles></Config>");
    VideoProfileFormatUserConfig mp4 = cfg()->getFormats("C").first();
    QCOMPARE(mp4.getResolution(), QSize(640, 480));

    // Mark the file on disk: a call that saves would overwrite the mark.
    QFile f(path("custom.xml"));
    QVERIFY(f.open(QIODevice::Append));
    f.write("<!-- mark -->\n");
    f.close();
    for (const char *bad : {"640x480", "1*2*3", "", "1280"}) {
        mp4.setResolution(QString::fromLatin1(bad));
        QCOMPARE(mp4.getResolution(), QSize(640, 480));
    }
    QVERIFY(readAll(path("custom.xml")).contains(QLatin1String("mark")));

    mp4.setResolution("0*0");
    QCOMPARE(mp4.getResolution(), QSize(0, 0));
    QVERIFY(!readAll(path("custom.xml")).contains(QLatin1String("mark")));
    QVERIFY(readAll(path("custom.xml")).contains(QLatin1String("width=\"0\" height=\"0\"")));
    mp4.setResolution("320*240");
    QCOMPARE(mp4.getResolution(), QSize(320, 240));
}

void TstProfileUserConfig::categoryListingRules()
{
    useXml("<Config><UserProfiles><Category title=\"Recent\" icon=\"MenuRecent\"/>"
           "<Category title=\"Favourites\" icon=\"MenuUserDefined\"><Format id=\"1000\" "
           "skip=\"true\"/></Category>"
           "</UserProfiles><FormatsProfiles>"
           "<Category title=\"AllSkipped\" icon=\"A\"><Format id=\"1000\" skip=\"true\"/>"
           "<Format id=\"1001\" skip=\"TRUE\"/></Category>"
           "<Category title=\"Empty\" icon=\"E\"/>"
           "<Category title=\"NoSkip\" icon=\"N\"><Format id=\"1001\"/></Category>"
           "<Category title=\"Mixed\" icon=\"M\"><Format id=\"1000\" skip=\"True\"/>"
           "<Format id=\"1002\" skip=\"FALSE\"/></Category>"
           "<Category title=\"Bad\" icon=\"B\"><Format id=\"9999\" skip=\"false\"/></Category>"
           "</FormatsProfiles></Config>");
    QCOMPARE(titlesOf(cfg()->getUserCategories()), (QStringList{"Recent", "Favourites"}));
    QCOMPARE(titlesOf(cfg()->getFormatsCategories()), (QStringList{"Empty", "Mixed", "Bad"}));
    QCOMPARE(titlesOf(cfg()->getCategories("FormatsProfiles", true)),
             (QStringList{"AllSkipped", "Empty", "NoSkip", "Mixed", "Bad"}));
    QCOMPARE(cfg()->getDeviceCategories().size(), 0); // missing group
    QCOMPARE(cfg()->getCategories("Nonsense", true).size(), 0);

    QCOMPARE(idsOf(cfg()->getFormats("Mixed")), QStringList{"1002"});
    QCOMPARE(idsOf(cfg()->getFormats("Mixed", true)), (QStringList{"1000", "1002"}));
    QCOMPARE(idsOf(cfg()->getFormats("NoSkip")), QStringList{"1001"}); // shown, yet the category is not
    QCOMPARE(idsOf(cfg()->getFormats("AllSkipped")), QStringList());
    QTest::ignoreMessage(QtDebugMsg, "getFormatInfo Failed. formatID = [9999]");
    QTest::ignoreMessage(QtDebugMsg, "Format is not Valid! id = [9999]");
    QCOMPARE(cfg()->getFormats("Bad", true).size(), 0);
    QCOMPARE(cfg()->getFormats("Nope").size(), 0);

    QVERIFY(cfg()->isCategoryHidden("AllSkipped"));
    QVERIFY(cfg()->isCategoryHidden("NoSkip"));
    QVERIFY(cfg()->isCategoryHidden("Nope"));
    QVERIFY(!cfg()->isCategoryHidden("Empty"));
    QVERIFY(!cfg()->isCategoryHidden("Favourites"));

    const VideoProfileCategory mixed = cfg()->getCategoryInfo("Mixed");
    QCOMPARE(mixed.title, QStringLiteral("Mixed"));
    QCOMPARE(mixed.icon, QStringLiteral("M"));
    QVERIFY(cfg()->getCategoryInfo("Nope").title.isEmpty());
    QVERIFY(cfg()->getCategoryInfo("Nope").icon.isEmpty());
}

void TstProfileUserConfig::titleCollisionAndTranslation()
{
    useXml("<Config><UserProfiles><Category title=\"Apple\" icon=\"U\"><Format id=\"1000\" skip=\"false\"/>"
           "</Category></UserProfiles>"
           "<DVDProfiles><Category title=\"Twice\" icon=\"D\"><Format id=\"1023\" skip=\"false\"/></Category>"
           "</DVDProfiles><FormatsProfiles><Category title=\"Twice\" icon=\"F\">"
           "<Format id=\"1004\" skip=\"false\"/></Category></FormatsProfiles>"
           "<DeviceProfiles><Category title=\"Apple\" icon=\"MenuApple\"><Format id=\"1802\" skip=\"false\"/>"
           "</Category><Category title=\"HTC\" icon=\"MenuHTC\"><Format id=\"2102\" skip=\"false\"/>"
           "</Category></DeviceProfiles></Config>");
    // The earlier group wins.
    QCOMPARE(idsOf(cfg()->getFormats("Apple")), QStringList{"1000"});
    QCOMPARE(cfg()->getCategoryInfo("Apple").icon, QStringLiteral("U"));
    QCOMPARE(idsOf(cfg()->getFormats("Twice")), QStringList{"1023"});
    QCOMPARE(cfg()->getCategoryInfo("Twice").icon, QStringLiteral("D"));

    // A translated title, as the lists hand it out, still finds its category.
    FrenchTitles french;
    QCoreApplication::installTranslator(&french);
    const auto devices = cfg()->getDeviceCategories();
    QCOMPARE(titlesOf(devices), (QStringList{"Pomme", "HTC"}));
    QCOMPARE(devices.first().key, QStringLiteral("Apple"));
    QCOMPARE(idsOf(cfg()->getFormats(devices.at(1).title)), QStringList{"2102"});
    QCOMPARE(idsOf(cfg()->getFormats(QStringLiteral("Pomme"))), QStringList{"1000"}); // user group first
    QCOMPARE(cfg()->getCategoryInfo("Pomme").title, QStringLiteral("Pomme"));
    QVERIFY(!cfg()->isCategoryHidden("Pomme"));
    QVERIFY(!cfg()->isCategoryHidden("Apple"));
    QCoreApplication::removeTranslator(&french);
}

void TstProfileUserConfig::recentList()
{
    QFile::remove(path("recent.xml"));
    cfg()->setConfigPath(path("recent.xml"));
    auto recent = [this] { return idsOf(cfg()->getFormats("Recent")); };
    auto onDisk = [this] {
        tinyxml2::XMLDocument doc;
        doc.LoadFile(qPrintable(path("recent.xml")));
        QStringList ids;
        const tinyxml2::XMLElement *c =
            doc.RootElement()->FirstChildElement("UserProfiles")->FirstChildElement();
        for (const tinyxml2::XMLElement *f = c->FirstChildElement("Format"); f; f = f->NextSiblingElement())
            ids << QString::fromUtf8(f->Attribute("id"));
        return ids;
    };
    cfg()->addRecent("1802");
    QCOMPARE(recent(), QStringList{"1802"});
    cfg()->addRecent("1802");
    QCOMPARE(recent(), QStringList{"1802"});
    const QStringList ids{"1000", "1001", "1002", "1004", "1005", "1006", "1007", "1008", "1022", "1021"};
    for (const QString &id : ids)
        cfg()->addRecent(id);
    // Ten entries, newest first: the oldest (1802) is gone.
    QStringList expected = ids;
    std::reverse(expected.begin(), expected.end());
    QCOMPARE(recent(), expected);
    QCOMPARE(onDisk(), expected);
    // The head again: unchanged.
    cfg()->addRecent("1021");
    QCOMPARE(recent(), expected);
    // One further down moves to the head.
    cfg()->addRecent("1005");
    expected.removeAll("1005");
    expected.prepend("1005");
    QCOMPARE(recent(), expected);
    QCOMPARE(onDisk(), expected);
    // Entries carry only the id.
    QVERIFY(readAll(path("recent.xml")).contains(QLatin1String("<Format id=\"1005\"/>")));

    // A hand-edited list longer than ten is cut back on the next use.
    QString text = readAll(path("recent.xml"));
    text.replace(QLatin1String("<Format id=\"1005\"/>"),
                 QLatin1String("<Format id=\"1005\"/><Format id=\"2100\"/><Format id=\"2101\"/>"));
    writeFile(path("recent.xml"), text.toUtf8());
    cfg()->reload();
    QCOMPARE(recent().size(), 12);
    cfg()->addRecent("1200");
    QCOMPARE(recent().size(), 10);
    QCOMPARE(recent().first(), QStringLiteral("1200"));

    // Without a "Recent" category nothing happens.
    useXml("<Config><UserProfiles/><FormatsProfiles><Category title=\"C\" icon=\"C\">"
           "<Format id=\"1001\"/></Category></FormatsProfiles></Config>");
    cfg()->addRecent("1000");
    QVERIFY(!readAll(path("custom.xml")).contains(QLatin1String("1000")));
}

void TstProfileUserConfig::recentHandleSurvivesReuse()
{
    QFile::remove(path("reuse.xml"));
    cfg()->setConfigPath(path("reuse.xml"));
    for (const char *id : {"1000", "1001", "1802", "1004"})
        cfg()->addRecent(QString::fromLatin1(id));
    // The menu chooses an entry of "Recent" itself and records its use with
    // the entry's own id text.
    VideoProfileFormatUserConfig current = cfg()->getFormats("Recent").at(2);
    QCOMPARE(current.getID(), QStringLiteral("1001"));
    current.setVideoBitrate("700000");
    cfg()->addRecent(QString::fromUtf8(current.getElement()->Attribute("id")));
    QVERIFY(current.isValid());
    QCOMPARE(current.getName(), QStringLiteral("MOV"));
    QCOMPARE(current.getVideoBitrate(), QStringLiteral("700000"));
    QVERIFY(cfg()->getFormats("Recent").first() == current);
    QCOMPARE(idsOf(cfg()->getFormats("Recent")), (QStringList{"1001", "1004", "1802", "1000"}));
    QCOMPARE(cfg()->getLastProfile().getID(), QStringLiteral("1001"));
}

void TstProfileUserConfig::startAndDefaultProfiles()
{
    QFile::remove(path("start.xml"));
    cfg()->setConfigPath(path("start.xml"));
    QCOMPARE(cfg()->getDefaultProfile().getID(), QStringLiteral("1023"));
    QCOMPARE(cfg()->getLastProfile().getID(), QStringLiteral("1023")); // empty recent list
    cfg()->addRecent("2102");
    QCOMPARE(cfg()->getLastProfile().getID(), QStringLiteral("2102"));

    // The DVD category hidden: the first format profile, hidden or not.
    useXml(
        "<Config><UserProfiles><Category title=\"Recent\" icon=\"R\"><Format id=\"4242\"/></Category>"
        "</UserProfiles><DVDProfiles><Category title=\"DVD\" icon=\"D\"><Format id=\"1023\" skip=\"true\"/>"
        "</Category></DVDProfiles><FormatsProfiles><Category title=\"Common Video\" icon=\"C\">"
        "<Format id=\"1000\" skip=\"true\"/><Format id=\"1001\" skip=\"false\"/></Category>"
        "</FormatsProfiles><DeviceProfiles><Category title=\"Apple\" icon=\"A\">"
        "<Format id=\"1802\" skip=\"false\"/></Category></DeviceProfiles></Config>");
    QCOMPARE(cfg()->getDefaultProfile().getID(), QStringLiteral("1000"));
    // A recent entry the database lacks does not leave the user without a profile.
    QCOMPARE(cfg()->getLastProfile().getID(), QStringLiteral("1000"));

    useXml("<Config><DeviceProfiles><Category title=\"Apple\" icon=\"A\">"
           "<Format id=\"1802\" skip=\"false\"/></Category></DeviceProfiles></Config>");
    QCOMPARE(cfg()->getDefaultProfile().getID(), QStringLiteral("1802"));

    // Entries the database does not know leave no profile to start with.
    useXml("<Config><FormatsProfiles><Category title=\"C\" icon=\"C\"><Format id=\"9999\"/>"
           "</Category></FormatsProfiles></Config>");
    QVERIFY(!cfg()->getDefaultProfile().isValid());
    QVERIFY(!cfg()->getLastProfile().isValid());
}

void TstProfileUserConfig::saveSurvivesKill()
{
    const QString file = path("killed.xml");
    QFile::remove(file);
    for (int round = 0; round < 6; ++round) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {"--save-loop", file});
        QVERIFY(child.waitForStarted());
        // Wait until a dozen saves went through, then kill it at a random moment.
        QByteArray line;
        while (line != "saved 12") {
            if (!child.canReadLine())
                QVERIFY(child.waitForReadyRead(20000));
            else
                line = child.readLine().trimmed();
        }
        QTest::qSleep(QRandomGenerator::global()->bounded(150));
        child.kill(); // SIGKILL, in the middle of a save more often than not
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        tinyxml2::XMLDocument doc;
        QCOMPARE(doc.LoadFile(qPrintable(file)), tinyxml2::XML_SUCCESS);
        QCOMPARE(QByteArray(doc.RootElement()->Name()), QByteArray("Config"));
        QVERIFY(doc.RootElement()->FirstChildElement("DeviceProfiles"));
    }
    // It reads back as a whole catalogue, with the recent list the loop made.
    cfg()->setConfigPath(file);
    QCOMPARE(cfg()->getFormats("Apple", true).size(), 15);
    QCOMPARE(cfg()->getFormats("Recent").size(), 10);
    QCOMPARE(QDir(m_dir.path()).entryList({"killed.xml.*.bak"}).size(), 0);
}

// Helper mode for saveSurvivesKill: saves upc.xml in a loop until killed.
static int saveLoop(const QString &file)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    qputenv("REELMAX_UPC", file.toUtf8());
    VideoProfileUserConfig *config = VideoProfileUserConfig::getInstance();
    const QStringList ids = CVideoProfileInfoManager::getInstance()->formatIds();
    for (int i = 0;; ++i) {
        config->addRecent(ids.at(i % ids.size()));
        VideoProfileFormatUserConfig p = config->getFormats(QStringLiteral("Apple"), true).at(i % 15);
        p.setVideoBitrate(QString::number(100000 + i));
        if (i < 20) {
            std::printf("saved %d\n", i);
            std::fflush(stdout);
        }
    }
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--save-loop") == 0)
        return saveLoop(QString::fromLocal8Bit(argv[2]));
    TstProfileUserConfig test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_profileuserconfig.moc"
