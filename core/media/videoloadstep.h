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
// their own.  run() skips unsupported paths silently, probes the others in
// order, reports each file that cannot be used, and hands back the valid
// records in input order.  Returns 1 when the records are to be added; any
// other value (the user cancelled) leaves the list unchanged.
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

    // Probes one entry on the caller's thread; null for an unsupported path
    // (silently) or an invalid file (after reportInvalid).
    std::unique_ptr<VideoInfo> load(const VideoBasicInfo &video);
    // Probes the entries on worker threads, one per core, and hands each
    // outcome to handle in input order on the caller's thread, which waits
    // in between.  Invalid files are reported through reportInvalid first.
    void loadAll(const QList<VideoBasicInfo> &videos, const std::function<void(VideoLoadOutcome &)> &handle,
                 bool thumbnails = true);

protected:
    // Told about a supported file that cannot be used, with the reason.
    virtual void reportInvalid(const QString &path, const QString &reason) = 0;
};

// Loads without any user interface; unusable files go to the warning log.
class SilentVideoLoadStep : public VideoLoadStep {
public:
    int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) override;

protected:
    void reportInvalid(const QString &path, const QString &reason) override;
};
