#pragma once

#include <QMetaType>
#include <QSize>
#include <QString>
#include <QStringList>

namespace tinyxml2 {
class XMLElement;
}
class CVideoFormatInfo;

// A light, copyable handle on one profile as the user sees it: a <Format>
// entry of upc.xml (the user's overrides and hide flag) joined to the
// built-in record of the profile database (defaults and option lists).
// Getters prefer the user's override; setters write it and save upc.xml.
// A default-constructed handle, or one whose id the database lacks, is
// invalid and stands for "no profile".
class VideoProfileFormatUserConfig {
public:
    VideoProfileFormatUserConfig() = default;
    explicit VideoProfileFormatUserConfig(tinyxml2::XMLElement *element);

    bool isValid() const { return m_info != nullptr; }
    bool isSkip() const;
    void setSkip(bool skip);
    tinyxml2::XMLElement *getElement() const { return m_element; }
    CVideoFormatInfo *getFormatInfo() const { return m_info; }

    QString getID() const;
    QString getName() const;
    QString getIcon() const;
    QString getFormat() const;

    QString getVideoEncoder() const;
    QSize getResolution() const;
    QString getFrameRate() const;
    QString getVideoBitrate() const;
    QString getAudioEncoder() const;
    QString getSampleRate() const;
    QString getChannels() const;
    QString getAudioBitrate() const;
    QString getFormate() const;

    QStringList getVideoEncoderList() const;
    QStringList getResolutionList() const;
    QStringList getFrameRateList() const;
    QStringList getVideoBitrateList() const;
    QStringList getAudioEncoderList() const;
    QStringList getSampleRateList() const;
    QStringList getChannelList() const;
    QStringList getAudioBitrateList() const;

    void setVideoEncoder(const QString &value);
    // "width*height"; any text that does not split into exactly two parts
    // at '*' changes nothing.
    void setResolution(const QString &value);
    void setFrameRate(const QString &value);
    void setVideoBitrate(const QString &value);
    void setAudioEncoder(const QString &value);
    void setSampleRate(const QString &value);
    void setChannels(const QString &value);
    void setAudioBitrate(const QString &value);

    // How the picture fills the profile's frame when their shapes differ
    // (EncodeAspectMode: fit with black bars, stretch, crop to fill), kept
    // in the entry's "aspect" attribute as "fit", "stretch" or "crop"; an
    // entry without it (or with another word) fits.
    int getAspectMode() const;
    void setAspectMode(int mode);
    // The stored word of a mode and back; fromText gives -1 for an unknown word.
    static QString aspectModeText(int mode);
    static int aspectModeFromText(const QString &text);

    // Same upc.xml entry.
    bool operator==(const VideoProfileFormatUserConfig &o) const { return m_element == o.m_element; }
    bool operator!=(const VideoProfileFormatUserConfig &o) const { return !(*this == o); }

private:
    QString override(const char *attribute, const QString &fallback) const;
    void write(const char *attribute, const QString &value);

    tinyxml2::XMLElement *m_element = nullptr;
    CVideoFormatInfo *m_info = nullptr;
};

Q_DECLARE_METATYPE(VideoProfileFormatUserConfig)
