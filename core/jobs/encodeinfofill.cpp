#include "core/jobs/encodeinfofill.h"

#include "core/jobs/jobfilters.h"
#include "core/media/videoinfo.h"
#include "engine/transcode/ffmpegtranscode.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Copies the 8-bit text, cut to leave room for the terminator.
void copyName(char *field, size_t size, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    const size_t n = std::min(size - 1, size_t(bytes.size()));
    std::memcpy(field, bytes.constData(), n);
    field[n] = '\0';
}

int32_t thousandths(const Rational &rate)
{
    return rate.isSet() ? int32_t(std::lround(rate.value() * 1000.0)) : 0;
}

int32_t aspectModeOf(FrameFit fit)
{
    switch (fit) {
    case FrameFit::Stretch:
        return ENCODE_ASPECT_STRETCH;
    case FrameFit::Crop:
        return ENCODE_ASPECT_CROP;
    default:
        return ENCODE_ASPECT_FIT;
    }
}

} // namespace

bool EncodeInfoFill::fill(EncodeInfo *info, const JobProfile *profile, const VideoInfo *source)
{
    if (!info || !profile)
        return false;
    std::memset(static_cast<void *>(info), 0, sizeof(EncodeInfo));
    info->constant16 = 16;
    info->audioBitrate = int32_t(profile->audioBitrate);
    info->channels = profile->channels;
    info->sampleRate = profile->sampleRate;
    copyName(info->audioEncoder, sizeof(info->audioEncoder), profile->audioEncoder);
    info->videoBitrate = int32_t(profile->videoBitrate);
    const FileInfo *probe = source ? source->fileInfo.get() : nullptr;
    info->frameRate = thousandths(profile->frameRate);
    if (!profile->frameRate.isSet()) {
        const double fps = probe ? probe->frameRate * 1000.0 : 0.0;
        info->frameRate = std::isfinite(fps) && fps > 0 && fps < 2147483647.0 ? int32_t(fps) : 0;
    }
    info->width = profile->width;
    info->height = profile->height;
    if (profile->width == 0 && profile->height == 0 && probe) {
        info->width = probe->width;
        info->height = probe->height;
        if (source->cropChanged && source->cropWidth > 0 && source->cropHeight > 0) {
            info->width = std::min(source->cropWidth, probe->width);
            info->height = std::min(source->cropHeight, probe->height);
        }
    }
    copyName(info->videoEncoder, sizeof(info->videoEncoder), profile->videoEncoder);
    if (source) {
        info->msStart = source->msStart;
        info->msEnd = source->msEnd;
    }
    info->dvdFlag = profile->dvd ? 1 : 0;
    info->aspectMode = aspectModeOf(profile->fit);
    info->splitBytes = profile->splitBytes();
    info->splitMs = profile->splitMs();
    return true;
}

JobProfile EncodeInfoFill::profileOf(const EncodeInfo &info)
{
    JobProfile p;
    p.audioEncoder = QString::fromLocal8Bit(info.audioEncoder, int(strnlen(info.audioEncoder, 28)));
    p.audioBitrate = info.audioBitrate;
    p.channels = info.channels;
    p.sampleRate = info.sampleRate;
    p.videoEncoder = QString::fromLocal8Bit(info.videoEncoder, int(strnlen(info.videoEncoder, 32)));
    p.videoBitrate = info.videoBitrate;
    p.frameRate = info.frameRate > 0 ? Rational{info.frameRate, 1000} : Rational{};
    p.width = info.width;
    p.height = info.height;
    p.fit = JobProfile::fitOf(info.aspectMode);
    p.dvd = info.dvdFlag == 1;
    if (info.splitBytes > 0) {
        p.splitMode = 1;
        p.splitSizeMb = int(std::max<int64_t>(1, info.splitBytes / 1000000));
    } else if (info.splitMs > 0) {
        p.splitMode = 2;
        p.splitMinutes = int(std::max<int64_t>(1, info.splitMs / 60000));
    }
    return p;
}

void EncodeInfoFill::applyFilters(const FilterSettings &f, CFilterSetters &target)
{
    if (f.crop)
        target.SetCropFilter(0, f.cropLeft, f.cropTop, f.cropWidth, f.cropHeight, 0, 0);
    if (f.subtitle)
        target.SetSubtileFilter(0, f.subtitleFile.c_str(), f.subtitleWorkDir.c_str(), f.subtitleCustomStyle,
                                f.subtitleFontName.c_str(), f.subtitleFontSize, f.subtitleColor,
                                f.subtitleHorSpace, f.subtitleVerSpace, 0, 0);
    if (f.imageWatermark)
        target.SetImageWaterMarkFilter(0, f.imageWatermarkFile.c_str(), f.imageWatermarkWidth,
                                       f.imageWatermarkHeight, f.imageWatermarkX, f.imageWatermarkY);
    if (f.textWatermark)
        target.SetTextWaterMarkFilter(0, f.textWatermarkText.c_str(), f.textWatermarkFontFile.c_str(),
                                      f.textWatermarkFontSize, f.textWatermarkColor, f.textWatermarkX,
                                      f.textWatermarkY, 0, 0x00FFFFFF);
    target.AddhFilpFileter(f.hFlip ? 0 : 1);
    target.AddvFilpFileter(f.vFlip ? 0 : 1);
    target.SetDeinterlaceFilter(f.deinterlace ? 0 : 1, f.deinterlaceMode);
    target.SetLightness(f.lightness);
    target.SetContrast(f.contrast);
    target.SetSaturation(f.saturation);
    if (f.audioLevelSet)
        target.SetAudioFilter(f.audioLevel);
    target.SetBlurFilter(f.blur ? 0 : 1);
    target.SetNegateFilter(f.negate ? 0 : 1);
    target.SetDeshakeFilter(f.deshake ? 0 : 1);
    target.SetSharpFilter(f.sharp ? 0 : 1);
}

bool EncodeInfoFill::prepare(CFFmpegTranscode &transcoder, const JobProfile &profile, const VideoInfo &source,
                             const QString &tempDir, QString *error)
{
    FilterSettings filters;
    if (!JobFilters::forConversion(source, tempDir, &filters, error))
        return false;
    EncodeInfo info;
    fill(&info, &profile, &source);
    transcoder.resetFilters();
    transcoder.SetEncodeInfo(&info);
    transcoder.AddInputFile(source.filename.toLocal8Bit().constData());
    applyFilters(filters, transcoder);
    return true;
}
