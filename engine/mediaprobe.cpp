#include "engine/mediaprobe.h"

// Placeholder until the FFmpeg-based probe lands: every file fails to open.
struct MediaProbe::Impl {
    std::string path;
};

MediaProbe::MediaProbe() : d(std::make_unique<Impl>()) {}
MediaProbe::~MediaProbe() = default;
bool MediaProbe::open(const std::string &)
{
    return false;
}
void MediaProbe::close() {}
bool MediaProbe::isOpen() const
{
    return false;
}
const std::string &MediaProbe::path() const
{
    return d->path;
}
bool MediaProbe::fillFileInfo(FileInfo *) const
{
    return false;
}
bool MediaProbe::isAudioOnly() const
{
    return false;
}
std::vector<uint8_t> MediaProbe::thumbnailJpeg(int64_t)
{
    return {};
}
