#pragma once

#include <cstdint>
#include <mutex>
#include <string>

// A plain description of the active filters.  The transcoder and the player
// both keep one and build their filter graphs from it with the same builder.
struct FilterSettings {
    // Picture levels, -100..100 (0 = unchanged); audio amplifier level.
    int lightness = 0;
    int contrast = 0;
    int saturation = 0;
    int audioLevel = 0;
    bool audioLevelSet = false;

    bool blur = false;
    bool negate = false;
    bool deshake = false;
    bool sharp = false;

    bool deinterlace = false;
    int deinterlaceMode = 0; // 0..3

    bool crop = false;
    int cropLeft = 0, cropTop = 0, cropWidth = 0, cropHeight = 0;

    bool subtitle = false;
    std::string subtitleFile;
    std::string subtitleWorkDir;
    bool subtitleCustomStyle = false;
    std::string subtitleFontName;
    int subtitleFontSize = 0;
    int64_t subtitleColor = 0; // opacity<<24 | blue<<16 | green<<8 | red
    int subtitleHorSpace = 0;
    int subtitleVerSpace = 0;

    bool imageWatermark = false;
    std::string imageWatermarkFile;
    int imageWatermarkWidth = 0, imageWatermarkHeight = 0;
    int imageWatermarkX = 0, imageWatermarkY = 0;

    bool textWatermark = false;
    std::string textWatermarkText;
    std::string textWatermarkFontFile;
    int textWatermarkFontSize = 0;
    int64_t textWatermarkColor = 0; // red<<24 | green<<16 | blue<<8 | opacity
    int textWatermarkX = 0, textWatermarkY = 0;

    // Mirroring, applied before the crop so that a crop chosen on the
    // mirrored picture keeps its place.
    bool hFlip = false;
    bool vFlip = false;

    // Preview only (player): the picture scaled to the output size.
    int zoomMode = -1; // -1 = none
    int zoomWidth = 0, zoomHeight = 0;
};

// The filter setters shared by CFFmpegTranscode and CffmpegPlayer.  The first
// argument of each on/off setter is an "off" flag: 0 applies, 1 removes.  Each
// call replaces the earlier filter of its kind.  Thread-safe: the GUI may call
// them while a worker reads the settings.
class CFilterSetters {
public:
    virtual ~CFilterSetters() = default;

    int SetLightness(int level);
    int SetContrast(int level);
    int SetSaturation(int level);
    int SetAudioFilter(int level);
    int SetBlurFilter(int off);
    int SetNegateFilter(int off);
    int SetDeshakeFilter(int off);
    int SetSharpFilter(int off);
    int SetDeinterlaceFilter(int off, int mode);
    int SetCropFilter(int off, int left, int top, int width, int height, int reserved1, int reserved2);
    int SetSubtileFilter(int off, const char *subtitleFile, const char *workDir, int customStyle,
                         const char *fontName, int fontSize, int64_t color, int horSpace, int verSpace,
                         int reserved1, int reserved2);
    int SetImageWaterMarkFilter(int off, const char *imageFile, int width, int height, int x, int y);
    int SetTextWaterMarkFilter(int off, const char *text, const char *fontFile, int fontSize, int64_t color,
                               int x, int y, int reserved1, int64_t reserved2);
    // Mirror left to right / top to bottom.
    void AddhFilpFileter(int off);
    void AddvFilpFileter(int off);

    // A consistent copy of the current settings and its generation number
    // (bumped on every change).
    FilterSettings filterSnapshot(uint64_t *generation = nullptr) const;
    uint64_t filterGeneration() const;
    void resetFilters();

protected:
    // Applies a change under the lock and bumps the generation.
    template <typename F> int changeFilters(F &&change)
    {
        {
            std::lock_guard<std::mutex> lock(m_filterMutex);
            change(m_filters);
            ++m_filterGeneration;
        }
        onFiltersChanged();
        return 1;
    }
    // Called after every change, outside the lock.
    virtual void onFiltersChanged() {}

private:
    mutable std::mutex m_filterMutex;
    FilterSettings m_filters;
    uint64_t m_filterGeneration = 0;
};
