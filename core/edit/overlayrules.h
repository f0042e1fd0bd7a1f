#pragma once

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>

// The rules the editor's Subtitle and Watermark tabs and the conversion share,
// so that the preview and the converted file agree.
namespace OverlayRules {

// Transparency is shown as 0..100 % and stored as alpha 0..255.
int alphaFromPercent(int percent);
int percentFromAlpha(int alpha);

// "#" and six hexadecimal digits.
QString colorName(const QColor &color);

// Margin kept between an image watermark and the picture's right or bottom edge.
constexpr int ImageMargin = 10;
// The largest offset an image of the given length may have (may be negative
// for an image nearly as large as the picture).
int imageOffsetLimit(int videoLength, int imageLength);
// Where an image watermark is drawn: the chosen spaces, but never closer
// than the margin to the right or bottom edge.
QPoint imageWatermarkPosition(int horSpace, int verSpace, const QSize &image, const QSize &video);
// The size a newly chosen image starts with: its own, but half the video's
// width (height) when it is wider (taller) than the video.
QSize initialImageSize(const QSize &image, const QSize &video);

// Whether the file reads as subtitles (a subtitle stream opens from it).
bool isSubtitleFile(const QString &path);

// The font file a text watermark in the family is drawn with: the family's
// own file, else fontconfig's match for the default sans family.
QString watermarkFontFile(const QString &family);

} // namespace OverlayRules
