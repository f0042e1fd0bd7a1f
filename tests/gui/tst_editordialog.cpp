// The editor dialog: its list and start row, the looping preview and the
// hand-over of the player's window, the crop selector and its spin boxes,
// the mirror buttons and the Effect and Crop tabs' load, preview and Apply.

#include "common/testmedia.h"
#include "core/media/videoinfomanager.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/common/lineeditmonitor.h"
#include "gui/editor/editorcolorcombo.h"
#include "gui/editor/editordialog.h"
#include "gui/editor/videoedittabcrop.h"
#include "gui/editor/videoedittabeffect.h"
#include "gui/editor/videoedittabsubtitle.h"
#include "gui/editor/videoedittabwatermark.h"
#include "gui/editor/videoselector.h"
#include "gui/player/videoplayerscreen.h"
#include "gui/support/recordingfiltertarget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {
CffmpegPlayer *player()
{
    return FFP_GetPlayer();
}

QRect coords(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}

// Types a value into a spin box as a user would, ending with Enter.
void typeInto(QSpinBox *spin, int value)
{
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, QString::number(value));
    QTest::keyClick(spin, Qt::Key_Return);
}
} // namespace

class TestEditorDialog : public QObject {
    Q_OBJECT
    QString m_small, m_wide, m_sound;
    std::unique_ptr<EditorDialog> m_dialog;
    QStringList m_boxes;

    VideoInfoManager *registry() { return VideoInfoManager::instance(); }

    // The media list: a sound file, then two clips with video.
    void fillRegistry()
    {
        registry()->clear();
        registry()->addFiles({m_sound, m_small, m_wide});
        QCOMPARE(registry()->count(), 3);
        QCOMPARE(registry()->videoFileCount(), 2);
    }

    void openAt(int row)
    {
        m_dialog = std::make_unique<EditorDialog>(player());
        m_dialog->setMessageSink([this](const QString &t, const QString &x) { m_boxes << t + "|" + x; });
        m_dialog->selectRow(row);
        m_dialog->show();
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        QTRY_COMPARE_WITH_TIMEOUT(player()->GetPlayStatus(), int(PLAY_STATUS_PLAYING), 5000);
    }

private slots:
    void initTestCase()
    {
        const QString dir = TestMedia::tempDir();
        m_small = dir + "/small.mp4";
        m_wide = dir + "/wide.mp4";
        m_sound = dir + "/sound.wav";
        QVERIFY(TestMedia::makeClip(m_small, 1.5, 320, 240));
        QVERIFY(TestMedia::makeClip(m_wide, 1.5, 640, 360));
        QVERIFY(TestMedia::makeClip(m_sound, 1, 0, 0));
    }

    void cleanup()
    {
        m_dialog.reset();
        registry()->clear();
        m_boxes.clear();
    }

    void startRowCountsVideoFilesOnly()
    {
        fillRegistry();
        QCOMPARE(EditorDialog::startRow(-1), 0); // nothing selected
        QCOMPARE(EditorDialog::startRow(0), 0);  // a sound file
        QCOMPARE(EditorDialog::startRow(1), 0);
        QCOMPARE(EditorDialog::startRow(2), 1); // the second file with video
    }

