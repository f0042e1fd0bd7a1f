#include "core/jobs/convertjob.h"

#include "core/config/uniquepath.h"
#include "core/edit/overlayrules.h"
#include "core/media/videoinfo.h"
#include "core/platform/corelog.h"
#include "core/profiles/videoencparam.h"
#include "core/profiles/videoformatinfo.h"
#include "core/profiles/videoprofileformatuserconfig.h"
#include "engine/av/fontlookup.h"
#include "engine/transcode/conitunes.h"
#include "engine/transcode/ffmpegtranscode.h"
#include "engine/transcode/segmentsplitter.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

int32_t decimal(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

// Copies the 8-bit text, cut to leave room for the terminator.
void copyName(char *field, size_t size, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    const size_t n = std::min(size - 1, size_t(bytes.size()));
    std::memcpy(field, bytes.constData(), n);
    field[n] = '\0';
}

qint64 packed(quint32 word)
{
    return qint64(qint32(word));
}

} // namespace

JobProfile ConvertJob::jobProfile(const VideoProfileFormatUserConfig &profile)
{
    JobProfile p;
    p.name = profile.getName();
    p.format = profile.getFormat();
    p.audioBitrate = profile.getAudioBitrate();
    p.channels = profile.getChannels();
    p.sampleRate = profile.getSampleRate();
    p.audioEncoder = profile.getAudioEncoder();
    p.videoBitrate = profile.getVideoBitrate();
    p.frameRate = profile.getFrameRate();
    const QSize size = profile.getResolution();
    p.width = size.width();
    p.height = size.height();
    p.videoEncoder = profile.getVideoEncoder();
    p.aspectMode = profile.getAspectMode();
    return p;
}

JobProfile ConvertJob::jobProfile(const CVideoFormatInfo &profile)
{
    const CVideoEncParam &enc = CVideoEncParam::orEmpty(profile.getEncParam());
    JobProfile p;
    p.name = profile.getName();
    p.format = profile.getFormat();
    p.audioBitrate = enc.getAudioBitrate();
    p.channels = enc.getChannels();
    p.sampleRate = enc.getSampleRate();
    p.audioEncoder = enc.getAudioEncoder();
    p.videoBitrate = enc.getVideoBitrate();
    p.frameRate = enc.getFrameRate();
    p.width = enc.getWidth();
    p.height = enc.getHeight();
    p.videoEncoder = enc.getVideoEncoder();
    return p;
}

int ConvertJob::sourceRow(int selectedRow, bool merge)
{
    return (selectedRow == -1 || merge) ? 0 : selectedRow;
}

