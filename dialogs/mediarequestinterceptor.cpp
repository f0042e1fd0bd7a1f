#include "dialogs/mediarequestinterceptor.h"

#include "engine/capture/sniffermanger.h"

MediaRequestInterceptor::MediaRequestInterceptor(CSnifferManger *sniffer, QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent), m_sniffer(sniffer)
{
}

void MediaRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
        return; // the page itself, which the library fetches on its own
    m_sniffer->reportRequest(info.requestUrl(),
                             info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMedia);
}
