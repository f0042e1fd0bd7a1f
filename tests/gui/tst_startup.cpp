#include "core/platform/fontscan.h"
#include "core/platform/platform.h"
#include "gui/app/envchecker.h"
#include "gui/app/myapplication.h"
#include "gui/common/fontcombo.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT

    static QString uniqueName(const char *tag)
    {
        return QStringLiteral("reelmax-test-%1-%2").arg(tag).arg(QCoreApplication::applicationPid());
    }

private slots:
    void secondCheckerStepsAsideAndWakesTheFirst()
    {
        const QString name = uniqueName("guard");
        EnvChecker first;
        QVERIFY(first.isFirstInstance(name));
        QSignalSpy woken(&first, &EnvChecker::woken);
        EnvChecker second;
        QElapsedTimer t;
        t.start();
        QVERIFY(!second.isFirstInstance(name));
        QVERIFY(t.elapsed() < 1000);
        QVERIFY(woken.wait(2000));
    }

    // A later start hands over the files it was given; the first one gets
    // them whole, however the bytes arrive.
    void laterStartHandsOverItsFiles()
    {
        const QString name = uniqueName("files");
        EnvChecker first;
        QVERIFY(first.isFirstInstance(name));
        QSignalSpy received(&first, &EnvChecker::filesReceived);
        EnvChecker second;
        const QStringList files{"/videos/a clip.mp4", QString::fromUtf8("/videos/ünï\ncode.mkv")};
        QVERIFY(!second.isFirstInstance(name, files));
        QVERIFY(received.wait(3000));
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.first().first().toStringList(), files);
        // A knock without files only wakes the window.
        QSignalSpy woken(&first, &EnvChecker::woken);
        EnvChecker third;
        QVERIFY(!third.isFirstInstance(name));
        QVERIFY(woken.wait(3000));
        QTest::qWait(200);
        QCOMPARE(received.count(), 1);

        QStringList decoded;
        const QByteArray message = EnvChecker::encodeFiles(files);
        QVERIFY(!EnvChecker::decodeFiles(message.left(message.size() - 3), &decoded));
        QVERIFY(!EnvChecker::decodeFiles("garbage", &decoded));
        QVERIFY(EnvChecker::decodeFiles(message, &decoded));
        QCOMPARE(decoded, files);
    }

    // The socket is the user's own: in the runtime folder, not in the
    // temporary folder every user shares.
    void socketLivesInTheRuntimeFolder()
    {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        QVERIFY(!runtime.isEmpty());
        QCOMPARE(EnvChecker::serverPath("CorVaneVideoConverter"), runtime + "/CorVaneVideoConverter");
        QCOMPARE(EnvChecker::serverPath("/some/where/sock"), QStringLiteral("/some/where/sock"));
    }

    void staleSocketFromACrashIsReplaced()
    {
        const QString name = uniqueName("stale");
        // What a crashed instance leaves behind: the socket file, nobody listening.
        const QString path = EnvChecker::serverPath(name);
        QFile stale(path);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        EnvChecker first;
        QVERIFY(first.isFirstInstance(name));
        QLocalSocket probe;
        probe.connectToServer(path);
        QVERIFY(probe.waitForConnected(1000));
    }

    void secondProcessExitsWithMinusOne()
    {
        const QString program = QStringLiteral(REELMAX_BIN_DIR "/reelmax");
        if (!QFile::exists(program))
            QSKIP("program not built");
        QTemporaryDir tmp; // a user of its own, so a real instance is never touched
        QVERIFY(QDir().mkpath(tmp.path() + "/runtime"));
        QFile::setPermissions(tmp.path() + "/runtime",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", tmp.path() + "/runtime");
        env.insert("HOME", tmp.path());
        env.insert("XDG_CONFIG_HOME", tmp.path() + "/.config");
        env.insert("XDG_DATA_HOME", tmp.path() + "/.local/share");
        env.insert("REELMAX_UPC", tmp.path() + "/upc.xml");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(program, {});
        QVERIFY(first.waitForStarted());
        const QString socketPath = tmp.path() + "/runtime/CorVaneVideoConverter";
        QElapsedTimer wait;
        wait.start();
        while (!QFile::exists(socketPath) && wait.elapsed() < 20000)
            QTest::qWait(50);
        QVERIFY2(QFile::exists(socketPath), "first instance never listened");

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(program, {});
        // It only wakes the first one and leaves: no window, no event loop.
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitCode(), 255); // -1 as a process exit status
        QCOMPARE(first.state(), QProcess::Running);
        first.terminate();
        if (!first.waitForFinished(5000)) {
            first.kill();
            first.waitForFinished();
        }
    }

    void libraryPathsKeepQtsOwn()
    {
        const QStringList before = QCoreApplication::libraryPaths();
        MyApplication::setupLibraryPaths();
        const QStringList after = QCoreApplication::libraryPaths();
        const QString dir = QCoreApplication::applicationDirPath();
        QCOMPARE(after.mid(0, 4),
                 QStringList({dir, dir + "/imageformats", dir + "/plugins", dir + "/codecs"}));
        for (const QString &p : before)
            QVERIFY2(after.contains(p), qPrintable(p));
        QVERIFY(QImageWriter::supportedImageFormats().contains("jpg"));
    }

    void missingTranslationKeepsEnglish()
    {
        QVERIFY(!MyApplication::installTranslation("xx"));
        QCOMPARE(QCoreApplication::translate("MainWindow", "Corvane Reelmax"),
                 QStringLiteral("Corvane Reelmax"));
    }

    void fontFilesComeFromFontconfig()
    {
        const QString dejavu = fontFilePath("DejaVu Sans");
        QVERIFY2(dejavu.endsWith("DejaVuSans.ttf"), qPrintable(dejavu));
        QVERIFY(fontFilePath("No Such Family 12345").isEmpty());
        QVERIFY(QFile::exists(Platform::defaultFontFile()));
    }

    void fillingACombosWaitsForTheScanAndAppendsEachTime()
    {
        startFontScan();
        startFontScan(); // a second start does nothing
        QComboBox combo;
        combo.addItem("first");
        fillFontFamilyCombo(&combo); // waits for the scan
        QVERIFY(isFontScanDone());
        const QStringList families = scannedFontFamilies();
        QVERIFY(families.contains("DejaVu Sans"));
        QCOMPARE(combo.count(), 1 + families.size());
        QCOMPARE(combo.itemText(0), QStringLiteral("first"));
        fillFontFamilyCombo(&combo);
        QCOMPARE(combo.count(), 1 + 2 * families.size());
    }

    void platformServices()
    {
        QVERIFY(!Platform::needsElevation());
        QString name;
        int code = -1;
        QVERIFY(Platform::windowsVersion(name, code));
        QCOMPARE(code, 0);
        QVERIFY(!Platform::isItunesInstalled());

        QTemporaryDir dir;
        QFile info(dir.path() + "/info");
        QVERIFY(info.open(QIODevice::WriteOnly));
        info.write("CD-ROM information, Id: cdrom.c 3.20 2003/12/17\n\ndrive name:\t\tsr1\tsr0\n"
                   "drive speed:\t\t24\t24\n");
        info.close();
        QCOMPARE(Platform::opticalDrivesFromInfo(info.fileName()), QStringList({"/dev/sr0", "/dev/sr1"}));
        QVERIFY(Platform::opticalDrivesFromInfo(dir.path() + "/none").isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
