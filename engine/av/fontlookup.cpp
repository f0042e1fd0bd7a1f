#include "engine/av/fontlookup.h"

#include <fontconfig/fontconfig.h>

#include <mutex>
#include <unistd.h>

std::string FontLookup::fileForFamily(const std::string &family)
{
    static std::mutex mutex; // fontconfig's default config is not thread-safe on first use
    std::lock_guard<std::mutex> lock(mutex);
    std::string result;
    FcPattern *pattern = FcNameParse(reinterpret_cast<const FcChar8 *>(family.c_str()));
    if (!pattern)
        return result;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult res = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &res);
    if (match) {
        FcChar8 *file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
            result = reinterpret_cast<const char *>(file);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return result;
}

std::string FontLookup::defaultFontFile()
{
    static const std::string file = [] {
        std::string f = fileForFamily("DejaVu Sans");
        if (f.empty())
            f = fileForFamily("sans-serif");
        return f;
    }();
    return file;
}

std::string FontLookup::existingOrDefault(const std::string &fontFile)
{
    if (!fontFile.empty() && access(fontFile.c_str(), R_OK) == 0)
        return fontFile;
    return defaultFontFile();
}
