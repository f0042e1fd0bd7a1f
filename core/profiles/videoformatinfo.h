#pragma once

#include "core/profiles/videoencparam.h"

#include <QString>
#include <QStringList>

#include <memory>

// One built-in profile: a view of its <FormatInfo> element in the profile
// database.  Accessors read the element on every call.
class CVideoFormatInfo {
public:
    explicit CVideoFormatInfo(const tinyxml2::XMLElement *element);
    ~CVideoFormatInfo();
    CVideoFormatInfo(const CVideoFormatInfo &) = delete;
    CVideoFormatInfo &operator=(const CVideoFormatInfo &) = delete;

    const tinyxml2::XMLElement *element() const { return m_element; }

    QString getID() const;
    QString getName() const;
    // The icon name, with '/' replaced by '-' so that it can name a file.
    QString getIcon() const;
    // The output extension with its dot (".mp4").
    QString getFormat() const;
    // The default parameters; null when the entry has no <EncParam>.
    const CVideoEncParam *getEncParam() const { return m_encParam.get(); }

    // Option lists: the child's text split at ',', empty items dropped,
    // items kept as written (untrimmed).
    QStringList getVideoEncoderList() const;
    QStringList getResolutionList() const;
    QStringList getFrameRateList() const;
    QStringList getVideoBitrateList() const;
    QStringList getAudioEncoderList() const;
    QStringList getSampleRateList() const;
    QStringList getChannelList() const;
    QStringList getAudioBitrateList() const;

    // Raw access for diagnostics and tests.
    QString attribute(const char *name) const;
    QString childText(const char *name) const;

private:
    QStringList list(const char *child) const;

    const tinyxml2::XMLElement *m_element;
    std::unique_ptr<CVideoEncParam> m_encParam;
};
