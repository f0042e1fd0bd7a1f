#include "engine/capture/capturenaming.h"
#include "engine/capture/mediaurlkind.h"
#include "engine/capture/pagemediaparser.h"
#include "engine/capture/sniffermanger.h"

#include "common/testhttpserver.h"
#include "common/testmedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// The capture library against a web server of the test's own on 127.0.0.1:
// pages with media in every common form, HLS and DASH streams, redirects,
// HTTPS, broken and stopped transfers.
class TestCapture : public QObject {
    Q_OBJECT

    QTemporaryDir m_site;
    TestHttpServer m_server;
    bool m_haveDash = false;

    struct Outcome {
        int result = -1;
        QString path;
        QString error;
    };

    Outcome capture(const QString &address, const QString &folder,
                    const std::function<void(CSnifferManger &)> &setup = {})
    {
        CSnifferManger sniffer;
        if (setup)
            setup(sniffer);
        Outcome o;
        o.result = sniffer.listenCapture(address, folder, &o.path);
        o.error = sniffer.lastError();
        return o;
    }

    void writePage(const QString &name, const QByteArray &html)
    {
        QFile f(m_site.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(html);
    }

    // Every file in the folder, hidden ones too.
    static QStringList filesIn(const QString &folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    // Some process holds a lock on the file (its writer is alive).
    static bool lockedByWriter(const QString &path)
    {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        ::close(fd);
        return held;
    }

    static void verifyMedia(const QString &path, double seconds, bool video = true)
    {
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
        const QJsonObject probe = TestMedia::probe(path);
        QVERIFY2(!probe.isEmpty(), "ffprobe cannot read the file");
        QCOMPARE(TestMedia::stream(probe, "video").isEmpty(), !video);
        QVERIFY(!TestMedia::stream(probe, "audio").isEmpty());
        const double d = TestMedia::durationSeconds(probe);
        QVERIFY2(qAbs(d - seconds) <= 0.2,
                 qPrintable(QString("duration %1, expected %2").arg(d).arg(seconds)));
        QString errors;
        QVERIFY2(TestMedia::decodesCleanly(path, &errors), qPrintable(errors));
        // An ordinary file: readable by others (umask 022 in the tests).
        QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadOther | QFile::ReadGroup),
                 QFile::ReadOther | QFile::ReadGroup);
    }

private slots:
    void initTestCase()
    {
        umask(022);
        QVERIFY(m_site.isValid());
        const QString site = m_site.path();
        QVERIFY(TestMedia::makeClip(site + "/clip.mp4", 2.0, 320, 240, "25", 44100, 2, {"-g", "25"}));
        QVERIFY(TestMedia::makeClip(site + "/clip.webm", 2.0, 160, 120, "25", 48000, 2,
                                    {"-c:v", "libvpx", "-b:v", "300k", "-c:a", "libvorbis"}));
        QVERIFY(TestMedia::makeClip(site + "/tone.mp3", 2.0, 0, 0, "25", 44100, 2));
        QVERIFY(QDir(site).mkpath("hls"));
        QVERIFY(TestMedia::ffmpeg({"-i", site + "/clip.mp4", "-c", "copy", "-f", "hls", "-hls_time", "1",
                                   "-hls_playlist_type", "vod", "-hls_segment_filename",
                                   site + "/hls/seg%d.ts", site + "/hls/index.m3u8"}));
        QVERIFY(QDir(site).mkpath("dash"));
        m_haveDash = TestMedia::ffmpeg({"-i", site + "/clip.mp4", "-c", "copy", "-f", "dash", "-seg_duration",
                                        "1", site + "/dash/stream.mpd"});
        // Pages several cases use.
        writePage("video.html", "<html><head><title>Video Page</title></head><body>"
                                "<video src=clip.mp4 controls></video></body></html>");
        writePage("plain.html", "<title>Nothing</title><p>Words only. <img src='x.png'>"
                                "<video src='file:///etc/hostname'></video></p>");
        QVERIFY(m_server.start(site));
    }

