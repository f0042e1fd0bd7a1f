#include "engine/av/scalercpu.h"

#include "engine/av/avptr.h"
#include "engine/av/enginelog.h"
#include "engine/av/pictureframe.h"

extern "C" {
#include <libavutil/cpu.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>

namespace {

std::atomic<bool> g_avoidsGathers{false};

constexpr int kSourceWidth = 1920, kSourceHeight = 32;
constexpr int kTargetWidth = 640, kTargetHeight = 16;

// The fastest of a few scalings of a source strip with the scaler's
// current processor features, in seconds; negative when no scaler could
// be made.
double fastestScale(const AVFrame *source, AVFrame *target)
{
    av::SwsPtr sws(sws_getContext(kSourceWidth, kSourceHeight, AV_PIX_FMT_YUV420P, kTargetWidth,
                                  kTargetHeight, AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!sws)
        return -1.0;
    double best = 1e9;
    for (int run = 0; run < 6; ++run) { // the first run warms the caches
        const auto start = std::chrono::steady_clock::now();
        sws_scale(sws.get(), source->data, source->linesize, 0, kSourceHeight, target->data,
                  target->linesize);
        const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (run > 0)
            best = std::min(best, took);
    }
    return best;
}

// The source strip: a pattern, so that the filters see varied samples.
av::FramePtr sourceStrip()
{
    av::FramePtr frame = av::makePicture(AV_PIX_FMT_YUV420P, kSourceWidth, kSourceHeight);
    if (!frame)
        return nullptr;
    for (int plane = 0; plane < 3; ++plane) {
        const int w = plane ? kSourceWidth / 2 : kSourceWidth, h = plane ? kSourceHeight / 2 : kSourceHeight;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                frame->data[plane][y * frame->linesize[plane] + x] = uint8_t(x * 7 + y * 13 + plane * 50);
    }
    return frame;
}

void tune()
{
    const int flags = av_get_cpu_flags();
    if (!(flags & AV_CPU_FLAG_AVX2) || (flags & AV_CPU_FLAG_SLOW_GATHER))
        return; // the scaler has no gather-based filters to choose against
    const av::FramePtr source = sourceStrip();
    const av::FramePtr target = av::makePicture(AV_PIX_FMT_YUV420P, kTargetWidth, kTargetHeight);
    if (!source || !target)
        return;
    const double withGathers = fastestScale(source.get(), target.get());
    // The flag only steers the scaler's choice of filters; every other
    // user of the processor features reads the same answers as before.
    av_force_cpu_flags(flags | AV_CPU_FLAG_SLOW_GATHER);
    const double withoutGathers = fastestScale(source.get(), target.get());
    const bool avoid = withGathers > 0 && withoutGathers > 0 && withoutGathers < 0.8 * withGathers;
    if (!avoid)
        av_force_cpu_flags(flags);
    g_avoidsGathers = avoid;
    qCDebug(lcEngine, "scaler strip: %.0f us with vector gathers, %.0f us without; %s", withGathers * 1e6,
            withoutGathers * 1e6, avoid ? "scaling without them" : "keeping them");
}

} // namespace

namespace av {

void tuneScalerForCpu()
{
    static std::once_flag once;
    std::call_once(once, tune);
}

bool scalerAvoidsGathers()
{
    return g_avoidsGathers.load();
}

} // namespace av
