#pragma once

#include <QtGlobal>

struct FileInfo;

// The eight figures the views show about a file, copied out of its FileInfo.
struct MediaSummary {
    qint32 durationMs = 0; // truncated
    qint32 width = 0;
    qint32 height = 0;
    qint32 frameRate = 0; // truncated frames per second
    qint32 videoBitrate = 0;
    qint32 audioBitrate = 0;
    qint32 sampleRate = 0;
    qint32 channels = 0;

    static MediaSummary fromFileInfo(const FileInfo &info);
};
