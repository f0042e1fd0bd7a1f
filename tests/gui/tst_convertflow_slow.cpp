// The whole conversion flow driven through the main window: files added to
// the list, a profile picked in the profile menu, "Start Convert" pressed,
// and the real message boxes read and closed as a user would.

#include "common/testmedia.h"
#include "core/config/videouserconfig.h"
#include "core/jobs/conversionrun.h"
#include "core/media/videoinfomanager.h"
#include "core/profiles/videoprofileuserconfig.h"
#include "gui/app/mainwindow.h"
#include "gui/profiles/profileedit.h"
#include "gui/profiles/videoprofilemenuwidget.h"
#include "gui/support/boxcloser.h"
#include "gui/widgets/videoconvertwidget.h"
#include "gui/widgets/videolistwidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

class TestConvertFlow : public QObject {
    Q_OBJECT

    QString dir, outDir;
    QString clip, longClip, clips[3];
    MainWindow *window = nullptr;
    VideoConvertWidget *panel = nullptr;
    VideoProfileMenuWidget *menu = nullptr;
    BoxCloser boxes;

    void addAndSelect(const QStringList &files)
    {
        VideoInfoManager::instance()->clear();
        VideoInfoManager::instance()->addFiles(files);
        QCOMPARE(VideoInfoManager::instance()->count(), files.size());
        window->listWidget()->selectRow(0);
        QCOMPARE(window->listWidget()->currentRow(), 0);
    }

