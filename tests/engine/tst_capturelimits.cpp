#include "engine/capture/playlistentries.h"
#include "engine/capture/sniffermanger.h"
#include "engine/capture/streamsaver.h"

#include "common/testhttpserver.h"
#include "common/testmedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// Captures against a web server that misbehaves on 127.0.0.1: playlists
// naming addresses off the web, playlists that loop, nest or never grow,
// endless and trickling bodies, and streams whose clock starts over.
// Every such capture ends with its own reason, quickly, and leaves nothing.
class TestCaptureLimits : public QObject {
    Q_OBJECT

    QTemporaryDir m_site;
    TestHttpServer m_server;

    struct Outcome {
        int result = -1;
        QString path;
        QString error;
        qint64 ms = 0;
    };

    // Small bounds so that every limit is reached within seconds.
    static CaptureLimits smallLimits()
    {
        CaptureLimits l;
        l.maxNesting = 3;
        l.maxIdleReloads = 3;
        l.maxProbeBytes = 2 << 20;
        l.stallWindowMs = 2000;
        l.minWindowBytes = 4096;
        return l;
    }

    Outcome capture(const QString &path, const QString &folder, const CaptureLimits &limits = smallLimits())
    {
        CSnifferManger sniffer;
        sniffer.setLimits(limits);
        sniffer.setStallTimeoutMs(8000);
        Outcome o;
        QElapsedTimer t;
        t.start();
        o.result = sniffer.listenCapture(m_server.url(path), folder, &o.path);
        o.ms = t.elapsed();
        o.error = sniffer.lastError();
        return o;
    }

