#pragma once

#include <QMetaType>
#include <QString>

// A media file and a section of it.  Times are milliseconds; -1 means "not set".
struct VideoBasicInfo {
    QString filename;
    qint32 msStart = -1;
    qint32 msEnd = -1;

    VideoBasicInfo() = default;
    explicit VideoBasicInfo(const QString &file, qint32 start = -1, qint32 end = -1)
        : filename(file), msStart(start), msEnd(end)
    {
    }

    bool operator==(const VideoBasicInfo &other) const = default;
};

Q_DECLARE_METATYPE(VideoBasicInfo)