bool ConvertJob::fillEncodeInfo(EncodeInfo *info, const JobProfile *profile, const VideoInfo *source)
{
    if (!info || !profile)
        return false;
    std::memset(static_cast<void *>(info), 0, sizeof(EncodeInfo));
    info->constant16 = 16;
    info->audioBitrate = decimal(profile->audioBitrate);
    info->channels = decimal(profile->channels);
    info->sampleRate = decimal(profile->sampleRate);
    copyName(info->audioEncoder, sizeof(info->audioEncoder), profile->audioEncoder);
    info->videoBitrate = decimal(profile->videoBitrate);

    const FileInfo *probe = source ? source->fileInfo.get() : nullptr;
    if (profile->frameRate == QLatin1String("0")) {
        const double fps = probe ? probe->frameRate * 1000.0 : 0.0;
        info->frameRate = std::isfinite(fps) && fps > 0 && fps < 2147483647.0 ? int32_t(fps) : 0;
    } else {
        info->frameRate = decimal(profile->frameRate);
    }

    info->width = profile->width;
    info->height = profile->height;
    if (profile->width == 0 && profile->height == 0 && probe) {
        info->width = probe->width;
        info->height = probe->height;
        // Keeping the source size keeps a cropped picture at its cropped
        // size rather than stretching it back to the whole frame.
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
    info->dvdFlag = profile->name.toLower() == QLatin1String("dvd") ? 1 : 0;
    info->aspectMode = profile->aspectMode;
    if (profile->splitMode == 1 && profile->splitSizeMb > 0)
        info->splitBytes = int64_t(profile->splitSizeMb) * 1000000;
    else if (profile->splitMode == 2 && profile->splitMinutes > 0)
        info->splitMs = int64_t(profile->splitMinutes) * 60000;
    return true;
}

bool ConvertJob::fillEncodeInfo(EncodeInfo *info, const VideoProfileFormatUserConfig *profile,
                                const VideoInfo *source)
{
    if (!info || !profile || !profile->isValid())
        return false;
    const JobProfile job = jobProfile(*profile);
    return fillEncodeInfo(info, &job, source);
}

void ConvertJob::applyCrop(const VideoInfo &video, CFilterSetters &target)
{
    if (video.cropChanged)
        target.SetCropFilter(0, video.cropLeft, video.cropTop, video.cropWidth, video.cropHeight, 0, 0);
}

bool ConvertJob::applySubtitle(const VideoInfo &video, CFilterSetters &target, const QString &tempDir,
                               QString *error)
{
    const QString &file = video.subtitleFile;
    if (!video.subtitleChanged || file.isEmpty())
        return true;
    const QString workDir = tempDir + QLatin1Char('/');
    // The custom style is the user's choice, as in the editor's preview.
    const int result = target.SetSubtileFilter(
        video.subtitleEnabled ? 0 : 1, file.toLocal8Bit().constData(), workDir.toLocal8Bit().constData(),
        video.subtitleCustomize ? 1 : 0, video.subtitleFontName.toLocal8Bit().constData(),
        video.subtitleFontSize, subtitleColor(video.subtitleColor, video.subtitleAlpha),
        video.subtitleHorSpace, video.subtitleVerSpace, 0, 0);
    if (result >= 0)
        return true;
    if (error)
        *error = QStringLiteral("the subtitle file %1 cannot be read as subtitles (SRT, ASS or SSA)")
                     .arg(QDir::toNativeSeparators(file));
    return false;
}

void ConvertJob::applyWatermark(const VideoInfo &video, CFilterSetters &target)
{
    if (!video.watermarkChanged || !video.watermarkEnabled)
        return;
    if (video.watermarkType == 0) {
        const QString &image = video.watermarkImage;
        if (image.isEmpty())
            return;
        // Kept off the right and bottom edges as the editor's preview shows it.
        QPoint at(video.watermarkHorSpace, video.watermarkVerSpace);
        if (video.width > 0 && video.height > 0)
            at = OverlayRules::imageWatermarkPosition(
                video.watermarkHorSpace, video.watermarkVerSpace,
                QSize(video.watermarkImageWidth, video.watermarkImageHeight),
                QSize(video.width, video.height));
        target.SetImageWaterMarkFilter(0, image.toLocal8Bit().constData(), video.watermarkImageWidth,
                                       video.watermarkImageHeight, at.x(), at.y());
        return;
    }
    target.SetTextWaterMarkFilter(0, video.watermarkText.toUtf8().constData(),
                                  fontFileFor(video.watermarkFontName).toLocal8Bit().constData(),
                                  video.watermarkFontSize,
                                  textWatermarkColor(video.watermarkColor, video.watermarkAlpha),
                                  video.watermarkHorSpace, video.watermarkVerSpace, 0, 0x00FFFFFF);
}

void ConvertJob::applyMirror(const VideoInfo &video, CFilterSetters &target)
{
    if (!video.flipChanged)
        return;
    target.AddhFilpFileter(video.hFlip ? 0 : 1);
    target.AddvFilpFileter(video.vFlip ? 0 : 1);
}

void ConvertJob::applyEffectTable(int effect, CFilterSetters &target)
{
    // Blur, negate, deshake, sharp.
    static const int table[4][4] = {{1, 1, 1, 0}, {1, 1, 0, 1}, {0, 1, 1, 1}, {1, 0, 1, 1}};
    if (effect < 1 || effect > 4)
        return;
    const int *row = table[effect - 1];
    target.SetBlurFilter(row[0]);
    target.SetNegateFilter(row[1]);
    target.SetDeshakeFilter(row[2]);
    target.SetSharpFilter(row[3]);
}

bool ConvertJob::applyFilters(const VideoInfo &video, CFilterSetters &target, const QString &tempDir,
                              QString *error)
{
    if (!video.hasEdits())
        return true;
    applyCrop(video, target);
    if (!applySubtitle(video, target, tempDir, error))
        return false;
    applyWatermark(video, target);
    applyMirror(video, target);
    if (video.effectChanged) {
        // A chosen deinterlacing mode is honoured here too; "none" makes no call.
        if (video.deinterlace >= 1 && video.deinterlace <= 4)
            target.SetDeinterlaceFilter(0, video.deinterlace - 1);
        target.SetLightness(video.brightness);
        target.SetContrast(video.contrast);
        target.SetSaturation(video.saturation);
        target.SetAudioFilter(video.amplifier);
        applyEffectTable(video.effect, target);
    }
    return true;
}

qint64 ConvertJob::subtitleColor(const QColor &color, int alpha)
{
    const quint32 word = (quint32(alpha & 0xFF) << 24) | (quint32(color.blue() & 0xFF) << 16) |
                         (quint32(color.green() & 0xFF) << 8) | quint32(color.red() & 0xFF);
    return packed(word);
}

qint64 ConvertJob::textWatermarkColor(const QColor &color, int alpha)
{
    const quint32 word = (quint32(color.red() & 0xFF) << 24) | (quint32(color.green() & 0xFF) << 16) |
                         (quint32(color.blue() & 0xFF) << 8) | quint32(alpha & 0xFF);
    return packed(word);
}

QString ConvertJob::fontFileFor(const QString &family)
{
    return OverlayRules::watermarkFontFile(family);
}

QString ConvertJob::uniqueOutputPath(const QString &sourcePath, const QString &outputDir,
                                     const QString &extension, const QSet<QString> &reserved, bool segmented)
{
    return UniquePath::forSource(sourcePath, outputDir, extension, reserved,
                                 [segmented](const QString &path) { return outputExists(path, segmented); });
}

bool ConvertJob::splits(const JobProfile &profile)
{
    return (profile.splitMode == 1 && profile.splitSizeMb > 0) ||
           (profile.splitMode == 2 && profile.splitMinutes > 0);
}

QString ConvertJob::segmentPath(const QString &outputPath, int number)
{
    return QString::fromLocal8Bit(
        SegmentSplitter::segmentPath(outputPath.toLocal8Bit().toStdString(), number).c_str());
}

bool ConvertJob::outputExists(const QString &outputPath, bool segmented)
{
    return QFileInfo::exists(segmented ? segmentPath(outputPath, 1) : outputPath);
}

bool ConvertJob::prepare(CFFmpegTranscode &transcoder, const JobProfile &profile, const VideoInfo &source,
                         const QString &tempDir, QString *error)
{
    EncodeInfo info;
    if (!fillEncodeInfo(&info, &profile, &source)) {
        if (error)
            *error = QStringLiteral("no profile to convert with");
        return false;
    }
    transcoder.resetFilters();
    transcoder.SetEncodeInfo(&info);
    transcoder.AddInputFile(source.filename.toLocal8Bit().constData());
    return applyFilters(source, transcoder, tempDir, error);
}

void ConvertJob::logStatus(TranscodeStatus status, const char *source, int line)
{
    qCDebug(lcJobs, "convert status = [%d] in [%s:%d]", int(status), source, line);
}

void ConvertJob::sendToItunes(const QString &outputPath)
{
    QString native = outputPath;
    native.replace(QLatin1Char('/'), QLatin1Char('\\'));
    CConItunes itunes;
    itunes.AddToItunes(native.toLocal8Bit().constData());
}

bool ConvertJob::afterJob(TranscodeStatus status, const QString &profileName, bool canSendToItunes,
                          const QString &outputPath)
{
    if (status != TRANSCODE_FINISHED || profileName.toLower() == QLatin1String("dvd") || !canSendToItunes)
        return false;
    sendToItunes(outputPath);
    return true;
}
