#pragma once

#include <cstddef>
#include <cstdint>

// Encode parameters of one job: a fixed, little-endian 144-byte record.
// Every byte not named here is zero.
struct EncodeInfo {
    int32_t dvdFlag = 0;        // 0: 1 = DVD-compliant MPEG-2 program stream
    int32_t reserved0 = 0;      // 4
    int64_t msStart = 0;        // 8: section start, ms
    int64_t msEnd = 0;          // 16: section end, ms
    char reserved1[24] = {};    // 24
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
static_assert(offsetof(EncodeInfo, msStart) == 8);
static_assert(offsetof(EncodeInfo, msEnd) == 16);
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
