#pragma once

#include <QString>
#include <QStringList>

// What a killed run leaves behind: the engine's hidden output files
// (".<name>.XXXXXX.part" beside the outputs) and work folders
// ("reelmax-work-XXXXXX", see WorkFolder).  A later start of the program or
// of the command-line tool removes them, but only what is recognisably
// ours, belongs to this user, has not been touched for a while and is not
// held by any process (neither locked nor open).
class VideoUserConfig;

namespace StaleFiles {

// How long a leftover must have lain untouched, in seconds.
constexpr int kMinimumAgeSeconds = 5 * 60;

bool isPartFileName(const QString &fileName);
bool isWorkFolderName(const QString &fileName);

// True when a process has the file (or, for a folder, anything inside it)
// open, or holds its lock.
bool inUse(const QString &path);

// Removes the leftovers lying directly in the folders; returns what was removed.
QStringList sweep(const QStringList &folders, int minimumAgeSeconds = kMinimumAgeSeconds);

// The folders the program writes into: the output, download and temporary
// folders of the settings and the system's temporary folder, plus extra.
QStringList knownFolders(const VideoUserConfig &config, const QStringList &extra = {});

} // namespace StaleFiles
