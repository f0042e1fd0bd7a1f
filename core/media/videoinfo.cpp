#include "core/media/videoinfo.h"

#include "core/platform/corelog.h"
#include "engine/probe/mediaprobe.h"

#include <QDebug>
#include <QFileInfo>

#include <algorithm>

VideoInfo::VideoInfo(const QString &path) : VideoBasicInfo(path, -1, -1)
{
    probe();
}

VideoInfo::VideoInfo(const VideoBasicInfo &basic) : VideoBasicInfo(basic)
{
    probe();
}

VideoInfo::VideoInfo(const VideoBasicInfo &basic, MediaProbe &engineProbe, bool withThumbnail)
    : VideoBasicInfo(basic)
{
    probe(engineProbe, withThumbnail);
}

VideoInfo::VideoInfo(const VideoInfo &other) : VideoBasicInfo(other)
{
    *this = other;
}

VideoInfo &VideoInfo::operator=(const VideoInfo &other)
{
    if (this == &other)
        return *this;
    VideoBasicInfo::operator=(other);
    thumbnail = other.thumbnail;
    width = other.width;
    height = other.height;
    fileInfo = other.fileInfo ? std::make_unique<FileInfo>(*other.fileInfo) : nullptr;
    brightness = other.brightness;
    contrast = other.contrast;
    saturation = other.saturation;
    amplifier = other.amplifier;
    effect = other.effect;
    deinterlace = other.deinterlace;
    effectChanged = other.effectChanged;
    zoomMode = other.zoomMode;
    cropLeft = other.cropLeft;
    cropTop = other.cropTop;
    cropWidth = other.cropWidth;
    cropHeight = other.cropHeight;
    keepRatio = other.keepRatio;
    cropChanged = other.cropChanged;
    subtitleEnabled = other.subtitleEnabled;
    subtitleFile = other.subtitleFile;
    subtitleCustomize = other.subtitleCustomize;
    subtitleFontName = other.subtitleFontName;
    subtitleColor = other.subtitleColor;
    subtitleColorName = other.subtitleColorName;
    subtitleFontSize = other.subtitleFontSize;
    subtitleFontStyle = other.subtitleFontStyle;
    subtitleAlpha = other.subtitleAlpha;
    subtitleVerSpace = other.subtitleVerSpace;
    subtitleHorSpace = other.subtitleHorSpace;
    subtitleChanged = other.subtitleChanged;
    watermarkEnabled = other.watermarkEnabled;
    watermarkType = other.watermarkType;
    watermarkFontName = other.watermarkFontName;
    watermarkColor = other.watermarkColor;
    watermarkColorName = other.watermarkColorName;
    watermarkFontSize = other.watermarkFontSize;
    watermarkFontStyle = other.watermarkFontStyle;
    watermarkAlpha = other.watermarkAlpha;
    watermarkVerSpace = other.watermarkVerSpace;
    watermarkHorSpace = other.watermarkHorSpace;
    watermarkImage = other.watermarkImage;
    watermarkText = other.watermarkText;
    watermarkImageWidth = other.watermarkImageWidth;
    watermarkImageHeight = other.watermarkImageHeight;
    watermarkChanged = other.watermarkChanged;
    hFlip = other.hFlip;
    vFlip = other.vFlip;
    flipChanged = other.flipChanged;
    probed = other.probed;
    valid = other.valid;
    isAudio = other.isAudio;
    m_displayName = other.m_displayName;
    probeError = other.probeError;
    return *this;
}

VideoInfo::~VideoInfo() = default;

QString VideoInfo::audioIconPath()
{
    return QStringLiteral(":/images/icon_audio.png");
}

namespace {

// "hh:mm:ss.mmm", for messages about sections.
QString clockText(qint64 ms)
{
    ms = std::max<qint64>(0, ms);
    return QStringLiteral("%1:%2:%3.%4")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

} // namespace

bool VideoInfo::probe()
{
    if (probed)
        return valid;
    MediaProbe engineProbe;
    return probe(engineProbe);
}

bool VideoInfo::probe(MediaProbe &engineProbe, bool withThumbnail)
{
    if (probed)
        return valid;
    probed = true;
    valid = false;
    probeError.clear();
    const QFileInfo file(filename);
    if (file.isDir()) {
        probeError = QStringLiteral("is a folder");
        return false;
    }
    if (!file.isFile()) {
        probeError = QStringLiteral("file not found");
        return false;
    }
    if (!engineProbe.open(filename.toLocal8Bit().constData())) {
        probeError = QStringLiteral("not a readable media file");
        return false;
    }
    fileInfo = std::make_unique<FileInfo>();
    if (!engineProbe.fillFileInfo(fileInfo.get())) {
        engineProbe.close();
        probeError = QStringLiteral("no stream information");
        return false;
    }
    isAudio = engineProbe.isAudioOnly();
    valid = true;
    const double duration = fileInfo->durationMs;
    const bool lengthKnown = hasKnownLength();
    if (msStart < 0)
        msStart = 0;
    // Without a known length the section runs until the input ends (-1).
    if (msEnd < 0)
        msEnd = lengthKnown ? qint32(duration) : -1;
    width = fileInfo->width;
    height = fileInfo->height;
    qCDebug(lcMedia, "size = (%d,%d)", width, height);

    thumbnail = QImage();
    if (withThumbnail) {
        const std::vector<uint8_t> jpeg = engineProbe.thumbnailJpeg(msStart);
        if (!jpeg.empty())
            thumbnail.loadFromData(jpeg.data(), int(jpeg.size()), "JPG");
        if (thumbnail.isNull())
            thumbnail.load(audioIconPath()); // stays null when the resource is absent
    }

    if (lengthKnown && msStart >= qint64(duration)) {
        valid = false;
        probeError = QStringLiteral("the section starts at %1, after the end of the file at %2")
                         .arg(clockText(msStart), clockText(qint64(duration)));
    } else if (lengthKnown && msEnd > duration) {
        valid = false;
        probeError = QStringLiteral("section end %1 ms is beyond the duration of the file (%2)")
                         .arg(msEnd)
                         .arg(clockText(qint64(duration)));
    } else if (msEnd >= 0 && msStart >= msEnd) {
        // An empty or reversed section would convert nothing.
        valid = false;
        probeError = QStringLiteral("empty section %1 to %2").arg(clockText(msStart), clockText(msEnd));
    }
    engineProbe.close();
    return valid;
}

bool VideoInfo::hasKnownLength() const
{
    return fileInfo && fileInfo->durationMs >= 1.0 && fileInfo->durationMs < 2147483647.0;
}

void VideoInfo::learnLength(double ms)
{
    if (hasKnownLength() || !fileInfo || !(ms >= 1.0 && ms < 2147483647.0))
        return;
    fileInfo->durationMs = ms;
    if (msEnd < 0)
        msEnd = qint32(ms);
}

bool VideoInfo::isValid()
{
    return probed ? valid : probe();
}

bool VideoInfo::hasEdits() const
{
    return effectChanged || cropChanged || watermarkChanged || subtitleChanged || flipChanged;
}

QString VideoInfo::displayName()
{
    if (m_displayName.isEmpty())
        m_displayName = filename.mid(filename.lastIndexOf(QLatin1Char('/')) + 1);
    return m_displayName;
}
