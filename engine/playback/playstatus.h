#pragma once

// Play status values (CffmpegPlayer::GetPlayStatus and the panels'
// playStatusChanged signals).  Nothing plays in NONE and STOPPED alike.
enum PlayStatus {
    PLAY_STATUS_NONE = 0,
    PLAY_STATUS_PLAYING = 1,
    PLAY_STATUS_PAUSED = 2,
    PLAY_STATUS_STOPPED = 3,
};
