#pragma once

#include <QString>
#include <QStringList>

// The input file suffixes the program accepts, with their dot, as listed in
// the add-file filter (".m4v" appears twice).
const QStringList &supportedFileSuffixes();

// True when path ends, ignoring case, with one of the supported suffixes.
bool isSupportedFile(const QString &path);
