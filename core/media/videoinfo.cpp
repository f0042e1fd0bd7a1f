#include "core/media/videoinfo.h"

#include "engine/probe/mediaprobe.h"

#include <QDebug>
#include <QFileInfo>

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
    if (!QFileInfo(filename).isFile()) {
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
    if (msStart < 0)
        msStart = 0;
    if (msEnd < 0)
        msEnd = duration > 0 && duration < 2147483647.0 ? qint32(duration) : 0;
    width = fileInfo->width;
    height = fileInfo->height;
    qDebug("size = (%d,%d)", width, height);

    thumbnail = QImage();
    if (withThumbnail) {
        const std::vector<uint8_t> jpeg = engineProbe.thumbnailJpeg(msStart);
        if (!jpeg.empty())
            thumbnail.loadFromData(jpeg.data(), int(jpeg.size()), "JPG");
        if (thumbnail.isNull())
            thumbnail.load(audioIconPath()); // stays null when the resource is absent
    }

    if (msEnd > duration) {
        valid = false;
        probeError = QStringLiteral("section end %1 ms is beyond the duration").arg(msEnd);
    } else if (msStart >= msEnd) {
        // An empty or reversed section would convert nothing.
        valid = false;
        probeError = QStringLiteral("empty section %1 to %2 ms").arg(msStart).arg(msEnd);
    }
    engineProbe.close();
    return valid;
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
    if (m_displayName.isEmpty()) {
        QString path = filename;
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        m_displayName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    }
    return m_displayName;
}
