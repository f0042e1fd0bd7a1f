#include "dialogs/extendedwebview.h"

#include <QDesktopServices>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>

ExtendedWebView::ExtendedWebView(QWebEngineProfile *profile, QWidget *parent) : QWebEngineView(parent)
{
    auto *page = new QWebEnginePage(profile, this);
    setPage(page);
    connect(page, &QWebEnginePage::newWindowRequested, this, &ExtendedWebView::onNewWindowRequested);
}

void ExtendedWebView::onNewWindowRequested(QWebEngineNewWindowRequest &request)
{
    // Left unanswered, so createWindow below is asked next and declines.
    const QUrl url = request.requestedUrl();
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        QDesktopServices::openUrl(url);
}

QWebEngineView *ExtendedWebView::createWindow(QWebEnginePage::WebWindowType)
{
    return nullptr;
}
