#include "engine/transcode/segmentsplitter.h"

#include "engine/av/avptr.h"
#include "engine/av/enginelog.h"
#include "engine/av/filtersettings.h"
#include "engine/transcode/encodernames.h"
#include "engine/transcode/outputplan.h"
#include "engine/transcode/tempoutput.h"

#include <QtGlobal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <map>
#include <memory>
#include <random>

namespace {

// One packet of the whole file, as the first reading saw it.
struct PacketNote {
    int stream = 0;
    double ms = 0.0; // presentation time
    int64_t bytes = 0;
    bool cutHere = false; // a segment may start with this packet
};

struct FileNotes {
    std::vector<PacketNote> packets;
    int reference = -1;    // the stream whose key frames segments start on
    double frameMs = 40.0; // the reference stream's packet spacing
};

// Where the segments start: file positions of their first packet of the
// reference stream (the first segment starts at 0) and those packets' times.
struct Cuts {
    std::vector<size_t> at; // ascending, first is 0
    std::vector<double> ms; // time of each cut (the first is unused)
};

bool openInput(const std::string &path, av::InputFormatPtr &ctx, std::string *error)
{
    AVFormatContext *raw = nullptr;
    int ret = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (ret < 0)
        return av::failWith(error, "cannot read the converted file: " + av::errorText(ret));
    ctx.reset(raw);
    ret = avformat_find_stream_info(raw, nullptr);
    if (ret < 0)
        return av::failWith(error, "cannot read the converted file: " + av::errorText(ret));
    return true;
}

int referenceStream(const AVFormatContext *ctx)
{
    for (int kind : {int(AVMEDIA_TYPE_VIDEO), int(AVMEDIA_TYPE_AUDIO)}) {
        for (unsigned i = 0; i < ctx->nb_streams; ++i) {
            const AVStream *st = ctx->streams[i];
            if (st->codecpar->codec_type == kind && !(st->disposition & AV_DISPOSITION_ATTACHED_PIC))
                return int(i);
        }
    }
    return ctx->nb_streams > 0 ? 0 : -1;
}

bool readNotes(AVFormatContext *ctx, const std::atomic<bool> &stop, FileNotes *notes, std::string *error)
{
    notes->reference = referenceStream(ctx);
    if (notes->reference < 0)
        return av::failWith(error, "the converted file has no streams");
    const AVStream *ref = ctx->streams[notes->reference];
    if (ref->avg_frame_rate.num > 0 && ref->avg_frame_rate.den > 0)
        notes->frameMs = 1000.0 / av_q2d(ref->avg_frame_rate);
    std::vector<double> lastMs(ctx->nb_streams, 0.0);
    av::PacketPtr packet = av::makePacket();
    if (!packet)
        return av::failWith(error, "out of memory");
    for (;;) {
        if (stop.load())
            return av::failWith(error, "stopped");
        const int ret = av_read_frame(ctx, packet.get());
        if (ret == AVERROR_EOF)
            break;
        if (ret < 0)
            return av::failWith(error, "cannot read the converted file: " + av::errorText(ret));
        PacketNote note;
        note.stream = packet->stream_index;
        const int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        const AVStream *st = ctx->streams[note.stream];
        note.ms = ts != AV_NOPTS_VALUE ? ts * av_q2d(st->time_base) * 1000.0 : lastMs[size_t(note.stream)];
        lastMs[size_t(note.stream)] = note.ms;
        note.bytes = packet->size;
        note.cutHere = note.stream == notes->reference && (packet->flags & AV_PKT_FLAG_KEY);
        notes->packets.push_back(note);
        av_packet_unref(packet.get());
    }
    if (notes->packets.empty())
        return av::failWith(error, "the converted file is empty");
    return true;
}

// Candidate positions: packets a segment may start with (never the very first).
std::vector<size_t> candidates(const FileNotes &notes)
{
    std::vector<size_t> list;
    for (size_t i = 1; i < notes.packets.size(); ++i)
        if (notes.packets[i].cutHere)
            list.push_back(i);
    return list;
}

Cuts cutsByTime(const FileNotes &notes, double maxMs)
{
    Cuts cuts;
    cuts.at.push_back(0);
    cuts.ms.push_back(0.0);
    double segmentStart = -1.0;
    for (const PacketNote &p : notes.packets) {
        if (p.stream == notes.reference) {
            segmentStart = p.ms;
            break;
        }
    }
    const double slack = notes.frameMs / 2.0;
    for (size_t i : candidates(notes)) {
        const double at = notes.packets[i].ms;
        if (at + slack >= segmentStart + maxMs) {
            cuts.at.push_back(i);
            cuts.ms.push_back(at);
            segmentStart = at;
        }
    }
    return cuts;
}

// Segment sizes are estimated from the packets plus what a container adds
// around them; budget is the share of the limit the estimate may use.
Cuts cutsBySize(const FileNotes &notes, double budget)
{
    const size_t n = notes.packets.size();
    std::vector<double> before(n + 1, 0.0); // bytes of the packets before each position
    for (size_t i = 0; i < n; ++i)
        before[i + 1] = before[i] + double(notes.packets[i].bytes);
    const auto estimate = [&](size_t from, size_t to) {
        return before[to] - before[from] + 48.0 * double(to - from) + 32768.0;
    };
    std::vector<size_t> stops = candidates(notes);
    stops.push_back(n);
    Cuts cuts;
    cuts.at.push_back(0);
    cuts.ms.push_back(0.0);
    size_t start = 0;
    size_t next = 0; // the first stop after start
    for (;;) {
        while (next < stops.size() && stops[next] <= start)
            ++next;
        if (next >= stops.size())
            break;
        // As many whole key-frame intervals as fit; at least one, even when
        // that one alone is over the budget.
        size_t take = next;
        while (take + 1 < stops.size() && estimate(start, stops[take + 1]) <= budget)
            ++take;
        if (stops[take] >= n)
            break; // the rest fits
        start = stops[take];
        cuts.at.push_back(start);
        cuts.ms.push_back(notes.packets[start].ms);
    }
    return cuts;
}

// The segment (0-based) of every packet: picture packets by their place in
// the file, the others by their time, so that the sound of a segment is the
// sound that plays with its pictures.
std::vector<int> assign(const FileNotes &notes, const Cuts &cuts)
{
    std::vector<int> segment(notes.packets.size(), 0);
    size_t k = 0;
    for (size_t i = 0; i < notes.packets.size(); ++i) {
        while (k + 1 < cuts.at.size() && cuts.at[k + 1] <= i)
            ++k;
        const PacketNote &p = notes.packets[i];
        if (p.stream == notes.reference) {
            segment[i] = int(k);
        } else {
            const auto it = std::upper_bound(cuts.ms.begin() + 1, cuts.ms.end(), p.ms);
            segment[i] = int(it - (cuts.ms.begin() + 1));
        }
    }
    return segment;
}

// One segment being written.
class SegmentWriter {
public:
    bool open(const std::string &finalPath, const OutputPlan &plan, AVFormatContext *input,
              std::string *error)
    {
        if (!m_temp.create(finalPath, error))
            return false;
        AVFormatContext *raw = nullptr;
        int ret =
            avformat_alloc_output_context2(&raw, nullptr, plan.rule.muxer.c_str(), m_temp.path().c_str());
        if (ret < 0 || !raw)
            return av::failWith(error, "the container " + plan.rule.muxer + " cannot be written");
        m_ctx.reset(raw);
        for (unsigned i = 0; i < input->nb_streams; ++i) {
            const AVStream *in = input->streams[i];
            AVStream *out = avformat_new_stream(raw, nullptr);
            if (!out || avcodec_parameters_copy(out->codecpar, in->codecpar) < 0)
                return av::failWith(error, "cannot add a stream to a segment");
            // Keep the stream's FourCC when the container knows it for the codec.
            const unsigned tag = in->codecpar->codec_tag;
            if (tag && raw->oformat->codec_tag &&
                av_codec_get_id(raw->oformat->codec_tag, tag) != in->codecpar->codec_id)
                out->codecpar->codec_tag = 0;
            out->time_base = in->time_base;
            out->sample_aspect_ratio = in->sample_aspect_ratio;
            out->avg_frame_rate = in->avg_frame_rate;
            out->disposition = in->disposition;
        }
        if (!(raw->oformat->flags & AVFMT_NOFILE)) {
            ret = avio_open(&raw->pb, m_temp.path().c_str(), AVIO_FLAG_WRITE);
            if (ret < 0)
                return av::failWith(error, "cannot write a segment: " + av::errorText(ret));
        }
        av::Dictionary options;
        if (plan.dvd) {
            options.set("packetsize", "2048");
            options.set("muxrate", "10080000");
        }
        ret = avformat_write_header(raw, options.address());
        if (ret < 0)
            return av::failWith(error, "cannot write a segment's header: " + av::errorText(ret));
        return true;
    }

