#pragma once

#include "engine/av/avptr.h"

#include <string>
#include <vector>

struct VideoEncodeParams {
    std::string encoder;
    int width = 0;
    int height = 0;
    AVRational frameRate{25, 1};
    AVRational sampleAspect{1, 1};
    int64_t bitRate = 0; // 0 = the encoder's default quality
    double quality = -1; // >= 0: a constant quality on the encoder's own scale (CRF, qscale), bitRate unused
    bool globalHeader = false;
    bool dvd = false;                // DVD rate control and GOP
    bool anyFrameRate = false;       // encode at frameRate even where the format has no code for it
    int threads = 0;                 // the encoder's own threads; 0 = as many as suit the cores
    bool hardware = false;           // VAAPI for H.264/HEVC when the machine can; else software
    double forceKeyframeEveryMs = 0; // > 0: a key frame at least this often (where output is cut)
};

struct AudioEncodeParams {
    std::string encoder;
    int sampleRate = 44100;
    int channels = 2;
    int64_t bitRate = 0;
    int preferredSampleFmt = -1; // taken when the encoder accepts it
    bool globalHeader = false;
    int threads = 0; // the encoder's own threads; 0 = as many as suit the cores
};

// One output stream's encoder, with what the encoder accepts.
class Encoder {
public:
    // The closest rate the encoder can encode; standard rates snap to their
    // exact NTSC values (29.97 -> 30000/1001).
    static AVRational supportedFrameRate(const std::string &encoder, AVRational wanted);
    static int supportedSampleRate(const std::string &encoder, int wanted, const std::vector<int> &allowed);
    static int supportedChannels(const std::string &encoder, int wanted);
    static int videoPixFmt(const std::string &encoder, int height);

    bool openVideo(const VideoEncodeParams &p, std::string *error);
    bool openAudio(const AudioEncodeParams &p, std::string *error);
    bool isOpen() const { return m_ctx != nullptr; }
    AVCodecContext *context() const { return m_ctx.get(); }
    // The picture encoder runs on the graphics card.
    bool isHardware() const { return m_hwFrames != nullptr; }
    // The pixel format send() takes (hardware encoders get their frames uploaded).
    int inputPixFmt() const;
    // Samples per audio frame the encoder takes (a fixed chunk when it accepts any).
    int frameSize() const;

    int send(const AVFrame *frame);
    int receive(AVPacket *packet);

private:
    // Finds the encoder by name and allocates a fresh context for it; null
    // (with the reason) when the encoder is missing or memory ran out.
    const AVCodec *allocContext(const std::string &name, const char *kind, std::string *error);
    // The VAAPI twin of an H.264/HEVC encoder; false (with the reason) when
    // this machine cannot run it.
    bool openHardware(const VideoEncodeParams &p, std::string *why);
    // Sets what both kinds of picture encoder share on the fresh context.
    void setVideoBasics(const VideoEncodeParams &p);

    av::CodecContextPtr m_ctx;
    av::BufferRefPtr m_hwFrames; // the surfaces a hardware encoder takes
    av::FramePtr m_upload;
};
