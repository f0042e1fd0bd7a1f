#include "core/media/sectionlist.h"

#include <QRegularExpression>

#include <limits>

bool SectionList::parseTime(const QString &text, qint64 &ms)
{
    static const QRegularExpression plain(QStringLiteral("^[0-9]{1,10}$"));
    static const QRegularExpression clock(
        QStringLiteral("^(?:([0-9]{1,4}):)?([0-9]{1,2}):([0-9]{1,2})(?:\\.([0-9]{1,3}))?$"));
    const QString t = text.trimmed();
    qint64 value = 0;
    if (plain.match(t).hasMatch()) {
        value = t.toLongLong();
    } else if (const auto m = clock.match(t); m.hasMatch()) {
        const qint64 hours = m.captured(1).isEmpty() ? 0 : m.captured(1).toLongLong();
        const qint64 minutes = m.captured(2).toLongLong();
        const qint64 seconds = m.captured(3).toLongLong();
        // Minutes and seconds beyond 59 are a typing error, not a time.
        if ((!m.captured(1).isEmpty() && minutes > 59) || seconds > 59)
            return false;
        QString fraction = m.captured(4);
        while (fraction.size() < 3)
            fraction += QLatin1Char('0'); // ".5" is half a second
        value = ((hours * 60 + minutes) * 60 + seconds) * 1000 + fraction.toLongLong();
    } else {
        return false;
    }
    if (value > std::numeric_limits<qint32>::max())
        return false;
    ms = value;
    return true;
}

bool SectionList::parse(const QString &text, QList<Range> &out, QString *error)
{
    auto bad = [error](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    QList<Range> ranges;
    const QStringList parts = text.split(QLatin1Char(','));
    for (const QString &part : parts) {
        const QStringList bounds = part.split(QLatin1Char('-'));
        qint64 start = 0, end = 0;
        if (bounds.size() != 2 || !parseTime(bounds[0], start) || !parseTime(bounds[1], end))
            return bad(QStringLiteral("\"%1\" is not a section START-END (milliseconds or h:mm:ss.mmm)")
                           .arg(part.trimmed()));
        if (end <= start)
            return bad(QStringLiteral("section \"%1\" does not end after it starts").arg(part.trimmed()));
        ranges << Range{qint32(start), qint32(end)};
    }
    out = ranges;
    return true;
}

QList<VideoBasicInfo> SectionList::entries(const QString &file, const QList<Range> &ranges)
{
    QList<VideoBasicInfo> list;
    for (const Range &r : ranges)
        list << VideoBasicInfo(file, r.startMs, r.endMs);
    return list;
}
