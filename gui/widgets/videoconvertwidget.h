#pragma once

#include "core/jobs/conversionoutcome.h"
#include "core/profiles/videoprofileformatuserconfig.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <memory>

class AdvancedDialog;
class BrowseLineEdit;
class ConversionRun;
class ProfileEdit;
class QLabel;
class QProgressBar;
class QPushButton;

// The strip at the bottom of the main window: profile, output folder, the
// iTunes option, progress, and the button that starts or stops a run.  The
// run itself (checks, jobs, worker threads) is a ConversionRun; the panel
// polls its progress every 250 ms and shows how it ended.
class VideoConvertWidget : public QWidget {
    Q_OBJECT
public:
    explicit VideoConvertWidget(QWidget *parent = nullptr);
    ~VideoConvertWidget() override;

    // True while a conversion or a merge runs.
    bool isBusy() const;
    // Asked before the main window closes: true when nothing runs, or when
    // the user agreed to stop the run (which is then stopped and waited for,
    // and reported as aborted).
    bool confirmStop();
    // Stops whatever runs and waits for it, without asking or reporting.
    void stopAll();
    // "Convert All": every file of the list, each into its own output.
    void startConvertAll();

    QString lastOutputPath() const { return m_lastOutputPath; }
    // The folder the output field shows.
    QString outputFolderText() const;
    ConversionRun *conversionRun() const { return m_run.get(); }

    // The finished fraction as a whole percentage (truncated, 0..100) and an
    // elapsed time as "hh:mm:ss".
    static int percentOf(double fraction);
    static QString elapsedText(qint64 ms);
    // Shows a progress fraction and an elapsed time in the bar and labels.
    void showProgress(double fraction, qint64 elapsedMs);

signals:
    // True when a run starts, false when it ends.
    void convertStatusChanged(bool running);
    // The profile field asks for the profile menu.
    void profileMenuRequested();
    // The "Open" button: show the output folder (the command handler does).
    void openOutputDirRequested();
    // "Customize" in the profile menu of the edit-profile dialog.
    void profileCustomizeRequested();

public slots:
    void setProfileFormatName(QString name);
    void onCurrentProfileChanged(VideoProfileFormatUserConfig profile);
    void onBtnEditProfileClicked();
    void onBtnStartConvertClicked();
    void onBtnConvertAllClicked();
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
    // An information box without parent with one OK button; details (why
    // a run failed) are offered behind the box's details button.
    virtual void showMessage(const QString &title, const QString &text, const QString &details = QString());
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

    // The end of a run: the post-task action, or the report (message,
    // completion dialog, iTunes hand-over) and the progress it leaves.
    void showOutcome(const RunOutcome &outcome);

private:
    void buildUi();
    void applyStyles();
    void connectRun();
    void setRunning(bool running);
    // Which file is being converted (several at once in a Convert All run).
    void showCurrentFiles();
    bool carryOut(PostTaskAction action);

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
    QPushButton *btnConvertAll = nullptr;
    QLabel *lbCurrentFile = nullptr;
    AdvancedDialog *m_advancedDialog = nullptr;
    QTimer m_timer;
    QElapsedTimer m_runClock;
    std::unique_ptr<ConversionRun> m_run;
    QString m_lastOutputPath;
};
