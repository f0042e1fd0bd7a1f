#pragma once

#include "core/media/videoinfo.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

class VideoInfoManager;

// The media list kept across runs: files, sections, display names and every
// edit setting, written to a file in the user's data folder after each
// change (atomically, so a crash leaves the last complete list) and read
// back at the next start.
class SessionStore : public QObject {
    Q_OBJECT
public:
    // What a restore brought back.
    struct Restored {
        int entries = 0;     // records added to the list
        QStringList missing; // files that are gone or no longer readable, left out
    };

    // One saved entry.
    struct Entry {
        VideoBasicInfo basic;
        QString name;      // the name shown in the list
        QJsonObject edits; // VideoInfoFields by key
    };

    SessionStore(VideoInfoManager *registry, const QString &path, QObject *parent = nullptr);
    ~SessionStore() override;

    // "session.json" in the per-user data folder.
    static QString defaultPath();
    QString path() const { return m_path; }

    // Appends the saved entries to the list (each file probed again, its
    // section, name and edits put back); files that vanished are left out
    // and named in the result.  A missing or unreadable session file
    // restores nothing.
    Restored restore();
    // From now on the list is written after every change.  Edits made in
    // place on a record (the editor's) carry no signal: the list is also
    // compared with the file's content every second.
    void startSaving();
    // Writes the list now, if it differs from what was written last; false
    // when writing failed.
    bool saveNow();

    // The file's content for a list, and back (false for text that is not a session).
    static QByteArray serialize(QList<VideoInfo> videos);
    static bool parse(const QByteArray &data, QList<Entry> *entries);
    // Puts an entry's edits into a record (fields the entry lacks keep theirs).
    static void applyEdits(const QJsonObject &edits, VideoInfo &video);
    static QJsonObject editsOf(const VideoInfo &video);

private:
    void scheduleSave();

    QPointer<VideoInfoManager> m_registry;
    QString m_path;
    QByteArray m_written; // what the file holds
    QTimer m_poll;
    bool m_savePending = false;
    bool m_saving = false;
};
