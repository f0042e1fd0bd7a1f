#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

// How many frames may wait between two stages of a conversion.  Pictures
// are held within a memory budget, so that a pipelined conversion needs
// hardly more memory than one that runs on a single thread; sound frames
// are small.
namespace QueueDepth {

constexpr size_t kSoundFrames = 16;
constexpr size_t kMaxPictures = 8;
constexpr int64_t kPictureBudget = 4 * 1024 * 1024; // bytes per queue

// The depth of a queue of width x height pictures (8-bit 4:2:0 assumed),
// at least minimum.
inline size_t pictures(int width, int height, size_t minimum)
{
    const int64_t bytes = std::max<int64_t>(1, int64_t(width) * std::max(1, height) * 3 / 2);
    const size_t fit = size_t(std::max<int64_t>(1, kPictureBudget / bytes));
    return std::clamp(fit, std::max<size_t>(1, minimum), kMaxPictures);
}

} // namespace QueueDepth