    void addressesGetTheirSchemeAndNothingIsCut()
    {
        QCOMPARE(CSnifferManger::normalizeAddress("example.com/watch?v=1"),
                 QString("http://example.com/watch?v=1"));
        QCOMPARE(CSnifferManger::normalizeAddress("  https://example.com/a  "),
                 QString("https://example.com/a"));
        QCOMPARE(CSnifferManger::normalizeAddress("localhost:8080/page"),
                 QString("http://localhost:8080/page"));
        QCOMPARE(CSnifferManger::normalizeAddress("http://x"), QString("http://x"));
        QCOMPARE(CSnifferManger::normalizeAddress("   "), QString());
    }

    void mediaAddressesAreToldFromOthers()
    {
        using namespace MediaUrlKind;
        QCOMPARE(classify(QUrl("http://a/v/clip.MP4?x=1")), MediaFile);
        QCOMPARE(classify(QUrl("http://a/live/index.m3u8")), HlsManifest);
        QCOMPARE(classify(QUrl("http://a/s.mpd")), DashManifest);
        QCOMPARE(classify(QUrl("http://a/seg12.ts")), Segment);
        QCOMPARE(classify(QUrl("http://a/page.html")), NotMedia);
        QCOMPARE(classify(QUrl("http://a/get?id=3"), "video/webm; codecs=vp9"), MediaFile);
        QCOMPARE(classify(QUrl("http://a/get"), "application/x-mpegURL"), HlsManifest);
        QVERIFY(!isFetchable(QUrl("file:///etc/passwd")));
        QVERIFY(!isFetchable(QUrl("data:video/mp4;base64,AAAA")));
        QVERIFY(isFetchable(QUrl("https://a/b.mp4")));
    }

    void pageSourceYieldsTitleAndMediaBestFirst()
    {
        const QString html =
            "<!DOCTYPE html><html><head>\n"
            "<TITLE>  Tom &amp; Jerry&#39;s\n"
            "&quot;Best&quot; </TITLE>\n"
            "<base href=\"/media/\">\n"
            "<meta property=\"og:video\" content=\"https://cdn.example/og.mp4\">\n"
            "<link rel=\"alternate\" type=\"application/x-mpegURL\" href=\"live/master\">\n"
            "<!-- <video src=\"hidden.mp4\"></video> -->\n"
            "</head><body>\n"
            "<picture><source srcset=\"a.webp\" src=\"not-media.webp\"></picture>\n"
            "<a href=\"download/full.mkv\">download</a>\n"
            "<iframe src=\"embed/1#t\"></iframe><iframe src=\"javascript:void(0)\"></iframe>\n"
            "<audio src='song.mp3'></audio>\n"
            "<video controls poster=p.jpg>\n"
            "<source src=\"clip.webm\" type=\"video/webm\">\n"
            "<source src=clip.mp4 type=video/mp4>\n"
            "</video>\n"
            "<video src=\"../top.mp4?a=1&amp;b=2\"></video>\n"
            "<img src=\"javascript:alert(1)\"><video src=\"data:video/mp4;base64,AAAA\"></video>\n"
            "<video src=\"file:///etc/passwd\"></video>\n"
            "<script>player.setup({\"hls\":\"https:\\/\\/cdn.example\\/s\\/index.m3u8\"});</script>\n"
            "</body></html>\n";
        const auto page = PageMediaParser::parse(html, QUrl("http://site.example/watch/page.html"));
        QCOMPARE(page.title, QString("Tom & Jerry's \"Best\""));
        QStringList urls;
        for (const MediaCandidate &c : page.candidates)
            urls << c.url.toString();
        const QStringList expected = {
            "http://site.example/top.mp4?a=1&b=2", // <video src>
            "http://site.example/media/clip.webm", // <source> in document order
            "http://site.example/media/clip.mp4",
            "https://cdn.example/og.mp4",                  // og:video
            "http://site.example/media/live/master",       // manifest link by type
            "https://cdn.example/s/index.m3u8",            // manifest in a script
            "http://site.example/media/song.mp3",          // audio
            "http://site.example/media/download/full.mkv", // a link to a media file
        };
        QCOMPARE(urls, expected);
        QCOMPARE(page.frames, QList<QUrl>{QUrl("http://site.example/media/embed/1")});
    }

