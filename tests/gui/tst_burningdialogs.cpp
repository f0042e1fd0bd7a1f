// The burning dialogs: the drive list, what Start hands over, and whole burns
// through the progress dialog to a disc image, a pseudo-drive, no drive at
// all, and a burn cancelled half-way.
#include "core/disc/dvdauthoring.h"
#include "engine/disc/dvdburner.h"
#include "gui/disc/burningdialog.h"
#include "gui/disc/burningprogressdlg.h"

#include "common/discmedia.h"
#include "common/testmedia.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>

namespace {

QList<DiscDrive> g_drives;

struct Message {
    QString title;
    QString text;
    QString details;
    bool dialogVisible = false;
    int createBar = -1;
    int burnBar = -1;
};

// Records its messages instead of showing boxes, and notes every bar value.
class RecordingProgressDlg : public BurningProgressDlg {
public:
    RecordingProgressDlg()
    {
        auto *create = findChild<QProgressBar *>("progressCreateISO");
        auto *burn = findChild<QProgressBar *>("progressBurnDisc");
        connect(create, &QProgressBar::valueChanged, this, [this](int v) { createValues << v; });
        connect(burn, &QProgressBar::valueChanged, this, [this](int v) { burnValues << v; });
        // However a test goes wrong, the dialog ends.
        QTimer::singleShot(240000, this, [this] { onBtnCancelClicked(); });
    }
    QList<Message> messages;
    QList<int> createValues;
    QList<int> burnValues;

    QPushButton *button(const char *name) { return findChild<QPushButton *>(name); }

    // After "burn success": wait for the thread to end, then press OK.
    void pressOkWhenDone()
    {
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [this, poll] {
            if (button("btnOK")->isEnabled() && !thread().isRunning()) {
                poll->stop();
                okPressedWhileVisible = isVisible();
                QTest::mouseClick(button("btnOK"), Qt::LeftButton);
            }
        });
        poll->start(20);
    }
    bool okPressedWhileVisible = false;

protected:
    void showMessage(const QString &title, const QString &text, const QString &details) override
    {
        messages << Message{title,
                            text,
                            details,
                            isVisible(),
                            findChild<QProgressBar *>("progressCreateISO")->value(),
                            findChild<QProgressBar *>("progressBurnDisc")->value()};
        if (text == QLatin1String("burn success"))
            pressOkWhenDone();
    }
};

class RecordingBurningDialog : public BurningDialog {
public:
    struct Call {
        QString filepath, cdRom, label;
        QVariant speed;
        bool hidden = false;
    };
    QList<Call> calls;
    QString imageAnswer;
    QString imageSuggestion;
    int imageQuestions = 0;

protected:
    QString chooseImagePath(const QString &suggestion) override
    {
        ++imageQuestions;
        imageSuggestion = suggestion;
        return imageAnswer;
    }
    void runProgress(const QString &filepath, const QString &cdRom, const QVariant &speed,
                     const QString &strLabel) override
    {
        calls << Call{filepath, cdRom, strLabel, speed, isHidden()};
    }
};

template <typename T> T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(name);
    if (!c)
        qWarning("no child %s", name);
    return c;
}

} // namespace

