#pragma once

#include <string>
#include <vector>

// Profile encoder names, output containers and what each container accepts:
// the whole table lives here.  Profile data names encoders loosely ("HAVC",
// "libvo_aacenc", "mp3 "), so every name is trimmed, looked up without case
// and, when it is unknown or the container refuses it, replaced by the
// container's default rather than failing the job.
struct ResolvedEncoder {
    std::string encoder;      // FFmpeg encoder name; empty = no stream of this kind
    std::string tag;          // FourCC to write, empty = the muxer's default
    bool substituted = false; // the profile's name was replaced
};

struct ContainerRule {
    std::string muxer; // FFmpeg muxer name; empty = cannot be written
    bool audioOnly = false;
    std::vector<std::string> videoEncoders; // allowed; first is the default; empty = any
    std::vector<std::string> audioEncoders;
    std::vector<int> sampleRates; // allowed audio rates, empty = any
    bool dpg = false;             // written as MPEG-1 program stream, then repacked
    bool ape = false;             // written as raw 16-bit PCM, then encoded by ApeWriter
    bool anyFrameRate = false;    // keep the asked rate even where MPEG does not list it
};

class EncoderNames {
public:
    // Lower-case extension without the dot, from a path or an extension.
    static std::string extensionOf(const std::string &pathOrExt);
    // The container rule for an extension ("mp4", ".mp4" or a path).
    static ContainerRule container(const std::string &ext);
    // True when the engine can write this extension.
    static bool canWrite(const std::string &ext);

    // The FFmpeg encoder for a profile's name in the given container.
    static ResolvedEncoder resolveVideo(const std::string &name, const std::string &ext);
    static ResolvedEncoder resolveAudio(const std::string &name, const std::string &ext);

    // The FFmpeg name a profile name stands for (no container check); empty
    // when the name is not known as an encoder of that kind.
    static std::string canonicalVideo(const std::string &name);
    static std::string canonicalAudio(const std::string &name);
    // Every alias in the table (for checks).
    static std::vector<std::string> knownVideoNames();
    static std::vector<std::string> knownAudioNames();
    // The DVD rule (MPEG-2 program stream for authoring).
    static ContainerRule dvd();
};
