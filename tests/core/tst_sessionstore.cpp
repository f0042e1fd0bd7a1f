// The media list kept across runs: every edit field of VideoInfo written and
// read back, entries restored with their sections and names, vanished files
// left out and named, the file rewritten after each change and complete at
// any moment.

#include "common/testmedia.h"
#include "core/media/sessionstore.h"
#include "core/media/videoinfofields.h"
#include "core/media/videoinfomanager.h"
#include "core/media/videoloadstep.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

class RecordOnlyStep : public VideoLoadStep {
public:
    int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) override
    {
        for (const VideoBasicInfo &v : videos)
            loaded.push_back(std::make_unique<VideoInfo>(v));
        return 1;
    }

protected:
    void reportInvalid(const QString &, const QString &) override {}
};

// Gives every listed field a value other than its default, different per seed.
struct Scrambler {
    int seed;
    int n = 0;
    void operator()(const char *, qint32 &v) { v = 1000 * seed + ++n; }
    void operator()(const char *, bool &v) { v = !v; }
    void operator()(const char *key, QString &v) { v = QStringLiteral("%1-%2 ünïcode").arg(key).arg(seed); }
    void operator()(const char *, QColor &v) { v = QColor(10 * seed, 20 + ++n, 30, 40 + seed); }
};

// Collects "key=value" for every listed field.
struct Lister {
    QStringList out;
    void operator()(const char *key, const qint32 &v) { out << QStringLiteral("%1=%2").arg(key).arg(v); }
    void operator()(const char *key, const bool &v) { out << QStringLiteral("%1=%2").arg(key).arg(v); }
    void operator()(const char *key, const QString &v) { out << QStringLiteral("%1=%2").arg(key, v); }
    void operator()(const char *key, const QColor &v)
    {
        out << QStringLiteral("%1=%2").arg(key, v.name(QColor::HexArgb));
    }
};

QStringList fieldsOf(const VideoInfo &v)
{
    Lister l;
    VideoInfoFields::forEachEdit(v, l);
    return l.out;
}

} // namespace

class TestSessionStore : public QObject {
    Q_OBJECT
    RecordOnlyStep step;
    QString dir, a, b, c;
    VideoInfoManager *registry = nullptr;

private slots:
    void initTestCase()
    {
        dir = TestMedia::tempDir();
        a = dir + "/a.mp4";
        b = dir + "/b b.mkv";
        c = dir + "/c.mp4";
        QVERIFY(TestMedia::makeClip(a, 3.0, 160, 120));
        QVERIFY(TestMedia::makeClip(b, 2.0, 160, 120));
        QVERIFY(TestMedia::makeClip(c, 1.0, 160, 120));
        registry = new VideoInfoManager(this);
        registry->setLoadStep(&step);
    }

    void init() { registry->clear(); }

    // Every member of VideoInfo is either a listed setting or a probe
    // result: a field added to the record without a line in the list fails
    // here instead of being lost at the next start.
    void everyEditFieldIsListed()
    {
        QFile header(QStringLiteral(REELMAX_SOURCE_DIR "/core/media/videoinfo.h"));
        QVERIFY(header.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(header.readAll());
        const int publicStart = text.indexOf("static QString audioIconPath");
        const int privateStart = text.indexOf("private:", publicStart);
        QVERIFY(publicStart > 0 && privateStart > publicStart);
        static const QRegularExpression member(R"(^\s+(?:[\w:<>]+\s+)+\*?(\w+)\s*(?:=[^;]*)?;)",
                                               QRegularExpression::MultilineOption);
        QSet<QString> listed;
        VideoInfo probe(QStringLiteral("/nonexistent"));
        VideoInfoFields::forEachEdit(probe,
                                     [&](const char *key, auto &) { listed.insert(QLatin1String(key)); });
        for (const char *name : VideoInfoFields::kNotSettings)
            listed.insert(QLatin1String(name));
        int members = 0;
        auto it = member.globalMatch(text.mid(publicStart, privateStart - publicStart));
        while (it.hasNext()) {
            const QString name = it.next().captured(1);
            ++members;
            QVERIFY2(listed.contains(name),
                     qPrintable(name + " is neither saved nor marked as a probe result"));
        }
        QVERIFY(members > 40);
    }

    // Each field makes the round trip through the file, whatever its type.
    void everyFieldRoundTrips()
    {
        registry->addFiles({a, b});
        VideoInfo *first = registry->item(0);
        VideoInfo *second = registry->item(1);
        VideoInfoFields::forEachEdit(*first, Scrambler{1});
        VideoInfoFields::forEachEdit(*second, Scrambler{2});
        registry->rename(1, QStringLiteral("Interview, take 2"));

        QList<SessionStore::Entry> entries;
        QVERIFY(SessionStore::parse(SessionStore::serialize(registry->videos()), &entries));
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[1].name, QStringLiteral("Interview, take 2"));
        QCOMPARE(entries[0].basic, first->basicInfo());
        VideoInfo back(VideoBasicInfo(a, -1, -1));
        SessionStore::applyEdits(entries[0].edits, back);
        QCOMPARE(fieldsOf(back), fieldsOf(*first));
        SessionStore::applyEdits(entries[1].edits, back);
        QCOMPARE(fieldsOf(back), fieldsOf(*second));
        QVERIFY(fieldsOf(*first) != fieldsOf(*second));
    }

