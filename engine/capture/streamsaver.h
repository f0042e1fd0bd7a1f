#pragma once

#include "engine/av/avptr.h"
#include "engine/av/remuxer.h"
#include "engine/capture/capturelimits.h"
#include "engine/capture/inputgate.h"

#include <QString>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

class TempOutput;

// Saves the audio and video of one media address into a file without
// re-encoding: a progressive file is copied stream by stream, an HLS or
// DASH stream is joined into one file.  The bytes go to a hidden temporary
// file beside the target, which is renamed into place only when the
// stream arrived complete; a stop or a broken stream leaves nothing.
class StreamSaver {
public:
    struct Settings {
        QString userAgent;
        QString referer;
        QString caFile;             // extra trusted certificates (PEM); empty: the system's
        int stallTimeoutMs = 20000; // a connection silent this long counts as broken
        CaptureLimits limits;
    };

    // stop is polled while blocked on the network; progress receives 0..100.
    StreamSaver(const std::atomic<bool> &stop, std::atomic<double> &progress);
    ~StreamSaver();
    StreamSaver(const StreamSaver &) = delete;
    StreamSaver &operator=(const StreamSaver &) = delete;

    // Opens the address and learns its streams.  False (with a reason) when
    // it cannot be read or carries neither audio nor video.
    bool open(const QUrl &url, const Settings &settings, QString *error);
    bool hasVideo() const { return m_video >= 0; }
    double durationSeconds() const;
    // The container the streams go into, as a file extension (".mp4"...).
    QString extension() const { return m_extension; }

    // Writes the file as folder/baseName + extension(), made unique.
    bool save(const QString &folder, const QString &baseName, QString *savedPath, QString *error);

    // Whether open or save ended because of the stop flag.
    bool stopped() const { return m_stopped; }

private:
    // Closes the input, telling the gate first (see InputGate::forget).
    void closeInput();
    // Picks the best video and audio and discards the rest; false when there is neither.
    bool pickStreams(const QUrl &url, QString *error);
    void chooseContainer();
    // Renames the finished temporary file to a free name in the folder.
    bool place(TempOutput &temp, const QString &folder, const QString &baseName, QString *savedPath,
               QString *error);
    bool remux(const QString &tempPath, QString *error);
    bool startOutput(av::Remuxer &out, const QString &tempPath, std::vector<int> *outputOf, QString *error);
    // Copies the packets; on success endSeconds is where the media ended.
    bool copyAll(av::Remuxer &out, const std::vector<int> &outputOf, double *endSeconds, QString *error);
    // Whether the stream arrived whole, judged by its stated length.
    bool complete(double endSeconds, QString *error) const;
    void noteProgress(double endSeconds);

    const std::atomic<bool> &m_stop;
    std::atomic<double> &m_progress;
    bool m_stopped = false;
    std::unique_ptr<InputGate> m_gate; // outlives the input it reads for
    av::InputFormatPtr m_input;
    int m_video = -1;
    int m_audio = -1;
    std::string m_muxer;
    QString m_extension;
};
