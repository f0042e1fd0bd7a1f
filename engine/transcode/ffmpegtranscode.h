#pragma once

#include "engine/av/filtersettings.h"
#include "engine/transcode/encodeinfo.h"
#include "engine/transcode/processingoptions.h"
#include "engine/transcode/transcodestatus.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One transcoding job: record, inputs and filters are set, then Transcode()
// runs on the caller's thread until done.  StopTranscode(), GetEncodePrg()
// and GetFrameNubmer() may be called from any other thread meanwhile.
// After Transcode() the object takes a new job's record, inputs and filters.
class CFFmpegTranscode : public CFilterSetters {
public:
    CFFmpegTranscode();
    ~CFFmpegTranscode() override;
    CFFmpegTranscode(const CFFmpegTranscode &) = delete;
    CFFmpegTranscode &operator=(const CFFmpegTranscode &) = delete;

    // Copies the 144-byte record.
    int SetEncodeInfo(const EncodeInfo *info);
    // Threads and GPU use of this and every later job of the object.
    void SetProcessing(const ProcessingOptions &options);
    ProcessingOptions GetProcessing() const;
    // One call per input, in order; several inputs are joined.
    int AddInputFile(const char *path);
    // Inputs without a picture get a black one, so that the output has a
    // picture throughout (off by default: such an input gives sound only).
    // Holds for this and every later job of the object.
    void SetBlackPictureForSound(bool on);
    // Blocks until the output is written, stopped or failed.
    int Transcode(const char *outputPath);
    void StopTranscode();
    // progress receives the finished fraction 0..1; the second is unused.
    void GetEncodePrg(double &progress, double &unused);
    int64_t GetFrameNubmer();
    // 2 finished, 3 stopped, 4 failed (0 before the first run).
    int GetLastConvetStatus();

    // The one-line reason of the last failure, empty after success.
    std::string GetLastErrorText() const;
    // The length, in ms, of an input that does not state it, as the last
    // run found it by reading to its end; 0 when it did not.
    double GetFoundInputLength() const;
    // The files the last run wrote: the output path, or the segments
    // "<name>_001<ext>", ... when the record asked for the output to be
    // split.  Empty unless the run finished.
    std::vector<std::string> GetOutputFiles() const;

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};
