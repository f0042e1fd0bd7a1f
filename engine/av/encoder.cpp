#include "engine/av/encoder.h"

#include "engine/av/vaapiencoding.h"

extern "C" {
#include <libavutil/hwcontext.h>
#include <libavutil/opt.h>
}

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const AVCodec *find(const std::string &name)
{
    return avcodec_find_encoder_by_name(name.c_str());
}

bool openContext(av::CodecContextPtr &ctx, const AVCodec *codec, AVDictionary **opts, std::string *error)
{
    int ret = avcodec_open2(ctx.get(), codec, opts);
    if (ret < 0) {
        if (error)
            *error = std::string("cannot open the encoder ") + codec->name + ": " + av::errorText(ret);
        ctx.reset();
        return false;
    }
    return true;
}

} // namespace

AVRational Encoder::supportedFrameRate(const std::string &encoder, AVRational wanted)
{
    if (wanted.num <= 0 || wanted.den <= 0)
        wanted = {25, 1};
    const double fps = av_q2d(wanted);
    for (AVRational ntsc : {AVRational{24000, 1001}, AVRational{30000, 1001}, AVRational{60000, 1001}})
        if (std::fabs(fps - av_q2d(ntsc)) < 0.01)
            wanted = ntsc;
    av_reduce(&wanted.num, &wanted.den, wanted.num, wanted.den, 65535);
    const AVCodec *codec = find(encoder);
    if (codec && codec->supported_framerates) {
        int idx = av_find_nearest_q_idx(wanted, codec->supported_framerates);
        wanted = codec->supported_framerates[idx];
    }
    return wanted;
}

int Encoder::supportedSampleRate(const std::string &encoder, int wanted, const std::vector<int> &allowed)
{
    auto nearest = [](int want, const std::vector<int> &list) {
        int best = list.front();
        for (int r : list)
            if (std::abs(r - want) < std::abs(best - want) ||
                (std::abs(r - want) == std::abs(best - want) && r > best))
                best = r;
        return best;
    };
    if (wanted <= 0)
        wanted = 44100;
    if (!allowed.empty())
        wanted = nearest(wanted, allowed);
    const AVCodec *codec = find(encoder);
    if (codec && codec->supported_samplerates) {
        std::vector<int> list;
        for (const int *r = codec->supported_samplerates; *r; ++r)
            list.push_back(*r);
        if (!list.empty())
            wanted = nearest(wanted, list);
    }
    return wanted;
}

int Encoder::supportedChannels(const std::string &encoder, int wanted)
{
    if (wanted <= 0)
        wanted = 2;
    const AVCodec *codec = find(encoder);
    if (!codec)
        return wanted;
    const std::string name = codec->name;
    if (name == "wmav1" || name == "wmav2" || name == "mp2" || name == "libmp3lame" || name == "adpcm_ms" ||
        name == "adpcm_ima_wav" || name == "flv" || name == "pcm_s16le_planar")
        wanted = std::min(wanted, 2);
    if (codec->ch_layouts) {
        int best = 0;
        for (const AVChannelLayout *l = codec->ch_layouts; l->nb_channels; ++l) {
            if (l->nb_channels == wanted)
                return wanted;
            if (l->nb_channels <= wanted && l->nb_channels > best)
                best = l->nb_channels;
        }
        return best > 0 ? best : codec->ch_layouts[0].nb_channels;
    }
    return wanted;
}

int Encoder::videoPixFmt(const std::string &encoder, int height)
{
    const AVCodec *codec = find(encoder);
    if (!codec || !codec->pix_fmts)
        return AV_PIX_FMT_YUV420P;
    if (std::string(codec->name) == "dvvideo")
        return height == 480 ? AV_PIX_FMT_YUV411P : AV_PIX_FMT_YUV420P;
    for (const AVPixelFormat *f = codec->pix_fmts; *f != AV_PIX_FMT_NONE; ++f)
        if (*f == AV_PIX_FMT_YUV420P)
            return *f;
    return codec->pix_fmts[0];
}

const AVCodec *Encoder::allocContext(const std::string &name, const char *kind, std::string *error)
{
    m_ctx.reset();
    const AVCodec *codec = find(name);
    if (!codec) {
        if (error)
            *error = std::string("the ") + kind + " encoder " + name + " is not available";
        return nullptr;
    }
    m_ctx.reset(avcodec_alloc_context3(codec));
    if (!m_ctx) {
        if (error)
            *error = "out of memory";
        return nullptr;
    }
    return codec;
}

