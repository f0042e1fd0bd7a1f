#pragma once

#include <QSet>
#include <QString>

#include <functional>

// Output paths that never overwrite an existing file.
namespace UniquePath {

// folder + base name of sourcePath + extension; while that exists or is in
// reserved, "%1%2(%3)%4" with folder, base name, counter from 1 and
// extension.  Empty when the source or the folder is empty.
// exists, when given, says whether a candidate is taken on disk (by default:
// a file of that name exists).
QString forSource(const QString &sourcePath, const QString &outputFolder, const QString &extension,
                  const QSet<QString> &reserved = {},
                  const std::function<bool(const QString &)> &exists = {});

// "\" turned into "/", and a trailing "/" added unless present.
QString folderWithSlash(const QString &folder);

} // namespace UniquePath
