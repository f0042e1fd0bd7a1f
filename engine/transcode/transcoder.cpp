#include "engine/transcode/transcoder.h"

#include "engine/av/decoder.h"
#include "engine/av/demuxer.h"
#include "engine/av/encoder.h"
#include "engine/av/filtergraph.h"
#include "engine/av/muxer.h"
#include "engine/transcode/apewriter.h"
#include "engine/transcode/dpgwriter.h"
#include "engine/transcode/encodernames.h"
#include "engine/transcode/outputplan.h"

extern "C" {
#include <libavutil/audio_fifo.h>
#include <libavutil/samplefmt.h>
}

#include <QDebug>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Input {
    std::string path;
    std::unique_ptr<Demuxer> demuxer;
    double durationMs = 0.0;
};

// The process's file creation mask, read without changing it (umask() would
// change it for every thread for a moment).
mode_t creationMask()
{
    static const mode_t mask = [] {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("Umask:", 0) == 0)
                return mode_t(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
        }
        return mode_t(022);
    }();
    return mask;
}

// Where a finished job's bytes are written until they are complete.
std::string makeTempPath(const std::string &output, std::string *error)
{
    size_t slash = output.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : output.substr(0, slash);
    std::string base = slash == std::string::npos ? output : output.substr(slash + 1);
    std::string pattern = dir + "/." + base + ".XXXXXX.part";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    int fd = mkstemps(buf.data(), 5);
    if (fd < 0) {
        if (error)
            *error = "cannot write into the folder [" + dir + "]";
        return {};
    }
    // mkstemps makes the file private; the output gets the usual permissions.
    if (::fchmod(fd, 0666 & ~creationMask()) != 0)
        qWarning("transcode: cannot set the permissions of [%s]", buf.data());
    ::close(fd);
    return buf.data();
}

// Keeps timestamps rising across clock restarts: a jump back (or far ahead)
// continues the timeline right after the last packet seen.
class TimestampContinuity {
public:
    void fix(AVPacket *pkt, AVRational tb)
    {
        if (pkt->dts == AV_NOPTS_VALUE)
            return;
        double ms = pkt->dts * av_q2d(tb) * 1000.0 + m_shiftMs;
        if (m_seen && (ms < m_lastMs - 1000.0 || ms > m_lastMs + 10000.0)) {
            m_shiftMs += m_lastMs + 40.0 - ms;
            ms = m_lastMs + 40.0;
        }
        m_seen = true;
        m_lastMs = std::max(m_lastMs, ms);
        const int64_t shift = av_rescale_q(std::llround(m_shiftMs * 1000.0), AVRational{1, 1000000}, tb);
        pkt->dts += shift;
        if (pkt->pts != AV_NOPTS_VALUE)
            pkt->pts += shift;
    }

private:
    bool m_seen = false;
    double m_lastMs = 0.0;
    double m_shiftMs = 0.0;
};

class Pipeline {
public:
    Pipeline(const TranscodeJob &job, std::atomic<bool> &stop, std::atomic<double> &progress,
             std::atomic<int64_t> &frames)
        : m_job(job), m_stop(stop), m_progress(progress), m_frames(frames)
    {
    }

    Transcoder::Result run(std::string *error);

private:
    enum Step { Ok, Stop, Fail };

    bool openInputs(std::string *error);
    bool setupOutput(const std::string &path, std::string *error);
    Step processInput(Input &in, double offsetMs, double localStart, double localEnd, std::string *error);
    bool encodeVideo(AVFrame *frame, std::string *error);
    bool pullVideo(FilterGraph &graph, std::string *error);
    bool pullAudio(FilterGraph &graph, std::string *error);
    bool drainAudioFifo(bool all, std::string *error);
    bool padAudio(int64_t untilSamples, std::string *error);
    bool writePackets(Encoder &enc, int stream, std::string *error);
    bool flushEncoders(std::string *error);
    void reportProgress(double outMs);

    const TranscodeJob &m_job;
    std::atomic<bool> &m_stop;
    std::atomic<double> &m_progress;
    std::atomic<int64_t> &m_frames;

    std::vector<Input> m_inputs;
    double m_sectionStart = 0.0, m_sectionEnd = 0.0;
    bool m_openEnded = false; // the last input is read to its real end

    ContainerRule m_rule;
    ResolvedEncoder m_venc, m_aenc;
    bool m_hasVideo = false, m_hasAudio = false;
    int m_outWidth = 0, m_outHeight = 0;
    AVRational m_outRate{25, 1};
    AVRational m_outDar{0, 1};

