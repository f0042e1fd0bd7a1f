#pragma once

#include "core/profiles/videoformatinfo.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace tinyxml2 {
class XMLDocument;
}

// The built-in profile database (":/res/Format.dat"), parsed once on first
// use and read-only from then on.  Answers which record a profile id names.
class CVideoProfileInfoManager {
public:
    static CVideoProfileInfoManager *getInstance();
    virtual ~CVideoProfileInfoManager();
    CVideoProfileInfoManager(const CVideoProfileInfoManager &) = delete;
    CVideoProfileInfoManager &operator=(const CVideoProfileInfoManager &) = delete;

    // The record of the profile id, or null (with a log line) when unknown.
    CVideoFormatInfo *getFormatInfo(const QString &formatID) const;

    // Every id in database order.
    QStringList formatIds() const;
    int count() const { return int(m_order.size()); }

    static QString resourcePath() { return QStringLiteral(":/res/Format.dat"); }

protected:
    CVideoProfileInfoManager();
    virtual void loadProfiles();
    // Parses the database text and indexes its entries (used by loadProfiles).
    void loadFromData(const QByteArray &data);

private:
    std::unique_ptr<tinyxml2::XMLDocument> m_doc;
    std::vector<std::unique_ptr<CVideoFormatInfo>> m_records;
    QHash<QString, CVideoFormatInfo *> m_index;
    QStringList m_order;
};
