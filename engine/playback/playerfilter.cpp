#include "engine/playback/playerfilter.h"

namespace playback {

bool PlayerFilter::anyVideoFilter(const FilterSettings &s)
{
    return s.deinterlace || (s.crop && s.cropWidth > 0 && s.cropHeight > 0) ||
           (s.zoomMode >= 0 && s.zoomWidth > 0 && s.zoomHeight > 0) || s.hFlip || s.vFlip || s.lightness ||
           s.contrast || s.saturation || s.blur || s.negate || s.deshake || s.sharp ||
           (s.subtitle && !s.subtitleFile.empty()) || (s.imageWatermark && !s.imageWatermarkFile.empty()) ||
           (s.textWatermark && !s.textWatermarkText.empty());
}

FramePtr PlayerFilter::apply(const AVFrame *src, const FilterSettings &settings, uint64_t generation,
                             AVRational timeBase, AVRational frameRate)
{
    if (!src)
        return {};
    if (generation != m_generation || src->width != m_width || src->height != m_height ||
        src->format != m_format) {
        m_generation = generation;
        m_width = src->width;
        m_height = src->height;
        m_format = src->format;
        m_graph.reset();
        m_active = anyVideoFilter(settings);
        m_failed = false;
        if (m_active) {
            VideoFilterInput in;
            in.width = src->width;
            in.height = src->height;
            in.pixFmt = src->format;
            in.timeBase = timeBase;
            in.sampleAspect = src->sample_aspect_ratio;
            in.frameRate = frameRate;
            VideoFilterOutput out;
            out.evenSize = false; // the preview keeps every pixel it is given
            std::string error;
            if (!m_graph.initVideo(settings, in, out, &error)) {
                m_error = "preview filters not available: " + error;
                m_failed = true;
            }
        }
    }
    if (!m_active)
        return refFrame(src);
    if (m_failed)
        return {};

    FramePtr in = refFrame(src);
    if (!in || m_graph.push(in.get()) < 0) {
        m_error = "cannot feed the preview filters";
        return {};
    }
    FramePtr out = makeFrame();
    const int ret = m_graph.pull(out.get());
    if (ret < 0) {
        // Filters with a delay (deinterlacing) may need another picture first.
        if (ret == AVERROR(EAGAIN))
            return refFrame(src);
        m_error = "the preview filters gave no picture";
        return {};
    }
    // Take anything else a filter produced so the graph does not pile up.
    FramePtr extra = makeFrame();
    while (m_graph.pull(extra.get()) >= 0)
        av_frame_unref(extra.get());
    return out;
}

} // namespace playback
