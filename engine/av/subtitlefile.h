#pragma once

#include <string>

// Whether a file reads as subtitles (SRT, ASS, SSA...): it opens as a
// subtitle stream, not merely by its name.
bool readsAsSubtitles(const std::string &path);
