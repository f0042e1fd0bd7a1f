#pragma once

#include "core/jobs/jobprofile.h"
#include "engine/transcode/encodeinfo.h"

#include <QString>

class CFFmpegTranscode;
class CFilterSetters;
class VideoInfo;

// The 144-byte encode record and the filter setters of the older engine
// interface, for the objects that still speak it (CFFmpegTranscode,
// CFfmpegMerge).  The conversions themselves build typed jobs.
class EncodeInfoFill {
public:
    // Fills info from the profile and the source record.  False (record
    // untouched) when info or profile is null.  source may be null; then the
    // section and the size and frame-rate fallbacks stay 0.
    static bool fill(EncodeInfo *info, const JobProfile *profile, const VideoInfo *source);
    // The profile a record stands for.
    static JobProfile profileOf(const EncodeInfo &info);
    // Sets every filter the settings turn on through the setters.
    static void applyFilters(const FilterSettings &filters, CFilterSetters &target);
    // Sets record, input and filters on a transcoder for one file; false,
    // with the reason, when an edit cannot be applied.
    static bool prepare(CFFmpegTranscode &transcoder, const JobProfile &profile, const VideoInfo &source,
                        const QString &tempDir, QString *error = nullptr);
};
