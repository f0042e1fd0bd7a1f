// The built-in profile database: every profile reachable, in its place, with
// the values the rest of the program depends on.
#include "core/profiles/upcdefaults.h"
#include "core/profiles/videoprofileinfomanager.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QtTest>

#include <tinyxml2.h>

namespace {

struct Expected {
    const char *category;
    const char *id;
    const char *name; // null: left open
    const char *ext;
};

// Database order: groups by category, profiles in catalogue order.
const Expected kCatalogue[] = {
    {"1", "1000", "ASF", ".asf"},
    {"1", "1001", "MOV", ".mov"},
    {"1", "1002", "M4V", ".m4v"},
    {"1", "1004", "MP4 Video", ".mp4"},
    {"1", "1005", "WMV", ".wmv"},
    {"1", "1006", "MKV", ".mkv"},
    {"1", "1007", "AVI", ".avi"},
    {"1", "1008", "xvid", ".avi"},
    {"1", "1022", "DIVX", ".avi"},
    {"1", "1021", "WEBM", ".webm"},
    {"1", "1009", "DV", ".dv"},
    {"1", "1010", "MPEG-1", ".mpg"},
    {"1", "1013", "MPEG-2", ".mpg"},
    {"1", "1016", "DVD-Video", ".vob"},
    {"1003", "1023", "DVD", ".mpg"},
    {"3", "1107", "MKV", ".mkv"},
    {"3", "1100", "TS", ".ts"},
    {"3", "1101", "TRP", ".trp"},
    {"3", "1102", "AVI", ".avi"},
    {"3", "1103", "MP4", ".mp4"},
    {"3", "1104", "MPG", ".mpg"},
    {"3", "1105", "WMV", ".wmv"},
    {"3", "1106", "MOV", ".mov"},
    {"2", "1200", "MP3", ".mp3"},
    {"2", "1201", "M4A", ".m4a"},
    {"2", "1203", "AC3", ".ac3"},
    {"2", "1204", "aac", ".aac"},
    {"2", "1205", "WMA", ".wma"},
    {"2", "1206", "WAV", ".wav"},
    {"2", "1207", "OGG", ".ogg"},
    {"2", "1208", "APE", ".ape"},
    {"2", "1209", "MKA", ".mka"},
    {"2", "1210", "AU", ".au"},
    {"2", "1211", "AIFF", ".aiff"},
    {"2", "1212", "FLAC", ".flac"},
    {"2", "1213", "M4B", ".m4b"},
    {"2", "1214", "M4R", ".m4r"},
    {"10", "1300", "PSP", ".mp4"},
    {"10", "1301", "PS3", ".mp4"},
    {"10", "1302", "PS3 HD", ".mp4"},
    {"10", "1303", "Xbox 360", ".wmv"},
    {"10", "1304", "Xbox 360 HD", ".wmv"},
    {"10", "1305", "Wii", ".avi"},
    {"10", "1306", "NDS", ".dpg"},
    {"11", "1400", "Zune", ".wmv"},
    {"11", "1401", "Zune HD", ".wmv"},
    {"15", "1500", "E200 serise", ".mov"},
    {"15", "1501", "View", ".mp4"},
    {"15", "1502", "Fuze", ".mp4"},
    {"13", "1608", "101 internet tablet", ".mp4"},
    {"13", "1609", "70 internet tablet", ".mp4"},
    {"13", "1610", "43 internet tablet", ".mp4"},
    {"13", "1611", "28 internet tablet", ".mp4"},
    {"13", "1612", "7 home tablet", ".mp4"},
    {"13", "1613", "5 internet tablet", ".mp4"},
    {"13", "1614", "3 vision(AVI)", ".avi"},
    {"13", "1602", "605/704/705", ".avi"},
    {"13", "1603", "504/604", ".avi"},
    {"13", "1604", "404/405", ".avi"},
    {"13", "1605", "AV500/AV700", ".avi"},
    {"13", "1606", "105", ".wmv"},
    {"13", "1607", "Player", ".avi"},
    {"14", "1705", "Creative ZiiO 10", ".mp4"},
    {"14", "1706", "ZCreative ZiiO 7", ".mp4"},
    {"14", "1700", "X-Fi", ".avi"},
    {"14", "1701", "X-Fi2", ".avi"},
    {"14", "1702", "VPLUS", ".avi"},
    {"14", "1703", "Creative Vision", ".wmv"},
    {"14", "1704", "Creative MX", ".wmv"},
    {"5", "1800", "iPod touch", ".mp4"},
    {"5", "1812", "iPod touch 4", ".mp4"},
    {"5", "1813", "iPod touch 4 HD", ".mp4"},
    {"5", "1801", "iPod nano", ".mp4"},
    {"5", "1802", "iPod classic", ".mp4"},
    {"5", "1803", "iPhone All", ".mp4"},
    {"5", "1804", "iPhone 3G", ".mp4"},
    {"5", "1805", "iPhone 3GS", ".mp4"},
    {"5", "1806", "iPhone 4,4S", ".mp4"},
    {"5", "1807", "iPhone 4,4S HD", ".mp4"},
    {"5", "1808", "iPad", ".mp4"},
    {"5", "1809", "iPad,iPad 2 HD", ".mp4"},
    {"5", "1814", "New iPad", ".mp4"},
    {"5", "1810", "Apple TV", ".mp4"},
    {"5", "1811", "Apple TV HD", ".mp4"},
    {"7", "1919", "XOOM", ".mp4"},
    {"7", "1920", "RAZR", ".mp4"},
    {"7", "1912", "Droid 2", ".mp4"},
    {"7", "1911", "Droid X", ".mp4"},
    {"7", "1900", "Droid", ".mp4"},
    {"7", "1901", "i1", ".mp4"},
    {"7", "1902", "XT720", ".mp4"},
    {"7", "1903", "Milestone", ".mp4"},
    {"7", "1904", "CLIQ", ".mp4"},
    {"7", "1905", "CLIQ XT", ".mp4"},
    {"7", "1906", "DEVOUR", ".mp4"},
    {"7", "1907", "Flipout", ".mp4"},
    {"7", "1908", "BACKFLIP", ".mp4"},
    {"7", "1909", "DEXT", ".mp4"},
    {"7", "1910", "Quench", ".mp4"},
    {"12", "2018", "Dell Venue Pro", ".mp4"},
    {"12", "2019", "Dell Streak", ".mp4"},
    {"12", "2000", "Nexus one", ".mp4"},
    {"12", "2002", "3GP", ".3gp"},
    {"12", "2003", "3GP2", ".3g2"},
    {"12", "2004", "Pocket PC", ".wmv"},
    {"12", "2005", "Palm Pre", ".mp4"},
    {"12", "2006", "HP IPAQ", ".wmv"},
    {"12", "2007", "Palm Pixi", ".mp4"},
    {"6", "2132", "Flyer", ".mp4"},
    {"6", "2133", "Sensation", ".mp4"},
    {"6", "2134", "Vivid", ".mp4"},
    {"6", "2116", "HTC Surround", ".mp4"},
    {"6", "2117", "HTC HD7", ".mp4"},
    {"6", "2115", "Aria", ".mp4"},
    {"6", "2100", "Droid Incredible", ".mp4"},
    {"6", "2101", "Droid Eris", ".mp4"},
    {"6", "2102", "Desire", ".mp4"},
    {"6", "2103", "Hero", ".mp4"},
    {"6", "2104", "Legend", ".mp4"},
    {"6", "2105", "Wildfire", ".mp4"},
    {"6", "2106", "Magic", ".mp4"},
    {"6", "2107", "Tattoo", ".mp4"},
    {"6", "2108", "Dream", ".mp4"},
    {"6", "2109", "T-Mobile G1", ".mp4"},
    {"6", "2110", "Mytouch 3G", ".mp4"},
    {"6", "2111", "Diamond", ".mp4"},
    {"6", "2112", "HD2", ".mp4"},
    {"6", "2113", "EVO 4G", ".mp4"},
    {"6", "2114", "Android OS", ".mp4"},
    {"9", "2212", "PlayBook", ".mp4"},
    {"9", "2211", "Torch 9800", ".mp4"},
    {"9", "2200", "Tour series", ".mp4"},
    {"9", "2201", "Storm series", ".mp4"},
    {"9", "2202", "Bold series", ".wmv"},
    {"9", "2203", "Curve 8900", ".mp4"},
    {"9", "2204", "Curve 8500", ".mp4"},
    {"9", "2205", "Curve 8300", ".avi"},
    {"9", "2206", "Curve 8310", ".avi"},
    {"9", "2207", "Pearl Flip", ".avi"},
    {"9", "2208", "Pearl 8800", ".avi"},
    {"9", "2209", "Pearl 3G", ".avi"},
    {"9", "2210", "Pearl 8100", ".avi"},
    {"8", "2310", "N8", ".mp4"},
    {"8", "2311", "N70", ".mp4"},
    {"8", "2312", "6300", ".mp4"},
    {"8", "2313", "C6", ".mp4"},
    {"8", "2314", "5530", ".mp4"},
    {"8", "2300", "N900", ".mp4"},
    {"8", "2301", "X6", ".mp4"},
    {"8", "2302", "X3", ".mp4"},
    {"8", "2303", "5800 XpressMusic", ".mp4"},
    {"8", "2304", "E63", ".mp4"},
    {"8", "2305", "5230", ".mp4"},
    {"8", "2306", "E72", ".mp4"},
    {"8", "2307", "N97", ".mp4"},
    {"8", "2308", "N95", ".mp4"},
    {"8", "2309", "N73", ".mp4"},
    {"4", "2408", "Vimeo", ".mp4"},
    {"4", "2400", "FLV", ".flv"},
    {"4", "2401", "F4V", ".f4v"},
    {"4", "2402", "SWF", ".swf"},
    {"4", "2403", "Youtube Video", ".mp4"},
    {"4", "2404", "Youtube Video HD", ".mp4"},
    {"4", "2405", "Facebook Video", ".mp4"},
    {"4", "2406", "Yahoo Video", ".wmv"},
    {"4", "2407", nullptr, ".mp4"},
    {"16", "2500", "SONY Walkman", ".mp4"},
    {"16", "2501", "Dell Player", ".wmv"},
    {"16", "2502", "iRiver P7", ".avi"},
    {"16", "2503", "iRiver SPINN", ".avi"},
    {"16", "2504", "iRiver E100", ".avi"},
    {"18", "2601", "Prime", ".mp4"},
    {"18", "2602", "enV touch VX11000", ".mp4"},
    {"18", "2603", "Xenon GR500", ".mp4"},
    {"18", "2604", "KP500", ".mp4"},
    {"18", "2605", "Quantum", ".mp4"},
    {"18", "2607", "Bliss UX700", ".mp4"},
    {"18", "2608", "Spyder II LG840", ".mp4"},
    {"18", "2609", "Versa VX9600", ".mp4"},
    {"18", "2610", "GW820", ".mp4"},
    {"18", "2611", "Dare VX9700", ".mp4"},
    {"18", "2612", "Vu CU920", ".mp4"},
    {"18", "2613", "Tritan UX840", ".mp4"},
    {"18", "2614", "Incite CT810", ".mp4"},
    {"19", "2756", "Galaxy S X", ".mp4"},
    {"19", "2707", "Fascinate", ".mp4"},
    {"19", "2708", "Epic 4G ", ".mp4"},
    {"19", "2709", "Mesmerize", ".mp4"},
    {"19", "2710", "Intercept", ".mp4"},
    {"19", "2712", "Note x", ".mp4"},
    {"19", "2713", "Solstice", ".mp4"},
    {"19", "2714", "Reality", ".mp4"},
    {"19", "2715", "Mythic", ".mp4"},
    {"19", "2716", "Galaxy Tab", ".mp4"},
    {"19", "2717", "Focus ", ".mp4"},
    {"19", "2701", "Galaxy S", ".mp4"},
    {"19", "2702", "Captivate", ".mp4"},
    {"19", "2703", "i7500", ".mp4"},
    {"19", "2704", "Behold", ".mp4"},
    {"19", "2705", "Moment", ".mp4"},
    {"19", "2706", "Galaxy Spica", ".mp4"},
    {"20", "2801", "XPERIA x10", ".mp4"},
    {"20", "2802", "Xperia X8", ".mp4"},
    {"20", "2803", "Vivaz", ".mp4"},
    {"21", "2901", "MP4", ".mp4"},
    {"21", "2902", "MP4", ".mp4"},
    {"21", "2903", "WMV", ".wmv"},
    {"21", "2904", "WMV", ".wmv"},
    {"21", "2905", "MKV", ".mkv"},
    {"21", "2906", "MKV", ".mkv"},
    {"21", "2907", "AVI", ".avi"},
    {"21", "2908", "AVI", ".avi"},
    {"21", "2909", "Youtube Video HD", ".mp4"},
    {"21", "2910", "Youtube Video HD", ".mp4"},
};

CVideoProfileInfoManager *db()
{
    return CVideoProfileInfoManager::getInstance();
}

QString encText(const char *id, const char *child)
{
    return CVideoEncParam::orEmpty(db()->getFormatInfo(QString::fromLatin1(id))->getEncParam())
        .childText(child);
}

} // namespace

