#pragma once

#include "engine/transcode/encodeinfo.h"
#include "engine/transcode/processingoptions.h"
#include "engine/transcode/transcodejob.h"
#include "engine/transcode/transcodestatus.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

class VideoInfo;

// Joins several files into one output through the older record interface:
// the files, each with its own section and edits, become one merge job
// (MergeJob) with the record's output settings, encoded in one pass.  run()
// works on the caller's thread; stop(), progress() and status() may be
// called from another.
class CFfmpegMerge {
public:
    CFfmpegMerge();
    virtual ~CFfmpegMerge();
    CFfmpegMerge(const CFfmpegMerge &) = delete;
    CFfmpegMerge &operator=(const CFfmpegMerge &) = delete;

    // The merge's work folder ("\" is read as "/", a trailing "/" is added).
    void setTempDir(const char *path);
    QString tempDir() const;
    // Copies the record of the output.
    void setEncodeInfo(const EncodeInfo *info);
    // Threads and GPU use of the encode.
    void setProcessing(const ProcessingOptions &options) { m_processing = options; }
    // Adds one file (in list order) with its section and edits.
    void addFile(const VideoInfo &video);
    int partCount() const;

    // Returns 0 (and produces nothing) with fewer than two files, else 1.
    int run(const char *outputPath);
    void stop();
    // 0..0.99 while the merge runs.
    float progress() const;
    // Idle before the first run, running (also after a run of fewer than
    // two files), then finished, stopped or failed.
    TranscodeStatus status() const;
    // Why the last run failed; empty otherwise.
    QString lastError() const;
    // The files the last finished run wrote (the output, or its segments).
    QStringList outputFiles() const;

private:
    struct Progress : TranscodeObserver {
        std::atomic<double> fraction{0.0};
        void onProgress(double value, int64_t) override { fraction.store(value); }
    };

    mutable std::mutex m_mutex;
    std::vector<VideoInfo> m_files;
    EncodeInfo m_encodeInfo;
    ProcessingOptions m_processing;
    std::string m_tempDir;
    StopToken m_stop;
    Progress m_progress;
    std::atomic<TranscodeStatus> m_status{TRANSCODE_IDLE};
    QString m_lastError;
    QStringList m_outputs;
};
