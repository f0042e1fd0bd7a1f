#pragma once

#include "engine/transcode/encodeinfo.h"
#include "engine/transcode/transcodejob.h"

#include <string>
#include <vector>

// The typed job a 144-byte encode record stands for.  The record's section
// lies on the inputs joined end to end: with several inputs each one gets
// its share of it (their lengths are read for that), and inputs wholly
// outside it are left out.  Every input gets the same edits.  Empty encoder
// names stand for the container's defaults.
TranscodeJob jobFromEncodeInfo(const EncodeInfo &info, const std::vector<std::string> &inputs,
                               const FilterSettings &filters, const std::string &outputPath);
