#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Measures on parts of a joined output, made with the ffmpeg tool.
namespace PictureParts {

// The tool's combined output, or empty when it failed.
QByteArray runTool(const QString &tool, const QStringList &args);

// Pictures of path within [from, from + length) s that differ from the one
// before them by more than encoding noise (a repeated picture, encoded
// again, differs by little).
int distinctPictures(const QString &path, double from, double length);

// The average PSNR of the picture of joined from `from` for `length` s
// against the whole of alone, frames paired by time; -1 on failure.
double partPsnr(const QString &joined, double from, double length, const QString &alone);

} // namespace PictureParts
