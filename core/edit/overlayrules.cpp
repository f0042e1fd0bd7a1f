#include "core/edit/overlayrules.h"

#include "core/platform/platform.h"
#include "engine/av/fontlookup.h"
#include "engine/av/subtitlefile.h"

#include <QFileInfo>

#include <algorithm>

namespace OverlayRules {

int alphaFromPercent(int percent)
{
    return std::clamp(percent, 0, 100) * 255 / 100;
}

int percentFromAlpha(int alpha)
{
    return std::clamp(alpha, 0, 255) * 100 / 255;
}

QString colorName(const QColor &color)
{
    return color.name(QColor::HexRgb);
}

int imageOffsetLimit(int videoLength, int imageLength)
{
    return videoLength - imageLength - ImageMargin;
}

QPoint imageWatermarkPosition(int horSpace, int verSpace, const QSize &image, const QSize &video)
{
    return QPoint(std::min(horSpace, imageOffsetLimit(video.width(), image.width())),
                  std::min(verSpace, imageOffsetLimit(video.height(), image.height())));
}

QSize initialImageSize(const QSize &image, const QSize &video)
{
    const int width = image.width() > video.width() ? video.width() / 2 : image.width();
    const int height = image.height() > video.height() ? video.height() / 2 : image.height();
    return QSize(width, height);
}

bool isSubtitleFile(const QString &path)
{
    return readsAsSubtitles(path.toLocal8Bit().toStdString());
}

QString watermarkFontFile(const QString &family)
{
    QString file = Platform::fontFilePath(family);
    if (file.isEmpty() || !QFileInfo::exists(file))
        file = QString::fromStdString(FontLookup::fileForFamily("sans-serif"));
    if (file.isEmpty() || !QFileInfo::exists(file))
        file = Platform::defaultFontFile();
    return file;
}

} // namespace OverlayRules
