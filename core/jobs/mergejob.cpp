#include "core/jobs/mergejob.h"

#include "core/jobs/convertjob.h"
#include "core/jobs/jobfilters.h"
#include "core/media/videoinfo.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace {

// The first file's picture where the profile keeps the source's: its size
// (cropped when it is) and its rate.
void takeFirstFileFallbacks(const VideoInfo &first, OutputSpec &out)
{
    const FileInfo *probe = first.fileInfo.get();
    if (!probe)
        return;
    VideoOutputSpec &v = out.video;
    if (v.width == 0 && v.height == 0) {
        v.width = std::max(0, probe->width);
        v.height = std::max(0, probe->height);
        if (first.cropChanged && first.cropWidth > 0 && first.cropHeight > 0) {
            v.width = std::min(first.cropWidth, v.width);
            v.height = std::min(first.cropHeight, v.height);
        }
    }
    if (!v.frameRate.isSet())
        v.frameRate = MergeJob::rateOf(probe->frameRate);
}

} // namespace

QString MergeJob::tooFewFilesText()
{
    // Shown in the conversion panel: translated where the run's other
    // messages are.
    return QCoreApplication::translate("ConversionRun", "a merge needs at least two files");
}

Rational MergeJob::rateOf(double framesPerSecond)
{
    if (!std::isfinite(framesPerSecond) || framesPerSecond <= 0 || framesPerSecond > 1000000)
        return {};
    const double ntsc = std::round(framesPerSecond * 1.001);
    if (ntsc >= 1 && std::abs(ntsc / 1.001 - framesPerSecond) < 1e-4 &&
        std::abs(framesPerSecond - ntsc) > 1e-3)
        return {int(ntsc) * 1000, 1001};
    return {int(std::lround(framesPerSecond * 1000.0)), 1000};
}

bool MergeJob::build(const JobProfile &profile, const std::vector<VideoInfo> &sources,
                     const QString &outputPath, const QString &workDir, const ProcessingOptions &processing,
                     TranscodeJob *job, QString *error)
{
    if (sources.size() < 2) {
        if (error)
            *error = tooFewFilesText();
        return false;
    }
    TranscodeJob built;
    bool anyPicture = false;
    for (const VideoInfo &video : sources) {
        TranscodeInput in = ConvertJob::input(video);
        QString refused;
        if (!JobFilters::forMergeInput(video, workDir, &in.filters, &refused)) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(video.filename, refused);
            return false;
        }
        anyPicture = anyPicture || !video.isAudio;
        built.inputs.push_back(std::move(in));
    }
    built.output = ConvertJob::outputSpec(profile, outputPath);
    takeFirstFileFallbacks(sources.front(), built.output);
    built.processing = processing;
    // A sound-only file among files with pictures shows black, instead of
    // the picture before it standing still.
    built.blackPictureForSound = anyPicture;
    if (job)
        *job = std::move(built);
    return true;
}
