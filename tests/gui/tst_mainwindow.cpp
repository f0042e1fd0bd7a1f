// The main window, its command handler and the enabling rules of the menu
// bar, the tool bar and the list's context menu.
#include "core/config/videouserconfig.h"
#include "core/media/videoinfomanager.h"
#include "gui/app/aboutdialog.h"
#include "gui/app/eventhandler.h"
#include "gui/app/mainwindow.h"
#include "gui/common/widgetenhancer.h"
#include "gui/widgets/videolistpopupmenu.h"
#include "gui/widgets/videolistwidget.h"
#include "gui/widgets/videomenubarwidget.h"
#include "gui/widgets/videotoolbarwidget.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
// Adds records without probing: every path becomes a valid 10-second clip
// (paths containing "audio" are audio only).
class FakeLoadStep : public VideoLoadStep {
public:
    int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) override
    {
        for (const VideoBasicInfo &video : videos) {
            auto info = std::make_unique<VideoInfo>(video);
            info->probed = info->valid = true;
            info->msStart = qMax(0, video.msStart);
            info->msEnd = video.msEnd > 0 ? video.msEnd : 10000;
            info->isAudio = video.filename.contains(QLatin1String("audio"));
            loaded.push_back(std::move(info));
        }
        return 1;
    }

protected:
    void reportInvalid(const QString &, const QString &) override {}
};

QStringList paths(int n, const QString &stem = QStringLiteral("clip"))
{
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << QStringLiteral("/nonexistent/%1%2.mp4").arg(stem).arg(i);
    return out;
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    MainWindow *window = nullptr;
    FakeLoadStep fake;
    QStringList messages;

    VideoInfoManager *registry() { return VideoInfoManager::instance(); }
    VideoListWidget *list() { return window->listWidget(); }
    VideoMenuBarWidget *menu() { return window->menuBar(); }
    VideoToolBarWidget *tools() { return window->toolBar(); }
    VideoListPopupMenu *popup() { return window->listPopupMenu(); }

    // A press on the list as the user makes it (row -1: below the last row).
    void pressRow(int row)
    {
        const int y = row >= 0 ? list()->rowViewportPosition(row) + 10 : list()->viewport()->height() - 3;
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, QPoint(60, y));
    }

