#include "gui/editor/previewedits.h"

namespace PreviewEdits {

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
