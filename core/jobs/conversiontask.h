#pragma once

#include "core/jobs/convertjob.h"
#include "core/media/videoinfo.h"
#include "engine/transcode/processingoptions.h"

#include <QString>

#include <vector>

// What a job converts: one file into one output, or every file joined into one.
enum class ConversionKind { Convert, Merge };

// One job of a run: the files, the profile and the output.  The records are
// copies, so the media list may change while the job waits or runs.
struct ConversionTask {
    ConversionKind kind = ConversionKind::Convert;
    JobProfile profile;
    std::vector<VideoInfo> sources; // the file, or the files to join in order
    QString outputPath;
    QString tempDir;              // subtitle work files; a merge makes its private folder inside
    ProcessingOptions processing; // threads per codec, GPU encoding
};
