#pragma once

#include "engine/av/avptr.h"

#include <string>

// GPU encoding through VAAPI: the hardware encoder that stands in for a
// software H.264 or HEVC encoder, the render node it runs on, and the pool
// of picture surfaces that frames are uploaded to.
class VaapiEncoding {
public:
    // The software format frames are uploaded from.
    static constexpr AVPixelFormat kUploadFormat = AV_PIX_FMT_NV12;

    // "h264_vaapi" for an H.264 encoder, "hevc_vaapi" for an HEVC one, empty
    // for every other encoder.
    static std::string encoderFor(const std::string &softwareEncoder);
    // The first render node ("renderD" followed by digits) in folder that is
    // a character device this process may read and write; empty when none.
    static std::string renderNode(const std::string &folder = "/dev/dri");
    // Opens the VAAPI device on a render node; null (with the reason) when
    // no driver takes it.
    static av::BufferRefPtr openDevice(const std::string &node, std::string *error);
    // width x height surfaces in kUploadFormat on the device.
    static av::BufferRefPtr makeFrames(AVBufferRef *device, int width, int height, std::string *error);
};
