#include "engine/playback/playersession.h"

#include "engine/av/decoder.h"
#include "engine/av/enginelog.h"
#include "engine/playback/audiolane.h"
#include "engine/playback/videolane.h"

#include <QDebug>

#include <algorithm>

namespace playback {

PlayerSession::PlayerSession(const FilterState &filters, VideoOutput &output, AudioOutput &audio)
    : m_sink(m_state, audio), m_presenter(m_state, filters, output, this)
{
    m_presenter.setFinishedHandler([this] { markFinished(); });
}

PlayerSession::~PlayerSession()
{
    shutdown();
}

bool PlayerSession::open(const std::string &path, std::string *error)
{
    m_demuxer.setOpenDeadline(kOpenDeadlineMs);
    if (!m_demuxer.open(path, false, error, [this] { return m_state.abort.load(); }))
        return false;
    std::string decoderError;
    if (!openVideo(&decoderError)) {
        if (error)
            *error = decoderError;
        m_demuxer.close();
        return false;
    }
    openAudio();
    if (!m_video && !m_audio) {
        if (error)
            *error = decoderError.empty() ? "no playable stream in " + path : decoderError;
        m_demuxer.close();
        return false;
    }
    const AVFormatContext *format = m_demuxer.context();
    m_state.startOffsetMs = format->start_time != AV_NOPTS_VALUE ? format->start_time / 1000.0 : 0.0;
    m_state.durationMs = format->duration > 0 ? format->duration / 1000.0 : 0.0;
    return true;
}

// False only for a picture too large to decode; a stream without a decoder
// leaves the file to its sound (error says why).
bool PlayerSession::openVideo(std::string *error)
{
    const int index = m_demuxer.videoIndex();
    AVStream *st = m_demuxer.stream(index);
    if (!st)
        return true;
    const AVCodecParameters *par = st->codecpar;
    if (!Decoder::pictureFits(par->width, par->height)) {
        *error = "the picture (" + std::to_string(par->width) + "x" + std::to_string(par->height) +
                 ") is larger than the player can show";
        return false;
    }
    VideoStreamInfo info;
    info.timeBase = st->time_base;
    info.frameRate = av_guess_frame_rate(m_demuxer.context(), st, nullptr);
    info.sampleAspect = av_guess_sample_aspect_ratio(m_demuxer.context(), st, nullptr);
    info.width = par->width;
    info.height = par->height;
    auto lane = std::make_unique<VideoLane>(m_state, info);
    if (!lane->open(st, 0, error))
        return true;
    m_video = std::move(lane);
    m_reader.setVideoLane(index, m_video.get());
    m_presenter.setVideo(m_video.get(), info);
    return true;
}

void PlayerSession::openAudio()
{
    const int index = m_demuxer.audioIndex();
    AVStream *st = m_demuxer.stream(index);
    if (!st || st->codecpar->ch_layout.nb_channels <= 0)
        return;
    auto lane = std::make_unique<AudioLane>(m_state, st->time_base);
    std::string error;
    if (!lane->open(st, 1, &error)) {
        qCDebug(lcPlayer, "player: no sound: %s", error.c_str());
        return;
    }
    m_audio = std::move(lane);
    m_reader.setAudioLane(index, m_audio.get());
}

void PlayerSession::setSection(int64_t startMs, int64_t endMs)
{
    const int64_t start = std::max<int64_t>(0, startMs);
    const int64_t end = endMs > start ? endMs : -1;
    const bool changed = start != m_state.sectionStart || end != m_state.sectionEnd;
    m_state.sectionStart = start;
    m_state.sectionEnd = end;
    if (changed && m_started)
        seek(0);
}

void PlayerSession::startThreads()
{
    if (m_audio && m_sink.attach(m_audio->frames(), m_video != nullptr))
        m_audio->setOutput(m_sink.sampleRate(), m_sink.channels());
    m_presenter.setSound(m_audio.get(), m_sink.attached() ? &m_sink : nullptr);
    m_reader.start();
    for (PlayerLane *lane :
         {static_cast<PlayerLane *>(m_video.get()), static_cast<PlayerLane *>(m_audio.get())})
        if (lane)
            lane->start();
    m_presenter.start();
    m_started = true;
}

void PlayerSession::play()
{
    if (!m_demuxer.isOpen())
        return;
    if (!m_started) {
        m_reader.prepareStart(double(m_state.sectionStart));
        startThreads();
    } else if (m_state.status == PLAY_STATUS_STOPPED && m_restartOnPlay) {
        seek(0);
    }
    m_restartOnPlay = false;
    m_state.status = PLAY_STATUS_PLAYING;
    m_state.clock.setPaused(false);
    m_sink.setPaused(false);
    m_state.wakePresenter();
}

void PlayerSession::pause()
{
    int expected = PLAY_STATUS_PLAYING;
    if (!m_state.status.compare_exchange_strong(expected, PLAY_STATUS_PAUSED))
        return;
    m_state.clock.setPaused(true);
    m_sink.setPaused(true);
}

void PlayerSession::seek(double ms)
{
    m_reader.requestSeek(double(m_state.sectionStart) + std::max(0.0, ms));
    m_restartOnPlay = false;
    m_state.wakePresenter();
}

double PlayerSession::position() const
{
    const bool pending = m_state.positionPending;
    const double start = double(m_state.sectionStart);
    double pos = pending ? m_state.pendingPositionMs.load() : m_state.clock.get();
    if (!m_started && !pending)
        pos = start;
    pos -= start;
    const int64_t end = m_state.sectionEnd;
    const double length = end >= 0 ? double(end) - start : m_state.durationMs - start;
    if (length > 0 && pos > length && !pending)
        pos = length;
    return std::max(0.0, pos);
}

bool PlayerSession::snapshot(const std::string &path, int type, std::string *error) const
{
    return m_presenter.picture().snapshot(path, type, error);
}

// Presenter thread: the section has played out.
void PlayerSession::markFinished()
{
    int expected = PLAY_STATUS_PLAYING;
    if (m_state.status.compare_exchange_strong(expected, PLAY_STATUS_STOPPED)) {
        m_restartOnPlay = true;
        m_state.clock.setPaused(true);
        m_sink.setPaused(true);
    }
}

void PlayerSession::requestStop()
{
    m_state.abort = true;
    m_reader.wake();
    if (m_video)
        m_video->abort();
    if (m_audio)
        m_audio->abort();
    m_state.wakePresenter();
    m_sink.detach(); // waits for a running callback
}

void PlayerSession::shutdown()
{
    requestStop();
    // The reader first: it feeds the lanes; the presenter last: it reads them.
    m_reader.join();
    if (m_video)
        m_video->join();
    if (m_audio)
        m_audio->join();
    m_presenter.join();
    m_state.status = PLAY_STATUS_STOPPED;
    m_started = false;
}

} // namespace playback
