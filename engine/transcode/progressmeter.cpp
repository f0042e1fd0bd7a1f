#include "engine/transcode/progressmeter.h"

#include <algorithm>

ProgressMeter::ProgressMeter(std::atomic<double> &fraction, std::atomic<int64_t> &frames)
    : m_fraction(fraction), m_frames(frames)
{
}

void ProgressMeter::outputAt(double ms)
{
    const double span = m_spanMs.load();
    if (span > 0 && !m_byBytes.load())
        m_fraction.store(std::clamp(ms / span, 0.0, 1.0));
}

void ProgressMeter::bytesRead(int64_t position, int64_t size)
{
    // Short of 1: only the end of the job finishes it.
    if (m_byBytes.load() && size > 0 && position > 0)
        m_fraction.store(std::clamp(double(position) / double(size), 0.0, 0.99));
}