    void pageEncodingIsHonoured()
    {
        const QByteArray latin1 = "<html><head><title>Caf\xe9 cr\xe8me</title></head></html>";
        QCOMPARE(PageMediaParser::parse(latin1, QUrl("http://a/"), "text/html; charset=ISO-8859-1").title,
                 QString::fromUtf8("Café crème"));
        const QByteArray metaLatin1 =
            "<html><head><meta charset=\"iso-8859-1\"><title>Caf\xe9</title></head></html>";
        QCOMPARE(PageMediaParser::parse(metaLatin1, QUrl("http://a/"), "text/html").title,
                 QString::fromUtf8("Café"));
        const QByteArray utf8 = "<title>Caf\xc3\xa9</title>";
        QCOMPARE(PageMediaParser::parse(utf8, QUrl("http://a/")).title, QString::fromUtf8("Café"));
    }

    void namesAreSafeShortAndNeverClash()
    {
        QCOMPARE(CaptureNaming::sanitize(" ../a/b\\c:d*e?\"f\"<g>|h\t\n. "), QString("_a_b_c_d_e__f__g__h"));
        const QString longTitle = QString::fromUtf8("é").repeated(200);
        const QString cut = CaptureNaming::sanitize(longTitle);
        QVERIFY(cut.toUtf8().size() <= 150);
        QVERIFY(longTitle.startsWith(cut));
        QCOMPARE(CaptureNaming::baseName("My Clip", QUrl("http://a/x/v.mp4")), QString("My Clip"));
        QCOMPARE(CaptureNaming::baseName("  ", QUrl("http://a/x/my%20video.mp4?t=1")), QString("my video"));
        QCOMPARE(CaptureNaming::baseName("", QUrl("http://a/")), QString("video"));

        QTemporaryDir dir;
        QCOMPARE(CaptureNaming::uniquePath(dir.path(), "a", ".mp4"), dir.path() + "/a.mp4");
        QFile(dir.path() + "/a.mp4").open(QIODevice::WriteOnly);
        QFile(dir.path() + "/a(1).mp4").open(QIODevice::WriteOnly);
        QCOMPARE(CaptureNaming::uniquePath(dir.path() + "/", "a", ".mp4"), dir.path() + "/a(2).mp4");
    }

    void videoElementIsCapturedUnderThePageTitle()
    {
        QTemporaryDir out;
        const Outcome o = capture(m_server.url("video.html"), out.path());
        QCOMPARE(o.result, int(CSnifferManger::Captured));
        QCOMPARE(o.path, out.path() + "/Video Page.mp4");
        verifyMedia(o.path, 2.0);
        QCOMPARE(filesIn(out.path()), QStringList{"Video Page.mp4"});

        // The same page again: a second file, the first untouched.
        const qint64 firstSize = QFileInfo(o.path).size();
        const Outcome again = capture(m_server.url("video.html"), out.path());
        QCOMPARE(again.result, int(CSnifferManger::Captured));
        QCOMPARE(again.path, out.path() + "/Video Page(1).mp4");
        QCOMPARE(QFileInfo(o.path).size(), firstSize);
    }

    void sourceElementsAreTriedInOrder()
    {
        // The first source does not exist: the next one is taken.
        writePage("sources.html", "<title>Sources</title><video>"
                                  "<source src='missing.mp4' type='video/mp4'>"
                                  "<source src='clip.webm' type='video/webm'></video>");
        QTemporaryDir out;
        const Outcome o = capture(m_server.url("sources.html"), out.path());
        QCOMPARE(o.result, int(CSnifferManger::Captured));
        QCOMPARE(QFileInfo(o.path).fileName(), QString("Sources.webm"));
        verifyMedia(o.path, 2.0);
        QCOMPARE(TestMedia::stream(TestMedia::probe(o.path), "video").value("codec_name").toString(),
                 QString("vp8"));
    }

    void playersInFramesAreFound()
    {
        // The page names no media itself; its second frame plays the video.
        QVERIFY(QDir(m_site.path()).mkpath("frames"));
        writePage("frames/player.html", "<title>Player</title><video src='../clip.webm'></video>");
        writePage("framed.html", "<title>Framed</title><iframe src='frames/missing.html'></iframe>"
                                 "<iframe src='frames/player.html'></iframe>");
        QTemporaryDir out;
        const Outcome o = capture(m_server.url("framed.html"), out.path());
        QCOMPARE(o.result, int(CSnifferManger::Captured));
        QCOMPARE(QFileInfo(o.path).fileName(), QString("Framed.webm"));
        verifyMedia(o.path, 2.0);
    }

