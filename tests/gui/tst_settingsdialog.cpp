// The settings dialog: what Apply, OK, Cancel and Reset Default store, the
// folder checks, the language list and the restart message, and how the
// program opens the dialog.
#include "core/config/videouserconfig.h"
#include "gui/app/eventhandler.h"
#include "gui/app/mainwindow.h"
#include "gui/app/myapplication.h"
#include "gui/settings/settingsdialog.h"
#include "gui/widgets/videomenubarwidget.h"
#include "gui/widgets/videotitlebarwidget.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

#include <memory>

class TestSettingsDialog : public QObject {
    Q_OBJECT

    VideoUserConfig *config() { return VideoUserConfig::instance(); }
    QSettings &stored() { return config()->settings(); }

    std::unique_ptr<SettingsDialog> m_dialog;
    QStringList m_messages;
    QStringList m_choices; // caption|start of every folder dialog
    QList<QUrl> m_opened;
    QString m_chosen; // what the folder dialog answers
    std::unique_ptr<QTemporaryDir> m_dirs;

    template <typename T> T *child(const char *name)
    {
        T *widget = m_dialog->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no %s in the dialog", name);
        return widget;
    }
    QPushButton *button(const char *name) { return child<QPushButton>(name); }
    QLineEdit *edit(const char *name) { return child<QLineEdit>(name); }
    QComboBox *combo(const char *name) { return child<QComboBox>(name); }
    void showTab(const char *name)
    {
        auto *tabs = child<QTabWidget>("tabWidget");
        tabs->setCurrentWidget(child<QWidget>(name));
    }
    QString folder(const QString &name)
    {
        const QString path = m_dirs->path() + QLatin1Char('/') + name;
        QDir().mkpath(path);
        return path;
    }

