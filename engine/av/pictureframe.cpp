#include "engine/av/pictureframe.h"

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
}

namespace av {

FramePtr makeBlackPicture(int format, int width, int height)
{
    FramePtr f(av_frame_alloc());
    if (!f || width <= 0 || height <= 0)
        return {};
    f->format = format;
    f->width = width;
    f->height = height;
    if (av_frame_get_buffer(f.get(), 0) < 0)
        return {};
    const AVPixFmtDescriptor *desc = av_pix_fmt_desc_get(AVPixelFormat(format));
    const bool fullRange = desc && (desc->flags & AV_PIX_FMT_FLAG_RGB);
    const AVColorRange range = format == AV_PIX_FMT_YUVJ420P || format == AV_PIX_FMT_YUVJ422P ||
                                       format == AV_PIX_FMT_YUVJ444P || fullRange
                                   ? AVCOL_RANGE_JPEG
                                   : AVCOL_RANGE_MPEG;
    ptrdiff_t linesizes[4];
    for (int i = 0; i < 4; ++i)
        linesizes[i] = f->linesize[i];
    if (av_image_fill_black(f->data, linesizes, AVPixelFormat(format), range, width, height) < 0)
        return {};
    f->color_range = range;
    return f;
}

} // namespace av
