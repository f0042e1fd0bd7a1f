#include "core/jobs/videoconvertwrapper.h"

VideoConvertWrapper::VideoConvertWrapper(QObject *parent) : QThread(parent) {}

VideoConvertWrapper::~VideoConvertWrapper()
{
    stopAndWait();
}

void VideoConvertWrapper::setOutputPath(const QString &path)
{
    m_outputPath = path;
}

QString VideoConvertWrapper::outputPath() const
{
    return m_outputPath;
}

void VideoConvertWrapper::stopAndWait()
{
    if (isRunning()) {
        StopTranscode();
        wait();
    }
}

void VideoConvertWrapper::run()
{
    Transcode(m_outputPath.toLocal8Bit().constData());
}