    Encoder m_videoEncoder, m_audioEncoder;
    Muxer m_muxer;
    int m_videoStream = -1, m_audioStream = -1;
    av::AudioFifoPtr m_fifo;
    int64_t m_nextVideoPts = 0;
    int64_t m_audioSamples = 0;
    av::PacketPtr m_packet = av::makePacket();
    av::FramePtr m_filtered = av::makeFrame();
};

bool Pipeline::openInputs(std::string *error)
{
    if (m_job.inputs.empty()) {
        if (error)
            *error = "no input file";
        return false;
    }
    for (const std::string &path : m_job.inputs) {
        Input in;
        in.path = path;
        in.demuxer = std::make_unique<Demuxer>();
        if (!in.demuxer->open(path, false, error, [this] { return m_stop.load(); }))
            return false;
        in.durationMs = in.demuxer->durationMs();
        if (in.durationMs <= 0)
            in.durationMs = 1e12; // unknown: read to the end
        m_inputs.push_back(std::move(in));
    }
    return true;
}

bool Pipeline::setupOutput(const std::string &path, std::string *error)
{
    const AVStream *videoSource = nullptr, *audioSource = nullptr;
    for (const Input &in : m_inputs) {
        if (!videoSource)
            videoSource = in.demuxer->stream(in.demuxer->videoIndex());
        if (!audioSource)
            audioSource = in.demuxer->stream(in.demuxer->audioIndex());
    }
    OutputPlan plan;
    if (!OutputPlan::make(m_job.info, m_job.output, m_job.filters, videoSource, audioSource, &plan, error))
        return false;
    if (plan.rule.ape) // Monkey's Audio holds mono or stereo sound only
        plan.audioParams.channels = std::clamp(plan.audioParams.channels, 1, 2);
    m_rule = plan.rule;
    m_venc = plan.video;
    m_aenc = plan.audio;
    m_hasVideo = plan.hasVideo;
    m_hasAudio = plan.hasAudio;
    m_outDar = plan.displayAspect;
    if (!m_muxer.open(path, m_rule.muxer, error))
        return false;
    const bool globalHeader = m_muxer.needsGlobalHeader();

    if (m_hasVideo) {
        VideoEncodeParams vp = plan.videoParams;
        vp.globalHeader = globalHeader;
        m_outWidth = vp.width;
        m_outHeight = vp.height;
        m_outRate = vp.frameRate;
        if (!m_videoEncoder.openVideo(vp, error))
            return false;
        m_videoStream = m_muxer.addStream(m_videoEncoder.context(), m_venc.tag, error);
        if (m_videoStream < 0)
            return false;
    }
    if (m_hasAudio) {
        AudioEncodeParams ap = plan.audioParams;
        ap.globalHeader = globalHeader;
        if (!m_audioEncoder.openAudio(ap, error))
            return false;
        m_audioStream = m_muxer.addStream(m_audioEncoder.context(), "", error);
        if (m_audioStream < 0)
            return false;
        AVCodecContext *ac = m_audioEncoder.context();
        m_fifo.reset(
            av_audio_fifo_alloc(ac->sample_fmt, ac->ch_layout.nb_channels, m_audioEncoder.frameSize() * 4));
        if (!m_fifo) {
            if (error)
                *error = "out of memory";
            return false;
        }
    }
    AVDictionary *opts = nullptr;
    if (plan.dvd) {
        av_dict_set(&opts, "packetsize", "2048", 0);
        av_dict_set(&opts, "muxrate", "10080000", 0);
    }
    bool ok = m_muxer.writeHeader(&opts, error);
    av_dict_free(&opts);
    return ok;
}

void Pipeline::reportProgress(double outMs)
{
    const double len = m_sectionEnd - m_sectionStart;
    if (len > 0 && !m_openEnded)
        m_progress.store(std::clamp(outMs / len, 0.0, 1.0));
}

bool Pipeline::writePackets(Encoder &enc, int stream, std::string *error)
{
    for (;;) {
        if (m_stop.load()) {
            if (error)
                *error = "stopped";
            return false;
        }
        int ret = enc.receive(m_packet.get());
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return true;
        if (ret < 0) {
            if (error)
                *error = "encoding failed: " + av::errorText(ret);
            return false;
        }
        if (!m_muxer.write(m_packet.get(), stream, enc.context()->time_base, error))
            return false;
        av_packet_unref(m_packet.get());
    }
}

