#include "core/jobs/videomergewrapper.h"

VideoMergeWrapper::VideoMergeWrapper(QObject *parent) : QThread(parent) {}

VideoMergeWrapper::~VideoMergeWrapper()
{
    stopAndWait();
}

void VideoMergeWrapper::setOutputPath(const QString &path)
{
    m_outputPath = path;
}

QString VideoMergeWrapper::outputPath() const
{
    return m_outputPath;
}

void VideoMergeWrapper::stopAndWait()
{
    if (isRunning()) {
        stop();
        wait();
    }
}

void VideoMergeWrapper::run()
{
    m_runResult = CFfmpegMerge::run(m_outputPath.toLocal8Bit().constData());
}
