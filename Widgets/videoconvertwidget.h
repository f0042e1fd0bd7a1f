#pragma once

#include "core/profiles/videoprofileformatuserconfig.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class AdvancedDialog;
class BrowseLineEdit;
class ProfileEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class VideoConvertWrapper;
class VideoMergeWrapper;

// The strip at the bottom of the main window: profile, output folder, the
// iTunes option, progress, and the button that starts or stops a run.  It
// owns the conversion and merge threads, polls them every 250 ms and reports
// how a run ended.
class VideoConvertWidget : public QWidget {
    Q_OBJECT
public:
    explicit VideoConvertWidget(QWidget *parent = nullptr);
    ~VideoConvertWidget() override;

    // True while the conversion or the merge thread runs.
    bool isBusy() const;
    // Asked before the main window closes: true when nothing runs, or when
    // the user agreed to stop the run (which is then stopped and waited for).
    bool confirmStop();
    // Stops whatever runs and waits for it, without asking or reporting.
    void stopAll();

    // Where the row a single conversion takes comes from (the media list's
    // first selected row, -1 for none).  Without it, the row whose file is
    // the selected file path is taken.
    void setSelectedRowSource(std::function<int()> source);

    QString lastOutputPath() const { return m_lastOutputPath; }
    // The folder the output field shows.
    QString outputFolderText() const;
    VideoConvertWrapper *convertThread() const { return m_convert.get(); }
    VideoMergeWrapper *mergeThread() const { return m_merge.get(); }

    // The finished fraction as a whole percentage (truncated, 0..100) and an
    // elapsed time as "hh:mm:ss".
    static int percentOf(double fraction);
    static QString elapsedText(qint64 ms);
    // Shows a progress fraction and an elapsed time in the bar and labels.
    void showProgress(double fraction, qint64 elapsedMs);

signals:
    // True when a run starts, false when it ends.
    void convertStatusChanged(bool running);
    // The profile field asks for the profile menu.  When nothing is
    // connected, the main window's popupProfileMenu() is called instead.
    void profileMenuRequested();
    // The "Open" button: show the output folder.  When nothing is
    // connected, the main window's command handler is asked directly.
    void openOutputDirRequested();

public slots:
    void setProfileFormatName(QString name);
    void onCurrentProfileChanged(VideoProfileFormatUserConfig profile);
    void onBtnEditProfileClicked();
    void onBtnStartConvertClicked();
    void onBtnBrowseOutputPathClicked();
    void onBtnOutPhoneClicked(bool checked);
    void onTimerTick();
    void onConvertStarted();
    void onConvertFinished();
    void onConvertTerminated();
    void onMergeStarted();
    void onMergeFinished();
    void onMergeTerminated();

protected:
    // What the panel asks of the world; tests replace these.
    virtual VideoProfileFormatUserConfig currentProfile() const;
    // An information box without parent with one OK button.
    virtual void showMessage(const QString &title, const QString &text);
    // A Yes/No question, Yes being the default; true for Yes.
    virtual bool askYesNo(const QString &title, const QString &text);
    virtual void quitApplication();
    // True when the system accepted the request.
    virtual bool shutdownSystem();
    // The completion dialog of a DVD run; true when "Burn to Disc" was chosen.
    virtual bool runCompletedDialog(const QString &outputPath);
    // Burns the finished DVD file.
    virtual void burnDisc(const QString &outputPath);
    virtual QString chooseFolder(const QString &start);

    // The shared end of a run (status 2 finished, 3 stopped, 4 failed);
    // merge tells the two kinds apart.
    void finishRun(int status, bool merge);

private:
    void buildUi();
    void applyStyles();
    void connectThreads();
    void disconnectThreads();
    void startConvertJob(const VideoProfileFormatUserConfig &profile);
    void startMergeJob(const VideoProfileFormatUserConfig &profile);
    int selectedRow() const;
    void setRunning(bool running);
    bool runPostTaskAction(int status);

    ProfileEdit *profileEdit = nullptr;
    QPushButton *btnEditProfile = nullptr;
    BrowseLineEdit *editOutput = nullptr;
    QPushButton *btnBrowse = nullptr;
    QPushButton *btnOpen = nullptr;
    QPushButton *btnOutPhone = nullptr;
    QProgressBar *progressBar = nullptr;
    QLabel *lbPercent = nullptr;
    QLabel *lbElapsed = nullptr;
    QPushButton *btnStartConvert = nullptr;
    AdvancedDialog *m_advancedDialog = nullptr;
    QTimer m_timer;
    QElapsedTimer m_runClock;
    std::unique_ptr<VideoConvertWrapper> m_convert;
    std::unique_ptr<VideoMergeWrapper> m_merge;
    QString m_lastOutputPath;
    std::function<int()> m_selectedRowSource;
};
