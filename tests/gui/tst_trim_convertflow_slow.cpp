// Cutting a file into clips through the main window, as a user would: "Clip"
// in the tool bar, two sections marked in the trim dialog (one with the
// cursors, one with the set start/end buttons), OK, then each new list entry
// converted on its own.  Every output must last its section and begin and end
// on the source's pictures at the cut points.

#include "common/testmedia.h"
#include "core/config/videouserconfig.h"
#include "core/media/videoinfomanager.h"
#include "core/profiles/videoprofileuserconfig.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/app/eventhandler.h"
#include "gui/app/mainwindow.h"
#include "gui/player/videoplayerscreen.h"
#include "gui/profiles/profileedit.h"
#include "gui/profiles/videoprofilemenuwidget.h"
#include "gui/support/boxcloser.h"
#include "gui/trim/videotrimdialog.h"
#include "gui/trim/videotrimdialogsectionchooser.h"
#include "gui/widgets/videolistwidget.h"
#include "gui/widgets/videotoolbarwidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QSlider>
#include <QTimer>
#include <QtTest>

#include <cmath>

namespace {

void sendMouse(QWidget *target, QEvent::Type type, const QPoint &global, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(target->mapFromGlobal(global)), QPointF(global), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Drags a cursor of the strip until its mark stands on slider value v.
void dragMark(VideoTrimDialogSectionChooser *chooser, bool left, int value)
{
    QPushButton *cursor = left ? chooser->leftCursor() : chooser->rightCursor();
    const QSlider *slider = chooser->slider();
    const int markX = slider->x() + (value * slider->width() + 500) / 1000;
    const int x = left ? markX - cursor->width() : markX;
    const QPoint grip(cursor->width() / 2, cursor->height() / 2);
    const QPoint from = cursor->mapToGlobal(grip);
    const QPoint to = chooser->mapToGlobal(QPoint(x, cursor->y()) + grip);
    sendMouse(cursor, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i <= 5; ++i)
        sendMouse(cursor, QEvent::MouseMove, QPoint(from.x() + (to.x() - from.x()) * i / 5, to.y()),
                  Qt::NoButton, Qt::LeftButton);
    sendMouse(cursor, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// PSNR in dB of two pictures of the same size (100 for identical ones).
double psnr(const QImage &a, const QImage &b)
{
    if (a.isNull() || a.size() != b.size())
        return 0.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0.0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            const double dr = qRed(p[col]) - qRed(q[col]);
            const double dg = qGreen(p[col]) - qGreen(q[col]);
            const double db = qBlue(p[col]) - qBlue(q[col]);
            sum += dr * dr + dg * dg + db * db;
        }
    }
    const double mse = sum / (3.0 * x.width() * x.height());
    return mse <= 0.0 ? 100.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

} // namespace

class TestTrimConvertFlow : public QObject {
    Q_OBJECT

    QString dir, outDir, source;
    MainWindow *window = nullptr;
    VideoProfileMenuWidget *menu = nullptr;
    BoxCloser boxes;
    int frameCount = 0;

    VideoInfoManager *registry() { return VideoInfoManager::instance(); }
    template <typename T> T *child(QObject *parent, const char *name)
    {
        T *c = parent->findChild<T *>(QLatin1String(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }

    bool chooseProfile(const QString &name)
    {
        VideoProfileUserConfig *upc = VideoProfileUserConfig::getInstance();
        const QList<VideoProfileCategory> categories = upc->getFormatsCategories();
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

    // A picture of a file as 320x240 RGB: at a time, or its last one.
    QImage frame(const QString &path, double seconds, bool last = false)
    {
        const QString png = QStringLiteral("%1/frame%2.png").arg(dir).arg(frameCount++);
        QStringList args;
        if (last)
            args << "-sseof"
                 << "-0.6"
                 << "-i" << path << "-update"
                 << "1";
        else
            args << "-ss" << QString::number(seconds, 'f', 3) << "-i" << path << "-frames:v"
                 << "1";
        args << "-vf"
             << "scale=320:240"
             << "-pix_fmt"
             << "rgb24" << png;
        if (!TestMedia::ffmpeg(args))
            return QImage();
        return QImage(png);
    }

    // The cut at sourceSeconds is where the output shows picture: the source's
    // picture there matches it well, better than the pictures one frame
    // (40 ms) either side, and far better than those half a second away.
    void verifyCut(const QImage &picture, double sourceSeconds, const char *what)
    {
        QVERIFY2(!picture.isNull(), what);
        auto at = [&](double offset) {
            return psnr(picture, frame(source, std::max(0.0, sourceSeconds + offset)));
        };
        const double here = at(0.0);
        const double frameBefore = sourceSeconds >= 0.04 ? at(-0.04) : 0.0;
        const double frameAfter = at(0.04);
        const double farBefore = sourceSeconds >= 0.5 ? at(-0.5) : 0.0;
        const double farAfter = at(0.5);
        qInfo("%s at %.3f s: PSNR %.1f dB; one frame before %.1f, after %.1f; 0.5 s before %.1f, after %.1f",
              what, sourceSeconds, here, frameBefore, frameAfter, farBefore, farAfter);
        QVERIFY2(here >= 24.0, what);
        QVERIFY2(here > frameBefore + 2.0 && here > frameAfter + 2.0, what);
        QVERIFY2(here > farBefore + 6.0 && here > farAfter + 6.0, what);
    }

    // Marks two clips in the open trim dialog and accepts it.
    void driveTrimDialog()
    {
        VideoTrimDialog *dialog = nullptr;
        auto closeOnFailure = qScopeGuard([&] {
            if (QTest::currentTestFailed())
                if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                    d->reject();
        });
        QTRY_VERIFY_WITH_TIMEOUT(
            (dialog = qobject_cast<VideoTrimDialog *>(QApplication::activeModalWidget())), 10000);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        CffmpegPlayer *player = FFP_GetPlayer();
        QTRY_COMPARE_WITH_TIMEOUT(player->GetPlayStatus(), int(PLAY_STATUS_PLAYING), 5000);
        QCOMPARE(CffmpegPlayer::getWndID(), qint64(dialog->playerScreen()->winId()));

        // First clip: the cursors to 2 s and 5 s.
        VideoTrimDialogSectionChooser *chooser = dialog->chooser();
        dragMark(chooser, false, 550);
        dragMark(chooser, true, 250);
        QCOMPARE(child<QLineEdit>(dialog, "editLeftPos")->text(), QStringLiteral("00:00:02"));
        QCOMPARE(child<QLineEdit>(dialog, "editRightPos")->text(), QStringLiteral("00:00:05"));
        QTest::mouseClick(child<QPushButton>(dialog, "btnClip"), Qt::LeftButton);

        // Second clip: pause, click the slider at 6 s, "set start", at 8 s "set end".
        QTest::mouseClick(child<QPushButton>(dialog, "btnStart"), Qt::LeftButton);
        QTRY_COMPARE(player->GetPlayStatus(), int(PLAY_STATUS_PAUSED));
        QSlider *slider = chooser->slider();
        QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, QPoint(slider->width() * 65 / 100, 9));
        QTest::qWait(500);
        QTest::mouseClick(child<QPushButton>(dialog, "btnSetLeftPos"), Qt::LeftButton);
        QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, QPoint(slider->width() * 85 / 100, 9));
        QTest::qWait(500);
        QTest::mouseClick(child<QPushButton>(dialog, "btnSetRightPos"), Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(dialog, "editLeftPos")->text(), QStringLiteral("00:00:06"));
        QCOMPARE(child<QLineEdit>(dialog, "editRightPos")->text(), QStringLiteral("00:00:08"));
        QTest::mouseClick(child<QPushButton>(dialog, "btnClip"), Qt::LeftButton);
        QCOMPARE(dialog->clipList()->count(), 2);
        QTest::mouseClick(child<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
    }

    void convertRow(int row, const QString &expectedOutput)
    {
        window->listWidget()->selectRow(row);
        QCOMPARE(window->listWidget()->currentRow(), row);
        QWidget *panel = window->convertWidget();
        const int before = boxes.seen.size();
        QTest::mouseClick(child<QPushButton>(panel, "btnStartConvert"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(boxes.seen.size() > before, 180000);
        QCOMPARE(boxes.seen.last(), QStringLiteral("Convert Finished|Convert Finished."));
        QVERIFY2(QFile::exists(expectedOutput), qPrintable(expectedOutput));
    }

    void verifyOutput(const QString &path, const VideoBasicInfo &clip)
    {
        const QJsonObject info = TestMedia::probe(path);
        QVERIFY2(!info.isEmpty(), qPrintable(path));
        QVERIFY(!TestMedia::stream(info, "video").isEmpty());
        QVERIFY(!TestMedia::stream(info, "audio").isEmpty());
        const double expected = (clip.msEnd - clip.msStart) / 1000.0;
        const double got = TestMedia::durationSeconds(info);
        qInfo("%s: %.3f s for the section %d..%d ms", qPrintable(path), got, clip.msStart, clip.msEnd);
        QVERIFY2(qAbs(got - expected) <= 0.1,
                 qPrintable(QStringLiteral("%1 s, not %2 s").arg(got).arg(expected)));
        QString errors;
        QVERIFY2(TestMedia::decodesCleanly(path, &errors), qPrintable(errors));
        QCOMPARE(QFileInfo(path).permissions() & QFileDevice::ReadOther, QFileDevice::ReadOther);
        // The first picture is the source's at the start; the last one the
        // source's last picture before the end (25 pictures a second).
        verifyCut(frame(path, 0.0), clip.msStart / 1000.0, "first picture");
        verifyCut(frame(path, 0.0, true), (clip.msEnd - 40) / 1000.0, "last picture");
    }

private slots:
    void initTestCase()
    {
        dir = TestMedia::tempDir();
        qputenv("REELMAX_UPC", QFile::encodeName(dir + "/upc.xml"));
        outDir = dir + "/out";
        QVERIFY(QDir().mkpath(outDir));
        QVERIFY(QDir().mkpath(dir + "/tmp"));
        source = dir + "/source.mp4";
        QVERIFY(TestMedia::makeClip(source, 10, 320, 240));
        VideoUserConfig *config = VideoUserConfig::instance();
        config->setConvertOutputDirectory(outDir);
        config->setTempDirectory(dir + "/tmp");
        config->setMerge(false);

        window = new MainWindow;
        config->setMainWindow(window);
        menu = qobject_cast<VideoProfileMenuWidget *>(window->profileMenu());
        QVERIFY(menu);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }

    void cleanupTestCase()
    {
        registry()->clear();
        delete window;
    }

    void cutsTwoClipsAndConvertsEach()
    {
        registry()->addFile(source);
        QCOMPARE(registry()->count(), 1);
        window->listWidget()->selectRow(0);
        QTest::mouseClick(child<ProfileEdit>(window->convertWidget(), "profileEdit"), Qt::LeftButton);
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(chooseProfile(QStringLiteral("MP4 Video")));

        const qint64 windowBefore = CffmpegPlayer::getWndID();
        QPushButton *clipButton = window->toolBar()->btnClip;
        QVERIFY(clipButton->isEnabled());
        QTimer::singleShot(0, this, [this] { driveTrimDialog(); });
        QTest::mouseClick(clipButton, Qt::LeftButton); // returns when the dialog is done
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(CffmpegPlayer::getWndID(), windowBefore);

        // The source entry is untouched; the clips follow it in order.
        QCOMPARE(registry()->count(), 3);
        VideoBasicInfo entry, first, second;
        QVERIFY(registry()->basicInfo(0, entry) && registry()->basicInfo(1, first) &&
                registry()->basicInfo(2, second));
        QCOMPARE(entry, VideoBasicInfo(source, 0, entry.msEnd));
        QVERIFY(entry.msEnd >= 10000 && entry.msEnd < 10100);
        QCOMPARE(first, VideoBasicInfo(source, 2000, 5000));
        QCOMPARE(second.filename, source);
        QVERIFY2(qAbs(second.msStart - 6000) <= 40 && qAbs(second.msEnd - 8000) <= 40,
                 qPrintable(QStringLiteral("%1..%2").arg(second.msStart).arg(second.msEnd)));
        QCOMPARE(registry()->displayName(1), QStringLiteral("source.mp4"));

        convertRow(1, outDir + "/source.mp4");
        if (QTest::currentTestFailed())
            return;
        convertRow(2, outDir + "/source(1).mp4");
        if (QTest::currentTestFailed())
            return;
        verifyOutput(outDir + "/source.mp4", first);
        verifyOutput(outDir + "/source(1).mp4", second);
        QCOMPARE(QDir(outDir).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"source(1).mp4", "source.mp4"}));
    }

    void cancelAndEmptyOkAddNothing()
    {
        const int before = registry()->count();
        window->listWidget()->selectRow(0);
        for (const char *button : {"btnCancel", "btnOK"}) {
            QTimer::singleShot(0, this, [this, button] {
                VideoTrimDialog *dialog = nullptr;
                QTRY_VERIFY_WITH_TIMEOUT(
                    (dialog = qobject_cast<VideoTrimDialog *>(QApplication::activeModalWidget())), 10000);
                if (QLatin1String(button) == QLatin1String("btnCancel"))
                    QTest::mouseClick(child<QPushButton>(dialog, "btnClip"), Qt::LeftButton);
                QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
            });
            QTest::mouseClick(window->toolBar()->btnClip, Qt::LeftButton);
            QCOMPARE(registry()->count(), before);
        }
        // Without a selected row the command does nothing.
        window->listWidget()->clearSelection();
        window->eventHandler()->onMenuEditTrim();
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestTrimConvertFlow)
#include "tst_trim_convertflow_slow.moc"