class TestBurningDialogs : public QObject {
    Q_OBJECT

private:
    QString m_dir;
    QString m_mpeg;

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        DvdAuthoring::setBaseFolderOverride(m_dir + "/base");
        QVERIFY(QDir().mkpath(m_dir + "/base"));
        m_mpeg = m_dir + "/film.mpg";
        QVERIFY(DiscMedia::makeDvdMpeg(m_mpeg, 6.0));
        BurningDialog::setDriveLister([] { return g_drives; });
    }

    void cleanupTestCase() { BurningDialog::setDriveLister({}); }

    void burningDialogTexts()
    {
        g_drives = {};
        BurningDialog dlg;
        dlg.setFilePath("/films/a film.mpg");
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Dialog"));
        QVERIFY(dlg.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(child<QLabel>(&dlg, "label_5")->text(), QStringLiteral("Burn CD"));
        QCOMPARE(child<QPushButton>(&dlg, "btnRefresh")->text(), QStringLiteral("Refresh"));
        QCOMPARE(child<QLabel>(&dlg, "label_3")->text(), QStringLiteral("Speed:"));
        QCOMPARE(child<QLabel>(&dlg, "label_4")->text(), QStringLiteral("(CD 1X=176.4kb/sec)"));
        QCOMPARE(child<QLabel>(&dlg, "label_2")->text(), QStringLiteral("Disc Ladel:"));
        QCOMPARE(child<QLineEdit>(&dlg, "diskLabel")->text(), QStringLiteral("DISC(Video_DVD)"));
        QCOMPARE(child<QPushButton>(&dlg, "btnStart")->text(), QStringLiteral("Start Burning"));
        QCOMPARE(child<QPushButton>(&dlg, "btnClose")->text(), QStringLiteral("Close"));
        QVERIFY(child<QPushButton>(&dlg, "btnWinClose"));
        auto *speed = child<QComboBox>(&dlg, "cbspeed");
        QStringList speeds;
        for (int i = 0; i < speed->count(); ++i)
            speeds << speed->itemText(i);
        QCOMPARE(speeds, QStringList({"1", "2", "4", "8"}));
        auto *path = child<QLineEdit>(&dlg, "filepath");
        QCOMPARE(path->text(), QStringLiteral("/films/a film.mpg"));
        QVERIFY(!path->isEnabled());
        dlg.show();
        QCOMPARE(path->text(), QStringLiteral("/films/a film.mpg"));

        // Both close buttons reject.
        QTest::mouseClick(child<QPushButton>(&dlg, "btnWinClose"), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }

    void driveListIsRebuiltOnRefresh()
    {
        g_drives = {{"/dev/sr0", "HL-DT-ST DVDRAM GH24NSD1"}};
        BurningDialog dlg;
        auto *drives = child<QComboBox>(&dlg, "cbDriver");
        QCOMPARE(drives->count(), 2);
        QCOMPARE(drives->currentIndex(), 0);
        QCOMPARE(drives->itemText(0), QStringLiteral("/dev/sr0 (HL-DT-ST DVDRAM GH24NSD1)"));
        QCOMPARE(drives->itemData(0).toString(), QStringLiteral("/dev/sr0"));
        QCOMPARE(drives->itemText(1), QStringLiteral("DVD image file (.iso)…"));

        // A USB drive plugged in: the list is made anew, not appended to.
        g_drives << DiscDrive{"/dev/sr1", QString()};
        drives->setCurrentIndex(1);
        QTest::mouseClick(child<QPushButton>(&dlg, "btnRefresh"), Qt::LeftButton);
        QCOMPARE(drives->count(), 3);
        QCOMPARE(drives->currentIndex(), 0);
        QCOMPARE(drives->itemText(1), QStringLiteral("/dev/sr1"));
        QCOMPARE(drives->itemText(2), QStringLiteral("DVD image file (.iso)…"));

        // Without a drive only the image file remains.
        g_drives = {};
        dlg.onBtnRefreshClicked();
        QCOMPARE(drives->count(), 1);
        QCOMPARE(drives->itemData(0).toString(), BurningDialog::imageFileItemData());
    }

    void startHandsOverDriveAndLabelUnchanged()
    {
        g_drives = {{"/dev/sr0", "A"}, {"/dev/sr1", "B"}};
        RecordingBurningDialog dlg;
        dlg.setFilePath(m_mpeg);
        dlg.show();
        child<QComboBox>(&dlg, "cbDriver")->setCurrentIndex(1);
        child<QComboBox>(&dlg, "cbspeed")->setCurrentIndex(2);
        auto *label = child<QLineEdit>(&dlg, "diskLabel");
        label->clear();
        QTest::keyClicks(label, "  Our (holiday) & more ");
        QTest::mouseClick(child<QPushButton>(&dlg, "btnStart"), Qt::LeftButton);
        QCOMPARE(dlg.calls.size(), 1);
        const auto &call = dlg.calls.first();
        QCOMPARE(call.filepath, m_mpeg);
        QCOMPARE(call.cdRom, QStringLiteral("/dev/sr1")); // the device whole, no character cut
        QCOMPARE(call.label, QStringLiteral("  Our (holiday) & more "));
        QVERIFY(!call.speed.isValid()); // the speed items carry no data
        QVERIFY(call.hidden);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.imageQuestions, 0);

        // Labels longer than a disc can carry cannot be typed.
        QCOMPARE(label->maxLength(), 32);
    }

    void imageFileItemAsksForAPath()
    {
        g_drives = {};
        RecordingBurningDialog dlg;
        dlg.setFilePath(m_dir + "/clip.mpg");
        dlg.show();
        // Declined: nothing happens and the dialog stays.
        QTest::mouseClick(child<QPushButton>(&dlg, "btnStart"), Qt::LeftButton);
        QCOMPARE(dlg.imageQuestions, 1);
        QCOMPARE(dlg.imageSuggestion, m_dir + "/clip.iso");
        QVERIFY(dlg.calls.isEmpty());
        QVERIFY(dlg.isVisible());

        dlg.imageAnswer = m_dir + "/my disc";
        QTest::mouseClick(child<QPushButton>(&dlg, "btnStart"), Qt::LeftButton);
        QCOMPARE(dlg.calls.size(), 1);
        QCOMPARE(dlg.calls.first().cdRom, CDvdBurner::imageFileDrive(m_dir + "/my disc.iso"));
    }

    void progressDialogLayout()
    {
        BurningProgressDlg dlg;
        QCOMPARE(dlg.size(), QSize(378, 166));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("BurningProgressDlg"));
        QCOMPARE(child<QLabel>(&dlg, "label_3")->text(), QStringLiteral("Burnning In Progress"));
        QCOMPARE(child<QLabel>(&dlg, "label")->text(), QStringLiteral("Creating ISO:"));
        QCOMPARE(child<QLabel>(&dlg, "label_2")->text(), QStringLiteral("Burning To Disc:"));
        QCOMPARE(child<QPushButton>(&dlg, "btnOK")->text(), QStringLiteral("OK"));
        QCOMPARE(child<QPushButton>(&dlg, "btnCancel")->text(), QStringLiteral("Cancel"));
        QCOMPARE(child<QProgressBar>(&dlg, "progressCreateISO")->geometry(), QRect(120, 40, 241, 23));
        QCOMPARE(child<QProgressBar>(&dlg, "progressBurnDisc")->geometry(), QRect(120, 70, 241, 23));
        QCOMPARE(child<QPushButton>(&dlg, "btnClose")->geometry(), QRect(345, 3, 30, 21));
        // Never started: OK closes at once.
        dlg.show();
        QTest::mouseClick(child<QPushButton>(&dlg, "btnOK"), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }

    void burnToImageReportsSuccessAndStaysOpen()
    {
        const QString iso = m_dir + "/gui.iso";
        RecordingProgressDlg dlg;
        const int result = dlg.exec(m_mpeg, CDvdBurner::imageFileDrive(iso), QVariant(), "DISC(Video_DVD)");
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(dlg.messages.size(), 1);
        const Message &m = dlg.messages.first();
        QCOMPARE(m.title, QStringLiteral("Success"));
        QCOMPARE(m.text, QStringLiteral("burn success"));
        QCOMPARE(m.createBar, 100);
        QCOMPARE(m.burnBar, 100);
        QVERIFY(m.dialogVisible);
        QVERIFY(dlg.okPressedWhileVisible); // the dialog waited for OK
        QVERIFY(dlg.createValues.contains(100));
        QVERIFY(dlg.burnValues.contains(100));
        const auto listing = DiscMedia::listDvd(iso);
        QVERIFY2(listing.ok, qPrintable(listing.output));
        QCOMPARE(listing.titleSeconds.size(), 1);
        QVERIFY(qAbs(listing.titleSeconds[0] - 6.0) <= 0.5);
        // dvd.xml went to the disc folder, naming the file with its format.
        QFile xml(DvdAuthoring::dvdXmlPath(m_dir + "/base"));
        QVERIFY(xml.open(QIODevice::ReadOnly));
        const QByteArray text = xml.readAll();
        QVERIFY(text.contains("format=\"pal\""));
        QVERIFY(text.contains(m_mpeg.toUtf8()));
    }

    void burnToPseudoDrive()
    {
        const QString target = m_dir + "/drive.img";
        RecordingProgressDlg dlg;
        QCOMPARE(dlg.exec(m_mpeg, "stdio:" + target, QVariant(), "DISC(Video_DVD)"), int(QDialog::Accepted));
        QCOMPARE(dlg.messages.size(), 1);
        QCOMPARE(dlg.messages.first().text, QStringLiteral("burn success"));
        QVERIFY(DiscMedia::listDvd(target).ok);
    }

    void noDriveFails()
    {
        RecordingProgressDlg dlg;
        QCOMPARE(dlg.exec(m_mpeg, QString(), QVariant(), "DISC(Video_DVD)"), int(QDialog::Rejected));
        QCOMPARE(dlg.messages.size(), 1);
        QCOMPARE(dlg.messages.first().title, QStringLiteral("Error"));
        QCOMPARE(dlg.messages.first().text, QStringLiteral("burn Failed"));
        QCOMPARE(dlg.messages.first().details, QStringLiteral("No optical drive was chosen."));
        // The burner never moved, yet the finished run shows a full bar.
        QCOMPARE(dlg.messages.first().createBar, 100);
        QCOMPARE(dlg.messages.first().burnBar, 100);
        for (int v : dlg.burnValues)
            QVERIFY(v == 0 || v == 100);
        QVERIFY(!dlg.thread().isRunning());
    }

    void cancelHalfWayStopsTheTools()
    {
        const QString fifo = m_dir + "/stuck.mpg";
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        const QString xml = DvdAuthoring::dvdXmlPath(m_dir + "/base");
        RecordingProgressDlg dlg;
        bool cancelWasEnabled = false;
        bool okWasEnabled = true;
        auto *poll = new QTimer(&dlg);
        QElapsedTimer clock;
        connect(poll, &QTimer::timeout, &dlg, [&] {
            if (DiscMedia::processesMentioning(xml).isEmpty())
                return;
            poll->stop();
            cancelWasEnabled = dlg.button("btnCancel")->isEnabled();
            okWasEnabled = dlg.button("btnOK")->isEnabled();
            clock.start();
            QTest::mouseClick(dlg.button("btnCancel"), Qt::LeftButton);
        });
        poll->start(50);
        QCOMPARE(dlg.exec(fifo, "stdio:" + m_dir + "/cancelled.img", QVariant(), "L"),
                 int(QDialog::Rejected));
        QVERIFY(cancelWasEnabled);
        QVERIFY(!okWasEnabled);
        QVERIFY(clock.isValid() && clock.elapsed() < 30000);
        QVERIFY(!dlg.thread().isRunning());
        QVERIFY(dlg.messages.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(DiscMedia::processesMentioning(xml).isEmpty(), 10000);
        QVERIFY(!QFile::exists(m_dir + "/cancelled.img"));

        // The next burn, with a new dialog, starts afresh and succeeds.
        RecordingProgressDlg again;
        QCOMPARE(again.exec(m_mpeg, CDvdBurner::imageFileDrive(m_dir + "/after.iso"), QVariant(), "L"),
                 int(QDialog::Accepted));
        QCOMPARE(again.messages.value(0).text, QStringLiteral("burn success"));
    }
};

QTEST_MAIN(TestBurningDialogs)
#include "tst_burningdialogs.moc"
