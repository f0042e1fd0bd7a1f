#pragma once

#include "core/media/videobasicinfo.h"
#include "core/media/videoinfo.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

struct VideoLoadOutcome;
using VideoInfoList = std::vector<std::unique_ptr<VideoInfo>>;

// The step that turns the paths being added into probed records.  The GUI
// shows its loading dialog here; the command-line tool and the tests supply
// their own.  run() probes the paths in order whatever their names end in
// (a file is media when FFmpeg can decode one of its audio or video
// streams), reports each file that cannot be used (except, unless asked, a
// file whose name is not a media name: a dropped note is passed over
// quietly), and hands back the valid records in input order.  Returns 1
// when the records are to be added; any other value (the user cancelled)
// leaves the list unchanged.
class VideoLoadStep {
public:
    // Takes records that are ready, in input order (it may move them out).
    using Delivery = std::function<void(VideoInfoList &ready)>;

    virtual ~VideoLoadStep() = default;
    virtual int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) = 0;
    // The same, handing records over while the load goes on, so that rows can
    // appear as their files are ready.  The result says whether what was
    // handed over is to stay.  By default everything is handed over at the
    // end of run().
    virtual int runProgressive(const QList<VideoBasicInfo> &videos, const Delivery &deliver);

    // Probes one entry on the caller's thread; null for a file that cannot
    // be used (after reportInvalid where it is reported).
    std::unique_ptr<VideoInfo> load(const VideoBasicInfo &video);
    // Probes the entries on worker threads, one per core, and hands each
    // outcome to handle in input order on the caller's thread, which waits
    // in between.  Invalid files are reported through reportInvalid first.
    void loadAll(const QList<VideoBasicInfo> &videos, const std::function<void(VideoLoadOutcome &)> &handle,
                 bool thumbnails = true);

protected:
    // Whether a file that is not media is reported even when its name does
    // not promise media (the command-line tool names every refusal).
    virtual bool reportsEveryFile() const { return false; }
    // Told about a file that cannot be used, with the reason.
    virtual void reportInvalid(const QString &path, const QString &reason) = 0;
};

// Loads without any user interface; unusable files go to the warning log.
class SilentVideoLoadStep : public VideoLoadStep {
public:
    int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) override;

protected:
    void reportInvalid(const QString &path, const QString &reason) override;
};
