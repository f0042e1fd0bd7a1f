#include "core/jobs/conversionrun.h"

#include "core/jobs/conversionrunjob.h"
#include "core/jobs/mergejob.h"
#include "core/platform/corelog.h"
#include "core/platform/platform.h"
#include "core/platform/workfolder.h"
#include "core/profiles/videoprofileformatuserconfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <utility>

ConversionRun::ConversionRun(QObject *parent) : QObject(parent) {}

ConversionRun::~ConversionRun()
{
    // No worker may outlive the records and paths it uses; nobody is told.
    stop(StopMode::Silent);
}

void ConversionRun::setPostTaskSource(std::function<int()> source)
{
    m_postTaskSource = std::move(source);
}

void ConversionRun::setConcurrency(int jobs)
{
    m_concurrency = std::max(1, jobs);
    if (m_active && !m_stopRequested)
        launchWaiting();
}

ConversionKind ConversionRun::kind() const
{
    return m_jobs.empty() ? ConversionKind::Convert : m_jobs.front()->task.kind;
}

// --- queue --------------------------------------------------------------------

void ConversionRun::dropEndedRun()
{
    if (m_active || m_jobs.empty() || m_next < m_jobs.size())
        return;
    // The last run has ended: what comes now begins a new queue.
    deliver();
    m_jobs.clear();
    m_next = 0;
}

void ConversionRun::addTask(ConversionTask task)
{
    dropEndedRun();
    auto job = std::make_unique<Job>();
    job->outcome.index = int(m_jobs.size());
    job->outcome.kind = task.kind;
    job->outcome.outputPath = task.outputPath;
    for (const VideoInfo &source : task.sources)
        job->outcome.sources << source.filename;
    job->task = std::move(task);
    m_jobs.push_back(std::move(job));
}

QString ConversionRun::uniqueName(const QString &source, const QString &folder,
                                  const JobProfile &profile) const
{
    QSet<QString> reserved;
    for (const auto &job : m_jobs) {
        if (!job->done || job->outcome.status == TRANSCODE_FINISHED)
            reserved.insert(job->task.outputPath);
    }
    return ConvertJob::uniqueOutputPath(source, folder, profile.format, reserved,
                                        ConvertJob::splits(profile));
}

QString ConversionRun::addConversion(const JobProfile &profile, const VideoInfo &source,
                                     const QString &outputFolder, const QString &tempDir)
{
    ConversionTask task;
    task.kind = ConversionKind::Convert;
    task.profile = profile;
    task.sources.push_back(source);
    task.tempDir = tempDir;
    task.processing = m_processing;
    dropEndedRun(); // the names of an ended run do not count
    task.outputPath = uniqueName(source.filename, outputFolder, profile);
    const QString output = task.outputPath;
    addTask(std::move(task));
    return output;
}

QString ConversionRun::addMerge(const JobProfile &profile, const std::vector<VideoInfo> &sources,
                                const QString &outputFolder, const QString &tempDir)
{
    ConversionTask task;
    task.kind = ConversionKind::Merge;
    task.profile = profile;
    task.sources = sources;
    task.tempDir = tempDir;
    task.processing = m_processing;
    dropEndedRun();
    task.outputPath =
        sources.empty() ? QString() : uniqueName(sources.front().filename, outputFolder, profile);
    const QString output = task.outputPath;
    addTask(std::move(task));
    return output;
}

// --- running ------------------------------------------------------------------

bool ConversionRun::start()
{
    if (m_active || m_next >= m_jobs.size())
        return false;
    deliver(); // what an earlier stop still owes is told first
    m_active = true;
    m_stopRequested = false;
    launchWaiting();
    emit started(kind());
    const bool anyRunning =
        std::any_of(m_jobs.begin(), m_jobs.end(), [](const auto &job) { return job->running(); });
    if (!anyRunning && m_next >= m_jobs.size()) {
        // Nothing could be started; the end is told from the event loop.
        endRun();
        QMetaObject::invokeMethod(this, &ConversionRun::deliver, Qt::QueuedConnection);
    }
    return true;
}

void ConversionRun::launchWaiting()
{
    auto runningCount = [this] {
        return std::count_if(m_jobs.begin(), m_jobs.end(), [](const auto &job) { return job->running(); });
    };
    while (m_next < m_jobs.size() && runningCount() < m_concurrency)
        launch(*m_jobs[m_next++]);
}

QString ConversionRun::freePath(const QString &planned, const JobProfile &profile) const
{
    int sameName = 0;
    for (const auto &job : m_jobs)
        sameName += job->task.outputPath == planned ? 1 : 0;
    if (sameName <= 1 && !ConvertJob::outputExists(planned, ConvertJob::splits(profile)))
        return planned;
    // Taken since it was planned: the next free number, never an overwrite.
    return uniqueName(planned, QFileInfo(planned).absolutePath(), profile);
}

void ConversionRun::refuseJob(Job &job, const QString &error)
{
    job.done = true;
    job.outcome.status = TRANSCODE_FAILED;
    job.outcome.error = error;
    job.work.reset();
    m_pendingJobs.push_back(job.outcome);
}

