#pragma once

#include <QString>

// The authoring input of a disc: where dvd.xml and the working folder live,
// the dvd.xml that names one MPEG file as the single title of the disc, and
// the emptying of the working folder.
namespace DvdAuthoring {

// The folder that holds "dvd.xml" and the working folder "dvd": the
// program's folder when it is writable, otherwise the user's data folder for
// the program (created when missing).
QString baseFolder();
// Replaces the folder baseFolder() answers (tests); empty restores it.
void setBaseFolderOverride(const QString &folder);
// The user's data folder for the program.
QString userDataFolder();

QString dvdXmlPath(const QString &base);
QString workFolder(const QString &base);

// "pal" or "ntsc" for the file, read from its frame rate (then its height);
// empty when the file cannot be read or tells neither.
QString videoFormatOf(const QString &mpegPath);

// dvdauthor runs a file name that ends with '|' as a shell command, reads
// "-" as its standard input and "&N" as an open descriptor; such names are
// never written into dvd.xml.
bool isSafeSourcePath(const QString &mpegPath);

// The dvd.xml text: <dvdauthor> (with format="pal"/"ntsc" when format is
// not empty) holding an empty <vmgm/> and <titleset><titles><pgc><vob
// file=mpegPath/></pgc></titles></titleset>; no declaration line.
QString dvdXmlText(const QString &mpegPath, const QString &format);

// Replaces xmlPath with the dvd.xml for mpegPath.  False, with the reason in
// error, when the name is unsafe or the file cannot be saved.
bool writeDvdXml(const QString &xmlPath, const QString &mpegPath, const QString &format, QString *error);

// Deletes everything inside folder (hidden entries too; links are removed,
// never followed) and creates the folder when missing; the folder stays.
bool emptyFolder(const QString &folder, QString *error);

} // namespace DvdAuthoring
