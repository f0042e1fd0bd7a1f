#include "engine/av/filtergraph.h"

#include "engine/av/fontlookup.h"
#include "engine/av/framefit.h"
#include "engine/av/scalercpu.h"
#include "engine/av/subtitlefile.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace {

std::string num(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof(buf), "%.4f", v);
    return buf;
}

std::string num(int64_t v)
{
    return std::to_string(v);
}

std::string rational(AVRational r)
{
    return std::to_string(r.num) + "/" + std::to_string(r.den);
}

int evenDown(int v)
{
    return std::max(2, v & ~1);
}

bool readable(const std::string &path)
{
    return !path.empty() && access(path.c_str(), R_OK) == 0;
}

// Removes the characters that would end a key or value of an ASS style list.
std::string styleSafe(std::string s)
{
    s.erase(std::remove_if(s.begin(), s.end(),
                           [](char c) { return c == ',' || c == '=' || c == '\n' || c == '\r'; }),
            s.end());
    return s;
}

std::string layoutName(int channels, uint64_t mask)
{
    AVChannelLayout layout{};
    if (mask)
        av_channel_layout_from_mask(&layout, mask);
    else
        av_channel_layout_default(&layout, channels);
    char buf[128] = {};
    av_channel_layout_describe(&layout, buf, sizeof(buf));
    av_channel_layout_uninit(&layout);
    return buf;
}

void appendDeinterlace(std::vector<FilterNode> &chain, int mode, int height)
{
    switch (mode) {
    case 0: // repeat the odd (top) field
    case 1: // repeat the even (bottom) field
        chain.push_back({"field", {{"type", mode == 0 ? "top" : "bottom"}}, {}});
        chain.push_back({"scale", {{"w", "iw"}, {"h", num(int64_t(height))}, {"flags", "neighbor"}}, {}});
        break;
    case 2: // interpolate from the odd field first
    case 3:
        chain.push_back({"yadif", {{"mode", "send_frame"}, {"parity", mode == 2 ? "tff" : "bff"}}, {}});
        break;
    default:
        chain.push_back({"yadif", {{"mode", "send_frame"}}, {}});
        break;
    }
}

} // namespace

