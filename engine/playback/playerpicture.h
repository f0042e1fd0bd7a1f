#pragma once

#include "engine/playback/playerfilter.h"
#include "engine/playback/playerfilterstate.h"
#include "engine/playback/playerframequeue.h"

#include <cstdint>
#include <mutex>
#include <string>

namespace playback {

class VideoOutput;

// The picture on screen: runs it through the preview filters, scales it to
// the window with its aspect ratio kept and publishes it to the video
// output.  Snapshots and the displayed aspect ratio are read from it on the
// GUI thread; everything else happens on the presenter thread.
class PlayerPicture {
public:
    // source: the token the video output knows this playback by.
    PlayerPicture(const FilterState &filters, VideoOutput &output, const void *source)
        : m_filters(filters), m_output(output), m_source(source)
    {
    }
    void setStream(const VideoStreamInfo &stream) { m_stream = stream; }

    // Presenter thread: a new picture, or the same again after a change of
    // the filters or the window size.
    void show(DecodedFrame &frame);
    void render();

    // Any thread.  File time of the picture on screen (NaN before the
    // first), and where it ends (negative before the first).
    double shownPtsMs() const;
    double shownEndMs() const;
    // Display aspect ratio of what is shown, or of what the filters will
    // make of the stream before the first picture.
    double aspect() const;
    // Writes the picture on screen at its own size (type 1 BMP, 2 JPEG),
    // making the file's folder when it is missing.
    bool snapshot(const std::string &path, int type, std::string *error) const;

private:
    double streamAspect() const;

    const FilterState &m_filters;
    VideoOutput &m_output;
    const void *m_source;
    VideoStreamInfo m_stream;

    mutable std::mutex m_mutex; // guards what the GUI thread reads
    FramePtr m_shown;           // decoded picture on screen
    FramePtr m_filtered;
    double m_ptsMs = 0.0;
    double m_durationMs = 0.0;
    bool m_haveShown = false;

    PlayerFilter m_filter;
    bool m_filterWarned = false;
    SwsPtr m_scaler;
};

} // namespace playback
