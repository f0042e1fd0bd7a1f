#include "engine/transcode/encodernames.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

std::string lowerTrimmed(const std::string &s)
{
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    std::string out = s.substr(b, e - b);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

struct Alias {
    const char *name;
    const char *encoder;
    const char *tag; // FourCC in containers that carry one (AVI)
};

// Profile names (lower case) to FFmpeg encoders.
const Alias kVideoAliases[] = {
    {"libx264", "libx264", ""},
    {"x264", "libx264", ""},
    {"h264", "libx264", ""},
    {"h.264", "libx264", ""},
    {"avc", "libx264", ""},
    {"avc1", "libx264", ""},
    {"havc", "libx264", ""},
    {"hvc1", "libx264", ""},
    {"m264", "libx264", ""},
    {"libx265", "libx265", ""},
    {"hevc", "libx265", ""},
    {"h265", "libx265", ""},
    {"mpeg4", "mpeg4", "FMP4"},
    {"m4v", "mpeg4", "FMP4"},
    {"fmp4", "mpeg4", "FMP4"},
    {"mp4v", "mpeg4", "FMP4"},
    {"divx", "mpeg4", "DIVX"},
    {"dx50", "mpeg4", "DX50"},
    {"libxvid", "mpeg4", "XVID"},
    {"xvid", "mpeg4", "XVID"},
    {"mpeg2video", "mpeg2video", ""},
    {"mp2v", "mpeg2video", ""},
    {"mpeg2", "mpeg2video", ""},
    {"mpeg1video", "mpeg1video", ""},
    {"mp1v", "mpeg1video", ""},
    {"mpeg1", "mpeg1video", ""},
    {"msmpeg4", "msmpeg4", ""},
    {"msmpeg4v3", "msmpeg4", ""},
    {"mp43", "msmpeg4", ""},
    {"div3", "msmpeg4", ""},
    {"msmpeg4v2", "msmpeg4v2", ""},
    {"mp42", "msmpeg4v2", ""},
    {"wmv1", "wmv1", ""},
    {"wmv7", "wmv1", ""},
    {"wmv2", "wmv2", ""},
    {"wmv8", "wmv2", ""},
    {"wmv3", "wmv2", ""},
    {"wmv9", "wmv2", ""},
    {"vc1", "wmv2", ""},
    {"wvc1", "wmv2", ""},
    {"vp8", "libvpx", ""},
    {"libvpx", "libvpx", ""},
    {"vp9", "libvpx-vp9", ""},
    {"libvpx-vp9", "libvpx-vp9", ""},
    {"flv1", "flv", ""},
    {"flv", "flv", ""},
    {"h263", "h263", ""},
    {"h263p", "h263p", ""},
    {"mjpeg", "mjpeg", ""},
    {"dvvideo", "dvvideo", ""},
    {"dv", "dvvideo", ""},
};

const Alias kAudioAliases[] = {
    {"libvo_aacenc", "aac", ""},
    {"aac", "aac", ""},
    {"libfaac", "aac", ""},
    {"libfdk_aac", "aac", ""},
    {"mp4a", "aac", ""},
    {"mp3", "libmp3lame", ""},
    {"libmp3lame", "libmp3lame", ""},
    {"mp3lame", "libmp3lame", ""},
    {"mp2", "mp2", ""},
    {"libtwolame", "mp2", ""},
    {"ac3", "ac3", ""},
    {"a52", "ac3", ""},
    {"wmav1", "wmav1", ""},
    {"wma7", "wmav1", ""},
    {"wmav2", "wmav2", ""},
    {"wma", "wmav2", ""},
    {"wma8", "wmav2", ""},
    {"wma9", "wmav2", ""},
    {"wmv8", "wmav2", ""},
    {"libvorbis", "libvorbis", ""},
    {"vorbis", "libvorbis", ""},
    {"libopus", "libopus", ""},
    {"opus", "libopus", ""},
    {"flac", "flac", ""},
    {"alac", "alac", ""},
    {"pcm_s16le", "pcm_s16le", ""},
    {"pcm_s16be", "pcm_s16be", ""},
    {"pcm_s24le", "pcm_s24le", ""},
    {"pcm_s24be", "pcm_s24be", ""},
    {"pcm_u8", "pcm_u8", ""},
    {"pcm_dvd", "pcm_dvd", ""},
    {"pcm_mulaw", "pcm_mulaw", ""},
    {"pcm_alaw", "pcm_alaw", ""},
    {"adpcm_ms", "adpcm_ms", ""},
    {"adpcm_ima_wav", "adpcm_ima_wav", ""},
    {"adpcm_ima_smjpeg", "adpcm_ima_wav", ""},
    {"amr_nb", "aac", ""},
    {"libopencore_amrnb", "aac", ""},
    {"samr", "aac", ""},
};

const Alias *findAlias(const Alias *begin, const Alias *end, const std::string &key)
{
    for (const Alias *a = begin; a != end; ++a)
        if (key == a->name)
            return a;
    return nullptr;
}

bool encoderExists(const std::string &name)
{
    return !name.empty() && avcodec_find_encoder_by_name(name.c_str()) != nullptr;
}

bool isKind(const std::string &name, AVMediaType type)
{
    const AVCodec *c = avcodec_find_encoder_by_name(name.c_str());
    return c && c->type == type;
}

const std::vector<int> kMp3FlashRates{44100, 22050, 11025};
const std::vector<int> kMpegRates{48000, 44100, 32000};
const std::vector<std::string> kAny{"*"};

// What each writable extension is written as.
struct ContainerEntry {
    std::vector<std::string> extensions;
    const char *muxer;
    std::vector<std::string> video; // allowed encoders, the default first; "*" any; none: sound only
    std::vector<std::string> audio;
    std::vector<int> rates; // allowed sample rates; none: any
    bool dpg;               // handheld video: an MPEG-1 program stream repacked behind a small header
    bool ape;               // Monkey's Audio: FFmpeg has no encoder for it; raw 16-bit PCM, then ApeWriter
};

const std::vector<ContainerEntry> kContainers = {
    {{"mp4", "m4v"},
     "mp4",
     {"libx264", "mpeg4", "libx265", "mpeg2video", "mpeg1video"},
     {"aac", "libmp3lame", "ac3", "alac"},
     {},
     false,
     false},
    {{"mov"},
     "mov",
     {"libx264", "mpeg4", "libx265", "mjpeg", "mpeg2video", "h263", "dvvideo"},
     {"aac", "libmp3lame", "ac3", "alac", "pcm_s16le", "pcm_s16be"},
     {},
     false,
     false},
    {{"f4v"}, "f4v", {"libx264"}, {"aac", "libmp3lame"}, {}, false, false},
    {{"3gp"}, "3gp", {"mpeg4", "h263", "libx264"}, {"aac"}, {}, false, false},
    {{"3g2"}, "3g2", {"mpeg4", "h263", "libx264"}, {"aac"}, {}, false, false},
    {{"m4a", "m4b", "m4r", "m4p"}, "ipod", {}, {"aac", "alac"}, {}, false, false},
    {{"avi"}, "avi", kAny, kAny, {}, false, false},
    {{"mkv"}, "matroska", kAny, kAny, {}, false, false},
    {{"mka"}, "matroska", {}, kAny, {}, false, false},
    {{"webm"}, "webm", {"libvpx", "libvpx-vp9"}, {"libvorbis", "libopus"}, {}, false, false},
    {{"mpg", "mpeg", "m2v"},
     "mpeg",
     {"mpeg2video", "mpeg1video"},
     {"mp2", "ac3", "libmp3lame", "pcm_dvd"},
     kMpegRates,
     false,
     false},
    {{"vob"}, "vob", {"mpeg2video", "mpeg1video"}, {"ac3", "mp2", "pcm_dvd"}, {48000}, false, false},
    {{"dat"}, "vcd", {"mpeg1video"}, {"mp2"}, {44100}, false, false},
    {{"ts", "trp", "tp", "m2ts", "mts"},
     "mpegts",
     {"libx264", "mpeg2video", "mpeg4", "libx265", "mpeg1video"},
     {"ac3", "aac", "mp2", "libmp3lame"},
     {},
     false,
     false},
    {{"wmv", "asf"},
     "asf",
     {"wmv2", "wmv1", "msmpeg4", "msmpeg4v2", "mpeg4"},
     {"wmav2", "wmav1", "libmp3lame"},
     {},
     false,
     false},
    {{"wma"}, "asf", {}, {"wmav2", "wmav1"}, {}, false, false},
    {{"flv"}, "flv", {"flv", "libx264"}, {"libmp3lame", "aac"}, kMp3FlashRates, false, false},
    {{"swf"}, "swf", {"flv", "mjpeg"}, {"libmp3lame"}, kMp3FlashRates, false, false},
    {{"dv"}, "dv", {"dvvideo"}, {"pcm_s16le"}, {48000}, false, false},
    {{"dpg"}, "mpeg", {"mpeg1video"}, {"mp2"}, {32000, 22050}, true, false},
    {{"mp3"}, "mp3", {}, {"libmp3lame"}, {}, false, false},
    {{"mp2", "mpa"}, "mp2", {}, {"mp2"}, kMpegRates, false, false},
    {{"aac"}, "adts", {}, {"aac"}, {}, false, false},
    {{"ac3"}, "ac3", {}, {"ac3"}, kMpegRates, false, false},
    {{"wav"},
     "wav",
     {},
     {"pcm_s16le", "pcm_u8", "pcm_s24le", "adpcm_ms", "adpcm_ima_wav", "libmp3lame", "flac"},
     {},
     false,
     false},
    {{"ogg", "oga"}, "ogg", {}, {"libvorbis", "libopus", "flac"}, {}, false, false},
    {{"au"}, "au", {}, {"pcm_s16be", "pcm_mulaw", "pcm_alaw"}, {}, false, false},
    {{"aiff", "aif"}, "aiff", {}, {"pcm_s16be", "pcm_s24be"}, {}, false, false},
    {{"flac"}, "flac", {}, {"flac"}, {}, false, false},
    {{"gif"}, "gif", {"gif"}, {}, {}, false, false},
    {{"ape"}, "s16le", {}, {"pcm_s16le"}, {}, false, true},
};

const ContainerEntry *findContainer(const std::string &ext)
{
    for (const ContainerEntry &entry : kContainers)
        if (std::find(entry.extensions.begin(), entry.extensions.end(), ext) != entry.extensions.end())
            return &entry;
    return nullptr;
}

} // namespace

