#include "gui/download/capturewebviewloader.h"

#include "core/platform/datapaths.h"
#include "gui/download/capturewebview.h"

#include <QCoreApplication>
#include <QLibrary>

namespace {
QLibrary *g_module = nullptr;
CreateCaptureWebViewFunction *g_create = nullptr;
} // namespace

QString CaptureWebViewLoader::modulePath()
{
    return DataPaths::modulePath(QStringLiteral("reelmax-webview.so"));
}

bool CaptureWebViewLoader::isLoaded()
{
    return g_create != nullptr;
}

CaptureWebView *CaptureWebViewLoader::create(QWidget *parent, QString *error)
{
    if (!g_create) {
        if (!g_module)
            g_module = new QLibrary(modulePath()); // kept for the program's life, never unloaded
        g_create =
            reinterpret_cast<CreateCaptureWebViewFunction *>(g_module->resolve("reelmaxCreateWebView"));
        if (!g_create) {
            if (error)
                *error = QStringLiteral("the web view cannot be loaded: %1").arg(g_module->errorString());
            return nullptr;
        }
    }
    CaptureWebView *view = g_create(parent);
    if (!view && error)
        *error = QStringLiteral("the web engine did not start");
    return view;
}
