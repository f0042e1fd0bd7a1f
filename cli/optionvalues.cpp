#include "cli/optionvalues.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace CliValues {

std::optional<int> wholeNumber(const QString &text, int low, int high)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high)
        return std::nullopt;
    return v;
}

std::optional<QString> bitrate(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^([0-9]+(?:\\.[0-9]+)?)([kKmM]?)$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    double v = m.captured(1).toDouble();
    const QString unit = m.captured(2).toLower();
    if (unit == QLatin1String("k"))
        v *= 1000.0;
    else if (unit == QLatin1String("m"))
        v *= 1000000.0;
    if (v < 1 || v > 2147483647.0)
        return std::nullopt;
    return QString::number(qint64(std::llround(v)));
}

std::optional<double> framesPerSecond(const QString &text)
{
    bool ok = false;
    const double fps = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(fps) || fps < 0 || fps > 1000)
        return std::nullopt;
    return fps;
}

std::optional<QSize> frameSize(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^([0-9]{1,5})[xX*]([0-9]{1,5})$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    return QSize(m.captured(1).toInt(), m.captured(2).toInt());
}

bool frameSizeEncodable(const QSize &size)
{
    auto fits = [](int side) { return side == 0 || (side % 2 == 0 && side <= kLargestSide); };
    return fits(size.width()) && fits(size.height());
}

std::optional<QRect> cropRect(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int n[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const auto v = wholeNumber(parts[i], 0, 100000);
        if (!v)
            return std::nullopt;
        n[i] = *v;
    }
    if (n[2] <= 0 || n[3] <= 0)
        return std::nullopt;
    return QRect(n[0], n[1], n[2], n[3]);
}

std::optional<Mirror> mirror(const QString &text)
{
    const QString m = text.trimmed().toLower();
    if (m != QLatin1String("h") && m != QLatin1String("v") && m != QLatin1String("hv") &&
        m != QLatin1String("vh"))
        return std::nullopt;
    return Mirror{m.contains(QLatin1Char('h')), m.contains(QLatin1Char('v'))};
}

} // namespace CliValues
