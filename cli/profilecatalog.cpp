#include "cli/profilecatalog.h"

#include "core/profiles/upcdefaults.h"
#include "core/profiles/videoprofileinfomanager.h"

#include <QHash>

namespace ProfileCatalog {

QList<CliProfile> all()
{
    QList<CliProfile> profiles;
    QHash<QString, QString> categoryTitles;
    for (const UpcDefaults::CategoryDef &category : UpcDefaults::categories())
        categoryTitles.insert(category.id, category.title);
    CVideoProfileInfoManager *db = CVideoProfileInfoManager::getInstance();
    for (const QString &id : db->formatIds()) {
        const CVideoFormatInfo *info = db->getFormatInfo(id);
        if (!info)
            continue;
        CliProfile p;
        p.id = id;
        p.category = categoryTitles.value(info->attribute("categoryid"));
        p.name = info->getName();
        p.format = info->getFormat();
        p.job = ConvertJob::jobProfile(*info);
        profiles << p;
    }
    return profiles;
}

std::optional<CliProfile> find(const QString &idOrName)
{
    const QList<CliProfile> profiles = all();
    for (const CliProfile &p : profiles) {
        if (p.id == idOrName)
            return p;
    }
    for (const CliProfile &p : profiles) {
        if (p.name.compare(idOrName, Qt::CaseInsensitive) == 0)
            return p;
    }
    return std::nullopt;
}

} // namespace ProfileCatalog
