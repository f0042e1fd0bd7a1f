#include "engine/transcode/outputplan.h"

#include "engine/av/filtergraph.h"
#include "engine/av/framefit.h"

#include <algorithm>
#include <cmath>
#include <variant>

namespace {

AVRational sourceRate(const AVStream *vs)
{
    AVRational r = vs->avg_frame_rate;
    if (r.num <= 0 || r.den <= 0 || av_q2d(r) > 240)
        r = vs->r_frame_rate;
    if (r.num <= 0 || r.den <= 0 || av_q2d(r) > 240)
        r = {25, 1};
    return r;
}

// H.263 only has a handful of picture sizes: the one nearest in width.
void nearestH263Size(int *width, int *height)
{
    static const int sizes[][2] = {{128, 96}, {176, 144}, {352, 288}, {704, 576}, {1408, 1152}};
    int best = 0;
    for (int i = 0; i < 5; ++i)
        if (std::abs(sizes[i][0] - *width) < std::abs(sizes[best][0] - *width))
            best = i;
    *width = sizes[best][0];
    *height = sizes[best][1];
}

// DVD and DV pictures are PAL or NTSC, whichever the asked rate is nearer
// to, with the standard size; the display aspect follows the source's.
AVRational broadcastFormat(AVRational wanted, const VideoFilterInput &source, int *width, int *height,
                           AVRational *displayAspect)
{
    const bool pal = std::fabs(av_q2d(wanted) - 25.0) <= std::fabs(av_q2d(wanted) - 29.97);
    *width = 720;
    *height = pal ? 576 : 480;
    const double sar = source.sampleAspect.num > 0 ? av_q2d(source.sampleAspect) : 1.0;
    const double dar = source.width * sar / std::max(1, source.height);
    *displayAspect = dar >= 1.5 ? AVRational{16, 9} : AVRational{4, 3};
    return pal ? AVRational{25, 1} : AVRational{30000, 1001};
}

// A frame of exactly the (cropped) source's size keeps the source's pixels:
// an anamorphic picture keeps its sample aspect instead of being squeezed
// into square pixels or boxed inside its own frame.
void keepSourcePixels(const FilterSettings &filters, const VideoFilterInput &source, int width, int height,
                      AVRational *displayAspect)
{
    const AVRational sar = source.sampleAspect;
    if (sar.num <= 0 || sar.den <= 0 || sar.num == sar.den)
        return;
    int x = 0, y = 0, cw = source.width, ch = source.height;
    FrameFitting::cropArea(filters, source.width, source.height, &x, &y, &cw, &ch);
    if (std::max(2, cw & ~1) != width || std::max(2, ch & ~1) != height)
        return;
    av_reduce(&displayAspect->num, &displayAspect->den, int64_t(cw) * sar.num, int64_t(ch) * sar.den,
              1 << 16);
}

AVRational asRational(Rational r)
{
    return r.isSet() ? AVRational{r.num, r.den} : AVRational{0, 1};
}

// The output's rate control set on the encoder's parameters; false with the
// reason when the encoder cannot follow it.
bool planRate(const VideoRate &rate, VideoEncodeParams &vp, std::string *error)
{
    if (const auto *bits = std::get_if<RateControl::BitRate>(&rate)) {
        vp.bitRate = std::max<int64_t>(0, bits->bitsPerSecond);
        return true;
    }
    if (const auto *quality = std::get_if<RateControl::ConstantQuality>(&rate)) {
        if (vp.dvd)
            return av::failWith(error, "a DVD picture is encoded at a bit rate, not at a constant quality");
        vp.quality = std::max(0.0, quality->quality);
        return true;
    }
    return av::failWith(error, "encoding to a target size in two passes is not supported yet");
}

// vin: the source picture; sourceFrameRate: its rate, taken when the output
// leaves the rate to the source.
bool planVideo(const OutputSpec &spec, const FilterSettings &filters, const VideoFilterInput &vin,
               AVRational sourceFrameRate, OutputPlan &p, std::string *error)
{
    VideoFilterOutput vout;
    vout.width = std::max(0, spec.video.width);
    vout.height = std::max(0, spec.video.height);
    vout.fit = p.fit = spec.video.fit;
    int width = 0, height = 0;
    FilterGraph::videoChain(filters, vin, vout, &width, &height);

    const AVRational wanted =
        spec.video.frameRate.isSet() ? asRational(spec.video.frameRate) : sourceFrameRate;
    const std::string &vcodec = p.video.encoder;
    AVRational rate;
    if (p.dvd || vcodec == "dvvideo")
        rate = broadcastFormat(wanted, vin, &width, &height, &p.displayAspect);
    else if (p.rule.anyFrameRate)
        rate = av_d2q(std::max(1.0, std::round(av_q2d(wanted))), 1000);
    else
        rate = Encoder::supportedFrameRate(vcodec, wanted);
    if (vcodec == "h263")
        nearestH263Size(&width, &height);
    else if (!p.dvd && vcodec != "dvvideo" && p.fit != FrameFit::Stretch)
        keepSourcePixels(filters, vin, width, height, &p.displayAspect);
    VideoEncodeParams &vp = p.videoParams;
    vp.encoder = vcodec;
    vp.width = std::max(2, width & ~1);
    vp.height = std::max(2, height & ~1);
    vp.frameRate = rate;
    vp.dvd = p.dvd;
    vp.anyFrameRate = p.rule.anyFrameRate;
    vp.forceKeyframeEveryMs = OutputPlan::keyframeEveryMs(spec);
    if (p.displayAspect.num > 0)
        av_reduce(&vp.sampleAspect.num, &vp.sampleAspect.den, int64_t(p.displayAspect.num) * vp.height,
                  int64_t(p.displayAspect.den) * vp.width, 1 << 16);
    return planRate(spec.video.rate, vp, error);
}

void planAudio(const AudioOutputSpec &spec, const AVStream *source, OutputPlan &p)
{
    AudioEncodeParams &ap = p.audioParams;
    ap.encoder = p.audio.encoder;
    const int rate = spec.sampleRate > 0 ? spec.sampleRate : source->codecpar->sample_rate;
    int channels = spec.channels > 0 ? spec.channels : source->codecpar->ch_layout.nb_channels;
    if (p.dvd)
        channels = std::min(channels, 2);
    ap.sampleRate = Encoder::supportedSampleRate(ap.encoder, rate, p.rule.sampleRates);
    ap.channels = Encoder::supportedChannels(ap.encoder, channels);
    ap.bitRate = std::max<int64_t>(0, spec.bitRate);
    if (p.dvd && ap.encoder == "ac3")
        ap.bitRate = std::clamp<int64_t>(ap.bitRate > 0 ? ap.bitRate : 192000, 64000, 448000);
    ap.preferredSampleFmt = source->codecpar->format;
}

// The container and the encoders; false when the output cannot be written.
bool planFormat(const OutputSpec &spec, OutputPlan &p, std::string *error)
{
    p.dvd = spec.dvd;
    const std::string ext = EncoderNames::extensionOf(spec.path);
    p.rule = p.dvd ? EncoderNames::dvd() : EncoderNames::container(ext);
    if (!spec.container.empty())
        p.rule.muxer = spec.container;
    if (p.rule.muxer.empty())
        return av::failWith(error, "the output format ." + ext + " cannot be written");
    if (p.dvd) {
        p.video = spec.video.codec.empty() ? ResolvedEncoder{} : ResolvedEncoder{"mpeg2video", "", false};
        p.audio = spec.audio.codec.empty() ? ResolvedEncoder{}
                  : EncoderNames::canonicalAudio(spec.audio.codec) == "mp2"
                      ? ResolvedEncoder{"mp2", "", false}
                      : ResolvedEncoder{"ac3", "", false};
        return true;
    }
    if (!spec.video.codec.empty())
        p.video = EncoderNames::resolveVideo(spec.video.codec, ext);
    if (!spec.audio.codec.empty())
        p.audio = EncoderNames::resolveAudio(spec.audio.codec, ext);
    return true;
}

} // namespace

