#include "engine/transcode/ffmpegtranscode.h"

#include "engine/transcode/encodeinfoadapter.h"
#include "engine/transcode/transcoder.h"

#include <atomic>
#include <cstring>
#include <mutex>

// Keeps the numbers a run reports for the getters.
class PolledProgress : public TranscodeObserver {
public:
    void onProgress(double fraction, int64_t frames) override
    {
        m_fraction.store(fraction);
        m_frames.store(frames);
    }
    void clear()
    {
        m_fraction.store(0.0);
        m_frames.store(0);
    }
    double fraction() const { return m_fraction.load(); }
    int64_t frames() const { return m_frames.load(); }
    void setFrames(int64_t frames) { m_frames.store(frames); }

private:
    std::atomic<double> m_fraction{0.0};
    std::atomic<int64_t> m_frames{0};
};

struct CFFmpegTranscode::Impl {
    StopToken stop;
    PolledProgress progress;
    EncodeInfo info;
    ProcessingOptions processing;
    std::vector<std::string> inputs;
    bool blackPictureForSound = false;
    std::atomic<int> status{TRANSCODE_IDLE};
    mutable std::mutex resultMutex;
    TranscodeResult last;
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
    d->stop.clear();
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
    TranscodeJob job = jobFromEncodeInfo(d->info, d->inputs, filterSnapshot(), outputPath ? outputPath : "");
    d->inputs.clear();
    job.processing = d->processing;
    job.blackPictureForSound = d->blackPictureForSound;
    {
        std::lock_guard<std::mutex> lock(d->resultMutex);
        d->last = TranscodeResult();
    }
    d->progress.clear();
    d->status.store(TRANSCODE_RUNNING);
    TranscodeResult result = Transcoder::run(job, &d->progress, &d->stop);
    d->progress.setFrames(result.frames);
    const TranscodeStatus status = result.status;
    {
        std::lock_guard<std::mutex> lock(d->resultMutex);
        d->last = std::move(result);
    }
    // The next job sets its record, inputs and filters anew.
    d->info = EncodeInfo();
    d->info.constant16 = 16;
    resetFilters();
    d->status.store(status);
    return status == TRANSCODE_FINISHED ? 1 : 0;
}

void CFFmpegTranscode::StopTranscode()
{
    d->stop.request();
}

void CFFmpegTranscode::GetEncodePrg(double &progress, double &)
{
    progress = d->progress.fraction();
}

int64_t CFFmpegTranscode::GetFrameNubmer()
{
    return d->progress.frames();
}

int CFFmpegTranscode::GetLastConvetStatus()
{
    return d->status.load();
}

double CFFmpegTranscode::GetFoundInputLength() const
{
    std::lock_guard<std::mutex> lock(d->resultMutex);
    return d->last.inputLengthFoundMs;
}

std::vector<std::string> CFFmpegTranscode::GetOutputFiles() const
{
    std::lock_guard<std::mutex> lock(d->resultMutex);
    return d->last.ok() ? d->last.outputs : std::vector<std::string>();
}

std::string CFFmpegTranscode::GetLastErrorText() const
{
    std::lock_guard<std::mutex> lock(d->resultMutex);
    return d->last.status == TRANSCODE_FAILED ? d->last.reason : std::string();
}
