#include "core/profiles/videoprofileuserconfig.h"

#include "core/platform/corelog.h"
#include "core/platform/datapaths.h"
#include "core/profiles/upcdefaults.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <tinyxml2.h>

#include <cstring>

namespace {

VideoProfileUserConfig *s_instance = nullptr;
QString s_shippedOverride;

const char *const kGroups[] = {"UserProfiles", "DVDProfiles", "FormatsProfiles", "DeviceProfiles"};
constexpr int kRecentLimit = 10;

// Category titles as they appear in the shipped upc.xml, for the translators.
[[maybe_unused]] const char *const kTitles[] = {
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Recent"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Favourites"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "DVD"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Common Video"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Common Audio"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "HD Video"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "3D Video"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Online Video"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Apple"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "HTC"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Motorola"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Nokia"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "LG"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "BlackBerry"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Samsung"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Sony Ericsson"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Game Hardware"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Mobile Phones"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Microsoft Zune"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Creative ZEN"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Archos"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Sandisk Sansa"),
    QT_TRANSLATE_NOOP("VideoProfileUserConfig", "Media Players"),
};

QString attr(const tinyxml2::XMLElement *e, const char *name)
{
    const char *v = e ? e->Attribute(name) : nullptr;
    return v ? QString::fromUtf8(v) : QString();
}

bool readsFalse(const tinyxml2::XMLElement *format)
{
    const char *skip = format->Attribute("skip");
    return skip && QString::fromUtf8(skip).compare(QLatin1String("false"), Qt::CaseInsensitive) == 0;
}

QString applicationFolder()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

} // namespace

VideoProfileUserConfig *VideoProfileUserConfig::getInstance()
{
    static VideoProfileUserConfig instance(defaultConfigPath());
    return &instance;
}

VideoProfileUserConfig::VideoProfileUserConfig(const QString &path)
    : m_doc(std::make_unique<tinyxml2::XMLDocument>()), m_path(path)
{
    s_instance = this;
    load();
}

VideoProfileUserConfig::~VideoProfileUserConfig()
{
    if (s_instance == this)
        s_instance = nullptr;
}

QString VideoProfileUserConfig::shippedDefaultPath()
{
    if (!s_shippedOverride.isEmpty())
        return s_shippedOverride;
    // In a build tree the file beside the program is the shipped default and
    // the live file at once; REELMAX_UPC_DEFAULT names an untouched default
    // (test runs take the one in the sources).
    const QString named = qEnvironmentVariable("REELMAX_UPC_DEFAULT");
    if (!named.isEmpty())
        return named;
    return DataPaths::dataPath(QStringLiteral("upc.xml"));
}

void VideoProfileUserConfig::setShippedDefaultPath(const QString &path)
{
    s_shippedOverride = path;
}

QString VideoProfileUserConfig::userConfigPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/CorVane Software/Corvane Reelmax/upc.xml");
}

QString VideoProfileUserConfig::defaultConfigPath()
{
    // An explicit location (test runs, portable set-ups) wins.
    const QString explicitPath = qEnvironmentVariable("REELMAX_UPC");
    if (!explicitPath.isEmpty())
        return explicitPath;
    // An installed program never writes beside itself (as root its folder
    // would be writable): each user gets a copy of the shipped default.
    if (DataPaths::isInstalled())
        return userConfigPath();
    const QString besideProgram = applicationFolder() + QStringLiteral("/upc.xml");
    const QFileInfo folder(applicationFolder());
    const QFileInfo file(besideProgram);
    if (folder.isWritable() && (!file.exists() || file.isWritable()))
        return besideProgram;
    return userConfigPath();
}

QString VideoProfileUserConfig::translatedTitle(const QString &title)
{
    return QCoreApplication::translate("VideoProfileUserConfig", title.toUtf8().constData());
}

bool VideoProfileUserConfig::setConfigPath(const QString &path)
{
    m_path = path;
    return load();
}

bool VideoProfileUserConfig::reload()
{
    return load();
}

