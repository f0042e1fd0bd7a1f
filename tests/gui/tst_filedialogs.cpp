// The loading, file information and rename dialogs.
#include "common/testmedia.h"
#include "core/media/parallelvideoloader.h"
#include "core/media/videoinfo.h"
#include "core/media/videoinfomanager.h"
#include "gui/widgets/fileinfodialog.h"
#include "gui/widgets/loadvideofilesprogressdialog.h"
#include "gui/widgets/videorenamedlg.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <functional>

namespace {
// Entries named "slow" wait at a gate the test opens.
class GatedLoader : public ParallelVideoLoader {
public:
    GatedLoader(int workers, std::atomic<bool> *gate) : ParallelVideoLoader(workers), m_gate(gate) {}
    ~GatedLoader() override
    {
        m_gate->store(true);
        stopWorkers();
    }

protected:
    VideoLoadOutcome loadOne(const VideoBasicInfo &entry, MediaProbe &probe) const override
    {
        while (entry.filename.contains(QLatin1String("slow")) && !m_gate->load())
            QThread::msleep(5);
        return ParallelVideoLoader::loadOne(entry, probe);
    }

private:
    std::atomic<bool> *m_gate;
};

// Collects the error boxes instead of showing them.
class QuietLoadDialog : public LoadVideoFilesProgressDialog {
public:
    QStringList errors;
    QStringList labels; // what the label said after each file
    std::atomic<bool> gate{true};
    std::function<void()> onError;

protected:
    void showError(const QString &title, const QString &text) override
    {
        errors << title + QLatin1Char('|') + text;
        if (onError)
            onError();
    }
    std::unique_ptr<ParallelVideoLoader> makeLoader(int workers) override
    {
        return std::make_unique<GatedLoader>(workers, &gate);
    }
};
} // namespace

class TestFileDialogs : public QObject {
    Q_OBJECT

private slots:
    void loadingSkipsAndReports()
    {
        const QString dir = TestMedia::tempDir();
        const QString text = dir + QStringLiteral("/a.txt");
        const QString good = dir + QStringLiteral("/b.avi");
        const QString bad = dir + QStringLiteral("/c.mp4");
        for (const QString &path : {text, bad}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("this is not a media file");
        }
        QVERIFY(TestMedia::makeClip(good, 1.0, 160, 120));
        const bool engineProbes = VideoInfo(good).isValid();

        QuietLoadDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("LoadVideoFilesProgressDialog"));
        QCOMPARE(dialog.size(), QSize(460, 145));
        QVERIFY(!dialog.progressBar()->isTextVisible());
        VideoInfoList loaded;
        const QList<VideoBasicInfo> videos = {VideoBasicInfo(text), VideoBasicInfo(good),
                                              VideoBasicInfo(bad)};
        QCOMPARE(dialog.run(videos, loaded), 1);
        QVERIFY(dialog.results().empty()); // handed over
        QVERIFY(dialog.isHidden());

