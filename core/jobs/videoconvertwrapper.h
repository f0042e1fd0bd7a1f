#pragma once

#include "engine/transcode/ffmpegtranscode.h"

#include <QString>
#include <QThread>

// The conversion thread; it is itself the job's transcoder.  The GUI thread
// sets record, input and filters, then start()s it; progress and stop are
// asked of the same object from the GUI thread while it runs.
class VideoConvertWrapper : public QThread, public CFFmpegTranscode {
    Q_OBJECT
public:
    explicit VideoConvertWrapper(QObject *parent = nullptr);
    ~VideoConvertWrapper() override;

    void setOutputPath(const QString &path);
    QString outputPath() const;

    // Asks the transcoder to stop and waits for the thread.
    void stopAndWait();

protected:
    void run() override;

private:
    QString m_outputPath;
};