class TstProfileDatabase : public QObject {
    Q_OBJECT
private slots:
    // The lookups' debug lines are checked below; they are off by default.
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("reelmax.*.debug=true")); }
    void everyProfileInOrder();
    void tellingRows();
    void valueRanges();
    void fileForm();
    void unknownIdAndNullRecords();
    void listParsing();
    void iconNames();
    void iconsShippedBesideProgram();
};

void TstProfileDatabase::everyProfileInOrder()
{
    const QStringList ids = db()->formatIds();
    QCOMPARE(ids.size(), 214);
    QCOMPARE(int(std::size(kCatalogue)), 214);
    for (int i = 0; i < 214; ++i) {
        const Expected &e = kCatalogue[i];
        QCOMPARE(ids.at(i), QString::fromLatin1(e.id));
        const CVideoFormatInfo *info = db()->getFormatInfo(QString::fromLatin1(e.id));
        QVERIFY2(info, e.id);
        QCOMPARE(info->getID(), QString::fromLatin1(e.id));
        QCOMPARE(info->attribute("categoryid"), QString::fromLatin1(e.category));
        QCOMPARE(info->getFormat(), QString::fromLatin1(e.ext));
        if (e.name)
            QCOMPARE(info->getName(), QString::fromLatin1(e.name)); // trailing blanks included
        else
            QVERIFY(info->getName().contains(QLatin1String(".com")));
        QVERIFY2(info->getEncParam(), e.id);
    }
}

