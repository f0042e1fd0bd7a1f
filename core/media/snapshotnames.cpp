#include "core/media/snapshotnames.h"

#include <QFileInfo>

namespace SnapshotNames {

QString nextFree(const QString &dir, const QString &openedFile, const QString &format)
{
    // A backslash is an ordinary character of a file name here.
    QString name = openedFile.mid(openedFile.lastIndexOf(QLatin1Char('/')) + 1);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    QString folder = dir;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    for (qint64 i = 0;; ++i) {
        const QString path = QStringLiteral("%1%2_%3.%4").arg(folder, name, QString::number(i), format);
        if (!QFileInfo::exists(path))
            return path;
    }
}

} // namespace SnapshotNames
