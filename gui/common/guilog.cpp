#include "gui/common/guilog.h"

Q_LOGGING_CATEGORY(lcGui, "reelmax.gui", QtWarningMsg)
Q_LOGGING_CATEGORY(lcGuiPlayer, "reelmax.player", QtWarningMsg)
Q_LOGGING_CATEGORY(lcEditor, "reelmax.editor", QtWarningMsg)
Q_LOGGING_CATEGORY(lcGuiProfiles, "reelmax.profiles", QtWarningMsg)
Q_LOGGING_CATEGORY(lcGuiDisc, "reelmax.disc", QtWarningMsg)
