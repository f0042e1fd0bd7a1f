#include "core/profiles/videoprofileinfomanager.h"

#include "core/platform/corelog.h"

#include <QDebug>
#include <QFile>

#include <tinyxml2.h>

CVideoProfileInfoManager *CVideoProfileInfoManager::getInstance()
{
    // Lives until the process ends; the records point into its document.
    static CVideoProfileInfoManager *instance = [] {
        auto *manager = new CVideoProfileInfoManager;
        manager->loadProfiles();
        return manager;
    }();
    return instance;
}

CVideoProfileInfoManager::CVideoProfileInfoManager() : m_doc(std::make_unique<tinyxml2::XMLDocument>()) {}

CVideoProfileInfoManager::~CVideoProfileInfoManager() = default;

void CVideoProfileInfoManager::loadProfiles()
{
    QFile file(resourcePath());
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcProfiles, "profile database [%s] cannot be opened", qPrintable(resourcePath()));
        return;
    }
    loadFromData(file.readAll());
}

void CVideoProfileInfoManager::loadFromData(const QByteArray &data)
{
    m_index.clear();
    m_order.clear();
    m_records.clear();
    m_doc->Clear();
    if (m_doc->Parse(data.constData(), size_t(data.size())) != tinyxml2::XML_SUCCESS)
        qCWarning(lcProfiles, "profile database does not parse: %s", m_doc->ErrorStr());
    const tinyxml2::XMLElement *root = m_doc->RootElement();
    if (!root)
        return;
    for (const tinyxml2::XMLElement *e = root->FirstChildElement("FormatInfo"); e;
         e = e->NextSiblingElement("FormatInfo")) {
        auto record = std::make_unique<CVideoFormatInfo>(e);
        const QString id = record->getID();
        if (!m_index.contains(id))
            m_order.append(id);
        m_index.insert(id, record.get());
        m_records.push_back(std::move(record));
    }
}

CVideoFormatInfo *CVideoProfileInfoManager::getFormatInfo(const QString &formatID) const
{
    const auto it = m_index.constFind(formatID);
    if (it == m_index.constEnd()) {
        qCDebug(lcProfiles, "getFormatInfo Failed. formatID = [%s]", qPrintable(formatID));
        return nullptr;
    }
    return it.value();
}

QStringList CVideoProfileInfoManager::formatIds() const
{
    return m_order;
}
