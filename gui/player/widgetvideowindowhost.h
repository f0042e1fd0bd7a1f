#pragma once

#include "engine/playback/videowindowhost.h"

// Maps the player's window ids to native widgets of this process.
class WidgetVideoWindowHost : public playback::VideoWindowHost {
public:
    // Installs the one host of the process (idempotent).
    static void install();

    bool windowSize(int64_t id, QSize *size, double *pixelRatio) const override;
    QPaintDevice *paintDevice(int64_t id) const override;
    void requestRepaint(int64_t id) override;
};