bool VideoProfileUserConfig::load()
{
    m_doc->Clear();
    qCDebug(lcProfiles, "upc config filename = %s", qPrintable(QDir::toNativeSeparators(m_path)));
    QFile file(m_path);
    const bool exists = file.exists();
    bool loaded = false;
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray data = file.readAll();
        file.close();
        // Well-formed XML is not enough: a document that is not a profile
        // configuration (another root, no profile entries) is as damaged
        // as garbage, and is kept aside the same way.
        loaded = m_doc->Parse(data.constData(), size_t(data.size())) == tinyxml2::XML_SUCCESS &&
                 holdsCatalogue(*m_doc);
    }
    qCDebug(lcProfiles, "upc loaded = [%s]", loaded ? "true" : "false");
    if (!loaded) {
        if (exists)
            backupDamaged();
        if (!loadDefaultInto(*m_doc))
            qCWarning(lcProfiles, "upc: no default profile configuration could be built");
    }
    return saveConfig() && loaded;
}

bool VideoProfileUserConfig::holdsCatalogue(const tinyxml2::XMLDocument &doc)
{
    const tinyxml2::XMLElement *root = doc.RootElement();
    if (!root || std::strcmp(root->Name(), "Config") != 0)
        return false;
    for (const tinyxml2::XMLElement *group = root->FirstChildElement(); group;
         group = group->NextSiblingElement())
        for (const tinyxml2::XMLElement *category = group->FirstChildElement("Category"); category;
             category = category->NextSiblingElement("Category"))
            if (category->FirstChildElement("Format"))
                return true;
    return false;
}

bool VideoProfileUserConfig::loadDefaultInto(tinyxml2::XMLDocument &doc) const
{
    const QString shipped = shippedDefaultPath();
    const QFileInfo shippedInfo(shipped);
    if (shippedInfo.exists() && shippedInfo.absoluteFilePath() != QFileInfo(m_path).absoluteFilePath()) {
        QFile file(shipped);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray data = file.readAll();
            doc.Clear();
            if (doc.Parse(data.constData(), size_t(data.size())) == tinyxml2::XML_SUCCESS &&
                holdsCatalogue(doc)) {
                qCDebug(lcProfiles, "upc seeded from [%s]", qPrintable(shipped));
                return true;
            }
        }
    }
    qCDebug(lcProfiles, "upc built from the profile database");
    return UpcDefaults::build(doc);
}

void VideoProfileUserConfig::backupDamaged() const
{
    const QString backup = m_path + QLatin1Char('.') +
                           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")) +
                           QStringLiteral(".bak");
    QFile::remove(backup);
    if (QFile::rename(m_path, backup))
        qCWarning(lcProfiles, "upc: unreadable [%s] kept as [%s]", qPrintable(m_path), qPrintable(backup));
    else
        qCWarning(lcProfiles, "upc: unreadable [%s] could not be kept as a backup", qPrintable(m_path));
}

bool VideoProfileUserConfig::saveConfig()
{
    if (!m_doc->RootElement())
        m_doc->InsertEndChild(m_doc->NewElement("Config"));
    if (m_path.isEmpty())
        return false;
    tinyxml2::XMLPrinter printer;
    m_doc->Print(&printer);
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(printer.CStr(), printer.CStrSize() - 1) < 0 ||
        !file.commit()) {
        qCWarning(lcProfiles, "upc: saving [%s] failed: %s", qPrintable(m_path),
                  qPrintable(file.errorString()));
        return false;
    }
    return true;
}

void VideoProfileUserConfig::saveDocumentOf(const tinyxml2::XMLElement *element)
{
    if (s_instance && element && element->GetDocument() == s_instance->m_doc.get())
        s_instance->saveConfig();
}

tinyxml2::XMLElement *VideoProfileUserConfig::findCategoryIn(const char *group, const QString &title,
                                                             bool translated) const
{
    const tinyxml2::XMLElement *root = m_doc->RootElement();
    tinyxml2::XMLElement *g =
        root ? const_cast<tinyxml2::XMLElement *>(root)->FirstChildElement(group) : nullptr;
    if (!g)
        return nullptr;
    for (tinyxml2::XMLElement *c = g->FirstChildElement("Category"); c;
         c = c->NextSiblingElement("Category")) {
        const QString stored = attr(c, "title");
        if (translated ? translatedTitle(stored) == title : stored == title)
            return c;
    }
    return nullptr;
}

