#pragma once

#include "core/media/videobasicinfo.h"
#include "core/media/videoloadstep.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QLabel;
class QProgressBar;

// Probes the files being added while showing which one is loading, and
// reports each file that cannot be used.  It is the registry's loading step
// in the program; the window repaints between files so progress is visible.
class LoadVideoFilesProgressDialog : public QDialog, public VideoLoadStep {
    Q_OBJECT
public:
    explicit LoadVideoFilesProgressDialog(QWidget *parent = nullptr);
    ~LoadVideoFilesProgressDialog() override;

    // The registry's entry point: loads videos and hands over the results.
    int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) override;

    // The records of the last load, owned here until taken.
    const VideoInfoList &results() const { return m_results; }
    VideoInfoList takeResults();

    QLabel *lbLoading() const { return m_lbLoading; }
    QProgressBar *progressBar() const { return m_progressBar; }

    using QDialog::exec;

public slots:
    int exec(QStringList filenames);
    int exec(QList<VideoBasicInfo> &list);

protected:
    void reportInvalid(const QString &path, const QString &reason) override;
    // Shows one error box; tests replace it.
    virtual void showError(const QString &title, const QString &text);

private:
    QLabel *m_lbLoading;
    QProgressBar *m_progressBar;
    VideoInfoList m_results;
    bool m_running = false;
};
