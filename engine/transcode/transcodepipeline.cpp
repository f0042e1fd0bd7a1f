#include "engine/transcode/transcodepipeline.h"

#include "engine/av/enginelog.h"
#include "engine/av/filtergraph.h"
#include "engine/transcode/apewriter.h"
#include "engine/transcode/dpgwriter.h"
#include "engine/transcode/inputlanes.h"
#include "engine/transcode/stagecrew.h"

#include <QtGlobal>

#include <algorithm>
#include <cstdio>

TranscodePipeline::TranscodePipeline(const TranscodeJob &job, const std::atomic<bool> &stop,
                                     ProgressMeter &progress)
    : m_job(job), m_pipelined(job.pipelined && job.processing.threads != 1),
      m_threads(CodecThreads::choose(job.processing.threads, m_pipelined)), m_stop(stop),
      m_progress(progress), m_output(stop, progress)
{
}

TranscodeStatus TranscodePipeline::run(std::string *error)
{
    bool ok = openInputs(error) && placeSections(error) && openOutput(error);
    for (size_t k = 0; ok && k < m_inputs.size(); ++k)
        ok = convertInput(*m_inputs[k], m_job.inputs[k].filters, error);
    ok = ok && finishOutput(error);
    logDamage();
    if (ok)
        return TRANSCODE_FINISHED;
    m_output.abandon();
    m_temp.discard();
    return m_stop.load() ? TRANSCODE_STOPPED : TRANSCODE_FAILED;
}

bool TranscodePipeline::openInputs(std::string *error)
{
    if (m_job.inputs.empty())
        return av::failWith(error, "no input file");
    const Demuxer::StopCheck stopCheck = [this] { return m_stop.load(); };
    for (const TranscodeInput &input : m_job.inputs) {
        if (!FilterGraph::checkFiles(input.filters, true, error))
            return false;
        auto demuxer = std::make_unique<Demuxer>();
        const std::string &path = input.path;
        const bool opened = input.openReader
                                ? demuxer->open(input.openReader(), path, false, error, stopCheck)
                                : demuxer->open(path, false, error, stopCheck);
        if (!opened)
            return false;
        m_inputs.push_back(std::make_unique<InputCursor>(path, std::move(demuxer), m_stop, m_progress));
    }
    return true;
}

// The part of one input its section asks for: an end at or before the
// start, or past the input's length, reads it to its end.
SectionWindow TranscodePipeline::sectionOf(const TranscodeInput &spec, const InputCursor &in, bool last)
{
    const double length = in.lengthMs();
    const bool toTheEnd = spec.msEnd <= spec.msStart || double(spec.msEnd) >= length - 1.0;
    SectionWindow window;
    window.startMs = std::clamp(double(std::max<int64_t>(0, spec.msStart)), 0.0, length);
    window.endMs = toTheEnd ? length : std::min(double(spec.msEnd), length);
    // The duration of joined program streams counts only the first part:
    // an open end reads such a last input to its real end.
    if (in.discontinuous() && last && toTheEnd)
        window.endMs = SectionWindow::kOpenEnd;
    return window;
}

// Cuts each input's own section out of it; the sections are joined end to
// end on the output's timeline.
bool TranscodePipeline::placeSections(std::string *error)
{
    double span = 0.0;
    for (size_t k = 0; k < m_inputs.size(); ++k) {
        InputCursor &in = *m_inputs[k];
        const SectionWindow window = sectionOf(m_job.inputs[k], in, k + 1 == m_inputs.size());
        if (window.endMs <= window.startMs)
            return av::failWith(error, "the section to convert of [" + in.name() + "] is empty");
        in.setWindow(window);
        span += std::min(window.endMs, in.lengthMs()) - window.startMs;
    }
    m_progress.setSpan(span);
    return true;
}

bool TranscodePipeline::openOutput(std::string *error)
{
    // The first input with a picture sets what the output leaves open (size,
    // rate); the first with sound, the sound's format.
    const AVStream *videoSource = nullptr, *audioSource = nullptr;
    const FilterSettings *videoFilters = &m_job.inputs.front().filters;
    for (size_t k = 0; k < m_inputs.size(); ++k) {
        Demuxer &demuxer = m_inputs[k]->demuxer();
        if (!videoSource && (videoSource = demuxer.stream(demuxer.videoIndex())))
            videoFilters = &m_job.inputs[k].filters;
        if (!audioSource)
            audioSource = demuxer.stream(demuxer.audioIndex());
    }
    if (!OutputPlan::make(m_job.output, *videoFilters, videoSource, audioSource, &m_plan, error,
                          m_job.blackPictureForSound))
        return false;
    // A crop is never quietly cut down to the picture: the user chose it.
    for (size_t k = 0; k < m_inputs.size(); ++k) {
        const AVStream *video = m_inputs[k]->demuxer().stream(m_inputs[k]->demuxer().videoIndex());
        if (m_plan.hasVideo && video &&
            !FilterGraph::cropFits(m_job.inputs[k].filters, video->codecpar->width, video->codecpar->height,
                                   error))
            return false;
    }
    if (m_plan.rule.ape) // Monkey's Audio holds mono or stereo sound only
        m_plan.audioParams.channels = std::clamp(m_plan.audioParams.channels, 1, 2);
    m_plan.videoParams.threads = m_threads.videoEncoder;
    m_plan.videoParams.hardware = m_job.processing.useGpu;
    m_plan.audioParams.threads = m_threads.audioEncoder;
    return m_temp.create(m_job.output.path, error) && m_output.open(m_plan, m_temp.path(), error);
}

