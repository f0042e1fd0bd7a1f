#include "engine/transcode/segmentsplitter.h"

#include "engine/av/avptr.h"
#include "engine/av/enginelog.h"
#include "engine/av/filtersettings.h"
#include "engine/av/remuxinput.h"
#include "engine/transcode/encodernames.h"
#include "engine/transcode/outputplan.h"
#include "engine/transcode/segmentwriter.h"
#include "engine/transcode/tempoutput.h"

#include <QtGlobal>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <memory>

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
    const av::InputOpening opened = av::openInput(path, nullptr, nullptr, ctx);
    if (!opened.ok())
        return av::failWith(error, "cannot read the converted file: " + av::errorText(opened.code));
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

PacketNote noteOf(const AVFormatContext *ctx, const AVPacket *packet, int reference,
                  std::vector<double> &lastMs)
{
    PacketNote note;
    note.stream = packet->stream_index;
    const int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    const AVStream *st = ctx->streams[note.stream];
    note.ms = ts != AV_NOPTS_VALUE ? ts * av_q2d(st->time_base) * 1000.0 : lastMs[size_t(note.stream)];
    lastMs[size_t(note.stream)] = note.ms;
    note.bytes = packet->size;
    note.cutHere = note.stream == reference && (packet->flags & AV_PKT_FLAG_KEY);
    return note;
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
    int readError = 0;
    const av::CopyEnd end = av::copyPackets(
        ctx, stop,
        [&](AVPacket *packet) {
            notes->packets.push_back(noteOf(ctx, packet, notes->reference, lastMs));
            return true;
        },
        &readError);
    if (end == av::CopyEnd::Stopped)
        return av::failWith(error, "stopped");
    if (end != av::CopyEnd::InputEnded)
        return av::failWith(error, "cannot read the converted file: " + av::errorText(readError));
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

int64_t fileSize(const std::string &path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? int64_t(st.st_size) : -1;
}

// Which segment every packet of the whole file goes to, and where each
// segment's last packet is.
struct Routing {
    std::vector<int> segmentOf;
    std::vector<size_t> last;
};

Routing route(const FileNotes &notes, const Cuts &cuts)
{
    Routing routing;
    routing.segmentOf = assign(notes, cuts);
    routing.last.assign(cuts.at.size(), 0);
    for (size_t i = 0; i < routing.segmentOf.size(); ++i)
        routing.last[size_t(routing.segmentOf[i])] = i;
    return routing;
}

// The segments of one cutting, opened at their first packet and finished
// after their last.
struct SegmentRun {
    const std::string &outputPath;
    const OutputPlan &plan;
    const Cuts &cuts;
    Routing routing;
    std::vector<std::unique_ptr<SegmentWriter>> *segments;
    std::vector<bool> finished;
};

// Writes packet number i of the whole file into its segment.
bool writePacket(SegmentRun &run, size_t i, AVPacket *packet, AVFormatContext *input, std::string *error)
{
    const size_t k = size_t(run.routing.segmentOf[i]);
    auto &writer = (*run.segments)[k];
    if (!writer) {
        writer = std::make_unique<SegmentWriter>(run.plan);
        if (!writer->open(SegmentSplitter::segmentPath(run.outputPath, int(k) + 1), run.plan, input, error))
            return false;
    }
    if (!writer->write(packet, input->streams[packet->stream_index], k == 0 ? 0.0 : run.cuts.ms[k], error))
        return false;
    if (i == run.routing.last[k]) {
        if (!writer->finish(error))
            return false;
        run.finished[k] = true;
    }
    return true;
}

// Writes every segment under its temporary name.
bool writeSegments(const std::string &whole, const std::string &outputPath, const OutputPlan &plan,
                   const FileNotes &notes, const Cuts &cuts, const std::atomic<bool> &stop,
                   std::vector<std::unique_ptr<SegmentWriter>> *segments, std::string *error)
{
    av::InputFormatPtr input;
    if (!openInput(whole, input, error))
        return false;
    segments->clear();
    segments->resize(cuts.at.size());
    SegmentRun run{outputPath, plan, cuts, route(notes, cuts), segments, std::vector<bool>(cuts.at.size())};
    size_t count = 0;
    int readError = 0;
    // Packets past the ones first seen (none, unless the file changed) are left out.
    const av::CopyEnd end = av::copyPackets(
        input.get(), stop,
        [&](AVPacket *packet) {
            return count >= notes.packets.size() || writePacket(run, count++, packet, input.get(), error);
        },
        &readError);
    if (end == av::CopyEnd::Stopped)
        return av::failWith(error, "stopped");
    if (end == av::CopyEnd::Refused)
        return false;
    if (end == av::CopyEnd::ReadFailed || count < notes.packets.size())
        return av::failWith(error,
                            "the converted file changed while it was cut: " +
                                av::errorText(end == av::CopyEnd::ReadFailed ? readError : AVERROR_EOF));
    for (size_t k = 0; k < segments->size(); ++k) {
        if (!(*segments)[k] || !run.finished[k])
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
    // The extension stays last: the container is chosen by it.
    return TempOutput::reserve(dir, stem, ".whole" + ext, error);
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
