#include "core/media/videoloadstep.h"

#include "core/media/supportedfiles.h"

#include "core/platform/corelog.h"

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

int SilentVideoLoadStep::run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded)
{
    for (const VideoBasicInfo &video : videos) {
        if (auto info = load(video))
            loaded.push_back(std::move(info));
    }
    return 1;
}

void SilentVideoLoadStep::reportInvalid(const QString &path, const QString &reason)
{
    qCWarning(lcMedia, "cannot add [%s]: %s", qPrintable(path), qPrintable(reason));
}
