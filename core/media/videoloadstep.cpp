#include "core/media/videoloadstep.h"

#include "core/media/parallelvideoloader.h"
#include "core/media/supportedfiles.h"

#include "core/platform/corelog.h"

int VideoLoadStep::runProgressive(const QList<VideoBasicInfo> &videos, const Delivery &deliver)
{
    VideoInfoList loaded;
    const int result = run(videos, loaded);
    if (result == 1 && !loaded.empty())
        deliver(loaded);
    return result;
}

std::unique_ptr<VideoInfo> VideoLoadStep::load(const VideoBasicInfo &video)
{
    auto info = std::make_unique<VideoInfo>(video);
    if (!info->isValid()) {
        if (reportsEveryFile() || isSupportedFile(video.filename))
            reportInvalid(video.filename, info->probeError);
        return nullptr;
    }
    return info;
}

void VideoLoadStep::loadAll(const QList<VideoBasicInfo> &videos,
                            const std::function<void(VideoLoadOutcome &)> &handle, bool thumbnails)
{
    ParallelVideoLoader loader;
    loader.setThumbnails(thumbnails);
    loader.start(videos);
    for (;;) {
        std::vector<VideoLoadOutcome> ready = loader.waitForReady();
        if (ready.empty())
            return;
        for (VideoLoadOutcome &outcome : ready) {
            if (outcome.kind == VideoLoadOutcome::Kind::Invalid ||
                (outcome.kind == VideoLoadOutcome::Kind::Unsupported && reportsEveryFile()))
                reportInvalid(outcome.entry.filename, outcome.reason);
            handle(outcome);
        }
    }
}

int SilentVideoLoadStep::run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded)
{
    loadAll(videos, [&loaded](VideoLoadOutcome &outcome) {
        if (outcome.record)
            loaded.push_back(std::move(outcome.record));
    });
    return 1;
}

void SilentVideoLoadStep::reportInvalid(const QString &path, const QString &reason)
{
    qCWarning(lcMedia, "cannot add [%s]: %s", qPrintable(path), qPrintable(reason));
}
