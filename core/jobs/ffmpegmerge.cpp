#include "core/jobs/ffmpegmerge.h"

#include "core/jobs/convertjob.h"
#include "core/media/videoinfo.h"
#include "core/platform/corelog.h"

#include <QDebug>
#include <QDir>
#include <QFile>

#include <cstring>

CFfmpegMerge::CFfmpegMerge() = default;

CFfmpegMerge::~CFfmpegMerge()
{
    releaseParts();
}

void CFfmpegMerge::setTempDir(const char *path)
{
    QString dir = QString::fromLocal8Bit(path ? path : "");
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    m_tempDir = dir.toLocal8Bit().toStdString();
}

QString CFfmpegMerge::tempDir() const
{
    return QString::fromLocal8Bit(m_tempDir.c_str());
}

void CFfmpegMerge::setEncodeInfo(const EncodeInfo *info)
{
    if (info)
        std::memcpy(static_cast<void *>(&m_encodeInfo), info, sizeof(EncodeInfo));
}

EncodeInfo CFfmpegMerge::partEncodeInfo(const EncodeInfo &final, const VideoInfo &video)
{
    EncodeInfo info;
    std::memset(static_cast<void *>(&info), 0, sizeof(EncodeInfo));
    info.width = final.width;
    info.height = final.height;
    // Every part fits its picture into the final frame the same way.
    info.aspectMode = final.aspectMode;
    std::strcpy(info.videoEncoder, "mpeg1video");
    info.msStart = video.msStart;
    info.msEnd = video.msEnd;
    info.videoBitrate = 4000000;
    info.frameRate = 25000;
    info.sampleRate = 48000;
    info.channels = 2;
    info.audioBitrate = 96000;
    info.constant16 = 16;
    std::strcpy(info.audioEncoder, "mp2");
    return info;
}

bool CFfmpegMerge::applyPartFilters(const VideoInfo &video, CFilterSetters &target, const QString &tempDir,
                                    QString *error)
{
    ConvertJob::applyCrop(video, target);
    if (!ConvertJob::applySubtitle(video, target, tempDir, error))
        return false;
    ConvertJob::applyWatermark(video, target);
    ConvertJob::applyMirror(video, target);
    if (!video.effectChanged)
        return true;
    switch (video.deinterlace) {
    case 0:
        target.SetDeinterlaceFilter(1, 0);
        break;
    case 1:
    case 2:
    case 3:
    case 4:
        target.SetDeinterlaceFilter(0, video.deinterlace - 1);
        break;
    default:
        break;
    }
    target.SetLightness(video.brightness);
    target.SetContrast(video.contrast);
    target.SetSaturation(video.saturation);
    ConvertJob::applyEffectTable(video.effect, target);
    return true;
}

void CFfmpegMerge::addFile(const VideoInfo &video)
{
    auto part = std::make_unique<CFFmpegTranscode>();
    const EncodeInfo info = partEncodeInfo(m_encodeInfo, video);
    part->SetEncodeInfo(&info);
    part->AddInputFile(video.filename.toLocal8Bit().constData());
    QString refused;
    if (!applyPartFilters(video, *part, tempDir(), &refused) && m_addError.isEmpty())
        m_addError = QStringLiteral("%1: %2").arg(video.filename, refused);
    if (video.msEnd > video.msStart)
        m_sectionTotalMs += qint64(video.msEnd) - video.msStart;
    else if (video.msEnd < 0)
        m_sectionOpen = true;
    if (!video.isAudio)
        m_anyPicture = true;
    std::lock_guard<std::mutex> lock(m_partsMutex);
    m_parts.push_back(std::move(part));
    m_partTotal = int(m_parts.size());
}

int CFfmpegMerge::partCount() const
{
    std::lock_guard<std::mutex> lock(m_partsMutex);
    return int(m_parts.size());
}

QString CFfmpegMerge::partPath(int index) const
{
    return tempDir() + QStringLiteral("test%1.mpg").arg(index);
}

QString CFfmpegMerge::mergedPath() const
{
    return tempDir() + QStringLiteral("test.mpg");
}

bool CFfmpegMerge::joinFiles(const QStringList &files, const QString &target, const std::atomic<int> &stop,
                             QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        QFile::remove(target);
        return false;
    };
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(QStringLiteral("cannot write %1: %2").arg(target, out.errorString()));
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (const QString &file : files) {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("cannot read %1: %2").arg(file, in.errorString()));
        for (;;) {
            if (stop)
                return fail(QString());
            const qint64 n = in.read(buffer.data(), buffer.size());
            if (n < 0)
                return fail(QStringLiteral("cannot read %1: %2").arg(file, in.errorString()));
            if (n == 0)
                break;
            if (out.write(buffer.constData(), n) != n)
                return fail(QStringLiteral("cannot write %1: %2").arg(target, out.errorString()));
        }
    }
    if (!out.flush())
        return fail(QStringLiteral("cannot write %1: %2").arg(target, out.errorString()));
    return true;
}

void CFfmpegMerge::releaseParts()
{
    std::lock_guard<std::mutex> lock(m_partsMutex);
    m_parts.clear();
}

void CFfmpegMerge::finish(TranscodeStatus status, const QString &error)
{
    {
        std::lock_guard<std::mutex> lock(m_errorMutex);
        m_lastError = error;
    }
    if (!error.isEmpty())
        qCInfo(lcJobs, "merge failed: %s", qPrintable(error));
    // A stop that came meanwhile wins over a late failure.
    TranscodeStatus expected = TRANSCODE_RUNNING;
    m_status.compare_exchange_strong(expected, status);
    releaseParts();
    m_sectionTotalMs = 0;
    m_sectionOpen = false;
    m_anyPicture = false;
    m_addError.clear();
}

