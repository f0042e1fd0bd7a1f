#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QPair>
#include <QString>
#include <QStringList>

// Test media made on the fly with the ffmpeg tool, and checks with ffprobe.
namespace TestMedia {

// Runs the ffmpeg tool with the given arguments (after "-y -v error");
// returns true when it exited with 0.  Output goes to the test log on failure.
bool ffmpeg(const QStringList &args, int timeoutMs = 120000);

// A clip from lavfi test sources: testsrc2 video (unless width is 0) with a
// sine tone (unless sampleRate is 0), encoded by the container's defaults.
bool makeClip(const QString &path, double seconds, int width = 320, int height = 240,
              const QString &rate = QStringLiteral("25"), int sampleRate = 44100, int channels = 2,
              const QStringList &extraArgs = {});

// ffprobe -show_format -show_streams as JSON; empty object on failure.
QJsonObject probe(const QString &path);
// The first stream of the given type ("video"/"audio"), or empty.
QJsonObject stream(const QJsonObject &probe, const QString &type);
double durationSeconds(const QJsonObject &probe);
// Pictures in a file, counted by decoding it; -1 on failure.
int decodedFrames(const QString &path);
// Where the sound of a file comes out of silence (below -30 dB for at least
// 0.2 s), in seconds.
QList<double> soundOnsets(const QString &path);
// The stretches of a file's picture that are black for at least 0.4 s, as
// start and end in seconds.
QList<QPair<double, double>> blackStretches(const QString &path);
// True when the whole file decodes without a single error message.
bool decodesCleanly(const QString &path, QString *errors = nullptr);

// A folder for the test's files, removed at exit (kept when
// REELMAX_KEEP_TEST_FILES is set).
QString tempDir();

} // namespace TestMedia
