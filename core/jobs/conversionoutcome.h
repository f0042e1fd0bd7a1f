#pragma once

#include "core/jobs/conversiontask.h"
#include "engine/transcode/transcodestatus.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the program does once a run has finished or failed, as chosen in the
// menu: nothing, quit, or shut the computer down.
enum class PostTaskAction { None = 0, ExitProgram = 1, ShutdownComputer = 2 };

// How one job of a run ended.
struct JobOutcome {
    int index = -1; // position in the run's queue
    ConversionKind kind = ConversionKind::Convert;
    TranscodeStatus status = TRANSCODE_IDLE;
    QStringList sources; // the input files, in order
    QString outputPath;  // complete when status is TRANSCODE_FINISHED, absent otherwise
    // The files written when finished: the output path, or the segments it
    // was split into ("<name>_001<ext>", ...).
    QStringList outputPaths;
    QString error; // why it failed; empty unless status is TRANSCODE_FAILED
};

// How a whole run ended: what the user is told, and what is to be done next.
struct RunOutcome {
    ConversionKind kind = ConversionKind::Convert;
    // Stopped when the user stopped the run before its jobs were done, failed
    // when a job failed, finished when every job finished.
    TranscodeStatus status = TRANSCODE_IDLE;
    QString title;       // the report's title, e.g. "Convert Finished"; empty: nothing to report
    QString message;     // its text, e.g. "Convert Finished."
    QString error;       // the first failure's reason
    QString outputPath;  // the output of the last job that was started
    QString profileName; // the profile the run used
    // To be carried out at once instead of the report (which stands when
    // the action cannot be carried out).
    PostTaskAction postTask = PostTaskAction::None;
    QList<JobOutcome> jobs; // every job of the run, in queue order

    // How many jobs ended with the given status.
    int count(TranscodeStatus jobStatus) const;
    // The report of a run of several jobs: how many files were converted,
    // which failed and why, and how many a stop left out.
    QString summary() const;
    // A finished run of the "DVD" profile ends in the completion dialog
    // (from which the disc is burnt) instead of a message.
    bool endsInCompletionDialog() const;
};
