#pragma once

#include "core/media/videoinfo.h"

// The settings a user makes on a file of the list, beyond its section and
// name: every edit field of VideoInfo with its "changed" flag, each once,
// named as the member.  Whatever has to carry a record's settings as a
// whole (saving and restoring the session) walks this list, so a new edit
// field of VideoInfo is one more line here; the probe results (size,
// thumbnail, engine block, flags) are not settings and are not listed.
//
// visit(key, field) is called with a reference to each member (const for a
// const record); the types are qint32, bool, QString and QColor.
namespace VideoInfoFields {

template <typename Record, typename Visit> void forEachEdit(Record &v, Visit &&visit)
{
    visit("brightness", v.brightness);
    visit("contrast", v.contrast);
    visit("saturation", v.saturation);
    visit("amplifier", v.amplifier);
    visit("effect", v.effect);
    visit("deinterlace", v.deinterlace);
    visit("effectChanged", v.effectChanged);

    visit("zoomMode", v.zoomMode);
    visit("cropLeft", v.cropLeft);
    visit("cropTop", v.cropTop);
    visit("cropWidth", v.cropWidth);
    visit("cropHeight", v.cropHeight);
    visit("keepRatio", v.keepRatio);
    visit("cropChanged", v.cropChanged);

    visit("subtitleEnabled", v.subtitleEnabled);
    visit("subtitleFile", v.subtitleFile);
    visit("subtitleCustomize", v.subtitleCustomize);
    visit("subtitleFontName", v.subtitleFontName);
    visit("subtitleColor", v.subtitleColor);
    visit("subtitleColorName", v.subtitleColorName);
    visit("subtitleFontSize", v.subtitleFontSize);
    visit("subtitleFontStyle", v.subtitleFontStyle);
    visit("subtitleAlpha", v.subtitleAlpha);
    visit("subtitleVerSpace", v.subtitleVerSpace);
    visit("subtitleHorSpace", v.subtitleHorSpace);
    visit("subtitleChanged", v.subtitleChanged);

    visit("watermarkEnabled", v.watermarkEnabled);
    visit("watermarkType", v.watermarkType);
    visit("watermarkFontName", v.watermarkFontName);
    visit("watermarkColor", v.watermarkColor);
    visit("watermarkColorName", v.watermarkColorName);
    visit("watermarkFontSize", v.watermarkFontSize);
    visit("watermarkFontStyle", v.watermarkFontStyle);
    visit("watermarkAlpha", v.watermarkAlpha);
    visit("watermarkVerSpace", v.watermarkVerSpace);
    visit("watermarkHorSpace", v.watermarkHorSpace);
    visit("watermarkImage", v.watermarkImage);
    visit("watermarkText", v.watermarkText);
    visit("watermarkImageWidth", v.watermarkImageWidth);
    visit("watermarkImageHeight", v.watermarkImageHeight);
    visit("watermarkChanged", v.watermarkChanged);

    visit("hFlip", v.hFlip);
    visit("vFlip", v.vFlip);
    visit("flipChanged", v.flipChanged);
}

// The members of VideoInfo that are probe results or bookkeeping, not settings.
inline const char *const kNotSettings[] = {"thumbnail", "width", "height",  "fileInfo",
                                           "probed",    "valid", "isAudio", "probeError"};

} // namespace VideoInfoFields
