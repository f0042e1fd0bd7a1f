#pragma once

#include "core/media/mediasummary.h"
#include "core/media/videobasicinfo.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class MainWindow;
class QSystemTrayIcon;
class QMenu;
class QWidget;
class VideoPlayerWidget;

// Carries out the commands of the menu bar, the tool bar and the list's
// context menu, and owns the tray icon.  The slots are thin: they pick the
// selected row, run a dialog, or call the registry or the configuration.
class CEventHandler : public QObject {
    Q_OBJECT
public:
    explicit CEventHandler(MainWindow *mainWindow);
    ~CEventHandler() override;

    QSystemTrayIcon *trayIconObject() const { return trayIcon; }

    // The open-file dialog's filter, "All Supported Formats" first.
    static QString openFileFilter();
    // Files (not folders) directly inside dir, by name ignoring case.
    static QStringList filesOfFolder(const QString &dir);
    // A sample rate for people: "48 kHz", "44.1 kHz", "8000 Hz" below 1 kHz.
    static QString sampleRateText(int hz);
    // The text of the file information dialog.
    static QString fileInfoText(const VideoBasicInfo &info, const MediaSummary &summary);
    // A page of the product's web site for the interface language.
    static QString webPageUrl(const QString &language, const QString &page);

    // Where information boxes go (a box without parent by default; tests catch them).
    using MessageSink = std::function<void(const QString &title, const QString &text)>;
    void setMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }

public slots:
    void onMenuFileAddFile();
    void onMenuFileAddFolder();
    void onMenuFileDownload();
    void onMenuFileFileProperty();
    void onCloseMainWindow();
    void onShowWindow();
    void onExitApp();
    void onMenuEditDuplicate();
    void onMenuEditTrim();
    void onMenuEditVideoEdit();
    void onMenuEditRemove();
    void onMenuEditClearAll();
    void onMenuEditRename();
    void onMenuEditMerge(bool bChecked = false);
    void onMenuToolSettings();
    void onMenuToolOpenOutputDir();
    void onMenuHelpOnLineHelp();
    void onMenuHelpSupport();
    void onMenuHelpAbout();
    void onMenuHelpCheckUpdate();
    void onMenuHelpProductPage();
    void onSnapshot();
    void onOpenSnapshotFolder();
    void onChangeSnapshotFolder();
    void onSnapshotFormatJpeg();
    void onSnapshotFormatBmp();
    void onMenuVideoMoveUp();
    void onMenuVideoMoveDown();
    void onMenuActionConvertAll();

private:
    int currentRow() const;
    void showMessage(const QString &title, const QString &text);
    void openPage(const QString &page);

    VideoPlayerWidget *playerPanel() const;

    QPointer<QWidget> mainWindow;
    MainWindow *m_window;
    QSystemTrayIcon *trayIcon = nullptr;
    QMenu *m_trayMenu = nullptr;
    MessageSink m_messageSink;
};
