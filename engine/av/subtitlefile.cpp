#include "engine/av/subtitlefile.h"

#include "engine/av/avptr.h"

bool readsAsSubtitles(const std::string &path)
{
    av::quietLogs();
    if (path.empty())
        return false;
    AVFormatContext *raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0)
        return false;
    av::InputFormatPtr format(raw);
    if (avformat_find_stream_info(format.get(), nullptr) < 0)
        return false;
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_SUBTITLE)
            return true;
    return false;
}
