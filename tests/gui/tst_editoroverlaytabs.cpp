// The editor's Subtitle and Watermark tabs: load, enabling rules, the
// slider/spin pairs, the colour and size rules, what reaches the preview
// filters, and Apply.

#include "common/testmedia.h"
#include "core/media/videoinfomanager.h"
#include "core/platform/fontscan.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/common/lineeditmonitor.h"
#include "gui/common/lineeditwithpushbutton.h"
#include "gui/editor/editorcolorcombo.h"
#include "gui/editor/editordialog.h"
#include "gui/editor/videoedittabsubtitle.h"
#include "gui/editor/videoedittabwatermark.h"
#include "gui/support/recordingfiltertarget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <memory>

class TestEditorOverlayTabs : public QObject {
    Q_OBJECT
    QString m_dir, m_clip, m_srt, m_logo, m_wideLogo;
    CffmpegPlayer m_player; // the preview plays here; its filters go to m_rec
    std::unique_ptr<EditorDialog> m_dialog;
    RecordingFilterTarget m_rec;
    QStringList m_boxes;

    VideoInfoManager *registry() { return VideoInfoManager::instance(); }
    VideoInfo *record() { return registry()->item(0); }
    VideoEditTabSubtitle *subtitle() { return m_dialog->subtitleTab(); }
    VideoEditTabWatermark *watermark() { return m_dialog->watermarkTab(); }

