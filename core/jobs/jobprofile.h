#pragma once

#include "engine/transcode/transcodejob.h"

#include <QString>

class CVideoFormatInfo;
class VideoProfileFormatUserConfig;

// The encode parameters of an output profile, as numbers.  The profile
// stores keep them as texts; they are read once, here.
struct JobProfile {
    QString name;   // shown to the user; "dvd" (any case) marks the DVD profile
    QString format; // output extension with its dot, e.g. ".mp4"
    QString audioEncoder;
    int64_t audioBitrate = 0; // bits per second; 0: the encoder's default
    int channels = 0;         // 0: the source's
    int sampleRate = 0;       // Hz; 0: the source's
    QString videoEncoder;
    int64_t videoBitrate = 0; // bits per second; 0: the encoder's default
    Rational frameRate;       // unset: the source's rate
    int width = 0;            // 0 x 0 keeps the (cropped) source size
    int height = 0;
    FrameFit fit = FrameFit::Pad; // how a picture of another shape fills the frame
    bool dvd = false;             // DVD-compliant MPEG-2 program stream
    // Output split into segments: 0 one file, 1 by size, 2 by time (the
    // user configuration's split settings).
    int splitMode = 0;
    int splitSizeMb = 0; // megabytes of 1 000 000 bytes
    int splitMinutes = 0;

    // The parameters of a user's profile (overrides over the database
    // defaults).
    static JobProfile fromUserProfile(const VideoProfileFormatUserConfig &profile);
    // The database defaults of a built-in profile.
    static JobProfile fromFormatInfo(const CVideoFormatInfo &profile);

    // A profile text as a number: decimal digits, anything else 0.
    static int64_t number(const QString &text);
    // Thousandths of a frame per second as a rate; 0 (or no number) leaves
    // it to the source.
    static Rational frameRateOf(const QString &thousandths);
    // The profile store's aspect setting (0 fit, 1 stretch, 2 crop).
    static FrameFit fitOf(int aspectMode);
    // Whether a profile of this name is the DVD profile.
    static bool isDvdName(const QString &name);

    // True when the output is split into segments.
    bool splits() const;
    // The segment size or length asked for (0 when not split that way).
    int64_t splitBytes() const;
    int64_t splitMs() const;
};
