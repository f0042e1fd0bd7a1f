#pragma once

#include "core/media/videobasicinfo.h"
#include "core/media/videoloadstep.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <memory>

class QLabel;
class QEventLoop;
class QProgressBar;
class QPushButton;
class ParallelVideoLoader;
struct VideoLoadOutcome;

// Probes the files being added while showing which one has loaded, and
// reports each file that cannot be used.  It is the registry's loading step
// in the program.  The probes run on worker threads; the window stays live,
// hands each record over (in the order of the list) as soon as it is ready,
// and Cancel ends the load with nothing added.
class LoadVideoFilesProgressDialog : public QDialog, public VideoLoadStep {
    Q_OBJECT
public:
    explicit LoadVideoFilesProgressDialog(QWidget *parent = nullptr);
    ~LoadVideoFilesProgressDialog() override;

    // The registry's entry points: loads videos and hands over the results.
    int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) override;
    int runProgressive(const QList<VideoBasicInfo> &videos, const Delivery &deliver) override;

    // The records of the last load, owned here until taken.
    const VideoInfoList &results() const { return m_results; }
    VideoInfoList takeResults();

    QLabel *lbLoading() const { return m_lbLoading; }
    QProgressBar *progressBar() const { return m_progressBar; }
    QPushButton *btnCancel() const { return m_btnCancel; }
    // Probing threads of a load (0: one per core).
    void setWorkerCount(int workers) { m_workers = workers; }

    using QDialog::exec;

public slots:
    int exec(QStringList filenames);
    int exec(QList<VideoBasicInfo> &list);
    void onBtnCancelClicked();

protected:
    void reportInvalid(const QString &path, const QString &reason) override;
    // Shows one error box; tests replace it.
    virtual void showError(const QString &title, const QString &text);
    // Escape and the window's close cancel the load.
    void reject() override;
    // The loader of one load (tests slow some files down).
    virtual std::unique_ptr<ParallelVideoLoader> makeLoader(int workers);

private:
    // Takes the outcomes that are ready and deals with them in list order.
    void onOutcomesReady();
    void handle(VideoLoadOutcome &outcome);
    void handOver();
    void finishLoad(int result);

    QLabel *m_lbLoading;
    QProgressBar *m_progressBar;
    QPushButton *m_btnCancel;
    VideoInfoList m_results;
    int m_workers = 0;

    // The load under way.
    bool m_running = false;
    bool m_handling = false; // onOutcomesReady() is on the stack (an error box may be open)
    ParallelVideoLoader *m_loader = nullptr;
    QEventLoop *m_loop = nullptr;
    const Delivery *m_deliver = nullptr;
    VideoInfoList m_pending; // ready, not yet handed over
    int m_index = 0;         // entries dealt with so far
    int m_total = 0;
    int m_result = -1;
};
