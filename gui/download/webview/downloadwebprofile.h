#pragma once

class QWebEngineProfile;

// The web engine profile of the download dialog.  The web engine (and with
// it its helper processes) starts only when the first dialog asks for the
// profile, never at program start; it then lives until the program ends.
class DownloadWebProfile {
public:
    // Creates the profile on the first call (GUI thread only).
    static QWebEngineProfile *profile();
    // Whether profile() has been called in this process.
    static bool isCreated();
};