        // The text file is dropped silently; the unreadable clip is reported once.
        QStringList expected{QStringLiteral("Error|%1 is not a valid multi-media file.").arg(bad)};
        if (!engineProbes)
            expected.prepend(QStringLiteral("Error|%1 is not a valid multi-media file.").arg(good));
        QCOMPARE(dialog.errors, expected);
        if (!engineProbes)
            QSKIP("the engine cannot probe yet; the valid clip was reported instead of loaded");
        QCOMPARE(int(loaded.size()), 1);
        QCOMPARE(loaded.front()->filename, good);
        QCOMPARE(dialog.lbLoading()->text(), QStringLiteral("loaded file:") + good);
        QCOMPARE(dialog.progressBar()->value(), 33); // entry 1 of 3
    }

    // Rows appear while later files still load; Cancel ends the load and
    // takes them out again.  An error box shows after the rows before its
    // file and before the rows after it.
    void rowsAppearWhileLoadingAndCancelTakesThemBack()
    {
        const QString dir = TestMedia::tempDir();
        const QString a = dir + QStringLiteral("/first.mp4"), b = dir + QStringLiteral("/last.avi");
        const QString slow = dir + QStringLiteral("/slow.mp4"), bad = dir + QStringLiteral("/bad.mp4");
        QVERIFY(TestMedia::makeClip(a, 1.0, 160, 120));
        QVERIFY(TestMedia::makeClip(b, 1.0, 176, 144));
        QVERIFY(QFile::copy(a, slow));
        QFile junk(bad);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("this is not a media file");
        junk.close();

        VideoInfoManager registry;
        registry.setRememberAddedFiles(false);
        QuietLoadDialog dialog;
        registry.setLoadStep(&dialog);
        dialog.gate = false;
        bool sawRowWhileLoading = false;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [&] {
            if (registry.count() != 1 || !dialog.isVisible())
                return;
            sawRowWhileLoading = true;
            QCOMPARE(dialog.progressBar()->value(), 0); // entry 0 of 3
            QCOMPARE(dialog.lbLoading()->text(), QStringLiteral("loaded file:") + a);
            QVERIFY(dialog.btnCancel()->isEnabled());
            poll.stop();
            dialog.btnCancel()->click();
        });
        poll.start();
        QSignalSpy removed(&registry, qOverload<int>(&VideoInfoManager::videoRemoved));
        registry.addFiles({a, slow, b});
        poll.stop();
        QVERIFY(sawRowWhileLoading);
        QCOMPARE(registry.count(), 0);
        QCOMPARE(removed.count(), 1);
        QVERIFY(dialog.isHidden());

        dialog.gate = true;
        int rowsAtError = -1;
        dialog.onError = [&] { rowsAtError = registry.count(); };
        registry.addFiles({a, bad, b});
        QCOMPARE(dialog.errors,
                 QStringList{QStringLiteral("Error|%1 is not a valid multi-media file.").arg(bad)});
        QCOMPARE(rowsAtError, 1);
        QCOMPARE(registry.count(), 2);
        QCOMPARE(registry.filePath(1), b);
        QCOMPARE(dialog.progressBar()->value(), 66);
    }

    void loadingPathsBuildsWholeSections()
    {
        QuietLoadDialog dialog;
        QCOMPARE(dialog.exec(
                     QStringList{QStringLiteral("/nonexistent/x.mp4"), QStringLiteral("/nonexistent/y.doc")}),
                 1);
        QCOMPARE(dialog.errors.size(), 1);
        QVERIFY(dialog.errors.first().startsWith(QLatin1String("Error|/nonexistent/x.mp4")));
        QVERIFY(dialog.takeResults().empty());
    }

    void fileInfoShowsTextOnShow()
    {
        FileInfoDialog dialog;
        QCOMPARE(dialog.size(), QSize(400, 450));
        QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
        dialog.setText(QStringLiteral("Name:a.mp4\n"));
        QVERIFY(dialog.editInfo()->toPlainText().isEmpty());
        QTimer::singleShot(0, &dialog, [&dialog] {
            QCOMPARE(dialog.editInfo()->toPlainText(), QStringLiteral("Name:a.mp4\n"));
            QVERIFY(dialog.editInfo()->isReadOnly());
            dialog.btnOk()->click();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.btnClose()->click(); });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    }

    void renameEnterAcceptsAndConsumes()
    {
        VideoRenameDlg dialog;
        QCOMPARE(dialog.size(), QSize(300, 120));
        dialog.setName(QStringLiteral("old"));
        QTimer::singleShot(0, &dialog, [&dialog] {
            QCOMPARE(dialog.editName()->text(), QStringLiteral("old"));
            dialog.editName()->setText(QStringLiteral("new name"));
            QTest::keyClick(dialog.editName(), Qt::Key_Enter);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.name(), QStringLiteral("new name"));

        QTimer::singleShot(0, &dialog, [&dialog] {
            dialog.editName()->setText(QStringLiteral("dropped"));
            dialog.btnClose()->click();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(dialog.name(), QStringLiteral("new name"));
    }
};

QTEST_MAIN(TestFileDialogs)
#include "tst_filedialogs.moc"
