#include "gui/download/webview/downloadwebprofile.h"

#include <QCoreApplication>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace {
QWebEngineProfile *g_profile = nullptr;
}

QWebEngineProfile *DownloadWebProfile::profile()
{
    if (!g_profile) {
        // Off the record: pages visited for a capture leave no cookies or
        // cache behind.  Owned by the application, deleted when it ends.
        g_profile = new QWebEngineProfile(QCoreApplication::instance());
        g_profile->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);
        QObject::connect(g_profile, &QObject::destroyed, [] { g_profile = nullptr; });
    }
    return g_profile;
}

bool DownloadWebProfile::isCreated()
{
    return g_profile != nullptr;
}