tinyxml2::XMLElement *VideoProfileUserConfig::findCategory(const QString &title) const
{
    // The stored title is the key; a translated title (as the lists hand
    // them out) finds its category when no stored title matches.
    for (bool translated : {false, true}) {
        for (const char *group : kGroups) {
            if (tinyxml2::XMLElement *c = findCategoryIn(group, title, translated))
                return c;
        }
    }
    return nullptr;
}

QList<VideoProfileCategory> VideoProfileUserConfig::getCategories(const QString &group, bool includeAll)
{
    QList<VideoProfileCategory> result;
    const tinyxml2::XMLElement *root = m_doc->RootElement();
    const tinyxml2::XMLElement *g = root ? root->FirstChildElement(group.toUtf8().constData()) : nullptr;
    if (!g)
        return result;
    for (const tinyxml2::XMLElement *c = g->FirstChildElement("Category"); c;
         c = c->NextSiblingElement("Category")) {
        bool listed = includeAll;
        if (!listed) {
            const tinyxml2::XMLElement *f = c->FirstChildElement("Format");
            listed = !f;
            for (; f && !listed; f = f->NextSiblingElement("Format"))
                listed = readsFalse(f);
        }
        if (listed) {
            const QString stored = attr(c, "title");
            result.append({translatedTitle(stored), attr(c, "icon"), stored});
        }
    }
    return result;
}

QList<VideoProfileCategory> VideoProfileUserConfig::getUserCategories()
{
    return getCategories(QStringLiteral("UserProfiles"), true);
}

QList<VideoProfileCategory> VideoProfileUserConfig::getDVDCategories()
{
    return getCategories(QStringLiteral("DVDProfiles"), false);
}

QList<VideoProfileCategory> VideoProfileUserConfig::getFormatsCategories()
{
    return getCategories(QStringLiteral("FormatsProfiles"), false);
}

QList<VideoProfileCategory> VideoProfileUserConfig::getDeviceCategories()
{
    return getCategories(QStringLiteral("DeviceProfiles"), false);
}

QList<VideoProfileFormatUserConfig> VideoProfileUserConfig::getFormats(const QString &title,
                                                                       bool includeSkipped)
{
    QList<VideoProfileFormatUserConfig> result;
    tinyxml2::XMLElement *cat = findCategory(title);
    if (!cat)
        return result;
    for (tinyxml2::XMLElement *f = cat->FirstChildElement("Format"); f; f = f->NextSiblingElement("Format")) {
        VideoProfileFormatUserConfig profile(f);
        if (profile.isValid() && (includeSkipped || !profile.isSkip()))
            result.append(profile);
        else
            qCDebug(lcProfiles, "Format is not Valid! id = [%s]", qPrintable(attr(f, "id")));
    }
    return result;
}

VideoProfileCategory VideoProfileUserConfig::getCategoryInfo(const QString &title)
{
    const tinyxml2::XMLElement *cat = findCategory(title);
    if (!cat)
        return {};
    const QString stored = attr(cat, "title");
    return {translatedTitle(stored), attr(cat, "icon"), stored};
}

bool VideoProfileUserConfig::isCategoryHidden(const QString &title)
{
    const QList<VideoProfileCategory> lists[] = {getUserCategories(), getDVDCategories(),
                                                 getFormatsCategories(), getDeviceCategories()};
    for (const auto &list : lists) {
        for (const VideoProfileCategory &c : list) {
            if (c.key == title || c.title == title)
                return false;
        }
    }
    return true;
}

void VideoProfileUserConfig::addRecent(const QString &idArg)
{
    const QString id = idArg; // may be the attribute of an entry moved below
    tinyxml2::XMLElement *recent = findCategoryIn("UserProfiles", QStringLiteral("Recent"), false);
    if (!recent)
        return;
    const QByteArray idUtf8 = id.toUtf8();
    tinyxml2::XMLElement *first = recent->FirstChildElement("Format");
    tinyxml2::XMLElement *entry = nullptr;
    for (tinyxml2::XMLElement *f = first; f; f = f->NextSiblingElement("Format")) {
        if (attr(f, "id") == id) {
            entry = f;
            break;
        }
    }
    if (!entry) {
        entry = m_doc->NewElement("Format");
        entry->SetAttribute("id", idUtf8.constData());
    }
    // An existing entry is moved rather than re-created, so that a handle on
    // it (the current profile chosen from "Recent") stays usable.
    if (entry != first) {
        if (!first)
            recent->InsertEndChild(entry);
        else if (tinyxml2::XMLNode *before = first->PreviousSibling())
            recent->InsertAfterChild(before, entry);
        else
            recent->InsertFirstChild(entry);
    }
    int count = 0;
    for (tinyxml2::XMLElement *f = recent->FirstChildElement("Format"); f;
         f = f->NextSiblingElement("Format"))
        ++count;
    for (; count > kRecentLimit; --count)
        recent->DeleteChild(recent->LastChildElement("Format"));
    saveConfig();
}

