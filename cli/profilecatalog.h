#pragma once

#include "core/jobs/convertjob.h"

#include <QList>
#include <QString>

#include <optional>

// The built-in profiles as the command-line tool sees them: read-only, with
// the database defaults (the user's adjustments in the GUI are not touched).
struct CliProfile {
    QString id;
    QString category; // the title of the profile's category ("Common Video", ...)
    QString name;
    QString format;
    JobProfile job;
};

namespace ProfileCatalog {
QList<CliProfile> all();
// By id, or else by name ignoring case.
std::optional<CliProfile> find(const QString &idOrName);
} // namespace ProfileCatalog
