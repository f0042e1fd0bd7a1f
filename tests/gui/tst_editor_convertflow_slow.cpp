// The editor in the whole program: opened from the tool bar's "Effect"
// button on a clip, edited as a user would (typed crop, sliders, combos,
// mirror), applied and closed; then the clip is converted and the output's
// pictures are compared with the ffmpeg tool's rendering of the same edits.

#include "common/testmedia.h"
#include "core/config/videouserconfig.h"
#include "core/media/videoinfomanager.h"
#include "core/profiles/videoprofileuserconfig.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/app/mainwindow.h"
#include "gui/editor/editordialog.h"
#include "gui/editor/videoedittabcrop.h"
#include "gui/editor/videoedittabeffect.h"
#include "gui/editor/videoedittabsubtitle.h"
#include "gui/editor/videoedittabwatermark.h"
#include "gui/profiles/videoprofilemenuwidget.h"
#include "gui/support/boxcloser.h"
#include "gui/widgets/videoconvertwidget.h"
#include "gui/widgets/videolistwidget.h"
#include "gui/widgets/videotoolbarwidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <functional>

namespace {

void typeInto(QSpinBox *spin, int value)
{
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, QString::number(value));
    QTest::keyClick(spin, Qt::Key_Return);
}

double psnr(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size() || a.isEmpty())
        return -1;
    double sum = 0;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const double d = double(quint8(a[i])) - double(quint8(b[i]));
        sum += d * d;
    }
    const double mse = sum / double(a.size());
    return mse <= 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

double correlation(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size() || a.isEmpty())
        return 0;
    const double n = double(a.size());
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const double x = quint8(a[i]), y = quint8(b[i]);
        sa += x;
        sb += y;
        saa += x * x;
        sbb += y * y;
        sab += x * y;
    }
    const double cov = sab / n - (sa / n) * (sb / n);
    const double va = saa / n - (sa / n) * (sa / n), vb = sbb / n - (sb / n) * (sb / n);
    return va <= 0 || vb <= 0 ? 0 : cov / std::sqrt(va * vb);
}

} // namespace

class TestEditorConvertFlow : public QObject {
    Q_OBJECT

    QString dir, outDir, clip;
    MainWindow *window = nullptr;
    VideoConvertWidget *panel = nullptr;
    BoxCloser boxes;
    int frames = 0;

    // One picture of a file (by count, whatever the container's start time)
    // as 8-bit grey, through an optional filter.
    QByteArray grey(const QString &file, const QString &filter = QString(), int picture = 25)
    {
        const QString out = dir + QStringLiteral("/frame%1.grey").arg(frames++);
        QString chain = QStringLiteral("select=eq(n\\,%1)").arg(picture);
        if (!filter.isEmpty())
            chain += "," + filter;
        const QStringList args{"-i", file,       "-vf",      chain,  "-frames:v", "1",
                               "-f", "rawvideo", "-pix_fmt", "gray", out};
        if (!TestMedia::ffmpeg(args))
            return {};
        QFile f(out);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    bool chooseProfile(const QString &name)
    {
        auto *menu = qobject_cast<VideoProfileMenuWidget *>(window->profileMenu());
        VideoProfileUserConfig *upc = VideoProfileUserConfig::getInstance();
        QList<VideoProfileCategory> categories = upc->getFormatsCategories();
        categories += upc->getDeviceCategories();
        for (const VideoProfileCategory &c : categories) {
            menu->changeCategory(c.key);
            QListWidget *grid = menu->profileList();
            for (int i = 0; i < grid->count(); ++i)
                if (grid->item(i)->text() == name) {
                    menu->onProfileSelected(grid->item(i));
                    return true;
                }
        }
        return false;
    }

    // Opens the editor with the tool bar's button, runs body on it while it
    // is the modal dialog, and closes it with its close button.
    void editWith(const std::function<void(EditorDialog *)> &body)
    {
        bool ran = false;
        QTimer poll;
        poll.setInterval(50);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *editor = qobject_cast<EditorDialog *>(QApplication::activeModalWidget());
            if (!editor || ran)
                return;
            ran = true;
            poll.stop();
            body(editor);
            editor->closeButton()->click();
        });
        poll.start();
        QVERIFY(window->toolBar()->btnEffect->isEnabled());
        QTest::mouseClick(window->toolBar()->btnEffect, Qt::LeftButton); // returns when it closes
        QVERIFY(ran);
        QCOMPARE(CffmpegPlayer::getWndID(), qint64(0));
    }

    QString convert()
    {
        QSignalSpy status(panel, &VideoConvertWidget::convertStatusChanged);
        const int before = boxes.seen.size();
        QTest::mouseClick(panel->findChild<QPushButton *>("btnStartConvert"), Qt::LeftButton);
        [&] { QTRY_VERIFY_WITH_TIMEOUT(status.count() >= 2 && boxes.seen.size() > before, 180000); }();
        if (boxes.seen.size() <= before)
            return {};
        if (boxes.seen.last() != QStringLiteral("Convert Finished|Convert Finished."))
            qWarning("conversion ended with %s", qPrintable(boxes.seen.last()));
        return panel->lastOutputPath();
    }

    void addClip()
    {
        VideoInfoManager::instance()->clear();
        VideoInfoManager::instance()->addFiles({clip});
        QCOMPARE(VideoInfoManager::instance()->count(), 1);
        window->listWidget()->selectRow(0);
    }

