// The main window where a user could be left stuck or uninformed: the
// current file removed while the player is paused, snapshots into a folder
// that does not exist yet (or cannot), files dropped whatever their names.

#include "common/testmedia.h"
#include "core/config/videouserconfig.h"
#include "core/media/videoinfomanager.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/app/mainwindow.h"
#include "gui/player/videoplayerwidget.h"
#include "gui/widgets/videolistwidget.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QtTest>

namespace {

int status()
{
    return FFP_GetPlayer()->GetPlayStatus();
}

} // namespace

class TestRobustPlayer : public QObject {
    Q_OBJECT

    QString m_dir;
    QString m_clip;
    MainWindow *m_window = nullptr;

    VideoInfoManager *registry() { return VideoInfoManager::instance(); }
    VideoListWidget *list() { return m_window->listWidget(); }
    VideoPlayerWidget *player() { return qobject_cast<VideoPlayerWidget *>(m_window->playerWidget()); }
    QPushButton *button(const char *name) { return player()->findChild<QPushButton *>(QLatin1String(name)); }

    void playFirstRow()
    {
        // A press on the row, as the user makes it.
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          QPoint(60, list()->rowViewportPosition(0) + 10));
        QCOMPARE(list()->currentRow(), 0);
        QVERIFY(button("btnStart")->isEnabled());
        button("btnStart")->click();
        QTRY_COMPARE_WITH_TIMEOUT(status(), int(PLAY_STATUS_PLAYING), 5000);
    }

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        m_clip = m_dir + "/clip.mp4";
        QVERIFY(TestMedia::makeClip(m_clip, 6));
        m_window = new MainWindow;
        VideoUserConfig::instance()->setMainWindow(m_window);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        QVERIFY(player());
    }

    void cleanupTestCase()
    {
        FFP_GetPlayer()->Stop();
        registry()->clear();
        delete m_window;
    }

    void removingThePausedRowKeepsPlayForTheOthers()
    {
        registry()->clear();
        const QString other = m_dir + "/other.mp4";
        QVERIFY(QFile::copy(m_clip, other));
        registry()->addFiles({m_clip, other});
        QCOMPARE(registry()->count(), 2);
        playFirstRow();
        button("btnStart")->click(); // pause
        QTRY_COMPARE(status(), int(PLAY_STATUS_PAUSED));

        registry()->removeVideo(0);
        QCOMPARE(registry()->count(), 1);
        QVERIFY(status() != PLAY_STATUS_PLAYING && status() != PLAY_STATUS_PAUSED);
        // The file that moved up is current, and Play plays it.
        QCOMPARE(list()->currentRow(), 0);
        QVERIFY(button("btnStart")->isEnabled());
        button("btnStart")->click();
        QTRY_COMPARE_WITH_TIMEOUT(status(), int(PLAY_STATUS_PLAYING), 5000);
        QCOMPARE(QString::fromStdString(FFP_GetPlayer()->GetOpenedFileName()), other);
        button("btnStop")->click();
        QTRY_VERIFY(status() != PLAY_STATUS_PLAYING);

        // The last one removed: nothing left to play.
        registry()->removeVideo(0);
        QCOMPARE(list()->currentRow(), -1);
        QVERIFY(!button("btnStart")->isEnabled());
    }

    void snapshotMakesItsFolderOrSaysWhy()
    {
        registry()->clear();
        registry()->addFile(m_clip);
        playFirstRow();
        QTRY_VERIFY_WITH_TIMEOUT(FFP_GetPlayer()->GetCurrentPosition() >= 300, 3000);
        VideoUserConfig *config = VideoUserConfig::instance();
        const QByteArray savedHome = qgetenv("HOME");
        // The chosen folder is gone: snapshots go to the documents folder,
        // which a fresh home does not have yet.
        const QString gone = m_dir + "/gone";
        QVERIFY(QDir().mkpath(gone));
        QVERIFY(config->setSnapshotDirectory(gone));
        QVERIFY(QDir(gone).removeRecursively());
        const QString home = m_dir + "/freshhome";
        QVERIFY(QDir().mkpath(home));
        qputenv("HOME", QFile::encodeName(home));
        QString why;
        const QString shot = player()->takeSnapshot(&why);
        QVERIFY2(!shot.isEmpty(), qPrintable(why));
        QVERIFY2(shot.startsWith(home + "/Documents/clip_0."), qPrintable(shot));
        QVERIFY(QFileInfo(shot).size() > 0);

        // A documents "folder" that is a file: the reason, not silence.
        const QString blocked = m_dir + "/blockedhome";
        QVERIFY(QDir().mkpath(blocked));
        QVERIFY(QFile(blocked + "/Documents").open(QIODevice::WriteOnly));
        qputenv("HOME", QFile::encodeName(blocked));
        QVERIFY(config->setSnapshotDirectory(m_dir)); // forget the fresh home's folder
        QVERIFY(QDir().mkpath(m_dir + "/gone2"));
        QVERIFY(config->setSnapshotDirectory(m_dir + "/gone2"));
        QVERIFY(QDir(m_dir + "/gone2").removeRecursively());
        why.clear();
        QVERIFY(player()->takeSnapshot(&why).isEmpty());
        QVERIFY2(why.contains(QLatin1String("cannot be created")) && why.contains(blocked), qPrintable(why));

        qputenv("HOME", savedHome);
        button("btnStop")->click();
        QTRY_VERIFY(status() != PLAY_STATUS_PLAYING);
    }
};

QTEST_MAIN(TestRobustPlayer)
#include "tst_robustplayer.moc"
