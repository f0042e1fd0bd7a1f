#include "core/profiles/videoprofileformatuserconfig.h"

#include "core/profiles/videoprofileinfomanager.h"
#include "core/profiles/videoprofileuserconfig.h"
#include "engine/transcode/encodeinfo.h"

#include <tinyxml2.h>

VideoProfileFormatUserConfig::VideoProfileFormatUserConfig(tinyxml2::XMLElement *element) : m_element(element)
{
    if (!m_element)
        return;
    const char *id = m_element->Attribute("id");
    m_info = CVideoProfileInfoManager::getInstance()->getFormatInfo(id ? QString::fromUtf8(id) : QString());
}

bool VideoProfileFormatUserConfig::isSkip() const
{
    if (!m_element)
        return false;
    const char *skip = m_element->Attribute("skip");
    return skip && QString::fromUtf8(skip).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

void VideoProfileFormatUserConfig::setSkip(bool skip)
{
    write("skip", skip ? QStringLiteral("true") : QStringLiteral("false"));
}

QString VideoProfileFormatUserConfig::getID() const
{
    return m_info ? m_info->getID() : QString();
}

QString VideoProfileFormatUserConfig::getName() const
{
    return m_info ? m_info->getName() : QString();
}

QString VideoProfileFormatUserConfig::getIcon() const
{
    return m_info ? m_info->getIcon() : QString();
}

QString VideoProfileFormatUserConfig::getFormat() const
{
    return m_info ? m_info->getFormat() : QString();
}

QString VideoProfileFormatUserConfig::override(const char *attribute, const QString &fallback) const
{
    if (m_element) {
        if (const char *value = m_element->Attribute(attribute))
            return QString::fromUtf8(value);
    }
    return fallback;
}

static const CVideoEncParam &encParamOf(const CVideoFormatInfo *info)
{
    return CVideoEncParam::orEmpty(info ? info->getEncParam() : nullptr);
}

QString VideoProfileFormatUserConfig::getVideoEncoder() const
{
    return override("videoEncoder", encParamOf(m_info).getVideoEncoder());
}

QSize VideoProfileFormatUserConfig::getResolution() const
{
    if (m_element) {
        const char *w = m_element->Attribute("width");
        const char *h = m_element->Attribute("height");
        if (w && h)
            return QSize(QString::fromUtf8(w).toInt(), QString::fromUtf8(h).toInt());
    }
    const CVideoEncParam &p = encParamOf(m_info);
    return QSize(p.getWidth(), p.getHeight());
}

QString VideoProfileFormatUserConfig::getFrameRate() const
{
    return override("frameRate", encParamOf(m_info).getFrameRate());
}

QString VideoProfileFormatUserConfig::getVideoBitrate() const
{
    return override("videoBitrate", encParamOf(m_info).getVideoBitrate());
}

QString VideoProfileFormatUserConfig::getAudioEncoder() const
{
    return override("audioEncoder", encParamOf(m_info).getAudioEncoder());
}

QString VideoProfileFormatUserConfig::getSampleRate() const
{
    return override("sampleRate", encParamOf(m_info).getSampleRate());
}

QString VideoProfileFormatUserConfig::getChannels() const
{
    return override("channels", encParamOf(m_info).getChannels());
}

QString VideoProfileFormatUserConfig::getAudioBitrate() const
{
    return override("audioBitrate", encParamOf(m_info).getAudioBitrate());
}

QString VideoProfileFormatUserConfig::getFormate() const
{
    return override("formate", encParamOf(m_info).getFormate());
}

QStringList VideoProfileFormatUserConfig::getVideoEncoderList() const
{
    return m_info ? m_info->getVideoEncoderList() : QStringList();
}

QStringList VideoProfileFormatUserConfig::getResolutionList() const
{
    return m_info ? m_info->getResolutionList() : QStringList();
}

QStringList VideoProfileFormatUserConfig::getFrameRateList() const
{
    return m_info ? m_info->getFrameRateList() : QStringList();
}

QStringList VideoProfileFormatUserConfig::getVideoBitrateList() const
{
    return m_info ? m_info->getVideoBitrateList() : QStringList();
}

QStringList VideoProfileFormatUserConfig::getAudioEncoderList() const
{
    return m_info ? m_info->getAudioEncoderList() : QStringList();
}

QStringList VideoProfileFormatUserConfig::getSampleRateList() const
{
    return m_info ? m_info->getSampleRateList() : QStringList();
}

QStringList VideoProfileFormatUserConfig::getChannelList() const
{
    return m_info ? m_info->getChannelList() : QStringList();
}

QStringList VideoProfileFormatUserConfig::getAudioBitrateList() const
{
    return m_info ? m_info->getAudioBitrateList() : QStringList();
}

void VideoProfileFormatUserConfig::write(const char *attribute, const QString &value)
{
    if (!m_element)
        return;
    m_element->SetAttribute(attribute, value.toUtf8().constData());
    VideoProfileUserConfig::saveDocumentOf(m_element);
}

void VideoProfileFormatUserConfig::setVideoEncoder(const QString &value)
{
    write("videoEncoder", value);
}

void VideoProfileFormatUserConfig::setResolution(const QString &value)
{
    const QStringList parts = value.split(QLatin1Char('*'));
    if (parts.size() != 2 || !m_element)
        return;
    // Both attributes first, then one save.
    m_element->SetAttribute("width", parts.at(0).toUtf8().constData());
    write("height", parts.at(1));
}

void VideoProfileFormatUserConfig::setFrameRate(const QString &value)
{
    write("frameRate", value);
}

void VideoProfileFormatUserConfig::setVideoBitrate(const QString &value)
{
    write("videoBitrate", value);
}

void VideoProfileFormatUserConfig::setAudioEncoder(const QString &value)
{
    write("audioEncoder", value);
}

void VideoProfileFormatUserConfig::setSampleRate(const QString &value)
{
    write("sampleRate", value);
}

void VideoProfileFormatUserConfig::setChannels(const QString &value)
{
    write("channels", value);
}

void VideoProfileFormatUserConfig::setAudioBitrate(const QString &value)
{
    write("audioBitrate", value);
}

QString VideoProfileFormatUserConfig::aspectModeText(int mode)
{
    switch (mode) {
    case ENCODE_ASPECT_STRETCH:
        return QStringLiteral("stretch");
    case ENCODE_ASPECT_CROP:
        return QStringLiteral("crop");
    default:
        return QStringLiteral("fit");
    }
}

int VideoProfileFormatUserConfig::aspectModeFromText(const QString &text)
{
    const QString word = text.trimmed().toLower();
    if (word == QLatin1String("fit"))
        return ENCODE_ASPECT_FIT;
    if (word == QLatin1String("stretch"))
        return ENCODE_ASPECT_STRETCH;
    if (word == QLatin1String("crop"))
        return ENCODE_ASPECT_CROP;
    return -1;
}

int VideoProfileFormatUserConfig::getAspectMode() const
{
    const int mode = aspectModeFromText(override("aspect", QString()));
    return mode < 0 ? int(ENCODE_ASPECT_FIT) : mode;
}

void VideoProfileFormatUserConfig::setAspectMode(int mode)
{
    write("aspect", aspectModeText(mode));
}
