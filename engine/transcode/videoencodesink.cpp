#include "engine/transcode/videoencodesink.h"

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
    m_nextPts = frame->pts + 1;
    m_progress.frameEncoded();
    m_progress.outputAt(endMs());
    return encode(frame, "video", error);
}

double VideoEncodeSink::endMs() const
{
    return m_nextPts * av_q2d(m_encoder.context()->time_base) * 1000.0;
}
