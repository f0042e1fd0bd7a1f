#include "engine/av/demuxer.h"

#include "engine/av/decoder.h"

extern "C" {
#include <libavutil/display.h>
}

#include <cmath>
#include <vector>

int Demuxer::interruptCallback(void *opaque)
{
    auto *self = static_cast<Demuxer *>(opaque);
    if (self->m_stop && self->m_stop())
        return 1;
    if (self->m_deadlineArmed && std::chrono::steady_clock::now() > self->m_deadline)
        return 1;
    return 0;
}

void Demuxer::setDeadline(int milliseconds)
{
    m_deadlineArmed = milliseconds > 0;
    m_deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
}

int Demuxer::readCallback(void *opaque, uint8_t *buf, int size)
{
    return static_cast<InputReader *>(opaque)->read(buf, size);
}

int64_t Demuxer::seekCallback(void *opaque, int64_t offset, int whence)
{
    return static_cast<InputReader *>(opaque)->seek(offset, whence);
}

bool Demuxer::open(const std::string &path, bool quick, std::string *error, StopCheck stop)
{
    close();
    return openInput(path, quick, error, std::move(stop));
}

bool Demuxer::open(std::unique_ptr<InputReader> reader, const std::string &name, bool quick,
                   std::string *error, StopCheck stop)
{
    close();
    if (!reader)
        return av::failWith(error, "no reader for [" + name + "]");
    m_reader = std::move(reader);
    if (!resetReaderIo(error)) {
        close();
        return false;
    }
    return openInput(name, quick, error, std::move(stop));
}

bool Demuxer::resetReaderIo(std::string *error)
{
    m_io.reset();
    constexpr int kBufferSize = 64 * 1024;
    auto *buffer = static_cast<unsigned char *>(av_malloc(kBufferSize));
    AVIOContext *io = buffer ? avio_alloc_context(buffer, kBufferSize, 0, m_reader.get(), &readCallback,
                                                  nullptr, &seekCallback)
                             : nullptr;
    if (!io) {
        av_free(buffer);
        return av::failWith(error, "out of memory");
    }
    m_io.reset(io);
    return true;
}

bool Demuxer::isTextOrPictureFormat(const char *formatName)
{
    if (!formatName)
        return false;
    const std::string name = formatName;
    // Text art (tty and the BIN/XBIN/ADF/IDF readers) draws any text file.
    for (const char *text : {"tty", "bin", "xbin", "adf", "idf"})
        if (name == text)
            return true;
    // Pictures and picture sequences: image2, image2pipe, png_pipe, ...
    const std::string pipe = "_pipe";
    return name == "image2" || name == "image2pipe" ||
           (name.size() > pipe.size() && name.compare(name.size() - pipe.size(), pipe.size(), pipe) == 0);
}

bool Demuxer::openInput(const std::string &path, bool quick, std::string *error, StopCheck stop)
{
    av::quietLogs();
    m_stop = std::move(stop);
    const AVIOInterruptCB interrupt{&Demuxer::interruptCallback, this};
    if (PollingInput::needed(path)) {
        m_input = std::make_unique<PollingInput>();
        if (!m_input->open(path, interrupt, error)) {
            close();
            return false;
        }
    }
    if (!openContext(path, quick, error)) {
        close();
        return false;
    }
    // A quick look that found a stream without its parameters (a slow
    // starting stream, an audio track that begins late) looks again as far
    // as the ffmpeg tool would.  A FIFO cannot be read twice.
    if (quick && !m_input && lacksParameters()) {
        m_ctx.reset();
        std::string ignored;
        const bool reopened = (!m_reader || (m_reader->seek(0, SEEK_SET) >= 0 && resetReaderIo(&ignored))) &&
                              openContext(path, false, error);
        if (!reopened) {
            close();
            return false;
        }
    }
    if (lacksParameters())
        learnParameters();
    if (!pickStreams()) {
        if (error)
            *error = "no audio or video stream in [" + path + "]";
        close();
        return false;
    }
    return true;
}

