#include "engine/transcode/transcoder.h"

#include "engine/transcode/progressmeter.h"
#include "engine/transcode/transcodepipeline.h"

TranscodeStatus Transcoder::run(const TranscodeJob &job, std::string *error)
{
    av::quietLogs();
    m_progress.store(0.0);
    m_frames.store(0);
    m_inputLength.store(0.0);
    if (m_stop.load())
        return TRANSCODE_STOPPED;
    ProgressMeter progress(m_progress, m_frames);
    TranscodePipeline pipeline(job, m_stop, progress);
    const TranscodeStatus status = pipeline.run(error);
    m_inputLength.store(progress.inputLengthFound());
    return status;
}
