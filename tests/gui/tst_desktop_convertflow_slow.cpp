// The program as the desktop starts it, in processes of its own under a
// real X server: a second start hands its files to the running window (over
// a socket in the user's runtime folder) and exits with -1; the list comes
// back after a restart with its sections, names and edits, and files that
// vanished meanwhile are left out with one message.

#include "common/testmedia.h"
#include "core/media/sessionstore.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <signal.h>

namespace {

const QString kProgram = QStringLiteral(REELMAX_BIN_DIR "/reelmax");

// A user of their own: home, configuration, data and runtime folders.
struct Sandbox {
    QTemporaryDir root;
    QString runtime, temp;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();

    Sandbox()
    {
        const QString home = root.path() + "/home";
        runtime = root.path() + "/runtime";
        temp = root.path() + "/tmp";
        for (const QString &d : {home, runtime, temp})
            QDir().mkpath(d);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert("HOME", home);
        env.insert("XDG_CONFIG_HOME", home + "/.config");
        env.insert("XDG_DATA_HOME", home + "/.local/share");
        env.insert("XDG_CACHE_HOME", home + "/.cache");
        env.insert("XDG_RUNTIME_DIR", runtime);
        env.insert("TMPDIR", temp);
        env.insert("REELMAX_UPC", home + "/upc.xml");
        env.insert("SDL_AUDIODRIVER", "dummy");
        env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    QString sessionPath() const
    {
        return env.value("XDG_DATA_HOME") + "/CorVane Software/Corvane Reelmax/session.json";
    }
    QList<SessionStore::Entry> session() const
    {
        QFile f(sessionPath());
        QList<SessionStore::Entry> entries;
        if (!f.open(QIODevice::ReadOnly) || !SessionStore::parse(f.readAll(), &entries))
            return {};
        return entries;
    }
    QStringList sessionFiles() const
    {
        QStringList files;
        for (const SessionStore::Entry &e : session())
            files << e.basic.filename;
        return files;
    }
};

QByteArray fileText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void stop(QProcess &p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    p.terminate();
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
    }
}

// Whether a top-level window with this title is on the X server.
bool windowTitled(const QString &title)
{
    QProcess p;
    p.start("xwininfo", {"-root", "-tree"});
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).contains("\"" + title + "\"");
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT
    QString dir, first, second, third;

private slots:
    void initTestCase()
    {
        if (!QFile::exists(kProgram))
            QSKIP("program not built");
        dir = TestMedia::tempDir();
        first = dir + "/first.mp4";
        second = dir + "/second clip.mkv";
        third = dir + "/third.mp4";
        QVERIFY(TestMedia::makeClip(first, 2.0, 320, 240));
        QVERIFY(TestMedia::makeClip(second, 3.0, 320, 240));
        QVERIFY(TestMedia::makeClip(third, 1.0, 320, 240));
    }

    void secondStartHandsItsFilesOver()
    {
        Sandbox box;
        QProcess running;
        running.setProcessEnvironment(box.env);
        const QString runningLog = box.root.path() + "/running.log";
        running.setProcessChannelMode(QProcess::MergedChannels);
        running.setStandardOutputFile(runningLog);
        running.start(kProgram, {first});
        QVERIFY(running.waitForStarted());
        // The socket is the user's own, not in the shared temporary folder.
        const QString socket = box.runtime + "/CorVaneVideoConverter";
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 30000);
        QVERIFY(!QFile::exists(box.temp + "/CorVaneVideoConverter"));
        QTRY_COMPARE_WITH_TIMEOUT(box.sessionFiles(), QStringList{first}, 30000);

        // Started from the file's folder with a relative name, as a file
        // manager's "Open with" or a shell would.
        QProcess later;
        later.setProcessEnvironment(box.env);
        later.setWorkingDirectory(dir);
        later.start(kProgram, {QFileInfo(second).fileName(), "no-such-file.mp4"});
        QVERIFY(later.waitForFinished(20000));
        QCOMPARE(later.exitStatus(), QProcess::NormalExit);
        QCOMPARE(later.exitCode(), 255); // -1
        QTRY_VERIFY_WITH_TIMEOUT(box.sessionFiles() == (QStringList{first, second}) ||
                                     running.state() != QProcess::Running,
                                 30000);
        QVERIFY2(running.state() == QProcess::Running && box.sessionFiles() == (QStringList{first, second}),
                 qPrintable(QStringLiteral("list %1; program %2; its output: %3")
                                .arg(box.sessionFiles().join(", "))
                                .arg(running.state() == QProcess::Running
                                         ? QStringLiteral("running")
                                         : QStringLiteral("ended (status %1, code %2)")
                                               .arg(int(running.exitStatus()))
                                               .arg(running.exitCode()))
                                .arg(QString::fromUtf8(fileText(runningLog)))));

