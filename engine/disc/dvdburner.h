#pragma once

#include <QString>

#include <atomic>

// Writes an authored DVD-Video folder to a disc: a DVD-Video image (ISO 9660
// with UDF) is made with genisoimage and burnt with xorriso to the drive.
// The drive is a device ("/dev/sr0"), a pseudo-drive of xorriso
// ("stdio:/path/file"), or an image file target made by imageFileDrive(),
// which writes the image itself to that path.  The burning call blocks; the
// progress getter and Cancel may be called from any other thread meanwhile.
class CDvdBurner {
public:
    CDvdBurner() = default;
    CDvdBurner(const CDvdBurner &) = delete;
    CDvdBurner &operator=(const CDvdBurner &) = delete;

    // Longest volume label an ISO 9660 image can carry, in bytes.
    static constexpr int kMaxLabelBytes = 32;

    // The drive text that asks for a DVD image file at isoPath.
    static QString imageFileDrive(const QString &isoPath);
    // The image path of such a drive text, or empty for a real drive.
    static QString imageFileOf(const QString &drive);

    // Prepares a run: the folder for the temporary image a drive is burnt
    // from (the system's temporary folder when empty).  Clears the progress
    // and an earlier cancel.
    void SetBurnPath(const char *folder);

    // Burns sourceFolder (holding VIDEO_TS) under label to drive.  Returns 1
    // on success, 0 on failure; message (DiscToolOutput::kMessageBufferSize
    // bytes, may be null) receives the reason, usually the tool's last error
    // line.  An image file target is written under a temporary name and
    // renamed when complete, so a failed or cancelled run leaves nothing.
    int StartBurning(const char *sourceFolder, const char *label, const char *drive, char *message);

    // 0..100 percent; 100 once the disc or image is complete.
    float GetBuringPrg() const { return m_progress.load(); }

    // Stops a running burn (the tool is ended and waited for); a call made
    // afterwards returns at once, until the next SetBurnPath.
    void Cancel() { m_cancel = true; }
    bool isCancelled() const { return m_cancel.load(); }

private:
    // The image file target: written under a temporary name beside it and
    // renamed when complete.
    bool writeImageFile(const QString &source, const QString &volume, const QString &isoPath, QString &error);
    // A drive: burnt from a temporary image in the work folder.
    bool burnThroughImage(const QString &source, const QString &volume, const QString &drive, QString &error);
    bool makeImage(const QString &source, const QString &label, const QString &imagePath, double from,
                   double to, QString &error);
    bool burnImage(const QString &imagePath, const QString &drive, double from, double to, QString &error);
    void raiseProgress(double percent);

    QString m_workFolder;
    std::atomic<float> m_progress{0.0f};
    std::atomic<bool> m_cancel{false};
};