namespace {

// A constant quality: CRF where the encoder has it (x264, x265, VP9, AV1),
// a fixed quantiser scale elsewhere.
void setQuality(AVCodecContext *c, double quality, av::Dictionary &opts)
{
    char value[32];
    std::snprintf(value, sizeof(value), "%g", quality);
    c->bit_rate = 0;
    if (c->priv_data && av_opt_find(c->priv_data, "crf", nullptr, 0, 0)) {
        opts.set("crf", value);
        return;
    }
    if (c->pix_fmt == AV_PIX_FMT_VAAPI) { // the hardware encoders take a quantiser
        c->global_quality = int(std::lround(quality));
        return;
    }
    c->flags |= AV_CODEC_FLAG_QSCALE;
    c->global_quality = int(std::lround(FF_QP2LAMBDA * quality));
}

// The encoder's own options: threads, and key frames where the output is cut.
void setPrivateOptions(const AVCodec *codec, AVCodecContext *c, const VideoEncodeParams &p,
                       av::Dictionary &opts)
{
    if (c->thread_count == 0)
        opts.set("threads", "auto");
    else if (std::string(codec->name) == "libx265") // x265 keeps a thread pool of its own
        opts.set("x265-params", ("pools=" + std::to_string(c->thread_count)).c_str());
    // x264's own look-ahead thread decides the last pictures' types by how
    // far it got when the input ended, so the same job could give another
    // file each time.  On the encoding thread the same input always gives
    // the same output.
    if (std::string(codec->name) == "libx264")
        opts.set("x264-params", "sync-lookahead=0");
    if (p.forceKeyframeEveryMs > 0) {
        // Output cut at key frames: every key frame must start a picture
        // group that needs nothing before it.
        c->flags |= AV_CODEC_FLAG_CLOSED_GOP;
        if (av_opt_find(c->priv_data, "forced-idr", nullptr, 0, 0))
            opts.set("forced-idr", "1");
        // FFmpeg's MPEG family closes picture groups only without its own
        // scene-change key frames (x264 does both).
        if (codec->id != AV_CODEC_ID_H264 && av_opt_find(c->priv_data, "sc_threshold", nullptr, 0, 0))
            opts.set("sc_threshold", "1000000000");
    }
}

} // namespace

void Encoder::setVideoBasics(const VideoEncodeParams &p)
{
    AVCodecContext *c = m_ctx.get();
    c->width = p.width;
    c->height = p.height;
    c->framerate = p.frameRate;
    c->time_base = av_inv_q(p.frameRate);
    c->sample_aspect_ratio = p.sampleAspect;
    c->thread_count = std::max(0, p.threads);
    if (p.bitRate > 0)
        c->bit_rate = p.bitRate;
    if (p.globalHeader)
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
}

bool Encoder::openVideo(const VideoEncodeParams &p, std::string *error)
{
    m_hwFrames.reset();
    if (p.hardware) {
        std::string why;
        if (openHardware(p, &why))
            return true;
        qWarning("GPU encoding: %s; encoding with [%s] in software", why.c_str(), p.encoder.c_str());
    }
    const AVCodec *codec = allocContext(p.encoder, "video", error);
    if (!codec)
        return false;
    AVCodecContext *c = m_ctx.get();
    setVideoBasics(p);
    c->pix_fmt = AVPixelFormat(videoPixFmt(p.encoder, p.height));
    if (p.dvd) {
        const bool pal = p.height == 576;
        c->gop_size = pal ? 15 : 18;
        c->max_b_frames = 2;
        c->rc_max_rate = 9000000;
        c->rc_min_rate = 0;
        c->rc_buffer_size = 224 * 1024 * 8;
        c->bit_rate = std::clamp<int64_t>(p.bitRate > 0 ? p.bitRate : 6000000, 1000000, 8000000);
    } else if (codec->id == AV_CODEC_ID_MPEG2VIDEO || codec->id == AV_CODEC_ID_MPEG1VIDEO) {
        c->gop_size = 15;
        c->max_b_frames = 2;
        c->rc_buffer_size = 224 * 1024 * 8;
        if (c->bit_rate > 0)
            c->rc_max_rate = std::max<int64_t>(c->bit_rate * 3 / 2, 2000000);
    }
    if (codec->id == AV_CODEC_ID_MJPEG)
        c->color_range = AVCOL_RANGE_JPEG;
    if (p.anyFrameRate)
        c->strict_std_compliance = FF_COMPLIANCE_EXPERIMENTAL;
    av::Dictionary opts;
    setPrivateOptions(codec, c, p, opts);
    if (p.quality >= 0 && !p.dvd)
        setQuality(c, p.quality, opts);
    return openContext(m_ctx, codec, opts.address(), error);
}

