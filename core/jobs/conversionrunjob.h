#pragma once

#include "core/jobs/conversionrun.h"
#include "core/jobs/transcodethread.h"
#include "core/platform/workfolder.h"

#include <memory>

// One queued, running or ended job of a run with the worker thread that
// runs it.
struct ConversionRun::Job {
    ConversionTask task;
    JobOutcome outcome;
    quint64 serial = 0; // tells this job's worker from an earlier one
    bool started = false;
    bool done = false;
    bool outputWasFree = false;
    bool stopAsked = false;
    double endFraction = 0.0; // how far a job that did not finish had come
    std::unique_ptr<TranscodeThread> worker;
    // A merge works in a folder of its own, removed with the job.
    std::unique_ptr<WorkFolder> work;

    bool running() const { return started && !done; }
    void requestStop();
    void waitForWorker();
    // What the job converts, in milliseconds (1 when unknown).
    double weight() const;
    // How far the job has come, 0..1 (a merge stays below 1 until it ends).
    double fraction() const;
    // value within 0..1 (0 for NaN).
    static double clampedFraction(double value);
};
