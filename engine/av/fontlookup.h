#pragma once

#include <string>

// Finds font files through fontconfig.  All lookups share one fontconfig
// configuration that this class owns and releases at exit (the library's
// implicit default configuration would never be freed).  Thread-safe.
class FontLookup {
public:
    // The file of the best match for a family name (fontconfig may
    // substitute another family); empty when none is found.
    static std::string fileForFamily(const std::string &family);
    // The regular face of exactly this family (Regular, Book, Normal, ...,
    // else any face); empty when the family is not installed.
    static std::string regularFaceFile(const std::string &family);
    // A readable default font file (DejaVu Sans when installed).
    static std::string defaultFontFile();
    // The given file when it exists and is readable, else the default font.
    static std::string existingOrDefault(const std::string &fontFile);
};