void ConversionRun::launch(Job &job)
{
    ConversionTask &task = job.task;
    job.started = true;
    job.serial = ++m_serial;
    if (task.sources.empty() || task.outputPath.isEmpty()) {
        refuseJob(job, task.sources.empty() ? tr("no file to convert") : tr("no output file name"));
        return;
    }
    task.outputPath = freePath(task.outputPath, task.profile);
    job.outcome.outputPath = task.outputPath;
    job.outputWasFree = !QFileInfo::exists(task.outputPath);
    job.outcome.outputPaths.clear();

    TranscodeJob built;
    QString refused;
    if (task.kind == ConversionKind::Convert) {
        // An edit that cannot be applied fails the job: it never runs without it.
        if (!ConvertJob::build(task.profile, task.sources.front(), task.outputPath, task.tempDir,
                               task.processing, &built, &refused)) {
            refuseJob(job, refused);
            return;
        }
    } else {
        job.work = std::make_unique<WorkFolder>(task.tempDir);
        if (!job.work->isValid()) {
            refuseJob(job, job.work->errorString());
            return;
        }
        if (!MergeJob::build(task.profile, task.sources, task.outputPath, job.work->path(), task.processing,
                             &built, &refused)) {
            refuseJob(job, refused);
            return;
        }
    }
    job.worker = std::make_unique<TranscodeThread>(std::move(built));
    const quint64 serial = job.serial;
    // finished() comes from the worker thread; the call is queued to ours.
    connect(job.worker->thread(), &QThread::finished, this, [this, serial] { onWorkerFinished(serial); });
    job.worker->start();
    emit jobStarted(job.outcome.index, task.outputPath);
}

void ConversionRun::onWorkerFinished(quint64 serial)
{
    auto it = std::find_if(m_jobs.begin(), m_jobs.end(),
                           [serial](const auto &job) { return job->serial == serial && job->running(); });
    if (it == m_jobs.end())
        return; // already collected by stop()
    collect(**it);
    deliver(); // this job's end is told before the next one starts
    if (!m_active)
        return; // stopped from a listener
    launchWaiting();
    const bool anyRunning =
        std::any_of(m_jobs.begin(), m_jobs.end(), [](const auto &job) { return job->running(); });
    if (!anyRunning && m_next >= m_jobs.size())
        endRun();
    deliver();
}

void ConversionRun::collect(Job &job)
{
    job.waitForWorker();
    job.endFraction = std::min(job.fraction(), 0.99);
    JobOutcome &outcome = job.outcome;
    outcome.outputPaths.clear();
    if (job.worker) {
        const TranscodeResult &result = job.worker->result();
        outcome.status = result.status;
        outcome.error = QString::fromStdString(result.reason);
        // A stop that came meanwhile wins over a late failure.
        if (job.stopAsked && outcome.status != TRANSCODE_FINISHED)
            outcome.status = TRANSCODE_STOPPED;
        // A file that did not say how long it is: the list may learn it now.
        if (outcome.status == TRANSCODE_FINISHED && result.inputLengthFoundMs > 0 &&
            job.task.kind == ConversionKind::Convert && !job.task.sources.empty())
            m_pendingLengths.emplace_back(job.task.sources.front().filename, result.inputLengthFoundMs);
        for (const std::string &path : result.outputs)
            outcome.outputPaths << QString::fromLocal8Bit(path.c_str());
    }
    if (outcome.status == TRANSCODE_FINISHED && outcome.outputPaths.isEmpty())
        outcome.outputPaths << outcome.outputPath;
    switch (outcome.status) {
    case TRANSCODE_FINISHED:
        for (const QString &path : std::as_const(outcome.outputPaths)) {
            if (!QFileInfo(path).isFile()) {
                outcome.status = TRANSCODE_FAILED;
                outcome.error = tr("%1 was not written").arg(QDir::toNativeSeparators(path));
                break;
            }
            if (!Platform::giveCreationPermissions(path)) {
                // The engine writes under a private temporary name; the
                // user's file is readable like any other they save.
                qCWarning(lcJobs, "cannot set the permissions of [%s]", qPrintable(path));
            }
        }
        break;
    case TRANSCODE_STOPPED:
        break;
    case TRANSCODE_FAILED:
        if (outcome.error.isEmpty())
            outcome.error = tr("the conversion failed without a reason");
        break;
    default:
        outcome.status = TRANSCODE_FAILED;
        outcome.error = tr("the conversion ended without a result");
        break;
    }
    if (outcome.status == TRANSCODE_STOPPED)
        outcome.error.clear();
    if (outcome.status != TRANSCODE_FINISHED) {
        // Nothing half-written stays behind; a file that was there before
        // the job is not ours to remove.
        if (job.outputWasFree)
            QFile::remove(outcome.outputPath);
        outcome.outputPaths.clear();
    }
    job.done = true;
    job.worker.reset();
    job.work.reset();
    m_pendingJobs.push_back(outcome);
}