bool Encoder::openHardware(const VideoEncodeParams &p, std::string *why)
{
    const std::string name = VaapiEncoding::encoderFor(p.encoder);
    if (name.empty())
        return av::failWith(why, "there is no VAAPI encoder for " + p.encoder);
    if (!find(name))
        return av::failWith(why, "this FFmpeg has no " + name);
    const std::string node = VaapiEncoding::renderNode();
    if (node.empty())
        return av::failWith(why, "no usable render node (/dev/dri/renderD*)");
    av::BufferRefPtr device = VaapiEncoding::openDevice(node, why);
    if (!device)
        return false;
    av::BufferRefPtr frames = VaapiEncoding::makeFrames(device.get(), p.width, p.height, why);
    if (!frames)
        return false;
    av::FramePtr upload = av::makeFrame();
    if (!upload)
        return av::failWith(why, "out of memory");
    const AVCodec *codec = allocContext(name, "video", why);
    if (!codec)
        return false;
    setVideoBasics(p);
    m_ctx->pix_fmt = AV_PIX_FMT_VAAPI;
    m_ctx->hw_frames_ctx = av_buffer_ref(frames.get());
    if (!m_ctx->hw_frames_ctx) {
        m_ctx.reset();
        return av::failWith(why, "out of memory");
    }
    av::Dictionary opts;
    if (p.quality >= 0)
        setQuality(m_ctx.get(), p.quality, opts);
    if (!openContext(m_ctx, codec, opts.address(), why))
        return false;
    m_hwFrames = std::move(frames);
    m_upload = std::move(upload);
    return true;
}

bool Encoder::openAudio(const AudioEncodeParams &p, std::string *error)
{
    const AVCodec *codec = allocContext(p.encoder, "audio", error);
    if (!codec)
        return false;
    AVCodecContext *c = m_ctx.get();
    c->sample_rate = p.sampleRate;
    av_channel_layout_default(&c->ch_layout, p.channels);
    c->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_S16;
    if (codec->sample_fmts && p.preferredSampleFmt >= 0)
        for (const AVSampleFormat *f = codec->sample_fmts; *f != AV_SAMPLE_FMT_NONE; ++f)
            if (*f == p.preferredSampleFmt)
                c->sample_fmt = *f;
    c->time_base = {1, p.sampleRate};
    c->thread_count = std::max(0, p.threads);
    if (p.bitRate > 0)
        c->bit_rate = p.bitRate;
    if (codec->id == AV_CODEC_ID_AC3)
        c->bit_rate = std::min<int64_t>(c->bit_rate > 0 ? c->bit_rate : 192000, 640000);
    if (p.globalHeader)
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    bool ok = openContext(m_ctx, codec, nullptr, error);
    if (!ok && p.bitRate > 0) {
        // Some encoders accept only certain rates: retry with their default.
        m_ctx.reset(avcodec_alloc_context3(codec));
        if (!m_ctx)
            return false;
        c = m_ctx.get();
        c->sample_rate = p.sampleRate;
        av_channel_layout_default(&c->ch_layout, p.channels);
        c->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_S16;
        c->time_base = {1, p.sampleRate};
        if (p.globalHeader)
            c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        ok = openContext(m_ctx, codec, nullptr, error);
    }
    return ok;
}

int Encoder::frameSize() const
{
    if (!m_ctx)
        return 0;
    if (m_ctx->frame_size > 0 && !(m_ctx->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE))
        return m_ctx->frame_size;
    return 1024;
}

int Encoder::inputPixFmt() const
{
    if (m_hwFrames)
        return VaapiEncoding::kUploadFormat;
    return m_ctx ? m_ctx->pix_fmt : AV_PIX_FMT_NONE;
}

int Encoder::send(const AVFrame *frame)
{
    if (!m_ctx)
        return AVERROR(EINVAL);
    if (!m_hwFrames || !frame)
        return avcodec_send_frame(m_ctx.get(), frame);
    // Up to the graphics card first: a surface of the encoder's pool.
    av_frame_unref(m_upload.get());
    int ret = av_hwframe_get_buffer(m_hwFrames.get(), m_upload.get(), 0);
    if (ret >= 0)
        ret = av_hwframe_transfer_data(m_upload.get(), frame, 0);
    if (ret >= 0)
        ret = av_frame_copy_props(m_upload.get(), frame);
    if (ret >= 0)
        ret = avcodec_send_frame(m_ctx.get(), m_upload.get());
    return ret;
}

int Encoder::receive(AVPacket *packet)
{
    return m_ctx ? avcodec_receive_packet(m_ctx.get(), packet) : AVERROR(EINVAL);
}