    void openDialog()
    {
        m_dialog = std::make_unique<SettingsDialog>();
        m_dialog->setMessageSink([this](const QString &title, const QString &text) {
            m_messages << title + QLatin1Char('|') + text;
        });
        m_dialog->setFolderChooser([this](const QString &caption, const QString &start) {
            m_choices << caption + QLatin1Char('|') + start;
            return m_chosen;
        });
        m_dialog->setUrlOpener([this](const QUrl &url) { m_opened << url; });
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    // The keys of the General tab and the Processing tab, as stored now.
    QStringList storedValues()
    {
        QStringList values;
        for (const char *key : {"ConvertOutputFolder", "SnapShotDir", "SnapShotFormat", "TempFolder",
                                "language", "CpuCoreNumber", "UseGpu"})
            values << QStringLiteral("%1=%2").arg(key, stored().value(key).toString());
        return values;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(qEnvironmentVariableIsSet("REELMAX_TEST"));
        // The build ships these beside the program.
        for (const char *code : {"de", "en", "zh_CN"})
            QVERIFY2(QFile::exists(QCoreApplication::applicationDirPath() +
                                   QStringLiteral("/languages/videoconverter_%1.qm").arg(code)),
                     code);
    }

    void init()
    {
        stored().clear();
        m_dirs = std::make_unique<QTemporaryDir>();
        config()->setConvertOutputDirectory(folder("out"));
        config()->setSnapshotDirectory(folder("snap"));
        config()->setTempDirectory(folder("temp"));
        config()->setSnapshotFormat("jpg");
        config()->setLanguage("en");
        config()->setCpuCoreNumber(1);
        config()->setUseGpu(false);
        m_messages.clear();
        m_choices.clear();
        m_opened.clear();
        m_chosen.clear();
        openDialog();
    }

    void cleanup()
    {
        m_dialog.reset();
        stored().clear();
    }

    void formShowsTheStoredValues()
    {
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Dialog"));
        QVERIFY(m_dialog->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(child<QLabel>("lbCaption")->text(), QStringLiteral("Settings"));
        auto *tabs = child<QTabWidget>("tabWidget");
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QStringLiteral("General"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Processing"));
        QCOMPARE(edit("editOutputFolder")->text(), folder("out"));
        QCOMPARE(edit("editSnapshotFolder")->text(), folder("snap"));
        QCOMPARE(edit("editTempDirectory")->text(), folder("temp"));
        QCOMPARE(combo("cbSnapshotFormat")->count(), 2);
        QCOMPARE(combo("cbSnapshotFormat")->currentText(), QStringLiteral("jpg"));
        QCOMPARE(combo("cbLanguage")->currentData().toString(), QStringLiteral("en"));
        const QList<int> cores = config()->cpuCoreChoices();
        QCOMPARE(combo("cbCpuCoreNumber")->count(), cores.size());
        QCOMPARE(combo("cbCpuCoreNumber")->itemText(cores.size() - 1), QString::number(cores.last()));
        QCOMPARE(combo("cbCpuCoreNumber")->currentData().toInt(), 1);
        QVERIFY(!child<QCheckBox>("chkUseGPU")->isChecked());
    }

    void languageListShowsInstalledTranslationsByNativeName()
    {
        QComboBox *languages = combo("cbLanguage");
        QStringList items;
        for (int i = 0; i < languages->count(); ++i)
            items << languages->itemText(i) + QLatin1Char('=') + languages->itemData(i).toString();
        // In file-name order; each language in its own words.
        QCOMPARE(items, QStringList({QStringLiteral("Deutsch (Deutschland)=de"),
                                     QStringLiteral("American English (United States)=en"),
                                     QStringLiteral("简体中文 (中国)=zh_CN")}));
        // A file whose code names no language is left out.
        const auto made = SettingsDialog::languageItems({"xx", "de", "tlh", "zh_CN"});
        QCOMPARE(made.size(), 2);
        QCOMPARE(made[0].second, QStringLiteral("de"));
        QCOMPARE(made[1].second, QStringLiteral("zh_CN"));
    }

    void storedValuesOutsideTheListsShowTheFirstItem()
    {
        config()->setLanguage("fr");
        config()->setCpuCoreNumber(999);
        config()->setSnapshotFormat("bmp");
        stored().setValue("SnapShotFormat", "png");
        openDialog();
        QCOMPARE(combo("cbLanguage")->currentIndex(), 0);
        QCOMPARE(combo("cbCpuCoreNumber")->currentIndex(), 0);
        QCOMPARE(combo("cbSnapshotFormat")->currentText(), QStringLiteral("jpg"));
    }

    void formatOnlyAndOkStoresItWithoutAMessage()
    {
        combo("cbSnapshotFormat")->setCurrentText("bmp");
        button("btnOK")->click();
        QCOMPARE(config()->snapshotFormat(), QStringLiteral("bmp"));
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QVERIFY(!m_dialog->isVisible());
    }

    void languageChangeAsksForARestartOnce()
    {
        QComboBox *languages = combo("cbLanguage");
        languages->setCurrentIndex(languages->findData("de"));
        button("btnApply")->click();
        QCOMPARE(m_messages, QStringList{QStringLiteral("|Please restart application to apply settings.")});
        QCOMPARE(config()->language(), QStringLiteral("de"));
        QVERIFY(m_dialog->isVisible());
        // The stored language now matches: no second message.
        button("btnApply")->click();
        QCOMPARE(m_messages.size(), 1);
    }

    void missingFoldersAreNamedAndNothingIsStored_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message");
        QTest::newRow("output") << "editOutputFolder"
                                << "Error|Convert Output Directory not exist.";
        QTest::newRow("snapshot") << "editSnapshotFolder"
                                  << "Error|Snapshot Directory not exist.";
        QTest::newRow("temp") << "editTempDirectory"
                              << "Error|Temp Directory not exist.";
    }
    void missingFoldersAreNamedAndNothingIsStored()
    {
        QFETCH(QString, field);
        QFETCH(QString, message);
        const QStringList before = storedValues();
        // Every other General value changes too: none of them may be stored.
        for (const char *name : {"editOutputFolder", "editSnapshotFolder", "editTempDirectory"})
            edit(name)->setText(folder(QStringLiteral("new-") + QLatin1String(name)));
        combo("cbSnapshotFormat")->setCurrentText("bmp");
        combo("cbLanguage")->setCurrentIndex(combo("cbLanguage")->findData("zh_CN"));
        edit(field.toLatin1().constData())->setText(m_dirs->path() + "/no/such/folder");
        button("btnOK")->click();
        QCOMPARE(m_messages, QStringList{message});
        QCOMPARE(storedValues(), before);
        // OK closes the dialog even so.
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QVERIFY(!m_dialog->isVisible());
    }

    // A fresh home has no documents folder, the default snapshot folder: the
    // dialog makes it rather than refuse its own default.
    void missingDefaultSnapshotFolderIsMade()
    {
        const QString missing = m_dirs->path() + "/fresh/Documents";
        const QString xdgConfig = m_dirs->path() + "/xdg";
        QDir().mkpath(xdgConfig);
        QFile dirs(xdgConfig + "/user-dirs.dirs");
        QVERIFY(dirs.open(QIODevice::WriteOnly));
        dirs.write(QStringLiteral("XDG_DOCUMENTS_DIR=\"%1\"\n").arg(missing).toUtf8());
        dirs.close();
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", xdgConfig.toUtf8());
        const QString defaultSnapshots = config()->defaultSnapshotDirectory();
        stored().remove("SnapShotDir");
        openDialog();
        qputenv("XDG_CONFIG_HOME", oldConfig);
        QCOMPARE(defaultSnapshots, missing);
        QCOMPARE(edit("editSnapshotFolder")->text(), missing);
        qputenv("XDG_CONFIG_HOME", xdgConfig.toUtf8());
        button("btnOK")->click();
        qputenv("XDG_CONFIG_HOME", oldConfig);
        QVERIFY(m_messages.isEmpty());
        QVERIFY(QFileInfo(missing).isDir());
        QCOMPARE(stored().value("SnapShotDir").toString(), missing);
        // A folder the user typed is never made.
        openDialog();
        edit("editSnapshotFolder")->setText(m_dirs->path() + "/typed/Documents");
        button("btnOK")->click();
        QCOMPARE(m_messages, QStringList{"Error|Snapshot Directory not exist."});
        QVERIFY(!QFileInfo::exists(m_dirs->path() + "/typed"));
    }

    void foldersAreCheckedInOrder()
    {
        edit("editOutputFolder")->clear();
        edit("editTempDirectory")->setText("/no/such/temp");
        button("btnApply")->click();
        QCOMPARE(m_messages, QStringList{QStringLiteral("Error|Convert Output Directory not exist.")});
        // A relative name would depend on where the program was started.
        edit("editOutputFolder")->setText(QStringLiteral("."));
        button("btnApply")->click();
        QCOMPARE(m_messages.last(), QStringLiteral("Error|Convert Output Directory not exist."));
        edit("editOutputFolder")->setText(folder("out2"));
        button("btnApply")->click();
        QCOMPARE(m_messages.last(), QStringLiteral("Error|Temp Directory not exist."));
        QCOMPARE(config()->convertOutputDirectory(), folder("out"));
        edit("editTempDirectory")->setText(folder("temp2"));
        button("btnApply")->click();
        QCOMPARE(m_messages.size(), 3);
        QCOMPARE(config()->convertOutputDirectory(), folder("out2"));
        QCOMPARE(config()->tempDirectory(), folder("temp2"));
    }

    void onlyTheShownTabIsApplied()
    {
        // Cores changed on Processing, OK pressed on General: not stored.
        showTab("tabProcessing");
        combo("cbCpuCoreNumber")->setCurrentIndex(combo("cbCpuCoreNumber")->count() - 1);
        child<QCheckBox>("chkUseGPU")->setChecked(true);
        showTab("tabGeneral");
        combo("cbSnapshotFormat")->setCurrentText("bmp");
        button("btnOK")->click();
        QCOMPARE(config()->cpuCoreNumber(), 1);
        QCOMPARE(config()->useGpu(), false);
        QCOMPARE(config()->snapshotFormat(), QStringLiteral("bmp"));

        // And the other way round: General edits stay out of a Processing apply.
        openDialog();
        edit("editOutputFolder")->setText("/no/such/folder");
        combo("cbSnapshotFormat")->setCurrentText("jpg");
        showTab("tabProcessing");
        combo("cbCpuCoreNumber")->setCurrentIndex(combo("cbCpuCoreNumber")->count() - 1);
        child<QCheckBox>("chkUseGPU")->setChecked(true);
        button("btnApply")->click();
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(config()->cpuCoreNumber(), config()->cpuCoreChoices().last());
        QCOMPARE(config()->useGpu(), true);
        QCOMPARE(config()->processingOptions().threads, config()->cpuCoreChoices().last());
        QCOMPARE(config()->processingOptions().useGpu, true);
        QCOMPARE(config()->snapshotFormat(), QStringLiteral("bmp"));
        QCOMPARE(config()->convertOutputDirectory(), folder("out"));
    }

    void resetDefaultThenCancelStoresNothing()
    {
        config()->setLanguage("de");
        config()->setSnapshotFormat("bmp");
        config()->setUseGpu(true);
        openDialog();
        const QStringList before = storedValues();
        button("btnResetDefault")->click();
        // The widgets show the defaults...
        QCOMPARE(combo("cbLanguage")->currentData().toString(), QStringLiteral("en"));
        QCOMPARE(edit("editOutputFolder")->text(), config()->defaultConvertOutputDirectory());
        QCOMPARE(edit("editSnapshotFolder")->text(), config()->defaultSnapshotDirectory());
        QCOMPARE(edit("editTempDirectory")->text(), config()->defaultTempDirectory());
        QCOMPARE(combo("cbSnapshotFormat")->currentText(), QStringLiteral("jpg"));
        QCOMPARE(combo("cbCpuCoreNumber")->currentData().toInt(), config()->defaultCpuCoreNumber());
        QVERIFY(!child<QCheckBox>("chkUseGPU")->isChecked());
        // ...and nothing of them is stored.
        QCOMPARE(storedValues(), before);
        button("btnCancel")->click();
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QCOMPARE(storedValues(), before);
        QVERIFY(m_messages.isEmpty());
    }

    void closeButtonRejectsWithoutStoring()
    {
        const QStringList before = storedValues();
        combo("cbSnapshotFormat")->setCurrentText("bmp");
        button("btnWinClose")->click();
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(storedValues(), before);
    }

    void browseStartsAtTheStoredFolderAndOpenShowsIt()
    {
        edit("editOutputFolder")->setText("/typed/but/not/stored");
        m_chosen = folder("picked");
        button("btnBrowserOutputFolder")->click();
        QCOMPARE(m_choices.last(), "Browse Folder|" + folder("out"));
        QCOMPARE(edit("editOutputFolder")->text(), folder("picked"));
        // A cancelled folder dialog leaves the field alone.
        m_chosen.clear();
        button("btnBrowseSnapshotFolder")->click();
        QCOMPARE(m_choices.last(), "Browse Folder|" + folder("snap"));
        QCOMPARE(edit("editSnapshotFolder")->text(), folder("snap"));
        m_chosen = folder("picked-temp");
        button("btnBrowseTempDirectory")->click();
        QCOMPARE(m_choices.last(), "Browse Folder|" + folder("temp"));
        QCOMPARE(edit("editTempDirectory")->text(), folder("picked-temp"));
        // Open shows the stored folder, not the field's text.
        button("btnOpenOutputFolder")->click();
        button("btnOpenSnapshotFolder")->click();
        QCOMPARE(m_opened,
                 QList<QUrl>({QUrl::fromLocalFile(folder("out")), QUrl::fromLocalFile(folder("snap"))}));
        QVERIFY(storedValues().contains("ConvertOutputFolder=" + folder("out")));
    }

    // Tools > Settings and the title bar's gear open the dialog, modally.
    void menuAndTitleBarOpenTheDialog()
    {
        m_dialog.reset();
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int opened = 0;
        auto closeWhenOpen = [&opened] {
            QTimer::singleShot(0, [&opened] {
                auto *dialog = qobject_cast<SettingsDialog *>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                ++opened;
                dialog->findChild<QPushButton *>("btnCancel")->click();
            });
        };
        closeWhenOpen();
        window.menuBar()->actSettings->trigger();
        QCOMPARE(opened, 1);
        QPushButton *gear = nullptr;
        for (QPushButton *b : window.findChild<VideoTitleBarWidget *>()->findChildren<QPushButton *>())
            if (b->toolTip() == QStringLiteral("Settings"))
                gear = b;
        QVERIFY(gear);
        closeWhenOpen();
        gear->click();
        QCOMPARE(opened, 2);
    }

    // Started in German, the dialog speaks German.
    void translatedTexts()
    {
        QVERIFY(MyApplication::installTranslation("de"));
        openDialog();
        QCOMPARE(child<QLabel>("lbCaption")->text(), QStringLiteral("Einstellungen"));
        QCOMPARE(button("btnResetDefault")->text(), QStringLiteral("Standard wiederherstellen"));
        QCOMPARE(child<QCheckBox>("chkUseGPU")->text(), QStringLiteral("GPU-Kodierung verwenden"));
        combo("cbLanguage")->setCurrentIndex(combo("cbLanguage")->findData("zh_CN"));
        button("btnApply")->click();
        QCOMPARE(m_messages,
                 QStringList{"|Bitte starten Sie das Programm neu, damit die Einstellungen wirksam werden."});
        for (QTranslator *t : qApp->findChildren<QTranslator *>())
            QCoreApplication::removeTranslator(t);
    }

    // scripts/screenshot_settings: the dialog on a tab, in REELMAX_LANG.
    void showcase()
    {
        const int seconds = qEnvironmentVariableIntValue("REELMAX_SHOWCASE_SECONDS");
        if (seconds <= 0)
            QSKIP("set REELMAX_SHOWCASE_SECONDS to show the dialog");
        const QString language = qEnvironmentVariable("REELMAX_LANG", QStringLiteral("en"));
        MyApplication::installTranslation(language);
        openDialog();
        if (qEnvironmentVariable("REELMAX_SHOWCASE_TAB") == QLatin1String("processing"))
            showTab("tabProcessing");
        m_dialog->move(40, 40);
        QFile ready(qEnvironmentVariable("REELMAX_SHOWCASE_READY"));
        if (!ready.fileName().isEmpty())
            QVERIFY(ready.open(QIODevice::WriteOnly));
        QTest::qWait(seconds * 1000);
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
