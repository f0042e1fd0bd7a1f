#pragma once

#include <cstdint>

// The bounds a capture keeps whatever the server sends.
struct CaptureLimits {
    int maxNesting = 5;                 // playlists leading to playlists, levels deep
    int maxPlaylists = 64;              // playlists read before the capture starts
    int maxIdleReloads = 10;            // reloads of a live playlist that bring nothing new
    int64_t maxPlaylistBytes = 4 << 20; // one playlist or manifest
    int64_t maxProbeBytes = 48LL << 20; // read while looking for the streams
    int stallWindowMs = 20000;          // throughput is judged over this long...
    int64_t minWindowBytes = 4096;      // ...and must reach this much
};