void ConversionRun::stop(StopMode mode)
{
    if (!m_active)
        return;
    m_stopRequested = true;
    // Every worker is asked first, so they wind down together.
    for (const auto &job : m_jobs) {
        if (job->running())
            job->requestStop();
    }
    for (const auto &job : m_jobs) {
        if (job->running())
            collect(*job);
    }
    endRun();
    if (mode == StopMode::Silent) {
        m_pendingJobs.clear();
        m_pendingLengths.clear();
        m_pendingRun.reset();
        return;
    }
    QMetaObject::invokeMethod(this, &ConversionRun::deliver, Qt::QueuedConnection);
}

void ConversionRun::endRun()
{
    // Jobs that never started count as stopped.
    for (size_t i = m_next; i < m_jobs.size(); ++i) {
        Job &job = *m_jobs[i];
        job.done = true;
        job.outcome.status = TRANSCODE_STOPPED;
        m_pendingJobs.push_back(job.outcome);
    }
    m_next = m_jobs.size();

    RunOutcome result;
    QString firstError;
    QString lastOutput;
    bool allFinished = !m_jobs.empty();
    bool anyFailed = false;
    bool anyStopped = false;
    for (const auto &job : m_jobs) {
        const JobOutcome &o = job->outcome;
        result.jobs << o;
        allFinished = allFinished && o.status == TRANSCODE_FINISHED;
        anyFailed = anyFailed || o.status == TRANSCODE_FAILED;
        anyStopped = anyStopped || o.status == TRANSCODE_STOPPED;
        if (o.status == TRANSCODE_FAILED && firstError.isEmpty())
            firstError = o.error;
        if (job->serial != 0)
            lastOutput = o.outputPath;
    }
    TranscodeStatus status = TRANSCODE_FAILED;
    if (allFinished)
        status = TRANSCODE_FINISHED;
    else if (anyStopped && (m_stopRequested || !anyFailed))
        status = TRANSCODE_STOPPED;
    const QString profileName = m_jobs.empty() ? QString() : m_jobs.front()->task.profile.name;
    RunOutcome described = describe(status, kind(), m_postTaskSource ? m_postTaskSource() : 0, profileName);
    described.jobs = std::move(result.jobs);
    described.error = firstError;
    described.outputPath = lastOutput;

    m_lastOutcome = described;
    m_pendingRun = std::move(described);
    m_active = false;
    m_stopRequested = false;
}

void ConversionRun::deliver()
{
    const std::vector<JobOutcome> jobs = std::exchange(m_pendingJobs, {});
    const std::optional<RunOutcome> run = std::exchange(m_pendingRun, std::nullopt);
    const auto lengths = std::exchange(m_pendingLengths, {});
    for (const auto &[file, ms] : lengths)
        emit inputLengthFound(file, ms);
    for (const JobOutcome &job : jobs)
        emit jobFinished(job);
    if (run)
        emit finished(*run);
}

double ConversionRun::progress() const
{
    if (m_jobs.empty())
        return 0.0;
    double done = 0.0, total = 0.0;
    for (const auto &job : m_jobs) {
        const double weight = job->weight();
        done += job->fraction() * weight;
        total += weight;
    }
    return total > 0.0 ? Job::clampedFraction(done / total) : 0.0;
}

QStringList ConversionRun::runningSources() const
{
    QStringList files;
    for (const auto &job : m_jobs) {
        if (job->running())
            files << job->outcome.sources;
    }
    return files;
}

int ConversionRun::endedCount() const
{
    return int(std::count_if(m_jobs.begin(), m_jobs.end(), [](const auto &job) { return job->done; }));
}

// --- reports ------------------------------------------------------------------

RunOutcome ConversionRun::describe(TranscodeStatus status, ConversionKind kind, int postTaskSetting,
                                   const QString &profileName)
{
    RunOutcome outcome;
    outcome.kind = kind;
    outcome.status = status;
    outcome.profileName = profileName;
    const bool merge = kind == ConversionKind::Merge;
    switch (status) {
    case TRANSCODE_FINISHED:
        outcome.title = tr("Convert Finished");
        outcome.message = tr("Convert Finished.");
        break;
    case TRANSCODE_STOPPED:
        outcome.title = merge ? tr("Merge Aborted") : tr("Convert Aborted");
        outcome.message = merge ? tr("Merge Aborted.") : tr("Convert Aborted.");
        break;
    case TRANSCODE_FAILED:
        outcome.title = merge ? tr("Merge Failed") : tr("Convert Failed");
        outcome.message = merge ? tr("Merge Failed.") : tr("Convert Failed.");
        break;
    default:
        break; // nothing ran to an end: nothing to say
    }
    // Exit and shutdown follow a run that ended by itself, not a stopped one.
    const bool ended = status == TRANSCODE_FINISHED || status == TRANSCODE_FAILED;
    if (ended && postTaskSetting == int(PostTaskAction::ExitProgram))
        outcome.postTask = PostTaskAction::ExitProgram;
    else if (ended && postTaskSetting == int(PostTaskAction::ShutdownComputer))
        outcome.postTask = PostTaskAction::ShutdownComputer;
    return outcome;
}
