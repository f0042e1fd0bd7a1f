#pragma once

#include "engine/transcode/processingoptions.h"

#include <QString>

class VideoUserConfig;

// The user's settings a run of conversions works with, handed to it by the
// front end instead of being looked up.
struct RunSettings {
    QString outputFolder;         // where outputs go
    QString tempDir;              // subtitle work files; a merge's private folder is made inside
    ProcessingOptions processing; // threads per codec, GPU encoding
    int cpuCores = 0;             // the CPU-core setting (Convert All runs half as many at once)
    bool merge = false;           // the panel's start joins every file into one
    int selectedRow = -1;         // the media list's selected row, -1 for none
    // Output split into segments: 0 one file, 1 by size (MB), 2 by time (minutes).
    int splitMode = 0;
    int splitSize = 0;
    int splitTime = 0;

    // The settings as the user configuration holds them now.
    static RunSettings fromConfig(const VideoUserConfig &config);
};