private slots:
    void initTestCase()
    {
        dir = TestMedia::tempDir();
        qputenv("REELMAX_UPC", QFile::encodeName(dir + "/upc.xml"));
        outDir = dir + "/out";
        QVERIFY(QDir().mkpath(outDir));
        QVERIFY(QDir().mkpath(dir + "/tmp"));
        clip = dir + "/clip.mp4";
        QVERIFY(TestMedia::makeClip(clip, 3, 640, 360));
        VideoUserConfig *config = VideoUserConfig::instance();
        config->setConvertOutputDirectory(outDir);
        config->setTempDirectory(dir + "/tmp");
        window = new MainWindow;
        config->setMainWindow(window);
        panel = qobject_cast<VideoConvertWidget *>(window->convertWidget());
        QVERIFY(panel);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // A profile that keeps the source size, so the output shows the crop.
        QVERIFY(chooseProfile(QStringLiteral("MKV")));
    }

    void cleanupTestCase()
    {
        VideoInfoManager::instance()->clear();
        delete window;
    }

    void cropBrightnessAndNegateReachTheOutput()
    {
        addClip();
        editWith([](EditorDialog *editor) {
            QTRY_COMPARE_WITH_TIMEOUT(FFP_GetPlayer()->GetPlayStatus(), int(PLAY_STATUS_PLAYING), 10000);
            VideoEditTabCrop *crop = editor->cropTab();
            editor->tabs()->setCurrentWidget(crop);
            crop->keepRatioCheck()->setChecked(false);
            typeInto(crop->spinWidth(), 320);
            typeInto(crop->spinHeight(), 180);
            typeInto(crop->spinLeft(), 160);
            typeInto(crop->spinTop(), 90);
            QTest::mouseClick(crop->applyButton(), Qt::LeftButton);

            VideoEditTabEffect *effect = editor->effectTab();
            editor->tabs()->setCurrentWidget(effect);
            effect->sliderBrightness()->setValue(40);
            effect->effectCombo()->setCurrentIndex(effect->effectCombo()->findText("Negate"));
            // The preview shows the edits at once.
            const FilterSettings preview = FFP_GetPlayer()->filters();
            QVERIFY(preview.negate);
            QCOMPARE(preview.lightness, 40);
            QTest::mouseClick(effect->applyButton(), Qt::LeftButton);
        });
        if (QTest::currentTestFailed())
            return;
        const VideoInfo *record = VideoInfoManager::instance()->item(0);
        QVERIFY(record->cropChanged && record->effectChanged);
        QCOMPARE(QRect(record->cropLeft, record->cropTop, record->cropWidth, record->cropHeight),
                 QRect(160, 90, 320, 180));
        // The editor's filters left with it: the panel's preview is plain.
        QVERIFY(!FFP_GetPlayer()->filters().negate);

        const QString output = convert();
        QVERIFY(QFileInfo::exists(output));
        const QJsonObject video = TestMedia::stream(TestMedia::probe(output), "video");
        QCOMPARE(video.value("width").toInt(), 320);
        QCOMPARE(video.value("height").toInt(), 180);
        QVERIFY(TestMedia::decodesCleanly(output));

        // The output is the negated picture of that very area.
        const QByteArray out = grey(output);
        const QByteArray area = grey(clip, "crop=320:180:160:90");
        QCOMPARE(out.size(), 320 * 180);
        QCOMPARE(area.size(), out.size());
        const double r = correlation(out, area);
        QVERIFY2(r < -0.8, qPrintable(QString::number(r)));
        QVERIFY2(psnr(out, area) < 15, qPrintable(QString::number(psnr(out, area))));
        // Not some other part of the picture.
        const QByteArray elsewhere = grey(clip, "crop=320:180:0:0");
        QVERIFY(correlation(out, elsewhere) > r + 0.3);

        // The player panel plays again in its own window after the editor.
        window->startPlay(record->basicInfo());
        QTRY_COMPARE_WITH_TIMEOUT(FFP_GetPlayer()->GetPlayStatus(), int(PLAY_STATUS_PLAYING), 10000);
        QVERIFY(CffmpegPlayer::getWndID() != 0);
        FFP_GetPlayer()->Stop();
    }

    void mirroredOutputMatchesHflip()
    {
        addClip();
        editWith([](EditorDialog *editor) {
            QTRY_COMPARE_WITH_TIMEOUT(FFP_GetPlayer()->GetPlayStatus(), int(PLAY_STATUS_PLAYING), 10000);
            QTest::mouseClick(editor->mirrorHorButton(), Qt::LeftButton);
            QVERIFY(FFP_GetPlayer()->filters().hFlip);
        });
        if (QTest::currentTestFailed())
            return;
        QVERIFY(VideoInfoManager::instance()->item(0)->hFlip);
        const QString output = convert();
        QVERIFY(QFileInfo::exists(output));
        const QByteArray out = grey(output);
        const QByteArray flipped = grey(clip, "hflip");
        const QByteArray plain = grey(clip);
        QCOMPARE(out.size(), 640 * 360);
        const double toFlipped = psnr(out, flipped);
        QVERIFY2(toFlipped > 30, qPrintable(QString::number(toFlipped)));
        QVERIFY2(psnr(out, plain) < toFlipped - 10, qPrintable(QString::number(psnr(out, plain))));
    }

    // Pixels of a 640-wide grey picture inside rect that differ by more than 64.
    static int changed(const QByteArray &a, const QByteArray &b, const QRect &rect)
    {
        int n = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const int i = y * 640 + x;
                n += qAbs(int(quint8(a[i])) - int(quint8(b[i]))) > 64 ? 1 : 0;
            }
        return n;
    }

    void subtitleCueAndTextWatermarkReachTheOutput()
    {
        // A name with a colon, commas, a quote, a backslash and spaces.
        const QString srt = dir + "/my subs: part 1, it's \\ final, really.srt";
        QFile f(srt);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("1\n00:00:01,000 --> 00:00:02,000\nHELLO THERE\n");
        f.close();
        addClip();
        editWith([&srt](EditorDialog *editor) {
            QTRY_COMPARE_WITH_TIMEOUT(FFP_GetPlayer()->GetPlayStatus(), int(PLAY_STATUS_PLAYING), 10000);
            VideoEditTabSubtitle *subtitle = editor->subtitleTab();
            editor->tabs()->setCurrentWidget(subtitle);
            QTest::mouseClick(subtitle->enableCheck(), Qt::LeftButton, {}, QPoint(5, 5));
            QVERIFY(subtitle->enableCheck()->isChecked());
            subtitle->useSubtitleFile(srt); // what choosing it in the file dialog does
            QTest::mouseClick(subtitle->applyButton(), Qt::LeftButton);

            VideoEditTabWatermark *watermark = editor->watermarkTab();
            editor->tabs()->setCurrentWidget(watermark);
            QTest::mouseClick(watermark->enableCheck(), Qt::LeftButton, {}, QPoint(5, 5));
            QTest::mouseClick(watermark->textRadio(), Qt::LeftButton, {}, QPoint(5, 5));
            QVERIFY(watermark->textField()->isEnabled());
            watermark->textField()->setFocus();
            QTest::keyClicks(watermark->textField(), "WM");
            typeInto(watermark->horSpaceSpin(), 10); // leaving the text field reports its text
            typeInto(watermark->verSpaceSpin(), 10);
            watermark->sizeCombo()->setCurrentIndex(watermark->sizeCombo()->findText("36"));
            QTest::mouseClick(watermark->applyButton(), Qt::LeftButton);

            const FilterSettings preview = FFP_GetPlayer()->filters();
            QVERIFY(preview.subtitle);
            QCOMPARE(QString::fromStdString(preview.subtitleFile), srt);
            QVERIFY(preview.textWatermark);
            QCOMPARE(QString::fromStdString(preview.textWatermarkText), QStringLiteral("WM"));
            QCOMPARE(preview.textWatermarkX, 10);
        });
        if (QTest::currentTestFailed())
            return;
        const VideoInfo *record = VideoInfoManager::instance()->item(0);
        QVERIFY(record->subtitleChanged && record->watermarkChanged);
        QCOMPARE(record->subtitleFile, srt);

        const QString output = convert();
        QVERIFY(QFileInfo::exists(output));
        QCOMPARE(TestMedia::stream(TestMedia::probe(output), "video").value("width").toInt(), 640);
        const QRect mark(0, 0, 130, 70), bottom(0, 250, 640, 110), rest(0, 70, 640, 180);
        for (int picture : {12, 37, 62}) { // 0.5 s, 1.5 s (the cue), 2.5 s
            const QByteArray out = grey(output, QString(), picture);
            const QByteArray src = grey(clip, QString(), picture);
            QCOMPARE(out.size(), 640 * 360);
            QCOMPARE(src.size(), out.size());
            const int inMark = changed(out, src, mark), inBottom = changed(out, src, bottom),
                      elsewhere = changed(out, src, rest);
            qInfo("picture %d: watermark %d, subtitle area %d, elsewhere %d", picture, inMark, inBottom,
                  elsewhere);
            QVERIFY(inMark > 100);
            QVERIFY(elsewhere < 30);
            if (picture == 37)
                QVERIFY(inBottom > 100);
            else
                QVERIFY(inBottom < 30);
        }
    }
};

QTEST_MAIN(TestEditorConvertFlow)
#include "tst_editor_convertflow_slow.moc"
