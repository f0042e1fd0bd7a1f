#pragma once

#include "engine/disc/dvdburner.h"
#include "engine/disc/dvdcreator.h"

#include <QString>

#include <atomic>

// One disc burn from a converted DVD file: dvd.xml is written when the job
// is prepared; run() empties the working folder, authors the DVD structure
// into it and burns it to the drive (or writes the image file), then empties
// the working folder again.  run() blocks and belongs to one worker thread;
// the progress getters, the result, the finished flag and cancel() may be
// used from any thread meanwhile.
class DvdBurnJob {
public:
    DvdBurnJob() = default;
    DvdBurnJob(const DvdBurnJob &) = delete;
    DvdBurnJob &operator=(const DvdBurnJob &) = delete;

    // Prepares a run (before run() starts): takes the file's size, writes
    // dvd.xml in base (a missing file or an unwritable dvd.xml is reported by
    // the run's result and message) and sets up the disc classes.  The drive
    // is a device path, an xorriso pseudo-drive or an image file target
    // (CDvdBurner::imageFileDrive); it is used as given.
    void setBurnParam(const QString &filePath, const QString &drive, const QString &label,
                      const QString &base);
    void run();

    // Creation progress in percent (0..100).
    int getCreatorProgress() const;
    // Burn progress in percent: 100 once the run has finished, the burner's
    // own value before.
    int getBurnProgress() const;
    // -1 while a run is in progress (or none ran), then 1 success, 0 failure.
    int getResult() const { return m_result.load(); }
    bool isFinished() const { return m_finished.load() == 1; }
    // Stops the running tool and makes run() return soon after, failed.
    void cancel();
    bool isCancelled() const { return m_cancelled.load(); }

    // Why the last run failed (empty after a success); valid once finished.
    QString message() const;

    QString filePath() const { return m_filePath; }
    QString drive() const { return m_drive; }
    QString label() const { return m_label; }
    float sizeMb() const { return m_sizeMb; }
    QString xmlPath() const;
    QString workFolder() const;

private:
    CDVDCreator m_creator;
    CDvdBurner m_burner;
    QString m_filePath;
    QString m_drive;
    float m_sizeMb = 0.0f;
    QString m_label;
    std::atomic<int> m_result{-1};
    std::atomic<int> m_finished{0};
    std::atomic<bool> m_cancelled{false};
    QString m_base;
    QString m_prepareError;
    QString m_message; // written by run() before the finished flag is set
};
