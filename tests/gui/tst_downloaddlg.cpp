#include "core/config/videouserconfig.h"
#include "core/media/videoinfomanager.h"
#include "gui/app/eventhandler.h"
#include "gui/app/myapplication.h"
#include "gui/download/capturewebview.h"
#include "gui/download/capturewebviewloader.h"
#include "gui/download/downloaddlg.h"

#include "common/testhttpserver.h"
#include "common/testmedia.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

// Catches what would open in the desktop's web browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

// The download dialog with the real web engine (offscreen) against a web
// server of the test's own: every way a page offers its video, failures,
// stopping, pop-ups and the media list.
class TestDownloadDlg : public QObject {
    Q_OBJECT

    struct Message {
        QString title, text, detail;
    };

    QTemporaryDir m_site;
    QTemporaryDir m_downloads;
    TestHttpServer m_server;
    QList<Message> m_messages;

    void writePage(const QString &name, const QByteArray &html)
    {
        QFile f(m_site.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(html);
    }

    QStringList downloadedFiles() const
    {
        return QDir(m_downloads.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    std::unique_ptr<DownloadDlg> makeDialog()
    {
        auto dlg = std::make_unique<DownloadDlg>();
        dlg->setMessageSink([this](const QString &title, const QString &text, const QString &detail) {
            m_messages << Message{title, text, detail};
        });
        dlg->show();
        return dlg;
    }

    // Types the address, presses Start and waits for the dialog to close.
    // Returns the rows the media list gained.
    int runCapture(DownloadDlg &dlg, const QString &typed, int timeoutMs = 90000)
    {
        const int before = VideoInfoManager::instance()->count();
        QSignalSpy closed(&dlg, &QDialog::finished);
        dlg.editAddress()->setText(typed);
        QTest::mouseClick(dlg.btnStart(), Qt::LeftButton);
        if (!closed.wait(timeoutMs))
            return -1;
        return VideoInfoManager::instance()->count() - before;
    }

    void verifyListedCapture(double seconds)
    {
        VideoInfoManager *registry = VideoInfoManager::instance();
        QVERIFY(registry->count() > 0);
        const QString path = registry->filePath(registry->count() - 1);
        QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(m_downloads.path()).absoluteFilePath());
        const QJsonObject probe = TestMedia::probe(path);
        QVERIFY(!TestMedia::stream(probe, "video").isEmpty());
        QVERIFY(qAbs(TestMedia::durationSeconds(probe) - seconds) <= 0.2);
        QString errors;
        QVERIFY2(TestMedia::decodesCleanly(path, &errors), qPrintable(errors));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_site.isValid() && m_downloads.isValid());
        QSettings().setValue("VideoDownloadFolder", m_downloads.path());
        QCOMPARE(VideoUserConfig::instance()->videoDownloadDirectory(), m_downloads.path());
        const QString site = m_site.path();
        QVERIFY(TestMedia::makeClip(site + "/clip.mp4", 2.0, 320, 240, "25", 44100, 2, {"-g", "25"}));
        QVERIFY(TestMedia::makeClip(site + "/clip.webm", 2.0, 160, 120, "25", 48000, 2,
                                    {"-c:v", "libvpx", "-b:v", "300k", "-c:a", "libvorbis"}));
        QVERIFY(QDir(site).mkpath("hls"));
        QVERIFY(TestMedia::ffmpeg({"-i", site + "/clip.mp4", "-c", "copy", "-f", "hls", "-hls_time", "1",
                                   "-hls_playlist_type", "vod", "-hls_segment_filename",
                                   site + "/hls/seg%d.ts", site + "/hls/index.m3u8"}));
        QVERIFY(m_server.start(site));
    }

    void init() { m_messages.clear(); }

    void webEngineWaitsForTheFirstDialog()
    {
        QVERIFY(!CaptureWebViewLoader::isLoaded());
        QProcess ps;
        ps.start("ps", {"-o", "comm=", "--ppid", QString::number(QCoreApplication::applicationPid())});
        QVERIFY(ps.waitForFinished(10000));
        QVERIFY2(!ps.readAll().contains("QtWebEngine"), "a web engine helper runs before any dialog");
        auto dlg = makeDialog();
        QVERIFY(CaptureWebViewLoader::isLoaded());
        QVERIFY(dlg->webView());
        QVERIFY(dlg->webView()->isOffTheRecord());
        QCOMPARE(dlg->width(), 478);
        QVERIFY(dlg->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!dlg->progressBar()->isTextVisible());
        QCOMPARE(dlg->progressBar()->value(), 0);
        QTRY_COMPARE(dlg->webView()->url(), QUrl("about:blank"));
        QVERIFY(dlg->btnStart()->isEnabled());
    }

    void addressWithoutSchemeGoesWholeToLibraryAndView()
    {
        writePage("video.html", "<html><head><title>Video Page</title></head><body>"
                                "<video src=clip.mp4 controls></video></body></html>");
        auto dlg = makeDialog();
        const QString typed = QStringLiteral("127.0.0.1:%1/video.html").arg(m_server.port());
        const QString full = "http://" + typed;
        QSignalSpy closed(dlg.get(), &QDialog::finished);
        const int before = VideoInfoManager::instance()->count();
        dlg->editAddress()->setText(typed);
        QTest::mouseClick(dlg->btnStart(), Qt::LeftButton);
        QCOMPARE(dlg->snifferThread().address(), full);
        QCOMPARE(dlg->snifferThread().destination(), m_downloads.path());
        // Start cannot be pressed twice.
        QVERIFY(!dlg->btnStart()->isEnabled());
        QTest::mouseClick(dlg->btnStart(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(dlg->webView()->url(), QUrl(full), 30000);
        QVERIFY(closed.count() == 1 || closed.wait(90000));
        QCOMPARE(closed.first().first().toInt(), int(QDialog::Rejected));
        QVERIFY(!dlg->isVisible());
        QVERIFY2(m_messages.isEmpty(), m_messages.isEmpty() ? "" : qPrintable(m_messages.first().detail));
        QCOMPARE(VideoInfoManager::instance()->count(), before + 1);
        QCOMPARE(QFileInfo(VideoInfoManager::instance()->filePath(before)).fileName(),
                 QString("Video Page.mp4"));
        verifyListedCapture(2.0);
        QCOMPARE(dlg->progressBar()->value(), 100);
    }

    void sourceElementsHlsAndDirectAddresses()
    {
        writePage("sources.html", "<title>Sources</title><video controls>"
                                  "<source src='clip.webm' type='video/webm'>"
                                  "<source src='clip.mp4' type='video/mp4'></video>");
        writePage("hls.html", "<title>Stream</title><video id=v></video>"
                              "<script>var manifest = 'hls/index.m3u8';</script>");
        const struct {
            QString path, name;
        } cases[] = {{"sources.html", "Sources.webm"}, {"hls.html", "Stream.mp4"}, {"clip.mp4", "clip.mp4"}};
        for (const auto &c : cases) {
            auto dlg = makeDialog();
            QCOMPARE(runCapture(*dlg, m_server.url(c.path)), 1);
            QVERIFY2(m_messages.isEmpty(), qPrintable(c.path));
            const QString listed =
                VideoInfoManager::instance()->filePath(VideoInfoManager::instance()->count() - 1);
            QCOMPARE(QFileInfo(listed).fileName(), c.name);
            verifyListedCapture(2.0);
        }
    }

    void videoStartedByScriptIsFoundThroughTheWebView()
    {
        // No address in the source: only the page's player reveals it.
        writePage("scripted.html", "<title>Scripted</title><video id=v muted autoplay></video>"
                                   "<script>document.getElementById('v').src = ['cl', 'ip.webm'].join('');"
                                   "</script>");
        auto dlg = makeDialog();
        QCOMPARE(runCapture(*dlg, m_server.url("scripted.html")), 1);
        QVERIFY(m_messages.isEmpty());
        const QString listed =
            VideoInfoManager::instance()->filePath(VideoInfoManager::instance()->count() - 1);
        QCOMPARE(QFileInfo(listed).fileName(), QString("Scripted.webm"));
        verifyListedCapture(2.0);
    }

    void pageWithoutMediaSaysDownloadFailed()
    {
        writePage("plain.html", "<title>Words</title><p>Nothing to watch here.</p>");
        const QStringList before = downloadedFiles();
        auto dlg = makeDialog();
        QCOMPARE(runCapture(*dlg, m_server.url("plain.html")), 0);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.first().title, QString("Error"));
        QCOMPARE(m_messages.first().text, QString("Download File failed"));
        QVERIFY(!m_messages.first().detail.isEmpty());
        QVERIFY(!dlg->isVisible());
        QCOMPARE(downloadedFiles(), before);
    }

    void emptyOrUnusableAddressFailsAtOnce()
    {
        for (const QString &typed : {QString("   "), QString("ftp://127.0.0.1/clip.mp4")}) {
            m_messages.clear();
            auto dlg = makeDialog();
            QCOMPARE(runCapture(*dlg, typed, 20000), 0);
            QCOMPARE(m_messages.size(), 1);
            QCOMPARE(m_messages.first().text, QString("Download File failed"));
            QVERIFY(!dlg->isVisible());
        }
    }

    void exitDuringACaptureStopsAtOnceAndLeavesNothing()
    {
        const QStringList before = downloadedFiles();
        const int rows = VideoInfoManager::instance()->count();
        auto dlg = makeDialog();
        dlg->editAddress()->setText(m_server.url("slow/clip.webm"));
        QTest::mouseClick(dlg->btnStart(), Qt::LeftButton);
        // Wait until bytes arrive (the temporary file exists and grows).
        QTRY_VERIFY_WITH_TIMEOUT(dlg->progressBar()->value() > 0, 30000);
        QVERIFY(dlg->snifferThread().isRunning());
        QCOMPARE(downloadedFiles().size(), before.size() + 1);
        QElapsedTimer t;
        t.start();
        QTest::mouseClick(dlg->btnExit(), Qt::LeftButton);
        const qint64 took = t.elapsed();
        QVERIFY2(took < 1000, qPrintable(QString("Exit took %1 ms").arg(took)));
        QVERIFY(!dlg->isVisible());
        QVERIFY(dlg->snifferThread().isFinished());
        QCoreApplication::processEvents();
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(downloadedFiles(), before);
        QCOMPARE(VideoInfoManager::instance()->count(), rows);
    }

    void popUpsOpenInTheDesktopBrowser()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("http", &catcher, "open");
        const QString target = m_server.url("video.html");
        writePage(
            "popup.html",
            QStringLiteral("<title>Pop</title><script>window.open('%1');</script>").arg(target).toUtf8());
        auto dlg = makeDialog();
        const int windows = QApplication::topLevelWidgets().size();
        dlg->webView()->load(QUrl(m_server.url("popup.html")));
        QTRY_VERIFY_WITH_TIMEOUT(!catcher.urls.isEmpty(), 30000);
        QCOMPARE(catcher.urls.first(), QUrl(target));
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
        QCOMPARE(dlg->webView()->url(), QUrl(m_server.url("popup.html")));
        QDesktopServices::unsetUrlHandler("http");
    }

    void downloadCommandRunsTheDialogWithoutParent()
    {
        CEventHandler handler(nullptr);
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto *dlg = qobject_cast<DownloadDlg *>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            seen = true;
            QVERIFY(!dlg->parentWidget());
            QVERIFY(dlg->isModal());
            QTest::mouseClick(dlg->btnExit(), Qt::LeftButton);
        });
        handler.onMenuFileDownload();
        QVERIFY(seen);
    }
};

int main(int argc, char *argv[])
{
    // As the program does it: run as root, the web engine's sandbox is
    // turned off by the program itself, not by the environment.
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    const bool root = ::geteuid() == 0;
    if (MyApplication::disableWebSandboxForRoot() != root)
        return 1;
    // A private settings folder for the download folder setting.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setOrganizationName("CorVane Software");
    QApplication::setApplicationName("Corvane Reelmax");
    TestDownloadDlg test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_downloaddlg.moc"
