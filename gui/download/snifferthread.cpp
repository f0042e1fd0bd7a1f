#include "gui/download/snifferthread.h"

SnifferThread::SnifferThread(QObject *parent) : QThread(parent) {}

SnifferThread::~SnifferThread()
{
    m_sniffer.StopListen();
    wait();
}

void SnifferThread::run()
{
    // The full address: the library needs its scheme as much as the view does.
    QString path;
    m_result = m_sniffer.listenCapture(m_address, m_folder, &path);
    m_error = m_sniffer.lastError();
    m_capturedPath = path;
}
