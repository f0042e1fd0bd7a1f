#include "core/config/videouserconfig.h"
#include "core/profiles/profiledisplay.h"
#include "core/profiles/videoprofileuserconfig.h"
#include "gui/profiles/advanceddialog.h"
#include "gui/profiles/profileedit.h"
#include "gui/profiles/videoprofilemenuwidget.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace ProfileDisplay;

// The advanced profile dialog against a private copy of the shipped upc.xml.
class TestAdvancedDialog : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_upc;
    std::unique_ptr<AdvancedDialog> m_dialog;

    VideoProfileUserConfig *upc() { return VideoProfileUserConfig::getInstance(); }

    VideoProfileFormatUserConfig profile(const QString &category, const QString &id)
    {
        for (const VideoProfileFormatUserConfig &p : upc()->getFormats(category, true)) {
            if (p.getID() == id)
                return p;
        }
        return {};
    }

    QComboBox *combo(const char *name) { return m_dialog->findChild<QComboBox *>(QString::fromLatin1(name)); }
    QString text(const char *name) { return combo(name)->currentText(); }
    void choose(const char *name, const QString &item)
    {
        QComboBox *box = combo(name);
        const int index = box->findText(item);
        QVERIFY2(index >= 0, qPrintable(item));
        box->setCurrentIndex(index);
    }
    void clickOk() { QTest::mouseClick(m_dialog->findChild<QPushButton *>("btnOK"), Qt::LeftButton); }

    void open(const VideoProfileFormatUserConfig &p)
    {
        m_dialog = std::make_unique<AdvancedDialog>();
        m_dialog->setProfile(p);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    QByteArray upcBytes()
    {
        QFile f(m_upc);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_upc = m_dir.filePath(QStringLiteral("upc.xml"));
        qputenv("REELMAX_UPC", m_upc.toUtf8());
    }

    void init()
    {
        m_dialog.reset();
        QFile::remove(m_upc);
        QVERIFY(QFile::copy(VideoProfileUserConfig::shippedDefaultPath(), m_upc));
        QFile::setPermissions(m_upc, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(upc()->setConfigPath(m_upc));
        VideoUserConfig *store = VideoUserConfig::instance();
        store->setSplitMode(0);
        store->setSplitSize(0);
        store->setSplitTime(0);
    }

    void cleanup() { m_dialog.reset(); }

    void displayConversions_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("back");
        QTest::newRow("fps 29.97") << "fps"
                                   << "29970"
                                   << "29.97 fps"
                                   << "29970";
        QTest::newRow("fps 25") << "fps"
                                << "25000"
                                << "25 fps"
                                << "25000";
        QTest::newRow("fps 23.97") << "fps"
                                   << "23970"
                                   << "23.97 fps"
                                   << "23970";
        QTest::newRow("fps 12.5") << "fps"
                                  << "12500"
                                  << "12.5 fps"
                                  << "12500";
        QTest::newRow("fps below one") << "fps"
                                       << "500"
                                       << "0.5 fps"
                                       << "500";
        QTest::newRow("fps keep") << "fps"
                                  << "0"
                                  << "Keep original"
                                  << "0";
        QTest::newRow("video kbps") << "kbps"
                                    << "1200000"
                                    << "1200 kbps"
                                    << "1200000";
        QTest::newRow("audio kbps") << "kbps"
                                    << "128000"
                                    << "128 kbps"
                                    << "128000";
        QTest::newRow("Hz") << "Hz"
                            << "44100"
                            << "44100 Hz"
                            << "44100";
        QTest::newRow("mono") << "ch"
                              << "1"
                              << "1 Channel Mono"
                              << "1";
        QTest::newRow("stereo") << "ch"
                                << "2"
                                << "2 Channels Stereo"
                                << "2";
        QTest::newRow("six") << "ch"
                             << "6"
                             << "6 Channels"
                             << "6";
    }

    void displayConversions()
    {
        QFETCH(QString, kind);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, back);
        if (kind == "fps") {
            QCOMPARE(frameRateToDisplay(stored), shown);
            QCOMPARE(frameRateFromDisplay(shown), back);
        } else if (kind == "kbps") {
            QCOMPARE(bitrateToDisplay(stored), shown);
            QCOMPARE(bitrateFromDisplay(shown), back);
        } else if (kind == "Hz") {
            QCOMPARE(sampleRateToDisplay(stored), shown);
            QCOMPARE(sampleRateFromDisplay(shown), back);
        } else {
            QCOMPARE(channelsToDisplay(stored), shown);
            QCOMPARE(channelsFromDisplay(shown), back);
        }
    }

    void irregularListItems()
    {
        // Items as some profiles write them.
        QCOMPARE(bitrateFromDisplay("15000kbps"), QStringLiteral("15000000"));
        QCOMPARE(bitrateFromDisplay("2000 Kbps"), QStringLiteral("2000000"));
        QCOMPARE(channelsFromDisplay("2 Channel Mono"), QStringLiteral("2"));
        QCOMPARE(frameRateFromDisplay("Keep Original"), QStringLiteral("0"));
        // An empty list leaves empty text, which reads as 0.
        QCOMPARE(frameRateFromDisplay(QString()), QStringLiteral("0"));
        QCOMPARE(bitrateFromDisplay(QString()), QStringLiteral("0"));
        QCOMPARE(resolutionToDisplay(QSize(0, 0)), QStringLiteral("Keep Original"));
        QCOMPARE(resolutionToDisplay(QSize(640, 480)), QStringLiteral("640*480"));
        QCOMPARE(resolutionFromDisplay("Keep Original"), QStringLiteral("0*0"));
        QCOMPARE(resolutionFromDisplay("640*480"), QStringLiteral("640*480"));
        QCOMPARE(resolutionChoices({"320*240"}), QStringList({"Keep Original", "320*240"}));
        QCOMPARE(resolutionChoices({"320*240", "Keep Original"}), QStringList({"320*240", "Keep Original"}));
        QCOMPARE(choiceIndex({"200", "640"}, "150"), 0);
        QCOMPARE(choiceIndex({"200", "640"}, "640"), 1);
    }

    void formShowsTheProfile()
    {
        VideoProfileFormatUserConfig asf = profile("Common Video", "1000");
        QVERIFY(asf.isValid());
        open(asf);
        QCOMPARE(m_dialog->findChild<ProfileEdit *>("profileEdit")->text(), QStringLiteral("ASF"));
        QCOMPARE(text("videoEncoder"), asf.getVideoEncoder());
        QCOMPARE(text("videoResolution"), resolutionToDisplay(asf.getResolution()));
        QCOMPARE(text("videoBitrate"), bitrateToDisplay(asf.getVideoBitrate()));
        QCOMPARE(text("audioEncoder"), asf.getAudioEncoder());
        QCOMPARE(text("audioSampleRate"), sampleRateToDisplay(asf.getSampleRate()));
        QCOMPARE(text("audioChannel"), channelsToDisplay(asf.getChannels()));
        QCOMPARE(text("audioBitrate"), bitrateToDisplay(asf.getAudioBitrate()));
        QCOMPARE(combo("cbSplitSize")->count(), 7);
        QCOMPARE(combo("cbSplitTime")->count(), 1);
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Dialog"));
    }

    void frameRateRoundTrip()
    {
        VideoProfileFormatUserConfig asf = profile("Common Video", "1000");
        asf.setFrameRate("0");
        open(asf);
        // Stored "0" shows the list's "Keep original".
        QCOMPARE(text("videoFrameRate"), QStringLiteral("Keep original"));
        choose("videoFrameRate", "29.97 fps");
        clickOk();
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QCOMPARE(asf.getFrameRate(), QStringLiteral("29970"));
        m_dialog->show();
        QCOMPARE(text("videoFrameRate"), QStringLiteral("29.97 fps"));
        choose("videoFrameRate", "Keep original");
        clickOk();
        QCOMPARE(asf.getFrameRate(), QStringLiteral("0"));

        // Without "Keep original" in its list, a stored "0" shows the first rate.
        VideoProfileFormatUserConfig classic = profile("Apple", "1802");
        classic.setFrameRate("0");
        m_dialog->profileChange(classic);
        QCOMPARE(text("videoFrameRate"), classic.getFrameRateList().value(0));
    }

    void keepOriginalResolution()
    {
        VideoProfileFormatUserConfig asf = profile("Common Video", "1000");
        asf.setResolution("0*0");
        open(asf);
        QCOMPARE(combo("videoResolution")->itemText(0), QStringLiteral("Keep Original"));
        QCOMPARE(text("videoResolution"), QStringLiteral("Keep Original"));
        choose("videoResolution", "720*480");
        clickOk();
        QCOMPARE(asf.getResolution(), QSize(720, 480));
        m_dialog->show();
        QCOMPARE(text("videoResolution"), QStringLiteral("720*480"));
        choose("videoResolution", "Keep Original");
        clickOk();
        QCOMPARE(asf.getResolution(), QSize(0, 0));
    }

    void channelsAndRates()
    {
        VideoProfileFormatUserConfig asf = profile("Common Video", "1000");
        asf.setChannels("6");
        open(asf);
        // "6 Channels" is not in ASF's list: the first item shows.
        QCOMPARE(text("audioChannel"), asf.getChannelList().value(0));
        // A list that has it selects it.
        QComboBox *channels = combo("audioChannel");
        channels->addItem("6 Channels");
        channels->setCurrentIndex(channels->count() - 1);
        choose("audioSampleRate", "48000 Hz");
        choose("audioBitrate", "192 kbps");
        choose("videoBitrate", "2500 kbps");
        clickOk();
        QCOMPARE(asf.getChannels(), QStringLiteral("6"));
        QCOMPARE(asf.getSampleRate(), QStringLiteral("48000"));
        QCOMPARE(asf.getAudioBitrate(), QStringLiteral("192000"));
        QCOMPARE(asf.getVideoBitrate(), QStringLiteral("2500000"));
        // The overrides are in the file, not only in memory.
        const QByteArray bytes = upcBytes();
        QVERIFY(bytes.contains("channels=\"6\""));
        QVERIFY(bytes.contains("videoBitrate=\"2500000\""));
    }

    void splitSettings()
    {
        VideoUserConfig *store = VideoUserConfig::instance();
        store->setSplitMode(1);
        store->setSplitSize(150);
        store->setSplitTime(60);
        open(profile("Common Video", "1000"));
        auto *split = m_dialog->findChild<QGroupBox *>("chkEnableSplit");
        auto *bySize = m_dialog->findChild<QRadioButton *>("radioSplitSize");
        auto *byTime = m_dialog->findChild<QRadioButton *>("radioSplitTime");
        QVERIFY(split->isChecked());
        QVERIFY(bySize->isChecked());
        // Only listed lengths are selected.
        QCOMPARE(text("cbSplitSize"), QStringLiteral("200"));
        QCOMPARE(text("cbSplitTime"), QStringLiteral("60"));

        byTime->setChecked(true);
        clickOk();
        QCOMPARE(store->splitMode(), 2);
        QCOMPARE(store->splitSize(), 200);
        QCOMPARE(store->splitTime(), 60);

        m_dialog->show();
        QVERIFY(byTime->isChecked());
        split->setChecked(false);
        clickOk();
        QCOMPARE(store->splitMode(), 0);

        // Splitting into pieces of no size is not stored as splitting.
        m_dialog->show();
        split->setChecked(true);
        bySize->setChecked(true);
        combo("cbSplitSize")->setEditText(QString());
        clickOk();
        QCOMPARE(store->splitMode(), 0);
    }

    void splitFieldsTakeNoZero()
    {
        open(profile("Common Video", "1000"));
        m_dialog->findChild<QGroupBox *>("chkEnableSplit")->setChecked(true);
        for (const char *name : {"cbSplitSize", "cbSplitTime"}) {
            QComboBox *box = combo(name);
            box->setFocus();
            box->setEditText(QString());
            QTest::keyClicks(box, "105");
            QCOMPARE(box->currentText(), QStringLiteral("15"));
            QTest::keyClick(box, Qt::Key_Backspace);
            QCOMPARE(box->currentText(), QStringLiteral("1"));
            QTest::keyClicks(box, "a-0 9");
            QCOMPARE(box->currentText(), QStringLiteral("19"));
            QTest::keyClick(box, Qt::Key_Left);
            QTest::keyClick(box, Qt::Key_Delete);
            QCOMPARE(box->currentText(), QStringLiteral("1"));
        }
    }

    void defaultRestoresLastStoredValues()
    {
        VideoProfileFormatUserConfig asf = profile("Common Video", "1000");
        open(asf);
        choose("audioBitrate", "64 kbps");
        clickOk();
        m_dialog->show();
        choose("audioBitrate", "192 kbps");
        choose("videoResolution", "1920*1080");
        m_dialog->findChild<QGroupBox *>("chkEnableSplit")->setChecked(true);
        QTest::mouseClick(m_dialog->findChild<QPushButton *>("btnDefault"), Qt::LeftButton);
        QCOMPARE(text("audioBitrate"), QStringLiteral("64 kbps"));
        QCOMPARE(text("videoResolution"), resolutionToDisplay(asf.getResolution()));
        QVERIFY(!m_dialog->findChild<QGroupBox *>("chkEnableSplit")->isChecked());
        QCOMPARE(asf.getAudioBitrate(), QStringLiteral("64000"));
    }

    void cancelWritesNothing()
    {
        VideoUserConfig *store = VideoUserConfig::instance();
        open(profile("Common Video", "1000"));
        const QByteArray before = upcBytes();
        choose("audioBitrate", "64 kbps");
        m_dialog->findChild<QGroupBox *>("chkEnableSplit")->setChecked(true);
        QTest::mouseClick(m_dialog->findChild<QPushButton *>("btnCancel"), Qt::LeftButton);
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(upcBytes(), before);
        QCOMPARE(store->splitMode(), 0);

        m_dialog->show();
        choose("audioBitrate", "64 kbps");
        QTest::mouseClick(m_dialog->findChild<QPushButton *>("btnWinClose"), Qt::LeftButton);
        QCOMPARE(upcBytes(), before);
    }

    void audioProfileHasNoVideoChoices()
    {
        VideoProfileFormatUserConfig mp3 = profile("Common Audio", "1200");
        QVERIFY(mp3.isValid());
        open(mp3);
        QCOMPARE(combo("videoEncoder")->count(), 0);
        QCOMPARE(combo("videoFrameRate")->count(), 0);
        QCOMPARE(combo("videoResolution")->count(), 1);
        clickOk();
        QCOMPARE(mp3.getResolution(), QSize(0, 0));
        QCOMPARE(mp3.getFrameRate().toInt(), 0);
        QCOMPARE(mp3.getVideoBitrate().toInt(), 0);
        QCOMPARE(mp3.getAudioEncoder(), QStringLiteral("mp3"));
    }

    void followsTheCurrentProfile()
    {
        open(profile("Common Video", "1000"));
        VideoUserConfig::instance()->setCurrentProfile(profile("Common Audio", "1200"));
        QCOMPARE(m_dialog->getProfile().getID(), QStringLiteral("1200"));
        QCOMPARE(m_dialog->findChild<ProfileEdit *>("profileEdit")->text(), QStringLiteral("MP3"));
        QCOMPARE(combo("videoEncoder")->count(), 0);

        // The profile field opens the dialog's own menu.
        QTest::mouseClick(m_dialog->findChild<ProfileEdit *>("profileEdit"), Qt::LeftButton);
        QVERIFY(m_dialog->profileMenu()->isVisible());
        QCOMPARE(m_dialog->profileMenu()->pos(), m_dialog->pos() + QPoint(80, 70));

        // Its "Customize" asks for the customize dialog.
        QSignalSpy customize(m_dialog.get(), &AdvancedDialog::customizeRequested);
        QTest::mouseClick(m_dialog->profileMenu()->findChild<QPushButton *>("btnCustomize"), Qt::LeftButton);
        QCOMPARE(customize.count(), 1);
        QVERIFY(!m_dialog->profileMenu()->isVisible());

        // A profile chosen in that menu refills the form.
        m_dialog->popupProfileMenu();
        m_dialog->profileMenu()->changeCategory("Common Video");
        QListWidget *grid = m_dialog->profileMenu()->profileList();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0)).center());
        QCOMPARE(m_dialog->findChild<ProfileEdit *>("profileEdit")->text(), QStringLiteral("ASF"));
        QVERIFY(combo("videoEncoder")->count() > 0);
    }
};

QTEST_MAIN(TestAdvancedDialog)
#include "tst_advanceddialog.moc"
