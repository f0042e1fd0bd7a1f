#pragma once

#include "core/media/videobasicinfo.h"

#include <QWidget>

#include <functional>
#include <memory>

class CEventHandler;
class CffmpegPlayer;
class LoadVideoFilesProgressDialog;
class QDialog;
class VideoListPopupMenu;
class VideoListWidget;
class VideoMenuBarWidget;
class VideoTitleBarWidget;
class VideoToolBarWidget;
class WidgetEnhancer;

// The program's only top-level window: a frameless, skinned window holding
// the title bar, menu bar, tool bar, media list, player panel and conversion
// panel.  It composes the panels; the command handler does the work.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The player the window's panels and dialogs play in; the window owns it.
    CffmpegPlayer *player() const { return m_player.get(); }
    WidgetEnhancer *enhancer() const { return m_enhancer; }
    CEventHandler *eventHandler() const { return m_eventHandler; }
    QWidget *playerWidget() const { return m_playerWidget; }
    VideoTitleBarWidget *titleBar() const { return m_titleBar; }
    VideoListWidget *listWidget() const { return m_listWidget; }
    VideoToolBarWidget *toolBar() const { return m_toolBar; }
    QWidget *convertWidget() const { return m_convertWidget; }
    VideoMenuBarWidget *menuBar() const { return m_menuBar; }
    QWidget *profileMenu() const { return m_profileMenu; }
    QDialog *customizeDialog() const { return m_customizeDialog; }
    VideoListPopupMenu *listPopupMenu() const { return m_listPopupMenu; }
    LoadVideoFilesProgressDialog *loadDialog() const { return m_loadDialog; }

    // Whether a conversion or merge runs (the conversion panel answers).
    bool isConverting() const;
    // Replaces the question "does a conversion or merge run?" (used by the
    // conversion panel's factory, and by tests).
    void setBusyCheck(std::function<bool()> check) { m_busyCheck = std::move(check); }
    // Replaces the question "may the window close?" (the conversion panel
    // asks the user while a run is going on).
    void setConfirmClose(std::function<bool()> confirm) { m_confirmClose = std::move(confirm); }
    // Stops a running conversion or merge and waits for it (before a quit
    // that does not ask).
    void stopRunningWork();
    // Plays a file in the player panel.
    void startPlay(const VideoBasicInfo &info);
    // "Convert All" of the conversion panel.
    void convertAll();
    // Adds files handed over by a later start of the program (or named on
    // its command line): the existing ones, as if dropped on the list, and
    // the media files of folders, except those the list already holds
    // (their row is selected).
    void addFiles(const QStringList &paths);
    // The conversion panel's output folder field.
    QString outputFolderText() const;

    void popupProfileMenu();
    void showProfileCustomizeDialog();

private slots:
    // The list's context menu "Play": the selected row plays.
    void onPlaySelected();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    // One factory per panel that another part of the program provides; each
    // sets the hooks the window needs from that panel.
    QWidget *createPlayerPanel();
    QWidget *createConvertPanel();
    QWidget *createProfileMenu();
    QDialog *createCustomizeDialog();
    void buildLayout();
    void connectCommands();
    void addFilesFromArguments();

    std::unique_ptr<CffmpegPlayer> m_player;
    WidgetEnhancer *m_enhancer = nullptr;
    CEventHandler *m_eventHandler = nullptr;
    QWidget *m_playerWidget = nullptr;
    VideoTitleBarWidget *m_titleBar = nullptr;
    VideoListWidget *m_listWidget = nullptr;
    VideoToolBarWidget *m_toolBar = nullptr;
    QWidget *m_convertWidget = nullptr;
    VideoMenuBarWidget *m_menuBar = nullptr;
    QWidget *m_bottomStrip = nullptr;
    QWidget *m_profileMenu = nullptr;
    QDialog *m_customizeDialog = nullptr;
    VideoListPopupMenu *m_listPopupMenu = nullptr;
    LoadVideoFilesProgressDialog *m_loadDialog = nullptr;

    // Hooks into the panels (empty while a panel is a placeholder).
    std::function<bool()> m_busyCheck;
    std::function<bool()> m_confirmClose;
    std::function<void()> m_stopWork;
    std::function<void()> m_convertAll;
    std::function<void(const VideoBasicInfo &)> m_play;
    std::function<qint64()> m_playerScreenId;
    std::function<QString()> m_outputFolder;
};
