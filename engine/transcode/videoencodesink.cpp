#include "engine/transcode/videoencodesink.h"

#include "engine/av/pictureframe.h"

#include <cmath>

bool VideoEncodeSink::open(const VideoEncodeParams &params, const std::string &tag, AVRational displayAspect,
                           std::string *error)
{
    if (!m_encoder.openVideo(params, error) || !addStream(tag, error))
        return false;
    m_filterOutput.width = params.width;
    m_filterOutput.height = params.height;
    m_filterOutput.frameRate = params.frameRate;
    m_filterOutput.displayAspect = displayAspect;
    m_filterOutput.pixFmts = {m_encoder.inputPixFmt()};
    m_keyframeEveryMs = params.forceKeyframeEveryMs;
    m_nextKeyframeMs = m_keyframeEveryMs;
    return true;
}

bool VideoEncodeSink::encodeFrame(AVFrame *frame, AVRational timeBase, std::string *error)
{
    if (frame->pts != AV_NOPTS_VALUE) {
        frame->pts = av_rescale_q(frame->pts, timeBase, m_encoder.context()->time_base);
        if (frame->pts < m_nextPts)
            return true;
    } else {
        frame->pts = m_nextPts;
    }
    frame->pict_type = AV_PICTURE_TYPE_NONE;
    // A fixed quantiser is read from each picture, not from the encoder.
    if (m_encoder.context()->flags & AV_CODEC_FLAG_QSCALE)
        frame->quality = m_encoder.context()->global_quality;
    if (m_keyframeEveryMs > 0) {
        // The frame nearest each multiple of the interval is a key frame.
        const double frameMs = 1000.0 * av_q2d(m_encoder.context()->time_base);
        const double atMs = frame->pts * frameMs;
        if (atMs + frameMs / 2 >= m_nextKeyframeMs) {
            frame->pict_type = AV_PICTURE_TYPE_I;
            while (m_nextKeyframeMs <= atMs + frameMs / 2)
                m_nextKeyframeMs += m_keyframeEveryMs;
        }
    }
    m_nextPts = frame->pts + 1;
    m_progress.frameEncoded();
    m_progress.outputAt(endMs());
    return encode(frame, "video", error);
}

double VideoEncodeSink::endMs() const
{
    return m_nextPts * av_q2d(m_encoder.context()->time_base) * 1000.0;
}

bool VideoEncodeSink::fillBlack(double untilMs, std::string *error)
{
    const AVCodecContext *c = m_encoder.context();
    const double frameMs = 1000.0 * av_q2d(c->time_base);
    const int64_t count = frameMs > 0 ? std::llround((untilMs - endMs()) / frameMs) : 0;
    if (count <= 0)
        return true;
    const av::FramePtr black = av::makeBlackPicture(m_encoder.inputPixFmt(), c->width, c->height);
    if (!black)
        return av::failWith(error, "out of memory");
    black->sample_aspect_ratio = c->sample_aspect_ratio;
    for (int64_t i = 0; i < count; ++i) {
        av::FramePtr frame(av_frame_clone(black.get()));
        if (!frame)
            return av::failWith(error, "out of memory");
        frame->pts = AV_NOPTS_VALUE; // the next slot on the frame clock
        if (!take(frame.get(), c->time_base, error))
            return false;
    }
    return true;
}
