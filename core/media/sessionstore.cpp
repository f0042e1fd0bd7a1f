#include "core/media/sessionstore.h"

#include "core/media/videoinfofields.h"
#include "core/media/videoinfomanager.h"
#include "core/platform/corelog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const char kFormat[] = "corvane-reelmax-session";
const int kVersion = 1;

struct FieldWriter {
    QJsonObject &out;
    void operator()(const char *key, const qint32 &value) { out.insert(QLatin1String(key), value); }
    void operator()(const char *key, const bool &value) { out.insert(QLatin1String(key), value); }
    void operator()(const char *key, const QString &value) { out.insert(QLatin1String(key), value); }
    void operator()(const char *key, const QColor &value)
    {
        out.insert(QLatin1String(key), value.name(QColor::HexArgb));
    }
};

// Takes what the object holds in the field's type; anything else leaves the field.
struct FieldReader {
    const QJsonObject &in;
    void operator()(const char *key, qint32 &value)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        if (v.isDouble())
            value = qint32(v.toInteger());
    }
    void operator()(const char *key, bool &value)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        if (v.isBool())
            value = v.toBool();
    }
    void operator()(const char *key, QString &value)
    {
        const QJsonValue v = in.value(QLatin1String(key));
        if (v.isString())
            value = v.toString();
    }
    void operator()(const char *key, QColor &value)
    {
        const QColor color(in.value(QLatin1String(key)).toString());
        if (color.isValid())
            value = color;
    }
};

} // namespace

SessionStore::SessionStore(VideoInfoManager *registry, const QString &path, QObject *parent)
    : QObject(parent), m_registry(registry), m_path(path)
{
    m_poll.setInterval(1000);
    connect(&m_poll, &QTimer::timeout, this, &SessionStore::saveNow);
}

SessionStore::~SessionStore()
{
    if (m_saving)
        saveNow();
}

QString SessionStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/CorVane Software/Corvane Reelmax/session.json");
}

QJsonObject SessionStore::editsOf(const VideoInfo &video)
{
    QJsonObject edits;
    VideoInfoFields::forEachEdit(video, FieldWriter{edits});
    return edits;
}

void SessionStore::applyEdits(const QJsonObject &edits, VideoInfo &video)
{
    VideoInfoFields::forEachEdit(video, FieldReader{edits});
}

QByteArray SessionStore::serialize(QList<VideoInfo> videos)
{
    QJsonArray entries;
    for (VideoInfo &video : videos) {
        QJsonObject entry;
        entry.insert(QStringLiteral("file"), video.filename);
        entry.insert(QStringLiteral("start"), video.msStart);
        entry.insert(QStringLiteral("end"), video.msEnd);
        entry.insert(QStringLiteral("name"), video.displayName());
        entry.insert(QStringLiteral("edits"), editsOf(video));
        entries.append(entry);
    }
    QJsonObject root;
    root.insert(QStringLiteral("format"), QLatin1String(kFormat));
    root.insert(QStringLiteral("version"), kVersion);
    root.insert(QStringLiteral("entries"), entries);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool SessionStore::parse(const QByteArray &data, QList<Entry> *entries)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(data, &error);
    const QJsonObject root = doc.object();
    if (error.error != QJsonParseError::NoError ||
        root.value(QStringLiteral("format")) != QLatin1String(kFormat))
        return false;
    entries->clear();
    const QJsonArray list = root.value(QStringLiteral("entries")).toArray();
    for (const QJsonValue &value : list) {
        const QJsonObject o = value.toObject();
        Entry entry;
        entry.basic.filename = o.value(QStringLiteral("file")).toString();
        if (entry.basic.filename.isEmpty())
            continue;
        entry.basic.msStart = qint32(o.value(QStringLiteral("start")).toInteger(-1));
        entry.basic.msEnd = qint32(o.value(QStringLiteral("end")).toInteger(-1));
        entry.name = o.value(QStringLiteral("name")).toString();
        entry.edits = o.value(QStringLiteral("edits")).toObject();
        entries->append(entry);
    }
    return true;
}

SessionStore::Restored SessionStore::restore()
{
    Restored restored;
    QFile file(m_path);
    if (!m_registry || !file.open(QIODevice::ReadOnly))
        return restored;
    const QByteArray data = file.readAll();
    QList<Entry> entries;
    if (!parse(data, &entries)) {
        qCWarning(lcMedia, "session: [%s] is not a saved list; starting with an empty one",
                  qPrintable(m_path));
        return restored;
    }
    VideoInfoList records;
    for (const Entry &entry : std::as_const(entries)) {
        if (!QFileInfo(entry.basic.filename).isFile()) {
            restored.missing << entry.basic.filename;
            continue;
        }
        auto video = std::make_unique<VideoInfo>(entry.basic);
        if (!video->isValid()) {
            // Replaced by something shorter or unreadable since.
            qCWarning(lcMedia, "session: [%s] left out: %s", qPrintable(entry.basic.filename),
                      qPrintable(video->probeError));
            restored.missing << entry.basic.filename;
            continue;
        }
        applyEdits(entry.edits, *video);
        if (!entry.name.isEmpty())
            video->setDisplayName(entry.name);
        records.push_back(std::move(video));
    }
    restored.entries = int(records.size());
    m_registry->appendVideos(std::move(records));
    return restored;
}

void SessionStore::startSaving()
{
    if (m_saving || !m_registry)
        return;
    m_saving = true;
    const auto changed = [this] { scheduleSave(); };
    connect(m_registry, &VideoInfoManager::videoCountChanged, this, changed);
    connect(m_registry, &VideoInfoManager::videoUpdated, this, changed);
    connect(m_registry, qOverload<int>(&VideoInfoManager::videoRemoved), this, changed);
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &SessionStore::saveNow);
    m_poll.start();
    saveNow();
}

void SessionStore::scheduleSave()
{
    // A change comes as several signals (a clear() as one per row): one write.
    if (m_savePending)
        return;
    m_savePending = true;
    QTimer::singleShot(0, this, [this] {
        m_savePending = false;
        saveNow();
    });
}

bool SessionStore::saveNow()
{
    if (!m_registry)
        return false;
    const QByteArray data = serialize(m_registry->videos());
    if (data == m_written)
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        qCWarning(lcMedia, "session: cannot write [%s]: %s", qPrintable(m_path),
                  qPrintable(file.errorString()));
        return false;
    }
    m_written = data;
    return true;
}
