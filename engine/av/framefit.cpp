#include "engine/av/framefit.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace FrameFitting {

namespace {

std::string num(int v)
{
    return std::to_string(v);
}

// A length rounded to the nearest even number (at least 2) when asked.
int roundedSide(double v, bool even)
{
    const int n = even ? 2 * int(std::lround(v / 2.0)) : int(std::lround(v));
    return std::max(even ? 2 : 1, n);
}

void appendScale(std::vector<FilterNode> &chain, int w, int h)
{
    chain.push_back({"scale", {{"w", num(w)}, {"h", num(h)}, {"flags", "bicubic"}}, {}});
}

} // namespace

bool cropArea(const FilterSettings &s, int w, int h, int *x, int *y, int *cw, int *ch)
{
    if (!s.crop || s.cropWidth <= 0 || s.cropHeight <= 0)
        return false;
    *x = std::clamp(s.cropLeft, 0, w - 1);
    *y = std::clamp(s.cropTop, 0, h - 1);
    *cw = std::min(s.cropWidth, w - *x);
    *ch = std::min(s.cropHeight, h - *y);
    return true;
}

void append(std::vector<FilterNode> &chain, const VideoFilterOutput &out, int w, int h, double pictureDar,
            int tw, int th)
{
    const double frameDar = out.displayAspect.num > 0 ? av_q2d(out.displayAspect) : double(tw) / th;
    const bool even = out.evenSize;
    if (!(pictureDar > 0.0) || !(frameDar > 0.0) || std::fabs(pictureDar / frameDar - 1.0) < 0.01) {
        if (tw != w || th != h)
            appendScale(chain, tw, th);
        return;
    }
    const bool wider = pictureDar > frameDar;
    if (out.fit == FrameFit::Pad) {
        // The picture's own shape inside the frame; bars above and below a
        // wider picture, left and right of a narrower one.
        const int pw = wider ? tw : std::min(tw, roundedSide(tw * pictureDar / frameDar, even));
        const int ph = wider ? std::min(th, roundedSide(th * frameDar / pictureDar, even)) : th;
        const int x = ((tw - pw) / 2) & ~1;
        const int y = ((th - ph) / 2) & ~1;
        appendScale(chain, pw, ph);
        chain.push_back(
            {"pad",
             {{"width", num(tw)}, {"height", num(th)}, {"x", num(x)}, {"y", num(y)}, {"color", "black"}},
             {}});
        return;
    }
    // Crop: the middle of the picture in the frame's shape, in source pixels.
    const int cw = wider ? std::min(w, roundedSide(w * frameDar / pictureDar, even)) : w;
    const int ch = wider ? h : std::min(h, roundedSide(h * pictureDar / frameDar, even));
    const int x = ((w - cw) / 2) & ~1;
    const int y = ((h - ch) / 2) & ~1;
    chain.push_back({"crop", {{"w", num(cw)}, {"h", num(ch)}, {"x", num(x)}, {"y", num(y)}}, {}});
    appendScale(chain, tw, th);
}

} // namespace FrameFitting
