// What a desktop user meets beyond the conversion itself: tool tips, no
// iTunes button without iTunes, "Convert All" in the menu and the panel, the
// aspect choice of the advanced dialog, favourites in the profile menu, and
// a customize dialog that refuses to hide every profile.

#include "core/config/videouserconfig.h"
#include "core/media/videoinfomanager.h"
#include "core/profiles/videoprofileuserconfig.h"
#include "engine/transcode/encodeinfo.h"
#include "gui/app/mainwindow.h"
#include "gui/profiles/advanceddialog.h"
#include "gui/profiles/customizedialog.h"
#include "gui/profiles/videoprofilemenuwidget.h"
#include "gui/widgets/videoconvertwidget.h"
#include "gui/widgets/videomenubarwidget.h"
#include "gui/widgets/videotoolbarwidget.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <tinyxml2.h>

#include <memory>

namespace {

class FakeLoadStep : public VideoLoadStep {
public:
    int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) override
    {
        for (const VideoBasicInfo &video : videos) {
            auto info = std::make_unique<VideoInfo>(video);
            info->probed = info->valid = true;
            info->msStart = 0;
            info->msEnd = 10000;
            loaded.push_back(std::move(info));
        }
        return 1;
    }

protected:
    void reportInvalid(const QString &, const QString &) override {}
};

} // namespace

