// The media list: model answers, drops, the welcome panel and renaming.
#include "core/media/videoinfomanager.h"
#include "core/media/videolistmodel.h"
#include "gui/app/eventhandler.h"
#include "gui/app/mainwindow.h"
#include "gui/widgets/videolistwidget.h"
#include "gui/widgets/videorenamedlg.h"
#include "gui/widgets/welcomewidget.h"

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {
// Adds records without probing; the section is taken as given (end 10 s when unset).
class FakeLoadStep : public VideoLoadStep {
public:
    QList<QStringList> calls;
    int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) override
    {
        QStringList names;
        for (const VideoBasicInfo &video : videos) {
            names << video.filename;
            auto info = std::make_unique<VideoInfo>(video);
            info->probed = info->valid = true;
            info->msStart = qMax(0, video.msStart);
            info->msEnd = video.msEnd > 0 ? video.msEnd : 10000;
            info->thumbnail = QImage(320, 240, QImage::Format_RGB32);
            info->thumbnail.fill(Qt::darkBlue);
            loaded.push_back(std::move(info));
        }
        calls << names;
        return 1;
    }

protected:
    void reportInvalid(const QString &, const QString &) override {}
};

QMimeData *urlData(int n)
{
    auto *data = new QMimeData;
    QList<QUrl> urls;
    for (int i = 0; i < n; ++i)
        urls << QUrl::fromLocalFile(
            QStringLiteral("/nonexistent/drop%1.mp4").arg(i, 2, 10, QLatin1Char('0')));
    data->setUrls(urls);
    return data;
}

// Delivers a drop the way the window system does: enter, then drop.
bool drop(QWidget *target, QMimeData *data)
{
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent dropEvent(QPointF(20, 20), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropEvent);
    return enter.isAccepted() && dropEvent.isAccepted();
}
} // namespace

class TestVideoList : public QObject {
    Q_OBJECT

private:
    MainWindow *window = nullptr;
    FakeLoadStep fake;
    VideoInfoManager *registry() { return VideoInfoManager::instance(); }

private slots:
    void init()
    {
        window = new MainWindow;
        registry()->setLoadStep(&fake);
        registry()->clear();
        fake.calls.clear();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }

    void cleanup()
    {
        registry()->clear();
        delete window;
    }

