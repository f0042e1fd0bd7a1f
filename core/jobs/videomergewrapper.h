#pragma once

#include "core/jobs/ffmpegmerge.h"

#include <QString>
#include <QThread>

// The merge thread; it is itself the merge engine.
class VideoMergeWrapper : public QThread, public CFfmpegMerge {
    Q_OBJECT
public:
    explicit VideoMergeWrapper(QObject *parent = nullptr);
    ~VideoMergeWrapper() override;

    void setOutputPath(const QString &path);
    QString outputPath() const;
    // What the last run returned: 0 when there were fewer than two files.
    int runResult() const { return m_runResult; }

    // Asks the merge to stop and waits for the thread.
    void stopAndWait();

protected:
    void run() override;

private:
    QString m_outputPath;
    std::atomic<int> m_runResult{0};
};
