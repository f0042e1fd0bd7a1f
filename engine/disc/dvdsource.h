#pragma once

#include <QString>

// What authoring needs to know about a source file: whether it is an MPEG-2
// program stream, and which TV system its picture belongs to.
struct DvdSourceInfo {
    bool readable = false;
    bool mpegProgramStream = false;
    bool mpeg2Video = false;
    double frameRate = 0.0;
    int width = 0;
    int height = 0;
    QString error; // why the file could not be read

    // MPEG-2 video in an MPEG program stream, as dvdauthor takes it.
    bool isDvdMpeg() const { return readable && mpegProgramStream && mpeg2Video; }
};

namespace DvdSource {

DvdSourceInfo inspect(const QString &path);

// "pal" or "ntsc" from the frame rate (25 or 50 frames per second are PAL;
// 23.976, 24, 29.97, 30, 59.94 and 60 NTSC), else from the picture height
// (576 or 288 lines PAL, 480 or 240 NTSC); empty when neither tells.
QString videoFormat(double frameRate, int height);

} // namespace DvdSource
