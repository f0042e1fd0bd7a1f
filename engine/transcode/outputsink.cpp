#include "engine/transcode/outputsink.h"

#include <algorithm>

OutputSink::OutputSink(const std::atomic<bool> &stop, ProgressMeter &progress)
    : m_video(m_muxer, stop, progress), m_audio(m_muxer, stop, progress)
{
}

bool OutputSink::open(const OutputPlan &plan, const std::string &path, std::string *error)
{
    if (!m_muxer.open(path, plan.rule.muxer, error))
        return false;
    const bool globalHeader = m_muxer.needsGlobalHeader();
    if (plan.hasVideo) {
        VideoEncodeParams vp = plan.videoParams;
        vp.globalHeader = globalHeader;
        if (!m_video.open(vp, plan.video.tag, plan.displayAspect, error))
            return false;
        m_video.setFrameFit(plan.fit);
    }
    if (plan.hasAudio) {
        AudioEncodeParams ap = plan.audioParams;
        ap.globalHeader = globalHeader;
        if (!m_audio.open(ap, !plan.hasVideo, error))
            return false;
    }
    av::Dictionary options;
    if (plan.dvd) {
        options.set("packetsize", "2048");
        options.set("muxrate", "10080000");
    }
    return m_muxer.writeHeader(options.address(), error);
}

void OutputSink::runThreaded(StageCrew &crew)
{
    m_video.runThreaded(crew);
    m_audio.runThreaded(crew);
}

bool OutputSink::settle(std::string *error)
{
    const bool video = m_video.settle(error);
    return m_audio.settle(video ? error : nullptr) && video;
}

bool OutputSink::alignSound(double endMs, bool inputHadSound, std::string *error)
{
    if (!hasAudio() || (!hasVideo() && inputHadSound))
        return true;
    if (hasVideo())
        endMs = std::min(endMs, m_video.endMs());
    return m_audio.padTo(endMs, error);
}

bool OutputSink::alignPicture(double endMs, bool inputHadPicture, std::string *error)
{
    if (!hasVideo() || inputHadPicture)
        return true;
    return m_video.fillBlack(endMs, error);
}

bool OutputSink::finish(std::string *error)
{
    if (hasVideo() && !m_video.finish(error))
        return false;
    if (hasAudio() && !m_audio.finish(error))
        return false;
    return m_muxer.finish(error);
}
