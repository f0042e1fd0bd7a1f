#pragma once

#include "engine/av/demuxer.h"
#include "engine/transcode/progressmeter.h"
#include "engine/transcode/sectionwindow.h"
#include "engine/transcode/timestampcontinuity.h"

#include <atomic>
#include <memory>
#include <string>

// Reads one input of a job: seeks to the section, hands out the packets of
// the streams the output takes, keeps joined clocks running on, and tells a
// real end of the data from a read error.
class InputCursor {
public:
    enum class Read {
        Packet, // a packet of a wanted stream
        End,    // no more data
        Failed, // a read error, or the job was stopped: see the error text
    };

    InputCursor(std::string name, std::unique_ptr<Demuxer> demuxer, const std::atomic<bool> &stop,
                ProgressMeter &progress);

    const std::string &name() const { return m_name; }
    Demuxer &demuxer() { return *m_demuxer; }
    // The duration the container claims; 0 when it does not say.
    double claimedMs() const { return m_claimedMs; }
    // The input's share of the joined timeline (an unknown length is open).
    double lengthMs() const { return m_claimedMs > 0 ? m_claimedMs : SectionWindow::kOpenEnd; }
    // Program and transport streams may restart their clocks on the way.
    bool discontinuous() const;

    const SectionWindow &window() const { return m_window; }
    void setWindow(const SectionWindow &window) { m_window = window; }

    // Reads only the given streams (-1: none) from the section's start.
    void begin(int videoIndex, int audioIndex);
    Read next(AVPacket *packet, std::string *error);
    // After End: how much of the section the data held, in ms.
    double convertedMs() const;
    // Reads the demuxer could not make sense of and stepped over.
    int64_t damagedReads() const { return m_damagedReads; }
    void close() { m_demuxer->close(); }

private:
    bool wanted(int streamIndex) const { return streamIndex == m_video || streamIndex == m_audio; }
    void account(AVPacket *packet);
    Read atEnd();
    Read readFailed(int err, std::string *error) const;
    static Read stopped(std::string *error);
    double claimedFor(int videoIndex, int audioIndex) const;

    const std::string m_name;
    std::unique_ptr<Demuxer> m_demuxer;
    const std::atomic<bool> &m_stop;
    ProgressMeter &m_progress;
    const double m_claimedMs;
    SectionWindow m_window;
    TimestampContinuity m_continuity;
    int m_video = -1;
    int m_audio = -1;
    int64_t m_size = 0;
    double m_reachedMs = 0.0; // end of the last packet read, input time
    bool m_endedEarly = false;
    int m_badReadsInRow = 0;
    int64_t m_damagedReads = 0;
};
