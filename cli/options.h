#pragma once

#include "core/media/sectionlist.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// What the command line asked for.
struct CliOptions {
    enum class Mode { Convert, ListProfiles, Info, Help, Version, Capture };
    Mode mode = Mode::Convert;
    bool json = false;

    QString profileId;
    QString outputDir;
    int startMs = -1;
    int endMs = -1;
    // --sections: each file is converted once per range (in its own output).
    QList<SectionList::Range> sections;
    bool merge = false;
    int jobs = 1;
    // Threads of each decoder, encoder and filter graph (0 = all cores), and
    // VAAPI encoding of H.264/HEVC where the machine has a render node.
    int threads = 0;
    bool gpu = false;
    QStringList files;
    // --capture: files are web addresses whose media is saved (and, with
    // --profile, converted).
    bool capture = false;

    // A DVD-Video image made from the (converted) file, and its volume label.
    QString discImage;
    QString discLabel = QStringLiteral("DISC(Video_DVD)");

    // Profile overrides (kept in memory, never written to the user's profiles).
    std::optional<QSize> size;
    std::optional<QString> frameRate; // thousandths of a frame per second
    std::optional<QString> videoBitrate;
    std::optional<QString> audioBitrate;
    std::optional<QString> sampleRate;
    std::optional<QString> channels;
    std::optional<QString> videoEncoder;
    std::optional<QString> audioEncoder;
    // How the picture fills a frame of another shape (EncodeAspectMode).
    std::optional<int> aspectMode;
    // Output cut into segments of at most this many megabytes, or minutes.
    int splitSizeMb = 0;
    int splitMinutes = 0;

    // Edits, as the editor stores them.
    std::optional<QRect> crop;
    std::optional<int> brightness;
    std::optional<int> contrast;
    std::optional<int> saturation;
    std::optional<int> amplify;
    std::optional<int> effect;
    std::optional<int> deinterlace;
    QString subtitleFile;
    QString textWatermark;
    QString imageWatermark;
    // Mirroring: left to right, top to bottom.
    bool mirrorH = false;
    bool mirrorV = false;

    bool hasEffectEdits() const
    {
        return brightness || contrast || saturation || amplify || effect || deinterlace;
    }
};

struct CliParseResult {
    bool ok = false;
    QString error; // why the command line is unusable
    CliOptions options;
};

// Parses the arguments after the program name.
CliParseResult parseCliOptions(const QStringList &args);

QString cliUsage();