void TstProfileDatabase::tellingRows()
{
    struct Row {
        const char *id, *enabled, *skip, *icon, *cat, *fourcc, *ftype, *d3, *format, *cuda, *name;
        const char *enc[17]; // EncParam children in file order
        const char *lists[10];
    };
    const char *const encNames[17] = {
        "Interpolation", "ResizeStyle", "SampleRate", "Width",        "Height",       "AudioEncoder",
        "VideoEncoder",  "Channels",    "FrameRate",  "AudioBitrate", "VideoBitrate", "Formate",
        "Norm",          "VideoVBR",    "AudioVBR",   "SplitStyle",   "SplitSize"};
    const char *const listNames[10] = {
        "Resolution",        "FrameRate",  "VideoBitrate", "VideoBitrateLevel", "AudioBitrate",
        "AudioBitrateLevel", "SampleRate", "Channel",      "VideoEnclist",      "AudioEnclist"};
    const Row rows[] = {
        {"1000",
         "True",
         "True",
         "IconAsf",
         "1",
         "asf ",
         "2",
         "0",
         ".asf",
         "0",
         "ASF",
         {"0", "1", "44100", "640", "480", "wmav2", "msmpeg4", "2", "0", "128000", "1200000", "0", "0", "0",
          "0", "0", "0"},
         {"240*160,320*240,480*272,480*320,480*368,512*384,640*480,720*480,768*576,1280*720,1920*1080",
          "Keep original,12 fps,15 fps,20 fps,23.97 fps,24 fps,25 fps,29.97 fps,30 fps",
          "256 kbps,384 kbps,512 kbps,640 kbps,768 kbps,900 kbps,1200 kbps,1500 kbps,2000 kbps,2500 kbps,"
          "3000 kbps,4000 kbps,5000 kbps,6000 kbps,8000 kbps,10000 kbps",
          "", "64 kbps,96 kbps,128 kbps,192 kbps", "", "22050 Hz,32000 Hz,44100 Hz,48000 Hz",
          "1 Channel Mono,2 Channels Stereo", "msmpeg4", "wmav2,wmav1"}},
        {"1023",
         "True",
         "True",
         "IconDVD",
         "1003",
         "BURN",
         "2",
         "0",
         ".mpg",
         "0",
         "DVD",
         {"0", "1", "48000", "720", "576", "ac3", "mpeg2video", "2", "25000", "448000", "6000000", "0", "0",
          "0", "0", "0", "0"},
         {"720*576", "25 fps", "6000 kbps", "", "448 kbps", "", "32000 Hz,44100 Hz,48000 Hz",
          "2 Channels Stereo", "mpeg2video", "ac3"}},
        {"1200",
         "True",
         "True",
         nullptr,
         "2",
         "MP3 ",
         "3",
         "0",
         ".mp3",
         "0",
         "MP3",
         {"0", "1", "44100", "0", "0", "mp3", "", "2", "0", "128000", "0", "0", "0", "0", "0", "0", "0"},
         {"", "", "", "",
          "16 kbps,32 kbps,64 kbps,96 kbps,128 kbps,160 kbps,192 kbps,256 kbps,320 kbps,512 kbps", "",
          "44100 Hz,48000 Hz", "1 Channel Mono,2 Channels Stereo", "", "mp3"}},
        {"1802",
         "True",
         "False",
         "Iconipodclassic",
         "5",
         "IPOD",
         "0",
         "0",
         ".mp4",
         "-1",
         "iPod classic",
         {"0", "1", "44100", "320", "240", "libvo_aacenc", "m4v", "2", "30000", "128000", "512000", "0", "0",
          "0", "0", "0", "0"},
         {"320*240,640*480", "20 fps,23.97 fps,24 fps,25 fps,29.97 fps,30 fps",
          "512 kbps,768 kbps,900 kbps,1500 kbps", "", "96 kbps,128 kbps", "", "44100 Hz,48000 Hz",
          "1 Channel Mono,2 Channels Stereo", "libx264,m4v", "libvo_aacenc"}},
    };
    for (const Row &r : rows) {
        const CVideoFormatInfo *info = db()->getFormatInfo(QString::fromLatin1(r.id));
        QVERIFY(info);
        // Attributes, all present, in this order.
        const char *const attrNames[] = {"id",     "Enabled",    "skip",         "icon",   "categoryid",
                                         "FourCC", "FormatType", "Format3Dtype", "Format", "SupportCUDA"};
        const char *const attrValues[] = {r.id,     r.enabled, r.skip, r.icon,   r.cat,
                                          r.fourcc, r.ftype,   r.d3,   r.format, r.cuda};
        const tinyxml2::XMLAttribute *a = info->element()->FirstAttribute();
        for (int i = 0; i < 10; ++i, a = a->Next()) {
            QVERIFY2(a, attrNames[i]);
            QCOMPARE(QByteArray(a->Name()), QByteArray(attrNames[i]));
            if (attrValues[i])
                QCOMPARE(QByteArray(a->Value()), QByteArray(attrValues[i]));
        }
        QVERIFY(!a);
        QCOMPARE(info->getName(), QString::fromLatin1(r.name));
        // EncParam children in order, with their values.
        const tinyxml2::XMLElement *c = info->element()->FirstChildElement("EncParam")->FirstChildElement();
        for (int i = 0; i < 17; ++i, c = c->NextSiblingElement()) {
            QVERIFY2(c, encNames[i]);
            QCOMPARE(QByteArray(c->Name()), QByteArray(encNames[i]));
            QCOMPARE(encText(r.id, encNames[i]).trimmed(), QString::fromLatin1(r.enc[i]));
        }
        QVERIFY(!c);
        // Children of the entry in order.
        c = info->element()->FirstChildElement();
        for (const char *n : {"name", "description", "EncParam"}) {
            QCOMPARE(QByteArray(c->Name()), QByteArray(n));
            c = c->NextSiblingElement();
        }
        for (int i = 0; i < 10; ++i, c = c->NextSiblingElement()) {
            QCOMPARE(QByteArray(c->Name()), QByteArray(listNames[i]));
            QCOMPARE(info->childText(listNames[i]), QString::fromLatin1(r.lists[i]));
        }
        QVERIFY(!c);
    }
    QCOMPARE(db()->getFormatInfo("1000")->childText("description"),
             QStringLiteral("Microsoft advanced streaming format,widely used for network broadcast"));
    QCOMPARE(db()->getFormatInfo("1023")->childText("description"), QStringLiteral("Burn DVD"));

    // Typed accessors on the same rows.
    const CVideoEncParam *asf = db()->getFormatInfo("1000")->getEncParam();
    QCOMPARE(asf->getFrameRate(), QStringLiteral("0"));
    QCOMPARE(asf->getWidth(), 640);
    QCOMPARE(asf->getVideoEncoder(), QStringLiteral("msmpeg4"));
    const CVideoEncParam *mp3 = db()->getFormatInfo("1200")->getEncParam();
    QCOMPARE(mp3->getWidth(), 0);
    QCOMPARE(mp3->getHeight(), 0);
    QCOMPARE(db()->getFormatInfo("1200")->getResolutionList(), QStringList());
    QCOMPARE(db()->getFormatInfo("1802")->getVideoEncoderList(), (QStringList{"libx264", "m4v"}));
    QCOMPARE(db()->getFormatInfo("1802")->getChannelList(),
             (QStringList{"1 Channel Mono", "2 Channels Stereo"}));
    QCOMPARE(db()->getFormatInfo("1016")->getEncParam()->getFormate(), QStringLiteral("8"));
    QCOMPARE(db()->getFormatInfo("1013")->getEncParam()->getFormate(), QStringLiteral("3"));
}