    // Writes a packet of the whole file, shifted so that the segment starts at startMs.
    bool write(AVPacket *packet, const AVStream *in, double startMs, std::string *error)
    {
        const int64_t shift = int64_t(std::llround(startMs / 1000.0 / av_q2d(in->time_base)));
        if (packet->pts != AV_NOPTS_VALUE)
            packet->pts -= shift;
        if (packet->dts != AV_NOPTS_VALUE)
            packet->dts -= shift;
        AVStream *out = m_ctx->streams[packet->stream_index];
        av_packet_rescale_ts(packet, in->time_base, out->time_base);
        packet->pos = -1;
        const int ret = av_interleaved_write_frame(m_ctx.get(), packet);
        if (ret < 0)
            return av::failWith(error, "cannot write a segment: " + av::errorText(ret));
        return true;
    }

    bool finish(std::string *error)
    {
        int ret = av_write_trailer(m_ctx.get());
        if (ret >= 0 && m_ctx->pb && !(m_ctx->oformat->flags & AVFMT_NOFILE))
            ret = avio_closep(&m_ctx->pb);
        m_ctx.reset();
        if (ret < 0)
            return av::failWith(error, "cannot finish a segment: " + av::errorText(ret));
        return true;
    }

    TempOutput &file() { return m_temp; }

private:
    TempOutput m_temp;
    av::OutputFormatPtr m_ctx;
};

int64_t fileSize(const std::string &path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? int64_t(st.st_size) : -1;
}

// Writes every segment under its temporary name.
bool writeSegments(const std::string &whole, const std::string &outputPath, const OutputPlan &plan,
                   const FileNotes &notes, const Cuts &cuts, const std::atomic<bool> &stop,
                   std::vector<std::unique_ptr<SegmentWriter>> *segments, std::string *error)
{
    av::InputFormatPtr input;
    if (!openInput(whole, input, error))
        return false;
    const std::vector<int> segmentOf = assign(notes, cuts);
    std::vector<size_t> last(cuts.at.size(), 0);
    for (size_t i = 0; i < segmentOf.size(); ++i)
        last[size_t(segmentOf[i])] = i;
    segments->clear();
    segments->resize(cuts.at.size());
    std::vector<bool> finished(cuts.at.size(), false);
    av::PacketPtr packet = av::makePacket();
    if (!packet)
        return av::failWith(error, "out of memory");
    for (size_t i = 0; i < notes.packets.size(); ++i) {
        if (stop.load())
            return av::failWith(error, "stopped");
        const int ret = av_read_frame(input.get(), packet.get());
        if (ret < 0)
            return av::failWith(error, "the converted file changed while it was cut: " + av::errorText(ret));
        const size_t k = size_t(segmentOf[i]);
        auto &writer = (*segments)[k];
        if (!writer) {
            writer = std::make_unique<SegmentWriter>();
            if (!writer->open(SegmentSplitter::segmentPath(outputPath, int(k) + 1), plan, input.get(), error))
                return false;
        }
        const bool ok = writer->write(packet.get(), input->streams[packet->stream_index],
                                      k == 0 ? 0.0 : cuts.ms[k], error);
        av_packet_unref(packet.get());
        if (!ok)
            return false;
        if (i == last[k]) {
            if (!writer->finish(error))
                return false;
            finished[k] = true;
        }
    }
    for (size_t k = 0; k < segments->size(); ++k) {
        if (!(*segments)[k] || !finished[k])
            return av::failWith(error, "a segment was left empty");
    }
    return true;
}

} // namespace

