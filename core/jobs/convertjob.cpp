#include "core/jobs/convertjob.h"

#include "core/config/uniquepath.h"
#include "core/edit/overlayrules.h"
#include "core/jobs/jobfilters.h"
#include "core/media/videoinfo.h"
#include "core/platform/corelog.h"
#include "engine/transcode/conitunes.h"
#include "engine/transcode/encodernames.h"
#include "engine/transcode/segmentsplitter.h"

#include <QDebug>
#include <QFileInfo>

#include <algorithm>

namespace {

std::string local(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}

} // namespace

int ConvertJob::sourceRow(int selectedRow, bool merge)
{
    return (selectedRow == -1 || merge) ? 0 : selectedRow;
}

OutputSpec ConvertJob::outputSpec(const JobProfile &profile, const QString &outputPath)
{
    OutputSpec out;
    out.path = local(outputPath);
    out.dvd = profile.dvd;
    out.splitBytes = profile.splitBytes();
    out.splitMs = profile.splitMs();
    const std::string ext = EncoderNames::extensionOf(out.path);
    // A profile without an encoder name takes the container's own.
    VideoOutputSpec &v = out.video;
    v.codec = local(profile.videoEncoder);
    if (v.codec.empty())
        v.codec = out.dvd ? "mpeg2video" : EncoderNames::resolveVideo(v.codec, ext).encoder;
    v.width = std::max(0, profile.width);
    v.height = std::max(0, profile.height);
    v.frameRate = profile.frameRate;
    v.rate = RateControl::BitRate{std::max<int64_t>(0, profile.videoBitrate)};
    v.fit = profile.fit;
    AudioOutputSpec &a = out.audio;
    a.codec = local(profile.audioEncoder);
    if (a.codec.empty())
        a.codec = out.dvd ? "ac3" : EncoderNames::resolveAudio(a.codec, ext).encoder;
    a.sampleRate = std::max(0, profile.sampleRate);
    a.channels = std::max(0, profile.channels);
    a.bitRate = std::max<int64_t>(0, profile.audioBitrate);
    return out;
}

TranscodeInput ConvertJob::input(const VideoInfo &source)
{
    TranscodeInput in;
    in.path = local(source.filename);
    in.msStart = source.msStart;
    in.msEnd = source.msEnd;
    return in;
}

bool ConvertJob::build(const JobProfile &profile, const VideoInfo &source, const QString &outputPath,
                       const QString &tempDir, const ProcessingOptions &processing, TranscodeJob *job,
                       QString *error)
{
    TranscodeInput in = input(source);
    if (!JobFilters::forConversion(source, tempDir, &in.filters, error))
        return false;
    if (!job)
        return true;
    *job = TranscodeJob{};
    job->inputs.push_back(std::move(in));
    job->output = outputSpec(profile, outputPath);
    job->processing = processing;
    return true;
}

qint64 ConvertJob::subtitleColor(const QColor &color, int alpha)
{
    return JobFilters::subtitleColor(color, alpha);
}

qint64 ConvertJob::textWatermarkColor(const QColor &color, int alpha)
{
    return JobFilters::textWatermarkColor(color, alpha);
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

QString ConvertJob::segmentPath(const QString &outputPath, int number)
{
    return QString::fromLocal8Bit(SegmentSplitter::segmentPath(local(outputPath), number).c_str());
}

bool ConvertJob::outputExists(const QString &outputPath, bool segmented)
{
    return QFileInfo::exists(segmented ? segmentPath(outputPath, 1) : outputPath);
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
    if (status != TRANSCODE_FINISHED || JobProfile::isDvdName(profileName) || !canSendToItunes)
        return false;
    sendToItunes(outputPath);
    return true;
}
