#pragma once

#include <atomic>
#include <cstdint>

class TranscodeObserver;

// How far a job has come: the finished fraction and the pictures encoded,
// written by the conversion, told to the job's observer (when there is one)
// and read from any thread.
class ProgressMeter {
public:
    explicit ProgressMeter(TranscodeObserver *observer = nullptr);

    // The length of the section on the output's timeline.
    void setSpan(double ms) { m_spanMs.store(ms); }
    // Without a length to go by (the input's end is only known when it is
    // reached) the fraction follows the bytes read instead.
    void measureBytes() { m_byBytes.store(true); }

    // The output has reached ms on its timeline.
    void outputAt(double ms);
    // The input being read is at byte position of size.
    void bytesRead(int64_t position, int64_t size);
    void frameEncoded() { m_frames.fetch_add(1); }
    int64_t framesEncoded() const { return m_frames.load(); }
    double fraction() const { return m_fraction.load(); }
    void finished();
    // An input whose length nobody knew was read from its start to its end.
    void inputLengthFound(double ms) { m_inputLengthMs.store(ms); }
    double inputLengthFound() const { return m_inputLengthMs.load(); }

private:
    void setFraction(double fraction);

    TranscodeObserver *const m_observer;
    std::atomic<double> m_fraction{0.0};
    std::atomic<int64_t> m_frames{0};
    std::atomic<double> m_spanMs{0.0};
    std::atomic<bool> m_byBytes{false};
    std::atomic<double> m_inputLengthMs{0.0};
};
