#include "engine/transcode/inputlanes.h"

InputLanes::~InputLanes()
{
    halt();
}

bool InputLanes::open(InputCursor &input, OutputSink &output, const FilterSettings &filters,
                      int decoderThreads, std::string *error)
{
    Demuxer &demuxer = input.demuxer();
    const int vi = output.hasVideo() ? demuxer.videoIndex() : -1;
    const int ai = output.hasAudio() ? demuxer.audioIndex() : -1;
    if (vi >= 0) {
        m_video = std::make_unique<VideoLane>(demuxer.stream(vi), demuxer.startPts(vi), input.window(),
                                              filters, output.video());
        if (!m_video->open(decoderThreads, error))
            return false;
    }
    if (ai >= 0) {
        m_audio = std::make_unique<AudioLane>(demuxer.stream(ai), demuxer.startPts(ai), input.window(),
                                              filters, output.audio());
        if (!m_audio->open(decoderThreads, error))
            return false;
    }
    return true;
}

void InputLanes::runThreaded(StageCrew &crew)
{
    if (m_video)
        m_video->runThreaded(crew);
    if (m_audio)
        m_audio->runThreaded(crew);
}

void InputLanes::halt()
{
    if (m_video)
        m_video->halt();
    if (m_audio)
        m_audio->halt();
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
    // Threaded lanes are finished both, so that no thread outlives the call.
    const bool video = !m_video || m_video->finish(error);
    const bool audio = !m_audio || m_audio->finish(video ? error : nullptr);
    return video && audio;
}

int64_t InputLanes::damagedPackets() const
{
    return (m_video ? m_video->damagedPackets() : 0) + (m_audio ? m_audio->damagedPackets() : 0);
}
