#pragma once

#include "engine/transcode/encodeinfo.h"
#include "engine/transcode/ffmpegtranscode.h"
#include "engine/transcode/transcodestatus.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CFilterSetters;
class VideoInfo;

// Joins several files into one output.  Each file is first encoded, with its
// own section and edits, to an MPEG-1 part "test<i>.mpg" in the temporary
// folder; the parts are joined byte for byte into "test.mpg" (a program
// stream may simply be continued; the transcoder bridges the clock restart
// at each join), which is then encoded with the profile's record into the
// output.  The parts are kept, the joined file is deleted.  run() works on
// the caller's thread; stop(), progress() and status() may be called from
// another.
class CFfmpegMerge {
public:
    CFfmpegMerge();
    virtual ~CFfmpegMerge();
    CFfmpegMerge(const CFfmpegMerge &) = delete;
    CFfmpegMerge &operator=(const CFfmpegMerge &) = delete;

    // The folder for the parts ("\" is read as "/", a trailing "/" is added).
    void setTempDir(const char *path);
    QString tempDir() const;
    // Copies the record of the final encode.
    void setEncodeInfo(const EncodeInfo *info);
    // Threads and GPU use of every encode of the run (parts and final).
    void setProcessing(const ProcessingOptions &options) { m_processing = options; }
    // Adds one file (in list order) with its section and edits.
    void addFile(const VideoInfo &video);
    int partCount() const;

    // Returns 0 (and produces nothing) with fewer than two files, else 1.
    int run(const char *outputPath);
    void stop();
    float progress() const;
    // Idle before the first run, running (also after a run of fewer than
    // two files), then finished, stopped or failed.
    TranscodeStatus status() const;
    // The part being encoded; one more than the last part during the final
    // encode.
    int step() const { return m_step; }
    // Why the last run failed; empty otherwise.
    QString lastError() const;
    // The files the last finished run wrote (the output, or its segments).
    QStringList outputFiles() const;

    // Path of a part file in the temporary folder.
    QString partPath(int index) const;
    // Path of the joined parts in the temporary folder.
    QString mergedPath() const;

    // Appends the files, in order, byte for byte into target (replaced).
    // Gives up (false, target removed) on a read or write error or when
    // stop becomes non-zero.
    static bool joinFiles(const QStringList &files, const QString &target, const std::atomic<int> &stop,
                          QString *error = nullptr);

    // The progress rule: parts fill 0..0.5, the step between the phases
    // stands at 0.5, the final encode runs from 0.5 up to 0.99.
    static float progressFor(int step, int partCount, double partProgressSum, double finalFrames,
                             double partFrames);
    // The record of one part: MPEG-1 video and MP2 audio at fixed rates, the
    // final size, and the file's own section.
    static EncodeInfo partEncodeInfo(const EncodeInfo &final, const VideoInfo &video);
    // The filters of one part: crop, subtitle, watermark, then (for effect
    // edits) deinterlacing first, the picture levels and the effect table.
    // False, with the reason, when the engine refuses an edit.
    static bool applyPartFilters(const VideoInfo &video, CFilterSetters &target, const QString &tempDir,
                                 QString *error = nullptr);

private:
    void releaseParts();
    void finish(TranscodeStatus status, const QString &error = QString());

    mutable std::mutex m_partsMutex;
    std::vector<std::unique_ptr<CFFmpegTranscode>> m_parts;
    EncodeInfo m_encodeInfo;
    ProcessingOptions m_processing;
    std::string m_tempDir;
    std::atomic<int> m_stopRequested{0};
    CFFmpegTranscode m_finalTranscoder;
    std::atomic<int> m_step{0};
    std::atomic<TranscodeStatus> m_status{TRANSCODE_IDLE};
    std::atomic<double> m_partFrames{0.0};
    std::atomic<int> m_partTotal{0};
    qint64 m_sectionTotalMs = 0;
    bool m_sectionOpen = false; // a part runs until its input ends: so does the final encode
    bool m_anyPicture = false;  // some part has a picture: sound-only parts get a black one
    QString m_addError;         // the first edit a part could not take
    mutable std::mutex m_errorMutex;
    QString m_lastError;
};
