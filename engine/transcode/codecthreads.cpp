#include "engine/transcode/codecthreads.h"

#include <algorithm>
#include <thread>

CodecThreads CodecThreads::choose(int requested, bool pipelined)
{
    CodecThreads t;
    if (requested > 0) {
        t.decoder = t.videoEncoder = t.audioEncoder = requested;
        return t;
    }
    // FFmpeg's automatic choice gives a frame-threaded decoder one thread
    // more than there are cores.  In a pipelined job decoding, filtering and
    // encoding run side by side on threads of their own, so the cores are
    // busy anyway: one decoder thread per core is as fast and holds fewer
    // full-size pictures in memory (each frame thread keeps a set of its
    // own).  The picture encoder keeps its own choice (x264 takes half as
    // many again as there are cores): with its look-ahead on the encoding
    // thread, fewer frame threads leave the cores idle while each waits for
    // the rows of its reference pictures.
    if (pipelined) {
        const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
        t.decoder = cores;
    }
    return t;
}