    void write(const QString &name, const QByteArray &text)
    {
        const QString path = m_site.filePath(name);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    static QStringList filesIn(const QString &folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    static void verifyLength(const QString &path, double seconds)
    {
        const QJsonObject probe = TestMedia::probe(path);
        QVERIFY2(!probe.isEmpty(), qPrintable(path));
        QVERIFY(!TestMedia::stream(probe, "video").isEmpty());
        QVERIFY(!TestMedia::stream(probe, "audio").isEmpty());
        const double d = TestMedia::durationSeconds(probe);
        QVERIFY2(qAbs(d - seconds) <= 0.5,
                 qPrintable(QString("duration %1, expected %2").arg(d).arg(seconds)));
        QString errors;
        QVERIFY2(TestMedia::decodesCleanly(path, &errors), qPrintable(errors));
    }

    static QByteArray mediaPlaylist(const QByteArray &body, bool ended = true)
    {
        return "#EXTM3U\n#EXT-X-VERSION:3\n#EXT-X-TARGETDURATION:2\n#EXT-X-MEDIA-SEQUENCE:0\n" + body +
               (ended ? "#EXT-X-ENDLIST\n" : "");
    }

private slots:
    void initTestCase()
    {
        umask(022);
        QVERIFY(m_site.isValid());
        const QString site = m_site.path();
        // Two parts of a stream, each with its clock starting at zero.
        for (const char *part : {"a", "b"}) {
            QVERIFY(TestMedia::ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=160x120:rate=25:duration=2", "-f",
                                       "lavfi", "-i", "sine=frequency=440:duration=2", "-c:v", "libx264",
                                       "-g", "25", "-pix_fmt", "yuv420p", "-c:a", "aac", "-f", "mpegts",
                                       site + "/" + part + ".ts"}));
        }
        QFile a(site + "/a.ts"), b(site + "/b.ts"), both(site + "/again.ts");
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) &&
                both.open(QIODevice::WriteOnly));
        both.write(a.readAll() + b.readAll());
        both.close();
        QVERIFY(TestMedia::makeClip(site + "/clip.webm", 2.0, 160, 120, "25", 48000, 2,
                                    {"-c:v", "libvpx", "-b:v", "300k", "-c:a", "libvorbis"}));
        QVERIFY(m_server.start(site));
    }

    void playlistEntriesAreResolvedAndOffWebOnesRefused()
    {
        const QUrl base("http://h/a/b/list.m3u8");
        PlaylistEntries e =
            PlaylistEntries::read("#EXTM3U\n#EXT-X-MEDIA:TYPE=AUDIO,GROUP-ID=\"g\",URI=\"audio/x.m3u8\"\n"
                                  "#EXT-X-STREAM-INF:BANDWIDTH=1\n../v/hi.m3u8\n",
                                  base);
        QCOMPARE(e.kind, PlaylistEntries::HlsMaster);
        QVERIFY(e.ok());
        QCOMPARE(e.playlists, QList<QUrl>({QUrl("http://h/a/b/audio/x.m3u8"), QUrl("http://h/a/v/hi.m3u8")}));

        e = PlaylistEntries::read(
            mediaPlaylist("#EXT-X-KEY:METHOD=AES-128,URI=\"/k.bin\"\n"
                          "#EXT-X-MAP:URI=\"init.mp4\"\n#EXTINF:2,\nhttps://cdn/s0.ts\n"),
            base);
        QCOMPARE(e.kind, PlaylistEntries::HlsMedia);
        QVERIFY(e.ended);
        QCOMPARE(e.media, QList<QUrl>({QUrl("http://h/k.bin"), QUrl("http://h/a/b/init.mp4"),
                                       QUrl("https://cdn/s0.ts")}));

        // Every place an address can stand, with every protocol that is not the web.
        const QList<QByteArray> places = {
            mediaPlaylist("#EXTINF:2,\n@\n"),
            "#EXTM3U\n#EXT-X-STREAM-INF:BANDWIDTH=1\n@\n",
            mediaPlaylist("#EXT-X-KEY:METHOD=AES-128,URI=\"@\"\n#EXTINF:2,\ns.ts\n"),
            mediaPlaylist("#EXT-X-MAP:URI=\"@\"\n#EXTINF:2,\ns.ts\n"),
            "#EXTM3U\n#EXT-X-MEDIA:TYPE=AUDIO,GROUP-ID=\"g\",URI=\"@\"\n#EXT-X-STREAM-INF:BANDWIDTH=1\nv."
            "m3u8\n",
            "<?xml version=\"1.0\"?><MPD><BaseURL>@</BaseURL></MPD>",
            "<MPD><Period><AdaptationSet><SegmentTemplate initialization=\"@\" media=\"s$Number$.m4s\"/>"
            "</AdaptationSet></Period></MPD>",
            "<MPD><SegmentList><SegmentURL media=\"@\"/></SegmentList></MPD>",
        };
        const QList<QByteArray> addresses = {
            "ftp://127.0.0.1/x.ts", "concat:a.ts|b.ts",    "subfile,,start,0,end,0,,:s.ts",
            "cache:http://h/x.ts",  "async:http://h/x.ts", "file:///etc/passwd",
            "data:text/plain,x"};
        for (const QByteArray &place : places) {
            for (const QByteArray &address : addresses) {
                QByteArray text = place;
                text.replace("@", address);
                const PlaylistEntries refused = PlaylistEntries::read(text, base);
                QVERIFY2(!refused.ok(), text.constData());
                QVERIFY(refused.refusal().contains("not http or https: " + QString::fromUtf8(address)));
            }
        }
    }

    void playlistsNamingOtherProtocolsFailCleanly()
    {
        const QByteArray segment = "#EXTINF:2,\n";
        const QList<QByteArray> lists = {
            mediaPlaylist(segment + "a.ts\n" + segment + "ftp://127.0.0.1:1/b.ts\n"),
            mediaPlaylist(segment + "a.ts\n" + segment + "concat:a.ts|b.ts\n"),
            mediaPlaylist(segment + "a.ts\n" + segment + "subfile,,start,0,end,0,,:b.ts\n"),
            mediaPlaylist(segment + "a.ts\n" + segment + "cache:b.ts\n"),
            mediaPlaylist(segment + "a.ts\n" + segment + "async:b.ts\n"),
            "#EXTM3U\n#EXT-X-STREAM-INF:BANDWIDTH=1\nok.m3u8\n#EXT-X-STREAM-INF:BANDWIDTH=2\nconcat:ok."
            "m3u8\n",
            mediaPlaylist("#EXT-X-KEY:METHOD=AES-128,URI=\"file:///etc/hostname\"\n" + segment + "a.ts\n"),
            mediaPlaylist("#EXT-X-MAP:URI=\"cache:a.ts\"\n" + segment + "a.ts\n"),
            "#EXTM3U\n#EXT-X-MEDIA:TYPE=AUDIO,GROUP-ID=\"g\",NAME=\"x\",URI=\"async:ok.m3u8\"\n"
            "#EXT-X-STREAM-INF:BANDWIDTH=1,AUDIO=\"g\"\nok.m3u8\n",
        };
        write("bad/ok.m3u8", mediaPlaylist(segment + "../a.ts\n"));
        write("bad/dash.mpd",
              "<?xml version=\"1.0\"?><MPD type=\"static\"><BaseURL>ftp://127.0.0.1:1/</BaseURL>"
              "</MPD>");
        QStringList names = {"bad/dash.mpd"};
        for (int i = 0; i < lists.size(); ++i) {
            QByteArray text = lists[i];
            write(QString("bad/%1.m3u8").arg(i), text.replace("a.ts", "../a.ts").replace("b.ts", "../b.ts"));
            names << QString("bad/%1.m3u8").arg(i);
        }
        QTemporaryDir out;
        for (const QString &name : names) {
            const Outcome o = capture(name, out.path());
            QCOMPARE(o.result, int(CSnifferManger::NoMedia));
            QVERIFY2(o.error.contains("the playlist names an address that is not http or https: "),
                     qPrintable(name + ": " + o.error));
            QVERIFY(filesIn(out.path()).isEmpty());
        }
        // A live playlist that turns to another protocol on a reload.
        write("bad/live.m3u8", mediaPlaylist("#EXTINF:2,\n/a.ts\n", false));
        Outcome turned = capture("turning/bad/live.m3u8", out.path());
        QVERIFY(turned.result != int(CSnifferManger::Captured));
        QVERIFY2(turned.error.contains("not http or https: ftp://127.0.0.1:1/next.ts"),
                 qPrintable(turned.error));
        QVERIFY(filesIn(out.path()).isEmpty());

        // The same playlist on the web alone is captured.
        const Outcome o = capture("bad/ok.m3u8", out.path());
        QCOMPARE(o.result, int(CSnifferManger::Captured));
        verifyLength(o.path, 2.0);
    }

    void streamsWhoseClockStartsOverKeepTheirWholeLength()
    {
        write("disc/index.m3u8",
              mediaPlaylist("#EXTINF:2,\n../a.ts\n#EXT-X-DISCONTINUITY\n#EXTINF:2,\n../b.ts\n"
                            "#EXT-X-DISCONTINUITY\n#EXTINF:2,\n../a.ts\n"));
        QTemporaryDir out;
        const Outcome o = capture("disc/index.m3u8", out.path());
        QCOMPARE(o.result, int(CSnifferManger::Captured));
        verifyLength(o.path, 6.0);

        // A transport stream that repeats, read as one file.
        std::atomic<bool> stop{false};
        std::atomic<double> progress{0.0};
        StreamSaver saver(stop, progress);
        QString error, saved;
        QVERIFY2(saver.open(QUrl(m_server.url("again.ts")), StreamSaver::Settings{}, &error),
                 qPrintable(error));
        QVERIFY2(saver.save(out.path(), "again", &saved, &error), qPrintable(error));
        verifyLength(saved, 4.0);
    }

    void playlistChainsAreBounded()
    {
        const QByteArray master = "#EXTM3U\n#EXT-X-STREAM-INF:BANDWIDTH=1\n";
        write("loop/self.m3u8", master + "self.m3u8\n");
        write("loop/x.m3u8", master + "y.m3u8\n");
        write("loop/y.m3u8", master + "./x.m3u8\n");
        for (int i = 0; i < 8; ++i)
            write(QString("loop/deep%1.m3u8").arg(i), master + QString("deep%1.m3u8\n").arg(i + 1).toUtf8());
        QTemporaryDir out;
        for (const QString &name : {"loop/self.m3u8", "loop/x.m3u8"}) {
            const Outcome o = capture(name, out.path());
            QCOMPARE(o.result, int(CSnifferManger::NoMedia));
            QVERIFY2(o.error.contains("leads back to itself"), qPrintable(o.error));
        }
        const Outcome o = capture("loop/deep0.m3u8", out.path());
        QCOMPARE(o.result, int(CSnifferManger::NoMedia));
        QVERIFY2(o.error.contains("nested more than 3 levels"), qPrintable(o.error));
        QVERIFY(filesIn(out.path()).isEmpty());
    }

    void liveServersThatStopGivingEnd()
    {
        QTemporaryDir out;
        // A live playlist that never gains a segment.
        write("live/index.m3u8", mediaPlaylist("#EXTINF:2,\n../a.ts\n#EXTINF:2,\n../b.ts\n", false));
        // (It sends little, so throughput is judged over a longer time here.)
        CaptureLimits patient = smallLimits();
        patient.stallWindowMs = 12000;
        Outcome o = capture("live/index.m3u8", out.path(), patient);
        QCOMPARE(o.result, int(CSnifferManger::SaveFailed));
        QVERIFY2(o.error.contains("brought no new segments in 3 reloads"), qPrintable(o.error));
        QVERIFY2(o.ms < 15000, qPrintable(QString::number(o.ms)));
        QVERIFY(filesIn(out.path()).isEmpty());

        // A body that never ends, labelled as video.
        o = capture("endless/film.mp4", out.path());
        QVERIFY(o.result != int(CSnifferManger::Captured));
        QVERIFY2(o.error.contains("no streams were found in the first 2048 KiB"), qPrintable(o.error));
        QVERIFY2(o.ms < 15000, qPrintable(QString::number(o.ms)));

        // A byte a second is not silence, but it is no transfer either.
        o = capture("trickle/clip.webm", out.path());
        QVERIFY(o.result != int(CSnifferManger::Captured));
        QVERIFY2(o.error.contains("the transfer stalled"), qPrintable(o.error));
        QVERIFY2(o.ms < 15000, qPrintable(QString::number(o.ms)));
        QVERIFY(filesIn(out.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCaptureLimits)
#include "tst_capturelimits.moc"
