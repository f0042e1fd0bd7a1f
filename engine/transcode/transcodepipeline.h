#pragma once

#include "engine/transcode/codecthreads.h"
#include "engine/transcode/inputcursor.h"
#include "engine/transcode/outputplan.h"
#include "engine/transcode/outputsink.h"
#include "engine/transcode/tempoutput.h"
#include "engine/transcode/transcodejob.h"
#include "engine/transcode/transcodestatus.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

class InputLanes;

// One run of a job: opens the inputs, places each one's section on it,
// writes the output under a temporary name, converts input after input
// (each with its own edits), and puts the finished file in place.
class TranscodePipeline {
public:
    TranscodePipeline(const TranscodeJob &job, const std::atomic<bool> &stop, ProgressMeter &progress);

    // TRANSCODE_FINISHED, or TRANSCODE_STOPPED / TRANSCODE_FAILED (error
    // says why) with nothing left behind.
    TranscodeStatus run(std::string *error);

private:
    bool openInputs(std::string *error);
    static SectionWindow sectionOf(const TranscodeInput &spec, const InputCursor &in, bool last);
    bool placeSections(std::string *error);
    bool openOutput(std::string *error);
    bool convertInput(InputCursor &input, const FilterSettings &filters, std::string *error);
    // Hands the input's packets to their lanes until the section is done.
    bool readInput(InputCursor &input, InputLanes &lanes, std::string *error);
    bool finishOutput(std::string *error);
    bool repack(std::string *error);
    void logDamage() const;

    const TranscodeJob &m_job;
    // A job held to one thread per codec is held to one core: its stages
    // then run one after the other on the job's thread.
    const bool m_pipelined;
    const CodecThreads m_threads;
    const std::atomic<bool> &m_stop;
    ProgressMeter &m_progress;
    std::vector<std::unique_ptr<InputCursor>> m_inputs;
    OutputPlan m_plan;
    TempOutput m_temp;
    OutputSink m_output;
    double m_writtenMs = 0.0; // output timeline filled so far
    int64_t m_damaged = 0;
};
