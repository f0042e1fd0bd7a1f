#include "engine/capture/capturenaming.h"

#include <QFileInfo>

namespace CaptureNaming {

QString sanitize(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.isSpace())
            out += QLatin1Char(' ');
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
                 QStringLiteral("/\\:*?\"<>|").contains(c))
            out += QLatin1Char('_');
        else
            out += c;
    }
    out = out.simplified();
    while (!out.isEmpty() && (out.front() == QLatin1Char('.') || out.front() == QLatin1Char(' ')))
        out.remove(0, 1);
    while (!out.isEmpty() && (out.back() == QLatin1Char('.') || out.back() == QLatin1Char(' ')))
        out.chop(1);
    // File names are limited in bytes; cut on a character boundary.
    while (out.toUtf8().size() > 150) {
        out.chop(1);
        if (!out.isEmpty() && out.back().isHighSurrogate())
            out.chop(1);
    }
    return out.trimmed();
}

QString baseName(const QString &pageTitle, const QUrl &mediaUrl)
{
    QString name = sanitize(pageTitle);
    if (!name.isEmpty())
        return name;
    const QString file = mediaUrl.fileName(QUrl::FullyDecoded);
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    name = sanitize(dot > 0 ? file.left(dot) : file);
    return name.isEmpty() ? QStringLiteral("video") : name;
}

QString uniquePath(const QString &folder, const QString &base, const QString &extension)
{
    QString dir = folder;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    QString path = dir + base + extension;
    for (int n = 1; QFileInfo::exists(path); ++n)
        path = QStringLiteral("%1%2(%3)%4").arg(dir, base).arg(n).arg(extension);
    return path;
}

} // namespace CaptureNaming
