// "Convert All" driven through the main window: four files of which one
// broke after it was added, converted from the panel's button (and the
// Actions menu) with the real message boxes read and closed as a user
// would; then a run stopped half-way.

#include "common/testmedia.h"
#include "core/config/videouserconfig.h"
#include "core/jobs/conversionrun.h"
#include "core/media/videoinfomanager.h"
#include "core/profiles/videoprofileuserconfig.h"
#include "gui/app/mainwindow.h"
#include "gui/profiles/videoprofilemenuwidget.h"
#include "gui/support/boxcloser.h"
#include "gui/widgets/videoconvertwidget.h"
#include "gui/widgets/videolistwidget.h"
#include "gui/widgets/videomenubarwidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestConvertAllFlow : public QObject {
    Q_OBJECT
    QString dir, outDir;
    MainWindow *window = nullptr;
    VideoConvertWidget *panel = nullptr;
    BoxCloser boxes;

    template <typename T> T *child(const char *name) const
    {
        T *c = panel->findChild<T *>(QLatin1String(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }

    bool chooseProfile(const QString &name)
    {
        auto *menu = qobject_cast<VideoProfileMenuWidget *>(window->profileMenu());
        VideoProfileUserConfig *upc = VideoProfileUserConfig::getInstance();
        for (const VideoProfileCategory &c : upc->getFormatsCategories()) {
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

    QString freshOutput(const QString &name)
    {
        outDir = dir + "/" + name;
        QDir(outDir).removeRecursively();
        QDir().mkpath(outDir);
        VideoUserConfig::instance()->setConvertOutputDirectory(outDir);
        return outDir;
    }

private slots:
    void initTestCase()
    {
        dir = TestMedia::tempDir();
        qputenv("REELMAX_UPC", QFile::encodeName(dir + "/upc.xml"));
        QVERIFY(QDir().mkpath(dir + "/tmp"));
        VideoUserConfig *config = VideoUserConfig::instance();
        config->setTempDirectory(dir + "/tmp");
        config->setSplitMode(0);
        config->setPostTaskAction(0);
        config->setMerge(false);
        window = new MainWindow;
        config->setMainWindow(window);
        panel = qobject_cast<VideoConvertWidget *>(window->convertWidget());
        QVERIFY(panel);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(chooseProfile(QStringLiteral("MP4 Video")));
    }

    void cleanupTestCase()
    {
        VideoInfoManager::instance()->clear();
        delete window;
    }

    // Four files, one broken after it was added: three outputs that play,
    // and one summary that names the broken file.
    void convertsAllAndNamesTheBrokenOne()
    {
        QStringList files;
        for (int i = 0; i < 4; ++i) {
            files << dir + QStringLiteral("/file%1.mp4").arg(i + 1);
            QVERIFY(TestMedia::makeClip(files.last(), 2 + i, 320, 180));
        }
        VideoInfoManager *registry = VideoInfoManager::instance();
        registry->clear();
        registry->addFiles(files);
        QCOMPARE(registry->count(), 4);
        window->listWidget()->clearSelection(); // nothing selected: all the same
        QFile broken(files[1]);
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write(QByteArray(2048, '\0'));
        broken.close();
        VideoUserConfig::instance()->setCpuCoreNumber(4); // two at a time
        freshOutput("all");

        QAction *menuEntry = window->menuBar()->actConvertAll;
        QVERIFY(menuEntry->isEnabled());
        auto *label = child<QLabel>("lbCurrentFile");
        QStringList shown;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, [&] {
            if (!label->text().isEmpty() && !shown.contains(label->text()))
                shown << label->text();
        });
        sampler.start(50);
        QSignalSpy status(panel, &VideoConvertWidget::convertStatusChanged);
        const int before = boxes.seen.size();
        QTest::mouseClick(child<QPushButton>("btnConvertAll"), Qt::LeftButton);
        QTRY_COMPARE(status.count(), 1);
        QVERIFY(!menuEntry->isEnabled());
        QVERIFY(!child<QPushButton>("btnConvertAll")->isEnabled());
        QCOMPARE(child<QPushButton>("btnStartConvert")->text(), QStringLiteral("Stop Convert"));
        QTRY_VERIFY_WITH_TIMEOUT(boxes.seen.size() > before, 240000);
        sampler.stop();

        const QString report = boxes.seen.last();
        QVERIFY2(report.startsWith("Convert Failed|Converted: 3 of 4 files."), qPrintable(report));
        QVERIFY2(report.contains("file2.mp4: "), qPrintable(report));
        QVERIFY2(!report.contains("file1") && !report.contains("file3"), qPrintable(report));
        // The reason is given once, beside the file's name, not again below it.
        QVERIFY2(boxes.details.last().isEmpty(), qPrintable(boxes.details.last()));
        QVERIFY(menuEntry->isEnabled());
        QCOMPARE(child<QPushButton>("btnStartConvert")->text(), QStringLiteral("Start Convert"));
        // The label named the files being converted while the run went on.
        QVERIFY2(!shown.isEmpty() && shown.first().startsWith("Converting file"),
                 qPrintable(shown.join('|')));
        QVERIFY(label->text().isEmpty());

        QCOMPARE(filesIn(outDir), QStringList({"file1.mp4", "file3.mp4", "file4.mp4"}));
        for (int i : {0, 2, 3}) {
            const QString out = outDir + QStringLiteral("/file%1.mp4").arg(i + 1);
            const QJsonObject info = TestMedia::probe(out);
            QCOMPARE(TestMedia::stream(info, "video").value("width").toInt(), 640);
            QVERIFY2(qAbs(TestMedia::durationSeconds(info) - (2 + i)) < 0.3, qPrintable(out));
            QString errors;
            QVERIFY2(TestMedia::decodesCleanly(out, &errors), qPrintable(errors));
        }
    }

    // Stopped half-way (from the Actions menu's run): the finished files
    // stay whole, the running ones leave nothing.
    void stoppingLeavesNoPartialFile()
    {
        QStringList files;
        for (int i = 0; i < 4; ++i) {
            files << dir + QStringLiteral("/long%1.mp4").arg(i + 1);
            QVERIFY(TestMedia::makeClip(files.last(), i == 0 ? 2 : 30, 640, 360));
        }
        VideoInfoManager *registry = VideoInfoManager::instance();
        registry->clear();
        registry->addFiles(files);
        VideoUserConfig::instance()->setCpuCoreNumber(2); // one at a time
        freshOutput("stopped");

        QSignalSpy status(panel, &VideoConvertWidget::convertStatusChanged);
        window->menuBar()->actConvertAll->trigger();
        QTRY_COMPARE(status.count(), 1);
        ConversionRun *run = panel->conversionRun();
        // The short first file is done, the second under way.
        QTRY_VERIFY_WITH_TIMEOUT(run->endedCount() == 1 && run->progress() > 0.1, 120000);
        const int before = boxes.seen.size();
        QTest::mouseClick(child<QPushButton>("btnStartConvert"), Qt::LeftButton); // "Stop Convert"
        QVERIFY(!panel->isBusy());
        QTRY_COMPARE(boxes.seen.size(), before + 1);
        const QString report = boxes.seen.last();
        QVERIFY2(report.startsWith("Convert Aborted|Converted: 1 of 4 files."), qPrintable(report));
        QVERIFY2(report.contains("Not converted (stopped): 3"), qPrintable(report));
        QCOMPARE(filesIn(outDir), QStringList({"long1.mp4"}));
        QString errors;
        QVERIFY2(TestMedia::decodesCleanly(outDir + "/long1.mp4", &errors), qPrintable(errors));
    }
};

QTEST_MAIN(TestConvertAllFlow)
#include "tst_convertall_convertflow_slow.moc"
