#include "engine/probe/mediaprobe.h"

#include "engine/av/decoder.h"
#include "engine/av/demuxer.h"
#include "engine/av/jpegwriter.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <sys/stat.h>

namespace {
// How long a probe may read a file that does not state its length.
constexpr int kLengthScanMs = 3000;
} // namespace

struct MediaProbe::Impl {
    std::string path;
    Demuxer demuxer;
    std::function<bool()> stop;
    int64_t fileSize = 0;
    double scannedMs = 0.0; // the length found by reading, for files that do not state it
    // The sound parameters as the container states them: a parser may
    // later overwrite them from frame headers that leave them to the
    // container (FLAC frames may say "as in the stream info").
    int sampleRate = 0;
    int channels = 0;

    // Reads the packets of the chosen streams (without decoding them) to
    // find where the data ends.  0 when the file could not be read to its
    // end within the time allowed.
    double scanLength(int deadlineMs)
    {
        // Only a file can be read through and then read again.
        const AVIOContext *io = demuxer.context()->pb;
        if (!io || !(io->seekable & AVIO_SEEKABLE_NORMAL) || !demuxer.seekMs(0))
            return 0.0;
        av::PacketPtr pkt = av::makePacket();
        if (!pkt)
            return 0.0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(deadlineMs);
        demuxer.setDeadline(deadlineMs);
        double endMs = 0.0;
        bool complete = false;
        for (;;) {
            const int ret = demuxer.read(pkt.get());
            if (ret < 0) {
                const AVIOContext *pb = demuxer.context()->pb;
                complete =
                    ret == AVERROR_EOF || (pb && avio_feof(const_cast<AVIOContext *>(pb)) && pb->error >= 0);
                break;
            }
            const AVStream *st = demuxer.stream(pkt->stream_index);
            int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
            if (st && ts != AV_NOPTS_VALUE) {
                ts += std::max<int64_t>(0, pkt->duration) - demuxer.startPts(pkt->stream_index);
                endMs = std::max(endMs, ts * av_q2d(st->time_base) * 1000.0);
            }
            av_packet_unref(pkt.get());
            if (std::chrono::steady_clock::now() > deadline)
                break;
        }
        demuxer.setDeadline(0);
        demuxer.seekMs(0);
        return complete ? endMs : 0.0;
    }

    // Decodes the first frame of a stream at or after targetMs (-1 = the
    // first one at all).  Returns it, or null.
    av::FramePtr decodeFrame(int index, int64_t targetMs, int deadlineMs)
    {
        AVStream *st = demuxer.stream(index);
        if (!st)
            return nullptr;
        Decoder decoder;
        std::string error;
        if (!decoder.open(st, 1, &error))
            return nullptr;
        if (targetMs > 0)
            demuxer.seekMs(targetMs);
        else
            demuxer.seekMs(0);
        demuxer.setDeadline(deadlineMs);
        av::PacketPtr pkt = av::makePacket();
        av::FramePtr frame = av::makeFrame();
        av::FramePtr last;
        const int64_t start = demuxer.startPts(index);
        auto accept = [&](AVFrame *f) {
            int64_t ts = f->best_effort_timestamp;
            double ms = ts == AV_NOPTS_VALUE ? 0.0 : (ts - start) * av_q2d(st->time_base) * 1000.0;
            last = av::makeFrame();
            av_frame_move_ref(last.get(), f);
            double half = 0.0;
            if (st->avg_frame_rate.num > 0)
                half = 500.0 / av_q2d(st->avg_frame_rate);
            return targetMs < 0 || ms + half >= double(targetMs);
        };
        bool done = false;
        int packets = 0;
        while (!done && packets < 5000) {
            int ret = demuxer.read(pkt.get());
            if (ret < 0) {
                decoder.send(nullptr);
                while (decoder.receive(frame.get()) >= 0)
                    if (accept(frame.get()))
                        break;
                break;
            }
            ++packets;
            if (pkt->stream_index == index && decoder.send(pkt.get()) >= 0) {
                while (decoder.receive(frame.get()) >= 0) {
                    if (accept(frame.get())) {
                        done = true;
                        break;
                    }
                }
            }
            av_packet_unref(pkt.get());
        }
        demuxer.setDeadline(0);
        return last;
    }
};

MediaProbe::MediaProbe() : d(std::make_unique<Impl>())
{
    av::quietLogs();
}
MediaProbe::~MediaProbe() = default;

void MediaProbe::setStopCheck(std::function<bool()> stop)
{
    d->stop = std::move(stop);
}

