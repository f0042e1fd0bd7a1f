// The web view module's entry point.  The program loads this module with
// the first download dialog; the web engine's libraries come with it.

#include "gui/download/capturewebview.h"
#include "gui/download/webview/downloadwebprofile.h"
#include "gui/download/webview/extendedwebview.h"

#include <QCoreApplication>
#include <QOpenGLContext>

// Qt's own modules share their graphics contexts through these.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);
Q_GUI_EXPORT QOpenGLContext *qt_gl_global_share_context();

namespace {

// The web engine renders with a graphics context that all its views share.
// It is normally made when the application starts; loaded later, the
// module makes it before the first view (nothing else in the program draws
// with one).  Where no context can be made the engine draws in software.
void ensureShareContext()
{
    if (qt_gl_global_share_context())
        return;
    auto *context = new QOpenGLContext(QCoreApplication::instance());
    context->setFormat(QSurfaceFormat::defaultFormat());
    if (context->create())
        qt_gl_set_global_share_context(context);
    else
        delete context;
}

} // namespace

extern "C" Q_DECL_EXPORT CaptureWebView *reelmaxCreateWebView(QWidget *parent)
{
    ensureShareContext();
    return new ExtendedWebView(DownloadWebProfile::profile(), parent);
}