    void modelShowsRegistry()
    {
        registry()->addVideos({VideoBasicInfo(QStringLiteral("/nonexistent/long.mkv"), 0, 3725000)});
        const VideoListModel *model = window->listWidget()->listModel();
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->columnCount(), 3);
        QCOMPARE(model->rowCount(model->index(0, 0)), 0);
        QCOMPARE(model->data(model->index(0, 2)).toString(), QStringLiteral("01:02:05"));
        QCOMPARE(model->data(model->index(0, 1)).toString(), QStringLiteral("long.mkv"));
        QCOMPARE(model->data(model->index(0, 1), Qt::ToolTipRole).toString(), QStringLiteral("long.mkv"));
        QVERIFY(!model->data(model->index(0, 0)).isValid());
        const QImage thumb = model->data(model->index(0, 0), Qt::DecorationRole).value<QImage>();
        QCOMPARE(thumb.size(), QSize(100, 75));
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Preview"));
        QCOMPARE(model->headerData(2, Qt::Vertical).toString(), QStringLiteral("Length"));
        QVERIFY(!model->headerData(1, Qt::Horizontal, Qt::ToolTipRole).isValid());
        QCOMPARE(model->flags(QModelIndex()), Qt::NoItemFlags);
        // Rows follow the registry.
        registry()->duplicate(0);
        QCOMPARE(model->rowCount(), 2);
        registry()->removeVideo(0);
        QCOMPARE(model->rowCount(), 1);
    }

    void dropOnListAddsFirst32InOrder()
    {
        QMimeData *data = urlData(40);
        QVERIFY(drop(window->listWidget()->viewport(), data));
        delete data;
        QCOMPARE(registry()->count(), 32);
        QCOMPARE(fake.calls.size(), 1);
        QCOMPARE(fake.calls.first().first(), QStringLiteral("/nonexistent/drop00.mp4"));
        QCOMPARE(fake.calls.first().last(), QStringLiteral("/nonexistent/drop31.mp4"));
    }

    void dropOnWelcomePanel()
    {
        WelcomeWidget *welcome = window->listWidget()->welcomeWidget();
        QVERIFY(welcome->isVisible());
        auto *text = new QMimeData;
        text->setText(QStringLiteral("not files"));
        QVERIFY(drop(welcome, text));
        delete text;
        QCOMPARE(registry()->count(), 0);
        QVERIFY(fake.calls.isEmpty());

        QMimeData *data = urlData(40);
        QVERIFY(drop(welcome, data));
        delete data;
        QCOMPARE(registry()->count(), 32);
    }

    void welcomePanelFollowsCount()
    {
        WelcomeWidget *welcome = window->listWidget()->welcomeWidget();
        QVERIFY(welcome->isVisible());
        registry()->addFile(QStringLiteral("/nonexistent/a.mp4"));
        QVERIFY(!welcome->isVisible());
        registry()->addFile(QStringLiteral("/nonexistent/b.mp4"));
        registry()->removeVideo(0);
        QVERIFY(!welcome->isVisible());
        registry()->removeVideo(0);
        QVERIFY(welcome->isVisible());
    }

    void renameToEmptyShowsFileName()
    {
        registry()->addFile(QStringLiteral("/nonexistent/holiday.mp4"));
        VideoListWidget *list = window->listWidget();
        list->selectRow(0);
        QCOMPARE(list->currentRow(), 0);

        // First a real name, typed and confirmed with Enter.
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<VideoRenameDlg *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->editName()->text(), QStringLiteral("holiday.mp4"));
            dialog->editName()->setText(QStringLiteral("Summer"));
            QTest::keyClick(dialog->editName(), Qt::Key_Return);
        });
        window->eventHandler()->onMenuEditRename();
        QCOMPARE(list->model()->data(list->model()->index(0, 1)).toString(), QStringLiteral("Summer"));

        // Then nothing: the file name shows again.
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<VideoRenameDlg *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->editName()->clear();
            dialog->btnOk()->click();
        });
        window->eventHandler()->onMenuEditRename();
        QCOMPARE(list->model()->data(list->model()->index(0, 1)).toString(), QStringLiteral("holiday.mp4"));

        // Cancel keeps the name.
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<VideoRenameDlg *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->editName()->setText(QStringLiteral("ignored"));
            dialog->btnCancel()->click();
        });
        window->eventHandler()->onMenuEditRename();
        QCOMPARE(registry()->displayName(0), QStringLiteral("holiday.mp4"));
    }

    void selectionQueries()
    {
        registry()->addVideos({VideoBasicInfo(QStringLiteral("/nonexistent/a.mp4"), 1000, 5000),
                               VideoBasicInfo(QStringLiteral("/nonexistent/b.mp4"), 0, 2000)});
        VideoListWidget *list = window->listWidget();
        VideoBasicInfo info;
        QVERIFY(!list->selectedBasicInfo(info));
        QCOMPARE(list->selectedFilePath(), QString());
        list->selectRow(1);
        QVERIFY(list->selectedBasicInfo(info));
        QCOMPARE(info, VideoBasicInfo(QStringLiteral("/nonexistent/b.mp4"), 0, 2000));
        QCOMPARE(list->selectedFilePath(), QStringLiteral("/nonexistent/b.mp4"));
        list->removeSelected();
        QCOMPARE(registry()->count(), 1);
        // The remaining file becomes current in its place.
        QCOMPARE(list->currentRow(), 0);
        list->removeSelected();
        QCOMPARE(registry()->count(), 0);
        QCOMPARE(list->currentRow(), -1);
    }
};

QTEST_MAIN(TestVideoList)
#include "tst_videolist.moc"
