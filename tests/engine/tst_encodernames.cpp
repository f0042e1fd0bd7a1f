#include "engine/transcode/encodernames.h"

#include <QFile>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

class TestEncoderNames : public QObject {
    Q_OBJECT

private slots:
    void profileNamesResolve_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("encoder");
        QTest::addColumn<QString>("tag");
        QTest::newRow("havc") << "havc"
                              << ".mp4"
                              << "libx264"
                              << "";
        QTest::newRow("HAVC") << "HAVC"
                              << ".mkv"
                              << "libx264"
                              << "";
        QTest::newRow("HVC1") << "HVC1"
                              << ".wmv"
                              << "wmv2"
                              << ""; // WMV only holds Windows Media video
        QTest::newRow("m264") << "m264"
                              << ".mp4"
                              << "libx264"
                              << "";
        QTest::newRow("m4v") << "m4v"
                             << ".mp4"
                             << "mpeg4"
                             << "";
        QTest::newRow("divx avi") << "divx"
                                  << ".avi"
                                  << "mpeg4"
                                  << "DIVX";
        QTest::newRow("libxvid avi") << "libxvid "
                                     << ".avi"
                                     << "mpeg4"
                                     << "XVID";
        QTest::newRow("mpeg4 avi") << "mpeg4"
                                   << ".avi"
                                   << "mpeg4"
                                   << "FMP4";
        QTest::newRow("mp2v") << "mp2v"
                              << ".mpg"
                              << "mpeg2video"
                              << "";
        QTest::newRow("mp43") << "mp43"
                              << ".avi"
                              << "msmpeg4"
                              << "";
        QTest::newRow("msmpeg4 asf") << "msmpeg4"
                                     << ".asf"
                                     << "msmpeg4"
                                     << "";
        QTest::newRow("vp8") << "vp8"
                             << ".webm"
                             << "libvpx"
                             << "";
        QTest::newRow("wmv1") << "wmv1"
                              << ".wmv"
                              << "wmv1"
                              << "";
        QTest::newRow("vc1") << "vc1"
                             << ".wmv"
                             << "wmv2"
                             << "";
        QTest::newRow("flv1 swf") << "flv1"
                                  << ".swf"
                                  << "flv"
                                  << "";
        QTest::newRow("dvvideo") << "dvvideo"
                                 << ".dv"
                                 << "dvvideo"
                                 << "";
        QTest::newRow("mpeg1video vob") << "mpeg1video"
                                        << ".vob"
                                        << "mpeg1video"
                                        << "";
        QTest::newRow("h263 3gp") << "h263"
                                  << ".3gp"
                                  << "h263"
                                  << "";
        QTest::newRow("mjpeg avi") << "mjpeg"
                                   << ".avi"
                                   << "mjpeg"
                                   << "";
        QTest::newRow("x264 in dv coerced") << "libx264"
                                            << ".dv"
                                            << "dvvideo"
                                            << "";
        QTest::newRow("x264 in flv") << "libx264"
                                     << ".flv"
                                     << "libx264"
                                     << "";
        QTest::newRow("wmv1 in mp4 coerced") << "wmv1"
                                             << ".mp4"
                                             << "libx264"
                                             << "";
        QTest::newRow("audio name as video") << "libvo_aacenc"
                                             << ".mp4"
                                             << "libx264"
                                             << "";
        QTest::newRow("blank") << "   "
                               << ".avi"
                               << "mpeg4"
                               << "XVID";
    }

    void profileNamesResolve()
    {
        QFETCH(QString, name);
        QFETCH(QString, ext);
        QFETCH(QString, encoder);
        QFETCH(QString, tag);
        const ResolvedEncoder r = EncoderNames::resolveVideo(name.toStdString(), ext.toStdString());
        QCOMPARE(QString::fromStdString(r.encoder), encoder);
        QCOMPARE(QString::fromStdString(r.tag), tag);
    }

    void audioNamesResolve_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("encoder");
        QTest::newRow("libvo_aacenc") << "libvo_aacenc "
                                      << ".mp4"
                                      << "aac";
        QTest::newRow("mp3") << "mp3 "
                             << ".mp3"
                             << "libmp3lame";
        QTest::newRow("mp3 in avi") << "mp3"
                                    << ".avi"
                                    << "libmp3lame";
        QTest::newRow("WMA8") << "WMA8"
                              << ".wmv"
                              << "wmav2";
        QTest::newRow("wmv8 as audio") << "wmv8"
                                       << ".avi"
                                       << "wmav2";
        QTest::newRow("wmav1") << "wmav1"
                               << ".wma"
                               << "wmav1";
        QTest::newRow("ac3 dvd") << "ac3"
                                 << ".mpg"
                                 << "ac3";
        QTest::newRow("pcm_dvd vob") << "pcm_dvd"
                                     << ".vob"
                                     << "pcm_dvd";
        QTest::newRow("aac into mp3") << "libvo_aacenc"
                                      << ".mp3"
                                      << "libmp3lame";
        QTest::newRow("aac in m4b") << "libvo_aacenc"
                                    << ".m4b"
                                    << "aac";
        QTest::newRow("amr in 3gp") << "amr_nb"
                                    << ".3gp"
                                    << "aac";
        QTest::newRow("mp3 in 3g2") << "mp3"
                                    << ".3g2"
                                    << "aac";
        QTest::newRow("aac in swf") << "libvo_aacenc"
                                    << ".swf"
                                    << "libmp3lame";
        QTest::newRow("pcm_s16be au") << "pcm_s16be"
                                      << ".au"
                                      << "pcm_s16be";
        QTest::newRow("pcm_s24be aiff") << "pcm_s24be"
                                        << ".aiff"
                                        << "pcm_s24be";
        QTest::newRow("flac") << "flac"
                              << ".flac"
                              << "flac";
        QTest::newRow("vorbis ogg") << "libvorbis"
                                    << ".ogg"
                                    << "libvorbis";
        QTest::newRow("vorbis mka") << "libvorbis"
                                    << ".mka"
                                    << "libvorbis";
        QTest::newRow("adpcm_ms avi") << "adpcm_ms"
                                      << ".avi"
                                      << "adpcm_ms";
        QTest::newRow("smjpeg adpcm avi") << "adpcm_ima_smjpeg"
                                          << ".avi"
                                          << "adpcm_ima_wav";
        QTest::newRow("video name as audio") << "libxvid"
                                             << ".mp4"
                                             << "aac";
        QTest::newRow("unknown in wav") << "nothing"
                                        << ".wav"
                                        << "pcm_s16le";
    }

    void audioNamesResolve()
    {
        QFETCH(QString, name);
        QFETCH(QString, ext);
        QFETCH(QString, encoder);
        QCOMPARE(
            QString::fromStdString(EncoderNames::resolveAudio(name.toStdString(), ext.toStdString()).encoder),
            encoder);
    }

    void containers()
    {
        QVERIFY(EncoderNames::container(".m4a").audioOnly);
        QVERIFY(EncoderNames::container("mp3").audioOnly);
        QVERIFY(!EncoderNames::container(".avi").audioOnly);
        QCOMPARE(QString::fromStdString(EncoderNames::container("/x/y.z/clip.WMV").muxer), QString("asf"));
        QCOMPARE(QString::fromStdString(EncoderNames::container(".trp").muxer), QString("mpegts"));
        QVERIFY(EncoderNames::canWrite(".ape")); // raw PCM, then encoded by ApeWriter
        QVERIFY(EncoderNames::container(".ape").ape && EncoderNames::container(".ape").audioOnly);
        QVERIFY(!EncoderNames::canWrite(".rm"));
        QVERIFY(EncoderNames::canWrite(".dpg")); // repacked from an MPEG-1 program stream
        QVERIFY(EncoderNames::resolveVideo("libx264", ".ape").encoder.empty());
        QVERIFY(EncoderNames::resolveVideo("libx264", ".mp3").encoder.empty()); // audio-only container
        QCOMPARE(EncoderNames::extensionOf("/a.b/c"), std::string());
        QCOMPARE(EncoderNames::extensionOf("C:/Movies/x.Mp4"), std::string("mp4"));
    }

    void everyAliasMapsToAnExistingEncoder()
    {
        for (const std::string &n : EncoderNames::knownVideoNames())
            QVERIFY2(!EncoderNames::canonicalVideo(n).empty(), n.c_str());
        for (const std::string &n : EncoderNames::knownAudioNames())
            QVERIFY2(!EncoderNames::canonicalAudio(n).empty(), n.c_str());
        for (const char *ext : {"mp4", "mov", "avi", "mkv", "webm", "mpg", "vob", "ts", "wmv", "flv", "swf",
                                "3gp", "dv", "f4v", "m4v", "asf", "trp"}) {
            const ResolvedEncoder v = EncoderNames::resolveVideo("", ext);
            QVERIFY2(!v.encoder.empty() && v.substituted, ext);
            QVERIFY2(!EncoderNames::resolveAudio("", ext).encoder.empty(), ext);
        }
    }

    // Every encoder name of the built-in catalogue resolves to an encoder of
    // its own kind (a name of the other kind falls back to the default).
    void everyCatalogueNameResolves()
    {
        QFile file(QStringLiteral(REELMAX_SOURCE_DIR "/res/Format.dat"));
        if (!file.open(QIODevice::ReadOnly))
            QSKIP("the profile catalogue is not in this tree");
        QXmlStreamReader xml(&file);
        QString ext, element;
        int checked = 0;
        QSet<QString> unknown;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                element = xml.name().toString();
                if (element == "FormatInfo")
                    ext = xml.attributes().value("Format").toString();
            } else if (xml.isCharacters() && !ext.isEmpty()) {
                const bool video = element == "VideoEncoder" || element == "VideoEnclist";
                const bool audio = element == "AudioEncoder" || element == "AudioEnclist";
                if (!video && !audio)
                    continue;
                for (const QString &raw : xml.text().toString().split(',')) {
                    const std::string name = raw.toStdString();
                    if (raw.trimmed().isEmpty())
                        continue;
                    ++checked;
                    const bool known = video ? !EncoderNames::canonicalVideo(name).empty() ||
                                                   !EncoderNames::canonicalAudio(name).empty()
                                             : !EncoderNames::canonicalAudio(name).empty() ||
                                                   !EncoderNames::canonicalVideo(name).empty();
                    const bool writable = EncoderNames::canWrite(ext.toStdString());
                    if (!known && raw.trimmed().toLower() != "ape")
                        unknown.insert(raw.trimmed());
                    if (writable && audio)
                        QVERIFY2(!EncoderNames::resolveAudio(name, ext.toStdString()).encoder.empty(),
                                 qPrintable(raw + " " + ext));
                    if (writable && video && !EncoderNames::container(ext.toStdString()).audioOnly)
                        QVERIFY2(!EncoderNames::resolveVideo(name, ext.toStdString()).encoder.empty(),
                                 qPrintable(raw + " " + ext));
                }
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(checked > 214);
        QVERIFY2(unknown.isEmpty(), qPrintable(QStringList(unknown.values()).join(',')));
    }
};

QTEST_GUILESS_MAIN(TestEncoderNames)
#include "tst_encodernames.moc"
