#include "core/profiles/upcdefaults.h"

#include "core/profiles/videoprofileinfomanager.h"

#include <QFile>

#include <tinyxml2.h>

namespace UpcDefaults {

QList<CategoryDef> categories()
{
    QList<CategoryDef> result;
    QFile file(QStringLiteral(":/res/Profile.dat"));
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray data = file.readAll();
    tinyxml2::XMLDocument doc;
    if (doc.Parse(data.constData(), size_t(data.size())) != tinyxml2::XML_SUCCESS || !doc.RootElement())
        return result;
    auto attr = [](const tinyxml2::XMLElement *e, const char *name) {
        const char *v = e->Attribute(name);
        return v ? QString::fromUtf8(v) : QString();
    };
    for (const tinyxml2::XMLElement *e = doc.RootElement()->FirstChildElement("category"); e;
         e = e->NextSiblingElement("category"))
        result.append({attr(e, "id"), attr(e, "title"), attr(e, "icon"), attr(e, "class"), attr(e, "type")});
    return result;
}

QString groupForClass(const QString &cls)
{
    if (cls == QLatin1String("Custom"))
        return QStringLiteral("UserProfiles");
    if (cls == QLatin1String("DVD"))
        return QStringLiteral("DVDProfiles");
    if (cls == QLatin1String("Format"))
        return QStringLiteral("FormatsProfiles");
    if (cls == QLatin1String("Device"))
        return QStringLiteral("DeviceProfiles");
    return QString();
}

static tinyxml2::XMLElement *addCategory(tinyxml2::XMLElement *group, const QString &title,
                                         const QString &icon)
{
    tinyxml2::XMLElement *cat = group->InsertNewChildElement("Category");
    cat->SetAttribute("title", title.toUtf8().constData());
    cat->SetAttribute("icon", icon.toUtf8().constData());
    return cat;
}

bool build(tinyxml2::XMLDocument &doc)
{
    doc.Clear();
    doc.InsertEndChild(doc.NewDeclaration());
    tinyxml2::XMLElement *root = doc.NewElement("Config");
    doc.InsertEndChild(root);
    tinyxml2::XMLElement *user = root->InsertNewChildElement("UserProfiles");
    tinyxml2::XMLElement *groups[] = {root->InsertNewChildElement("DVDProfiles"),
                                      root->InsertNewChildElement("FormatsProfiles"),
                                      root->InsertNewChildElement("DeviceProfiles")};
    addCategory(user, QStringLiteral("Recent"), QStringLiteral("MenuRecent"));
    addCategory(user, QStringLiteral("Favourites"), QStringLiteral("MenuUserDefined"));

    const CVideoProfileInfoManager *db = CVideoProfileInfoManager::getInstance();
    const QStringList ids = db->formatIds();
    int profiles = 0;
    for (const CategoryDef &c : categories()) {
        const QString group = groupForClass(c.cls);
        tinyxml2::XMLElement *parent = nullptr;
        for (tinyxml2::XMLElement *g : groups)
            if (group == QLatin1String(g->Name()))
                parent = g;
        if (!parent)
            continue;
        tinyxml2::XMLElement *cat = nullptr;
        for (const QString &id : ids) {
            const CVideoFormatInfo *info = db->getFormatInfo(id);
            if (info->attribute("categoryid") != c.id)
                continue;
            if (!cat)
                cat = addCategory(parent, c.title, c.icon);
            tinyxml2::XMLElement *f = cat->InsertNewChildElement("Format");
            f->SetAttribute("id", id.toUtf8().constData());
            f->SetAttribute("skip", "false");
            ++profiles;
        }
    }
    return profiles > 0;
}

} // namespace UpcDefaults