bool MediaProbe::open(const std::string &path)
{
    close();
    std::string error;
    if (!d->demuxer.open(path, true, &error, d->stop))
        return false;
    if (const AVStream *a = d->demuxer.stream(d->demuxer.audioIndex())) {
        d->sampleRate = a->codecpar->sample_rate;
        d->channels = a->codecpar->ch_layout.nb_channels;
    }
    // The file counts when one of its streams really decodes.
    bool decodable = false;
    for (int index : {d->demuxer.videoIndex(), d->demuxer.audioIndex()}) {
        if (index >= 0 && d->decodeFrame(index, -1, 5000)) {
            decodable = true;
            break;
        }
    }
    if (!decodable) {
        d->demuxer.close();
        return false;
    }
    struct stat st {};
    d->fileSize = ::stat(path.c_str(), &st) == 0 ? int64_t(st.st_size) : 0;
    d->path = path;
    // A file written through a pipe (or a FLAC without its sample count)
    // does not say how long it is: a quick read to its end tells.
    d->scannedMs = d->demuxer.durationMs() > 0 ? 0.0 : d->scanLength(kLengthScanMs);
    return true;
}

void MediaProbe::close()
{
    d->demuxer.close();
    d->path.clear();
    d->fileSize = 0;
    d->scannedMs = 0.0;
    d->sampleRate = d->channels = 0;
}

bool MediaProbe::isOpen() const
{
    return d->demuxer.isOpen();
}

const std::string &MediaProbe::path() const
{
    return d->path;
}

bool MediaProbe::fillFileInfo(FileInfo *info) const
{
    if (!info || !d->demuxer.isOpen())
        return false;
    *info = FileInfo();
    const double stated = d->demuxer.durationMs();
    const double durationMs = stated > 0 ? stated : d->scannedMs;
    info->durationMs = durationMs;
    AVStream *v = d->demuxer.stream(d->demuxer.videoIndex());
    AVStream *a = d->demuxer.stream(d->demuxer.audioIndex());
    int64_t vbr = 0, abr = 0;
    if (v) {
        info->width = v->codecpar->width;
        info->height = v->codecpar->height;
        AVRational fr =
            v->avg_frame_rate.num > 0 && v->avg_frame_rate.den > 0 ? v->avg_frame_rate : v->r_frame_rate;
        info->frameRate = fr.num > 0 && fr.den > 0 ? av_q2d(fr) : 0.0;
        vbr = v->codecpar->bit_rate;
    }
    if (a) {
        info->channels =
            a->codecpar->ch_layout.nb_channels > 0 ? a->codecpar->ch_layout.nb_channels : d->channels;
        info->sampleRate = a->codecpar->sample_rate > 0 ? a->codecpar->sample_rate : d->sampleRate;
        abr = a->codecpar->bit_rate;
        if (abr <= 0) {
            int bits = av_get_bits_per_sample(a->codecpar->codec_id);
            if (bits > 0)
                abr = int64_t(bits) * info->sampleRate * info->channels;
        }
    }
    // Missing stream rates are estimated from the file's overall rate.
    int64_t total = d->demuxer.context()->bit_rate;
    if (total <= 0 && durationMs > 0)
        total = int64_t(d->fileSize * 8.0 * 1000.0 / durationMs);
    if (a && abr <= 0 && total > 0)
        abr = !v        ? total
              : vbr > 0 ? std::clamp<int64_t>(total - vbr, 0, 320000)
                        : std::min<int64_t>(128000, total / 4);
    if (v && vbr <= 0 && total > 0)
        vbr = std::max<int64_t>(total - std::max<int64_t>(abr, 0), total / 10);
    info->videoBitrate = int32_t(std::clamp<int64_t>(vbr, 0, INT32_MAX));
    info->audioBitrate = int32_t(std::clamp<int64_t>(abr, 0, INT32_MAX));
    return true;
}

bool MediaProbe::isAudioOnly() const
{
    return d->demuxer.isOpen() && d->demuxer.videoIndex() < 0;
}

std::vector<uint8_t> MediaProbe::thumbnailJpeg(int64_t ms)
{
    if (!d->demuxer.isOpen() || d->demuxer.videoIndex() < 0)
        return {};
    const double stated = d->demuxer.durationMs();
    const double duration = stated > 0 ? stated : d->scannedMs;
    if (duration > 0 && ms >= int64_t(duration))
        ms = std::max<int64_t>(0, int64_t(duration) - 100);
    av::FramePtr frame = d->decodeFrame(d->demuxer.videoIndex(), std::max<int64_t>(0, ms), 5000);
    if (!frame)
        return {};
    return JpegWriter::encode(frame.get(), d->demuxer.videoRotation());
}