int CFfmpegMerge::run(const char *outputPath)
{
    m_status = TRANSCODE_RUNNING;
    {
        std::lock_guard<std::mutex> lock(m_errorMutex);
        m_lastError.clear();
    }
    const int count = partCount();
    qCDebug(lcJobs, "%d", count);
    if (count < 2) {
        releaseParts();
        m_sectionTotalMs = 0;
        m_sectionOpen = false;
        m_anyPicture = false;
        m_addError.clear();
        return 0;
    }
    if (!m_addError.isEmpty()) {
        finish(TRANSCODE_FAILED, m_addError);
        return 1;
    }
    m_stopRequested = 0;
    m_step = 0;
    m_partFrames = 0.0;
    m_partTotal = count;
    QDir().mkpath(tempDir());

    QStringList partFiles;
    for (int i = 0; i < count; ++i) {
        if (m_stopRequested)
            break;
        m_step = i;
        const QString path = partPath(i);
        partFiles << path;
        CFFmpegTranscode *part = nullptr;
        {
            std::lock_guard<std::mutex> lock(m_partsMutex);
            part = m_parts[size_t(i)].get();
        }
        part->SetProcessing(m_processing);
        // The parts are joined into one stream: a sound-only part among
        // parts with pictures shows black, instead of the picture before it
        // standing still or, as the first part, hiding every later picture.
        part->SetBlackPictureForSound(m_anyPicture);
        part->Transcode(path.toLocal8Bit().constData());
        m_partFrames = m_partFrames + double(part->GetFrameNubmer());
        if (m_stopRequested) {
            QFile::remove(path); // the part being written when the stop came
            break;
        }
        if (part->GetLastConvetStatus() != TRANSCODE_FINISHED || !QFile::exists(path)) {
            QFile::remove(path);
            finish(TRANSCODE_FAILED, QStringLiteral("part %1 could not be encoded: %2")
                                         .arg(i)
                                         .arg(QString::fromStdString(part->GetLastErrorText())));
            return 1;
        }
    }
    if (m_stopRequested) {
        finish(TRANSCODE_STOPPED);
        return 1;
    }

    m_step = count;
    const QString merged = mergedPath();
    QString joinError;
    if (!joinFiles(partFiles, merged, m_stopRequested, &joinError)) {
        if (m_stopRequested)
            finish(TRANSCODE_STOPPED);
        else
            finish(TRANSCODE_FAILED, joinError);
        return 1;
    }

    m_step = count + 1;
    // The joined parts start at 0 and last the sum of the sections.
    EncodeInfo info = m_encodeInfo;
    info.msStart = 0;
    info.msEnd = m_sectionOpen ? -1 : m_sectionTotalMs;
    m_finalTranscoder.resetFilters();
    m_finalTranscoder.SetEncodeInfo(&info); // clears any earlier stop request
    if (m_stopRequested) {
        QFile::remove(merged);
        finish(TRANSCODE_STOPPED);
        return 1;
    }
    m_finalTranscoder.AddInputFile(merged.toLocal8Bit().constData());
    m_finalTranscoder.SetProcessing(m_processing);
    m_finalTranscoder.Transcode(outputPath);
    const auto finalStatus = TranscodeStatus(m_finalTranscoder.GetLastConvetStatus());
    QFile::remove(merged);
    if (m_stopRequested || finalStatus == TRANSCODE_STOPPED)
        finish(TRANSCODE_STOPPED);
    else if (finalStatus != TRANSCODE_FINISHED)
        finish(TRANSCODE_FAILED, QStringLiteral("the joined parts could not be encoded: %1")
                                     .arg(QString::fromStdString(m_finalTranscoder.GetLastErrorText())));
    else
        finish(TRANSCODE_FINISHED);
    return 1;
}

void CFfmpegMerge::stop()
{
    m_stopRequested = 1;
    m_status = TRANSCODE_STOPPED;
    {
        std::lock_guard<std::mutex> lock(m_partsMutex);
        for (auto &part : m_parts)
            part->StopTranscode();
    }
    m_finalTranscoder.StopTranscode();
}

float CFfmpegMerge::progressFor(int step, int partCount, double partProgressSum, double finalFrames,
                                double partFrames)
{
    if (partCount <= 0)
        return 0.0f;
    if (step < partCount)
        return float(partProgressSum / (2.0 * partCount));
    if (step == partCount || partFrames <= 0.0)
        return 0.5f;
    const float value = float(finalFrames / (2.0 * partFrames) + 0.5);
    if (value >= 0.99f)
        return 0.99f;
    if (value < 0.0f)
        return 1.0f;
    return value;
}

float CFfmpegMerge::progress() const
{
    const int step = m_step;
    const int count = m_partTotal;
    double sum = 0.0;
    if (step < count) {
        std::lock_guard<std::mutex> lock(m_partsMutex);
        for (const auto &part : m_parts) {
            double done = 0.0, unused = 0.0;
            part->GetEncodePrg(done, unused);
            sum += done;
        }
    }
    double finalFrames = 0.0;
    if (step > count)
        finalFrames = double(const_cast<CFFmpegTranscode &>(m_finalTranscoder).GetFrameNubmer());
    return progressFor(step, count, sum, finalFrames, m_partFrames);
}

TranscodeStatus CFfmpegMerge::status() const
{
    return m_status;
}

QString CFfmpegMerge::lastError() const
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    return m_lastError;
}

QStringList CFfmpegMerge::outputFiles() const
{
    QStringList files;
    if (m_status != TRANSCODE_FINISHED)
        return files;
    for (const std::string &path : m_finalTranscoder.GetOutputFiles())
        files << QString::fromLocal8Bit(path.c_str());
    return files;
}
