#include "core/media/mediasummary.h"

#include "engine/probe/fileinfo.h"

#include <cmath>
#include <limits>

namespace {
qint32 truncated(double value)
{
    if (!std::isfinite(value))
        return 0;
    if (value >= double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (value <= double(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return qint32(value);
}
} // namespace

MediaSummary MediaSummary::fromFileInfo(const FileInfo &info)
{
    MediaSummary s;
    s.durationMs = truncated(info.durationMs);
    s.width = info.width;
    s.height = info.height;
    s.frameRate = truncated(info.frameRate);
    s.videoBitrate = info.videoBitrate;
    s.audioBitrate = info.audioBitrate;
    s.sampleRate = info.sampleRate;
    s.channels = info.channels;
    return s;
}
