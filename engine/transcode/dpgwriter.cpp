#include "engine/transcode/dpgwriter.h"

#include "engine/av/demuxer.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(FILE *f) const
    {
        if (f)
            std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

void putLe32(uint8_t *p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

// Copies one stream's packet payloads, in order, to the end of out.
bool copyStream(const std::string &source, bool video, FILE *out, uint32_t *bytes, uint32_t *packets,
                std::string *error)
{
    Demuxer demuxer;
    if (!demuxer.open(source, false, error))
        return false;
    const int index = video ? demuxer.videoIndex() : demuxer.audioIndex();
    *bytes = 0;
    *packets = 0;
    if (index < 0)
        return true;
    av::PacketPtr pkt = av::makePacket();
    for (;;) {
        int ret = demuxer.read(pkt.get());
        if (ret == AVERROR_EOF)
            break;
        if (ret < 0) {
            if (error)
                *error = "cannot read back the encoded streams: " + av::errorText(ret);
            return false;
        }
        if (pkt->stream_index == index && pkt->size > 0) {
            if (std::fwrite(pkt->data, 1, size_t(pkt->size), out) != size_t(pkt->size)) {
                if (error)
                    *error = "cannot write the output (disk full?)";
                return false;
            }
            *bytes += uint32_t(pkt->size);
            ++*packets;
        }
        av_packet_unref(pkt.get());
    }
    return true;
}

} // namespace

bool DpgWriter::repack(const std::string &programStream, const std::string &output, AVRational frameRate,
                       int sampleRate, std::string *error)
{
    FilePtr out(std::fopen(output.c_str(), "wb"));
    if (!out) {
        if (error)
            *error = "cannot create [" + output + "]";
        return false;
    }
    std::array<uint8_t, kHeaderSize> header{};
    if (std::fwrite(header.data(), 1, header.size(), out.get()) != header.size()) {
        if (error)
            *error = "cannot write the output";
        return false;
    }
    uint32_t audioBytes = 0, audioPackets = 0, videoBytes = 0, frames = 0;
    if (!copyStream(programStream, false, out.get(), &audioBytes, &audioPackets, error) ||
        !copyStream(programStream, true, out.get(), &videoBytes, &frames, error))
        return false;
    const uint32_t fps = uint32_t(std::lround(av_q2d(frameRate)));
    header = {'D', 'P', 'G', '0'};
    putLe32(&header[4], frames);
    putLe32(&header[8], fps << 8);
    putLe32(&header[12], uint32_t(sampleRate));
    putLe32(&header[16], 0); // sound is MP2
    putLe32(&header[20], kHeaderSize);
    putLe32(&header[24], audioBytes);
    putLe32(&header[28], kHeaderSize + audioBytes);
    putLe32(&header[32], videoBytes);
    if (std::fseek(out.get(), 0, SEEK_SET) != 0 ||
        std::fwrite(header.data(), 1, header.size(), out.get()) != header.size() ||
        std::fflush(out.get()) != 0) {
        if (error)
            *error = "cannot write the output header";
        return false;
    }
    FILE *raw = out.release();
    if (std::fclose(raw) != 0) {
        if (error)
            *error = "cannot close the output file";
        return false;
    }
    return true;
}
