#include "common/testmedia.h"
#include "core/config/videouserconfig.h"
#include "core/jobs/conversionrun.h"
#include "core/media/videoinfomanager.h"
#include "core/media/videoloadstep.h"
#include "core/profiles/videoprofileuserconfig.h"
#include "gui/common/browselineedit.h"
#include "gui/profiles/advanceddialog.h"
#include "gui/profiles/profileedit.h"
#include "gui/widgets/convertcompleteddlg.h"
#include "gui/widgets/videoconvertwidget.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

namespace {

// Adds records without asking the engine, so the checks before a run can be
// exercised with any path.
class RecordOnlyStep : public VideoLoadStep {
public:
    int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) override
    {
        for (const VideoBasicInfo &v : videos)
            loaded.push_back(std::make_unique<VideoInfo>(v));
        return 1;
    }

protected:
    void reportInvalid(const QString &, const QString &) override {}
};

VideoProfileFormatUserConfig profileNamed(const QString &name)
{
    VideoProfileUserConfig *upc = VideoProfileUserConfig::getInstance();
    QList<VideoProfileCategory> all = upc->getDVDCategories();
    all += upc->getFormatsCategories();
    all += upc->getDeviceCategories();
    for (const VideoProfileCategory &c : all) {
        for (const VideoProfileFormatUserConfig &p : upc->getFormats(c.key, true)) {
            if (p.getName() == name)
                return p;
        }
    }
    return {};
}

// The panel with the outside world replaced by recorders.
class ProbePanel : public VideoConvertWidget {
public:
    using VideoConvertWidget::showOutcome;
    using VideoConvertWidget::VideoConvertWidget;

    QStringList messages; // "title|text"
    QStringList details;
    int quits = 0;
    int shutdowns = 0;
    bool shutdownAccepted = true;
    int questions = 0;
    bool answerYes = true;
    int completedDialogs = 0;
    bool chooseBurn = false;
    QStringList burns;
    QString folderChoice;
    bool profileOverridden = false;
    VideoProfileFormatUserConfig profile;

protected:
    VideoProfileFormatUserConfig currentProfile() const override
    {
        return profileOverridden ? profile : VideoConvertWidget::currentProfile();
    }
    void showMessage(const QString &title, const QString &text, const QString &detail) override
    {
        messages << title + "|" + text;
        details << detail;
    }
    bool askYesNo(const QString &, const QString &) override
    {
        ++questions;
        return answerYes;
    }
    void quitApplication() override { ++quits; }
    bool shutdownSystem() override
    {
        ++shutdowns;
        return shutdownAccepted;
    }
    bool runCompletedDialog(const QString &) override
    {
        ++completedDialogs;
        return chooseBurn;
    }
    void burnDisc(const QString &path) override { burns << path; }
    QString chooseFolder(const QString &) override { return folderChoice; }
};

} // namespace

class TestVideoConvertWidget : public QObject {
    Q_OBJECT

    RecordOnlyStep step;
    QString dir;
    int selected = -1;

