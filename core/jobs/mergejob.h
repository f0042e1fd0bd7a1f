#pragma once

#include "core/jobs/jobprofile.h"
#include "engine/transcode/transcodejob.h"

#include <QString>

#include <vector>

class VideoInfo;

// Joins several files into one output in one encode: each file is an input
// of one job, in list order, with its own section and edits; every picture
// is fitted into the profile's frame and every sound resampled to its
// format.  A sound-only file among files with pictures plays over black.
class MergeJob {
public:
    // The job joining sources into outputPath.  The output takes the
    // profile's frame size and rate, or where the profile leaves them to
    // the source, the first file's.  workDir is the merge's private folder
    // (the subtitle renderer works there).  False, with the reason in
    // error, with fewer than two files or when an edit cannot be applied.
    static bool build(const JobProfile &profile, const std::vector<VideoInfo> &sources,
                      const QString &outputPath, const QString &workDir, const ProcessingOptions &processing,
                      TranscodeJob *job, QString *error = nullptr);

    // The reason given for a merge of fewer than two files.
    static QString tooFewFilesText();
    // A rate in frames per second as a ratio: NTSC rates as n*1000/1001,
    // others in thousandths; unset for no rate.
    static Rational rateOf(double framesPerSecond);
};
