#include "engine/av/pictureframe.h"

#include <algorithm>

extern "C" {
#include <libavutil/imgutils.h>
}

namespace av {

FramePtr makePicture(int format, int width, int height)
{
    FramePtr f = makeFrame();
    if (!f || width <= 0 || height <= 0)
        return {};
    f->format = format;
    f->width = width;
    f->height = height;
    if (av_frame_get_buffer(f.get(), 0) < 0)
        return {};
    return f;
}

FramePtr makeBlackPicture(int format, int width, int height)
{
    FramePtr f = makePicture(format, width, height);
    if (!f)
        return {};
    // The "J" formats are full range; the others' black is at 16.
    const bool full =
        format == AV_PIX_FMT_YUVJ420P || format == AV_PIX_FMT_YUVJ422P || format == AV_PIX_FMT_YUVJ444P;
    f->color_range = full ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
    ptrdiff_t linesizes[4];
    std::copy_n(f->linesize, 4, linesizes);
    if (av_image_fill_black(f->data, linesizes, AVPixelFormat(format), f->color_range, width, height) < 0)
        return {};
    return f;
}

} // namespace av