bool Pipeline::encodeVideo(AVFrame *frame, std::string *error)
{
    if (frame) {
        frame->pict_type = AV_PICTURE_TYPE_NONE;
        if (frame->pts == AV_NOPTS_VALUE || frame->pts < m_nextVideoPts)
            frame->pts = m_nextVideoPts;
        m_nextVideoPts = frame->pts + 1;
    }
    int ret = m_videoEncoder.send(frame);
    if (ret < 0 && ret != AVERROR_EOF) {
        if (error)
            *error = "video encoding failed: " + av::errorText(ret);
        return false;
    }
    if (frame) {
        m_frames.fetch_add(1);
        reportProgress(m_nextVideoPts * av_q2d(m_videoEncoder.context()->time_base) * 1000.0);
    }
    return writePackets(m_videoEncoder, m_videoStream, error);
}

bool Pipeline::pullVideo(FilterGraph &graph, std::string *error)
{
    const AVRational encTb = m_videoEncoder.context()->time_base;
    for (;;) {
        int ret = graph.pull(m_filtered.get());
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return true;
        if (ret < 0) {
            if (error)
                *error = "video filtering failed: " + av::errorText(ret);
            return false;
        }
        if (m_filtered->pts != AV_NOPTS_VALUE) {
            m_filtered->pts = av_rescale_q(m_filtered->pts, graph.outputTimeBase(), encTb);
            // A join may repeat the slot the previous input already filled.
            if (m_filtered->pts < m_nextVideoPts) {
                av_frame_unref(m_filtered.get());
                continue;
            }
        }
        bool ok = encodeVideo(m_filtered.get(), error);
        av_frame_unref(m_filtered.get());
        if (!ok)
            return false;
    }
}

bool Pipeline::drainAudioFifo(bool all, std::string *error)
{
    AVCodecContext *ac = m_audioEncoder.context();
    const int chunk = m_audioEncoder.frameSize();
    while (av_audio_fifo_size(m_fifo.get()) >= chunk || (all && av_audio_fifo_size(m_fifo.get()) > 0)) {
        const int n = std::min(chunk, av_audio_fifo_size(m_fifo.get()));
        av::FramePtr f = av::makeFrame();
        f->nb_samples = n;
        f->format = ac->sample_fmt;
        f->sample_rate = ac->sample_rate;
        av_channel_layout_copy(&f->ch_layout, &ac->ch_layout);
        if (av_frame_get_buffer(f.get(), 0) < 0 ||
            av_audio_fifo_read(m_fifo.get(), reinterpret_cast<void **>(f->extended_data), n) < n) {
            if (error)
                *error = "out of memory";
            return false;
        }
        f->pts = m_audioSamples;
        m_audioSamples += n;
        int ret = m_audioEncoder.send(f.get());
        if (ret < 0) {
            if (error)
                *error = "audio encoding failed: " + av::errorText(ret);
            return false;
        }
        if (!m_hasVideo)
            reportProgress(m_audioSamples * 1000.0 / ac->sample_rate);
        if (!writePackets(m_audioEncoder, m_audioStream, error))
            return false;
    }
    return true;
}

bool Pipeline::pullAudio(FilterGraph &graph, std::string *error)
{
    for (;;) {
        int ret = graph.pull(m_filtered.get());
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return drainAudioFifo(false, error);
        if (ret < 0) {
            if (error)
                *error = "audio filtering failed: " + av::errorText(ret);
            return false;
        }
        ret = av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void **>(m_filtered->extended_data),
                                  m_filtered->nb_samples);
        av_frame_unref(m_filtered.get());
        if (ret < 0) {
            if (error)
                *error = "out of memory";
            return false;
        }
    }
}

bool Pipeline::padAudio(int64_t untilSamples, std::string *error)
{
    AVCodecContext *ac = m_audioEncoder.context();
    int64_t missing = untilSamples - (m_audioSamples + av_audio_fifo_size(m_fifo.get()));
    while (missing > 0) {
        int n = int(std::min<int64_t>(missing, 4096));
        av::FramePtr f = av::makeFrame();
        f->nb_samples = n;
        f->format = ac->sample_fmt;
        av_channel_layout_copy(&f->ch_layout, &ac->ch_layout);
        if (av_frame_get_buffer(f.get(), 0) < 0) {
            if (error)
                *error = "out of memory";
            return false;
        }
        av_samples_set_silence(f->extended_data, 0, n, ac->ch_layout.nb_channels, ac->sample_fmt);
        if (av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void **>(f->extended_data), n) < n) {
            if (error)
                *error = "out of memory";
            return false;
        }
        missing -= n;
    }
    return drainAudioFifo(false, error);
}

