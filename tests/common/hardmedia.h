#pragma once

#include <QString>
#include <QStringList>

// Media that real files are like but clean test clips are not: written
// through a pipe (no length in the header), cut short, with unusual sample
// formats or demuxer quirks.  Everything is made with the ffmpeg tool from
// its lavfi sources, edited here where the tool cannot write the case.
namespace HardMedia {

// ffmpeg writing to its standard output, which goes into path: the muxer
// cannot go back to write the length (Matroska, WebM, FLAC).
bool throughPipe(const QStringList &args, const QString &path);

// Matroska (H.264 + AAC) or WebM (VP8 + Opus) written through a pipe.
bool pipedMatroska(const QString &path, double seconds, bool webm);
// FLAC written through a pipe: its stream info carries no sample count.
bool flacWithoutSampleCount(const QString &path, double seconds);
// FLV with Sorenson H.263 (flv1) video and MP3 sound at the given rate.
bool flvFlv1Mp3(const QString &path, double seconds, int fps, bool withMetadata = true);
// FLAC with 32 bits per sample (the tool's encoder stops at 24): PCM from
// the tool, framed here as verbatim subframes.
bool flac32(const QString &path, double seconds);
// Opus in Ogg, named whatever path says (".opus").
bool opusInOgg(const QString &path, double seconds);
// An MP4 with its index in front (faststart) cut after the given share of
// its bytes.
bool truncatedMp4(const QString &path, double seconds, double keptShare);
// H.264 in MPEG-TS without access unit delimiters, video only, one key
// frame only.  The tool's muxer always inserts delimiters, so they are
// overwritten by filler units of the same size afterwards.
bool tsWithoutAuds(const QString &path, double seconds);

// How long the ffmpeg tool decodes the file: the end of its last frame, in
// seconds (0 when nothing decodes).
double decodedSeconds(const QString &path);

} // namespace HardMedia
