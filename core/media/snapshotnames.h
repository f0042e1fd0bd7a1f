#pragma once

#include <QString>

// Names of the player's snapshots.
namespace SnapshotNames {

// "<dir>/<name>_<n>.<format>" for the first n from 0 that names no existing
// file, where name is openedFile's base name without its suffix.
QString nextFree(const QString &dir, const QString &openedFile, const QString &format);

} // namespace SnapshotNames
