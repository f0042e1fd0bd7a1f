#include "core/profiles/videoencparam.h"

#include <tinyxml2.h>

CVideoEncParam::CVideoEncParam(const tinyxml2::XMLElement *element) : m_element(element) {}

const CVideoEncParam &CVideoEncParam::orEmpty(const CVideoEncParam *param)
{
    static const CVideoEncParam empty(nullptr);
    return param ? *param : empty;
}

QString CVideoEncParam::childText(const char *name) const
{
    if (!m_element)
        return QString();
    const tinyxml2::XMLElement *child = m_element->FirstChildElement(name);
    if (!child || !child->GetText())
        return QString();
    return QString::fromUtf8(child->GetText());
}

int CVideoEncParam::getWidth() const
{
    return childText("Width").toInt(); // 0 when missing or not a number
}

int CVideoEncParam::getHeight() const
{
    return childText("Height").toInt();
}

QString CVideoEncParam::getVideoEncoder() const
{
    return childText("VideoEncoder");
}

QString CVideoEncParam::getFrameRate() const
{
    return childText("FrameRate");
}

QString CVideoEncParam::getVideoBitrate() const
{
    return childText("VideoBitrate");
}

QString CVideoEncParam::getAudioEncoder() const
{
    return childText("AudioEncoder");
}

QString CVideoEncParam::getSampleRate() const
{
    return childText("SampleRate");
}

QString CVideoEncParam::getChannels() const
{
    return childText("Channels");
}

QString CVideoEncParam::getAudioBitrate() const
{
    return childText("AudioBitrate");
}

QString CVideoEncParam::getFormate() const
{
    return childText("Formate");
}
