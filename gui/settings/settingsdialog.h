#pragma once

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QUrl;
class QWidget;

// Edits the persisted settings: output, snapshot and temporary folders,
// snapshot format and interface language on "General"; the number of CPU
// cores and GPU encoding on "Processing".  Apply and OK store the tab that
// is shown, and only that tab; Cancel and the close button store nothing.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget *parent = nullptr);

    // One language item per translation code the locale system knows:
    // "%1 (%2)" with the native language and country names, and the code.
    static QList<QPair<QString, QString>> languageItems(const QStringList &codes);

    // Where information boxes, folder choices and opened folders go (a box
    // without parent, the folder dialog and the desktop by default; tests
    // catch them).
    using MessageSink = std::function<void(const QString &title, const QString &text)>;
    using FolderChooser = std::function<QString(const QString &caption, const QString &start)>;
    using UrlOpener = std::function<void(const QUrl &url)>;
    void setMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }
    void setFolderChooser(FolderChooser chooser) { m_folderChooser = std::move(chooser); }
    void setUrlOpener(UrlOpener opener) { m_urlOpener = std::move(opener); }

public slots:
    void onBtnBrowseOutputFolderClicked();
    void onBtnBrowseSnapshotFolderClicked();
    void onBtnBrowseTempFolderClicked();
    void onBtnOpenOutputFolderClicked();
    void onBtnOpenSnapshotFolderClicked();
    void onBtnApplyClicked();
    void onBtnResetDefaultClicked();
    void onBtnOKClicked();
    void onBtnCancelClicked();

private:
    void buildForm();
    QWidget *buildGeneralTab();
    QWidget *buildProcessingTab();
    void loadValues();
    void applyShownTab();
    void applyGeneral();
    void applyProcessing();
    void showMessage(const QString &title, const QString &text);
    QString chooseFolder(const QString &start);
    void openFolder(const QString &folder);

    QPushButton *btnWinClose = nullptr;
    QLabel *lbCaption = nullptr;
    QTabWidget *tabWidget = nullptr;
    QWidget *tabGeneral = nullptr;
    QWidget *tabProcessing = nullptr;
    QGroupBox *grpOutput = nullptr;
    QLineEdit *editOutputFolder = nullptr;
    QPushButton *btnBrowserOutputFolder = nullptr;
    QPushButton *btnOpenOutputFolder = nullptr;
    QGroupBox *grpSnapshot = nullptr;
    QLineEdit *editSnapshotFolder = nullptr;
    QPushButton *btnBrowseSnapshotFolder = nullptr;
    QPushButton *btnOpenSnapshotFolder = nullptr;
    QComboBox *cbSnapshotFormat = nullptr;
    QGroupBox *grpTempDirectory = nullptr;
    QLineEdit *editTempDirectory = nullptr;
    QPushButton *btnBrowseTempDirectory = nullptr;
    QComboBox *cbLanguage = nullptr;
    QComboBox *cbCpuCoreNumber = nullptr;
    QCheckBox *chkUseGPU = nullptr;
    QPushButton *btnResetDefault = nullptr;
    QPushButton *btnApply = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

    MessageSink m_messageSink;
    FolderChooser m_folderChooser;
    UrlOpener m_urlOpener;
};
