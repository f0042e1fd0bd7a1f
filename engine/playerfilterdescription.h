#pragma once

#include "engine/filtersettings.h"

#include <string>

namespace playback {

// The filter chain (libavfilter syntax) for the preview of the given
// settings on a picture of width x height; empty when no filter is on.
std::string previewFilterDescription(const FilterSettings &settings, int width, int height);

} // namespace playback
