#pragma once

#include "engine/av/filtersettings.h"

// How the editor's choices change the preview's filter set.  Each function
// edits only the fields of its own filter; a filter turned off goes back to
// its empty values.
namespace PreviewEdits {

// The picture effect of the Effect tab (EditEffects::Effect): at most one
// of blur, negate, deshake and sharp.  Unknown data changes nothing (false).
bool setEffect(FilterSettings &f, int effect);
// The deinterlacing mode of the Effect tab (EditEffects::Deinterlace).
bool setDeinterlace(FilterSettings &f, int deinterlace);

void removeSubtitle(FilterSettings &f);
void removeImageWatermark(FilterSettings &f);
void removeTextWatermark(FilterSettings &f);

} // namespace PreviewEdits
