#pragma once

#include <QLoggingCategory>

// Diagnostic output of the stores, the registry and the jobs.  Debug lines
// are off unless enabled, e.g. QT_LOGGING_RULES="reelmax.jobs.debug=true";
// warnings are on.
Q_DECLARE_LOGGING_CATEGORY(lcJobs)     // "reelmax.jobs": conversions and merges
Q_DECLARE_LOGGING_CATEGORY(lcMedia)    // "reelmax.media": the media list's records
Q_DECLARE_LOGGING_CATEGORY(lcProfiles) // "reelmax.profiles": profile database and upc.xml
Q_DECLARE_LOGGING_CATEGORY(lcConfig)   // "reelmax.config": settings
Q_DECLARE_LOGGING_CATEGORY(lcEdit)     // "reelmax.edit": crop selection
Q_DECLARE_LOGGING_CATEGORY(lcBurn)     // "reelmax.disc": disc burning jobs