Pipeline::Step Pipeline::processInput(Input &in, double offsetMs, double localStart, double localEnd,
                                      std::string *error)
{
    Demuxer &dmx = *in.demuxer;
    const int vi = m_hasVideo ? dmx.videoIndex() : -1;
    const int ai = m_hasAudio ? dmx.audioIndex() : -1;
    Decoder vdec, adec;
    if (vi >= 0 && !vdec.open(dmx.stream(vi), 0, error))
        return Fail;
    if (ai >= 0 && !adec.open(dmx.stream(ai), 0, error))
        return Fail;
    // Streams the output does not take are not even read.
    for (int index : {dmx.videoIndex(), dmx.audioIndex()})
        if (index >= 0 && index != vi && index != ai)
            dmx.stream(index)->discard = AVDISCARD_ALL;
    if (localStart > 0)
        dmx.seekMs(int64_t(localStart));

    FilterGraph vgraph, agraph;
    int graphW = 0, graphH = 0, graphFmt = -1;
    int64_t audioInPts = 0;
    int64_t videoEndPts = AV_NOPTS_VALUE; // end of the last frame pushed, microseconds
    bool videoDone = vi < 0, audioDone = ai < 0;
    AVStream *vs = dmx.stream(vi);
    AVStream *as = dmx.stream(ai);
    const int64_t vStart = vi >= 0 ? dmx.startPts(vi) : 0;
    const int64_t aStart = ai >= 0 ? dmx.startPts(ai) : 0;
    const double halfFrame = 500.0 / av_q2d(m_outRate);
    av::FramePtr frame = av::makeFrame();
    av::PacketPtr pkt = av::makePacket();
    // Program and transport streams joined byte for byte restart their clocks.
    const bool discontinuous = dmx.context()->iformat->flags & AVFMT_TS_DISCONT;
    TimestampContinuity continuity;
    const bool openEnded = localEnd > 1e11;
    const int64_t fileSize = dmx.context()->pb ? avio_size(dmx.context()->pb) : 0;

    auto videoFrame = [&](AVFrame *f) -> Step {
        int64_t ts = f->best_effort_timestamp;
        if (ts == AV_NOPTS_VALUE)
            ts = f->pts;
        double ms = ts == AV_NOPTS_VALUE ? localStart : (ts - vStart) * av_q2d(vs->time_base) * 1000.0;
        if (ms < localStart - halfFrame)
            return Ok;
        if (ms >= localEnd - 0.5) {
            videoDone = true;
            return Ok;
        }
        if (!vgraph.isReady() || f->width != graphW || f->height != graphH || f->format != graphFmt) {
            if (vgraph.isReady()) {
                vgraph.pushEnd(videoEndPts);
                if (!pullVideo(vgraph, error))
                    return Fail;
            }
            VideoFilterInput vin;
            vin.width = f->width;
            vin.height = f->height;
            vin.pixFmt = f->format;
            vin.timeBase = {1, 1000000};
            vin.sampleAspect = f->sample_aspect_ratio;
            vin.frameRate = vs->avg_frame_rate;
            VideoFilterOutput vout;
            vout.width = m_outWidth;
            vout.height = m_outHeight;
            vout.frameRate = m_outRate;
            vout.displayAspect = m_outDar;
            vout.pixFmts = {m_videoEncoder.context()->pix_fmt};
            if (!vgraph.initVideo(m_job.filters, vin, vout, error))
                return Fail;
            graphW = f->width;
            graphH = f->height;
            graphFmt = f->format;
        }
        f->pts = int64_t(std::llround((ms - localStart + offsetMs) * 1000.0));
        {
            double frameMs = f->pkt_duration > 0          ? f->pkt_duration * av_q2d(vs->time_base) * 1000.0
                             : vs->avg_frame_rate.num > 0 ? 1000.0 / av_q2d(vs->avg_frame_rate)
                                                          : 2.0 * halfFrame;
            double endMs = std::min(ms + frameMs, localEnd);
            videoEndPts = int64_t(std::llround((endMs - localStart + offsetMs) * 1000.0));
        }
        if (vgraph.push(f) < 0) {
            if (error)
                *error = "video filtering failed";
            return Fail;
        }
        return pullVideo(vgraph, error) ? Ok : Fail;
    };

    auto audioFrame = [&](AVFrame *f) -> Step {
        int64_t ts = f->best_effort_timestamp;
        if (ts == AV_NOPTS_VALUE)
            ts = f->pts;
        double ms = ts == AV_NOPTS_VALUE ? localStart + audioInPts * 1000.0 / f->sample_rate
                                         : (ts - aStart) * av_q2d(as->time_base) * 1000.0;
        double dur = f->nb_samples * 1000.0 / std::max(1, f->sample_rate);
        if (ms + dur / 2 < localStart)
            return Ok;
        if (ms >= localEnd - 0.5) {
            audioDone = true;
            return Ok;
        }
        if (!agraph.isReady()) {
            AudioFilterInput ain;
            ain.sampleRate = f->sample_rate;
            ain.sampleFmt = f->format;
            ain.channels = f->ch_layout.nb_channels;
            ain.channelMask = f->ch_layout.order == AV_CHANNEL_ORDER_NATIVE ? f->ch_layout.u.mask : 0;
            ain.timeBase = {1, f->sample_rate};
            AVCodecContext *ac = m_audioEncoder.context();
            AudioFilterOutput aout;
            aout.sampleRate = ac->sample_rate;
            aout.channels = ac->ch_layout.nb_channels;
            aout.sampleFmts = {ac->sample_fmt};
            if (!agraph.initAudio(m_job.filters, ain, aout, error))
                return Fail;
        }
        f->pts = audioInPts;
        audioInPts += f->nb_samples;
        if (agraph.push(f) < 0) {
            if (error)
                *error = "audio filtering failed";
            return Fail;
        }
        return pullAudio(agraph, error) ? Ok : Fail;
    };

    auto drainDecoder = [&](Decoder &dec, bool video) -> Step {
        for (;;) {
            int ret = dec.receive(frame.get());
            if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
                return Ok;
            if (ret < 0)
                return Ok; // a damaged frame is skipped
            Step s = video ? videoFrame(frame.get()) : audioFrame(frame.get());
            av_frame_unref(frame.get());
            if (s != Ok)
                return s;
        }
    };

    while (!(videoDone && audioDone)) {
        if (m_stop.load())
            return Stop;
        int ret = dmx.read(pkt.get());
        if (ret == AVERROR_EOF || ret == AVERROR(EIO) ||
            (ret < 0 && !m_stop.load() && ret != AVERROR(EAGAIN)))
            break;
        if (ret < 0) {
            if (m_stop.load())
                return Stop;
            continue;
        }
        if (discontinuous && (pkt->stream_index == vi || pkt->stream_index == ai))
            continuity.fix(pkt.get(), dmx.stream(pkt->stream_index)->time_base);
        if (openEnded && fileSize > 0 && pkt->pos > 0) // no trustworthy length: progress by bytes read
            m_progress.store(std::clamp(double(pkt->pos) / double(fileSize), 0.0, 0.99));
        Step s = Ok;
        if (pkt->stream_index == vi && !videoDone) {
            vdec.send(pkt.get()); // a damaged packet only costs its frames
            s = drainDecoder(vdec, true);
        } else if (pkt->stream_index == ai && !audioDone) {
            adec.send(pkt.get());
            s = drainDecoder(adec, false);
        }
        av_packet_unref(pkt.get());
        if (s != Ok)
            return s;
    }
    if (m_stop.load())
        return Stop;
    if (vi >= 0 && !videoDone) {
        vdec.send(nullptr);
        if (drainDecoder(vdec, true) != Ok)
            return Fail;
    }
    if (ai >= 0 && !audioDone) {
        adec.send(nullptr);
        if (drainDecoder(adec, false) != Ok)
            return Fail;
    }
    if (vgraph.isReady()) {
        vgraph.pushEnd(videoEndPts);
        if (!pullVideo(vgraph, error))
            return Fail;
    }
    if (agraph.isReady()) {
        agraph.push(nullptr);
        if (!pullAudio(agraph, error))
            return Fail;
    }
    if (m_hasAudio) {
        // Keep sound and picture together across joins: silence fills up the
        // part where this input had no (or too short) sound.
        const AVCodecContext *ac = m_audioEncoder.context();
        double untilMs = offsetMs + (localEnd - localStart);
        if (m_hasVideo)
            untilMs =
                std::min(untilMs, m_nextVideoPts * av_q2d(m_videoEncoder.context()->time_base) * 1000.0);
        if ((m_hasVideo || ai < 0) && untilMs < 1e11)
            if (!padAudio(int64_t(untilMs * ac->sample_rate / 1000.0), error))
                return Fail;
    }
    return Ok;
}

