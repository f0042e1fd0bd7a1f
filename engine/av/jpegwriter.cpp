#include "engine/av/jpegwriter.h"

#include "engine/av/pictureframe.h"
#include "engine/av/scalercpu.h"

extern "C" {
#include <libavutil/imgutils.h>
}

#include <cmath>

namespace {

// Copies an RGB24 picture turned clockwise by rotation degrees.
av::FramePtr rotateRgb(const AVFrame *src, int rotation)
{
    const bool swap = rotation == 90 || rotation == 270;
    av::FramePtr dst =
        av::makePicture(AV_PIX_FMT_RGB24, swap ? src->height : src->width, swap ? src->width : src->height);
    if (!dst)
        return nullptr;
    const int w = src->width, h = src->height;
    for (int y = 0; y < h; ++y) {
        const uint8_t *row = src->data[0] + y * src->linesize[0];
        for (int x = 0; x < w; ++x) {
            int dx, dy;
            switch (rotation) {
            case 90:
                dx = h - 1 - y;
                dy = x;
                break;
            case 180:
                dx = w - 1 - x;
                dy = h - 1 - y;
                break;
            case 270:
                dx = y;
                dy = w - 1 - x;
                break;
            default:
                dx = x;
                dy = y;
            }
            uint8_t *out = dst->data[0] + dy * dst->linesize[0] + dx * 3;
            out[0] = row[x * 3];
            out[1] = row[x * 3 + 1];
            out[2] = row[x * 3 + 2];
        }
    }
    return dst;
}

av::FramePtr convert(const AVFrame *src, int width, int height, AVPixelFormat format)
{
    av::tuneScalerForCpu();
    av::SwsPtr sws(sws_getContext(src->width, src->height, AVPixelFormat(src->format), width, height, format,
                                  SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!sws)
        return nullptr;
    av::FramePtr dst = av::makePicture(format, width, height);
    if (!dst)
        return nullptr;
    sws_scale(sws.get(), src->data, src->linesize, 0, src->height, dst->data, dst->linesize);
    return dst;
}

} // namespace

std::vector<uint8_t> JpegWriter::encode(const AVFrame *frame, int rotation, int quality)
{
    if (!frame || frame->width <= 0 || frame->height <= 0)
        return {};
    // Square pixels: stretch the width by the sample aspect.
    int width = frame->width;
    AVRational sar = frame->sample_aspect_ratio;
    if (sar.num > 0 && sar.den > 0 && sar.num != sar.den)
        width = std::max(2, int(std::lround(width * av_q2d(sar))));
    av::FramePtr rgb = convert(frame, width, frame->height, AV_PIX_FMT_RGB24);
    if (!rgb)
        return {};
    if (rotation == 90 || rotation == 180 || rotation == 270) {
        rgb = rotateRgb(rgb.get(), rotation);
        if (!rgb)
            return {};
    }
    av::FramePtr yuv = convert(rgb.get(), rgb->width, rgb->height, AV_PIX_FMT_YUVJ420P);
    if (!yuv)
        return {};

    const AVCodec *codec = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
    if (!codec)
        return {};
    av::CodecContextPtr ctx(avcodec_alloc_context3(codec));
    if (!ctx)
        return {};
    ctx->width = yuv->width;
    ctx->height = yuv->height;
    ctx->pix_fmt = AV_PIX_FMT_YUVJ420P;
    ctx->time_base = {1, 25};
    ctx->flags |= AV_CODEC_FLAG_QSCALE;
    ctx->global_quality = FF_QP2LAMBDA * quality;
    if (avcodec_open2(ctx.get(), codec, nullptr) < 0)
        return {};
    yuv->pts = 0;
    yuv->quality = ctx->global_quality;
    if (avcodec_send_frame(ctx.get(), yuv.get()) < 0 || avcodec_send_frame(ctx.get(), nullptr) < 0)
        return {};
    av::PacketPtr pkt = av::makePacket();
    if (!pkt || avcodec_receive_packet(ctx.get(), pkt.get()) < 0)
        return {};
    return std::vector<uint8_t>(pkt->data, pkt->data + pkt->size);
}
