#include "core/disc/dvdauthoring.h"

#include "core/platform/datapaths.h"
#include "engine/disc/dvdsource.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <tinyxml2.h>

namespace DvdAuthoring {

namespace {
QString g_override;
}

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/CorVane Software/Corvane Reelmax");
}

QString baseFolder()
{
    if (!g_override.isEmpty())
        return g_override;
    const QString program = QCoreApplication::applicationDirPath();
    if (!program.isEmpty() && QFileInfo(program).isWritable() && !DataPaths::isInstalled())
        return program;
    const QString user = userDataFolder();
    QDir().mkpath(user);
    return user;
}

void setBaseFolderOverride(const QString &folder)
{
    g_override = folder;
}

QString dvdXmlPath(const QString &base)
{
    return base + QStringLiteral("/dvd.xml");
}

QString workFolder(const QString &base)
{
    return base + QStringLiteral("/dvd");
}

QString videoFormatOf(const QString &mpegPath)
{
    const DvdSourceInfo info = DvdSource::inspect(mpegPath);
    if (!info.readable)
        return {};
    return DvdSource::videoFormat(info.frameRate, info.height);
}

bool isSafeSourcePath(const QString &mpegPath)
{
    const QString name = mpegPath.trimmed();
    if (name.isEmpty() || name == QLatin1String("-") || name.endsWith(QLatin1Char('|')))
        return false;
    // "&3" would be read as an open file descriptor.
    return !(name.size() > 1 && name.at(0) == QLatin1Char('&') && name.at(1).isDigit());
}

QString dvdXmlText(const QString &mpegPath, const QString &format)
{
    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement *root = doc.NewElement("dvdauthor");
    if (!format.isEmpty())
        root->SetAttribute("format", format.toUtf8().constData());
    doc.InsertEndChild(root);
    root->InsertEndChild(doc.NewElement("vmgm"));
    tinyxml2::XMLElement *titleset = doc.NewElement("titleset");
    root->InsertEndChild(titleset);
    tinyxml2::XMLElement *titles = doc.NewElement("titles");
    titleset->InsertEndChild(titles);
    tinyxml2::XMLElement *pgc = doc.NewElement("pgc");
    titles->InsertEndChild(pgc);
    tinyxml2::XMLElement *vob = doc.NewElement("vob");
    vob->SetAttribute("file", mpegPath.toLocal8Bit().constData());
    pgc->InsertEndChild(vob);
    tinyxml2::XMLPrinter printer;
    doc.Print(&printer);
    return QString::fromLocal8Bit(printer.CStr());
}

bool writeDvdXml(const QString &xmlPath, const QString &mpegPath, const QString &format, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QFile::remove(xmlPath);
    if (!isSafeSourcePath(mpegPath))
        return fail(
            QStringLiteral("\"%1\" cannot be put on a disc: the authoring tool would not read it as a "
                           "file name.")
                .arg(mpegPath));
    QFile file(xmlPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(QStringLiteral("%1 cannot be written: %2").arg(xmlPath, file.errorString()));
    const QByteArray text = dvdXmlText(mpegPath, format).toLocal8Bit();
    if (file.write(text) != text.size() || !file.flush())
        return fail(QStringLiteral("%1 cannot be written: %2").arg(xmlPath, file.errorString()));
    return true;
}

bool emptyFolder(const QString &folder, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (folder.isEmpty())
        return fail(QStringLiteral("no working folder"));
    QDir dir(folder);
    if (!dir.exists() && !QDir().mkpath(folder))
        return fail(QStringLiteral("%1 cannot be created").arg(folder));
    bool ok = true;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir() && !entry.isSymLink())
            ok = QDir(entry.absoluteFilePath()).removeRecursively() && ok;
        else
            ok = QFile::remove(entry.absoluteFilePath()) && ok;
    }
    if (!ok)
        return fail(QStringLiteral("%1 cannot be emptied").arg(folder));
    return true;
}

} // namespace DvdAuthoring