    template <typename T> static T *child(QWidget *w, const char *name)
    {
        T *c = w->findChild<T *>(QLatin1String(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }

    void addRecords(const QStringList &paths)
    {
        for (const QString &p : paths)
            VideoInfoManager::instance()->addFile(p);
    }

private slots:
    void initTestCase()
    {
        dir = TestMedia::tempDir();
        // The profile catalogue of this run, not the one beside the program.
        qputenv("REELMAX_UPC", QFile::encodeName(dir + "/upc.xml"));
        VideoInfoManager::instance()->setLoadStep(&step);
        VideoUserConfig::instance()->setSelectedRowSource([this] { return selected; });
        VideoUserConfig::instance()->setConvertOutputDirectory(dir);
        QVERIFY(profileNamed(QStringLiteral("MP4 Video")).isValid());
    }

    void init()
    {
        VideoInfoManager::instance()->clear();
        selected = -1;
        VideoUserConfig::instance()->setMerge(false);
        VideoUserConfig::instance()->setPostTaskAction(0);
        VideoUserConfig::instance()->setCurrentProfile(profileNamed(QStringLiteral("MP4 Video")));
    }

    void startsIdleWithItsControls()
    {
        ProbePanel panel;
        QCOMPARE(panel.objectName(), QStringLiteral("convertWidget"));
        QCOMPARE(panel.height(), 115);
        QCOMPARE(child<QPushButton>(&panel, "btnStartConvert")->text(), QStringLiteral("Start Convert"));
        QCOMPARE(child<QPushButton>(&panel, "btnStartConvert")->size(), QSize(183, 54));
        QCOMPARE(child<QLabel>(&panel, "lbPercent")->text(), QStringLiteral("0%"));
        QCOMPARE(child<QLabel>(&panel, "lbElapsed")->text(), QStringLiteral("00:00:00"));
        QCOMPARE(child<BrowseLineEdit>(&panel, "editOutput")->text(),
                 VideoUserConfig::instance()->convertOutputDirectory());
        QCOMPARE(child<ProfileEdit>(&panel, "profileEdit")->text(), QStringLiteral("MP4 Video"));
        QCOMPARE(child<QPushButton>(&panel, "btnOutPhone")->toolTip(), QStringLiteral("Output To Itunes"));
        QVERIFY(!panel.isBusy());
        QVERIFY(panel.confirmStop());
        QCOMPARE(panel.questions, 0);
    }

    void progressAndElapsedText()
    {
        ProbePanel panel;
        auto *percent = child<QLabel>(&panel, "lbPercent");
        auto *bar = child<QProgressBar>(&panel, "progressBar");
        panel.showProgress(0.999, 3725000);
        QCOMPARE(percent->text(), QStringLiteral("99%"));
        QCOMPARE(bar->value(), 99);
        QCOMPARE(child<QLabel>(&panel, "lbElapsed")->text(), QStringLiteral("01:02:05"));
        panel.showProgress(1.0, 999);
        QCOMPARE(percent->text(), QStringLiteral("100%"));
        QCOMPARE(child<QLabel>(&panel, "lbElapsed")->text(), QStringLiteral("00:00:00"));
        // Binary rounding does not lose a percent; nonsense is clamped.
        QCOMPARE(VideoConvertWidget::percentOf(0.29), 29);
        QCOMPARE(VideoConvertWidget::percentOf(0.5), 50);
        QCOMPARE(VideoConvertWidget::percentOf(-0.5), 0);
        QCOMPARE(VideoConvertWidget::percentOf(1.7), 100);
        QCOMPARE(VideoConvertWidget::percentOf(std::nan("")), 0);
        QCOMPARE(VideoConvertWidget::elapsedText(100LL * 3600 * 1000 + 61000), QStringLiteral("100:01:01"));
    }

    void outputFieldTakesOnlyLeftAndRight()
    {
        ProbePanel panel;
        auto *edit = child<BrowseLineEdit>(&panel, "editOutput");
        const QString before = edit->text();
        QVERIFY(before.size() > 2);
        edit->setCursorPosition(2);
        QTest::keyClicks(edit, QStringLiteral("xyz"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), before);
        QTest::keyClick(edit, Qt::Key_Left);
        QCOMPARE(edit->cursorPosition(), 1);
        QTest::keyClick(edit, Qt::Key_Right);
        QTest::keyClick(edit, Qt::Key_Right);
        QCOMPARE(edit->cursorPosition(), 3);
        QCOMPARE(edit->contextMenuPolicy(), Qt::NoContextMenu);
        QVERIFY(!edit->testAttribute(Qt::WA_InputMethodEnabled));
    }

    void browseChangesTheStoredFolder()
    {
        ProbePanel panel;
        auto *edit = child<BrowseLineEdit>(&panel, "editOutput");
        const QString other = dir + "/elsewhere";
        QVERIFY(QDir().mkpath(other));
        panel.folderChoice = QString(); // cancelled
        panel.onBtnBrowseOutputPathClicked();
        QCOMPARE(edit->text(), dir);
        panel.folderChoice = other;
        panel.onBtnBrowseOutputPathClicked();
        QCOMPARE(edit->text(), other);
        QCOMPARE(VideoUserConfig::instance()->convertOutputDirectory(), other);
        VideoUserConfig::instance()->setConvertOutputDirectory(dir);
    }

    void everyStartCheckHasItsMessage()
    {
        ProbePanel panel;
        QSignalSpy status(&panel, &VideoConvertWidget::convertStatusChanged);
        const QString error = QStringLiteral("Error|");

        panel.profileOverridden = true; // no profile at all
        panel.onBtnStartConvertClicked();
        QCOMPARE(panel.messages.takeFirst(), error + "Please Select a format first.");
        panel.onBtnEditProfileClicked();
        QCOMPARE(panel.messages.takeFirst(), error + "Please select a profile first.");
        panel.profileOverridden = false;

        panel.onBtnStartConvertClicked(); // empty list
        QCOMPARE(panel.messages.takeFirst(), error + "Please Add File First.");

        addRecords({dir + "/one.mp4", dir + "/two.mp4"});
        panel.onBtnStartConvertClicked(); // nothing selected
        QCOMPARE(panel.messages.takeFirst(), error + "Please Select a File First.");

        VideoInfoManager::instance()->removeVideo(1);
        VideoUserConfig::instance()->setMerge(true);
        panel.onBtnStartConvertClicked(); // one file cannot be merged
        QCOMPARE(panel.messages.takeFirst(), error + "Please add at least two files to merge.");

        QVERIFY(panel.messages.isEmpty());
        QCOMPARE(status.count(), 0);
        QVERIFY(!panel.isBusy());
    }

    void endOfRunReports_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("merge");
        QTest::addColumn<int>("postTask");
        QTest::addColumn<bool>("shutdownAccepted");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("quits");
        QTest::addColumn<int>("shutdowns");
        QTest::addColumn<int>("percent");

        QTest::newRow("finished") << 2 << false << 0 << true << "Convert Finished|Convert Finished." << 0 << 0
                                  << 100;
        QTest::newRow("aborted") << 3 << false << 0 << true << "Convert Aborted|Convert Aborted." << 0 << 0
                                 << 0;
        QTest::newRow("failed") << 4 << false << 0 << true << "Convert Failed|Convert Failed." << 0 << 0 << 0;
        QTest::newRow("merge finished")
            << 2 << true << 0 << true << "Convert Finished|Convert Finished." << 0 << 0 << 100;
        QTest::newRow("merge aborted")
            << 3 << true << 0 << true << "Merge Aborted|Merge Aborted." << 0 << 0 << 0;
        QTest::newRow("merge failed")
            << 4 << true << 0 << true << "Merge Failed|Merge Failed." << 0 << 0 << 0;
        // Where nothing else happens, the progress stays as it was (40 %).
        QTest::newRow("merge of one file") << 1 << true << 0 << true << "" << 0 << 0 << 40;
        QTest::newRow("failed then exit") << 4 << false << 1 << true << "" << 1 << 0 << 40;
        QTest::newRow("finished then exit") << 2 << false << 1 << true << "" << 1 << 0 << 40;
        QTest::newRow("aborted keeps running")
            << 3 << false << 1 << true << "Convert Aborted|Convert Aborted." << 0 << 0 << 0;
        QTest::newRow("merge aborted, shutdown chosen")
            << 3 << true << 2 << true << "Merge Aborted|Merge Aborted." << 0 << 0 << 0;
        QTest::newRow("finished then shutdown") << 2 << false << 2 << true << "" << 0 << 1 << 40;
        QTest::newRow("shutdown refused still reports")
            << 2 << false << 2 << false << "Convert Finished|Convert Finished." << 0 << 1 << 100;
    }

    void endOfRunReports()
    {
        QFETCH(int, status);
        QFETCH(bool, merge);
        QFETCH(int, postTask);
        QFETCH(bool, shutdownAccepted);
        QFETCH(QString, message);
        QFETCH(int, quits);
        QFETCH(int, shutdowns);
        QFETCH(int, percent);

        ProbePanel panel;
        panel.shutdownAccepted = shutdownAccepted;
        VideoUserConfig::instance()->setPostTaskAction(postTask);
        QSignalSpy statusSpy(&panel, &VideoConvertWidget::convertStatusChanged);
        panel.showProgress(0.4, 0);
        panel.showOutcome(ConversionRun::describe(
            TranscodeStatus(status), merge ? ConversionKind::Merge : ConversionKind::Convert,
            VideoUserConfig::instance()->postTaskAction(), "MP4 Video"));

        QCOMPARE(panel.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(panel.quits, quits);
        QCOMPARE(panel.shutdowns, shutdowns);
        QCOMPARE(panel.completedDialogs, 0);
        QCOMPARE(child<QLabel>(&panel, "lbPercent")->text(), QStringLiteral("%1%").arg(percent));
        QCOMPARE(child<QProgressBar>(&panel, "progressBar")->value(), percent);
        QCOMPARE(statusSpy.count(), 1);
        QCOMPARE(statusSpy.at(0).at(0).toBool(), false);
        QCOMPARE(child<QPushButton>(&panel, "btnStartConvert")->text(), QStringLiteral("Start Convert"));
        QVERIFY(child<QPushButton>(&panel, "btnBrowse")->isEnabled());
    }

    void dvdRunEndsInTheCompletionDialog()
    {
        const VideoProfileFormatUserConfig dvd = profileNamed(QStringLiteral("DVD"));
        if (!dvd.isValid())
            QSKIP("no DVD profile in the catalogue");
        VideoUserConfig::instance()->setCurrentProfile(dvd);
        ProbePanel panel;
        const auto dvdEnd = [](TranscodeStatus status) {
            return ConversionRun::describe(status, ConversionKind::Convert, 0, QStringLiteral("DVD"));
        };
        panel.showOutcome(dvdEnd(TRANSCODE_FINISHED));
        QCOMPARE(panel.completedDialogs, 1);
        QVERIFY(panel.messages.isEmpty());
        QVERIFY(panel.burns.isEmpty());
        panel.chooseBurn = true;
        panel.showOutcome(dvdEnd(TRANSCODE_FINISHED));
        QCOMPARE(panel.completedDialogs, 2);
        QCOMPARE(panel.burns, QStringList{panel.lastOutputPath()});
        panel.showOutcome(dvdEnd(TRANSCODE_STOPPED)); // an aborted DVD run is just aborted
        QCOMPARE(panel.messages, QStringList{"Convert Aborted|Convert Aborted."});
        QCOMPARE(panel.completedDialogs, 2);
    }

    void aFailedRunWithExitQuitsWithoutAMessage()
    {
        // A file the engine cannot read: the real thread runs and fails.
        addRecords({dir + "/missing.mp4"});
        selected = 0;
        VideoUserConfig::instance()->setPostTaskAction(1);
        ProbePanel panel;
        QSignalSpy status(&panel, &VideoConvertWidget::convertStatusChanged);
        panel.onBtnStartConvertClicked();
        QTRY_COMPARE_WITH_TIMEOUT(status.count(), 2, 20000);
        QCOMPARE(status.at(0).at(0).toBool(), true);
        QCOMPARE(status.at(1).at(0).toBool(), false);
        QCOMPARE(panel.conversionRun()->lastOutcome().status, TRANSCODE_FAILED);
        QCOMPARE(panel.quits, 1);
        QVERIFY(panel.messages.isEmpty());
        QVERIFY(!panel.isBusy());
        QCOMPARE(panel.lastOutputPath(), dir + "/missing.mp4");
        QVERIFY(!QFile::exists(panel.lastOutputPath()));

        // Without a post-task action the same run says so.
        VideoUserConfig::instance()->setPostTaskAction(0);
        panel.onBtnStartConvertClicked();
        QTRY_COMPARE_WITH_TIMEOUT(status.count(), 4, 20000);
        QCOMPARE(panel.messages, QStringList{"Convert Failed|Convert Failed."});
        // The box offers the reason behind its details button.
        QVERIFY(!panel.details.value(0).isEmpty());
        QCOMPARE(panel.details.value(0), panel.conversionRun()->lastOutcome().error);
        QCOMPARE(panel.quits, 1);
    }

    // Closing the window mid-run: "No" keeps converting; "Yes" stops the
    // run at once and leaves no "Aborted" box behind to keep the program up.
    void closingWhileConvertingStopsWithoutABox_data()
    {
        QTest::addColumn<bool>("merge");
        QTest::newRow("convert") << false;
        QTest::newRow("merge") << true;
    }

    void closingWhileConvertingStopsWithoutABox()
    {
        QFETCH(bool, merge);
        const QString clip = dir + "/closing.mp4";
        if (!QFile::exists(clip))
            QVERIFY(TestMedia::makeClip(clip, 20, 640, 480));
        const QString second = dir + "/closing2.mp4";
        if (merge && !QFile::exists(second))
            QVERIFY(QFile::copy(clip, second));
        const QString out = dir + (merge ? "/closing-merge" : "/closing-convert");
        QVERIFY(QDir().mkpath(out));
        VideoUserConfig::instance()->setConvertOutputDirectory(out);
        addRecords(merge ? QStringList{clip, second} : QStringList{clip});
        selected = 0;
        VideoUserConfig::instance()->setMerge(merge);

        ProbePanel panel;
        panel.onBtnStartConvertClicked();
        QVERIFY(panel.isBusy());
        QTest::qWait(500);
        panel.answerYes = false;
        QVERIFY(!panel.confirmStop());
        QVERIFY(panel.isBusy());
        panel.answerYes = true;
        QVERIFY(panel.confirmStop());
        QCOMPARE(panel.questions, 2);
        QVERIFY(!panel.isBusy());
        QVERIFY(!panel.conversionRun()->isRunning());
        QTest::qWait(300); // anything queued by the stop arrives now
        QVERIFY2(panel.messages.isEmpty(), qPrintable(panel.messages.join(", ")));
        QCOMPARE(panel.quits, 0);
        const QStringList left = QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(", ")));
        VideoUserConfig::instance()->setConvertOutputDirectory(dir);
    }

