#pragma once

#include "core/jobs/conversionoutcome.h"
#include "core/jobs/conversiontask.h"
#include "core/jobs/runsettings.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class VideoProfileFormatUserConfig;

// Runs conversion and merge jobs on worker threads of its own and reports
// how they ended.  Jobs wait in a queue and run in its order, at most
// concurrency() at a time; a failed job does not hold up the others.
// Progress is polled (progress()); every job's end is announced
// (jobFinished) and the run's end once, with the message for the user and
// the post-task action (finished).  The settings and the media entries a
// run works on are handed to it; it looks nothing up.  Stopping waits for the workers; destroying the run
// stops it without a report.  Lives on the thread that uses it (the GUI thread, or the command-line tool's
// main thread), which needs an event loop.
class ConversionRun : public QObject {
    Q_OBJECT
public:
    // Why a run did not start: the message box to show.
    struct Refusal {
        QString title;
        QString text;
        explicit operator bool() const { return !text.isEmpty(); }
    };
    enum class StopMode {
        Report, // the run's end is reported (from the event loop)
        Silent, // nothing is reported
    };

    explicit ConversionRun(QObject *parent = nullptr);
    ~ConversionRun() override;
    ConversionRun(const ConversionRun &) = delete;
    ConversionRun &operator=(const ConversionRun &) = delete;

    // The conversion panel's start: with a profile, files in the media list
    // (videos) and a usable output folder, queues and starts the conversion
    // of the selected row, or with merge on one job joining every row.
    Refusal startFromList(const VideoProfileFormatUserConfig &profile, const RunSettings &settings,
                          const QList<VideoInfo> &videos);
    // "Convert All": every file of the media list, in list order, each into
    // an output of its own, up to batchConcurrency() at once.
    Refusal startAllFromList(const VideoProfileFormatUserConfig &profile, const RunSettings &settings,
                             const QList<VideoInfo> &videos);
    // Conversions at once for a CPU-core setting: half of it, at least one.
    static int batchConcurrency(int cpuCores);
    // What each of jobsAtOnce conversions running side by side gets of the
    // user's processing settings: the chosen cores shared out among them
    // (at least one thread each; 0, as many as the machine has, stays 0).
    static ProcessingOptions batchProcessing(const ProcessingOptions &chosen, int jobsAtOnce);

    // At most this many jobs run at once (at least 1; 1 unless set).
    void setConcurrency(int jobs);
    // Threads and GPU use of the jobs addConversion() and addMerge() queue
    // from now on (as many threads as the machine has, no GPU, unless set).
    // startFromList() and startAllFromList() take them from the settings
    // they are handed instead.
    void setProcessing(const ProcessingOptions &options) { m_processing = options; }
    // Queues the conversion of one file into outputFolder, named after the
    // file and made unique among existing files and the queue's outputs.
    // Returns the output path.
    QString addConversion(const JobProfile &profile, const VideoInfo &source, const QString &outputFolder,
                          const QString &tempDir);
    // Queues one job joining the files in order, named after the first.
    QString addMerge(const JobProfile &profile, const std::vector<VideoInfo> &sources,
                     const QString &outputFolder, const QString &tempDir);
    void addTask(ConversionTask task);
    // The jobs of the queued or running run, or of the last one.
    int jobCount() const { return int(m_jobs.size()); }

    // Starts the queued jobs; false when a run is already going on or
    // nothing is queued.
    bool start();
    // Stops the running jobs, drops the waiting ones and waits for the
    // workers.  With Report, finished() follows from the event loop.
    void stop(StopMode mode = StopMode::Report);
    // True from start() until the last job's end (and false right after stop()).
    bool isRunning() const { return m_active; }
    // The kind of the run's first job.
    ConversionKind kind() const;
    // The finished fraction of the whole queue, 0..1 (jobs weighted by the
    // length of what they convert).
    double progress() const;
    // The input files of the jobs running now, in queue order.
    QStringList runningSources() const;
    // How many jobs of the current (or last) run have ended.
    int endedCount() const;
    const RunOutcome &lastOutcome() const { return m_lastOutcome; }

    // Where the post-task choice is read when a run ends (0 none, 1 exit,
    // 2 shut down; none unless set).
    void setPostTaskSource(std::function<int()> source);

    // The report for a run's end: title and text, and the post-task action
    // to carry out (only after a finished or failed run).
    static RunOutcome describe(TranscodeStatus status, ConversionKind kind, int postTaskSetting,
                               const QString &profileName = QString());
    // Why output cannot go into folder (which is created when missing);
    // empty when it can.
    static QString outputFolderProblem(const QString &folder);

signals:
    // The run's first jobs have been started.
    void started(ConversionKind kind);
    void jobStarted(int index, const QString &outputPath);
    void jobFinished(const JobOutcome &outcome);
    void finished(const RunOutcome &outcome);
    // A finished conversion read a file that did not say how long it is to
    // its end: the media list may learn the length (ms).
    void inputLengthFound(const QString &file, double ms);

private:
    struct Job;

    void dropEndedRun();
    void launch(Job &job);
    void launchWaiting();
    void onWorkerFinished(quint64 serial);
    void collect(Job &job);
    void endRun();
    void deliver();
    QString freePath(const QString &planned, const JobProfile &profile) const;
    QString uniqueName(const QString &source, const QString &folder, const JobProfile &profile) const;
    // The user's profile with the run's split settings.
    static JobProfile runProfile(const VideoProfileFormatUserConfig &profile, const RunSettings &settings);
    // Fails a job that cannot start, with the reason.
    void refuseJob(Job &job, const QString &error);

    std::vector<std::unique_ptr<Job>> m_jobs;
    size_t m_next = 0; // the first job not yet started
    int m_concurrency = 1;
    ProcessingOptions m_processing;
    bool m_active = false;
    bool m_stopRequested = false;
    quint64 m_serial = 0;
    std::function<int()> m_postTaskSource;
    RunOutcome m_lastOutcome;
    // Ends not yet announced.
    std::vector<JobOutcome> m_pendingJobs;
    std::vector<std::pair<QString, double>> m_pendingLengths;
    std::optional<RunOutcome> m_pendingRun;
};
