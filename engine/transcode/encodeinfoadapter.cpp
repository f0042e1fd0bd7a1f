#include "engine/transcode/encodeinfoadapter.h"

#include "engine/av/demuxer.h"
#include "engine/transcode/encodernames.h"
#include "engine/transcode/sectionwindow.h"

#include <algorithm>
#include <cstring>

namespace {

std::string fieldText(const char *field, size_t size)
{
    return std::string(field, strnlen(field, size));
}

FrameFit fitOf(int32_t aspectMode)
{
    switch (aspectMode) {
    case ENCODE_ASPECT_STRETCH:
        return FrameFit::Stretch;
    case ENCODE_ASPECT_CROP:
        return FrameFit::Crop;
    default:
        return FrameFit::Pad;
    }
}

Rational rateOf(int32_t thousandths)
{
    if (thousandths <= 0)
        return {};
    int num = 0, den = 1;
    av_reduce(&num, &den, thousandths, 1000, 1 << 30);
    return {num, den};
}

OutputSpec outputOf(const EncodeInfo &info, const std::string &path)
{
    OutputSpec out;
    out.path = path;
    out.dvd = info.dvdFlag == 1;
    out.splitBytes = std::max<int64_t>(0, info.splitBytes);
    out.splitMs = std::max<int64_t>(0, info.splitMs);
    const std::string ext = EncoderNames::extensionOf(path);
    VideoOutputSpec &v = out.video;
    v.codec = fieldText(info.videoEncoder, sizeof(info.videoEncoder));
    if (v.codec.empty())
        v.codec = out.dvd ? "mpeg2video" : EncoderNames::resolveVideo(v.codec, ext).encoder;
    v.width = std::max(0, info.width);
    v.height = std::max(0, info.height);
    v.frameRate = rateOf(info.frameRate);
    v.rate = RateControl::BitRate{std::max(0, info.videoBitrate)};
    v.fit = fitOf(info.aspectMode);
    AudioOutputSpec &a = out.audio;
    a.codec = fieldText(info.audioEncoder, sizeof(info.audioEncoder));
    if (a.codec.empty())
        a.codec = out.dvd ? "ac3" : EncoderNames::resolveAudio(a.codec, ext).encoder;
    a.sampleRate = std::max(0, info.sampleRate);
    a.channels = std::max(0, info.channels);
    a.bitRate = std::max(0, info.audioBitrate);
    return out;
}

// The length an input claims, in ms; open when it does not say or cannot be read.
double claimedLengthMs(const std::string &path)
{
    Demuxer demuxer;
    std::string error;
    if (!demuxer.open(path, true, &error))
        return SectionWindow::kOpenEnd;
    const double ms = demuxer.durationMs();
    return ms > 0 ? ms : SectionWindow::kOpenEnd;
}

// The record's section, on the inputs joined end to end, as one section per input.
void placeJoinedSection(const EncodeInfo &info, std::vector<TranscodeInput> &inputs)
{
    const bool toTheEnd = info.msEnd <= info.msStart;
    const double start = double(std::max<int64_t>(0, info.msStart));
    std::vector<TranscodeInput> kept;
    double offset = 0.0;
    for (TranscodeInput &input : inputs) {
        const double length = claimedLengthMs(input.path);
        const double localStart = std::max(0.0, start - offset);
        const double localEnd = toTheEnd ? length : std::min(length, double(info.msEnd) - offset);
        offset += length;
        if (localEnd <= localStart || localStart >= length)
            continue; // the section lies wholly in other inputs
        input.msStart = int64_t(localStart);
        input.msEnd = localEnd >= length - 1.0 ? 0 : int64_t(localEnd);
        kept.push_back(std::move(input));
    }
    inputs = std::move(kept);
}

} // namespace

TranscodeJob jobFromEncodeInfo(const EncodeInfo &info, const std::vector<std::string> &inputs,
                               const FilterSettings &filters, const std::string &outputPath)
{
    TranscodeJob job;
    job.output = outputOf(info, outputPath);
    for (const std::string &path : inputs) {
        TranscodeInput input;
        input.path = path;
        input.msStart = info.msStart;
        input.msEnd = info.msEnd;
        input.filters = filters;
        job.inputs.push_back(std::move(input));
    }
    const bool section = info.msStart > 0 || info.msEnd > info.msStart;
    if (job.inputs.size() > 1 && section)
        placeJoinedSection(info, job.inputs);
    return job;
}
