#include "engine/disc/dvdsource.h"

#include "engine/av/demuxer.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <cstring>

namespace DvdSource {

DvdSourceInfo inspect(const QString &path)
{
    DvdSourceInfo info;
    // Only plain files: opening a pipe or a device could wait forever.
    if (!QFileInfo(path).isFile()) {
        info.error = QStringLiteral("not a file");
        return info;
    }
    Demuxer demuxer;
    std::string error;
    if (!demuxer.open(QFile::encodeName(path).toStdString(), true, &error)) {
        info.error =
            error.empty() ? QStringLiteral("the file cannot be read") : QString::fromStdString(error);
        return info;
    }
    info.readable = true;
    const AVFormatContext *ctx = demuxer.context();
    info.mpegProgramStream =
        ctx->iformat && ctx->iformat->name && std::strcmp(ctx->iformat->name, "mpeg") == 0;
    if (const AVStream *video = demuxer.stream(demuxer.videoIndex())) {
        info.mpeg2Video = video->codecpar->codec_id == AV_CODEC_ID_MPEG2VIDEO;
        info.width = video->codecpar->width;
        info.height = video->codecpar->height;
        AVRational rate = video->avg_frame_rate;
        if (rate.num <= 0 || rate.den <= 0)
            rate = video->r_frame_rate;
        if (rate.num > 0 && rate.den > 0)
            info.frameRate = av_q2d(rate);
    }
    return info;
}

QString videoFormat(double frameRate, int height)
{
    auto near = [frameRate](double v) { return std::fabs(frameRate - v) < 0.05; };
    if (near(25.0) || near(50.0))
        return QStringLiteral("pal");
    if (near(24000.0 / 1001.0) || near(24.0) || near(30000.0 / 1001.0) || near(30.0) ||
        near(60000.0 / 1001.0) || near(60.0))
        return QStringLiteral("ntsc");
    if (height == 576 || height == 288)
        return QStringLiteral("pal");
    if (height == 480 || height == 240)
        return QStringLiteral("ntsc");
    return {};
}

} // namespace DvdSource