VideoProfileFormatUserConfig VideoProfileUserConfig::getLastProfile()
{
    tinyxml2::XMLElement *recent = findCategoryIn("UserProfiles", QStringLiteral("Recent"), false);
    if (tinyxml2::XMLElement *f = recent ? recent->FirstChildElement("Format") : nullptr) {
        VideoProfileFormatUserConfig profile(f);
        if (profile.isValid())
            return profile;
        qCDebug(lcProfiles, "Format is not Valid! id = [%s]", qPrintable(attr(f, "id")));
    }
    return getDefaultProfile();
}

bool VideoProfileUserConfig::isFavourite(const QString &id)
{
    tinyxml2::XMLElement *favourites = findCategoryIn("UserProfiles", QStringLiteral("Favourites"), false);
    for (tinyxml2::XMLElement *f = favourites ? favourites->FirstChildElement("Format") : nullptr; f;
         f = f->NextSiblingElement("Format")) {
        if (attr(f, "id") == id)
            return true;
    }
    return false;
}

bool VideoProfileUserConfig::addFavourite(const VideoProfileFormatUserConfig &profile)
{
    tinyxml2::XMLElement *favourites = findCategoryIn("UserProfiles", QStringLiteral("Favourites"), false);
    const tinyxml2::XMLElement *source = profile.getElement();
    if (!favourites || !source || !profile.isValid() || isFavourite(profile.getID()))
        return false;
    tinyxml2::XMLElement *entry = m_doc->NewElement("Format");
    for (const tinyxml2::XMLAttribute *a = source->FirstAttribute(); a; a = a->Next()) {
        if (qstrcmp(a->Name(), "skip") != 0)
            entry->SetAttribute(a->Name(), a->Value());
    }
    favourites->InsertEndChild(entry);
    return saveConfig();
}

bool VideoProfileUserConfig::removeFavourite(const VideoProfileFormatUserConfig &profile)
{
    tinyxml2::XMLElement *favourites = findCategoryIn("UserProfiles", QStringLiteral("Favourites"), false);
    tinyxml2::XMLElement *entry = profile.getElement();
    if (!favourites || !entry || entry->Parent() != favourites)
        return false;
    favourites->DeleteChild(entry);
    return saveConfig();
}

VideoProfileFormatUserConfig VideoProfileUserConfig::catalogueEntry(const QString &id)
{
    const QList<VideoProfileCategory> groups[] = {getCategories(QStringLiteral("DVDProfiles"), true),
                                                  getCategories(QStringLiteral("FormatsProfiles"), true),
                                                  getCategories(QStringLiteral("DeviceProfiles"), true)};
    for (const auto &categories : groups) {
        for (const VideoProfileCategory &category : categories) {
            for (const VideoProfileFormatUserConfig &profile : getFormats(category.key, true)) {
                if (profile.getID() == id)
                    return profile;
            }
        }
    }
    return {};
}

VideoProfileFormatUserConfig VideoProfileUserConfig::firstOf(const QList<VideoProfileCategory> &categories)
{
    if (categories.isEmpty())
        return {};
    const QList<VideoProfileFormatUserConfig> formats = getFormats(categories.first().key, true);
    return formats.isEmpty() ? VideoProfileFormatUserConfig() : formats.first();
}

VideoProfileFormatUserConfig VideoProfileUserConfig::getDefaultProfile()
{
    VideoProfileFormatUserConfig profile = firstOf(getDVDCategories());
    if (!profile.isValid())
        profile = firstOf(getFormatsCategories());
    if (!profile.isValid())
        profile = firstOf(getDeviceCategories());
    return profile;
}
