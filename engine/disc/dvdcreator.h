#pragma once

#include <QString>

#include <atomic>

// Authors a DVD-Video folder structure (VIDEO_TS, AUDIO_TS) from a dvd.xml
// description with the dvdauthor tool.  The creating call blocks; the
// progress getter and Cancel may be called from any other thread meanwhile.
class CDVDCreator {
public:
    CDVDCreator() = default;
    CDVDCreator(const CDVDCreator &) = delete;
    CDVDCreator &operator=(const CDVDCreator &) = delete;

    // Prepares a run: the folder the tool is looked for first (then the
    // PATH), and the size of the source in megabytes that progress is
    // measured against.  Clears the progress and an earlier cancel.
    void SetExePath(const char *folder, float sizeMb);

    // Builds the structure described by xmlPath into outputFolder and
    // returns when done.  message (DiscToolOutput::kMessageBufferSize bytes,
    // may be null) receives the tool's last error line, or is emptied on
    // success.  True when the structure is complete.
    bool CreateDVDFile(const char *xmlPath, const char *outputFolder, char *message);

    // 0..1; reaches 1 when authoring succeeded.
    float GetDvdCreatorPrg() const { return m_progress.load(); }

    // Stops a running authoring (the tool is ended and waited for); a call
    // made afterwards returns at once, until the next SetExePath.
    void Cancel() { m_cancel = true; }
    bool isCancelled() const { return m_cancel.load(); }

private:
    void raiseProgress(double value);

    QString m_toolFolder;
    double m_sizeMb = 0.0;
    std::atomic<float> m_progress{0.0f};
    std::atomic<bool> m_cancel{false};
};
