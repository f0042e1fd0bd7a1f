#pragma once

#include "engine/av/filtersettings.h"

// How the editor's overlay tabs take their filters off the preview's set.
// Each function edits only the fields of its own filter, which go back to
// their empty values.  (The Effect tab's choices are in EditEffects.)
namespace PreviewEdits {

void removeSubtitle(FilterSettings &f);
void removeImageWatermark(FilterSettings &f);
void removeTextWatermark(FilterSettings &f);

} // namespace PreviewEdits
