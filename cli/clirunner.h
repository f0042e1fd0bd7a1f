#pragma once

#include "cli/options.h"
#include "core/jobs/convertjob.h"
#include "core/media/videoloadstep.h"
#include "engine/transcode/processingoptions.h"

#include <QString>
#include <QTextStream>

class ConversionRun;

// Runs one command line: lists profiles, reports on files, or converts.
class CliRunner {
public:
    enum ExitCode { Ok = 0, BadUsage = 2, InputUnusable = 3, ConversionFailed = 4, Interrupted = 130 };

    explicit CliRunner(const CliOptions &options);
    int run();

    // SIGINT asks the running job to stop; a second one ends the process.
    static void installInterruptHandler();
    static bool interrupted();
    // The exit code after a stop signal: 128 + its number.
    static int interruptedExitCode();

private:
    int listProfiles();
    int info();
    int convert();
    // Saves the media of every address; with a profile, converts them.
    int capture();
    int convertEach(VideoInfoList &inputs, const QString &outputDir);
    int mergeAll(VideoInfoList &inputs, const QString &outputDir);
    // Runs the queued jobs with a progress line, printing each output or
    // failure; what names the outputs removed on Ctrl+C.
    int runToEnd(ConversionRun &run, const QString &what);
    // --disc-image: (convert,) author and write the image (clidiscimage.cpp).
    int discImage();

    bool prepareProfile();
    // Threads and GPU use from the command line (the settings are not read).
    ProcessingOptions processing() const;
    bool prepareEdits();
    // Probes the inputs; unusable ones are reported and counted.
    VideoInfoList loadInputs();
    void applyEdits(VideoInfo &video) const;
    // The edits asked for against every usable input: a crop outside a
    // picture or a frame rate that leaves a section without a picture is
    // reported (each once) and nothing is converted.
    bool editsFit(const VideoInfoList &inputs);
    void fail(const QString &message);

    CliOptions m_options;
    JobProfile m_profile;
    QSize m_watermarkSize;
    int m_unusable = 0;
    QTextStream m_out;
    QTextStream m_err;
};
