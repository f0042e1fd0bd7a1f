#include "engine/transcode/outputplan.h"

#include "engine/av/filtergraph.h"
#include "engine/av/framefit.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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

// vin: the source picture; sourceFrameRate: its rate, taken when the record
// leaves the rate to the source.
void planVideo(const EncodeInfo &info, const FilterSettings &filters, const VideoFilterInput &vin,
               AVRational sourceFrameRate, OutputPlan &p)
{
    VideoFilterOutput vout;
    vout.width = std::max(0, info.width);
    vout.height = std::max(0, info.height);
    vout.fit = p.fit = OutputPlan::fitOf(info);
    int width = 0, height = 0;
    FilterGraph::videoChain(filters, vin, vout, &width, &height);

    const AVRational wanted = info.frameRate > 0 ? AVRational{info.frameRate, 1000} : sourceFrameRate;
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
    vp.bitRate = info.videoBitrate;
    vp.dvd = p.dvd;
    vp.anyFrameRate = p.rule.anyFrameRate;
    vp.forceKeyframeEveryMs = OutputPlan::keyframeEveryMs(info);
    if (p.displayAspect.num > 0)
        av_reduce(&vp.sampleAspect.num, &vp.sampleAspect.den, int64_t(p.displayAspect.num) * vp.height,
                  int64_t(p.displayAspect.den) * vp.width, 1 << 16);
}

void planAudio(const EncodeInfo &info, const AVStream *source, OutputPlan &p)
{
    AudioEncodeParams &ap = p.audioParams;
    ap.encoder = p.audio.encoder;
    const int rate = info.sampleRate > 0 ? info.sampleRate : source->codecpar->sample_rate;
    int channels = info.channels > 0 ? info.channels : source->codecpar->ch_layout.nb_channels;
    if (p.dvd)
        channels = std::min(channels, 2);
    ap.sampleRate = Encoder::supportedSampleRate(ap.encoder, rate, p.rule.sampleRates);
    ap.channels = Encoder::supportedChannels(ap.encoder, channels);
    ap.bitRate = info.audioBitrate;
    if (p.dvd && ap.encoder == "ac3")
        ap.bitRate = std::clamp<int64_t>(ap.bitRate > 0 ? ap.bitRate : 192000, 64000, 448000);
    ap.preferredSampleFmt = source->codecpar->format;
}

} // namespace

FrameFit OutputPlan::fitOf(const EncodeInfo &info)
{
    switch (info.aspectMode) {
    case ENCODE_ASPECT_STRETCH:
        return FrameFit::Stretch;
    case ENCODE_ASPECT_CROP:
        return FrameFit::Crop;
    default:
        return FrameFit::Pad;
    }
}

double OutputPlan::keyframeEveryMs(const EncodeInfo &info)
{
    if (info.splitMs > 0)
        return double(info.splitMs); // every segment starts on its own key frame
    if (info.splitBytes <= 0)
        return 0.0;
    // Segments are cut at key frames: a key frame for every eighth of a
    // segment's bytes (within 1 to 10 s) fills them to close to the limit.
    const double bits = double(std::max(0, info.videoBitrate)) + double(std::max(0, info.audioBitrate));
    const double bitsPerSecond = bits > 0 ? bits : 4000000.0;
    return std::clamp(double(info.splitBytes) * 8.0 / 8.0 / bitsPerSecond * 1000.0, 1000.0, 10000.0);
}

bool OutputPlan::make(const EncodeInfo &info, const std::string &outputPath, const FilterSettings &filters,
                      const AVStream *videoSource, const AVStream *audioSource, OutputPlan *plan,
                      std::string *error, bool blackPicture)
{
    OutputPlan p;
    p.dvd = info.dvdFlag == 1;
    const std::string ext = EncoderNames::extensionOf(outputPath);
    p.rule = p.dvd ? EncoderNames::dvd() : EncoderNames::container(ext);
    if (p.rule.muxer.empty()) {
        if (error)
            *error = "the output format ." + ext + " cannot be written";
        return false;
    }
    const std::string vname(info.videoEncoder, strnlen(info.videoEncoder, sizeof(info.videoEncoder)));
    const std::string aname(info.audioEncoder, strnlen(info.audioEncoder, sizeof(info.audioEncoder)));
    if (p.dvd) {
        p.video = {"mpeg2video", "", false};
        p.audio = EncoderNames::canonicalAudio(aname) == "mp2" ? ResolvedEncoder{"mp2", "", false}
                                                               : ResolvedEncoder{"ac3", "", false};
    } else {
        p.video = EncoderNames::resolveVideo(vname, ext);
        p.audio = EncoderNames::resolveAudio(aname, ext);
    }
    p.hasVideo = (videoSource || blackPicture) && !p.rule.audioOnly && !p.video.encoder.empty();
    p.hasAudio = audioSource && !p.audio.encoder.empty();
    if (!p.hasVideo && !p.hasAudio) {
        if (error)
            *error = "nothing to write: the inputs have no stream the output format ." + ext + " can hold";
        return false;
    }
    // MPEG-2 video and AC-3 sound belong in an MPEG-2 program stream.
    if (p.rule.muxer == "mpeg" && !p.rule.dpg &&
        ((p.hasVideo && p.video.encoder == "mpeg2video") ||
         (p.hasAudio && p.audio.encoder != "mp2" && p.audio.encoder != "libmp3lame")))
        p.rule.muxer = "vob";

    if (p.hasVideo) {
        // Without a source the pictures are black ones in the record's frame
        // (4:3 when it leaves the size to the source), square pixels.
        VideoFilterInput vin;
        vin.width = videoSource ? videoSource->codecpar->width : info.width > 0 ? info.width : 640;
        vin.height = videoSource ? videoSource->codecpar->height : info.height > 0 ? info.height : 480;
        vin.sampleAspect = videoSource ? videoSource->codecpar->sample_aspect_ratio : AVRational{1, 1};
        planVideo(info, filters, vin, videoSource ? sourceRate(videoSource) : AVRational{25, 1}, p);
    }
    if (p.hasAudio)
        planAudio(info, audioSource, p);
    *plan = std::move(p);
    return true;
}
