#include "gui/editor/previewedits.h"

#include "core/edit/editeffects.h"

namespace PreviewEdits {

bool setEffect(FilterSettings &f, int effect)
{
    switch (effect) {
    case EditEffects::NoEffect:
    case EditEffects::Sharp:
    case EditEffects::Deshake:
    case EditEffects::Blur:
    case EditEffects::Negate:
        break;
    default:
        return false;
    }
    f.blur = effect == EditEffects::Blur;
    f.negate = effect == EditEffects::Negate;
    f.deshake = effect == EditEffects::Deshake;
    f.sharp = effect == EditEffects::Sharp;
    return true;
}

bool setDeinterlace(FilterSettings &f, int deinterlace)
{
    if (deinterlace == EditEffects::DeinterlaceNone) {
        f.deinterlace = false;
        f.deinterlaceMode = 0;
        return true;
    }
    if (deinterlace < EditEffects::RepeatOdd || deinterlace > EditEffects::EvenInterpolate)
        return false;
    // The filter counts its modes from 0, the tab's data from 1.
    f.deinterlace = true;
    f.deinterlaceMode = deinterlace - EditEffects::RepeatOdd;
    return true;
}

void removeSubtitle(FilterSettings &f)
{
    const FilterSettings none;
    f.subtitle = false;
    f.subtitleFile = none.subtitleFile;
    f.subtitleWorkDir = none.subtitleWorkDir;
    f.subtitleCustomStyle = none.subtitleCustomStyle;
    f.subtitleFontName = none.subtitleFontName;
    f.subtitleFontSize = none.subtitleFontSize;
    f.subtitleColor = none.subtitleColor;
    f.subtitleHorSpace = none.subtitleHorSpace;
    f.subtitleVerSpace = none.subtitleVerSpace;
}

void removeImageWatermark(FilterSettings &f)
{
    const FilterSettings none;
    f.imageWatermark = false;
    f.imageWatermarkFile = none.imageWatermarkFile;
    f.imageWatermarkWidth = none.imageWatermarkWidth;
    f.imageWatermarkHeight = none.imageWatermarkHeight;
    f.imageWatermarkX = none.imageWatermarkX;
    f.imageWatermarkY = none.imageWatermarkY;
}

void removeTextWatermark(FilterSettings &f)
{
    // An empty text in the tab's starting style: 12 points, opaque white.
    f.textWatermark = false;
    f.textWatermarkText.clear();
    f.textWatermarkFontFile.clear();
    f.textWatermarkFontSize = 12;
    f.textWatermarkColor = int64_t(0xFFFFFFFFLL);
    f.textWatermarkX = 0;
    f.textWatermarkY = 0;
}

} // namespace PreviewEdits
