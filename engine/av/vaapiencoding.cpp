#include "engine/av/vaapiencoding.h"

extern "C" {
#include <libavutil/hwcontext.h>
}

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

std::string VaapiEncoding::encoderFor(const std::string &softwareEncoder)
{
    const AVCodec *codec = avcodec_find_encoder_by_name(softwareEncoder.c_str());
    if (!codec)
        return {};
    if (codec->id == AV_CODEC_ID_H264)
        return "h264_vaapi";
    if (codec->id == AV_CODEC_ID_HEVC)
        return "hevc_vaapi";
    return {};
}

std::string VaapiEncoding::renderNode(const std::string &folder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<std::string> nodes;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() > 7 && name.compare(0, 7, "renderD") == 0 &&
            std::all_of(name.begin() + 7, name.end(), [](unsigned char c) { return std::isdigit(c); }))
            nodes.push_back(it->path().string());
    }
    std::sort(nodes.begin(), nodes.end(), [](const std::string &a, const std::string &b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    for (const std::string &node : nodes) {
        struct stat st {};
        if (::stat(node.c_str(), &st) == 0 && S_ISCHR(st.st_mode) && ::access(node.c_str(), R_OK | W_OK) == 0)
            return node;
    }
    return {};
}

av::BufferRefPtr VaapiEncoding::openDevice(const std::string &node, std::string *error)
{
    AVBufferRef *device = nullptr;
    const int ret = av_hwdevice_ctx_create(&device, AV_HWDEVICE_TYPE_VAAPI, node.c_str(), nullptr, 0);
    if (ret < 0) {
        av::failWith(error, "the VAAPI driver does not open " + node + ": " + av::errorText(ret));
        return nullptr;
    }
    return av::BufferRefPtr(device);
}

av::BufferRefPtr VaapiEncoding::makeFrames(AVBufferRef *device, int width, int height, std::string *error)
{
    av::BufferRefPtr frames(av_hwframe_ctx_alloc(device));
    if (!frames) {
        av::failWith(error, "out of memory");
        return nullptr;
    }
    auto *ctx = reinterpret_cast<AVHWFramesContext *>(frames->data);
    ctx->format = AV_PIX_FMT_VAAPI;
    ctx->sw_format = kUploadFormat;
    ctx->width = width;
    ctx->height = height;
    ctx->initial_pool_size = 20;
    const int ret = av_hwframe_ctx_init(frames.get());
    if (ret < 0) {
        av::failWith(error, "the graphics card has no " + std::to_string(width) + "x" +
                                std::to_string(height) + " NV12 surfaces: " + av::errorText(ret));
        return nullptr;
    }
    return frames;
}