bool Demuxer::openContext(const std::string &path, bool quick, std::string *error)
{
    AVFormatContext *raw = avformat_alloc_context();
    if (!raw)
        return av::failWith(error, "out of memory");
    raw->interrupt_callback = AVIOInterruptCB{&Demuxer::interruptCallback, this};
    // A custom reader or a polled FIFO; null: FFmpeg opens the path itself.
    raw->pb = m_input ? m_input->context() : m_io.get();
    av::Dictionary opts;
    if (quick) {
        opts.set("probesize", "2000000");
        opts.set("analyzeduration", "3000000");
    }
    setDeadline(m_openDeadlineMs > 0 ? m_openDeadlineMs : quick ? 10000 : 30000);
    int ret = avformat_open_input(&raw, path.c_str(), nullptr, opts.address());
    if (ret < 0) {
        // avformat_open_input frees the context on failure.
        setDeadline(0);
        return av::failWith(error, "cannot open [" + path + "]: " + av::errorText(ret));
    }
    m_ctx.reset(raw);
    if (isTextOrPictureFormat(raw->iformat->name)) {
        setDeadline(0);
        m_ctx.reset();
        return av::failWith(error, "[" + path + "] is a picture or text, not a video or sound file");
    }
    ret = avformat_find_stream_info(raw, nullptr);
    setDeadline(0);
    if (ret < 0) {
        m_ctx.reset();
        return av::failWith(error, "cannot read the streams of [" + path + "]: " + av::errorText(ret));
    }
    return true;
}

namespace {

bool isMediaStream(const AVStream *s)
{
    const AVCodecParameters *p = s->codecpar;
    if (p->codec_id == AV_CODEC_ID_NONE)
        return false;
    if (p->codec_type == AVMEDIA_TYPE_VIDEO)
        return !(s->disposition & AV_DISPOSITION_ATTACHED_PIC);
    return p->codec_type == AVMEDIA_TYPE_AUDIO;
}

bool incomplete(const AVStream *s)
{
    const AVCodecParameters *p = s->codecpar;
    if (p->codec_type == AVMEDIA_TYPE_VIDEO)
        return p->width <= 0 || p->height <= 0 || p->format < 0;
    return p->sample_rate <= 0 || p->ch_layout.nb_channels <= 0 || p->format < 0;
}

} // namespace

bool Demuxer::lacksParameters() const
{
    if (!m_ctx)
        return false;
    bool anyMedia = false;
    for (unsigned i = 0; i < m_ctx->nb_streams; ++i) {
        const AVStream *s = m_ctx->streams[i];
        if (!isMediaStream(s))
            continue;
        anyMedia = true;
        if (incomplete(s))
            return true;
    }
    return !anyMedia;
}

void Demuxer::learnParameters()
{
    AVFormatContext *ctx = m_ctx.get();
    if (!ctx || m_input || !ctx->pb || !(ctx->pb->seekable & AVIO_SEEKABLE_NORMAL))
        return;
    struct Pending {
        AVStream *stream;
        Decoder decoder;
    };
    std::vector<std::unique_ptr<Pending>> pending;
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        AVStream *s = ctx->streams[i];
        if (!isMediaStream(s) || !incomplete(s))
            continue;
        auto p = std::make_unique<Pending>();
        p->stream = s;
        std::string ignored;
        if (p->decoder.open(s, 1, &ignored))
            pending.push_back(std::move(p));
    }
    if (pending.empty())
        return;
    av::PacketPtr packet = av::makePacket();
    av::FramePtr frame = av::makeFrame();
    if (!packet || !frame)
        return;
    setDeadline(5000);
    for (int packets = 0; packets < 500 && !pending.empty(); ++packets) {
        if (read(packet.get()) < 0)
            break;
        for (auto it = pending.begin(); it != pending.end(); ++it) {
            Pending &p = **it;
            if (packet->stream_index != p.stream->index || p.decoder.send(packet.get()) < 0)
                continue;
            if (p.decoder.receive(frame.get()) >= 0) {
                // What the decoder found is what the stream carries.
                av_frame_unref(frame.get());
                avcodec_parameters_from_context(p.stream->codecpar, p.decoder.context());
                pending.erase(it);
            }
            break;
        }
        av_packet_unref(packet.get());
    }
    setDeadline(0);
    rewind();
}

