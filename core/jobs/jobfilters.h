#pragma once

#include "engine/av/filtersettings.h"

#include <QColor>
#include <QString>

class VideoInfo;

// The filters of one file's edits, as the editor left them in its record:
// only the groups the user changed, each as the editor's preview shows it.
class JobFilters {
public:
    // Every changed group of a file converted on its own.  tempDir is the
    // folder the subtitle renderer may work in.  False, with the reason in
    // error, when an edit cannot be applied (a subtitle file that does not
    // read as subtitles): the job must not run without it.
    static bool forConversion(const VideoInfo &video, const QString &tempDir, FilterSettings *out,
                              QString *error = nullptr);
    // The same for one file of a merge: the sound keeps its level there.
    static bool forMergeInput(const VideoInfo &video, const QString &tempDir, FilterSettings *out,
                              QString *error = nullptr);

    // The groups on their own.
    static void addCrop(const VideoInfo &video, FilterSettings &f);
    static bool addSubtitle(const VideoInfo &video, const QString &tempDir, FilterSettings &f,
                            QString *error = nullptr);
    static void addWatermark(const VideoInfo &video, FilterSettings &f);
    // Mirroring shown in the editor is applied to the output as well.
    static void addMirror(const VideoInfo &video, FilterSettings &f);
    // Deinterlacing, the picture levels and the effect table.
    static void addPictureEffects(const VideoInfo &video, FilterSettings &f);
    // Effects 1..4: sharp, deshake, blur, negate; anything else changes nothing.
    static void addEffectTable(int effect, FilterSettings &f);

    // Colour words for the engine: subtitle opacity<<24|blue<<16|green<<8|red,
    // text watermark red<<24|green<<16|blue<<8|opacity, each read as a signed
    // 32-bit value and widened.
    static qint64 subtitleColor(const QColor &color, int alpha);
    static qint64 textWatermarkColor(const QColor &color, int alpha);
};