    template <typename T> T *child(const char *name) const
    {
        T *c = panel->findChild<T *>(QLatin1String(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }

    // Picks a profile in the menu as the user would: its category, then
    // its entry in the grid.
    bool chooseProfile(const QString &name)
    {
        VideoProfileUserConfig *upc = VideoProfileUserConfig::getInstance();
        QList<VideoProfileCategory> categories = upc->getFormatsCategories();
        categories += upc->getDVDCategories();
        categories += upc->getDeviceCategories();
        for (const VideoProfileCategory &c : categories) {
            menu->changeCategory(c.key);
            QListWidget *grid = menu->profileList();
            for (int i = 0; i < grid->count(); ++i) {
                if (grid->item(i)->text() == name) {
                    menu->onProfileSelected(grid->item(i));
                    return true;
                }
            }
        }
        return false;
    }

    // Presses Start and waits for the end of the run, recording what the
    // progress bar and the elapsed label showed on the way.
    struct Run {
        QList<int> progress;
        QStringList elapsed;
    };
    void runToEnd(int timeoutMs, Run &run)
    {
        auto *bar = child<QProgressBar>("progressBar");
        auto *elapsed = child<QLabel>("lbElapsed");
        QMetaObject::Connection c1 =
            connect(bar, &QProgressBar::valueChanged, [&run](int v) { run.progress << v; });
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, [&] {
            if (run.elapsed.isEmpty() || run.elapsed.last() != elapsed->text())
                run.elapsed << elapsed->text();
        });
        sampler.start(100);
        QSignalSpy status(panel, &VideoConvertWidget::convertStatusChanged);
        const int before = boxes.seen.size();
        QTest::mouseClick(child<QPushButton>("btnStartConvert"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(status.count() >= 2 && boxes.seen.size() > before, timeoutMs);
        disconnect(c1);
    }

    void verifyPlays(const QString &path, double seconds)
    {
        const QJsonObject info = TestMedia::probe(path);
        QVERIFY2(!info.isEmpty(), qPrintable(path));
        QVERIFY(!TestMedia::stream(info, "video").isEmpty());
        QVERIFY(!TestMedia::stream(info, "audio").isEmpty());
        QVERIFY2(qAbs(TestMedia::durationSeconds(info) - seconds) < 0.6,
                 qPrintable(QString::number(TestMedia::durationSeconds(info))));
        QString errors;
        QVERIFY2(TestMedia::decodesCleanly(path, &errors), qPrintable(errors));
    }

private slots:
    void initTestCase()
    {
        dir = TestMedia::tempDir();
        // The profile catalogue of this run, not the one beside the program.
        qputenv("REELMAX_UPC", QFile::encodeName(dir + "/upc.xml"));
        outDir = dir + "/out";
        QVERIFY(QDir().mkpath(outDir));
        QVERIFY(QDir().mkpath(dir + "/tmp"));
        clip = dir + "/clip.mp4";
        QVERIFY(TestMedia::makeClip(clip, 8, 640, 480));
        // Only ever stopped early, so its length costs nothing.
        longClip = dir + "/long.mp4";
        QVERIFY(TestMedia::makeClip(longClip, 60, 320, 240));
        for (int i = 0; i < 3; ++i) {
            clips[i] = dir + QStringLiteral("/part%1.mp4").arg(i);
            QVERIFY(TestMedia::makeClip(clips[i], 2 + i, 320, 240));
        }
        VideoUserConfig *config = VideoUserConfig::instance();
        config->setConvertOutputDirectory(outDir);
        config->setTempDirectory(dir + "/tmp");

        window = new MainWindow;
        config->setMainWindow(window);
        panel = qobject_cast<VideoConvertWidget *>(window->convertWidget());
        menu = qobject_cast<VideoProfileMenuWidget *>(window->profileMenu());
        QVERIFY(panel);
        QVERIFY(menu);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }

    void cleanupTestCase()
    {
        VideoInfoManager::instance()->clear();
        delete window;
    }

    void convertsOneClipWithMp4Video()
    {
        addAndSelect({clip});
        if (QTest::currentTestFailed())
            return;
        QTest::mouseClick(child<ProfileEdit>("profileEdit"), Qt::LeftButton);
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(chooseProfile(QStringLiteral("MP4 Video")));
        QVERIFY(!menu->isVisible());
        QCOMPARE(child<ProfileEdit>("profileEdit")->text(), QStringLiteral("MP4 Video"));

        QElapsedTimer clock;
        clock.start();
        Run run;
        runToEnd(180000, run);
        if (QTest::currentTestFailed())
            return;
        const qint64 took = clock.elapsed();
        QCOMPARE(boxes.seen.last(), QStringLiteral("Convert Finished|Convert Finished."));
        qInfo("one 8 s 640x480 clip to MP4 Video in %lld ms", took);
        // The bar moved through intermediate values and ended full.
        bool between = false;
        for (int v : run.progress)
            between = between || (v > 0 && v < 100);
        QVERIFY2(between, qPrintable(QString("progress seen: %1").arg(run.progress.size())));
        QCOMPARE(child<QProgressBar>("progressBar")->value(), 100);
        QVERIFY2(run.elapsed.size() >= 2 || took < 1500, qPrintable(run.elapsed.join(',')));
        QCOMPARE(child<QPushButton>("btnStartConvert")->text(), QStringLiteral("Start Convert"));
        QVERIFY(!panel->isBusy());

        const QString output = panel->lastOutputPath();
        QCOMPARE(output, outDir + "/clip.mp4");
        verifyPlays(output, 8);
    }

    void stoppingMidwayLeavesNoOutput()
    {
        addAndSelect({longClip});
        if (QTest::currentTestFailed())
            return;
        QSignalSpy status(panel, &VideoConvertWidget::convertStatusChanged);
        auto *bar = child<QProgressBar>("progressBar");
        auto *start = child<QPushButton>("btnStartConvert");
        const int before = boxes.seen.size();
        QTest::mouseClick(start, Qt::LeftButton);
        QTRY_COMPARE(status.count(), 1);
        QCOMPARE(start->text(), QStringLiteral("Stop Convert"));
        QVERIFY(!child<ProfileEdit>("profileEdit")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(bar->value() > 0, 60000);
        QVERIFY(panel->isBusy());
        const QString output = panel->lastOutputPath();
        QCOMPARE(output, outDir + "/long.mp4");
        QTest::mouseClick(start, Qt::LeftButton); // now "Stop Convert"
        QVERIFY(!panel->isBusy());
        QTRY_COMPARE(boxes.seen.size(), before + 1);
        QCOMPARE(boxes.seen.last(), QStringLiteral("Convert Aborted|Convert Aborted."));
        QCOMPARE(bar->value(), 0);
        QCOMPARE(panel->conversionRun()->lastOutcome().status, TRANSCODE_STOPPED);
        QVERIFY(!QFile::exists(output));
        // Nothing half-written is left beside the finished file either.
        QCOMPARE(QDir(outDir).entryList(QDir::Files), QStringList{"clip.mp4"});
    }

    void closingTheWindowAsksAndStopsTheRun()
    {
        QSignalSpy status(panel, &VideoConvertWidget::convertStatusChanged);
        auto *bar = child<QProgressBar>("progressBar");
        QTest::mouseClick(child<QPushButton>("btnStartConvert"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(bar->value() > 0, 60000);
        const int before = boxes.seen.size();
        boxes.answerYes = false;
        QVERIFY(!window->close());
        QCOMPARE(boxes.seen.value(before), QStringLiteral("Warning|Convert is in progress, stop it?"));
        QVERIFY(window->isVisible());
        QVERIFY(panel->isBusy());
        boxes.answerYes = true;
        QVERIFY(window->close());
        QVERIFY(!panel->isBusy());
        // The program goes away when the stop is done: no "Aborted" box
        // holds it open behind a closed window.  (Qt announces the last
        // window closed only inside the event loop's exec(), which a test
        // does not run, so the closed window is checked instead.)
        QVERIFY(!window->isVisible());
        QTest::qWait(1000);
        QCOMPARE(boxes.seen.size(), before + 2);
        QCOMPARE(boxes.seen.last(), QStringLiteral("Warning|Convert is in progress, stop it?"));
        QCOMPARE(panel->conversionRun()->lastOutcome().status, TRANSCODE_STOPPED);
        QCOMPARE(QDir(outDir).entryList(QDir::Files), QStringList{"clip.mp4"});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }

    void mergesThreeFiles()
    {
        VideoInfoManager::instance()->clear();
        VideoInfoManager::instance()->addFiles({clips[0], clips[1], clips[2]});
        QCOMPARE(VideoInfoManager::instance()->count(), 3);
        window->listWidget()->clearSelection();
        VideoUserConfig::instance()->setMerge(true);
        Run run;
        runToEnd(240000, run);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(boxes.seen.last(), QStringLiteral("Convert Finished|Convert Finished."));
        const QString output = panel->lastOutputPath();
        QCOMPARE(output, outDir + "/part0.mp4");
        verifyPlays(output, 2 + 3 + 4);
    }

    void stoppingAMergeSaysSo()
    {
        QSignalSpy status(panel, &VideoConvertWidget::convertStatusChanged);
        QTest::mouseClick(child<QPushButton>("btnStartConvert"), Qt::LeftButton);
        QTRY_COMPARE(status.count(), 1);
        QVERIFY(panel->isBusy());
        QCOMPARE(panel->conversionRun()->kind(), ConversionKind::Merge);
        QTest::mouseClick(child<QPushButton>("btnStartConvert"), Qt::LeftButton);
        QVERIFY(!panel->isBusy());
        QTRY_COMPARE(boxes.seen.last(), QStringLiteral("Merge Aborted|Merge Aborted."));
        QVERIFY(!QFile::exists(panel->lastOutputPath()));
        VideoUserConfig::instance()->setMerge(false);
    }

    void destroyingTheWindowMidRunStopsTheWorker()
    {
        // What happens when the program ends with a run active (the tray's
        // "Exit"): the window goes, and the worker is stopped first.
        addAndSelect({longClip});
        if (QTest::currentTestFailed())
            return;
        QSignalSpy status(panel, &VideoConvertWidget::convertStatusChanged);
        QTest::mouseClick(child<QPushButton>("btnStartConvert"), Qt::LeftButton);
        QTRY_COMPARE(status.count(), 1);
        QVERIFY(panel->isBusy());
        const QString output = panel->lastOutputPath();
        const int before = boxes.seen.size();
        VideoInfoManager::instance()->clear();
        delete window;
        window = nullptr;
        panel = nullptr;
        QTest::qWait(300);
        QCOMPARE(boxes.seen.size(), before); // no report from a dying panel
        QVERIFY(!QFile::exists(output));
    }
};

QTEST_MAIN(TestConvertFlow)
#include "tst_convertflow_slow.moc"
