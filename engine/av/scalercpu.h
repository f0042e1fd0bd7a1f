#pragma once

// How the picture scaler uses the processor.
namespace av {

// Settles, once per process, whether the scaler keeps its AVX2 horizontal
// filters.  They read the source through vector gathers, which are several
// times slower on processors that carry the microcode fix for the gather
// data leak (and on some older ones): there the SSSE3 filters, which give
// the same pictures bit for bit, are faster.  The first call times both on
// a strip of a full-HD picture (about two milliseconds); later calls return
// at once.  Call it before making a scaler or a filter graph.
void tuneScalerForCpu();

// Whether the scaler was told to leave its gather-based filters alone.
bool scalerAvoidsGathers();

} // namespace av
