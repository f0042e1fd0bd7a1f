#include "gui/download/webview/mediarequestinterceptor.h"

MediaRequestInterceptor::MediaRequestInterceptor(Report report, QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent), m_report(std::move(report))
{
}

void MediaRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
        return; // the page itself, which the library fetches on its own
    m_report(info.requestUrl(), info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMedia);
}
