#pragma once

#include <QWebEngineUrlRequestInterceptor>

#include <functional>

// Reports the requests of the download dialog's page: what its media
// elements ask for, and every other request, which the capture library
// sorts into media and the rest.
class MediaRequestInterceptor : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    using Report = std::function<void(const QUrl &url, bool isMedia)>;
    explicit MediaRequestInterceptor(Report report, QObject *parent = nullptr);

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    Report m_report;
};
