#pragma once

#include "engine/av/filtergraph.h"

#include <vector>

// How a picture is fitted into an output frame of another shape: the
// filters for FrameFit's black bars or crop, and the crop area of the
// editor's settings.
namespace FrameFitting {

// The crop area of the settings on a w x h picture, kept inside it; false
// when the settings crop nothing.
bool cropArea(const FilterSettings &s, int w, int h, int *x, int *y, int *cw, int *ch);

// Appends the filters that fit a w x h picture of display aspect
// pictureDar into a tw x th frame of the output's display aspect (its
// displayAspect, or square pixels): scaled and padded with black, or
// cropped and scaled, as out.fit asks; only scaled when the shapes agree.
void append(std::vector<FilterNode> &chain, const VideoFilterOutput &out, int w, int h, double pictureDar,
            int tw, int th);

} // namespace FrameFitting
