#include "engine/av/overlaychain.h"

#include "engine/av/fontlookup.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

// Removes the characters that would end a key or value of an ASS style list.
std::string styleSafe(std::string s)
{
    s.erase(std::remove_if(s.begin(), s.end(),
                           [](char c) { return c == ',' || c == '=' || c == '\n' || c == '\r'; }),
            s.end());
    return s;
}

// The ASS style list of a custom subtitle style.
std::string subtitleStyle(const FilterSettings &s)
{
    std::string style;
    if (!s.subtitleFontName.empty())
        style.append("FontName=").append(styleSafe(s.subtitleFontName)).append(",");
    if (s.subtitleFontSize > 0)
        style.append("FontSize=").append(std::to_string(s.subtitleFontSize)).append(",");
    char colour[32];
    std::snprintf(colour, sizeof(colour), "&H%08X", unsigned(uint32_t(s.subtitleColor)));
    style.append("PrimaryColour=").append(colour).append(",");
    const std::string hor = std::to_string(std::max(0, s.subtitleHorSpace));
    style.append("MarginL=").append(hor).append(",");
    style.append("MarginR=").append(hor).append(",");
    style.append("MarginV=").append(std::to_string(std::max(0, s.subtitleVerSpace)));
    return style;
}

} // namespace

namespace OverlayChain {

void appendSubtitle(std::vector<FilterNode> &chain, const FilterSettings &s, int width, int height)
{
    if (!s.subtitle || s.subtitleFile.empty())
        return;
    FilterNode node{"subtitles", {{"filename", s.subtitleFile}}, {}};
    if (s.subtitleCustomStyle)
        node.options.push_back({"force_style", subtitleStyle(s)});
    std::string size = std::to_string(width);
    size.append("x").append(std::to_string(height));
    node.options.push_back({"original_size", size});
    chain.push_back(node);
}

void appendWatermarks(std::vector<FilterNode> &chain, const FilterSettings &s)
{
    if (s.imageWatermark && !s.imageWatermarkFile.empty()) {
        FilterNode node{"overlay",
                        {{"x", std::to_string(std::max(0, s.imageWatermarkX))},
                         {"y", std::to_string(std::max(0, s.imageWatermarkY))},
                         {"eof_action", "repeat"}},
                        {}};
        node.side.push_back({"movie", {{"filename", s.imageWatermarkFile}}, {}});
        if (s.imageWatermarkWidth > 0 && s.imageWatermarkHeight > 0)
            node.side.push_back({"scale",
                                 {{"w", std::to_string(s.imageWatermarkWidth)},
                                  {"h", std::to_string(s.imageWatermarkHeight)},
                                  {"flags", "bicubic"}},
                                 {}});
        chain.push_back(node);
    }
    if (s.textWatermark && !s.textWatermarkText.empty()) {
        const uint32_t c = uint32_t(s.textWatermarkColor); // red, green, blue, opacity
        char colour[16];
        std::snprintf(colour, sizeof(colour), "0x%08X", unsigned(c));
        chain.push_back(
            {"drawtext",
             {{"fontfile", FontLookup::existingOrDefault(s.textWatermarkFontFile)},
              {"text", s.textWatermarkText},
              {"expansion", "none"},
              {"fontsize", std::to_string(s.textWatermarkFontSize > 0 ? s.textWatermarkFontSize : 24)},
              {"fontcolor", colour},
              {"x", std::to_string(std::max(0, s.textWatermarkX))},
              {"y", std::to_string(std::max(0, s.textWatermarkY))}},
             {}});
    }
}

} // namespace OverlayChain