std::vector<FilterNode> FilterGraph::videoChain(const FilterSettings &s, const VideoFilterInput &in,
                                                const VideoFilterOutput &out, int *outWidth, int *outHeight)
{
    std::vector<FilterNode> chain;
    int w = std::max(1, in.width);
    int h = std::max(1, in.height);
    AVRational sar = in.sampleAspect.num > 0 && in.sampleAspect.den > 0 ? in.sampleAspect : AVRational{1, 1};

    if (s.deinterlace)
        appendDeinterlace(chain, s.deinterlaceMode, h);
    // Mirroring comes before the crop: the crop area is chosen on the
    // picture as it is shown, mirrored.
    if (s.hFlip)
        chain.push_back({"hflip", {}, {}});
    if (s.vFlip)
        chain.push_back({"vflip", {}, {}});

    int x = 0, y = 0, cw = w, ch = h;
    if (FrameFitting::cropArea(s, w, h, &x, &y, &cw, &ch)) {
        if (cw != w || ch != h) {
            chain.push_back({"crop",
                             {{"w", num(int64_t(cw))},
                              {"h", num(int64_t(ch))},
                              {"x", num(int64_t(x))},
                              {"y", num(int64_t(y))}},
                             {}});
            w = cw;
            h = ch;
        }
    }

    if (s.lightness || s.contrast || s.saturation) {
        auto level = [](int v) { return std::clamp(v, -100, 100) / 100.0; };
        chain.push_back({"eq",
                         {{"brightness", num(level(s.lightness) * 0.4)},
                          {"contrast", num(1.0 + level(s.contrast))},
                          {"saturation", num(1.0 + level(s.saturation))}},
                         {}});
    }
    if (s.blur)
        chain.push_back({"boxblur", {{"luma_radius", "2"}, {"luma_power", "1"}}, {}});
    if (s.negate)
        chain.push_back({"negate", {}, {}});
    if (s.deshake) {
        // The motion search steps down the picture in rows of 8 but compares
        // blocks of 16: on a picture whose height is not a multiple of 8 its
        // last blocks reach past the bottom of the picture's memory.  A search
        // area cut to a multiple of 8 keeps every block inside.
        FilterNode node{"deshake", {}, {}};
        if (h % 8 != 0 && h >= 8)
            node.options = {{"x", "0"}, {"y", "0"}, {"w", num(int64_t(w))}, {"h", num(int64_t(h - h % 8))}};
        chain.push_back(node);
    }
    if (s.sharp)
        chain.push_back(
            {"unsharp", {{"luma_msize_x", "5"}, {"luma_msize_y", "5"}, {"luma_amount", "1.5"}}, {}});

    if (s.subtitle && !s.subtitleFile.empty()) {
        FilterNode node{"subtitles", {{"filename", s.subtitleFile}}, {}};
        if (s.subtitleCustomStyle) {
            std::string style;
            if (!s.subtitleFontName.empty())
                style += "FontName=" + styleSafe(s.subtitleFontName) + ",";
            if (s.subtitleFontSize > 0)
                style += "FontSize=" + num(int64_t(s.subtitleFontSize)) + ",";
            char colour[32];
            std::snprintf(colour, sizeof(colour), "&H%08X", unsigned(uint32_t(s.subtitleColor)));
            style += std::string("PrimaryColour=") + colour + ",";
            style += "MarginL=" + num(int64_t(std::max(0, s.subtitleHorSpace))) + ",";
            style += "MarginR=" + num(int64_t(std::max(0, s.subtitleHorSpace))) + ",";
            style += "MarginV=" + num(int64_t(std::max(0, s.subtitleVerSpace)));
            node.options.push_back({"force_style", style});
        }
        node.options.push_back({"original_size", num(int64_t(w)) + "x" + num(int64_t(h))});
        chain.push_back(node);
    }

    if (s.imageWatermark && !s.imageWatermarkFile.empty()) {
        FilterNode node{"overlay",
                        {{"x", num(int64_t(std::max(0, s.imageWatermarkX)))},
                         {"y", num(int64_t(std::max(0, s.imageWatermarkY)))},
                         {"eof_action", "repeat"}},
                        {}};
        node.side.push_back({"movie", {{"filename", s.imageWatermarkFile}}, {}});
        if (s.imageWatermarkWidth > 0 && s.imageWatermarkHeight > 0)
            node.side.push_back({"scale",
                                 {{"w", num(int64_t(s.imageWatermarkWidth))},
                                  {"h", num(int64_t(s.imageWatermarkHeight))},
                                  {"flags", "bicubic"}},
                                 {}});
        chain.push_back(node);
    }

    if (s.textWatermark && !s.textWatermarkText.empty()) {
        uint32_t c = uint32_t(s.textWatermarkColor); // red, green, blue, opacity
        char colour[16];
        std::snprintf(colour, sizeof(colour), "0x%08X", unsigned(c));
        chain.push_back(
            {"drawtext",
             {{"fontfile", FontLookup::existingOrDefault(s.textWatermarkFontFile)},
              {"text", s.textWatermarkText},
              {"expansion", "none"},
              {"fontsize", num(int64_t(s.textWatermarkFontSize > 0 ? s.textWatermarkFontSize : 24))},
              {"fontcolor", colour},
              {"x", num(int64_t(std::max(0, s.textWatermarkX)))},
              {"y", num(int64_t(std::max(0, s.textWatermarkY)))}},
             {}});
    }

    // The preview's output size comes last, so that subtitles and watermarks
    // keep the size and place they have in the converted picture.  The
    // picture keeps its own shape: the conversion boxes, crops or marks the
    // display aspect of a frame of another shape, it never squeezes the
    // picture into it, so the preview must not either.
    if (s.zoomMode >= 0 && s.zoomWidth > 0 && s.zoomHeight > 0) {
        chain.push_back(
            {"scale",
             {{"w", num(int64_t(s.zoomWidth))}, {"h", num(int64_t(s.zoomHeight))}, {"flags", "bicubic"}},
             {}});
        AVRational zoomed{1, 1};
        av_reduce(&zoomed.num, &zoomed.den, int64_t(w) * sar.num * s.zoomHeight,
                  int64_t(h) * sar.den * s.zoomWidth, 1 << 16);
        w = s.zoomWidth;
        h = s.zoomHeight;
        sar = zoomed;
        chain.push_back({"setsar", {{"sar", rational(sar)}}, {}});
    }

    // Final size: square pixels unless a display aspect is asked for.
    int tw = out.width, th = out.height;
    const bool wholeFrame = tw > 0 && th > 0; // the frame's shape is given
    double displayW = w * double(sar.num) / sar.den;
    if (tw <= 0 && th <= 0) {
        if (out.displayAspect.num == 0 && sar.num != sar.den)
            tw = int(std::lround(displayW));
        else
            tw = w;
        th = h;
    } else if (tw <= 0) {
        tw = int(std::lround(th * displayW / h));
    } else if (th <= 0) {
        th = int(std::lround(tw * h / displayW));
    }
    if (out.evenSize) {
        tw = evenDown(tw);
        th = evenDown(th);
    }
    tw = std::max(1, tw);
    th = std::max(1, th);
    if (wholeFrame && out.fit != FrameFit::Stretch)
        FrameFitting::append(chain, out, w, h, displayW / h, tw, th);
    else if (tw != w || th != h)
        chain.push_back(
            {"scale", {{"w", num(int64_t(tw))}, {"h", num(int64_t(th))}, {"flags", "bicubic"}}, {}});
    if (out.displayAspect.num > 0)
        chain.push_back({"setdar", {{"dar", rational(out.displayAspect)}}, {}});
    else
        chain.push_back({"setsar", {{"sar", "1"}}, {}});
    if (out.frameRate.num > 0 && out.frameRate.den > 0)
        chain.push_back({"fps", {{"fps", rational(out.frameRate)}}, {}});

    if (outWidth)
        *outWidth = tw;
    if (outHeight)
        *outHeight = th;
    return chain;
}

