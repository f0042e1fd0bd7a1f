#pragma once

#include <cstddef>
#include <cstdint>

// How a picture fills an output frame of another shape (EncodeInfo::aspectMode).
enum EncodeAspectMode : int32_t {
    ENCODE_ASPECT_FIT = 0,     // the whole picture, black bars filling the rest
    ENCODE_ASPECT_STRETCH = 1, // the picture stretched to the frame
    ENCODE_ASPECT_CROP = 2,    // the frame filled, the picture's overhang cut off
};

// Encode parameters of one job: a fixed, little-endian 144-byte record.
// Every byte not named here is zero.
struct EncodeInfo {
    int32_t dvdFlag = 0;        // 0: 1 = DVD-compliant MPEG-2 program stream
    int32_t aspectMode = 0;     // 4: EncodeAspectMode
    int64_t msStart = 0;        // 8: section start, ms
    int64_t msEnd = 0;          // 16: section end, ms
    int64_t splitBytes = 0;     // 24: 0 = one file; else segments of at most this many bytes
    int64_t splitMs = 0;        // 32: 0 = one file; else segments of this length
    char reserved1[8] = {};     // 40
    int32_t width = 0;          // 48: 0 x 0 keeps the source size
    int32_t height = 0;         // 52
    int32_t videoBitrate = 0;   // 56: bits per second
    int32_t frameRate = 0;      // 60: thousandths of a frame per second
    char videoEncoder[32] = {}; // 64: NUL-terminated
    int32_t sampleRate = 0;     // 96: Hz
    int32_t channels = 0;       // 100
    int32_t audioBitrate = 0;   // 104: bits per second
    int32_t constant16 = 0;     // 108: always 16
    int32_t reserved2 = 0;      // 112
    char audioEncoder[28] = {}; // 116: NUL-terminated
};

static_assert(sizeof(EncodeInfo) == 144, "EncodeInfo must be 144 bytes");
static_assert(offsetof(EncodeInfo, aspectMode) == 4);
static_assert(offsetof(EncodeInfo, msStart) == 8);
static_assert(offsetof(EncodeInfo, msEnd) == 16);
static_assert(offsetof(EncodeInfo, splitBytes) == 24);
static_assert(offsetof(EncodeInfo, splitMs) == 32);
static_assert(offsetof(EncodeInfo, width) == 48);
static_assert(offsetof(EncodeInfo, height) == 52);
static_assert(offsetof(EncodeInfo, videoBitrate) == 56);
static_assert(offsetof(EncodeInfo, frameRate) == 60);
static_assert(offsetof(EncodeInfo, videoEncoder) == 64);
static_assert(offsetof(EncodeInfo, sampleRate) == 96);
static_assert(offsetof(EncodeInfo, channels) == 100);
static_assert(offsetof(EncodeInfo, audioBitrate) == 104);
static_assert(offsetof(EncodeInfo, constant16) == 108);
static_assert(offsetof(EncodeInfo, audioEncoder) == 116);
