#pragma once

#include <QSize>

#include <cstdint>

class QPaintDevice;

namespace playback {

// The windowing side of the player's video output.  The engine knows
// windows only by their native id; the user interface installs one host
// that maps ids to its widgets.  All calls come on the GUI thread.
class VideoWindowHost {
public:
    virtual ~VideoWindowHost() = default;
    // Size of window id in logical units and its device pixel ratio; false
    // when no such window exists.
    virtual bool windowSize(int64_t id, QSize *size, double *pixelRatio) const = 0;
    // The device to draw window id on, only while the window is inside its
    // paint event (null otherwise).
    virtual QPaintDevice *paintDevice(int64_t id) const = 0;
    // Asks window id to repaint itself soon.
    virtual void requestRepaint(int64_t id) = 0;
};

// The host in force (null: pictures are kept but never drawn).
void setVideoWindowHost(VideoWindowHost *host);
VideoWindowHost *videoWindowHost();

} // namespace playback