double OutputPlan::keyframeEveryMs(const OutputSpec &output)
{
    if (output.splitMs > 0)
        return double(output.splitMs); // every segment starts on its own key frame
    if (output.splitBytes <= 0)
        return 0.0;
    // Segments are cut at key frames: a key frame for every eighth of a
    // segment's bytes (within 1 to 10 s) fills them to close to the limit.
    const auto *videoBits = std::get_if<RateControl::BitRate>(&output.video.rate);
    const double bits = double(std::max<int64_t>(0, videoBits ? videoBits->bitsPerSecond : 0)) +
                        double(std::max<int64_t>(0, output.audio.bitRate));
    const double bitsPerSecond = bits > 0 ? bits : 4000000.0;
    return std::clamp(double(output.splitBytes) * 8.0 / 8.0 / bitsPerSecond * 1000.0, 1000.0, 10000.0);
}

bool OutputPlan::make(const OutputSpec &output, const FilterSettings &filters, const AVStream *videoSource,
                      const AVStream *audioSource, OutputPlan *plan, std::string *error, bool blackPicture)
{
    OutputPlan p;
    if (!planFormat(output, p, error))
        return false;
    const std::string ext = EncoderNames::extensionOf(output.path);
    p.hasVideo = (videoSource || blackPicture) && !p.rule.audioOnly && !p.video.encoder.empty();
    p.hasAudio = audioSource && !p.audio.encoder.empty();
    if (!p.hasVideo && !p.hasAudio)
        return av::failWith(error, "nothing to write: the inputs have no stream the output format ." + ext +
                                       " can hold");
    // MPEG-2 video and AC-3 sound belong in an MPEG-2 program stream.
    if (p.rule.muxer == "mpeg" && !p.rule.dpg &&
        ((p.hasVideo && p.video.encoder == "mpeg2video") ||
         (p.hasAudio && p.audio.encoder != "mp2" && p.audio.encoder != "libmp3lame")))
        p.rule.muxer = "vob";

    if (p.hasVideo) {
        // Without a source the pictures are black ones in the output's frame
        // (4:3 when it leaves the size to the source), square pixels.
        const VideoOutputSpec &v = output.video;
        VideoFilterInput vin;
        vin.width = videoSource ? videoSource->codecpar->width : v.width > 0 ? v.width : 640;
        vin.height = videoSource ? videoSource->codecpar->height : v.height > 0 ? v.height : 480;
        vin.sampleAspect = videoSource ? videoSource->codecpar->sample_aspect_ratio : AVRational{1, 1};
        if (!planVideo(output, filters, vin, videoSource ? sourceRate(videoSource) : AVRational{25, 1}, p,
                       error))
            return false;
    }
    if (p.hasAudio)
        planAudio(output.audio, audioSource, p);
    *plan = std::move(p);
    return true;
}