double FilterGraph::pictureAspect(const FilterSettings &s, const VideoFilterInput &in)
{
    const int w = std::max(1, in.width);
    const int h = std::max(1, in.height);
    int x = 0, y = 0, cw = w, ch = h;
    FrameFitting::cropArea(s, w, h, &x, &y, &cw, &ch);
    const AVRational sar =
        in.sampleAspect.num > 0 && in.sampleAspect.den > 0 ? in.sampleAspect : AVRational{1, 1};
    return cw * av_q2d(sar) / ch;
}

std::vector<FilterNode> FilterGraph::audioChain(const FilterSettings &s, const AudioFilterInput &in,
                                                const AudioFilterOutput &out)
{
    std::vector<FilterNode> chain;
    if (s.audioLevelSet && s.audioLevel != 0) {
        double factor = std::max(0.0, 1.0 + std::clamp(s.audioLevel, -100, 100) / 100.0);
        chain.push_back({"volume", {{"volume", num(factor)}}, {}});
    }
    int rate = out.sampleRate > 0 ? out.sampleRate : in.sampleRate;
    int channels = out.channels > 0 ? out.channels : in.channels;
    FilterNode format{"aformat", {}, {}};
    if (!out.sampleFmts.empty()) {
        std::string list;
        for (int f : out.sampleFmts) {
            const char *name = av_get_sample_fmt_name(AVSampleFormat(f));
            if (name)
                list += (list.empty() ? "" : "|") + std::string(name);
        }
        format.options.push_back({"sample_fmts", list});
    }
    format.options.push_back({"sample_rates", num(int64_t(rate))});
    format.options.push_back(
        {"channel_layouts", layoutName(channels, channels == in.channels ? in.channelMask : 0)});
    chain.push_back(format);
    return chain;
}

std::string FilterGraph::escapeValue(const std::string &value)
{
    // Option level: quote the whole value; a quote is closed, escaped, reopened.
    std::string quoted = "'";
    for (char c : value) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    quoted += "'";
    // Graph level: every character the graph parser treats specially.
    std::string out;
    for (char c : quoted) {
        if (c == '\\' || c == '\'' || c == '[' || c == ']' || c == ',' || c == ';')
            out += '\\';
        out += c;
    }
    return out;
}

namespace {
std::string describeNode(const FilterNode &n)
{
    std::string s = n.name;
    for (size_t i = 0; i < n.options.size(); ++i)
        s += (i ? ":" : "=") + n.options[i].first + "=" + FilterGraph::escapeValue(n.options[i].second);
    return s;
}
} // namespace

std::string FilterGraph::describe(const std::vector<FilterNode> &chain)
{
    std::string graph;
    std::string pending; // the running main chain
    int label = 0;
    std::string current = "[in]";
    for (const FilterNode &n : chain) {
        if (n.side.empty()) {
            pending += (pending.empty() ? "" : ",") + describeNode(n);
            continue;
        }
        std::string mainLabel = "[v" + std::to_string(label) + "]";
        std::string sideLabel = "[s" + std::to_string(label) + "]";
        ++label;
        graph += current + (pending.empty() ? "null" : pending) + mainLabel + ";";
        std::string side;
        for (const FilterNode &sn : n.side)
            side += (side.empty() ? "" : ",") + describeNode(sn);
        graph += side + sideLabel + ";";
        current = mainLabel + sideLabel;
        pending = describeNode(n);
    }
    graph += current + (pending.empty() ? "null" : pending) + "[out]";
    return graph;
}