        // Nothing but the knock: the window comes forward, the list stays.
        QProcess empty;
        empty.setProcessEnvironment(box.env);
        empty.start(kProgram, {});
        QVERIFY(empty.waitForFinished(20000));
        QCOMPARE(empty.exitCode(), 255);
        QTest::qWait(500);
        QCOMPARE(box.sessionFiles(), (QStringList{first, second}));
        stop(running);
    }

    // The list of the last run, with a clip of a file and an edited,
    // renamed entry, is what the program shows (and keeps) after a start;
    // a file that vanished is left out and named in one message.
    void theListComesBackAfterARestart()
    {
        Sandbox box;
        const QString gone = dir + "/gone.mp4";
        QVERIFY(QFile::copy(third, gone));
        // What a previous run left: written as the program writes it.
        QJsonArray entries;
        auto entry = [](const QString &file, int start, int end, const QString &name,
                        const QJsonObject &edits) {
            return QJsonObject{
                {"file", file}, {"start", start}, {"end", end}, {"name", name}, {"edits", edits}};
        };
        const QJsonObject crop{{"cropChanged", true}, {"cropLeft", 16},    {"cropTop", 8},
                               {"cropWidth", 160},    {"cropHeight", 120}, {"effectChanged", true},
                               {"brightness", 30},    {"hFlip", true},     {"flipChanged", true}};
        entries << entry(first, 0, 2000, "first.mp4", {}) << entry(second, 0, 3000, "The interview", crop)
                << entry(first, 500, 1500, "first.mp4", {}) << entry(gone, 0, 1000, "gone.mp4", {});
        QDir().mkpath(QFileInfo(box.sessionPath()).absolutePath());
        QFile session(box.sessionPath());
        QVERIFY(session.open(QIODevice::WriteOnly));
        session.write(
            QJsonDocument(
                QJsonObject{{"format", "corvane-reelmax-session"}, {"version", 1}, {"entries", entries}})
                .toJson());
        session.close();
        QVERIFY(QFile::remove(gone));

        QProcess program;
        program.setProcessEnvironment(box.env);
        program.start(kProgram, {});
        QVERIFY(program.waitForStarted());
        // The vanished file is named once, in a message over the window.
        QTRY_VERIFY_WITH_TIMEOUT(windowTitled("Warning"), 30000);
        // The restored list is saved again as it now is: three entries with
        // their sections, names and edits.
        QTRY_COMPARE_WITH_TIMEOUT(box.sessionFiles(), (QStringList{first, second, first}), 30000);
        const QList<SessionStore::Entry> saved = box.session();
        QCOMPARE(saved[2].basic, VideoBasicInfo(first, 500, 1500));
        QCOMPARE(saved[1].name, QStringLiteral("The interview"));
        for (auto it = crop.begin(); it != crop.end(); ++it)
            QCOMPARE(saved[1].edits.value(it.key()), it.value());
        QCOMPARE(saved[0].edits.value("cropChanged"), QJsonValue(false));
        stop(program);

        // Ended without a word (a crash, a killed session): the list of
        // the moment is what the next start finds.  A file of this start
        // that came back with the list gets no second row.
        QProcess again;
        again.setProcessEnvironment(box.env);
        again.start(kProgram, {third, first});
        QVERIFY(again.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(box.sessionFiles(), (QStringList{first, second, first, third}), 30000);
        ::kill(pid_t(again.processId()), SIGKILL);
        again.waitForFinished();
        QProcess last;
        last.setProcessEnvironment(box.env);
        last.start(kProgram, {});
        QVERIFY(last.waitForStarted());
        QTest::qWait(3000);
        QCOMPARE(box.sessionFiles(), (QStringList{first, second, first, third}));
        QVERIFY(!windowTitled("Warning"));
        stop(last);
    }
};

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop_convertflow_slow.moc"