    void foreignTextIsNotASession()
    {
        QList<SessionStore::Entry> entries;
        QVERIFY(!SessionStore::parse("not json", &entries));
        QVERIFY(!SessionStore::parse(R"({"entries": []})", &entries));
        QVERIFY(SessionStore::parse(R"({"format": "corvane-reelmax-session", "entries": [{"file": ""}]})",
                                    &entries));
        QVERIFY(entries.isEmpty());
    }

    // Quit with three entries (one a trimmed section, one edited and
    // renamed), start again: the same three, and the list is kept from then on.
    void restoresSectionsEditsAndNames()
    {
        const QString path = dir + "/restore/session.json";
        {
            SessionStore store(registry, path);
            store.startSaving();
            registry->addFiles({a, b});
            registry->addVideos({VideoBasicInfo(a, 500, 2000)}); // a clip of a, as the trim dialog adds it
            VideoInfo *edited = registry->item(1);
            edited->cropChanged = true;
            edited->cropLeft = 8;
            edited->cropWidth = 120;
            edited->cropHeight = 90;
            edited->effectChanged = true;
            edited->brightness = 25;
            registry->rename(1, QStringLiteral("Better name"));
            // An edit in place carries no signal: it is written within a second.
            QTRY_VERIFY_WITH_TIMEOUT(
                QFile(path).exists() &&
                    [&] {
                        QFile f(path);
                        return f.open(QIODevice::ReadOnly) && f.readAll().contains("\"brightness\": 25");
                    }(),
                5000);
        }
        registry->clear();

        SessionStore again(registry, path);
        const SessionStore::Restored restored = again.restore();
        QCOMPARE(restored.entries, 3);
        QVERIFY(restored.missing.isEmpty());
        QCOMPARE(registry->count(), 3);
        QCOMPARE(registry->item(0)->basicInfo(), VideoBasicInfo(a, 0, 3000));
        QCOMPARE(registry->item(2)->basicInfo(), VideoBasicInfo(a, 500, 2000));
        const VideoInfo *edited = registry->item(1);
        QCOMPARE(edited->filename, b);
        QCOMPARE(registry->displayName(1), QStringLiteral("Better name"));
        QVERIFY(edited->cropChanged && edited->effectChanged);
        QCOMPARE(QRect(edited->cropLeft, edited->cropTop, edited->cropWidth, edited->cropHeight),
                 QRect(8, 0, 120, 90));
        QCOMPARE(edited->brightness, 25);
        QVERIFY(!registry->item(0)->hasEdits());
        // Restored records are probed afresh: thumbnail and engine data.
        QVERIFY(edited->valid && edited->fileInfo && !edited->thumbnail.isNull());
    }

    // Files that vanished are left out, named once, and the list saved
    // without them.
    void vanishedFilesAreLeftOutAndNamed()
    {
        const QString path = dir + "/vanished/session.json";
        const QString gone = dir + "/gone.mp4";
        QVERIFY(QFile::copy(c, gone));
        {
            SessionStore store(registry, path);
            store.startSaving();
            registry->addFiles({a, gone, c});
            QTRY_VERIFY(QFile(path).exists());
            QVERIFY(store.saveNow());
        }
        registry->clear();
        QVERIFY(QFile::remove(gone));
        SessionStore again(registry, path);
        const SessionStore::Restored restored = again.restore();
        QCOMPARE(restored.entries, 2);
        QCOMPARE(restored.missing, QStringList{gone});
        again.startSaving();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QList<SessionStore::Entry> entries;
        QVERIFY(SessionStore::parse(f.readAll(), &entries));
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[1].basic.filename, c);
    }

    // Written after every change, and replaced whole (never half written).
    void writtenAfterEachChange()
    {
        const QString path = dir + "/changes/session.json";
        SessionStore store(registry, path);
        store.startSaving();
        auto saved = [&] {
            QFile f(path);
            QList<SessionStore::Entry> entries;
            if (!f.open(QIODevice::ReadOnly) || !SessionStore::parse(f.readAll(), &entries))
                return -1;
            return int(entries.size());
        };
        QCOMPARE(saved(), 0);
        registry->addFiles({a, b, c});
        QTRY_COMPARE(saved(), 3);
        registry->removeVideo(0);
        QTRY_COMPARE(saved(), 2);
        registry->moveUp(1);
        QTRY_VERIFY([&] {
            QFile f(path);
            QList<SessionStore::Entry> entries;
            return f.open(QIODevice::ReadOnly) && SessionStore::parse(f.readAll(), &entries) &&
                   entries.value(0).basic.filename == c;
        }());
        registry->clear();
        QTRY_COMPARE(saved(), 0);
        // No temporary file stays beside it.
        QCOMPARE(QDir(dir + "/changes").entryList(QDir::Files | QDir::Hidden), QStringList{"session.json"});
    }

    void aDamagedFileRestoresNothing()
    {
        const QString path = dir + "/damaged.json";
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\"format\": \"corvane-reelmax-session\", \"entr");
        f.close();
        SessionStore store(registry, path);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("is not a saved list"));
        QCOMPARE(store.restore().entries, 0);
        QCOMPARE(registry->count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSessionStore)
#include "tst_sessionstore.moc"
