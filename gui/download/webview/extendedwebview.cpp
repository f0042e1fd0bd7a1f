#include "gui/download/webview/extendedwebview.h"

#include "gui/download/webview/mediarequestinterceptor.h"

#include <QDesktopServices>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>

ExtendedWebView::ExtendedWebView(QWebEngineProfile *profile, QWidget *parent) : QWebEngineView(parent)
{
    auto *page = new QWebEnginePage(profile, this);
    setPage(page);
    connect(page, &QWebEnginePage::newWindowRequested, this, &ExtendedWebView::onNewWindowRequested);
    m_interceptor = new MediaRequestInterceptor(
        [this](const QUrl &url, bool isMedia) {
            if (whenRequested)
                whenRequested(url, isMedia);
        },
        this);
    page->setUrlRequestInterceptor(m_interceptor);
    connect(this, &QWebEngineView::titleChanged, this, [this](const QString &title) {
        if (whenTitleChanged)
            whenTitleChanged(title);
    });
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (whenLoadFinished)
            whenLoadFinished(ok);
    });
}

void ExtendedWebView::setPageBackground(const QColor &color)
{
    page()->setBackgroundColor(color);
}

bool ExtendedWebView::isOffTheRecord() const
{
    return page()->profile()->isOffTheRecord();
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
