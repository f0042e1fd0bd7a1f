#pragma once

#include "core/media/videobasicinfo.h"
#include "core/media/videoinfo.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

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
    virtual ~VideoLoadStep() = default;
    virtual int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) = 0;

    // Probes one entry; null for a file that cannot be used (after
    // reportInvalid where it is reported).
    std::unique_ptr<VideoInfo> load(const VideoBasicInfo &video);

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
