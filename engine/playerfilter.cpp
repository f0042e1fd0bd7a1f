#include "engine/playerfilter.h"

#include "engine/playerfilterdescription.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/opt.h>
}

namespace playback {

void PlayerFilter::reset()
{
    m_graph.reset();
    m_source = m_sink = nullptr;
    m_description.clear();
    m_generation = UINT64_MAX;
    m_width = m_height = 0;
    m_format = -1;
}

FramePtr PlayerFilter::apply(const AVFrame *src, const FilterSettings &settings, uint64_t generation,
                             AVRational timeBase)
{
    if (!src)
        return {};
    if (generation != m_generation || src->width != m_width || src->height != m_height ||
        src->format != m_format) {
        m_generation = generation;
        m_width = src->width;
        m_height = src->height;
        m_format = src->format;
        const std::string description = previewFilterDescription(settings, src->width, src->height);
        if (description.empty()) {
            m_graph.reset();
            m_source = m_sink = nullptr;
            m_description.clear();
        } else if (description != m_description || !m_graph) {
            m_description = description;
            if (!rebuild(src, description, timeBase)) {
                m_graph.reset();
                m_source = m_sink = nullptr;
                return {};
            }
        }
    }
    if (!m_graph)
        return refFrame(src);

    FramePtr in = refFrame(src);
    if (!in || av_buffersrc_add_frame_flags(m_source, in.get(), AV_BUFFERSRC_FLAG_KEEP_REF) < 0) {
        m_error = "cannot feed the preview filters";
        return {};
    }
    FramePtr out = makeFrame();
    const int ret = av_buffersink_get_frame(m_sink, out.get());
    if (ret < 0) {
        // Filters with delay (e.g. deinterlacing) may need another picture first.
        if (ret == AVERROR(EAGAIN))
            return refFrame(src);
        m_error = "the preview filters gave no picture";
        return {};
    }
    // Drain anything else a filter produced so the graph does not pile up.
    FramePtr extra = makeFrame();
    while (av_buffersink_get_frame(m_sink, extra.get()) >= 0)
        av_frame_unref(extra.get());
    return out;
}

bool PlayerFilter::rebuild(const AVFrame *src, const std::string &description, AVRational timeBase)
{
    m_graph.reset(avfilter_graph_alloc());
    m_source = m_sink = nullptr;
    if (!m_graph) {
        m_error = "out of memory";
        return false;
    }
    m_graph->nb_threads = 1;
    char args[256];
    const AVRational sar = src->sample_aspect_ratio.num > 0 ? src->sample_aspect_ratio : AVRational{1, 1};
    snprintf(args, sizeof(args), "video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d", src->width,
             src->height, src->format, timeBase.num, timeBase.den > 0 ? timeBase.den : 1, sar.num, sar.den);
    if (avfilter_graph_create_filter(&m_source, avfilter_get_by_name("buffer"), "in", args, nullptr,
                                     m_graph.get()) < 0 ||
        avfilter_graph_create_filter(&m_sink, avfilter_get_by_name("buffersink"), "out", nullptr, nullptr,
                                     m_graph.get()) < 0) {
        m_error = "cannot create the preview filter ends";
        return false;
    }
    AVFilterInOut *outputs = avfilter_inout_alloc();
    AVFilterInOut *inputs = avfilter_inout_alloc();
    if (!outputs || !inputs) {
        avfilter_inout_free(&outputs);
        avfilter_inout_free(&inputs);
        m_error = "out of memory";
        return false;
    }
    outputs->name = av_strdup("in");
    outputs->filter_ctx = m_source;
    inputs->name = av_strdup("out");
    inputs->filter_ctx = m_sink;
    int ret = avfilter_graph_parse_ptr(m_graph.get(), description.c_str(), &inputs, &outputs, nullptr);
    avfilter_inout_free(&outputs);
    avfilter_inout_free(&inputs);
    if (ret < 0 || avfilter_graph_config(m_graph.get(), nullptr) < 0) {
        m_error = "invalid preview filters: " + description;
        return false;
    }
    m_error.clear();
    return true;
}

} // namespace playback
