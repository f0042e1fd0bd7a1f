#include "cli/profilecatalog.h"

#include "core/profiles/videoprofileinfomanager.h"

namespace ProfileCatalog {

QList<CliProfile> all()
{
    QList<CliProfile> profiles;
    CVideoProfileInfoManager *db = CVideoProfileInfoManager::getInstance();
    for (const QString &id : db->formatIds()) {
        const CVideoFormatInfo *info = db->getFormatInfo(id);
        if (!info)
            continue;
        CliProfile p;
        p.id = id;
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
