#pragma once

#include <QString>

namespace tinyxml2 {
class XMLElement;
}

// The default encoding parameters of one built-in profile: a view of its
// <EncParam> element.  Nothing is cached; every accessor reads the element.
// A record made on a null element answers "" and 0 everywhere, and so does
// CVideoEncParam::orEmpty() for a missing record.
class CVideoEncParam {
public:
    explicit CVideoEncParam(const tinyxml2::XMLElement *element);

    // The record itself, or a shared empty record when it is null.
    static const CVideoEncParam &orEmpty(const CVideoEncParam *param);

    const tinyxml2::XMLElement *element() const { return m_element; }

    int getWidth() const;
    int getHeight() const;
    QString getVideoEncoder() const;
    QString getFrameRate() const;
    QString getVideoBitrate() const;
    QString getAudioEncoder() const;
    QString getSampleRate() const;
    QString getChannels() const;
    QString getAudioBitrate() const;
    QString getFormate() const;

    // Text of the named child, "" when it is missing.
    QString childText(const char *name) const;

private:
    const tinyxml2::XMLElement *m_element;
};
