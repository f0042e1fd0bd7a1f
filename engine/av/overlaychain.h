#pragma once

#include "engine/av/filtergraph.h"

#include <vector>

// The filters that draw over the picture: subtitles and watermarks, in the
// picture's own size (before it is fitted to the output's frame).
namespace OverlayChain {

// The subtitles of the settings over a width x height picture, when they are on.
void appendSubtitle(std::vector<FilterNode> &chain, const FilterSettings &s, int width, int height);
// The image and text watermarks of the settings, when they are on.
void appendWatermarks(std::vector<FilterNode> &chain, const FilterSettings &s);

} // namespace OverlayChain
