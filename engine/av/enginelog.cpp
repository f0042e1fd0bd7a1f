#include "engine/av/enginelog.h"

#include "engine/av/avptr.h"

#include <cstdarg>
#include <cstring>
#include <mutex>

Q_LOGGING_CATEGORY(lcEngine, "reelmax.engine", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPlayer, "reelmax.player", QtWarningMsg)
Q_LOGGING_CATEGORY(lcCapture, "reelmax.capture", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDisc, "reelmax.disc", QtWarningMsg)
Q_LOGGING_CATEGORY(lcFfmpeg, "reelmax.ffmpeg", QtWarningMsg)

namespace {

void forwardFfmpegLog(void *avcl, int level, const char *format, va_list args)
{
    // Errors and warnings only, and only when someone listens.
    if (level > AV_LOG_WARNING || !lcFfmpeg().isDebugEnabled())
        return;
    char line[1024];
    int printPrefix = 1;
    va_list copy;
    va_copy(copy, args);
    av_log_format_line2(avcl, level, format, copy, line, sizeof(line), &printPrefix);
    va_end(copy);
    size_t n = std::strlen(line);
    while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r'))
        line[--n] = '\0';
    if (n > 0)
        qCDebug(lcFfmpeg, "%s", line);
}

} // namespace

namespace av {

void quietLogs()
{
    static std::once_flag once;
    std::call_once(once, [] {
        av_log_set_level(AV_LOG_WARNING);
        av_log_set_callback(&forwardFfmpegLog);
    });
}

} // namespace av