    void hlsStreamIsJoinedIntoOneFile()
    {
        writePage("hls.html",
                  "<title>Live Show</title><video id=v></video><script>"
                  "var src = 'hls/index.m3u8'; attach(document.getElementById('v'), src);</script>");
        QTemporaryDir out;
        const Outcome o = capture(m_server.url("hls.html"), out.path());
        QCOMPARE(o.result, int(CSnifferManger::Captured));
        QCOMPARE(QFileInfo(o.path).fileName(), QString("Live Show.mp4"));
        verifyMedia(o.path, 2.0);
        // Copied, not re-encoded.
        QCOMPARE(TestMedia::stream(TestMedia::probe(o.path), "video").value("codec_name").toString(),
                 QString("h264"));
    }

    void dashManifestAddressIsCaptured()
    {
        if (!m_haveDash)
            QSKIP("the ffmpeg tool cannot write DASH here");
        QTemporaryDir out;
        const Outcome o = capture(m_server.url("dash/stream.mpd"), out.path());
        QCOMPARE(o.result, int(CSnifferManger::Captured));
        QCOMPARE(QFileInfo(o.path).fileName(), QString("stream.mp4"));
        verifyMedia(o.path, 2.0);
    }

    void directMediaAddressesAndRedirects()
    {
        QTemporaryDir out;
        Outcome o = capture(m_server.url("clip.mp4"), out.path());
        QCOMPARE(o.result, int(CSnifferManger::Captured));
        QCOMPARE(QFileInfo(o.path).fileName(), QString("clip.mp4"));
        verifyMedia(o.path, 2.0);

        // A web view shows such an address under a title of its own: unused.
        o = capture(m_server.url("clip.webm"), out.path(), [](CSnifferManger &s) {
            s.setBrowserAttached(true);
            s.reportPageTitle(QString::fromUtf8("clip.webm (160×120)"));
        });
        QCOMPARE(o.result, int(CSnifferManger::Captured));
        QCOMPARE(QFileInfo(o.path).fileName(), QString("clip.webm"));

        // A redirect to the media, a redirect to a page.
        o = capture(m_server.url("redirect/tone.mp3"), out.path());
        QCOMPARE(o.result, int(CSnifferManger::Captured));
        QCOMPARE(QFileInfo(o.path).fileName(), QString("tone.mp3"));
        verifyMedia(o.path, 2.0, false);

        writePage("moved.html", "<title>Moved</title><video src='clip.webm'></video>");
        o = capture(m_server.url("redirect/moved.html"), out.path());
        QCOMPARE(o.result, int(CSnifferManger::Captured));
        QCOMPARE(QFileInfo(o.path).fileName(), QString("Moved.webm"));
    }

    void pagesWithoutMediaFailWithAReason()
    {
        QTemporaryDir out;
        Outcome o = capture(m_server.url("plain.html"), out.path());
        QCOMPARE(o.result, int(CSnifferManger::NoMedia));
        QVERIFY2(o.error.contains("no video or audio"), qPrintable(o.error));
        QVERIFY(o.path.isEmpty());

        o = capture(m_server.url("no-such-page.html"), out.path());
        QCOMPARE(o.result, int(CSnifferManger::PageUnreachable));
        QVERIFY2(o.error.contains("404"), qPrintable(o.error));

        // A page whose only video is not media at all.
        writePage("bogus.html", "<video src='plain.html'></video>");
        o = capture(m_server.url("bogus.html"), out.path());
        QCOMPARE(o.result, int(CSnifferManger::NoMedia));

        o = capture("ftp://127.0.0.1/clip.mp4", out.path());
        QCOMPARE(o.result, int(CSnifferManger::BadAddress));
        o = capture(m_server.url("clip.mp4"), "");
        QCOMPARE(o.result, int(CSnifferManger::BadAddress));
        QVERIFY(filesIn(out.path()).isEmpty());
    }

