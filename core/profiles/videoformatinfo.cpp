#include "core/profiles/videoformatinfo.h"

#include <tinyxml2.h>

CVideoFormatInfo::CVideoFormatInfo(const tinyxml2::XMLElement *element) : m_element(element)
{
    if (m_element) {
        if (const tinyxml2::XMLElement *enc = m_element->FirstChildElement("EncParam"))
            m_encParam = std::make_unique<CVideoEncParam>(enc);
    }
}

CVideoFormatInfo::~CVideoFormatInfo() = default;

QString CVideoFormatInfo::attribute(const char *name) const
{
    if (!m_element)
        return QString();
    const char *value = m_element->Attribute(name);
    return value ? QString::fromUtf8(value) : QString();
}

QString CVideoFormatInfo::childText(const char *name) const
{
    if (!m_element)
        return QString();
    const tinyxml2::XMLElement *child = m_element->FirstChildElement(name);
    if (!child || !child->GetText())
        return QString();
    return QString::fromUtf8(child->GetText());
}

QStringList CVideoFormatInfo::list(const char *child) const
{
    return childText(child).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

QString CVideoFormatInfo::getID() const
{
    return attribute("id");
}

QString CVideoFormatInfo::getName() const
{
    return childText("name");
}

QString CVideoFormatInfo::getIcon() const
{
    return attribute("icon").replace(QLatin1Char('/'), QLatin1Char('-'));
}

QString CVideoFormatInfo::getFormat() const
{
    return attribute("Format");
}

QStringList CVideoFormatInfo::getVideoEncoderList() const
{
    return list("VideoEnclist");
}

QStringList CVideoFormatInfo::getResolutionList() const
{
    return list("Resolution");
}

QStringList CVideoFormatInfo::getFrameRateList() const
{
    return list("FrameRate");
}

QStringList CVideoFormatInfo::getVideoBitrateList() const
{
    return list("VideoBitrate");
}

QStringList CVideoFormatInfo::getAudioEncoderList() const
{
    return list("AudioEnclist");
}

QStringList CVideoFormatInfo::getSampleRateList() const
{
    return list("SampleRate");
}

QStringList CVideoFormatInfo::getChannelList() const
{
    return list("Channel");
}

QStringList CVideoFormatInfo::getAudioBitrateList() const
{
    return list("AudioBitrate");
}
