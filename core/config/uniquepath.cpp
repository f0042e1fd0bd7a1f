#include "core/config/uniquepath.h"

#include <QFileInfo>

namespace UniquePath {

QString folderWithSlash(const QString &folder)
{
    QString dir = folder;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString forSource(const QString &sourcePath, const QString &outputFolder, const QString &extension,
                  const QSet<QString> &reserved, const std::function<bool(const QString &)> &exists)
{
    // Paths are taken as they are: a backslash belongs to a name.
    const QString &source = sourcePath;
    if (source.isEmpty() || outputFolder.isEmpty())
        return {};
    const QString fileName = source.mid(source.lastIndexOf(QLatin1Char('/')) + 1);
    const QString dir = folderWithSlash(outputFolder);
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? fileName : fileName.left(dot);
    auto taken = [&reserved, &exists](const QString &path) {
        return reserved.contains(path) || (exists ? exists(path) : QFileInfo::exists(path));
    };
    QString candidate = dir + base + extension;
    for (int counter = 1; taken(candidate); ++counter)
        // "%1%2(%3)%4", built by concatenation so that a '%' in a path stays literal.
        candidate = dir + base + QLatin1Char('(') + QString::number(counter) + QLatin1Char(')') + extension;
    return candidate;
}

} // namespace UniquePath
