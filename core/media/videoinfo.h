#pragma once

#include "core/media/videobasicinfo.h"
#include "engine/probe/fileinfo.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <memory>

class MediaProbe;

// One file of the media list: the file and its section, what the engine
// reported about it, and the edit settings the editor writes and the
// conversion reads.  Begins with the VideoBasicInfo fields so it can be
// handed on as one.  Copies duplicate the owned FileInfo block.
class VideoInfo : public VideoBasicInfo {
public:
    // Both constructors probe the file at once.
    explicit VideoInfo(const QString &path);
    explicit VideoInfo(const VideoBasicInfo &basic);
    // Probes with the caller's probe object; withThumbnail false leaves the
    // thumbnail empty (where no picture is ever shown).
    VideoInfo(const VideoBasicInfo &basic, MediaProbe &engineProbe, bool withThumbnail = true);
    VideoInfo(const VideoInfo &other);
    VideoInfo &operator=(const VideoInfo &other);
    ~VideoInfo();

    // Runs the probe once; later calls return the first result.
    bool probe();
    // The same with the caller's probe object (one per thread: a probe is
    // never shared between threads).
    bool probe(MediaProbe &engineProbe, bool withThumbnail = true);
    // The probe result (probes first when that has not happened yet).
    bool isValid();
    bool hasEdits() const;
    // Whether the probe learnt how long the file is.  A file that does not
    // say (written through a pipe, say) has msEnd -1 after the probe: its
    // section runs until the input ends.
    bool hasKnownLength() const;
    // The length found later (by a conversion that read the file to its
    // end); an open section end becomes that length.
    void learnLength(double ms);
    // The name shown in the list; the file name part of the path until renamed.
    QString displayName();

    const VideoBasicInfo &basicInfo() const { return *this; }

    // The picture shown for audio-only files and files without a thumbnail.
    static QString audioIconPath();

    QImage thumbnail;
    qint32 width = -1;
    qint32 height = -1;
    std::unique_ptr<FileInfo> fileInfo;

    qint32 brightness = 0;
    qint32 contrast = 0;
    qint32 saturation = 0;
    qint32 amplifier = 0;
    qint32 effect = 0;
    qint32 deinterlace = 0;
    bool effectChanged = false;

    qint32 zoomMode = 0;
    qint32 cropLeft = 0;
    qint32 cropTop = 0;
    qint32 cropWidth = 0;
    qint32 cropHeight = 0;
    bool keepRatio = true;
    bool cropChanged = false;

    bool subtitleEnabled = false;
    QString subtitleFile;
    bool subtitleCustomize = false;
    QString subtitleFontName = QStringLiteral("Tahoma");
    QColor subtitleColor = QColor(255, 255, 255, 255);
    QString subtitleColorName = QStringLiteral("White");
    qint32 subtitleFontSize = 36;
    qint32 subtitleFontStyle = 0;
    qint32 subtitleAlpha = 0;
    qint32 subtitleVerSpace = 0;
    qint32 subtitleHorSpace = 0;
    bool subtitleChanged = false;

    bool watermarkEnabled = false;
    qint32 watermarkType = 0; // 0 image, 1 text
    QString watermarkFontName = QStringLiteral("Tahoma");
    QColor watermarkColor = QColor(255, 255, 255, 255);
    QString watermarkColorName = QStringLiteral("White");
    qint32 watermarkFontSize = 36;
    qint32 watermarkFontStyle = 0;
    qint32 watermarkAlpha = 255;
    qint32 watermarkVerSpace = 0;
    qint32 watermarkHorSpace = 0;
    QString watermarkImage;
    QString watermarkText;
    qint32 watermarkImageWidth = 0;
    qint32 watermarkImageHeight = 0;
    bool watermarkChanged = false;

    bool hFlip = false;
    bool vFlip = false;
    bool flipChanged = false;

    bool probed = false;
    bool valid = false;
    bool isAudio = false;
    // Why the probe failed, for the loading step's message; empty when valid.
    QString probeError;

    void setDisplayName(const QString &name) { m_displayName = name; }

private:
    QString m_displayName; // empty until first asked or renamed
};