void TstProfileDatabase::valueRanges()
{
    QMap<QString, int> ftype, fps, fourcc, format;
    QStringList d3anaglyph, d3sbs, shown, lackingLevel;
    for (const QString &id : db()->formatIds()) {
        const CVideoFormatInfo *info = db()->getFormatInfo(id);
        ++ftype[info->attribute("FormatType")];
        ++fps[info->getEncParam()->getFrameRate()];
        ++fourcc[info->attribute("FourCC")];
        ++format[info->getFormat()];
        if (info->attribute("Format3Dtype") == QLatin1String("1"))
            d3anaglyph << id;
        if (info->attribute("Format3Dtype") == QLatin1String("2"))
            d3sbs << id;
        if (info->attribute("skip") == QLatin1String("False"))
            shown << id;
        if (!info->element()->FirstChildElement("AudioBitrateLevel"))
            lackingLevel << id;
        QCOMPARE(info->attribute("Enabled"), QStringLiteral("True"));
        QCOMPARE(info->getEncParam()->getChannels(), QStringLiteral("2"));
        QCOMPARE(info->childText("VideoBitrateLevel"), QString());
        const bool audio = info->attribute("FormatType") == QLatin1String("3");
        QCOMPARE(info->getVideoEncoderList().isEmpty(), audio);
        QVERIFY2(!info->getAudioEncoderList().isEmpty(), qPrintable(id));
        QVERIFY2(!info->getSampleRateList().isEmpty(), qPrintable(id));
        // The default size is among the sizes offered (or keeps the source).
        const int w = info->getEncParam()->getWidth(), h = info->getEncParam()->getHeight();
        if (w || h)
            QVERIFY2(info->getResolutionList().contains(QStringLiteral("%1*%2").arg(w).arg(h)),
                     qPrintable(id));
        else
            QCOMPARE(info->getEncParam()->getVideoBitrate() == QLatin1String("0"), audio);
    }
    QCOMPARE(ftype, (QMap<QString, int>{{"0", 168}, {"1", 8}, {"2", 14}, {"3", 14}, {"4", 10}}));
    QCOMPARE(fps, (QMap<QString, int>{{"24000", 65},
                                      {"30000", 46},
                                      {"0", 26},
                                      {"15000", 22},
                                      {"25000", 15},
                                      {"29970", 15},
                                      {"20000", 13},
                                      {"23970", 11},
                                      {"18000", 1}}));
    QCOMPARE(fourcc.value("IPAN"), 113);
    QCOMPARE(format.value(".mp4"), 135);
    QCOMPARE(d3anaglyph, (QStringList{"2901", "2903", "2905", "2907", "2909"}));
    QCOMPARE(d3sbs, (QStringList{"2902", "2904", "2906", "2908", "2910"}));
    QCOMPARE(shown, QStringList{"1802"});
    QCOMPARE(lackingLevel, QStringList{"1002"});
}

