#include "engine/av/fontlookup.h"

#include <fontconfig/fontconfig.h>

#include <array>
#include <memory>
#include <mutex>
#include <unistd.h>

namespace {

struct ConfigDeleter {
    void operator()(FcConfig *c) const { FcConfigDestroy(c); }
};
struct PatternDeleter {
    void operator()(FcPattern *p) const { FcPatternDestroy(p); }
};
struct ObjectSetDeleter {
    void operator()(FcObjectSet *o) const { FcObjectSetDestroy(o); }
};
struct FontSetDeleter {
    void operator()(FcFontSet *s) const { FcFontSetDestroy(s); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

// fontconfig configurations are not safe for concurrent use: every lookup
// holds this lock.
std::mutex &configMutex()
{
    static std::mutex mutex;
    return mutex;
}

// The configuration all lookups use; loaded on first use, destroyed at exit.
FcConfig *config()
{
    static const std::unique_ptr<FcConfig, ConfigDeleter> owned(FcInitLoadConfigAndFonts());
    return owned.get();
}

std::string stringOf(FcPattern *pattern, const char *object)
{
    FcChar8 *value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value)
        return {};
    return reinterpret_cast<const char *>(value);
}

int styleRank(const std::string &style)
{
    static const std::array<const char *, 5> regular = {"Regular", "Book", "Normal", "Roman", "Medium"};
    for (size_t i = 0; i < regular.size(); ++i)
        if (style == regular[i])
            return int(i);
    return 100;
}

} // namespace

std::string FontLookup::fileForFamily(const std::string &family)
{
    std::lock_guard<std::mutex> lock(configMutex());
    FcConfig *cfg = config();
    PatternPtr pattern(FcNameParse(reinterpret_cast<const FcChar8 *>(family.c_str())));
    if (!cfg || !pattern)
        return {};
    FcConfigSubstitute(cfg, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult res = FcResultNoMatch;
    PatternPtr match(FcFontMatch(cfg, pattern.get(), &res));
    return match ? stringOf(match.get(), FC_FILE) : std::string();
}

std::string FontLookup::regularFaceFile(const std::string &family)
{
    if (family.find_first_not_of(" \t") == std::string::npos)
        return {};
    std::lock_guard<std::mutex> lock(configMutex());
    FcConfig *cfg = config();
    PatternPtr pattern(FcPatternCreate());
    if (!cfg || !pattern)
        return {};
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.c_str()));
    std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(
        FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, static_cast<char *>(nullptr)));
    std::unique_ptr<FcFontSet, FontSetDeleter> fonts(FcFontList(cfg, pattern.get(), objects.get()));
    if (!fonts)
        return {};
    std::string best;
    int bestRank = 1000;
    for (int i = 0; i < fonts->nfont; ++i) {
        const std::string path = stringOf(fonts->fonts[i], FC_FILE);
        if (path.empty())
            continue;
        const int rank = styleRank(stringOf(fonts->fonts[i], FC_STYLE));
        // Lowest rank wins; between equals, the first path in sorted order,
        // so the answer does not depend on the cache's order.
        if (rank < bestRank || (rank == bestRank && path < best)) {
            best = path;
            bestRank = rank;
        }
    }
    return best;
}

std::string FontLookup::defaultFontFile()
{
    static const std::string file = [] {
        for (const char *family : {"DejaVu Sans", "Liberation Sans", "Noto Sans"}) {
            std::string f = regularFaceFile(family);
            if (!f.empty() && access(f.c_str(), R_OK) == 0)
                return f;
        }
        return fileForFamily("sans-serif");
    }();
    return file;
}

std::string FontLookup::existingOrDefault(const std::string &fontFile)
{
    if (!fontFile.empty() && access(fontFile.c_str(), R_OK) == 0)
        return fontFile;
    return defaultFontFile();
}
