#include "core/config/uniquepath.h"
#include "core/jobs/conversionrun.h"
#include "core/profiles/videoprofileformatuserconfig.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

// The front ends' starts of a run: the checks and the jobs they queue.

JobProfile ConversionRun::runProfile(const VideoProfileFormatUserConfig &profile, const RunSettings &settings)
{
    JobProfile job = ConvertJob::jobProfile(profile);
    job.splitMode = settings.splitMode;
    job.splitSizeMb = settings.splitSize;
    job.splitMinutes = settings.splitTime;
    return job;
}

ConversionRun::Refusal ConversionRun::startFromList(const VideoProfileFormatUserConfig &profile,
                                                    const RunSettings &settings,
                                                    const QList<VideoInfo> &videos)
{
    const QString error = tr("Error");
    if (m_active)
        return {error, tr("Convert is in progress.")};
    if (!profile.isValid())
        return {error, tr("Please Select a format first.")};
    const int count = int(videos.size());
    if (count == 0)
        return {error, tr("Please Add File First.")};
    const bool merge = settings.merge;
    // Joining needs something to join; one file would end without a word.
    if (merge && count < 2)
        return {error, tr("Please add at least two files to merge.")};
    const int row = merge ? 0 : settings.selectedRow;
    if (row < 0 || row >= count || videos[row].filename.trimmed().isEmpty())
        return {error, tr("Please Select a File First.")};

    const QString output =
        UniquePath::forSource(videos[row].filename, settings.outputFolder, profile.getFormat());
    if (output.isEmpty())
        return {error, tr("Please select a output directory first.")};
    const QString problem = outputFolderProblem(QFileInfo(output).absolutePath());
    if (!problem.isEmpty())
        return {error, problem};

    ConversionTask task;
    task.kind = merge ? ConversionKind::Merge : ConversionKind::Convert;
    task.profile = runProfile(profile, settings);
    task.outputPath = output;
    task.tempDir = settings.tempDir;
    task.processing = settings.processing;
    if (merge)
        task.sources.assign(videos.begin(), videos.end());
    else
        task.sources.push_back(videos[row]);
    addTask(std::move(task));
    start();
    return {};
}

ConversionRun::Refusal ConversionRun::startAllFromList(const VideoProfileFormatUserConfig &profile,
                                                       const RunSettings &settings,
                                                       const QList<VideoInfo> &videos)
{
    const QString error = tr("Error");
    if (m_active)
        return {error, tr("Convert is in progress.")};
    if (!profile.isValid())
        return {error, tr("Please Select a format first.")};
    if (videos.isEmpty())
        return {error, tr("Please Add File First.")};
    const QString folder = settings.outputFolder;
    if (folder.isEmpty())
        return {error, tr("Please select a output directory first.")};
    const QString problem = outputFolderProblem(folder);
    if (!problem.isEmpty())
        return {error, problem};

    const JobProfile job = runProfile(profile, settings);
    const int jobsAtOnce = batchConcurrency(settings.cpuCores);
    setProcessing(batchProcessing(settings.processing, jobsAtOnce));
    for (const VideoInfo &source : videos)
        addConversion(job, source, folder, settings.tempDir);
    setConcurrency(jobsAtOnce);
    start();
    return {};
}

int ConversionRun::batchConcurrency(int cpuCores)
{
    return std::max(1, cpuCores / 2);
}

ProcessingOptions ConversionRun::batchProcessing(const ProcessingOptions &chosen, int jobsAtOnce)
{
    ProcessingOptions options = chosen;
    if (options.threads > 0)
        options.threads = std::max(1, options.threads / std::max(1, jobsAtOnce));
    return options;
}

QString ConversionRun::outputFolderProblem(const QString &folder)
{
    if (folder.isEmpty())
        return tr("Please select a output directory first.");
    const QString shown = QDir::toNativeSeparators(folder);
    QFileInfo info(folder);
    if (!info.exists() && !QDir().mkpath(folder))
        return tr("The output folder \"%1\" cannot be created. Please choose another one.").arg(shown);
    info.refresh();
    if (!info.isDir())
        return tr("\"%1\" is not a folder. Please choose another output folder.").arg(shown);
    if (!info.isWritable())
        return tr("The output folder \"%1\" cannot be written. Please choose another one.").arg(shown);
    return {};
}
