#pragma once

#include <QWebEngineUrlRequestInterceptor>

class CSnifferManger;

// Reports the requests of the download dialog's page to the capture
// library: what its media elements ask for, and every other request, which
// the library sorts into media and the rest.
class MediaRequestInterceptor : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    explicit MediaRequestInterceptor(CSnifferManger *sniffer, QObject *parent = nullptr);

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    CSnifferManger *m_sniffer;
};
