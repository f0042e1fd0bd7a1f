#pragma once

#include <QString>

// A private folder for the work files of one job (a merge's parts, the
// subtitle renderer's files), named "reelmax-work-XXXXXX" inside a parent
// folder and removed with everything in it when the object goes.  While it
// exists the folder holds a locked ".lock" file, so that a later start of
// the program can tell the folder of a killed run (lock free) from one in
// use (see StaleFiles).
class WorkFolder {
public:
    static constexpr const char *kPrefix = "reelmax-work-";
    static constexpr const char *kLockName = ".lock";

    explicit WorkFolder(const QString &parent);
    ~WorkFolder();
    WorkFolder(const WorkFolder &) = delete;
    WorkFolder &operator=(const WorkFolder &) = delete;

    bool isValid() const { return !m_path.isEmpty(); }
    QString path() const { return m_path; }
    // Why the folder could not be made.
    QString errorString() const { return m_error; }

private:
    QString m_path;
    QString m_error;
    int m_lockFd = -1;
};