bool Pipeline::flushEncoders(std::string *error)
{
    if (m_hasVideo && !encodeVideo(nullptr, error))
        return false;
    if (m_hasAudio) {
        if (!drainAudioFifo(true, error))
            return false;
        m_audioEncoder.send(nullptr);
        if (!writePackets(m_audioEncoder, m_audioStream, error))
            return false;
    }
    return true;
}

Transcoder::Result Pipeline::run(std::string *error)
{
    if (!openInputs(error))
        return m_stop.load() ? Transcoder::Stopped : Transcoder::Failed;
    if (!FilterGraph::checkFiles(m_job.filters, true, error))
        return Transcoder::Failed;

    double total = 0.0;
    for (const Input &in : m_inputs)
        total += in.durationMs;
    const EncodeInfo &info = m_job.info;
    m_sectionStart = std::clamp(double(std::max<int64_t>(0, info.msStart)), 0.0, total);
    m_sectionEnd = info.msEnd > info.msStart ? std::min(double(info.msEnd), total) : total;
    if (m_sectionEnd <= m_sectionStart) {
        if (error)
            *error = "the section to convert is empty";
        return Transcoder::Failed;
    }

    std::string temp = makeTempPath(m_job.output, error);
    if (temp.empty())
        return Transcoder::Failed;
    auto fail = [&](Transcoder::Result r) {
        m_muxer.abandon();
        std::remove(temp.c_str());
        return r;
    };
    if (!setupOutput(temp, error))
        return fail(Transcoder::Failed);

    double offset = 0.0; // where the next input starts on the joined timeline
    double written = 0.0;
    for (size_t k = 0; k < m_inputs.size(); ++k) {
        Input &in = m_inputs[k];
        double localStart = std::max(0.0, m_sectionStart - offset);
        double localEnd = std::min(in.durationMs, m_sectionEnd - offset);
        // The duration of joined program streams counts only the first part:
        // an open end reads such a last input to its real end.
        const bool discontinuous = in.demuxer->context()->iformat->flags & AVFMT_TS_DISCONT;
        if (discontinuous && k + 1 == m_inputs.size() &&
            (info.msEnd <= info.msStart || double(info.msEnd) >= total - 1.0)) {
            localEnd = 1e12;
            m_openEnded = true;
        }
        offset += in.durationMs;
        if (localEnd <= localStart)
            continue;
        Step s = processInput(in, written, localStart, localEnd, error);
        if (s == Stop)
            return fail(Transcoder::Stopped);
        if (s == Fail)
            return fail(Transcoder::Failed);
        written += localEnd - localStart;
        in.demuxer->close();
    }
    if (m_stop.load())
        return fail(Transcoder::Stopped);
    if (!flushEncoders(error) || !m_muxer.finish(error))
        return fail(Transcoder::Failed);
    if (m_rule.dpg) {
        std::string packed = makeTempPath(m_job.output, error);
        if (packed.empty())
            return fail(Transcoder::Failed);
        bool ok = DpgWriter::repack(temp, packed, m_outRate,
                                    m_hasAudio ? m_audioEncoder.context()->sample_rate : 32000, error);
        std::remove(temp.c_str());
        temp = packed;
        if (!ok)
            return fail(Transcoder::Failed);
    }
    if (m_rule.ape) {
        std::string packed = makeTempPath(m_job.output, error);
        if (packed.empty())
            return fail(Transcoder::Failed);
        const AVCodecContext *ac = m_audioEncoder.context(); // APE output always has sound
        bool ok = ApeWriter::encodeRawFile(temp, packed, ac->sample_rate, ac->ch_layout.nb_channels, &m_stop,
                                           error);
        std::remove(temp.c_str());
        temp = packed;
        if (!ok)
            return fail(m_stop.load() ? Transcoder::Stopped : Transcoder::Failed);
    }
    if (std::rename(temp.c_str(), m_job.output.c_str()) != 0) {
        if (error)
            *error = "cannot rename the output to [" + m_job.output + "]";
        return fail(Transcoder::Failed);
    }
    m_progress.store(1.0);
    return Transcoder::Finished;
}

} // namespace

Transcoder::Result Transcoder::run(const TranscodeJob &job, std::string *error)
{
    av::quietLogs();
    m_progress.store(0.0);
    m_frames.store(0);
    if (m_stop.load())
        return Stopped;
    Pipeline pipeline(job, m_stop, m_progress, m_frames);
    Result r = pipeline.run(error);
    if (r == Failed && m_stop.load())
        r = Stopped;
    return r;
}
