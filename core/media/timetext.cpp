#include "core/media/timetext.h"

#include <cmath>

namespace TimeText {

QString fromMs(qint64 ms)
{
    const qint64 seconds = ms > 0 ? ms / 1000 : 0;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString fromMs(double ms)
{
    return fromMs(std::isfinite(ms) ? qint64(ms) : qint64(0));
}

} // namespace TimeText
