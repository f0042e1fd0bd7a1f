#pragma once

#include "core/media/videobasicinfo.h"

#include <QList>
#include <QString>

// A list of sections of a file written as text, such as
// "1000-3000,5000-6000" or "0:00:01.000-0:00:03.000": each bound in
// milliseconds or as [h:]mm:ss[.mmm].
class SectionList {
public:
    struct Range {
        qint32 startMs = 0;
        qint32 endMs = 0;
        bool operator==(const Range &other) const = default;
    };

    // Reads the ranges in order.  False, with a message, for text that is
    // not a list of ranges, or a range that does not end after it starts.
    static bool parse(const QString &text, QList<Range> &out, QString *error = nullptr);
    // One bound: "1500", "1:02", "0:01:02.5", "1:02:03.250".
    static bool parseTime(const QString &text, qint64 &ms);

    // The list entries for file: one per range, in order.
    static QList<VideoBasicInfo> entries(const QString &file, const QList<Range> &ranges);
};
