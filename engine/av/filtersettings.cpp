#include "engine/av/filtersettings.h"

#include "engine/av/subtitlefile.h"

#include <algorithm>
#include <cctype>
#include <unistd.h>

namespace {
std::string str(const char *s)
{
    return s ? std::string(s) : std::string();
}

// The file is read, not judged by its name: SRT, ASS, SSA and the other
// text subtitle formats FFmpeg reads, whatever they are called.
bool readableSubtitle(const std::string &path)
{
    return !path.empty() && access(path.c_str(), R_OK) == 0 && readsAsSubtitles(path);
}
} // namespace

int CFilterSetters::SetLightness(int level)
{
    return changeFilters([&](FilterSettings &f) { f.lightness = level; });
}

int CFilterSetters::SetContrast(int level)
{
    return changeFilters([&](FilterSettings &f) { f.contrast = level; });
}

int CFilterSetters::SetSaturation(int level)
{
    return changeFilters([&](FilterSettings &f) { f.saturation = level; });
}

int CFilterSetters::SetAudioFilter(int level)
{
    return changeFilters([&](FilterSettings &f) {
        f.audioLevel = level;
        f.audioLevelSet = true;
    });
}

int CFilterSetters::SetBlurFilter(int off)
{
    return changeFilters([&](FilterSettings &f) { f.blur = off == 0; });
}

int CFilterSetters::SetNegateFilter(int off)
{
    return changeFilters([&](FilterSettings &f) { f.negate = off == 0; });
}

int CFilterSetters::SetDeshakeFilter(int off)
{
    return changeFilters([&](FilterSettings &f) { f.deshake = off == 0; });
}

int CFilterSetters::SetSharpFilter(int off)
{
    return changeFilters([&](FilterSettings &f) { f.sharp = off == 0; });
}

int CFilterSetters::SetDeinterlaceFilter(int off, int mode)
{
    return changeFilters([&](FilterSettings &f) {
        f.deinterlace = off == 0;
        f.deinterlaceMode = mode;
    });
}

int CFilterSetters::SetCropFilter(int off, int left, int top, int width, int height, int, int)
{
    return changeFilters([&](FilterSettings &f) {
        f.crop = off == 0;
        f.cropLeft = left;
        f.cropTop = top;
        f.cropWidth = width;
        f.cropHeight = height;
    });
}

int CFilterSetters::SetSubtileFilter(int off, const char *subtitleFile, const char *workDir, int customStyle,
                                     const char *fontName, int fontSize, int64_t color, int horSpace,
                                     int verSpace, int, int)
{
    // A subtitle file that cannot be read is refused (negative result) and
    // leaves the current subtitle filter as it was.
    if (off == 0 && !readableSubtitle(str(subtitleFile)))
        return -1;
    return changeFilters([&](FilterSettings &f) {
        f.subtitle = off == 0;
        f.subtitleFile = str(subtitleFile);
        f.subtitleWorkDir = str(workDir);
        f.subtitleCustomStyle = customStyle != 0;
        f.subtitleFontName = str(fontName);
        f.subtitleFontSize = fontSize;
        f.subtitleColor = color;
        f.subtitleHorSpace = horSpace;
        f.subtitleVerSpace = verSpace;
    });
}

int CFilterSetters::SetImageWaterMarkFilter(int off, const char *imageFile, int width, int height, int x,
                                            int y)
{
    return changeFilters([&](FilterSettings &f) {
        f.imageWatermark = off == 0;
        f.imageWatermarkFile = str(imageFile);
        f.imageWatermarkWidth = width;
        f.imageWatermarkHeight = height;
        f.imageWatermarkX = x;
        f.imageWatermarkY = y;
    });
}

int CFilterSetters::SetTextWaterMarkFilter(int off, const char *text, const char *fontFile, int fontSize,
                                           int64_t color, int x, int y, int, int64_t)
{
    return changeFilters([&](FilterSettings &f) {
        f.textWatermark = off == 0;
        f.textWatermarkText = str(text);
        f.textWatermarkFontFile = str(fontFile);
        f.textWatermarkFontSize = fontSize;
        f.textWatermarkColor = color;
        f.textWatermarkX = x;
        f.textWatermarkY = y;
    });
}

void CFilterSetters::AddhFilpFileter(int off)
{
    changeFilters([&](FilterSettings &f) { f.hFlip = off == 0; });
}

void CFilterSetters::AddvFilpFileter(int off)
{
    changeFilters([&](FilterSettings &f) { f.vFlip = off == 0; });
}

FilterSettings CFilterSetters::filterSnapshot(uint64_t *generation) const
{
    std::lock_guard<std::mutex> lock(m_filterMutex);
    if (generation)
        *generation = m_filterGeneration;
    return m_filters;
}

uint64_t CFilterSetters::filterGeneration() const
{
    std::lock_guard<std::mutex> lock(m_filterMutex);
    return m_filterGeneration;
}

void CFilterSetters::resetFilters()
{
    changeFilters([](FilterSettings &f) { f = FilterSettings(); });
}
