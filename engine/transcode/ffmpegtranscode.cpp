#include "engine/transcode/ffmpegtranscode.h"

#include "engine/av/enginelog.h"
#include "engine/transcode/segmentsplitter.h"
#include "engine/transcode/transcoder.h"

#include <QtGlobal>

#include <cstdio>
#include <cstring>
#include <mutex>

struct CFFmpegTranscode::Impl {
    Transcoder transcoder;
    EncodeInfo info;
    ProcessingOptions processing;
    std::vector<std::string> inputs;
    bool blackPictureForSound = false;
    std::atomic<int> status{TRANSCODE_IDLE};
    mutable std::mutex errorMutex;
    std::string lastError;
    std::vector<std::string> outputs;

    // Runs the job; a job whose record asks for segments is written whole
    // under a hidden name first and then cut.
    TranscodeStatus run(TranscodeJob &job, std::vector<std::string> *written, std::string *error);
};

TranscodeStatus CFFmpegTranscode::Impl::run(TranscodeJob &job, std::vector<std::string> *written,
                                            std::string *error)
{
    if (!SegmentSplitter::wanted(job.info, job.output)) {
        const TranscodeStatus status = transcoder.run(job, error);
        if (status == TRANSCODE_FINISHED)
            written->push_back(job.output);
        return status;
    }
    const std::string output = job.output;
    job.output = SegmentSplitter::reserveWholePath(output, error);
    if (job.output.empty())
        return TRANSCODE_FAILED;
    TranscodeStatus status = transcoder.run(job, error);
    if (status == TRANSCODE_FINISHED &&
        !SegmentSplitter::split(job.output, output, job.info, transcoder.stopFlag(), written, error))
        status = transcoder.stopRequested() ? TRANSCODE_STOPPED : TRANSCODE_FAILED;
    std::remove(job.output.c_str());
    job.output = output;
    return status;
}

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

void CFFmpegTranscode::SetBlackPictureForSound(bool on)
{
    d->blackPictureForSound = on;
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
    job.blackPictureForSound = d->blackPictureForSound;
    job.output = outputPath ? outputPath : "";
    d->status.store(TRANSCODE_RUNNING);

    std::string error;
    TranscodeStatus result = TRANSCODE_FAILED;
    std::vector<std::string> written;
    {
        std::lock_guard<std::mutex> lock(d->errorMutex);
        d->outputs.clear();
    }
    if (job.output.empty())
        error = "no output path";
    else
        result = d->run(job, &written, &error);
    {
        std::lock_guard<std::mutex> lock(d->errorMutex);
        d->lastError = result == TRANSCODE_FAILED ? error : std::string();
        d->outputs = result == TRANSCODE_FINISHED ? written : std::vector<std::string>();
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

std::vector<std::string> CFFmpegTranscode::GetOutputFiles() const
{
    std::lock_guard<std::mutex> lock(d->errorMutex);
    return d->outputs;
}

std::string CFFmpegTranscode::GetLastErrorText() const
{
    std::lock_guard<std::mutex> lock(d->errorMutex);
    return d->lastError;
}