// The heart of the job: packets from the input go to their stream's lane,
// which decodes, filters and encodes them, until the section is done.  In a
// pipelined job this thread only reads; the lanes and the encoders work on
// threads of their own, and all of them have finished when this returns.
bool TranscodePipeline::convertInput(InputCursor &input, const FilterSettings &filters, std::string *error)
{
    SectionWindow window = input.window();
    window.offsetMs = m_writtenMs;
    input.setWindow(window);
    StageCrew crew(m_stop); // outlives the lanes and the encoders' threads
    InputLanes lanes;
    if (!lanes.open(input, m_output, filters, m_threads.decoder, error))
        return false;
    input.begin(lanes.videoIndex(), lanes.audioIndex());
    if (m_pipelined) {
        m_output.runThreaded(crew);
        lanes.runThreaded(crew);
    }
    bool ok = readInput(input, lanes, error) && lanes.finish(error);
    if (!ok) {
        crew.letGo(error ? *error : std::string());
        lanes.halt();
    }
    // The first failure of any stage is the reason the job gives.
    ok = m_output.settle(error) && ok;
    if (!ok && crew.failed() && error)
        *error = crew.reason();
    if (!ok)
        return false;
    m_damaged += lanes.damagedPackets() + input.damagedReads();
    m_writtenMs += input.convertedMs();
    if (!m_output.alignPicture(m_writtenMs, lanes.hasVideo(), error))
        return false;
    if (window.openEnded() && window.startMs <= 0 && input.claimedMs() <= 0)
        m_progress.inputLengthFound(input.convertedMs());
    input.close();
    return window.openEnded() || m_output.alignSound(m_writtenMs, lanes.hasAudio(), error);
}

bool TranscodePipeline::readInput(InputCursor &input, InputLanes &lanes, std::string *error)
{
    av::PacketPtr packet = av::makePacket();
    if (!packet)
        return av::failWith(error, "out of memory");
    while (!lanes.allDone()) {
        const InputCursor::Read read = input.next(packet.get(), error);
        if (read == InputCursor::Read::End)
            return true;
        if (read == InputCursor::Read::Failed)
            return false;
        StreamLane *lane = lanes.forStream(packet->stream_index);
        const bool ok = !lane || lane->done() || lane->feed(packet.get(), error);
        av_packet_unref(packet.get());
        if (!ok)
            return false;
    }
    return true;
}

bool TranscodePipeline::finishOutput(std::string *error)
{
    if (m_stop.load())
        return av::failWith(error, "stopped");
    // An output without the picture its input has is not a conversion.
    if (m_output.hasVideo() && m_progress.framesEncoded() == 0) {
        if (m_job.output.video.frameRate.isSet()) {
            char rate[32];
            std::snprintf(rate, sizeof(rate), "%g", m_job.output.video.frameRate.value());
            return av::failWith(error, std::string("no picture to write: at ") + rate +
                                           " frames per second the section holds no picture");
        }
        return av::failWith(error, "no picture of the input could be decoded");
    }
    if (!m_output.finish(error) || !repack(error) || !m_temp.commit(error))
        return false;
    m_progress.finished();
    return true;
}

// Formats FFmpeg cannot write come from a container it can, rewritten.
bool TranscodePipeline::repack(std::string *error)
{
    if (!m_plan.rule.dpg && !m_plan.rule.ape)
        return true;
    TempOutput packed;
    if (!packed.create(m_job.output.path, error))
        return false;
    const AVCodecContext *ac = m_output.hasAudio() ? m_output.audio().context() : nullptr;
    bool ok;
    if (m_plan.rule.dpg)
        ok = DpgWriter::repack(m_temp.path(), packed.path(), m_plan.videoParams.frameRate,
                               ac ? ac->sample_rate : 32000, error);
    else // Monkey's Audio output always has sound
        ok = ApeWriter::encodeRawFile(m_temp.path(), packed.path(), ac->sample_rate,
                                      ac->ch_layout.nb_channels, &m_stop, error);
    if (ok)
        m_temp = std::move(packed);
    return ok;
}

void TranscodePipeline::logDamage() const
{
    if (m_damaged > 0)
        qCWarning(lcEngine, "[%lld] damaged packets skipped converting to [%s]",
                  static_cast<long long>(m_damaged), m_job.output.path.c_str());
}