    void itunesStaysOffWithoutItunes()
    {
        ProbePanel panel;
        auto *phone = child<QPushButton>(&panel, "btnOutPhone");
        QVERIFY(phone->isCheckable());
        QVERIFY(!phone->isEnabled());
        // Whatever was chosen is dropped when the profile cannot use it.
        phone->setChecked(true);
        panel.onBtnOutPhoneClicked(true);
        QVERIFY(VideoUserConfig::instance()->sendToItunes());
        const VideoProfileFormatUserConfig apple =
            VideoProfileUserConfig::getInstance()->getFormats("Apple").value(0);
        panel.onCurrentProfileChanged(apple.isValid() ? apple : profileNamed(QStringLiteral("MP4 Video")));
        QVERIFY(!phone->isEnabled());
        QVERIFY(!phone->isChecked());
        QVERIFY(!VideoUserConfig::instance()->sendToItunes());
        QVERIFY(!VideoUserConfig::instance()->canSendToItunes());
    }

    void theProfileFieldFollowsTheStore()
    {
        ProbePanel panel;
        QSignalSpy menu(&panel, &VideoConvertWidget::profileMenuRequested);
        QSignalSpy open(&panel, &VideoConvertWidget::openOutputDirRequested);
        VideoUserConfig::instance()->setCurrentProfile(profileNamed(QStringLiteral("DVD")));
        QCOMPARE(child<ProfileEdit>(&panel, "profileEdit")->text(), QStringLiteral("DVD"));
        QTest::mouseClick(child<ProfileEdit>(&panel, "profileEdit"), Qt::LeftButton);
        QCOMPARE(menu.count(), 1);
        QTest::mouseClick(child<QPushButton>(&panel, "btnOpen"), Qt::LeftButton);
        QCOMPARE(open.count(), 1);
    }