    void brokenTransfersLeaveNothing()
    {
        QTemporaryDir out;
        // The server announces the whole file and breaks off half-way:
        // while saving (WebM: header first)...
        Outcome o = capture(m_server.url("cut/clip.webm"), out.path(),
                            [](CSnifferManger &s) { s.setStallTimeoutMs(5000); });
        QCOMPARE(o.result, int(CSnifferManger::SaveFailed));
        QVERIFY2(o.error.contains("broke off"), qPrintable(o.error));
        QVERIFY2(filesIn(out.path()).isEmpty(), qPrintable(filesIn(out.path()).join(',')));
        // ...or before the streams are known (MP4 with its index at the end).
        o = capture(m_server.url("cut/clip.mp4"), out.path());
        QCOMPARE(o.result, int(CSnifferManger::NoMedia));
        QVERIFY(filesIn(out.path()).isEmpty());

        // An HLS stream whose last segments are gone.
        const QString site = m_site.path();
        QVERIFY(QDir(site).mkpath("hlscut"));
        for (const QString &f : QDir(site + "/hls").entryList(QDir::Files))
            QVERIFY(QFile::copy(site + "/hls/" + f, site + "/hlscut/" + f));
        QVERIFY(QFile::remove(site + "/hlscut/seg1.ts"));
        if (QFile::exists(site + "/hlscut/seg2.ts"))
            QVERIFY(QFile::remove(site + "/hlscut/seg2.ts"));
        o = capture(m_server.url("hlscut/index.m3u8"), out.path(),
                    [](CSnifferManger &s) { s.setStallTimeoutMs(5000); });
        QCOMPARE(o.result, int(CSnifferManger::SaveFailed));
        QVERIFY2(o.error.contains("ended after"), qPrintable(o.error));
        QVERIFY(filesIn(out.path()).isEmpty());
    }

    void stopEndsACaptureQuicklyAndLeavesNothing()
    {
        QTemporaryDir out;
        CSnifferManger sniffer;
        int result = -1;
        QString path;
        std::unique_ptr<QThread> worker(QThread::create(
            [&] { result = sniffer.listenCapture(m_server.url("slow/clip.webm"), out.path(), &path); }));
        worker->start();
        QElapsedTimer t;
        t.start();
        double progress = 0.0;
        while (progress <= 0.0 && t.elapsed() < 30000 && !worker->isFinished()) {
            QThread::msleep(50);
            sniffer.GetDownPrg(progress);
        }
        QVERIFY2(progress > 0.0 && progress < 100.0, qPrintable(QString::number(progress)));
        QVERIFY(!worker->isFinished());
        QVERIFY2(filesIn(out.path()).size() == 1, "the bytes go to one temporary file meanwhile");
        // Hidden, in the engine's one form of temporary output, and held:
        // a later start of the program removes such files only when
        // nobody holds them.
        const QString part = filesIn(out.path()).first();
        QVERIFY2(QRegularExpression("^\\.clip\\.webm\\.[A-Za-z0-9]{6}\\.part$").match(part).hasMatch(),
                 qPrintable(part));
        QVERIFY(lockedByWriter(out.filePath(part)));
        QElapsedTimer stop;
        stop.start();
        sniffer.StopListen();
        QVERIFY(worker->wait(5000));
        QVERIFY2(stop.elapsed() < 1000, qPrintable(QString("stopping took %1 ms").arg(stop.elapsed())));
        QCOMPARE(result, int(CSnifferManger::Stopped));
        QVERIFY(path.isEmpty());
        QVERIFY(filesIn(out.path()).isEmpty());

        // Stopping again, and capturing after a stop, return at once.
        sniffer.StopListen();
        QCOMPARE(sniffer.listenCapture(m_server.url("clip.mp4"), out.path(), &path),
                 int(CSnifferManger::Stopped));
    }

