#include "testhttpserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

TestHttpServer::~TestHttpServer()
{
    stop();
}

bool TestHttpServer::start(const QString &root, const QString &certFile, const QString &keyFile)
{
    QStringList args = {QStringLiteral(REELMAX_SOURCE_DIR "/tests/common/mediaserver.py"), root};
    if (!certFile.isEmpty())
        args << "--cert" << certFile << "--key" << keyFile;
    m_tls = !certFile.isEmpty();
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral("python3"), args);
    if (!m_process.waitForStarted(10000))
        return false;
    QElapsedTimer t;
    t.start();
    QByteArray line;
    while (t.elapsed() < 20000 && !line.endsWith('\n')) {
        if (m_process.waitForReadyRead(500))
            line += m_process.readLine();
        if (m_process.state() != QProcess::Running)
            return false;
    }
    if (!line.startsWith("PORT "))
        return false;
    m_port = line.mid(5).trimmed().toInt();
    return m_port > 0;
}

void TestHttpServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel(); // the server ends when its input closes
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

QString TestHttpServer::url(const QString &path) const
{
    return QStringLiteral("%1://127.0.0.1:%2/%3").arg(m_tls ? "https" : "http").arg(m_port).arg(path);
}

bool TestHttpServer::makeCertificate(const QString &dir, QString *certFile, QString *keyFile)
{
    *certFile = QDir(dir).filePath("cert.pem");
    *keyFile = QDir(dir).filePath("key.pem");
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                              "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost",
                              "-keyout", *keyFile, "-out", *certFile});
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0) {
        qWarning() << "openssl:" << openssl.readAll();
        return false;
    }
    return QFile::exists(*certFile) && QFile::exists(*keyFile);
}