std::string EncoderNames::extensionOf(const std::string &pathOrExt)
{
    std::string s = lowerTrimmed(pathOrExt);
    size_t slash = s.find_last_of('/');
    size_t dot = s.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        return s.substr(dot + 1);
    return slash == std::string::npos ? s : std::string();
}

ContainerRule EncoderNames::dvd()
{
    ContainerRule r;
    r.muxer = "dvd";
    r.videoEncoders = {"mpeg2video"};
    r.audioEncoders = {"ac3", "mp2"};
    r.sampleRates = {48000};
    return r;
}

ContainerRule EncoderNames::container(const std::string &extArg)
{
    const std::string ext = extensionOf(extArg);
    ContainerRule r;
    const ContainerEntry *entry = findContainer(ext);
    if (!entry) // anything else (RM, AMR, ...) cannot be written
        return r;
    r.muxer = entry->muxer;
    r.audioOnly = entry->video.empty();
    // "*" marks a container that takes any encoder: an empty list.
    if (entry->video != kAny)
        r.videoEncoders = entry->video;
    if (entry->audio != kAny)
        r.audioEncoders = entry->audio;
    r.sampleRates = entry->rates;
    r.dpg = entry->dpg;
    r.anyFrameRate = entry->dpg;
    r.ape = entry->ape;
    return r;
}

