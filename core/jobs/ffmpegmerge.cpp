#include "core/jobs/ffmpegmerge.h"

#include "core/jobs/encodeinfofill.h"
#include "core/jobs/mergejob.h"
#include "core/media/videoinfo.h"
#include "core/platform/corelog.h"
#include "engine/transcode/transcoder.h"

#include <QDebug>
#include <QDir>

#include <algorithm>
#include <cstring>

CFfmpegMerge::CFfmpegMerge() = default;

CFfmpegMerge::~CFfmpegMerge() = default;

void CFfmpegMerge::setTempDir(const char *path)
{
    QString dir = QString::fromLocal8Bit(path ? path : "");
    dir.replace(QLatin1Char('\\'), QLatin1Char('/'));
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

void CFfmpegMerge::addFile(const VideoInfo &video)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_files.push_back(video);
}

int CFfmpegMerge::partCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_files.size());
}

int CFfmpegMerge::run(const char *outputPath)
{
    m_status = TRANSCODE_RUNNING;
    std::vector<VideoInfo> files;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        files.swap(m_files);
        m_lastError.clear();
        m_outputs.clear();
    }
    if (files.size() < 2)
        return 0;
    m_progress.fraction = 0.0;
    QString dir = tempDir();
    if (dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    QDir().mkpath(dir);
    // The record's section belongs to the first file; each file keeps its own.
    EncodeInfo info = m_encodeInfo;
    info.msStart = 0;
    info.msEnd = 0;
    TranscodeJob job;
    QString error;
    TranscodeResult result;
    if (MergeJob::build(EncodeInfoFill::profileOf(info), files, QString::fromLocal8Bit(outputPath), dir,
                        m_processing, &job, &error)) {
        result = Transcoder::run(job, &m_progress, &m_stop);
        error = QString::fromStdString(result.reason);
    } else {
        result.status = TRANSCODE_FAILED;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    if (result.ok()) {
        for (const std::string &path : result.outputs)
            m_outputs << QString::fromLocal8Bit(path.c_str());
    } else if (result.status != TRANSCODE_STOPPED && !m_stop.requested()) {
        m_lastError = error;
        qCInfo(lcJobs, "merge failed: %s", qPrintable(error));
    }
    // A stop that came meanwhile wins over a late failure.
    TranscodeStatus expected = TRANSCODE_RUNNING;
    m_status.compare_exchange_strong(expected, result.status);
    // A stop asked before the run stops it; the next run starts afresh.
    m_stop.clear();
    return 1;
}

void CFfmpegMerge::stop()
{
    m_stop.request();
    TranscodeStatus expected = TRANSCODE_RUNNING;
    m_status.compare_exchange_strong(expected, TRANSCODE_STOPPED);
}

float CFfmpegMerge::progress() const
{
    const double value = m_progress.fraction.load();
    return float(std::clamp(value, 0.0, 0.99));
}

TranscodeStatus CFfmpegMerge::status() const
{
    return m_status;
}

QString CFfmpegMerge::lastError() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastError;
}

QStringList CFfmpegMerge::outputFiles() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_status == TRANSCODE_FINISHED ? m_outputs : QStringList();
}
