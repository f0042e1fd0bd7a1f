#pragma once

// How a job may use the machine: the threads each decoder, encoder and
// filter graph may run, and whether H.264/HEVC goes to the graphics card.
struct ProcessingOptions {
    int threads = 0;     // per codec and filter graph; 0 = as many as the machine has
    bool useGpu = false; // VAAPI for H.264/HEVC where a render node is usable
};