    void editProfileAdoptsWhatTheDialogAccepts()
    {
        ProbePanel panel;
        QSignalSpy changed(VideoUserConfig::instance(),
                           qOverload<const QString &>(&VideoUserConfig::currentProfileChanged));
        QString shown;
        auto answer = [&shown](bool accept) {
            QTimer::singleShot(0, [&shown, accept] {
                auto *dialog = qobject_cast<AdvancedDialog *>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                shown = dialog->getProfile().getName();
                accept ? dialog->accept() : dialog->reject();
            });
        };
        answer(false);
        panel.onBtnEditProfileClicked();
        QCOMPARE(shown, QStringLiteral("MP4 Video"));
        QCOMPARE(changed.count(), 0);
        answer(true);
        panel.onBtnEditProfileClicked();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("MP4 Video"));
        QVERIFY(panel.messages.isEmpty());
    }

    void completionDialog()
    {
        ConvertCompletedDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("ConvertCompletedDlg"));
        QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(child<QLabel>(&dialog, "lbTitle")->text(), QStringLiteral("Completed"));
        QCOMPARE(child<QLabel>(&dialog, "lbText")->text(), QStringLiteral("Conversion is completed!"));
        QCOMPARE(ConvertCompletedDlg::folderUrl(QStringLiteral("/home/u/Videos")).toString(),
                 QStringLiteral("file:///home/u/Videos"));
        QList<QUrl> opened;
        dialog.setUrlOpener([&opened](const QUrl &u) {
            opened << u;
            return true;
        });
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.open();
        QTest::mouseClick(child<QPushButton>(&dialog, "btnOpenFolder"), Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(dir)});
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
        dialog.open();
        QTest::mouseClick(child<QPushButton>(&dialog, "btnBurnDisc"), Qt::LeftButton);
        QCOMPARE(finished.at(1).at(0).toInt(), int(QDialog::Accepted));
        dialog.open();
        QTest::mouseClick(child<QPushButton>(&dialog, "btnClose"), Qt::LeftButton);
        QCOMPARE(finished.at(2).at(0).toInt(), int(QDialog::Rejected));
        dialog.open();
        QTest::mouseClick(child<QWidget>(&dialog, "btnWindowClose"), Qt::LeftButton);
        QCOMPARE(finished.at(3).at(0).toInt(), int(QDialog::Rejected));
        QCOMPARE(opened.size(), 1);
    }
};

QTEST_MAIN(TestVideoConvertWidget)
#include "tst_videoconvertwidget.moc"
