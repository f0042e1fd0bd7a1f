#include "engine/playerfilterdescription.h"

#include <algorithm>
#include <sstream>

namespace playback {

std::string previewFilterDescription(const FilterSettings &f, int width, int height)
{
    std::ostringstream s;
    auto add = [&s](const std::string &filter) {
        if (s.tellp() > 0)
            s << ',';
        s << filter;
    };
    if (f.deinterlace)
        add("yadif=mode=" + std::to_string(std::clamp(f.deinterlaceMode, 0, 3)));
    if (f.crop && f.cropWidth > 0 && f.cropHeight > 0) {
        const int w = std::min(f.cropWidth, width);
        const int h = std::min(f.cropHeight, height);
        const int x = std::clamp(f.cropLeft, 0, width - w);
        const int y = std::clamp(f.cropTop, 0, height - h);
        add("crop=" + std::to_string(w) + ":" + std::to_string(h) + ":" + std::to_string(x) + ":" +
            std::to_string(y));
    }
    if (f.lightness || f.contrast || f.saturation) {
        std::ostringstream eq;
        eq << "eq=brightness=" << std::clamp(f.lightness, -100, 100) / 100.0
           << ":contrast=" << 1.0 + std::clamp(f.contrast, -100, 100) / 100.0
           << ":saturation=" << 1.0 + std::clamp(f.saturation, -100, 100) / 100.0;
        add(eq.str());
    }
    if (f.blur)
        add("boxblur=2:1");
    if (f.sharp)
        add("unsharp");
    if (f.negate)
        add("negate");
    if (f.deshake)
        add("deshake");
    if (f.hFlip)
        add("hflip");
    if (f.vFlip)
        add("vflip");
    if (f.zoomMode >= 0 && f.zoomWidth > 0 && f.zoomHeight > 0) {
        const std::string w = std::to_string(f.zoomWidth), h = std::to_string(f.zoomHeight);
        add("scale=" + w + ":" + h + ":force_original_aspect_ratio=decrease,pad=" + w + ":" + h +
            ":(ow-iw)/2:(oh-ih)/2,setsar=1");
    }
    return s.str();
}

} // namespace playback