bool FilterGraph::cropFits(const FilterSettings &s, int width, int height, std::string *error)
{
    if (!s.crop || width <= 0 || height <= 0)
        return true;
    const int64_t right = int64_t(s.cropLeft) + s.cropWidth;
    const int64_t bottom = int64_t(s.cropTop) + s.cropHeight;
    if (s.cropLeft >= 0 && s.cropTop >= 0 && s.cropWidth > 0 && s.cropHeight > 0 && right <= width &&
        bottom <= height)
        return true;
    return av::failWith(error, "the crop area " + std::to_string(s.cropLeft) + "," +
                                   std::to_string(s.cropTop) + " " + std::to_string(s.cropWidth) + "x" +
                                   std::to_string(s.cropHeight) + " does not fit in the " +
                                   std::to_string(width) + "x" + std::to_string(height) + " picture");
}

bool FilterGraph::checkFiles(const FilterSettings &s, bool video, std::string *error)
{
    if (!video)
        return true;
    if (s.subtitle && !s.subtitleFile.empty() && !readable(s.subtitleFile)) {
        if (error)
            *error = "cannot read the subtitle file [" + s.subtitleFile + "]";
        return false;
    }
    if (s.subtitle && !s.subtitleFile.empty() && !readsAsSubtitles(s.subtitleFile)) {
        if (error)
            *error = "the file [" + s.subtitleFile + "] does not read as subtitles (SRT, ASS or SSA)";
        return false;
    }
    if (s.imageWatermark && !s.imageWatermarkFile.empty() && !readable(s.imageWatermarkFile)) {
        if (error)
            *error = "cannot read the watermark image [" + s.imageWatermarkFile + "]";
        return false;
    }
    return true;
}

void FilterGraph::reset()
{
    m_graph.reset();
    m_src = nullptr;
    m_sink = nullptr;
}

AVFilterContext *FilterGraph::makeFilter(const FilterNode &node, std::string *error)
{
    const AVFilter *filter = avfilter_get_by_name(node.name.c_str());
    if (!filter) {
        if (error)
            *error = "the filter " + node.name + " is not available";
        return nullptr;
    }
    AVFilterContext *ctx = avfilter_graph_alloc_filter(m_graph.get(), filter, nullptr);
    if (!ctx) {
        if (error)
            *error = "out of memory creating the filter " + node.name;
        return nullptr;
    }
    for (const auto &[key, value] : node.options) {
        int ret = av_opt_set(ctx, key.c_str(), value.c_str(), AV_OPT_SEARCH_CHILDREN);
        if (ret < 0) {
            if (error)
                *error = "bad option " + key + " of the filter " + node.name + ": " + av::errorText(ret);
            return nullptr;
        }
    }
    int ret = avfilter_init_str(ctx, nullptr);
    if (ret < 0) {
        if (error)
            *error = "cannot set up the filter " + node.name + ": " + av::errorText(ret);
        return nullptr;
    }
    return ctx;
}

bool FilterGraph::build(const std::vector<FilterNode> &chain, AVFilterContext *src, AVFilterContext *sink,
                        std::string *error)
{
    AVFilterContext *prev = src;
    for (const FilterNode &node : chain) {
        AVFilterContext *ctx = makeFilter(node, error);
        if (!ctx)
            return false;
        if (avfilter_link(prev, 0, ctx, 0) < 0) {
            if (error)
                *error = "cannot link the filter " + node.name;
            return false;
        }
        if (!node.side.empty()) {
            AVFilterContext *sidePrev = nullptr;
            for (const FilterNode &sn : node.side) {
                AVFilterContext *sctx = makeFilter(sn, error);
                if (!sctx)
                    return false;
                if (sidePrev && avfilter_link(sidePrev, 0, sctx, 0) < 0) {
                    if (error)
                        *error = "cannot link the filter " + sn.name;
                    return false;
                }
                sidePrev = sctx;
            }
            if (avfilter_link(sidePrev, 0, ctx, 1) < 0) {
                if (error)
                    *error = "cannot link the second input of " + node.name;
                return false;
            }
        }
        prev = ctx;
    }
    if (avfilter_link(prev, 0, sink, 0) < 0) {
        if (error)
            *error = "cannot link the filter sink";
        return false;
    }
    int ret = avfilter_graph_config(m_graph.get(), nullptr);
    if (ret < 0) {
        if (error)
            *error = "cannot configure the filter graph: " + av::errorText(ret);
        return false;
    }
    return true;
}