private slots:
    void init()
    {
        window = new MainWindow;
        registry()->setLoadStep(&fake);
        registry()->clear();
        VideoUserConfig::instance()->setMerge(false);
        messages.clear();
        window->eventHandler()->setMessageSink([this](const QString &title, const QString &text) {
            messages << title + QLatin1Char('|') + text;
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }

    void cleanup()
    {
        registry()->clear();
        delete window;
        window = nullptr;
    }

    void frameAndLayout()
    {
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window->objectName(), QStringLiteral("mainWindow"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Corvane Reelmax"));
        QVERIFY(window->enhancer() && window->enhancer()->hasSkin());
        QVERIFY(window->enhancer()->isMovable() && window->enhancer()->isResizable());
        QVERIFY(window->height() >= 600);
        // Centred on the desktop at every show.
        const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
        QCOMPARE(window->pos(),
                 QPoint((desktop.width() - window->width()) / 2, (desktop.height() - window->height()) / 2));
        // Top to bottom: title bar, menu bar, tool bar, list beside player, conversion panel.
        QVERIFY(menu()->y() > 0);
        QVERIFY(tools()->y() > menu()->y());
        QVERIFY(list()->y() > tools()->y());
        QCOMPARE(window->playerWidget()->y(), list()->y());
        QVERIFY(window->playerWidget()->x() > list()->x());
        QVERIFY(window->convertWidget()->y() > list()->y());
        QVERIFY(window->profileMenu()->isHidden());
    }

    void emptyListDisablesEditing()
    {
        for (QAction *a : {menu()->actDuplicate, menu()->actClip, menu()->actVideoEdit, menu()->actRemove,
                           menu()->actClearAll, menu()->actRename, menu()->actMerge,
                           menu()->actFileInformation, menu()->actPlay, menu()->actPause, menu()->actStop})
            QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
        for (QAction *a : {menu()->actAddFile, menu()->actAddFolder, menu()->actDownload, menu()->actExit})
            QVERIFY2(a->isEnabled(), qPrintable(a->text()));
        for (QPushButton *b : {tools()->btnDelete, tools()->btnEffect, tools()->btnClip, tools()->btnMerge})
            QVERIFY2(!b->isEnabled(), qPrintable(b->text()));
        QVERIFY(tools()->btnAdd->isEnabled() && tools()->btnDownload->isEnabled());
        QCOMPARE(menu()->actExit->shortcut(), QKeySequence(Qt::Key_Escape));
        QCOMPARE(menu()->actRemove->shortcut(), QKeySequence(Qt::Key_Delete));
        QCOMPARE(menu()->actRename->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(menu()->actDuplicate->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
        QVERIFY(menu()->actDoNothing->isChecked());
    }

    void oneRowPressAndPressBelow()
    {
        registry()->addFiles(paths(1));
        QCOMPARE(registry()->count(), 1);
        QVERIFY(menu()->actClearAll->isEnabled());
        QVERIFY(!menu()->actMerge->isEnabled());
        QVERIFY(menu()->actVideoEdit->isEnabled());
        QVERIFY(tools()->btnEffect->isEnabled());

        QSignalSpy current(list(), &VideoListWidget::currentItemChanged);
        pressRow(0);
        QCOMPARE(current.last().at(0).toInt(), 0);
        for (QAction *a : {menu()->actFileInformation, menu()->actDuplicate, menu()->actRemove,
                           menu()->actRename, menu()->actClip, menu()->actPlay})
            QVERIFY2(a->isEnabled(), qPrintable(a->text()));
        QVERIFY(tools()->btnDelete->isEnabled() && tools()->btnClip->isEnabled() &&
                tools()->btnStart->isEnabled());
        // One row: both moves off, the row commands on.
        QVERIFY(!popup()->actMoveUp()->isEnabled());
        QVERIFY(!popup()->actMoveDown()->isEnabled());
        QVERIFY(popup()->actPlay()->isEnabled() && popup()->actClip()->isEnabled());
        QVERIFY(popup()->actFileInformation()->isEnabled());

        pressRow(-1);
        QCOMPARE(current.last().at(0).toInt(), -1);
        QVERIFY(!popup()->actPlay()->isEnabled());
        QVERIFY(!popup()->actClip()->isEnabled());
        QVERIFY(!popup()->actFileInformation()->isEnabled());
        QVERIFY(popup()->actEditEffect()->isEnabled() && popup()->actClearAll()->isEnabled());
        QVERIFY(!menu()->actRemove->isEnabled() && !tools()->btnDelete->isEnabled());
        QVERIFY(!menu()->actPlay->isEnabled() && !tools()->btnStart->isEnabled());
    }

    void handedOverFilesAlreadyListedAreNotAddedAgain()
    {
        // The list of the last run comes back before the files of a start
        // with files; a file opened again from the desktop gives no second row.
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.mp4")), b = dir.filePath(QStringLiteral("b.mp4"));
        for (const QString &path : {a, b}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        registry()->addFiles({a});
        registry()->duplicate(0);
        window->addFiles({dir.path() + QStringLiteral("/./a.mp4"), b, b});
        QCOMPARE(registry()->count(), 3);
        QCOMPARE(registry()->filePath(2), b);

        list()->selectRow(2);
        window->addFiles({a});
        QCOMPARE(registry()->count(), 3);
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(registry()->rowOfFile(b), 2);
        QCOMPARE(registry()->rowOfFile(dir.filePath(QStringLiteral("c.mp4"))), -1);

        // A folder brings its media files that are not listed yet.
        for (const char *name : {"c.mkv", "notes.txt"}) {
            QFile f(dir.filePath(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        window->addFiles({dir.path()});
        QCOMPARE(registry()->count(), 4);
        QCOMPARE(registry()->filePath(3), dir.filePath(QStringLiteral("c.mkv")));
    }

    void twoRowsSelectedDisableClip()
    {
        registry()->addFiles(paths(3));
        pressRow(1);
        QVERIFY(popup()->actMoveUp()->isEnabled() && popup()->actMoveDown()->isEnabled());
        QVERIFY(menu()->actClip->isEnabled() && tools()->btnClip->isEnabled());
        list()->selectionModel()->select(list()->model()->index(2, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QCOMPARE(list()->selectedRows(), QList<int>({1, 2}));
        QVERIFY(!menu()->actClip->isEnabled());
        QVERIFY(!tools()->btnClip->isEnabled());
        pressRow(2);
        QVERIFY(menu()->actClip->isEnabled() && tools()->btnClip->isEnabled());
        QVERIFY(popup()->actMoveUp()->isEnabled());
        QVERIFY(!popup()->actMoveDown()->isEnabled());
    }

    void mergeFlagClearedBelowTwoFiles()
    {
        registry()->addFiles(paths(3));
        QVERIFY(menu()->actMerge->isEnabled() && tools()->btnMerge->isEnabled());
        tools()->btnMerge->click();
        QVERIFY(VideoUserConfig::instance()->isMerge());
        QVERIFY(menu()->actMerge->isChecked() && tools()->btnMerge->isChecked());

        registry()->removeVideo(2);
        QVERIFY(VideoUserConfig::instance()->isMerge());
        registry()->removeVideo(1);
        QVERIFY(!VideoUserConfig::instance()->isMerge());
        QVERIFY(!menu()->actMerge->isChecked() && !tools()->btnMerge->isChecked());
        QVERIFY(!menu()->actMerge->isEnabled() && !tools()->btnMerge->isEnabled());
    }

    void pausedPlayerKeepsPlayAfterRemoval()
    {
        registry()->addFiles(paths(2));
        pressRow(0);
        menu()->onPlayStatusChanged(2);
        tools()->onPlayStatusChanged(2);
        window->eventHandler()->onMenuEditRemove();
        QCOMPARE(registry()->count(), 1);
        QVERIFY(menu()->actPlay->isEnabled() && tools()->btnStart->isEnabled());
        // The file that moved up is current: the commands go on with it.
        QCOMPARE(list()->currentRow(), 0);
        QVERIFY(menu()->actRemove->isEnabled());
        // Stopped (the removed file was the one playing): Play stays for it.
        menu()->onPlayStatusChanged(3);
        QVERIFY(menu()->actPlay->isEnabled() && !menu()->actPause->isEnabled() &&
                !menu()->actStop->isEnabled());
        // With nothing left, Play goes off.
        window->eventHandler()->onMenuEditRemove();
        QCOMPARE(registry()->count(), 0);
        menu()->onPlayStatusChanged(3);
        QVERIFY(!menu()->actPlay->isEnabled() && !menu()->actPause->isEnabled() &&
                !menu()->actStop->isEnabled());
        menu()->onPlayStatusChanged(1);
        QVERIFY(!menu()->actPlay->isEnabled() && menu()->actPause->isEnabled() &&
                menu()->actStop->isEnabled());
    }

    void removeRefusedWhileConverting()
    {
        registry()->addFiles(paths(2));
        pressRow(0);
        window->setBusyCheck([] { return true; });
        window->eventHandler()->onMenuEditRemove();
        QCOMPARE(registry()->count(), 2);
        QCOMPARE(messages,
                 QStringList{QStringLiteral(
                     "Warning|Convert In Progress. Files could not be removed until convert finished.")});
        // Clear All is not guarded.
        window->eventHandler()->onMenuEditClearAll();
        QCOMPARE(registry()->count(), 0);
        window->setBusyCheck({});
    }

    void moveAtTheEndsDoesNothing()
    {
        registry()->addFiles(paths(2));
        pressRow(0);
        window->eventHandler()->onMenuVideoMoveUp();
        QCOMPARE(registry()->filePath(0), paths(2).at(0));
        pressRow(1);
        window->eventHandler()->onMenuVideoMoveDown();
        QCOMPARE(registry()->filePath(1), paths(2).at(1));
        window->eventHandler()->onMenuVideoMoveUp();
        QCOMPARE(registry()->filePath(0), paths(2).at(1));
    }

    // The bars and the list's menu only announce what the user picked; the
    // window hands it to the command handler, which carries it out.
    void commandsFromBarsAndMenusAreCarriedOut()
    {
        registry()->addFiles(paths(3));
        pressRow(0);
        popup()->actMoveDown()->trigger();
        QCOMPARE(registry()->filePath(1), paths(3).at(0));
        menu()->actDuplicate->trigger();
        QCOMPARE(registry()->count(), 4);
        pressRow(0);
        tools()->btnDelete->click();
        QCOMPARE(registry()->count(), 3);
        menu()->actMerge->trigger();
        QVERIFY(VideoUserConfig::instance()->isMerge());
        tools()->btnMerge->click();
        QVERIFY(!VideoUserConfig::instance()->isMerge());
        menu()->actCheckUpdate->trigger();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.last().startsWith(QStringLiteral("Check Update|")));
        popup()->actClearAll()->trigger();
        QCOMPARE(registry()->count(), 0);
    }

    void escapeHidesAndTrayShowsCentred()
    {
        window->move(0, 0);
        const bool tray = window->eventHandler()->trayIconObject() != nullptr;
        // Without a tray the window closes, and a running conversion can keep it open.
        window->setConfirmClose([] { return false; });
        QTest::keyClick(window, Qt::Key_Escape);
        QCOMPARE(window->isHidden(), tray);
        window->setConfirmClose({});
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(window->isHidden());
        window->eventHandler()->onShowWindow();
        QVERIFY(window->isVisible());
        const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
        QCOMPARE(window->x(), (desktop.width() - window->width()) / 2);
    }

    void addMenuShowsRecentFiles()
    {
        VideoUserConfig::instance()->settings().remove(QStringLiteral("RecentFiles"));
        tools()->prepareAddMenu();
        QVERIFY(!tools()->recentSeparator()->isVisible());
        for (QAction *a : tools()->recentActions())
            QVERIFY(!a->isVisible());

        registry()->addFiles(paths(2, QStringLiteral("recent")));
        tools()->prepareAddMenu();
        QVERIFY(tools()->recentSeparator()->isVisible());
        QCOMPARE(tools()->recentActions().at(0)->text(), paths(2, QStringLiteral("recent")).at(1));
        QVERIFY(tools()->recentActions().at(1)->isVisible());
        QVERIFY(!tools()->recentActions().at(2)->isVisible());
        // A recent entry adds its file again.
        tools()->recentActions().at(0)->trigger();
        QCOMPARE(registry()->count(), 3);
        QCOMPARE(registry()->filePath(2), paths(2, QStringLiteral("recent")).at(1));
    }

    void postTaskActionsAreExclusive()
    {
        menu()->actShutdown->trigger();
        QCOMPARE(VideoUserConfig::instance()->postTaskAction(), 2);
        QVERIFY(!menu()->actDoNothing->isChecked());
        menu()->actExitProgram->trigger();
        QCOMPARE(VideoUserConfig::instance()->postTaskAction(), 1);
        QVERIFY(!menu()->actShutdown->isChecked());
        menu()->actDoNothing->trigger();
        QCOMPARE(VideoUserConfig::instance()->postTaskAction(), 0);
    }

    void fileInformationText()
    {
        MediaSummary summary;
        summary.width = 1280;
        summary.height = 720;
        summary.frameRate = 25;
        summary.videoBitrate = 1500000;
        summary.audioBitrate = 128000;
        summary.sampleRate = 44100;
        summary.channels = 2;
        // A backslash is part of a Linux file name, not a separator.
        const QString text = CEventHandler::fileInfoText(
            VideoBasicInfo(QStringLiteral("/media/C:\\clip.avi"), 0, 3725000), summary);
        QCOMPARE(text,
                 QStringLiteral(
                     "Name:C:\\clip.avi\nDuration:01:02:05\nResolution:1280\u00D7720\nBit Rate:1500 kbps\n"
                     "Frame Rate:25\nSample Rate:44.1 kHz\nBit Rate:128 kbps\nChannel:2 Channel\n"));
        QCOMPARE(CEventHandler::sampleRateText(48000), QStringLiteral("48 kHz"));
        QCOMPARE(CEventHandler::sampleRateText(22050), QStringLiteral("22.05 kHz"));
        QCOMPARE(CEventHandler::sampleRateText(800), QStringLiteral("800 Hz"));
        QCOMPARE(CEventHandler::sampleRateText(0), QStringLiteral("0 Hz"));
    }

    void helpAddressesAndUpdater()
    {
        QCOMPARE(CEventHandler::webPageUrl(QStringLiteral("en"), QStringLiteral("/support.php")),
                 QStringLiteral("http://www.corvane.example/support.php"));
        QCOMPARE(CEventHandler::webPageUrl(QStringLiteral("de"), QStringLiteral("/help/videoconverter/")),
                 QStringLiteral("http://de.corvane.example/help/videoconverter/"));
        window->eventHandler()->onMenuHelpCheckUpdate();
        // No updater to start: the message points to the package manager.
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().startsWith(QLatin1String("Check Update|")));
        QVERIFY(messages.first().contains(QLatin1String("package manager")));
        // The about box's button does the same.
        messages.clear();
        QTimer::singleShot(0, this, [] {
            auto *about = qobject_cast<AboutDialog *>(QApplication::activeModalWidget());
            QVERIFY(about);
            QCOMPARE(
                about->editAbout()->toPlainText(),
                QStringLiteral("Corvane Reelmax 4.6.2\n------------------\nCorVane Software co., ltd\n") +
                    AboutDialog::makerAddress());
            QVERIFY(about->editAbout()->isReadOnly());
            about->btnCheckUpdate()->click();
            about->reject();
        });
        window->eventHandler()->onMenuHelpAbout();
        // No updater to start: the message points to the package manager.
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().startsWith(QLatin1String("Check Update|")));
        QVERIFY(messages.first().contains(QLatin1String("package manager")));
        const QString filter = CEventHandler::openFileFilter();
        QVERIFY(filter.startsWith(QLatin1String("All Supported Formats(*.m4v *.4ma")));
        QCOMPARE(filter.count(QLatin1String(";;")), 37);
        QVERIFY(filter.endsWith(QLatin1String("WEBM Files(*.webm)")));
    }

    void folderListingKeepsFilesOnly()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("sub.mp4"));
        for (const char *name : {"b.avi", "A.mp4", "c.txt"}) {
            QFile f(dir.filePath(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        // The folder brings what the open dialog offers, not the note beside it.
        QCOMPARE(CEventHandler::filesOfFolder(dir.path()),
                 QStringList({dir.filePath(QStringLiteral("A.mp4")), dir.filePath(QStringLiteral("b.avi"))}));
    }

    void profileMenuPopsAboveBottom()
    {
        window->popupProfileMenu();
        QWidget *menuWidget = window->profileMenu();
        QVERIFY(menuWidget->isVisible());
        QCOMPARE(menuWidget->x(), window->x() + 50);
        QCOMPARE(menuWidget->y(), window->y() + window->height() - menuWidget->height() - 130);
        menuWidget->hide();
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
