#include "core/profiles/profiledisplay.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cmath>

namespace ProfileDisplay {

QString shown(const QString &display)
{
    if (display == keepOriginalResolution())
        return QCoreApplication::translate("ProfileDisplay", "Keep Original");
    if (display == keepOriginalFrameRate())
        return QCoreApplication::translate("ProfileDisplay", "Keep original");
    static const QRegularExpression channels(QStringLiteral("^([0-9]+) Channels?( Mono| Stereo)?$"));
    const QRegularExpressionMatch m = channels.match(display);
    if (!m.hasMatch())
        return display;
    const QString count = m.captured(1);
    if (m.captured(2) == QLatin1String(" Mono"))
        return QCoreApplication::translate("ProfileDisplay", "%1 Channel Mono").arg(count);
    if (m.captured(2) == QLatin1String(" Stereo"))
        return QCoreApplication::translate("ProfileDisplay", "%1 Channels Stereo").arg(count);
    return QCoreApplication::translate("ProfileDisplay", "%1 Channels").arg(count);
}

QString leadingNumber(const QString &display)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([0-9]+(?:\\.[0-9]*)?)"));
    const QRegularExpressionMatch m = number.match(display);
    return m.hasMatch() ? m.captured(1) : QString();
}

QString frameRateToDisplay(const QString &stored)
{
    bool ok = false;
    const qlonglong milli = stored.trimmed().toLongLong(&ok);
    if (ok && milli == 0)
        return keepOriginalFrameRate();
    if (!ok || milli < 0)
        return stored + QStringLiteral(" fps");
    QString text = QString::number(milli / 1000);
    QString fraction = QStringLiteral("%1").arg(milli % 1000, 3, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += QLatin1Char('.') + fraction;
    return text + QStringLiteral(" fps");
}

QString frameRateFromDisplay(const QString &display)
{
    if (display.trimmed().compare(keepOriginalFrameRate(), Qt::CaseInsensitive) == 0)
        return QStringLiteral("0");
    const double fps = leadingNumber(display).toDouble();
    // Rounded, not truncated: 29.97 * 1000 is 29969.999... in binary.
    return QString::number(std::llround(fps * 1000.0));
}

QString bitrateToDisplay(const QString &stored)
{
    bool ok = false;
    const qlonglong bps = stored.trimmed().toLongLong(&ok);
    const QString kbps = ok ? QString::number(bps / 1000) : stored.left(qMax(0, int(stored.size()) - 3));
    return kbps + QStringLiteral(" kbps");
}

QString bitrateFromDisplay(const QString &display)
{
    const QString number = leadingNumber(display);
    if (number.isEmpty())
        return QStringLiteral("0");
    return QString::number(std::llround(number.toDouble() * 1000.0));
}

QString sampleRateToDisplay(const QString &stored)
{
    return stored + QStringLiteral(" Hz");
}

QString sampleRateFromDisplay(const QString &display)
{
    return leadingNumber(display);
}

QString channelsToDisplay(const QString &stored)
{
    if (stored == QLatin1String("1"))
        return QStringLiteral("1 Channel Mono");
    if (stored == QLatin1String("2"))
        return QStringLiteral("2 Channels Stereo");
    return stored + QStringLiteral(" Channels");
}

QString channelsFromDisplay(const QString &display)
{
    return leadingNumber(display);
}

QString resolutionToDisplay(const QSize &size)
{
    if (size.width() == 0 && size.height() == 0)
        return keepOriginalResolution();
    return QStringLiteral("%1*%2").arg(size.width()).arg(size.height());
}

QString resolutionFromDisplay(const QString &display)
{
    if (display == keepOriginalResolution())
        return QStringLiteral("0*0");
    return display;
}

QStringList resolutionChoices(const QStringList &list)
{
    QStringList result = list;
    if (!result.contains(keepOriginalResolution()))
        result.prepend(keepOriginalResolution());
    return result;
}

int choiceIndex(const QStringList &items, const QString &text)
{
    const int index = int(items.indexOf(text));
    return index < 0 ? 0 : index;
}

} // namespace ProfileDisplay