    void listShowsVideoFilesAndPlaysTheSelection()
    {
        fillRegistry();
        openAt(1);
        QCOMPARE(m_dialog->listView()->model()->rowCount(), 2);
        const QVariant thumb = m_dialog->listView()->model()->data(m_dialog->listView()->model()->index(0, 0),
                                                                   Qt::DecorationRole);
        QCOMPARE(thumb.value<QImage>().width(), 80);
        QCOMPARE(m_dialog->currentRecord(), registry()->item(2));
        QCOMPARE(QString::fromStdString(player()->GetOpenedFileName()), m_wide);
        QCOMPARE(CffmpegPlayer::getWndID(), qint64(m_dialog->screen()->winId()));
        QVERIFY(m_dialog->startButton()->isChecked());
        QCOMPARE(m_dialog->volumeSlider()->value(), m_dialog->volumeSlider()->maximum());
        const QStringList tabs = {m_dialog->tabs()->tabText(0), m_dialog->tabs()->tabText(1),
                                  m_dialog->tabs()->tabText(2), m_dialog->tabs()->tabText(3)};
        QCOMPARE(tabs, QStringList({"Effect", "Crop", "Subtitle", "Watermark"}));

        // A click on the progress bar seeks to that point at once.
        QSlider *bar = m_dialog->progressSlider();
        QTRY_VERIFY(bar->maximum() > 0);
        QSignalSpy moved(bar, &QSlider::sliderMoved);
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() * 3 / 4, bar->height() / 2));
        QCOMPARE(moved.count(), 1);
        QVERIFY(qAbs(moved.first().at(0).toInt() - bar->maximum() * 3 / 4) <= bar->maximum() / 10);

        // A file whose crop width is 0 opens with the whole frame selected.
        VideoEditTabCrop *crop = m_dialog->cropTab();
        QCOMPARE(crop->spinLeft()->value(), 0);
        QCOMPARE(crop->spinWidth()->value(), 640);
        QCOMPARE(crop->spinHeight()->value(), 360);
        QCOMPARE(registry()->item(2)->cropWidth, 640);
        QVERIFY(!registry()->item(2)->cropChanged);
    }

    void previewLoopsAndPauses()
    {
        fillRegistry();
        openAt(0);
        // The 1.5 s section ends and starts again by itself.
        QSignalSpy statuses(m_dialog.get(), &EditorDialog::playStatusChanged);
        QTRY_VERIFY_WITH_TIMEOUT(statuses.contains({int(PLAY_STATUS_STOPPED)}), 15000);
        QTRY_COMPARE_WITH_TIMEOUT(player()->GetPlayStatus(), int(PLAY_STATUS_PLAYING), 5000);
        m_dialog->startButton()->click();
        QCOMPARE(player()->GetPlayStatus(), int(PLAY_STATUS_PAUSED));
        QVERIFY(!m_dialog->startButton()->isChecked());
        m_dialog->startButton()->click();
        QCOMPARE(player()->GetPlayStatus(), int(PLAY_STATUS_PLAYING));
        m_dialog->stopButton()->click();
        QCOMPARE(player()->GetPlayStatus(), int(PLAY_STATUS_STOPPED));
        QVERIFY(!m_dialog->startButton()->isChecked());
    }

    void closingGivesThePlayerBack()
    {
        fillRegistry();
        openAt(0);
        m_dialog->effectTab()->sliderBrightness()->setValue(50);
        m_dialog->mirrorHorButton()->click();
        QVERIFY(player()->filters().hFlip);
        QSignalSpy rejected(m_dialog.get(), &QDialog::rejected);
        m_dialog->closeButton()->click();
        QCOMPARE(rejected.count(), 1);
        m_dialog.reset();
        QCOMPARE(player()->GetPlayStatus(), int(PLAY_STATUS_STOPPED));
        QCOMPARE(CffmpegPlayer::getWndID(), qint64(0));
        const FilterSettings f = player()->filters();
        QVERIFY(!f.hFlip);
        QCOMPARE(f.lightness, 0);
    }

    void switchingFilesLoadsTheirRecords()
    {
        fillRegistry();
        VideoInfo *small = registry()->item(1);
        small->brightness = 30;
        small->hFlip = true;
        small->flipChanged = true;
        openAt(0);
        VideoEditTabEffect *effect = m_dialog->effectTab();
        QCOMPARE(effect->sliderBrightness()->value(), 30);
        QVERIFY(player()->filters().hFlip);

        // An unapplied change is dropped when another file is chosen.
        effect->sliderContrast()->setValue(-40);
        m_dialog->selectRow(1);
        QTRY_COMPARE(QString::fromStdString(player()->GetOpenedFileName()), m_wide);
        QCOMPARE(small->contrast, 0);
        QCOMPARE(effect->sliderContrast()->value(), 0);
        QCOMPARE(effect->sliderBrightness()->value(), 0);
        QVERIFY(!player()->filters().hFlip); // the second file is not mirrored
        m_dialog->selectRow(0);
        QTRY_COMPARE(QString::fromStdString(player()->GetOpenedFileName()), m_small);
        QCOMPARE(effect->sliderBrightness()->value(), 30);
    }

    void mirrorTwice()
    {
        fillRegistry();
        openAt(0);
        RecordingFilterTarget rec;
        m_dialog->setFilterTarget(&rec);
        VideoInfo *record = registry()->item(1);
        m_dialog->mirrorHorButton()->click();
        QVERIFY(record->hFlip);
        m_dialog->mirrorHorButton()->click();
        QVERIFY(!record->hFlip);
        QVERIFY(record->flipChanged);
        QCOMPARE(rec.states.size(), 2);
        QVERIFY(rec.states[0].hFlip);  // called with 0: on
        QVERIFY(!rec.states[1].hFlip); // then with 1: off
        m_dialog->mirrorVerButton()->click();
        QVERIFY(record->vFlip);
        QVERIFY(rec.states.last().vFlip);
        m_dialog->setFilterTarget(nullptr);
    }

    void effectTabPreviewAndApply()
    {
        fillRegistry();
        openAt(0);
        VideoEditTabEffect *effect = m_dialog->effectTab();
        RecordingFilterTarget rec;
        effect->setFilterTarget(&rec);
        VideoInfo *record = registry()->item(1);

        // Apply with nothing changed leaves the flag as it was.
        effect->applyButton()->click();
        QVERIFY(!record->effectChanged);

        // One effect is one change of the preview.
        effect->effectCombo()->setCurrentIndex(effect->effectCombo()->findText("Sharp"));
        QCOMPARE(rec.states.size(), 1);
        const FilterSettings f = rec.states.last();
        QVERIFY(!f.blur && !f.negate && !f.deshake && f.sharp);
        rec.states.clear();
        effect->deinterlacingCombo()->setCurrentIndex(
            effect->deinterlacingCombo()->findText("Even Interpolate"));
        QCOMPARE(rec.states.size(), 1);
        QVERIFY(rec.states[0].deinterlace);
        QCOMPARE(rec.states[0].deinterlaceMode, 3);
        effect->deinterlacingCombo()->setCurrentIndex(effect->deinterlacingCombo()->findText("None"));
        QVERIFY(!rec.states.last().deinterlace);
        QCOMPARE(rec.states.last().deinterlaceMode, 0);
        effect->sliderBrightness()->setValue(25);
        QCOMPARE(rec.states.last().lightness, 25);
        QVERIFY(!record->effectChanged); // previewed, not stored

        effect->applyButton()->click();
        QVERIFY(record->effectChanged);
        QCOMPARE(record->brightness, 25);
        QCOMPARE(record->effect, 1);

        // Reset brings back what was applied, not what was moved since.
        effect->sliderBrightness()->setValue(-60);
        effect->resetButton()->click();
        QCOMPARE(effect->sliderBrightness()->value(), 25);
        effect->setFilterTarget(nullptr);
    }

    void cropSpinsFollowTheSelectorAndBack()
    {
        fillRegistry();
        openAt(1); // 640 x 360
        VideoEditTabCrop *crop = m_dialog->cropTab();
        m_dialog->tabs()->setCurrentWidget(crop);
        crop->keepRatioCheck()->setChecked(false);
        VideoSelector *selector = m_dialog->selector();
        const QRect picture = selector->geometry().picture();
        QVERIFY2(picture.width() > 100, qPrintable(QString::number(picture.width())));

        // Typed values move the handles; values the picture can show stay as typed.
        typeInto(crop->spinWidth(), 200);
        typeInto(crop->spinLeft(), 100);
        QCOMPARE(crop->spinLeft()->value(), 100);
        QCOMPARE(crop->spinWidth()->value(), 200);
        const QRect area = selector->geometry().selection();
        QVERIFY(qAbs(area.left() - 100 * picture.width() / 640) <= 1);

        // A width the frame cannot hold is corrected to what is selected.
        typeInto(crop->spinWidth(), 5000);
        const int right = crop->spinLeft()->value() + crop->spinWidth()->value();
        QVERIFY2(right <= 640 && right >= 630, qPrintable(QString::number(right)));
        QVERIFY(qAbs(right - (selector->geometry().videoRect()->right() + 1)) <= 2);

        // Keys: Ctrl+Right moves the area, Shift+Down makes it taller.
        typeInto(crop->spinLeft(), 0);
        m_dialog->screen()->setFocus();
        QTest::keyClick(m_dialog->screen(), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(selector->geometry().selection().left(), 1);
        const int height = selector->geometry().selection().height();
        QTest::keyClick(m_dialog->screen(), Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(selector->geometry().selection().height(), height - 1);
        QTest::keyClick(m_dialog->screen(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(selector->geometry().selection().height(), height);
        QCOMPARE(crop->spinLeft()->value(), selector->geometry().videoRect()->left());

        // Apply stores, Reset restores the stored values.
        VideoInfo *record = registry()->item(2);
        crop->applyButton()->click();
        QVERIFY(record->cropChanged);
        const int storedWidth = record->cropWidth;
        typeInto(crop->spinWidth(), 50);
        crop->resetButton()->click();
        QCOMPARE(crop->spinWidth()->value(), storedWidth);
        QCOMPARE(record->cropWidth, storedWidth);
    }

    void zoomComboFollowsTheRatioLock()
    {
        fillRegistry();
        openAt(1);
        VideoEditTabCrop *crop = m_dialog->cropTab();
        crop->keepRatioCheck()->setChecked(false);
        QVERIFY(!crop->zoomCombo()->isEnabled());
        crop->keepRatioCheck()->setChecked(true);
        QVERIFY(crop->zoomCombo()->isEnabled());
        QVERIFY(m_dialog->selector()->geometry().keepRatio());
        crop->zoomCombo()->setCurrentIndex(crop->zoomCombo()->findText("4:3"));
        QCOMPARE(m_dialog->selector()->geometry().ratioWidth(), 4);
        const QRect r = m_dialog->selector()->geometry().selection();
        QVERIFY(qAbs(r.width() * 3 - r.height() * 4) <= 4);
        // The zoom item is stored without marking the crop as changed.
        crop->applyButton()->click();
        QCOMPARE(registry()->item(2)->zoomMode, 3);
    }

    void emptyListDoesNothing()
    {
        registry()->clear();
        m_dialog = std::make_unique<EditorDialog>(player());
        m_dialog->selectRow(0);
        m_dialog->show();
        QVERIFY(!m_dialog->currentRecord());
        m_dialog->mirrorHorButton()->click();
        m_dialog->cropTab()->applyButton()->click();
        m_dialog->effectTab()->resetButton()->click();
        m_dialog->startButton()->click();
        QVERIFY(m_dialog->startButton()->isChecked());
        QCOMPARE(player()->GetPlayStatus(), int(PLAY_STATUS_STOPPED));
    }

    void unplayableFileWarns()
    {
        const QString broken = TestMedia::tempDir() + "/broken.mp4";
        QVERIFY(TestMedia::makeClip(broken, 1, 320, 240));
        registry()->clear();
        registry()->addFiles({broken});
        QCOMPARE(registry()->videoFileCount(), 1);
        QFile::resize(broken, 100); // damaged after it was added
        m_dialog = std::make_unique<EditorDialog>(player());
        m_dialog->setMessageSink([this](const QString &t, const QString &x) { m_boxes << t + "|" + x; });
        m_dialog->selectRow(0);
        QCOMPARE(m_boxes, QStringList({"warnning|selected video file is not a valid video file."}));
        // The tabs are still loaded.
        QCOMPARE(m_dialog->cropTab()->record(), registry()->item(0));
    }

    // Not a check: shows the editor playing a clip with the crop handles, for
    // scripts/screenshot_editor (REELMAX_SHOWCASE_TAB picks the tab).
    void showcase()
    {
        const int seconds = qEnvironmentVariableIntValue("REELMAX_SHOWCASE_SECONDS");
        if (seconds <= 0)
            QSKIP("set REELMAX_SHOWCASE_SECONDS to show the editor");
        const QString clip = TestMedia::tempDir() + "/showcase.mp4";
        QVERIFY(TestMedia::makeClip(clip, 20, 1280, 720));
        registry()->clear();
        registry()->addFiles({clip, m_small, m_wide});
        m_dialog = std::make_unique<EditorDialog>(player());
        m_dialog->selectRow(0);
        const QString tab = qEnvironmentVariable("REELMAX_SHOWCASE_TAB", QStringLiteral("crop")).toLower();
        const QStringList names = {"effect", "crop", "subtitle", "watermark"};
        m_dialog->tabs()->setCurrentIndex(std::max<qsizetype>(0, names.indexOf(tab)));
        m_dialog->move(20, 20);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        QTRY_VERIFY_WITH_TIMEOUT(player()->GetCurrentPosition() >= 1000, 10000);
        if (tab == QLatin1String("crop")) {
            m_dialog->cropTab()->keepRatioCheck()->setChecked(false);
            m_dialog->selector()->setSelectedArea(QRect(200, 100, 800, 450));
        } else if (tab == QLatin1String("effect")) {
            m_dialog->effectTab()->sliderBrightness()->setValue(20);
            m_dialog->effectTab()->sliderSaturation()->setValue(60);
        } else if (tab == QLatin1String("subtitle")) {
            const QString srt = TestMedia::tempDir() + "/showcase.srt";
            QFile f(srt);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("1\n00:00:00,000 --> 00:00:30,000\nSubtitles from a file of your own\n");
            f.close();
            VideoEditTabSubtitle *subtitle = m_dialog->subtitleTab();
            subtitle->enableCheck()->setChecked(true);
            subtitle->useSubtitleFile(srt);
            subtitle->customizeCheck()->setChecked(true);
            subtitle->colorCombo()->setCurrentIndex(subtitle->colorCombo()->findText("yellow"));
        } else if (tab == QLatin1String("watermark")) {
            VideoEditTabWatermark *watermark = m_dialog->watermarkTab();
            watermark->enableCheck()->setChecked(true);
            watermark->textRadio()->setChecked(true);
            watermark->textField()->setText(QStringLiteral("Corvane Reelmax"));
            watermark->textMonitor()->checkText();
            watermark->sizeCombo()->setCurrentIndex(watermark->sizeCombo()->findText("72"));
            watermark->horSpaceSlider()->setValue(40);
            watermark->verSpaceSlider()->setValue(30);
        }
        QTest::qWait(1000);
        QFile ready(qEnvironmentVariable("REELMAX_SHOWCASE_READY"));
        if (!ready.fileName().isEmpty())
            QVERIFY(ready.open(QIODevice::WriteOnly));
        QTest::qWait(seconds * 1000);
    }
};

QTEST_MAIN(TestEditorDialog)
#include "tst_editordialog.moc"