void TstProfileDatabase::fileForm()
{
    QFile file(CVideoProfileInfoManager::resourcePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    QVERIFY(data.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Product>\r\n"));
    QCOMPARE(data.count("\n"), data.count("\r\n")); // CR LF throughout
    QVERIFY(QString::fromUtf8(data).toUtf8() == data);
    // Only FormatInfo entries under the root.
    tinyxml2::XMLDocument doc;
    QCOMPARE(doc.Parse(data.constData(), size_t(data.size())), tinyxml2::XML_SUCCESS);
    int n = 0;
    for (const tinyxml2::XMLElement *e = doc.RootElement()->FirstChildElement(); e;
         e = e->NextSiblingElement()) {
        QCOMPARE(QByteArray(e->Name()), QByteArray("FormatInfo"));
        ++n;
    }
    QCOMPARE(n, 214);

    // The category list ships beside it.
    const QList<UpcDefaults::CategoryDef> cats = UpcDefaults::categories();
    QCOMPARE(cats.size(), 25);
    QCOMPARE(cats.first().title, QStringLiteral("Recent"));
    QCOMPARE(cats.at(2).id, QStringLiteral("1003"));
    QCOMPARE(cats.last().cls, QStringLiteral("Shortcut"));
}

void TstProfileDatabase::unknownIdAndNullRecords()
{
    QVERIFY(db()->getFormatInfo("1802"));
    QCOMPARE(db()->getFormatInfo("1802")->getName(), QStringLiteral("iPod classic"));
    QTest::ignoreMessage(QtDebugMsg, "getFormatInfo Failed. formatID = [9999]");
    QVERIFY(!db()->getFormatInfo("9999"));
    QTest::ignoreMessage(QtDebugMsg, "getFormatInfo Failed. formatID = [ 1802]");
    QVERIFY(!db()->getFormatInfo(" 1802")); // no trimming

    const CVideoEncParam &none = CVideoEncParam::orEmpty(nullptr);
    QCOMPARE(none.getWidth(), 0);
    QCOMPARE(none.getHeight(), 0);
    QCOMPARE(none.getVideoEncoder(), QString());
    QCOMPARE(none.getAudioBitrate(), QString());
    QCOMPARE(none.getFormate(), QString());

    const CVideoFormatInfo empty(nullptr);
    QCOMPARE(empty.getID(), QString());
    QCOMPARE(empty.getIcon(), QString());
    QVERIFY(!empty.getEncParam());
    QCOMPARE(empty.getAudioBitrateList(), QStringList());
}

void TstProfileDatabase::listParsing()
{
    tinyxml2::XMLDocument doc;
    QCOMPARE(doc.Parse("<FormatInfo id=\"7\"><EncParam><Width>abc</Width><Height>480</Height>"
                       "<AudioEncoder>mp3 </AudioEncoder></EncParam>"
                       "<Resolution>,320*240,,640*480,</Resolution>"
                       "<FrameRate>Keep original, 25 fps ,30 fps</FrameRate>"
                       "<Channel>2 Channel Mono</Channel><AudioBitrate></AudioBitrate></FormatInfo>"),
             tinyxml2::XML_SUCCESS);
    const CVideoFormatInfo info(doc.RootElement());
    QCOMPARE(info.getResolutionList(), (QStringList{"320*240", "640*480"}));
    QCOMPARE(info.getFrameRateList(), (QStringList{"Keep original", " 25 fps ", "30 fps"}));
    QCOMPARE(info.getChannelList(), QStringList{"2 Channel Mono"});
    QCOMPARE(info.getAudioBitrateList(), QStringList());
    QCOMPARE(info.getVideoEncoderList(), QStringList()); // missing element
    QCOMPARE(info.getName(), QString());
    QCOMPARE(info.getEncParam()->getWidth(), 0); // not a number
    QCOMPARE(info.getEncParam()->getHeight(), 480);
    QCOMPARE(info.getEncParam()->getAudioEncoder(), QStringLiteral("mp3 ")); // untrimmed
    QCOMPARE(info.getEncParam()->getSampleRate(), QString());

    // The database's own irregular items come through as written.
    QVERIFY(db()->getFormatInfo("1104")->getVideoBitrateList().contains(QStringLiteral("15000kbps")));
}

void TstProfileDatabase::iconNames()
{
    QCOMPARE(db()->getFormatInfo("2109")->getIcon(), QStringLiteral("IconHTCT-Mobile"));
    QCOMPARE(db()->getFormatInfo("1603")->getIcon(), QStringLiteral("IconArchos504-604"));
    QCOMPARE(db()->getFormatInfo("1603")->attribute("icon"), QStringLiteral("IconArchos504/604"));
    QCOMPARE(db()->getFormatInfo("1602")->getIcon(), QStringLiteral("IconArchos605-704-705"));
    for (const QString &id : db()->formatIds())
        QVERIFY(!db()->getFormatInfo(id)->getIcon().contains(QLatin1Char('/')));
}

void TstProfileDatabase::iconsShippedBesideProgram()
{
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/icons/");
    for (const QString &id : db()->formatIds()) {
        const QString path = dir + QStringLiteral("formats/") + db()->getFormatInfo(id)->getIcon() + ".png";
        QVERIFY2(QFileInfo(path).size() > 100, qPrintable(path));
    }
    for (const UpcDefaults::CategoryDef &c : UpcDefaults::categories())
        QVERIFY2(QFileInfo(dir + c.icon + ".png").size() > 100, qPrintable(c.icon));
    QImage icon(dir + QStringLiteral("formats/Iconipodclassic.png"));
    QVERIFY(!icon.isNull());
    QVERIFY(icon.width() >= 32 && icon.width() <= 128);
}

QTEST_GUILESS_MAIN(TstProfileDatabase)
#include "tst_profiledatabase.moc"
