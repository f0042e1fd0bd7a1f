#include "engine/transcode/ffmpegtranscode.h"

#include "engine/av/enginelog.h"
#include "engine/transcode/transcoder.h"

#include <QtGlobal>

#include <cstring>
#include <mutex>

struct CFFmpegTranscode::Impl {
    Transcoder transcoder;
    EncodeInfo info;
    ProcessingOptions processing;
    std::vector<std::string> inputs;
    std::atomic<int> status{TRANSCODE_IDLE};
    mutable std::mutex errorMutex;
    std::string lastError;
};

CFFmpegTranscode::CFFmpegTranscode() : d(std::make_unique<Impl>())
{
    d->info.constant16 = 16;
}

CFFmpegTranscode::~CFFmpegTranscode() = default;

int CFFmpegTranscode::SetEncodeInfo(const EncodeInfo *info)
{
    if (!info)
        return 0;
    std::memcpy(&d->info, info, sizeof(EncodeInfo));
    // A new job: a stop aimed at an earlier run no longer applies.
    d->transcoder.clearStop();
    return 1;
}

void CFFmpegTranscode::SetProcessing(const ProcessingOptions &options)
{
    d->processing = options;
}

ProcessingOptions CFFmpegTranscode::GetProcessing() const
{
    return d->processing;
}

int CFFmpegTranscode::AddInputFile(const char *path)
{
    if (!path || !*path)
        return 0;
    d->inputs.emplace_back(path);
    return 1;
}

int CFFmpegTranscode::Transcode(const char *outputPath)
{
    TranscodeJob job;
    job.info = d->info;
    job.inputs = std::move(d->inputs);
    d->inputs.clear();
    job.filters = filterSnapshot();
    job.processing = d->processing;
    job.output = outputPath ? outputPath : "";
    d->status.store(TRANSCODE_RUNNING);

    std::string error;
    TranscodeStatus result = TRANSCODE_FAILED;
    if (job.output.empty())
        error = "no output path";
    else
        result = d->transcoder.run(job, &error);
    {
        std::lock_guard<std::mutex> lock(d->errorMutex);
        d->lastError = result == TRANSCODE_FAILED ? error : std::string();
    }
    if (result == TRANSCODE_FAILED)
        qCInfo(lcEngine, "transcode failed: [%s] output = [%s]", error.c_str(), job.output.c_str());
    // The next job sets its record, inputs and filters anew.
    d->info = EncodeInfo();
    d->info.constant16 = 16;
    resetFilters();
    d->status.store(result);
    return result == TRANSCODE_FINISHED ? 1 : 0;
}

void CFFmpegTranscode::StopTranscode()
{
    d->transcoder.requestStop();
}

void CFFmpegTranscode::GetEncodePrg(double &progress, double &)
{
    progress = d->transcoder.progress();
}

int64_t CFFmpegTranscode::GetFrameNubmer()
{
    return d->transcoder.frames();
}

int CFFmpegTranscode::GetLastConvetStatus()
{
    return d->status.load();
}

double CFFmpegTranscode::GetFoundInputLength() const
{
    return d->transcoder.inputLengthFound();
}

std::string CFFmpegTranscode::GetLastErrorText() const
{
    std::lock_guard<std::mutex> lock(d->errorMutex);
    return d->lastError;
}
