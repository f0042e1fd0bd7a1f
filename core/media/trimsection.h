#pragma once

#include "core/media/videobasicinfo.h"

#include <QtGlobal>

// The section being marked in the trim dialog, and the arithmetic behind its
// controls.  The source is a list entry (a file and its own playable range);
// the section's start and end are milliseconds relative to the source's start,
// which is also how the player reports positions while it plays that entry.
class TrimSection {
public:
    // The position slider and the section cursors run from 0 to SliderMax.
    static constexpr int SliderMax = 1000;
    // Forward jumps by one twentieth of the source.
    static constexpr int ForwardStep = SliderMax / 20;

    TrimSection() = default;
    explicit TrimSection(const VideoBasicInfo &source) { setSource(source); }

    // Takes the entry's path and range; the section is cleared (-1, -1).
    void setSource(const VideoBasicInfo &source);
    const VideoBasicInfo &source() const { return m_source; }

    // D: the length of the source's range in milliseconds (0 when unknown).
    qint64 duration() const;

    qint64 start() const { return m_start; }
    qint64 end() const { return m_end; }
    bool isSet() const { return m_start >= 0 && m_end >= 0; }
    // True when the section would hold nothing.
    bool isEmpty() const { return !isSet() || m_end <= m_start; }

    // The whole source: start 0, end D.
    void selectAll();
    void clear();

    // "Set start" at a play position: the start takes the position (whole
    // milliseconds, never below 0 nor past D); an end before it gives way to
    // the whole duration.
    void setStartAt(double positionMs);
    // "Set end" at a play position: the end takes the position (at most D); a
    // start after it goes back to 0.
    void setEndAt(double positionMs);

    // The play position for a slider value: whole seconds only, computed as
    // value * (D / 1000 whole seconds) / 1000, in milliseconds.
    qint64 seekTargetForSlider(int value) const;
    // The slider value showing a play position: 1000 * position / D, truncated
    // and kept within the slider's range.
    int sliderForPosition(double positionMs) const;
    // Where Forward moves the slider from value.
    static int forwardSliderValue(int value);
    // The slider value of the section's start (where "play section" seeks).
    int sliderForSectionStart() const;

    // The clip for the list: the source's file with the section made absolute
    // in the file and kept inside the source's range.
    VideoBasicInfo clip() const;

private:
    qint64 clampToDuration(qint64 ms) const;

    VideoBasicInfo m_source;
    qint64 m_start = -1;
    qint64 m_end = -1;
};
