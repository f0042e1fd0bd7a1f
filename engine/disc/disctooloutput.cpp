#include "engine/disc/disctooloutput.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstring>

namespace DiscToolOutput {

double dvdauthorProgress(const QString &line, double sourceMb)
{
    static const QRegularExpression fixing(
        QStringLiteral("^STAT: fixing VOBU at \\d+MB \\(\\d+/\\d+, (\\d+)%\\)"));
    static const QRegularExpression reading(QStringLiteral("^STAT: VOBU \\d+ at (\\d+)MB"));
    if (const auto m = fixing.match(line); m.hasMatch())
        return 0.9 + 0.09 * std::clamp(m.captured(1).toDouble(), 0.0, 100.0) / 100.0;
    if (line.startsWith(QLatin1String("STAT: fixed ")))
        return 0.99;
    if (const auto m = reading.match(line); m.hasMatch()) {
        if (sourceMb <= 0.0)
            return -1.0;
        return 0.9 * std::clamp(m.captured(1).toDouble() / sourceMb, 0.0, 1.0);
    }
    return -1.0;
}

bool isDvdauthorError(const QString &line)
{
    return line.startsWith(QLatin1String("ERR:"));
}

double genisoimageProgress(const QString &line)
{
    static const QRegularExpression done(QStringLiteral("^(\\d+(?:\\.\\d+)?)% done"));
    const auto m = done.match(line);
    return m.hasMatch() ? std::clamp(m.captured(1).toDouble(), 0.0, 100.0) : -1.0;
}

bool isGenisoimageError(const QString &line)
{
    if (line.startsWith(QLatin1String("genisoimage:")))
        return !line.contains(QLatin1String("Warning"), Qt::CaseInsensitive);
    return line.startsWith(QLatin1String("Unable to"), Qt::CaseInsensitive) ||
           line.startsWith(QLatin1String("Error"), Qt::CaseInsensitive);
}

double xorrisoProgress(const QString &line)
{
    static const QRegularExpression written(QStringLiteral("(\\d+) of\\s+(\\d+) MB written"));
    const auto m = written.match(line);
    if (!m.hasMatch())
        return -1.0;
    const double total = m.captured(2).toDouble();
    if (total <= 0.0)
        return -1.0;
    return std::clamp(100.0 * m.captured(1).toDouble() / total, 0.0, 100.0);
}

bool isXorrisoError(const QString &line)
{
    static const QRegularExpression failure(
        QStringLiteral("^(xorriso|libburn|libisofs) : (FAILURE|SORRY|FATAL) : "));
    if (!failure.match(line).hasMatch())
        return false;
    // The closing "could not be performed" line repeats what came before.
    return !line.contains(QLatin1String("Job could not be performed properly"));
}

void writeMessage(char *buffer, const QString &text)
{
    if (!buffer)
        return;
    const QByteArray bytes = text.toLocal8Bit();
    const std::size_t n = std::min<std::size_t>(std::size_t(bytes.size()), kMessageBufferSize - 1);
    std::memcpy(buffer, bytes.constData(), n);
    buffer[n] = '\0';
}

} // namespace DiscToolOutput
