#include "engine/transcode/inputlanes.h"

bool InputLanes::open(InputCursor &input, OutputSink &output, const FilterSettings &filters, int threads,
                      std::string *error)
{
    Demuxer &demuxer = input.demuxer();
    const int vi = output.hasVideo() ? demuxer.videoIndex() : -1;
    const int ai = output.hasAudio() ? demuxer.audioIndex() : -1;
    if (vi >= 0) {
        m_video = std::make_unique<VideoLane>(demuxer.stream(vi), demuxer.startPts(vi), input.window(),
                                              filters, output.video());
        if (!m_video->open(threads, error))
            return false;
    }
    if (ai >= 0) {
        m_audio = std::make_unique<AudioLane>(demuxer.stream(ai), demuxer.startPts(ai), input.window(),
                                              filters, output.audio());
        if (!m_audio->open(threads, error))
            return false;
    }
    return true;
}

StreamLane *InputLanes::forStream(int streamIndex)
{
    if (m_video && m_video->streamIndex() == streamIndex)
        return m_video.get();
    if (m_audio && m_audio->streamIndex() == streamIndex)
        return m_audio.get();
    return nullptr;
}

bool InputLanes::allDone() const
{
    return (!m_video || m_video->done()) && (!m_audio || m_audio->done());
}

bool InputLanes::finish(std::string *error)
{
    return (!m_video || m_video->finish(error)) && (!m_audio || m_audio->finish(error));
}

int64_t InputLanes::damagedPackets() const
{
    return (m_video ? m_video->damagedPackets() : 0) + (m_audio ? m_audio->damagedPackets() : 0);
}
