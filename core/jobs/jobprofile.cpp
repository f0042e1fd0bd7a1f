#include "core/jobs/jobprofile.h"

#include "core/profiles/videoencparam.h"
#include "core/profiles/videoformatinfo.h"
#include "core/profiles/videoprofileformatuserconfig.h"

JobProfile JobProfile::fromUserProfile(const VideoProfileFormatUserConfig &profile)
{
    JobProfile p;
    p.name = profile.getName();
    p.format = profile.getFormat();
    p.audioBitrate = number(profile.getAudioBitrate());
    p.channels = int(number(profile.getChannels()));
    p.sampleRate = int(number(profile.getSampleRate()));
    p.audioEncoder = profile.getAudioEncoder();
    p.videoBitrate = number(profile.getVideoBitrate());
    p.frameRate = frameRateOf(profile.getFrameRate());
    const QSize size = profile.getResolution();
    p.width = size.width();
    p.height = size.height();
    p.videoEncoder = profile.getVideoEncoder();
    p.fit = fitOf(profile.getAspectMode());
    p.dvd = isDvdName(p.name);
    return p;
}

JobProfile JobProfile::fromFormatInfo(const CVideoFormatInfo &profile)
{
    const CVideoEncParam &enc = CVideoEncParam::orEmpty(profile.getEncParam());
    JobProfile p;
    p.name = profile.getName();
    p.format = profile.getFormat();
    p.audioBitrate = number(enc.getAudioBitrate());
    p.channels = int(number(enc.getChannels()));
    p.sampleRate = int(number(enc.getSampleRate()));
    p.audioEncoder = enc.getAudioEncoder();
    p.videoBitrate = number(enc.getVideoBitrate());
    p.frameRate = frameRateOf(enc.getFrameRate());
    p.width = enc.getWidth();
    p.height = enc.getHeight();
    p.videoEncoder = enc.getVideoEncoder();
    p.dvd = isDvdName(p.name);
    return p;
}

int64_t JobProfile::number(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

Rational JobProfile::frameRateOf(const QString &thousandths)
{
    const int64_t value = number(thousandths);
    return value > 0 ? Rational{int(value), 1000} : Rational{};
}

FrameFit JobProfile::fitOf(int aspectMode)
{
    switch (aspectMode) {
    case 1:
        return FrameFit::Stretch;
    case 2:
        return FrameFit::Crop;
    default:
        return FrameFit::Pad;
    }
}

bool JobProfile::isDvdName(const QString &name)
{
    return name.toLower() == QLatin1String("dvd");
}

bool JobProfile::splits() const
{
    return splitBytes() > 0 || splitMs() > 0;
}

int64_t JobProfile::splitBytes() const
{
    return splitMode == 1 && splitSizeMb > 0 ? int64_t(splitSizeMb) * 1000000 : 0;
}

int64_t JobProfile::splitMs() const
{
    return splitMode == 2 && splitMinutes > 0 ? int64_t(splitMinutes) * 60000 : 0;
}