    void httpsIsVerifiedAndWorks()
    {
        QTemporaryDir keys;
        QString cert, key;
        if (!TestHttpServer::makeCertificate(keys.path(), &cert, &key))
            QSKIP("the openssl tool cannot make a certificate here");
        TestHttpServer secure;
        QVERIFY(secure.start(m_site.path(), cert, key));
        QVERIFY(secure.url("x").startsWith("https://"));
        QTemporaryDir out;

        writePage("secure.html", "<title>Secure</title><video src='clip.mp4'></video>");
        // Unknown issuer: refused.
        Outcome o = capture(secure.url("secure.html"), out.path());
        QCOMPARE(o.result, int(CSnifferManger::PageUnreachable));
        QVERIFY2(o.error.contains("certificate", Qt::CaseInsensitive), qPrintable(o.error));
        QVERIFY(filesIn(out.path()).isEmpty());

        // The media itself is checked too, not only the page: an http page
        // whose player asks for media on the untrusted server gets nothing.
        writePage("plainpage.html", "<title>Plain</title>");
        o = capture(m_server.url("plainpage.html"), out.path(), [&](CSnifferManger &s) {
            s.setBrowserAttached(true);
            s.setBrowserWait(0, 60000);
            s.reportRequest(QUrl(secure.url("clip.mp4")), true);
            s.reportPageLoaded(true);
        });
        QCOMPARE(o.result, int(CSnifferManger::NoMedia));
        QVERIFY2(o.error.contains("cannot open"), qPrintable(o.error));
        QVERIFY(filesIn(out.path()).isEmpty());

        const auto trust = [&](CSnifferManger &s) { s.setCaFile(cert); };
        o = capture(secure.url("secure.html"), out.path(), trust);
        QCOMPARE(o.result, int(CSnifferManger::Captured));
        verifyMedia(o.path, 2.0);
        o = capture(secure.url("hls/index.m3u8"), out.path(), trust);
        QCOMPARE(o.result, int(CSnifferManger::Captured));
        verifyMedia(o.path, 2.0);
    }

    void webViewReportsAreCaptured()
    {
        // The page names no media; its player asks for it later.
        writePage("scripted.html", "<title>Scripted</title><video id=v></video>"
                                   "<script>v.src = ['cl', 'ip.webm'].join('');</script>");
        QTemporaryDir out;
        CSnifferManger sniffer;
        sniffer.setBrowserAttached(true);
        int result = -1;
        QString path;
        std::unique_ptr<QThread> worker(QThread::create(
            [&] { result = sniffer.listenCapture(m_server.url("scripted.html"), out.path(), &path); }));
        worker->start();
        QThread::msleep(300);
        QVERIFY(!worker->isFinished());
        // Page pieces that are not media, and a lone segment, are ignored.
        sniffer.reportRequest(QUrl(m_server.url("style.css")), false);
        sniffer.reportRequest(QUrl(m_server.url("hls/seg0.ts")), false);
        sniffer.reportPageTitle(m_server.url("scripted.html"));
        sniffer.reportRequest(QUrl(m_server.url("clip.webm")), true);
        QVERIFY(worker->wait(60000));
        QCOMPARE(result, int(CSnifferManger::Captured));
        QCOMPARE(QFileInfo(path).fileName(), QString("Scripted.webm"));
        verifyMedia(path, 2.0);
    }

    void webViewThatPlaysNothingEndsTheWait()
    {
        QTemporaryDir out;
        CSnifferManger sniffer;
        sniffer.setBrowserAttached(true);
        sniffer.setBrowserWait(500, 60000);
        int result = -1;
        QString path;
        std::unique_ptr<QThread> worker(QThread::create(
            [&] { result = sniffer.listenCapture(m_server.url("plain.html"), out.path(), &path); }));
        worker->start();
        QThread::msleep(300);
        QVERIFY2(!worker->isFinished(), "waits for the web view while the page is loading");
        sniffer.reportPageLoaded(true);
        QVERIFY(worker->wait(20000));
        QCOMPARE(result, int(CSnifferManger::NoMedia));
    }

    void classicEntryFillsTheCallersBuffer()
    {
        QTemporaryDir out;
        CSnifferManger sniffer;
        char buffer[1024];
        memset(buffer, 'x', sizeof(buffer));
        const QByteArray address = m_server.url("video.html").toUtf8();
        const QByteArray folder = (out.path() + "/").toUtf8();
        QCOMPARE(sniffer.ListenCapture(address.constData(), folder.constData(), buffer),
                 int(CSnifferManger::Captured));
        QCOMPARE(QString::fromUtf8(buffer), out.path() + "/Video Page.mp4");
        double progress = 0;
        sniffer.GetDownPrg(progress);
        QCOMPARE(progress, 100.0);

        const QByteArray none = m_server.url("plain.html").toUtf8();
        memset(buffer, 'x', sizeof(buffer));
        QCOMPARE(sniffer.ListenCapture(none.constData(), folder.constData(), buffer),
                 int(CSnifferManger::NoMedia));
        QCOMPARE(buffer[0], '\0');
    }
};

QTEST_GUILESS_MAIN(TestCapture)
#include "tst_capture.moc"
