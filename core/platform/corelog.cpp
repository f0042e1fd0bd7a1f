#include "core/platform/corelog.h"

Q_LOGGING_CATEGORY(lcJobs, "reelmax.jobs", QtWarningMsg)
Q_LOGGING_CATEGORY(lcMedia, "reelmax.media", QtWarningMsg)
Q_LOGGING_CATEGORY(lcProfiles, "reelmax.profiles", QtWarningMsg)
Q_LOGGING_CATEGORY(lcConfig, "reelmax.config", QtWarningMsg)
Q_LOGGING_CATEGORY(lcEdit, "reelmax.edit", QtWarningMsg)
Q_LOGGING_CATEGORY(lcBurn, "reelmax.disc", QtWarningMsg)
