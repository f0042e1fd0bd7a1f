#pragma once

#include <cstddef>
#include <cstdint>

// The engine's probe result: a fixed 560-byte block.  Only the named fields
// are read by the application; the reserved ranges stay zero.
struct FileInfo {
    double durationMs = 0.0;  // 0
    char reserved0[260] = {}; // 8
    int32_t videoBitrate = 0; // 268, bits per second
    double frameRate = 0.0;   // 272, frames per second
    int32_t width = 0;        // 280
    int32_t height = 0;       // 284
    char reserved1[260] = {}; // 288
    int32_t audioBitrate = 0; // 548, bits per second
    int32_t channels = 0;     // 552
    int32_t sampleRate = 0;   // 556, Hz
};

static_assert(sizeof(FileInfo) == 560, "FileInfo must be 560 bytes");
static_assert(offsetof(FileInfo, durationMs) == 0);
static_assert(offsetof(FileInfo, videoBitrate) == 268);
static_assert(offsetof(FileInfo, frameRate) == 272);
static_assert(offsetof(FileInfo, width) == 280);
static_assert(offsetof(FileInfo, height) == 284);
static_assert(offsetof(FileInfo, audioBitrate) == 548);
static_assert(offsetof(FileInfo, channels) == 552);
static_assert(offsetof(FileInfo, sampleRate) == 556);