bool EncoderNames::canWrite(const std::string &ext)
{
    return !container(ext).muxer.empty();
}

std::string EncoderNames::canonicalVideo(const std::string &name)
{
    const std::string key = lowerTrimmed(name);
    if (const Alias *a = findAlias(std::begin(kVideoAliases), std::end(kVideoAliases), key))
        return a->encoder;
    return isKind(key, AVMEDIA_TYPE_VIDEO) ? key : std::string();
}

std::string EncoderNames::canonicalAudio(const std::string &name)
{
    const std::string key = lowerTrimmed(name);
    if (const Alias *a = findAlias(std::begin(kAudioAliases), std::end(kAudioAliases), key))
        return a->encoder;
    return isKind(key, AVMEDIA_TYPE_AUDIO) ? key : std::string();
}

namespace {

ResolvedEncoder pick(const std::string &canonical, const std::string &tag,
                     const std::vector<std::string> &allowed, const char *fallback)
{
    ResolvedEncoder r;
    bool ok = encoderExists(canonical) &&
              (allowed.empty() || std::find(allowed.begin(), allowed.end(), canonical) != allowed.end());
    if (ok) {
        r.encoder = canonical;
        r.tag = tag;
        return r;
    }
    r.substituted = true;
    for (const std::string &a : allowed)
        if (encoderExists(a)) {
            r.encoder = a;
            return r;
        }
    r.encoder = encoderExists(fallback) ? fallback : std::string();
    return r;
}

} // namespace

ResolvedEncoder EncoderNames::resolveVideo(const std::string &name, const std::string &ext)
{
    ContainerRule rule = container(ext);
    if (rule.muxer.empty() || rule.audioOnly)
        return {};
    const std::string key = lowerTrimmed(name);
    const Alias *a = findAlias(std::begin(kVideoAliases), std::end(kVideoAliases), key);
    std::string canonical = canonicalVideo(name);
    std::string tag = a ? a->tag : "";
    // FourCCs only mean something in AVI; other containers use their own tags.
    if (extensionOf(ext) != "avi")
        tag.clear();
    else if (canonical == "mpeg4" && tag.empty())
        tag = "FMP4";
    ResolvedEncoder r = pick(canonical, tag, rule.videoEncoders, "mpeg4");
    if (r.substituted && r.encoder == "mpeg4" && extensionOf(ext) == "avi")
        r.tag = "XVID";
    return r;
}

ResolvedEncoder EncoderNames::resolveAudio(const std::string &name, const std::string &ext)
{
    ContainerRule rule = container(ext);
    if (rule.muxer.empty())
        return {};
    if (extensionOf(ext) == "gif")
        return {};
    std::string fallback = "aac";
    const std::string e = extensionOf(ext);
    if (e == "avi")
        fallback = "libmp3lame";
    return pick(canonicalAudio(name), "", rule.audioEncoders, fallback.c_str());
}

std::vector<std::string> EncoderNames::knownVideoNames()
{
    std::vector<std::string> out;
    for (const Alias &a : kVideoAliases)
        out.push_back(a.name);
    return out;
}

std::vector<std::string> EncoderNames::knownAudioNames()
{
    std::vector<std::string> out;
    for (const Alias &a : kAudioAliases)
        out.push_back(a.name);
    return out;
}
