#include "cli/optiontable.h"

#include "cli/optionvalues.h"
#include "core/profiles/videoprofileformatuserconfig.h"

#include <cmath>
#include <limits>

namespace {

using Spec = CliOptionSpec;
constexpr int kMaxInt = std::numeric_limits<int>::max();

QString notWholeNumber(const QString &option, int low, int high, const QString &value)
{
    return QStringLiteral("%1 takes a whole number from %2 to %3, not \"%4\"")
        .arg(option)
        .arg(low)
        .arg(high)
        .arg(value);
}

Spec flag(const char *name, bool CliOptions::*field, CliOptionUse use = CliOptionUse::Conversion)
{
    return {{QLatin1String(name)},
            false,
            [field](const QString &, const QString &, CliParseState &s) {
                s.options.*field = true;
                return QString();
            },
            use};
}

Spec modeFlag(QStringList names, bool CliParseState::*field)
{
    return {names, false,
            [field](const QString &, const QString &, CliParseState &s) {
                s.*field = true;
                return QString();
            },
            CliOptionUse::Anywhere};
}

// A text stored as it is; refused when empty if refusal is given.
Spec text(const char *name, QString CliOptions::*field, const char *refusal = nullptr)
{
    return {
        {QLatin1String(name)}, true, [field, refusal](const QString &, const QString &v, CliParseState &s) {
            if (refusal && v.isEmpty())
                return QString::fromUtf8(refusal);
            s.options.*field = v;
            return QString();
        }};
}

// A whole number from low to high, stored by set.
Spec number(const char *name, int low, int high, std::function<void(CliParseState &, int)> set)
{
    return {{QLatin1String(name)},
            true,
            [low, high, set](const QString &option, const QString &v, CliParseState &s) {
                const auto n = CliValues::wholeNumber(v, low, high);
                if (!n)
                    return notWholeNumber(option, low, high, v);
                set(s, *n);
                return QString();
            }};
}

Spec number(const char *name, int low, int high, int CliOptions::*field)
{
    return number(name, low, high, [field](CliParseState &s, int n) { s.options.*field = n; });
}

Spec number(const char *name, int low, int high, std::optional<int> CliOptions::*field)
{
    return number(name, low, high, [field](CliParseState &s, int n) { s.options.*field = n; });
}

Spec numberText(const char *name, int low, int high, std::optional<QString> CliOptions::*field)
{
    return number(name, low, high,
                  [field](CliParseState &s, int n) { s.options.*field = QString::number(n); });
}

Spec bitrate(const char *name, std::optional<QString> CliOptions::*field)
{
    return {{QLatin1String(name)}, true, [field](const QString &option, const QString &v, CliParseState &s) {
                const auto bits = CliValues::bitrate(v);
                if (!bits)
                    return QStringLiteral("%1 takes a bit rate such as 128000 or 128k, not \"%2\"")
                        .arg(option, v);
                s.options.*field = *bits;
                return QString();
            }};
}

Spec encoder(const char *name, std::optional<QString> CliOptions::*field)
{
    return {{QLatin1String(name)}, true, [field](const QString &option, const QString &v, CliParseState &s) {
                if (v.trimmed().isEmpty())
                    return QStringLiteral("%1 needs an encoder name").arg(option);
                s.options.*field = v;
                return QString();
            }};
}

// Values whose check is their own.
QString storeSize(const QString &, const QString &v, CliParseState &s)
{
    const auto size = CliValues::frameSize(v);
    if (!size)
        return QStringLiteral("--size takes WIDTHxHEIGHT, such as 640x480, not \"%1\"").arg(v);
    if (!CliValues::frameSizeEncodable(*size))
        return QStringLiteral("--size takes even widths and heights up to %1 pixels (0 follows the source), "
                              "not \"%2\"")
            .arg(CliValues::kLargestSide)
            .arg(v);
    s.options.size = *size;
    return {};
}

QString storeFrameRate(const QString &, const QString &v, CliParseState &s)
{
    const auto fps = CliValues::framesPerSecond(v);
    if (!fps)
        return QStringLiteral("--fps takes frames per second from 0 to 1000, not \"%1\"").arg(v);
    // Rates are kept in thousandths; a smaller one would read as "keep the source's".
    const qint64 milli = std::llround(*fps * 1000.0);
    if (*fps > 0 && milli == 0)
        return QStringLiteral("--fps %1 is too low (0.001 at least, or 0 to keep the source's)").arg(v);
    s.options.frameRate = QString::number(milli);
    return {};
}

QString storeSections(const QString &, const QString &v, CliParseState &s)
{
    QString why;
    if (!SectionList::parse(v, s.options.sections, &why))
        return QStringLiteral("--sections: %1").arg(why);
    return {};
}

QString storeAspect(const QString &, const QString &v, CliParseState &s)
{
    const int mode = VideoProfileFormatUserConfig::aspectModeFromText(v);
    if (mode < 0)
        return QStringLiteral("--aspect takes fit, stretch or crop, not \"%1\"").arg(v);
    s.options.aspectMode = mode;
    return {};
}

QString storeCrop(const QString &, const QString &v, CliParseState &s)
{
    const auto rect = CliValues::cropRect(v);
    if (!rect)
        return QStringLiteral("--crop takes LEFT,TOP,WIDTH,HEIGHT in pixels, not \"%1\"").arg(v);
    s.options.crop = *rect;
    return {};
}

QString storeMirror(const QString &, const QString &v, CliParseState &s)
{
    const auto m = CliValues::mirror(v);
    if (!m)
        return QStringLiteral("--mirror takes h, v or hv, not \"%1\"").arg(v);
    s.options.mirrorH = m->horizontal;
    s.options.mirrorV = m->vertical;
    return {};
}

QString storeDiscImage(const QString &, const QString &v, CliParseState &s)
{
    if (v.trimmed().isEmpty())
        return QStringLiteral("--disc-image needs a file name");
    s.options.discImage = v;
    return {};
}

QString storeDiscLabel(const QString &, const QString &v, CliParseState &s)
{
    if (v.toUtf8().size() > 32)
        return QStringLiteral("--disc-label takes at most 32 bytes, not \"%1\"").arg(v);
    s.options.discLabel = v;
    return {};
}

Spec own(const char *name, QString (*store)(const QString &, const QString &, CliParseState &))
{
    return {{QLatin1String(name)}, true, store};
}

void addModes(std::vector<Spec> &t)
{
    t.push_back(modeFlag({QStringLiteral("--help"), QStringLiteral("-h")}, &CliParseState::help));
    t.push_back(modeFlag({QStringLiteral("--version")}, &CliParseState::version));
    t.push_back(modeFlag({QStringLiteral("--list-profiles")}, &CliParseState::listProfiles));
    t.push_back(modeFlag({QStringLiteral("--info")}, &CliParseState::info));
    t.push_back(flag("--json", &CliOptions::json, CliOptionUse::Listing));
    t.push_back(flag("--capture", &CliOptions::capture, CliOptionUse::Anywhere));
}

void addConversion(std::vector<Spec> &t)
{
    t.push_back(
        text("--profile", &CliOptions::profileId, "--profile needs a profile ID (see --list-profiles)"));
    Spec output = text("--output", &CliOptions::outputDir, "--output needs a folder name");
    output.use = CliOptionUse::Output;
    t.push_back(output);
    t.push_back(number("--start", 0, kMaxInt, &CliOptions::startMs));
    t.push_back(number("--end", 0, kMaxInt, &CliOptions::endMs));
    t.push_back(own("--sections", storeSections));
    t.push_back(flag("--merge", &CliOptions::merge));
    t.push_back(number("--jobs", 1, 64, [](CliParseState &s, int n) {
        s.options.jobs = n;
        s.jobsGiven = true;
    }));
    t.push_back(number("--threads", 0, 256, &CliOptions::threads));
    t.push_back(flag("--gpu", &CliOptions::gpu));
    t.push_back(own("--disc-image", storeDiscImage));
    t.push_back(own("--disc-label", storeDiscLabel));
}

void addOverrides(std::vector<Spec> &t)
{
    t.push_back(own("--size", storeSize));
    t.push_back(own("--fps", storeFrameRate));
    t.push_back(bitrate("--vbitrate", &CliOptions::videoBitrate));
    t.push_back(bitrate("--abitrate", &CliOptions::audioBitrate));
    t.push_back(numberText("--samplerate", 1000, 384000, &CliOptions::sampleRate));
    t.push_back(numberText("--channels", 1, 8, &CliOptions::channels));
    t.push_back(encoder("--vcodec", &CliOptions::videoEncoder));
    t.push_back(encoder("--acodec", &CliOptions::audioEncoder));
    t.push_back(own("--aspect", storeAspect));
    t.push_back(number("--split-size", 1, 1000000, &CliOptions::splitSizeMb));
    t.push_back(number("--split-time", 1, 1000000, &CliOptions::splitMinutes));
}

void addEdits(std::vector<Spec> &t)
{
    t.push_back(own("--crop", storeCrop));
    t.push_back(number("--brightness", -100, 100, &CliOptions::brightness));
    t.push_back(number("--contrast", -100, 100, &CliOptions::contrast));
    t.push_back(number("--saturation", -100, 100, &CliOptions::saturation));
    t.push_back(number("--amplify", -100, 100, &CliOptions::amplify));
    t.push_back(number("--effect", 0, 4, &CliOptions::effect));
    t.push_back(number("--deinterlace", 0, 4, &CliOptions::deinterlace));
    t.push_back(text("--subtitle", &CliOptions::subtitleFile, "--subtitle needs a file name"));
    t.push_back(text("--text-watermark", &CliOptions::textWatermark, "--text-watermark needs a text"));
    t.push_back(
        text("--image-watermark", &CliOptions::imageWatermark, "--image-watermark needs a file name"));
    t.push_back(own("--mirror", storeMirror));
}

} // namespace

const std::vector<CliOptionSpec> &CliOptionTable::options()
{
    static const std::vector<CliOptionSpec> table = [] {
        std::vector<Spec> t;
        addModes(t);
        addConversion(t);
        addOverrides(t);
        addEdits(t);
        return t;
    }();
    return table;
}

const CliOptionSpec *CliOptionTable::find(const QString &arg)
{
    for (const CliOptionSpec &spec : options()) {
        if (spec.names.contains(arg))
            return &spec;
    }
    return nullptr;
}
