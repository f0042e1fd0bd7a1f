#pragma once

// The outcome of a conversion, a merge or any other job, from the engine up
// to the panels and the command-line tool.  The values are the engine's
// status codes (GetLastConvetStatus and friends return them as int).
enum TranscodeStatus {
    TRANSCODE_IDLE = 0,     // nothing has run yet
    TRANSCODE_RUNNING = 1,  // a job is under way
    TRANSCODE_FINISHED = 2, // the output is complete
    TRANSCODE_STOPPED = 3,  // the user stopped it; no output
    TRANSCODE_FAILED = 4,   // it failed; no output
};
