#include "core/jobs/jobfilters.h"

#include "core/edit/editeffects.h"
#include "core/edit/overlayrules.h"
#include "core/media/videoinfo.h"
#include "engine/av/subtitlefile.h"

#include <QDir>
#include <QFileInfo>

namespace {

qint64 packed(quint32 word)
{
    return qint64(qint32(word));
}

std::string local(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}

bool readableSubtitle(const QString &file)
{
    return QFileInfo(file).isReadable() && readsAsSubtitles(local(file));
}

} // namespace

bool JobFilters::forConversion(const VideoInfo &video, const QString &tempDir, FilterSettings *out,
                               QString *error)
{
    FilterSettings f;
    if (video.hasEdits()) {
        addCrop(video, f);
        if (!addSubtitle(video, tempDir, f, error))
            return false;
        addWatermark(video, f);
        addMirror(video, f);
        if (video.effectChanged) {
            addPictureEffects(video, f);
            f.audioLevel = video.amplifier;
            f.audioLevelSet = true;
        }
    }
    if (out)
        *out = f;
    return true;
}

bool JobFilters::forMergeInput(const VideoInfo &video, const QString &tempDir, FilterSettings *out,
                               QString *error)
{
    FilterSettings f;
    addCrop(video, f);
    if (!addSubtitle(video, tempDir, f, error))
        return false;
    addWatermark(video, f);
    addMirror(video, f);
    if (video.effectChanged)
        addPictureEffects(video, f);
    if (out)
        *out = f;
    return true;
}

void JobFilters::addCrop(const VideoInfo &video, FilterSettings &f)
{
    if (!video.cropChanged)
        return;
    f.crop = true;
    f.cropLeft = video.cropLeft;
    f.cropTop = video.cropTop;
    f.cropWidth = video.cropWidth;
    f.cropHeight = video.cropHeight;
}

bool JobFilters::addSubtitle(const VideoInfo &video, const QString &tempDir, FilterSettings &f,
                             QString *error)
{
    const QString &file = video.subtitleFile;
    if (!video.subtitleChanged || file.isEmpty())
        return true;
    if (video.subtitleEnabled && !readableSubtitle(file)) {
        if (error)
            *error = QStringLiteral("the subtitle file %1 cannot be read as subtitles (SRT, ASS or SSA)")
                         .arg(QDir::toNativeSeparators(file));
        return false;
    }
    f.subtitle = video.subtitleEnabled;
    f.subtitleFile = local(file);
    f.subtitleWorkDir = local(tempDir + QLatin1Char('/'));
    // The custom style is the user's choice, as in the editor's preview.
    f.subtitleCustomStyle = video.subtitleCustomize;
    f.subtitleFontName = local(video.subtitleFontName);
    f.subtitleFontSize = video.subtitleFontSize;
    f.subtitleColor = subtitleColor(video.subtitleColor, video.subtitleAlpha);
    f.subtitleHorSpace = video.subtitleHorSpace;
    f.subtitleVerSpace = video.subtitleVerSpace;
    return true;
}

void JobFilters::addWatermark(const VideoInfo &video, FilterSettings &f)
{
    if (!video.watermarkChanged || !video.watermarkEnabled)
        return;
    if (video.watermarkType == 0) {
        if (video.watermarkImage.isEmpty())
            return;
        // Kept off the right and bottom edges as the editor's preview shows it.
        QPoint at(video.watermarkHorSpace, video.watermarkVerSpace);
        if (video.width > 0 && video.height > 0)
            at = OverlayRules::imageWatermarkPosition(
                video.watermarkHorSpace, video.watermarkVerSpace,
                QSize(video.watermarkImageWidth, video.watermarkImageHeight),
                QSize(video.width, video.height));
        f.imageWatermark = true;
        f.imageWatermarkFile = local(video.watermarkImage);
        f.imageWatermarkWidth = video.watermarkImageWidth;
        f.imageWatermarkHeight = video.watermarkImageHeight;
        f.imageWatermarkX = at.x();
        f.imageWatermarkY = at.y();
        return;
    }
    f.textWatermark = true;
    f.textWatermarkText = video.watermarkText.toUtf8().toStdString();
    f.textWatermarkFontFile = local(OverlayRules::watermarkFontFile(video.watermarkFontName));
    f.textWatermarkFontSize = video.watermarkFontSize;
    f.textWatermarkColor = textWatermarkColor(video.watermarkColor, video.watermarkAlpha);
    f.textWatermarkX = video.watermarkHorSpace;
    f.textWatermarkY = video.watermarkVerSpace;
}

void JobFilters::addMirror(const VideoInfo &video, FilterSettings &f)
{
    if (!video.flipChanged)
        return;
    f.hFlip = video.hFlip;
    f.vFlip = video.vFlip;
}

void JobFilters::addPictureEffects(const VideoInfo &video, FilterSettings &f)
{
    // A chosen deinterlacing mode is honoured; "none" leaves it off.
    EditEffects::applyDeinterlace(video.deinterlace, f);
    f.lightness = video.brightness;
    f.contrast = video.contrast;
    f.saturation = video.saturation;
    addEffectTable(video.effect, f);
}

void JobFilters::addEffectTable(int effect, FilterSettings &f)
{
    // The editor's table; "none" and unknown data change nothing here.
    if (effect != EditEffects::NoEffect)
        EditEffects::applyEffect(effect, f);
}

qint64 JobFilters::subtitleColor(const QColor &color, int alpha)
{
    const quint32 word = (quint32(alpha & 0xFF) << 24) | (quint32(color.blue() & 0xFF) << 16) |
                         (quint32(color.green() & 0xFF) << 8) | quint32(color.red() & 0xFF);
    return packed(word);
}

qint64 JobFilters::textWatermarkColor(const QColor &color, int alpha)
{
    const quint32 word = (quint32(color.red() & 0xFF) << 24) | (quint32(color.green() & 0xFF) << 16) |
                         (quint32(color.blue() & 0xFF) << 8) | quint32(alpha & 0xFF);
    return packed(word);
}
