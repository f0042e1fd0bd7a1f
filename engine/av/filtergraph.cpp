#include "engine/av/filtergraph.h"

#include "engine/av/framefit.h"
#include "engine/av/overlaychain.h"
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

// The picture as the chain has it so far.
struct ChainPicture {
    int w;
    int h;
    AVRational sar;
};

// Mirroring comes before the crop: the crop area is chosen on the picture
// as it is shown, mirrored.
void appendMirrorAndCrop(std::vector<FilterNode> &chain, const FilterSettings &s, ChainPicture &pic)
{
    if (s.hFlip)
        chain.push_back({"hflip", {}, {}});
    if (s.vFlip)
        chain.push_back({"vflip", {}, {}});
    int x = 0, y = 0, cw = pic.w, ch = pic.h;
    if (!FrameFitting::cropArea(s, pic.w, pic.h, &x, &y, &cw, &ch) || (cw == pic.w && ch == pic.h))
        return;
    chain.push_back(
        {"crop",
         {{"w", num(int64_t(cw))}, {"h", num(int64_t(ch))}, {"x", num(int64_t(x))}, {"y", num(int64_t(y))}},
         {}});
    pic.w = cw;
    pic.h = ch;
}

void appendEffects(std::vector<FilterNode> &chain, const FilterSettings &s, const ChainPicture &pic)
{
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
        if (pic.h % 8 != 0 && pic.h >= 8)
            node.options = {
                {"x", "0"}, {"y", "0"}, {"w", num(int64_t(pic.w))}, {"h", num(int64_t(pic.h - pic.h % 8))}};
        chain.push_back(node);
    }
    if (s.sharp)
        chain.push_back(
            {"unsharp", {{"luma_msize_x", "5"}, {"luma_msize_y", "5"}, {"luma_amount", "1.5"}}, {}});
}

// The preview's output size comes last, so that subtitles and watermarks
// keep the size and place they have in the converted picture.  The picture
// keeps its own shape: the conversion boxes, crops or marks the display
// aspect of a frame of another shape, it never squeezes the picture into
// it, so the preview must not either.
void appendZoom(std::vector<FilterNode> &chain, const FilterSettings &s, ChainPicture &pic)
{
    if (s.zoomMode < 0 || s.zoomWidth <= 0 || s.zoomHeight <= 0)
        return;
    chain.push_back(
        {"scale",
         {{"w", num(int64_t(s.zoomWidth))}, {"h", num(int64_t(s.zoomHeight))}, {"flags", "bicubic"}},
         {}});
    AVRational zoomed{1, 1};
    av_reduce(&zoomed.num, &zoomed.den, int64_t(pic.w) * pic.sar.num * s.zoomHeight,
              int64_t(pic.h) * pic.sar.den * s.zoomWidth, 1 << 16);
    pic = {s.zoomWidth, s.zoomHeight, zoomed};
    chain.push_back({"setsar", {{"sar", rational(pic.sar)}}, {}});
}

// The frame size the output asks for, the open sides taken from the
// picture's display shape: square pixels unless a display aspect is asked for.
void frameSize(const VideoFilterOutput &out, const ChainPicture &pic, double displayW, int *width,
               int *height)
{
    int tw = out.width, th = out.height;
    if (tw <= 0 && th <= 0) {
        tw = out.displayAspect.num == 0 && pic.sar.num != pic.sar.den ? int(std::lround(displayW)) : pic.w;
        th = pic.h;
    } else if (tw <= 0) {
        tw = int(std::lround(th * displayW / pic.h));
    } else if (th <= 0) {
        th = int(std::lround(tw * pic.h / displayW));
    }
    if (out.evenSize) {
        tw = evenDown(tw);
        th = evenDown(th);
    }
    *width = std::max(1, tw);
    *height = std::max(1, th);
}

// The picture placed in the output's frame, its pixel shape and rate.
void appendFinalFrame(std::vector<FilterNode> &chain, const VideoFilterOutput &out, const ChainPicture &pic,
                      int *width, int *height)
{
    const bool wholeFrame = out.width > 0 && out.height > 0; // the frame's shape is given
    const double displayW = pic.w * double(pic.sar.num) / pic.sar.den;
    int tw = 0, th = 0;
    frameSize(out, pic, displayW, &tw, &th);
    if (wholeFrame && out.fit != FrameFit::Stretch)
        FrameFitting::append(chain, out, pic.w, pic.h, displayW / pic.h, tw, th);
    else if (tw != pic.w || th != pic.h)
        chain.push_back(
            {"scale", {{"w", num(int64_t(tw))}, {"h", num(int64_t(th))}, {"flags", "bicubic"}}, {}});
    if (out.displayAspect.num > 0)
        chain.push_back({"setdar", {{"dar", rational(out.displayAspect)}}, {}});
    else
        chain.push_back({"setsar", {{"sar", "1"}}, {}});
    if (out.frameRate.num > 0 && out.frameRate.den > 0)
        chain.push_back({"fps", {{"fps", rational(out.frameRate)}}, {}});
    *width = tw;
    *height = th;
}

} // namespace

std::vector<FilterNode> FilterGraph::videoChain(const FilterSettings &s, const VideoFilterInput &in,
                                                const VideoFilterOutput &out, int *outWidth, int *outHeight)
{
    std::vector<FilterNode> chain;
    ChainPicture pic{std::max(1, in.width), std::max(1, in.height),
                     in.sampleAspect.num > 0 && in.sampleAspect.den > 0 ? in.sampleAspect : AVRational{1, 1}};
    if (s.deinterlace)
        appendDeinterlace(chain, s.deinterlaceMode, pic.h);
    appendMirrorAndCrop(chain, s, pic);
    appendEffects(chain, s, pic);
    OverlayChain::appendSubtitle(chain, s, pic.w, pic.h);
    OverlayChain::appendWatermarks(chain, s);
    appendZoom(chain, s, pic);
    int tw = 0, th = 0;
    appendFinalFrame(chain, out, pic, &tw, &th);
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
                list.append(list.empty() ? "" : "|").append(name);
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
        s.append(i ? ":" : "=")
            .append(n.options[i].first)
            .append("=")
            .append(FilterGraph::escapeValue(n.options[i].second));
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
            pending.append(pending.empty() ? "" : ",").append(describeNode(n));
            continue;
        }
        const std::string mainLabel = std::string("[v").append(std::to_string(label)).append("]");
        const std::string sideLabel = std::string("[s").append(std::to_string(label)).append("]");
        ++label;
        graph.append(current).append(pending.empty() ? "null" : pending).append(mainLabel).append(";");
        std::string side;
        for (const FilterNode &sn : n.side)
            side.append(side.empty() ? "" : ",").append(describeNode(sn));
        graph.append(side).append(sideLabel).append(";");
        current = mainLabel;
        current.append(sideLabel);
        pending = describeNode(n);
    }
    graph.append(current).append(pending.empty() ? "null" : pending).append("[out]");
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
