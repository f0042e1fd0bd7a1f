#include "engine/ffmpegtranscode.h"

// Placeholder until the FFmpeg-based transcoder lands: every run fails.
struct CFFmpegTranscode::Impl {
    EncodeInfo info;
    int status = TRANSCODE_IDLE;
};

CFFmpegTranscode::CFFmpegTranscode() : d(std::make_unique<Impl>()) {}
CFFmpegTranscode::~CFFmpegTranscode() = default;
int CFFmpegTranscode::SetEncodeInfo(const EncodeInfo *info)
{
    if (info)
        d->info = *info;
    return info ? 1 : 0;
}
int CFFmpegTranscode::AddInputFile(const char *)
{
    return 1;
}
int CFFmpegTranscode::Transcode(const char *)
{
    d->status = TRANSCODE_FAILED;
    return 0;
}
void CFFmpegTranscode::StopTranscode() {}
void CFFmpegTranscode::GetEncodePrg(double &progress, double &)
{
    progress = 0.0;
}
int64_t CFFmpegTranscode::GetFrameNubmer()
{
    return 0;
}
int CFFmpegTranscode::GetLastConvetStatus()
{
    return d->status;
}
std::string CFFmpegTranscode::GetLastErrorText() const
{
    return "not implemented";
}
