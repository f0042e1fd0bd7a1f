#pragma once

#include <QLoggingCategory>

// The engine's diagnostic output.  Debug lines are off unless enabled, e.g.
// QT_LOGGING_RULES="reelmax.engine.debug=true"; warnings are on.
Q_DECLARE_LOGGING_CATEGORY(lcEngine)  // "reelmax.engine": probing, conversion
Q_DECLARE_LOGGING_CATEGORY(lcPlayer)  // "reelmax.player": the preview player
Q_DECLARE_LOGGING_CATEGORY(lcCapture) // "reelmax.capture": web media capture
Q_DECLARE_LOGGING_CATEGORY(lcDisc)    // "reelmax.disc": disc authoring and burning
Q_DECLARE_LOGGING_CATEGORY(lcFfmpeg)  // "reelmax.ffmpeg": FFmpeg's own messages (debug level)
