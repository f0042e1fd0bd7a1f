#pragma once

#include <string>

// Finds font files through fontconfig.
class FontLookup {
public:
    // The file of the best match for a family name; empty when none is found.
    static std::string fileForFamily(const std::string &family);
    // A readable default font file (DejaVu Sans when installed).
    static std::string defaultFontFile();
    // The given file when it exists and is readable, else the default font.
    static std::string existingOrDefault(const std::string &fontFile);
};
