#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// DVD test material made with the ffmpeg tool, and read-backs of discs with
// lsdvd (libdvdread) and isoinfo.
namespace DiscMedia {

// A DVD-compliant MPEG-2 program stream (the ffmpeg tool's pal-dvd or
// ntsc-dvd target) of lavfi test sources.
bool makeDvdMpeg(const QString &path, double seconds, bool pal = true);

struct DvdListing {
    bool ok = false;
    QString discTitle;          // lsdvd shows the label up to its first space
    QList<double> titleSeconds; // length of each title
    QString output;             // what lsdvd said, for failure messages
};
// Reads a DVD image or VIDEO_TS folder back with lsdvd.
DvdListing listDvd(const QString &path);

// The paths inside an ISO image, upper-case as ISO 9660 stores them
// ("/VIDEO_TS/VIDEO_TS.IFO"); empty when the image cannot be read.
QStringList isoFiles(const QString &isoPath);

// The volume label of an ISO image (isoinfo -d), or empty.
QString volumeId(const QString &isoPath);

// Processes (other than this one) whose command line contains marker.
QStringList processesMentioning(const QString &marker);

} // namespace DiscMedia
