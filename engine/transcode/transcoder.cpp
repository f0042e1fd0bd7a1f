#include "engine/transcode/transcoder.h"

#include "engine/av/enginelog.h"
#include "engine/transcode/progressmeter.h"
#include "engine/transcode/segmentsplitter.h"
#include "engine/transcode/transcodepipeline.h"

#include <cstdio>

namespace {

TranscodeResult failed(TranscodeStatus status, std::string reason)
{
    TranscodeResult result;
    result.status = status;
    result.reason = std::move(reason);
    return result;
}

// One pass of the pipeline over the job as it is.
TranscodeResult runWhole(const TranscodeJob &job, TranscodeObserver *observer, const StopToken &stop)
{
    ProgressMeter progress(observer);
    TranscodePipeline pipeline(job, stop.flag(), progress);
    std::string error;
    TranscodeResult result;
    result.status = pipeline.run(&error);
    if (result.status == TRANSCODE_FAILED)
        result.reason = error.empty() ? std::string("the conversion failed") : error;
    else if (result.ok())
        result.outputs.push_back(job.output.path);
    result.frames = progress.framesEncoded();
    result.inputLengthFoundMs = progress.inputLengthFound();
    return result;
}

// The job written whole under a hidden name, then cut into its segments.
TranscodeResult runSplit(const TranscodeJob &job, TranscodeObserver *observer, const StopToken &stop)
{
    std::string error;
    TranscodeJob whole = job;
    whole.output.path = SegmentSplitter::reserveWholePath(job.output.path, &error);
    if (whole.output.path.empty())
        return failed(TRANSCODE_FAILED, error);
    TranscodeResult result = runWhole(whole, observer, stop);
    if (result.ok()) {
        result.outputs.clear();
        if (!SegmentSplitter::split(whole.output.path, job.output.path, job.output, stop.flag(),
                                    &result.outputs, &error)) {
            result.status = stop.requested() ? TRANSCODE_STOPPED : TRANSCODE_FAILED;
            result.reason = result.status == TRANSCODE_FAILED ? error : std::string();
            result.outputs.clear();
        }
    }
    std::remove(whole.output.path.c_str());
    return result;
}

} // namespace

TranscodeResult Transcoder::run(const TranscodeJob &job, TranscodeObserver *observer, const StopToken *stop)
{
    av::quietLogs();
    StopToken never;
    const StopToken &token = stop ? *stop : never;
    if (token.requested())
        return failed(TRANSCODE_STOPPED, std::string());
    if (job.output.path.empty())
        return failed(TRANSCODE_FAILED, "no output path");
    TranscodeResult result =
        SegmentSplitter::wanted(job.output) ? runSplit(job, observer, token) : runWhole(job, observer, token);
    if (result.status == TRANSCODE_FAILED)
        qCInfo(lcEngine, "transcode failed: [%s] output = [%s]", result.reason.c_str(),
               job.output.path.c_str());
    return result;
}