SegmentSplitter::Limits SegmentSplitter::limitsOf(const OutputSpec &output)
{
    Limits limits;
    limits.maxBytes = std::max<int64_t>(0, output.splitBytes);
    limits.maxMs = std::max<int64_t>(0, output.splitMs);
    return limits;
}

bool SegmentSplitter::wanted(const OutputSpec &output)
{
    const Limits limits = limitsOf(output);
    if (limits.maxBytes <= 0 && limits.maxMs <= 0)
        return false;
    const ContainerRule rule = output.dvd ? EncoderNames::dvd() : EncoderNames::container(output.path);
    return !rule.muxer.empty() && !rule.dpg && !rule.ape;
}

std::string SegmentSplitter::segmentPath(const std::string &outputPath, int number)
{
    const size_t slash = outputPath.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    size_t dot = outputPath.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart)
        dot = outputPath.size();
    char digits[16];
    std::snprintf(digits, sizeof(digits), "_%03d", number);
    return outputPath.substr(0, dot) + digits + outputPath.substr(dot);
}

std::string SegmentSplitter::reserveWholePath(const std::string &outputPath, std::string *error)
{
    const size_t slash = outputPath.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : outputPath.substr(0, slash);
    const std::string name = slash == std::string::npos ? outputPath : outputPath.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
    thread_local std::mt19937 engine{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate =
            dir + "/." + stem + "." + std::to_string(engine() % 1000000u) + ".whole" + ext;
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return candidate;
        }
        if (errno != EEXIST)
            break;
    }
    av::failWith(error, "cannot write into the folder [" + dir + "]");
    return {};
}

