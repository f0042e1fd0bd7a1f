#pragma once

#include <cmath>
#include <cstdint>

// The part of one input that goes into the output, and where it lands on
// the output's timeline.  Times are milliseconds from the input's first
// timestamp.
struct SectionWindow {
    // An end that is never reached: the input is read to its real end.
    static constexpr double kOpenEnd = 1e12;

    double startMs = 0.0;
    double endMs = kOpenEnd;
    double offsetMs = 0.0; // where startMs falls in the output

    bool openEnded() const { return endMs >= kOpenEnd / 10; }
    // The output time, in microseconds, of a moment of the input.
    int64_t outputUs(double inputMs) const { return std::llround((inputMs - startMs + offsetMs) * 1000.0); }
};
