#pragma once

#include <QString>
#include <QUrl>

// File names for captured media: after the page's title, or else after the
// media file's own name, made safe for any file system and never clashing
// with a file that exists.
namespace CaptureNaming {

// A name without extension: the title when it has any usable character,
// otherwise the base name of the media address, otherwise "video".
QString baseName(const QString &pageTitle, const QUrl &mediaUrl);

// Characters no common file system takes become "_", runs of white space
// one space; no leading or trailing dots or spaces; at most 150 bytes of
// UTF-8 (whole characters).  May return an empty string.
QString sanitize(const QString &text);

// folder/base + extension; while that exists, "%1%2(%3)%4" with the
// counter from 1.  folder may end with "/" or not.
QString uniquePath(const QString &folder, const QString &base, const QString &extension);

} // namespace CaptureNaming