namespace {

// The largest segment over the byte limit (0 when none), and whether an
// oversized segment has a key frame to cut at.
struct Oversize {
    int64_t largest = 0;
    bool reducible = false;
};

Oversize measure(const std::vector<std::unique_ptr<SegmentWriter>> &segments, const Cuts &cuts,
                 const FileNotes &notes, int64_t maxBytes)
{
    Oversize over;
    for (size_t k = 0; k < segments.size(); ++k) {
        const int64_t size = fileSize(segments[k]->file().path());
        if (size <= maxBytes)
            continue;
        over.largest = std::max(over.largest, size);
        const size_t end = k + 1 < cuts.at.size() ? cuts.at[k + 1] : notes.packets.size();
        for (size_t i = cuts.at[k] + 1; i < end; ++i)
            over.reducible = over.reducible || notes.packets[i].cutHere;
    }
    return over;
}

// All or nothing: the segments go in place together.
bool placeAll(std::vector<std::unique_ptr<SegmentWriter>> &segments, const std::string &outputPath,
              std::vector<std::string> *written, std::string *error)
{
    std::vector<std::string> placed;
    for (size_t k = 0; k < segments.size(); ++k) {
        const std::string target = SegmentSplitter::segmentPath(outputPath, int(k) + 1);
        if (!segments[k]->file().commitAsNew(target, error)) {
            for (const std::string &path : placed)
                std::remove(path.c_str());
            return false;
        }
        placed.push_back(target);
    }
    *written = placed;
    return true;
}

} // namespace

bool SegmentSplitter::split(const std::string &whole, const std::string &outputPath, const OutputSpec &output,
                            const std::atomic<bool> &stop, std::vector<std::string> *written,
                            std::string *error)
{
    const Limits limits = limitsOf(output);
    av::InputFormatPtr input;
    FileNotes notes;
    if (!openInput(whole, input, error) || !readNotes(input.get(), stop, &notes, error))
        return false;
    // The container the segments are written in is the one the job chose.
    const AVStream *video = nullptr, *audio = nullptr;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream *st = input->streams[i];
        if (!video && st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
            video = st;
        if (!audio && st->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            audio = st;
    }
    OutputPlan plan;
    OutputSpec spec = output;
    spec.path = outputPath;
    if (!OutputPlan::make(spec, FilterSettings(), video, audio, &plan, error))
        return false;
    input.reset();

    std::vector<std::unique_ptr<SegmentWriter>> segments;
    double budget = 0.97 * double(limits.maxBytes);
    for (int attempt = 0;; ++attempt) {
        const Cuts cuts =
            limits.maxMs > 0 ? cutsByTime(notes, double(limits.maxMs)) : cutsBySize(notes, budget);
        if (!writeSegments(whole, outputPath, plan, notes, cuts, stop, &segments, error))
            return false;
        if (limits.maxMs > 0)
            break;
        // The container's own bytes are only estimated: measure, and cut
        // shorter when a segment came out over the limit.
        const Oversize over = measure(segments, cuts, notes, limits.maxBytes);
        if (over.largest == 0)
            break;
        if (!over.reducible || attempt >= 4) {
            qCWarning(
                lcEngine,
                "split: a segment of [%s] is %lld bytes, over the limit of %lld (one key-frame interval "
                "is larger)",
                outputPath.c_str(), static_cast<long long>(over.largest),
                static_cast<long long>(limits.maxBytes));
            break;
        }
        budget *= double(limits.maxBytes) / double(over.largest) * 0.98;
    }

    return placeAll(segments, outputPath, written, error);
}
