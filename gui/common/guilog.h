#pragma once

#include <QLoggingCategory>

// Diagnostic output of the windows and dialogs.  Debug lines are off unless
// enabled, e.g. QT_LOGGING_RULES="reelmax.gui.debug=true"; warnings are on.
Q_DECLARE_LOGGING_CATEGORY(lcGui)         // "reelmax.gui": main window, lists, conversion panel
Q_DECLARE_LOGGING_CATEGORY(lcGuiPlayer)   // "reelmax.player": the player panel
Q_DECLARE_LOGGING_CATEGORY(lcEditor)      // "reelmax.editor": editor and trim dialogs
Q_DECLARE_LOGGING_CATEGORY(lcGuiProfiles) // "reelmax.profiles": profile menu and dialogs
Q_DECLARE_LOGGING_CATEGORY(lcGuiDisc)     // "reelmax.disc": burning dialogs