class TestPolish : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_upc;
    FakeLoadStep m_fake;

    VideoProfileUserConfig *upc() { return VideoProfileUserConfig::getInstance(); }

    VideoProfileFormatUserConfig profileNamed(const QString &category, const QString &name)
    {
        for (const VideoProfileFormatUserConfig &p : upc()->getFormats(category, true))
            if (p.getName() == name)
                return p;
        return {};
    }

    QListWidgetItem *gridItem(VideoProfileMenuWidget &menu, const QString &category, const QString &name)
    {
        menu.changeCategory(category);
        for (int i = 0; i < menu.profileList()->count(); ++i)
            if (menu.profileList()->item(i)->text() == name)
                return menu.profileList()->item(i);
        return nullptr;
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
        QFile::remove(m_upc);
        QVERIFY(QFile::copy(VideoProfileUserConfig::shippedDefaultPath(), m_upc));
        QFile::setPermissions(m_upc, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(upc()->setConfigPath(m_upc));
        for (VideoProfileFormatUserConfig p : upc()->getFormats("Common Video", true))
            p.setSkip(false);
        VideoUserConfig::instance()->setCurrentProfile(profileNamed("Common Video", "MP4 Video"));
    }

    void mainWindowChrome()
    {
        MainWindow window;
        VideoInfoManager::instance()->setLoadStep(&m_fake);
        VideoInfoManager::instance()->clear();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        VideoToolBarWidget *tools = window.toolBar();
        for (QPushButton *b :
             {tools->btnAdd, tools->btnMore, tools->btnDownload, tools->btnDelete, tools->btnEffect,
              tools->btnClip, tools->btnMerge, tools->btnStart, tools->btnPause, tools->btnStop})
            QVERIFY2(!b->toolTip().isEmpty(), qPrintable(b->text()));
        auto *panel = qobject_cast<VideoConvertWidget *>(window.convertWidget());
        QVERIFY(panel);
        // There is no iTunes here: its button is not shown at all.
        QVERIFY(!panel->findChild<QPushButton *>("btnOutPhone")->isVisible());
        auto *convertAll = panel->findChild<QPushButton *>("btnConvertAll");
        QVERIFY(convertAll && convertAll->isVisible() && !convertAll->toolTip().isEmpty());
        QVERIFY(!panel->findChild<QPushButton *>("btnStartConvert")->toolTip().isEmpty());

        // "Convert All" in the Actions menu follows the list.
        QAction *action = window.menuBar()->actConvertAll;
        QCOMPARE(action->text(), QStringLiteral("Convert All"));
        QVERIFY(!action->isEnabled());
        VideoInfoManager::instance()->addFiles({QStringLiteral("/nonexistent/a.mp4")});
        QVERIFY(action->isEnabled());
        emit panel->convertStatusChanged(true);
        QVERIFY(!action->isEnabled());
        emit panel->convertStatusChanged(false);
        QVERIFY(action->isEnabled());
        VideoInfoManager::instance()->clear();
        QVERIFY(!action->isEnabled());
        VideoInfoManager::instance()->setLoadStep(nullptr);
    }

    void advancedDialogOffersTheAspect()
    {
        VideoProfileFormatUserConfig mp4 = profileNamed("Common Video", "MP4 Video");
        QVERIFY(mp4.isValid());
        AdvancedDialog dialog;
        dialog.setProfile(mp4);
        dialog.show();
        auto *aspect = dialog.findChild<QComboBox *>("cbAspect");
        QVERIFY(aspect);
        QCOMPARE(aspect->count(), 3);
        QCOMPARE(aspect->itemText(0), QStringLiteral("Fit with black bars"));
        QCOMPARE(aspect->itemText(1), QStringLiteral("Stretch"));
        QCOMPARE(aspect->itemText(2), QStringLiteral("Crop to fill"));
        QCOMPARE(aspect->currentIndex(), 0); // no stored value: fit
        QVERIFY(aspect->isEnabled());
        aspect->setCurrentIndex(2);
        QTest::mouseClick(dialog.findChild<QPushButton *>("btnOK"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(mp4.getAspectMode(), int(ENCODE_ASPECT_CROP));
        QVERIFY(upcBytes().contains("aspect=\"crop\""));
        // Shown again from what is stored; Cancel keeps it.
        dialog.show();
        QCOMPARE(aspect->currentIndex(), 2);
        aspect->setCurrentIndex(1);
        QTest::mouseClick(dialog.findChild<QPushButton *>("btnCancel"), Qt::LeftButton);
        QCOMPARE(mp4.getAspectMode(), int(ENCODE_ASPECT_CROP));

        // A sound-only profile has no picture to fit.
        const VideoProfileFormatUserConfig mp3 = profileNamed("Common Audio", "MP3");
        QVERIFY(mp3.isValid());
        dialog.setProfile(mp3);
        dialog.show();
        QVERIFY(!aspect->isEnabled());
    }

    void customizeRefusesAnEmptyMenu()
    {
        CustomizeDialog dialog;
        QStringList messages;
        dialog.setMessageSink(
            [&](const QString &title, const QString &text) { messages << title + "|" + text; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QByteArray before = upcBytes();
        QTest::mouseClick(dialog.findChild<QPushButton *>("btnUncheck"), Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QPushButton *>("btnOK"), Qt::LeftButton);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith("Warning|Please check at least one profile"),
                 qPrintable(messages[0]));
        QVERIFY(dialog.isVisible()); // still open for another choice
        QCOMPARE(upcBytes(), before);
        // One profile is enough.
        QTreeWidgetItem *first = dialog.tree()->topLevelItem(0)->child(0);
        first->setCheckState(0, Qt::Checked);
        QTest::mouseClick(dialog.findChild<QPushButton *>("btnOK"), Qt::LeftButton);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void favouritesFromTheProfileMenu()
    {
        VideoProfileMenuWidget menu;
        QVERIFY(menu.itemMenu());
        QCOMPARE(menu.addFavouriteAction()->text(), QStringLiteral("Add to Favourites"));
        QCOMPARE(menu.removeFavouriteAction()->text(), QStringLiteral("Remove from Favourites"));
        QVERIFY(upc()->getFormats("Favourites").isEmpty());
        QVERIFY(menu.addToFavourites(gridItem(menu, "Common Video", "MP4 Video")));
        QVERIFY(!menu.addToFavourites(gridItem(menu, "Common Video", "MP4 Video"))); // once
        QListWidgetItem *favourite = gridItem(menu, "Favourites", "MP4 Video");
        QVERIFY(favourite);
        QCOMPARE(menu.profileList()->count(), 1);
        QVERIFY(upcBytes().contains("<Category title=\"Favourites\""));

        // Chosen from "Favourites", then taken out of it: the profile in use
        // moves to the catalogue's entry and stays usable.
        menu.onProfileSelected(favourite);
        VideoUserConfig *config = VideoUserConfig::instance();
        QCOMPARE(QString(config->getCurrentProfile().getElement()->Parent()->ToElement()->Attribute("title")),
                 QStringLiteral("Favourites"));
        menu.show();
        QVERIFY(menu.removeFromFavourites(gridItem(menu, "Favourites", "MP4 Video")));
        QCOMPARE(menu.profileList()->count(), 0);
        const VideoProfileFormatUserConfig current = config->getCurrentProfile();
        QVERIFY(current.isValid());
        QCOMPARE(current.getName(), QStringLiteral("MP4 Video"));
        QCOMPARE(QString(current.getElement()->Parent()->ToElement()->Attribute("title")),
                 QStringLiteral("Common Video"));
    }
};

QTEST_MAIN(TestPolish)
#include "tst_polish.moc"