    // A dialog on the 1280 x 720 clip whose preview calls are recorded.
    void open()
    {
        m_dialog = std::make_unique<EditorDialog>(&m_player);
        m_dialog->setMessageSink([this](const QString &t, const QString &x) { m_boxes << t + "|" + x; });
        m_dialog->setFilterTarget(&m_rec);
        m_dialog->selectRow(0);
        m_rec.states.clear();
    }
    void reload()
    {
        subtitle()->setRecord(record());
        watermark()->setRecord(record());
        m_rec.states.clear();
    }

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        m_clip = m_dir + "/clip.mp4";
        QVERIFY(TestMedia::makeClip(m_clip, 1, 1280, 720));
        m_srt = m_dir + "/cue.srt";
        QFile srt(m_srt);
        QVERIFY(srt.open(QIODevice::WriteOnly));
        srt.write("1\n00:00:01,000 --> 00:00:02,000\nHELLO\n");
        srt.close();
        m_logo = m_dir + "/logo.png";
        QImage logo(200, 100, QImage::Format_ARGB32);
        logo.fill(Qt::red);
        QVERIFY(logo.save(m_logo));
        m_wideLogo = m_dir + "/wide logo.png";
        QImage wide(1920, 200, QImage::Format_ARGB32);
        wide.fill(Qt::blue);
        QVERIFY(wide.save(m_wideLogo));
    }

    void init()
    {
        registry()->clear();
        registry()->addFiles({m_clip});
        QCOMPARE(registry()->videoFileCount(), 1);
        m_boxes.clear();
        open();
    }

    void cleanup()
    {
        m_dialog.reset();
        registry()->clear();
        EditorColorCombo::setColorChooser({});
    }

    void controlsAndFontList()
    {
        QCOMPARE(subtitle()->colorCombo()->count(), 9);
        QCOMPARE(subtitle()->colorCombo()->itemText(0), QStringLiteral("white"));
        QCOMPARE(subtitle()->colorCombo()->itemText(8), QStringLiteral("Customize"));
        QCOMPARE(subtitle()->colorCombo()->colorAt(8), QColor(0, 0, 0));
        QCOMPARE(subtitle()->sizeCombo()->count(), 15);
        QCOMPARE(subtitle()->styleCombo()->itemData(2).toInt(), 2);
        // The fonts are the scanned families, in both tabs.
        const QStringList families = scannedFontFamilies();
        QVERIFY(!families.isEmpty());
        QCOMPARE(subtitle()->fontCombo()->count(), families.size());
        QCOMPARE(watermark()->fontCombo()->itemText(0), families.first());
        // A record naming a family that is not installed shows a plain sans face.
        QVERIFY2(subtitle()->fontCombo()->currentText().contains("Sans"),
                 qPrintable(subtitle()->fontCombo()->currentText()));
    }

    void subtitleEnablingRules()
    {
        QVERIFY(!subtitle()->enableCheck()->isChecked());
        QVERIFY(!subtitle()->pathField()->isEnabled());
        QVERIFY(!subtitle()->customizeCheck()->isEnabled());
        subtitle()->enableCheck()->setChecked(true);
        QVERIFY(subtitle()->pathField()->isEnabled());
        QVERIFY(subtitle()->customizeCheck()->isEnabled());
        QVERIFY(!subtitle()->fontCombo()->isEnabled());
        subtitle()->customizeCheck()->setChecked(true);
        QVERIFY(subtitle()->fontCombo()->isEnabled());
        QVERIFY(subtitle()->transparencySlider()->isEnabled());
        // An empty path sends nothing, whatever is switched.
        subtitle()->enableCheck()->setChecked(false);
        QVERIFY(!subtitle()->fontCombo()->isEnabled());
        QVERIFY(m_rec.states.isEmpty());
    }

    void typingInAPathFieldDoesNothing()
    {
        subtitle()->enableCheck()->setChecked(true);
        QTest::keyClicks(subtitle()->pathField()->lineEdit(), "abc.srt");
        QCOMPARE(subtitle()->path(), QString());
        watermark()->enableCheck()->setChecked(true);
        m_rec.states.clear();
        QTest::keyClicks(watermark()->pathField()->lineEdit(), "x.png");
        QCOMPARE(watermark()->pathField()->currentText(), QString());
        QVERIFY(m_rec.states.isEmpty());
    }

    void subtitleFileWithAwkwardNameReachesThePreview()
    {
        const QString awkward = m_dir + "/my subs: part 1, it's \\ done.srt";
        QVERIFY(QFile::copy(m_srt, awkward));
        subtitle()->enableCheck()->setChecked(true);
        subtitle()->useSubtitleFile(awkward);
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(!m_rec.states.isEmpty());
        QVERIFY(m_rec.states.last().subtitle);
        QCOMPARE(QString::fromStdString(m_rec.states.last().subtitleFile), awkward);
        QVERIFY(!m_rec.states.last().subtitleCustomStyle);
        subtitle()->applyButton()->click();
        QCOMPARE(record()->subtitleFile, awkward);
        QVERIFY(record()->subtitleEnabled);
        QVERIFY(record()->subtitleChanged);
    }

    void badSubtitleFileIsRefused()
    {
        subtitle()->enableCheck()->setChecked(true);
        subtitle()->useSubtitleFile(m_srt);
        QVERIFY(m_rec.states.last().subtitle);
        const QString bad = m_dir + "/not subtitles.srt";
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("this is no subtitle file\n\x01\x02\x03");
        f.close();
        // The field is already cleared when the message shows, so that the
        // preview, still running behind it, does not try the file again.
        QString pathDuringMessage = QStringLiteral("unset");
        m_dialog->setMessageSink([&](const QString &t, const QString &x) {
            m_boxes << t + "|" + x;
            pathDuringMessage = subtitle()->path();
            subtitle()->SetFilter(); // what the looping preview does meanwhile
        });
        subtitle()->useSubtitleFile(bad);
        QCOMPARE(m_boxes, QStringList({"Error|incorrect subtitle file!"}));
        QCOMPARE(pathDuringMessage, QString());
        QCOMPARE(subtitle()->path(), QString());
        QVERIFY(!subtitle()->enableCheck()->isChecked());
        // The subtitle shown before is gone from the preview as well.
        QVERIFY(!m_rec.states.last().subtitle);
    }

    void transparencyAndColourWords()
    {
        subtitle()->enableCheck()->setChecked(true);
        subtitle()->customizeCheck()->setChecked(true);
        subtitle()->useSubtitleFile(m_srt);
        // One change of a pair sends the filter once, and moves its twin.
        m_rec.states.clear();
        subtitle()->transparencySpin()->setValue(50);
        QCOMPARE(m_rec.states.size(), 1);
        QCOMPARE(subtitle()->transparencySlider()->value(), 50);
        subtitle()->horSpaceSlider()->setValue(30);
        QCOMPARE(m_rec.states.size(), 2);
        QCOMPARE(subtitle()->horSpaceSpin()->value(), 30);
        QCOMPARE(m_rec.states.last().subtitleHorSpace, 30);
        QCOMPARE(uint32_t(m_rec.states.last().subtitleColor) >> 24, 127u); // 50 % is alpha 127
        subtitle()->applyButton()->click();
        QCOMPARE(record()->subtitleAlpha, 127);

        subtitle()->transparencySpin()->setValue(100);
        subtitle()->colorCombo()->setCurrentIndex(subtitle()->colorCombo()->findText("red"));
        QCOMPARE(m_rec.states.last().subtitleColor, qint64(qint32(0xFF0000FFu)));
        subtitle()->colorCombo()->setCurrentIndex(subtitle()->colorCombo()->findText("blue"));
        QCOMPARE(m_rec.states.last().subtitleColor, qint64(qint32(0xFFFF0000u)));
        subtitle()->applyButton()->click();
        QCOMPARE(record()->subtitleColorName, QStringLiteral("#0000ff"));

        // The text watermark packs the other way round.
        watermark()->enableCheck()->setChecked(true);
        watermark()->textRadio()->setChecked(true);
        watermark()->textField()->setText("WM");
        watermark()->textMonitor()->checkText();
        watermark()->transparencySpin()->setValue(100);
        watermark()->colorCombo()->setCurrentIndex(watermark()->colorCombo()->findText("blue"));
        QCOMPARE(m_rec.states.last().textWatermarkColor, qint64(0x0000FFFF));
        QCOMPARE(QString::fromStdString(m_rec.states.last().textWatermarkText), QStringLiteral("WM"));
        QVERIFY(QFileInfo::exists(QString::fromStdString(m_rec.states.last().textWatermarkFontFile)));

        // A stored alpha of 255 shows 100 %.
        record()->watermarkAlpha = 255;
        reload();
        QCOMPARE(watermark()->transparencySpin()->value(), 100);
    }

    void applyWithNothingChangedLeavesTheSubtitleFlag()
    {
        // A record whose font is one of the installed families.
        record()->subtitleFontName = subtitle()->fontCombo()->itemText(1);
        reload();
        QCOMPARE(subtitle()->fontCombo()->currentIndex(), 1);
        subtitle()->applyButton()->click();
        QVERIFY(!record()->subtitleChanged);
        // The watermark stores everything on every Apply.
        watermark()->applyButton()->click();
        QVERIFY(record()->watermarkChanged);
    }

    void customColourIsChosenShownAndKept()
    {
        EditorColorCombo::setColorChooser([](const QColor &, QWidget *) { return QColor(10, 20, 30); });
        subtitle()->enableCheck()->setChecked(true);
        subtitle()->customizeCheck()->setChecked(true);
        subtitle()->useSubtitleFile(m_srt);
        EditorColorCombo *colours = subtitle()->colorCombo();
        colours->setCurrentIndex(colours->customIndex());
        subtitle()->onColorSelectionActivated(colours->customIndex());
        QCOMPARE(colours->currentColor(), QColor(10, 20, 30));
        QCOMPARE(uint32_t(m_rec.states.last().subtitleColor) & 0xFFFFFF, 0x1E140Au);
        subtitle()->applyButton()->click();
        QCOMPARE(record()->subtitleColorName, QStringLiteral("#0a141e"));
        // Loading the record again shows the colour in "Customize".
        colours->setCurrentIndex(0);
        colours->setCustomColor(Qt::black);
        reload();
        QCOMPARE(colours->currentIndex(), colours->customIndex());
        QCOMPARE(colours->currentColor(), QColor(10, 20, 30));
    }

    void imageWatermarkSizeAndPlace()
    {
        watermark()->enableCheck()->setChecked(true);
        QVERIFY(watermark()->imageRadio()->isChecked());
        QVERIFY(watermark()->pathField()->isEnabled());
        QVERIFY(!watermark()->textField()->isEnabled());
        QVERIFY(!watermark()->fontCombo()->isEnabled());
        // A logo wider than the video starts at half its width.
        QVERIFY(watermark()->useImageFile(m_wideLogo));
        QCOMPARE(watermark()->imageWidthSpin()->value(), 640);
        QCOMPARE(watermark()->imageHeightSpin()->value(), 200);
        QCOMPARE(QString::fromStdString(m_rec.states.last().imageWatermarkFile), m_wideLogo);
        // A file that is no picture changes nothing.
        QVERIFY(!watermark()->useImageFile(m_srt));
        QCOMPARE(watermark()->pathField()->currentText(), m_wideLogo);

        // 200 x 100 on 1280 x 720 with the horizontal space at 1200: x = 1070.
        record()->watermarkEnabled = true;
        record()->watermarkType = 0;
        record()->watermarkImage = m_logo;
        record()->watermarkImageWidth = 200;
        record()->watermarkImageHeight = 100;
        record()->watermarkHorSpace = 1200;
        record()->watermarkVerSpace = 40;
        subtitle()->setRecord(record());
        watermark()->setRecord(record());
        const FilterSettings f = m_rec.states.last();
        QVERIFY(f.imageWatermark && !f.textWatermark);
        QCOMPARE(f.imageWatermarkX, 1070);
        QCOMPARE(f.imageWatermarkY, 40);
        QCOMPARE(f.imageWatermarkWidth, 200);

        // Unchecking removes both watermark filters at once.
        m_rec.states.clear();
        watermark()->enableCheck()->setChecked(false);
        QCOMPARE(m_rec.states.size(), 1);
        QVERIFY(!m_rec.states.last().imageWatermark && !m_rec.states.last().textWatermark);
        QVERIFY(!watermark()->pathField()->isEnabled());
        QVERIFY(!watermark()->horSpaceSlider()->isEnabled());
    }

    void textWatermarkFollowsTheMonitorAndFallsBackToSans()
    {
        watermark()->enableCheck()->setChecked(true);
        watermark()->textRadio()->setChecked(true);
        // The text may go anywhere, though the image size fills the picture.
        QCOMPARE(watermark()->imageWidthSpin()->value(), 1280);
        QCOMPARE(watermark()->horSpaceSlider()->maximum(), 1280);
        QCOMPARE(watermark()->verSpaceSpin()->maximum(), 720);
        QVERIFY(watermark()->textField()->isEnabled());
        QVERIFY(!watermark()->pathField()->isEnabled());
        QVERIFY(watermark()->fontCombo()->isEnabled());
        m_rec.states.clear();
        // Keystrokes are not sent one by one: the monitor reports the text.
        QTest::keyClicks(watermark()->textField(), "Hello");
        QVERIFY(m_rec.states.isEmpty());
        watermark()->textMonitor()->checkText();
        QCOMPARE(QString::fromStdString(m_rec.states.last().textWatermarkText), QStringLiteral("Hello"));
        QVERIFY(!m_rec.states.last().imageWatermark);
        // A family without a font file of its own draws with the sans face.
        watermark()->fontCombo()->addItem(QStringLiteral("No Such Family 1234"));
        watermark()->fontCombo()->setCurrentIndex(watermark()->fontCombo()->count() - 1);
        QVERIFY(QFileInfo::exists(watermark()->fontFile()));
        watermark()->applyButton()->click();
        QCOMPARE(record()->watermarkType, 1);
        QCOMPARE(record()->watermarkText, QStringLiteral("Hello"));
    }

    void switchingFilesClearsTheOverlays()
    {
        subtitle()->enableCheck()->setChecked(true);
        subtitle()->useSubtitleFile(m_srt);
        QVERIFY(m_rec.states.last().subtitle);
        // Reselecting the file (nothing applied) starts from the record again.
        m_dialog->selectRow(0);
        m_dialog->listView()->clearSelection();
        m_dialog->selectRow(0);
        QVERIFY(!m_rec.states.last().subtitle);
        QCOMPARE(subtitle()->path(), QString());
    }
};

QTEST_MAIN(TestEditorOverlayTabs)
#include "tst_editoroverlaytabs.moc"
