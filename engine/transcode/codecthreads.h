#pragma once

// How many threads of their own the decoders and encoders of a job get.
// This is the one place where that is decided; 0 means as many as suit the
// machine's cores (FFmpeg's "auto").
struct CodecThreads {
    int decoder = 0;
    int videoEncoder = 0;
    int audioEncoder = 0;

    // requested: the user's choice per codec, 0 = automatic.  pipelined:
    // the job's stages run on threads of their own.
    static CodecThreads choose(int requested, bool pipelined);
};
