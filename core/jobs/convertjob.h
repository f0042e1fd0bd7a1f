#pragma once

#include "engine/transcode/encodeinfo.h"
#include "engine/transcode/transcodestatus.h"

#include <QColor>
#include <QSet>
#include <QString>

class CFilterSetters;
class CFFmpegTranscode;
class CVideoFormatInfo;
class VideoInfo;
class VideoProfileFormatUserConfig;

// The encode parameters of an output profile, as the profile's texts.
struct JobProfile {
    QString name;   // "dvd" marks the DVD profile
    QString format; // output extension with its dot, e.g. ".mp4"
    QString audioBitrate;
    QString channels;
    QString sampleRate;
    QString audioEncoder;
    QString videoBitrate;
    QString frameRate; // thousandths of a frame per second; "0" keeps the source rate
    int width = 0;     // 0 x 0 keeps the source size
    int height = 0;
    QString videoEncoder;
    int aspectMode = ENCODE_ASPECT_FIT; // EncodeAspectMode: how the picture fills the frame
    // Output split into segments: 0 one file, 1 by size, 2 by time (the
    // user configuration's split settings).
    int splitMode = 0;
    int splitSizeMb = 0; // megabytes of 1 000 000 bytes
    int splitMinutes = 0;
};

// How one file is turned into one output: the encode record, the filter calls
// for the file's edits and the output name.  Shared by the conversion panel,
// the merge and the command-line tool.
class ConvertJob {
public:
    // The parameters of a user's profile (overrides over the database
    // defaults), read in the order the engine record is filled.
    static JobProfile jobProfile(const VideoProfileFormatUserConfig &profile);
    // The database defaults of a built-in profile.
    static JobProfile jobProfile(const CVideoFormatInfo &profile);

    // The row a job converts: the selected row, or row 0 when nothing is
    // selected or the files are merged.
    static int sourceRow(int selectedRow, bool merge);

    // Fills info from the profile and the source record.  False (record
    // untouched) when info or profile is null.  source may be null; then the
    // section and the size and frame-rate fallbacks stay 0.
    static bool fillEncodeInfo(EncodeInfo *info, const JobProfile *profile, const VideoInfo *source);
    // The same for a user's profile; false also when the profile is invalid.
    static bool fillEncodeInfo(EncodeInfo *info, const VideoProfileFormatUserConfig *profile,
                               const VideoInfo *source);

    // The filter calls for the file's edits, in the order the engine expects.
    // tempDir is the folder the subtitle renderer may work in.  False, with
    // the reason in error, when the engine refuses an edit (a subtitle file
    // that does not read as subtitles): the job must not run without it.
    static bool applyFilters(const VideoInfo &video, CFilterSetters &target, const QString &tempDir,
                             QString *error = nullptr);

    // The groups on their own, for the merge, which orders them its own way.
    static void applyCrop(const VideoInfo &video, CFilterSetters &target);
    static bool applySubtitle(const VideoInfo &video, CFilterSetters &target, const QString &tempDir,
                              QString *error = nullptr);
    static void applyWatermark(const VideoInfo &video, CFilterSetters &target);
    // Mirroring shown in the editor is applied to the output as well.
    static void applyMirror(const VideoInfo &video, CFilterSetters &target);
    static void applyEffectTable(int effect, CFilterSetters &target);

    // Colour words for the engine: subtitle opacity<<24|blue<<16|green<<8|red,
    // text watermark red<<24|green<<16|blue<<8|opacity, each read as a signed
    // 32-bit value and widened.
    static qint64 subtitleColor(const QColor &color, int alpha);
    static qint64 textWatermarkColor(const QColor &color, int alpha);

    // The font file drawn for a text watermark in the given family (the
    // default sans face when the family has none).
    static QString fontFileFor(const QString &family);

    // outputDir + source base name + extension; "%1%2(%3)%4" with a counter
    // from 1 while that file exists or is in reserved.  Empty when the source
    // or the folder is empty.
    static QString uniqueOutputPath(const QString &sourcePath, const QString &outputDir,
                                    const QString &extension, const QSet<QString> &reserved = {},
                                    bool segmented = false);
    // True when the profile splits the output into segments.
    static bool splits(const JobProfile &profile);
    // Segment number (from 1) of output: "<name>_001<ext>" and so on.
    static QString segmentPath(const QString &outputPath, int number);
    // Whether an output name is taken: the file, or for a split output its first segment.
    static bool outputExists(const QString &outputPath, bool segmented);

    // Sets record, input and filters on a transcoder for one file; false,
    // with the reason, when an edit cannot be applied.
    static bool prepare(CFFmpegTranscode &transcoder, const JobProfile &profile, const VideoInfo &source,
                        const QString &tempDir, QString *error = nullptr);

    // "convert status = [...] in [...:...]" in the debug log.
    static void logStatus(TranscodeStatus status, const char *source, int line);
    // Hands a finished file to the iTunes library (does nothing here).
    static void sendToItunes(const QString &outputPath);
    // What follows a finished job: the iTunes hand-over after a successful
    // job of a profile other than "dvd" when the user asked for it.  True
    // when the file was handed over.
    static bool afterJob(TranscodeStatus status, const QString &profileName, bool canSendToItunes,
                         const QString &outputPath);
};