bool Demuxer::pickStreams()
{
    AVFormatContext *raw = m_ctx.get();
    m_video = -1;
    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        AVStream *s = raw->streams[i];
        if (s->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
            !(s->disposition & AV_DISPOSITION_ATTACHED_PIC) && s->codecpar->width > 0 &&
            s->codecpar->height > 0) {
            if (m_video < 0 ||
                s->codecpar->width * s->codecpar->height >
                    raw->streams[m_video]->codecpar->width * raw->streams[m_video]->codecpar->height)
                m_video = int(i);
        }
    }
    int a = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    m_audio = a >= 0 && raw->streams[a]->codecpar->sample_rate > 0 ? a : -1;
    for (unsigned i = 0; i < raw->nb_streams; ++i)
        if (int(i) != m_video && int(i) != m_audio)
            raw->streams[i]->discard = AVDISCARD_ALL;
    return m_video >= 0 || m_audio >= 0;
}

void Demuxer::close()
{
    m_ctx.reset();
    m_input.reset();
    m_io.reset();
    m_reader.reset();
    m_video = m_audio = -1;
}

AVStream *Demuxer::stream(int index) const
{
    if (!m_ctx || index < 0 || unsigned(index) >= m_ctx->nb_streams)
        return nullptr;
    return m_ctx->streams[index];
}

double Demuxer::durationMs() const
{
    if (!m_ctx)
        return 0.0;
    if (m_ctx->duration > 0)
        return m_ctx->duration / 1000.0;
    double best = 0.0;
    for (int idx : {m_video, m_audio}) {
        AVStream *s = stream(idx);
        if (s && s->duration > 0)
            best = std::max(best, s->duration * av_q2d(s->time_base) * 1000.0);
    }
    return best;
}

int64_t Demuxer::startPts(int index) const
{
    AVStream *s = stream(index);
    if (m_ctx && m_ctx->start_time != AV_NOPTS_VALUE && s)
        return av_rescale_q(m_ctx->start_time, AV_TIME_BASE_Q, s->time_base);
    if (s && s->start_time != AV_NOPTS_VALUE)
        return s->start_time;
    return 0;
}

int Demuxer::videoRotation() const
{
    AVStream *s = stream(m_video);
    if (!s)
        return 0;
    const uint8_t *matrix = av_stream_get_side_data(s, AV_PKT_DATA_DISPLAYMATRIX, nullptr);
    if (!matrix)
        return 0;
    double theta = -av_display_rotation_get(reinterpret_cast<const int32_t *>(matrix));
    if (std::isnan(theta))
        return 0;
    int deg = int(std::lround(theta / 90.0)) * 90;
    deg %= 360;
    if (deg < 0)
        deg += 360;
    return deg;
}

bool Demuxer::rewind()
{
    AVFormatContext *ctx = m_ctx.get();
    if (!ctx)
        return false;
    // Readers of program and transport streams seek by decoding timestamps
    // and would land after the first key frame, whose picture comes later
    // than it is decoded; the first byte is the true start there.
    const int flags = ctx->iformat->flags;
    if ((flags & AVFMT_TS_DISCONT) && !(flags & AVFMT_NO_BYTE_SEEK) &&
        av_seek_frame(ctx, -1, 0, AVSEEK_FLAG_BYTE) >= 0)
        return true;
    int64_t ts = ctx->start_time != AV_NOPTS_VALUE ? ctx->start_time : 0;
    int ret = avformat_seek_file(ctx, -1, INT64_MIN, ts, ts, 0);
    if (ret < 0)
        ret = av_seek_frame(ctx, -1, ts, AVSEEK_FLAG_BACKWARD);
    if (ret < 0 && !(flags & AVFMT_NO_BYTE_SEEK))
        ret = av_seek_frame(ctx, -1, 0, AVSEEK_FLAG_BYTE);
    return ret >= 0;
}

bool Demuxer::seekMs(int64_t ms)
{
    if (!m_ctx)
        return false;
    if (ms <= 0)
        return rewind();
    int64_t ts = av_rescale(ms, AV_TIME_BASE, 1000);
    if (m_ctx->start_time != AV_NOPTS_VALUE)
        ts += m_ctx->start_time;
    int ret = avformat_seek_file(m_ctx.get(), -1, INT64_MIN, ts, ts, 0);
    if (ret < 0)
        ret = av_seek_frame(m_ctx.get(), -1, ts, AVSEEK_FLAG_BACKWARD);
    // A failed seek may leave the reader anywhere, even at the end (a file
    // cut short whose index lay beyond the cut): back to the start of the
    // data, which is still at or before ms.
    if (ret < 0)
        return rewind();
    return true;
}

int Demuxer::read(AVPacket *packet)
{
    if (!m_ctx)
        return AVERROR(EINVAL);
    return av_read_frame(m_ctx.get(), packet);
}
