#include "engine/probe/mediaprobe.h"

#include "engine/av/decoder.h"
#include "engine/av/demuxer.h"
#include "engine/av/jpegwriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sys/stat.h>

struct MediaProbe::Impl {
    std::string path;
    Demuxer demuxer;
    std::function<bool()> stop;
    int64_t fileSize = 0;

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
    return true;
}

void MediaProbe::close()
{
    d->demuxer.close();
    d->path.clear();
    d->fileSize = 0;
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
    const double durationMs = d->demuxer.durationMs();
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
        info->channels = a->codecpar->ch_layout.nb_channels;
        info->sampleRate = a->codecpar->sample_rate;
        abr = a->codecpar->bit_rate;
        if (abr <= 0) {
            int bits = av_get_bits_per_sample(a->codecpar->codec_id);
            if (bits > 0)
                abr = int64_t(bits) * a->codecpar->sample_rate * info->channels;
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
    const double duration = d->demuxer.durationMs();
    if (duration > 0 && ms >= int64_t(duration))
        ms = std::max<int64_t>(0, int64_t(duration) - 100);
    av::FramePtr frame = d->decodeFrame(d->demuxer.videoIndex(), std::max<int64_t>(0, ms), 5000);
    if (!frame)
        return {};
    return JpegWriter::encode(frame.get(), d->demuxer.videoRotation());
}