bool FilterGraph::allocEnds(const char *srcFilter, const char *sinkFilter, AVFilterContext **src,
                            AVFilterContext **sink, std::string *error)
{
    av::tuneScalerForCpu(); // before the graph's scalers are made
    m_graph.reset(avfilter_graph_alloc());
    if (m_graph) {
        m_graph->nb_threads = std::max(0, m_threads); // before the first filter starts the workers
        *src = avfilter_graph_alloc_filter(m_graph.get(), avfilter_get_by_name(srcFilter), "in");
        *sink = avfilter_graph_alloc_filter(m_graph.get(), avfilter_get_by_name(sinkFilter), "out");
    }
    if (!m_graph || !*src || !*sink) {
        if (error)
            *error = "out of memory";
        return false;
    }
    return true;
}

bool FilterGraph::initVideo(const FilterSettings &s, const VideoFilterInput &in, const VideoFilterOutput &out,
                            std::string *error)
{
    reset();
    if (!checkFiles(s, true, error))
        return false;
    std::vector<FilterNode> chain = videoChain(s, in, out);
    AVFilterContext *src = nullptr;
    AVFilterContext *sink = nullptr;
    if (!allocEnds("buffer", "buffersink", &src, &sink, error))
        return false;
    AVBufferSrcParameters *par = av_buffersrc_parameters_alloc();
    if (!par) {
        if (error)
            *error = "out of memory";
        return false;
    }
    par->format = in.pixFmt;
    par->width = in.width;
    par->height = in.height;
    par->time_base = in.timeBase;
    par->sample_aspect_ratio = in.sampleAspect.num > 0 ? in.sampleAspect : AVRational{1, 1};
    par->frame_rate = in.frameRate;
    int ret = av_buffersrc_parameters_set(src, par);
    av_free(par);
    if (ret >= 0)
        ret = avfilter_init_str(src, nullptr);
    if (ret >= 0 && !out.pixFmts.empty()) {
        std::vector<int> fmts = out.pixFmts;
        fmts.push_back(AV_PIX_FMT_NONE);
        ret = av_opt_set_int_list(sink, "pix_fmts", fmts.data(), AV_PIX_FMT_NONE, AV_OPT_SEARCH_CHILDREN);
    }
    if (ret >= 0)
        ret = avfilter_init_str(sink, nullptr);
    if (ret < 0) {
        if (error)
            *error = "cannot set up the video filter source: " + av::errorText(ret);
        return false;
    }
    if (!build(chain, src, sink, error)) {
        reset();
        return false;
    }
    m_src = src;
    m_sink = sink;
    return true;
}

bool FilterGraph::initAudio(const FilterSettings &s, const AudioFilterInput &in, const AudioFilterOutput &out,
                            std::string *error)
{
    reset();
    std::vector<FilterNode> chain = audioChain(s, in, out);
    AVFilterContext *src = nullptr;
    AVFilterContext *sink = nullptr;
    if (!allocEnds("abuffer", "abuffersink", &src, &sink, error))
        return false;
    std::string args = "time_base=" + rational(in.timeBase) +
                       ":sample_rate=" + std::to_string(in.sampleRate) +
                       ":sample_fmt=" + av_get_sample_fmt_name(AVSampleFormat(in.sampleFmt)) +
                       ":channel_layout=" + layoutName(in.channels, in.channelMask);
    int ret = avfilter_init_str(src, args.c_str());
    if (ret >= 0)
        ret = avfilter_init_str(sink, nullptr);
    if (ret < 0) {
        if (error)
            *error = "cannot set up the audio filter source: " + av::errorText(ret);
        return false;
    }
    if (!build(chain, src, sink, error)) {
        reset();
        return false;
    }
    m_src = src;
    m_sink = sink;
    return true;
}

int FilterGraph::push(AVFrame *frame)
{
    if (!m_src)
        return AVERROR(EINVAL);
    return av_buffersrc_add_frame_flags(m_src, frame, AV_BUFFERSRC_FLAG_KEEP_REF);
}

int FilterGraph::pushEnd(int64_t pts)
{
    if (!m_src)
        return AVERROR(EINVAL);
    return av_buffersrc_close(m_src, pts, AV_BUFFERSRC_FLAG_PUSH);
}

int FilterGraph::pull(AVFrame *frame)
{
    if (!m_sink)
        return AVERROR(EINVAL);
    return av_buffersink_get_frame(m_sink, frame);
}

AVRational FilterGraph::outputTimeBase() const
{
    return m_sink ? av_buffersink_get_time_base(m_sink) : AVRational{0, 1};
}
