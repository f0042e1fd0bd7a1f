#pragma once

#include "engine/transcode/transcodejob.h"

// Runs conversion jobs.  A job whose output asks for segments is written
// whole under a hidden name first and then cut; the result lists the
// segments then.
class Transcoder {
public:
    // Runs on the caller's thread until the job has finished, was stopped or failed.
    static TranscodeResult run(const TranscodeJob &job, TranscodeObserver *observer = nullptr,
                               const StopToken *stop = nullptr);
};
