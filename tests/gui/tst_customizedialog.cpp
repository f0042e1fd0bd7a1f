#include "core/profiles/videoprofileuserconfig.h"
#include "gui/profiles/customizedialog.h"
#include "gui/profiles/videoprofilemenuwidget.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

// The customize dialog against a private copy of the shipped upc.xml.
class TestCustomizeDialog : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_upc;
    std::unique_ptr<CustomizeDialog> m_dialog;
    QStringList m_messages;

    VideoProfileUserConfig *upc() { return VideoProfileUserConfig::getInstance(); }

    QTreeWidgetItem *category(const QString &title)
    {
        const QList<QTreeWidgetItem *> found = m_dialog->tree()->findItems(title, Qt::MatchExactly);
        return found.value(0);
    }

    // Sets the stored hide flag of the category's profiles: one flag per
    // profile, the last one repeated.
    void store(const QString &title, QList<bool> skip)
    {
        QList<VideoProfileFormatUserConfig> profiles = upc()->getFormats(title, true);
        for (int i = 0; i < profiles.size(); ++i)
            profiles[i].setSkip(skip.value(i, skip.last()));
    }

    QList<bool> stored(const QString &title)
    {
        QList<bool> flags;
        for (const VideoProfileFormatUserConfig &p : upc()->getFormats(title, true))
            flags.append(p.isSkip());
        return flags;
    }

    QByteArray upcBytes()
    {
        QFile f(m_upc);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void click(const char *name)
    {
        QTest::mouseClick(m_dialog->findChild<QPushButton *>(name), Qt::LeftButton);
    }

    void open()
    {
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
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
        store("DVD", {false});
        store("Apple", {false});
        store("HTC", {true});
        store("Common Audio", {false, true});
        m_dialog = std::make_unique<CustomizeDialog>();
        m_messages.clear();
        m_dialog->setMessageSink([this](const QString &title, const QString &text) {
            m_messages << title + QLatin1Char('|') + text;
        });
    }

    void cleanup() { m_dialog.reset(); }

    void treeHoldsEveryCatalogueCategory()
    {
        QTreeWidget *tree = m_dialog->tree();
        QVERIFY(tree->isHeaderHidden());
        QCOMPARE(m_dialog->width(), 450);
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Customize Profile"));
        int categories = 0;
        for (const char *group : {"DVDProfiles", "FormatsProfiles", "DeviceProfiles"})
            categories += int(upc()->getCategories(QString::fromLatin1(group), true).size());
        QCOMPARE(tree->topLevelItemCount(), categories);
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("DVD"));
        QVERIFY(!category("Recent"));
        QCOMPARE(category("Apple")->childCount(), 15);
        QCOMPARE(category("Apple")->child(4)->text(0), QStringLiteral("iPod classic"));
        // Hidden profiles are listed too.
        QCOMPARE(category("HTC")->childCount(), 21);
    }

    void checkStatesFollowTheStoredFlags()
    {
        open();
        QCOMPARE(category("Apple")->checkState(0), Qt::Checked);
        QCOMPARE(category("HTC")->checkState(0), Qt::Unchecked);
        QCOMPARE(category("Common Audio")->checkState(0), Qt::PartiallyChecked);
        QCOMPARE(category("Common Audio")->child(0)->checkState(0), Qt::Checked);
        QCOMPARE(category("Common Audio")->child(1)->checkState(0), Qt::Unchecked);
    }

    void clicksPropagate()
    {
        open();
        QTreeWidgetItem *apple = category("Apple");
        // A category toggles all its profiles.
        apple->setCheckState(0, Qt::Unchecked);
        for (int i = 0; i < apple->childCount(); ++i)
            QCOMPARE(apple->child(i)->checkState(0), Qt::Unchecked);
        // One of several profiles makes the category partial ...
        apple->child(3)->setCheckState(0, Qt::Checked);
        QCOMPARE(apple->checkState(0), Qt::PartiallyChecked);
        // ... and unchecking the last checked one unchecks the category.
        apple->child(3)->setCheckState(0, Qt::Unchecked);
        QCOMPARE(apple->checkState(0), Qt::Unchecked);
        // A partial category becomes checked when all its profiles are.
        QTreeWidgetItem *audio = category("Common Audio");
        for (int i = 0; i < audio->childCount(); ++i)
            audio->child(i)->setCheckState(0, Qt::Checked);
        QCOMPARE(audio->checkState(0), Qt::Checked);
        // The single profile of DVD decides the category alone.
        category("DVD")->child(0)->setCheckState(0, Qt::Unchecked);
        QCOMPARE(category("DVD")->checkState(0), Qt::Unchecked);
    }

    void keyboardTogglesPropagateToo()
    {
        open();
        QTreeWidget *tree = m_dialog->tree();
        tree->setFocus();
        tree->setCurrentItem(category("Apple"));
        QTest::keyClick(tree->viewport(), Qt::Key_Space);
        QCOMPARE(category("Apple")->checkState(0), Qt::Unchecked);
        QCOMPARE(category("Apple")->child(14)->checkState(0), Qt::Unchecked);
        category("Apple")->setExpanded(true);
        tree->setCurrentItem(category("Apple")->child(0));
        QTest::keyClick(tree->viewport(), Qt::Key_Space);
        QCOMPARE(category("Apple")->checkState(0), Qt::PartiallyChecked);
    }

    void checkAllThenCancelChangesNothing()
    {
        open();
        const QByteArray before = upcBytes();
        click("btnCheck");
        QVERIFY(category("HTC")->isExpanded());
        QCOMPARE(category("HTC")->checkState(0), Qt::Checked);
        QCOMPARE(category("HTC")->child(0)->checkState(0), Qt::Checked);
        click("btnCancel");
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QCOMPARE(upcBytes(), before);
        // Reopening shows the stored state again.
        open();
        QCOMPARE(category("HTC")->checkState(0), Qt::Unchecked);
        QCOMPARE(category("Common Audio")->checkState(0), Qt::PartiallyChecked);

        click("btnUncheck");
        QCOMPARE(category("Apple")->checkState(0), Qt::Unchecked);
        QCOMPARE(category("Apple")->child(0)->checkState(0), Qt::Unchecked);
        click("btnWinClose");
        QCOMPARE(upcBytes(), before);
    }

    void okStoresTheChoice()
    {
        open();
        category("HTC")->child(2)->setCheckState(0, Qt::Checked);
        category("Apple")->setCheckState(0, Qt::Unchecked);
        click("btnOK");
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QList<bool> htc(21, true);
        htc[2] = false;
        QCOMPARE(stored("HTC"), htc);
        QCOMPARE(stored("Apple"), QList<bool>(15, true));
        QCOMPARE(stored("Common Audio").mid(0, 2), QList<bool>({false, true}));
        // A category with every profile unchecked leaves the menu.
        QVERIFY(upc()->isCategoryHidden("Apple"));
        QVERIFY(!upc()->isCategoryHidden("HTC"));
        VideoProfileMenuWidget menu;
        menu.updateList();
        QVERIFY(menu.deviceList()->findItems("Apple", Qt::MatchExactly).isEmpty());
        QCOMPARE(menu.deviceList()->findItems("HTC", Qt::MatchExactly).size(), 1);

        // Everything unchecked would leave an empty menu: refused with a
        // message, nothing stored, the dialog still open.
        open();
        const QByteArray before = upcBytes();
        click("btnUncheck");
        click("btnOK");
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].startsWith("Warning|Please check at least one profile"),
                 qPrintable(m_messages[0]));
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(upcBytes(), before);
        QVERIFY(!upc()->getDVDCategories().isEmpty());
        menu.updateList();
        QVERIFY(menu.categoryButton("DVD")->isVisibleTo(&menu));
    }

    void survivesAnotherFileBeingLoaded()
    {
        // The tree keeps addresses of upc.xml entries; after a different file
        // is loaded they must not be followed blindly.
        const QString other = m_dir.filePath("other.xml");
        QFile f(other);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "<Config><UserProfiles><Category title=\"Recent\" icon=\"MenuRecent\"/></UserProfiles>"
            "<DVDProfiles><Category title=\"DVD\" icon=\"MenuBurnDVD\"><Format id=\"1023\" skip=\"true\"/>"
            "</Category></DVDProfiles></Config>");
        f.close();
        QVERIFY(upc()->setConfigPath(other));
        open();
        QCOMPARE(category("HTC")->checkState(0), Qt::Unchecked);
        click("btnCheck");
        click("btnOK");
        QVERIFY(upc()->getFormats("HTC", true).isEmpty());
        // After the owner's rebuild the tree shows the new file.
        m_dialog->updateList();
        QCOMPARE(m_dialog->tree()->topLevelItemCount(), 1);
        open();
        click("btnUncheck");
        click("btnOK"); // refused: a menu without any profile
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(stored("DVD"), QList<bool>({true})); // as the file has it
        click("btnCancel");
        open();
        click("btnCheck");
        click("btnOK");
        QCOMPARE(stored("DVD"), QList<bool>({false}));
    }
};

QTEST_MAIN(TestCustomizeDialog)
#include "tst_customizedialog.moc"
