// The shipped translations: every entry of every Qt Linguist source is
// finished and fits its source text, the sources are up to date with the
// code, and the build puts the compiled files where the program loads them.
#include "core/config/videouserconfig.h"
#include "gui/app/myapplication.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

struct Entry {
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "obsolete", "vanished" or empty
};

QList<Entry> readTs(const QString &path, QString *error)
{
    QList<Entry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return entries;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Entry entry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            entry = Entry{context, {}, {}, {}};
        } else if (xml.name() == QLatin1String("source")) {
            entry.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            entry.type = xml.attributes().value(QLatin1String("type")).toString();
            entry.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            entries << entry;
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return entries;
}

QStringList placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%L?[1-9]"));
    QStringList found;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found << it.next().captured().remove(QLatin1Char('L'));
    found.sort();
    return found;
}

QString languagesSource()
{
    return QStringLiteral(REELMAX_SOURCE_DIR "/languages");
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void everyEntryIsFinishedAndFitsItsSource_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("de") << "de";
        QTest::newRow("zh_CN") << "zh_CN";
    }
    void everyEntryIsFinishedAndFitsItsSource()
    {
        QFETCH(QString, code);
        QString error;
        const QList<Entry> entries =
            readTs(languagesSource() + QStringLiteral("/videoconverter_%1.ts").arg(code), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(entries.size() > 300);
        QStringList faults;
        for (const Entry &e : entries) {
            const QString where = e.context + QStringLiteral(": \"") + e.source + QLatin1Char('"');
            if (!e.type.isEmpty())
                faults << where + QStringLiteral(" is ") + e.type;
            if (e.translation.trimmed().isEmpty())
                faults << where + QStringLiteral(" has no translation");
            // Every %1..%9 of the source, each once as often, and no other.
            if (placeholders(e.source) != placeholders(e.translation))
                faults << where + QStringLiteral(" has other placeholders: ") + e.translation;
            // Labels keep their colon, menu entries that open a dialog their dots.
            if (e.source.endsWith(QLatin1Char(':')) && !e.translation.endsWith(QLatin1Char(':')) &&
                !e.translation.endsWith(QChar(0xFF1A)))
                faults << where + QStringLiteral(" lost its colon: ") + e.translation;
            if (e.source.endsWith(QLatin1String("...")) && !e.translation.endsWith(QLatin1String("...")) &&
                !e.translation.endsWith(QChar(0x2026)))
                faults << where + QStringLiteral(" lost its dots: ") + e.translation;
            // The Chinese texts are Chinese (names and units aside).
            static const QRegularExpression sentence(QStringLiteral("[A-Za-z]{3,} [a-z]{3,} [a-z]{3,}"));
            if (code == QLatin1String("zh_CN") && sentence.match(e.translation).hasMatch())
                faults << where + QStringLiteral(" reads as English: ") + e.translation;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // Running lupdate over the code changes nothing: no text is missing
    // from the sources and none is left over.
    void sourcesAreUpToDateWithTheCode()
    {
        QTemporaryDir copy;
        QVERIFY(copy.isValid());
        const QStringList files =
            QDir(languagesSource()).entryList({QStringLiteral("videoconverter_*.ts")}, QDir::Files);
        QCOMPARE(files,
                 QStringList({"videoconverter_de.ts", "videoconverter_en.ts", "videoconverter_zh_CN.ts"}));
        for (const QString &name : files)
            QVERIFY(QFile::copy(languagesSource() + QLatin1Char('/') + name, copy.filePath(name)));
        QProcess update;
        update.setProcessChannelMode(QProcess::MergedChannels);
        update.start(QStringLiteral("bash"),
                     {QStringLiteral(REELMAX_SOURCE_DIR "/scripts/update_translations"), copy.path()});
        QVERIFY(update.waitForFinished(120000));
        QVERIFY2(update.exitCode() == 0, update.readAll().constData());
        for (const QString &name : files) {
            QFile original(languagesSource() + QLatin1Char('/') + name);
            QFile updated(copy.filePath(name));
            QVERIFY(original.open(QIODevice::ReadOnly) && updated.open(QIODevice::ReadOnly));
            QVERIFY2(original.readAll() == updated.readAll(),
                     qPrintable(name + QStringLiteral(" is not up to date: run scripts/update_translations "
                                                      "and translate what it adds")));
        }
    }

    void buildShipsTheCompiledTranslations()
    {
        QCOMPARE(VideoUserConfig::instance()->languages(), QStringList({"de", "en", "zh_CN"}));
        const struct {
            const char *code;
            const char *settings;
            const char *convert;
        } expected[] = {{"de", "Einstellungen", "Konvertieren"}, {"zh_CN", "设置", "开始转换"}};
        for (const auto &e : expected) {
            QTranslator translator;
            QVERIFY(translator.load(QCoreApplication::applicationDirPath() +
                                    QStringLiteral("/languages/videoconverter_%1.qm").arg(e.code)));
            QCOMPARE(translator.translate("SettingsDialog", "Settings"), QString::fromUtf8(e.settings));
            QCOMPARE(translator.translate("VideoConvertWidget", "Start Convert"),
                     QString::fromUtf8(e.convert));
        }
        // English is offered too; a missing file leaves the built-in texts.
        QTranslator english;
        QVERIFY(english.load(QCoreApplication::applicationDirPath() + "/languages/videoconverter_en.qm"));
        QVERIFY(!MyApplication::installTranslation(QStringLiteral("xx")));
        QCOMPARE(QCoreApplication::translate("SettingsDialog", "Settings"), QStringLiteral("Settings"));
    }

    // Qt's own texts follow the program's language.
    void qtTextsFollowTheLanguage()
    {
        QVERIFY(MyApplication::installTranslation(QStringLiteral("de")));
        QCOMPARE(QCoreApplication::translate("SettingsDialog", "Apply"), QStringLiteral("Übernehmen"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
