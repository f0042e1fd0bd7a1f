#pragma once

#include <QString>

// Where the program's shipped data lives: the default upc.xml, the category
// and profile icons ("icons/", "icons/formats/") and the translations
// ("languages/").  A build or an unpacked copy keeps them beside the
// program; an installed program (bin/) finds them in share/corvane-reelmax
// under the same prefix.
namespace DataPaths {

// The data folder in use.
QString dataFolder();
// A file or folder in it ("icons/formats/x.png", "languages").
QString dataPath(const QString &relative);
// True when the program runs installed: its data is not beside it but under
// share/.  An installed program keeps its live files in the user's folders,
// never beside itself.
bool isInstalled();
// A module the program loads when needed ("reelmax-webview.so"): beside the
// program, or in lib/corvane-reelmax under an installed program's prefix.
QString modulePath(const QString &fileName);
// The data folder an installed program in programFolder uses (for tests).
QString installedDataFolder(const QString &programFolder);

} // namespace DataPaths
