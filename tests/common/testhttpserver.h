#pragma once

#include <QProcess>
#include <QString>

// The capture tests' web server (mediaserver.py beside this file) serving
// a folder on 127.0.0.1, over HTTPS when given a certificate.  Stopped
// with this object.
class TestHttpServer {
public:
    TestHttpServer() = default;
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer &) = delete;
    TestHttpServer &operator=(const TestHttpServer &) = delete;

    bool start(const QString &root, const QString &certFile = QString(), const QString &keyFile = QString());
    void stop();
    int port() const { return m_port; }
    // "http://127.0.0.1:<port>/" + path (https with a certificate).
    QString url(const QString &path) const;

    // A self-signed certificate for 127.0.0.1 and localhost, made with the
    // openssl tool into dir; false when it cannot be made.
    static bool makeCertificate(const QString &dir, QString *certFile, QString *keyFile);

private:
    QProcess m_process;
    int m_port = 0;
    bool m_tls = false;
};
