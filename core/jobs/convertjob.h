#pragma once

#include "core/jobs/jobprofile.h"
#include "engine/transcode/transcodejob.h"
#include "engine/transcode/transcodestatus.h"

#include <QColor>
#include <QSet>
#include <QString>

class CVideoFormatInfo;
class VideoInfo;
class VideoProfileFormatUserConfig;

// How one file is turned into one output: the typed job with the file's
// section and edits, and the output name.  Shared by the conversion panel,
// the merge and the command-line tool.
class ConvertJob {
public:
    // The parameters of a user's profile and of a built-in one.
    static JobProfile jobProfile(const VideoProfileFormatUserConfig &profile)
    {
        return JobProfile::fromUserProfile(profile);
    }
    static JobProfile jobProfile(const CVideoFormatInfo &profile)
    {
        return JobProfile::fromFormatInfo(profile);
    }

    // The row a job converts: the selected row, or row 0 when nothing is
    // selected or the files are merged.
    static int sourceRow(int selectedRow, bool merge);

    // What and how the profile writes into outputPath.  A size of 0 x 0
    // and an unset frame rate are left to the source.
    static OutputSpec outputSpec(const JobProfile &profile, const QString &outputPath);
    // One file as an input of a job: its path and section (the filters are
    // the caller's).
    static TranscodeInput input(const VideoInfo &source);

    // The job converting source into outputPath: the profile's output, the
    // file's section and its edits.  tempDir is the folder the subtitle
    // renderer may work in.  False, with the reason in error, when an edit
    // cannot be applied: the job must not run without it.
    static bool build(const JobProfile &profile, const VideoInfo &source, const QString &outputPath,
                      const QString &tempDir, const ProcessingOptions &processing, TranscodeJob *job,
                      QString *error = nullptr);

    // Colour words of the subtitle and text watermark filters.
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
    static bool splits(const JobProfile &profile) { return profile.splits(); }
    // Segment number (from 1) of output: "<name>_001<ext>" and so on.
    static QString segmentPath(const QString &outputPath, int number);
    // Whether an output name is taken: the file, or for a split output its first segment.
    static bool outputExists(const QString &outputPath, bool segmented);

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
