#include "cli/options.h"

#include "cli/optiontable.h"

#include <algorithm>

namespace {

// The --help text.
const char kUsage[] =
    "Usage:\n"
    "  reelmax-cli --list-profiles [--json]\n"
    "  reelmax-cli --info FILE... [--json]\n"
    "  reelmax-cli --profile ID [options] FILE...\n"
    "  reelmax-cli [--profile DVD-ID] --disc-image OUT.iso FILE\n"
    "  reelmax-cli --capture URL... [--output DIR] [--profile ID [options]]\n"
    "\n"
    "Conversion:\n"
    "  --profile ID          output profile (see --list-profiles)\n"
    "  --output DIR          output folder (default: the configured output folder)\n"
    "  --start MS, --end MS  section of each file, in milliseconds\n"
    "  --sections A-B[,C-D...] convert each section of each file into its own output\n"
    "                        (bounds in milliseconds or h:mm:ss.mmm; with --merge, joined in order)\n"
    "  --merge               join all files, in order, into one output\n"
    "  --jobs N              convert up to N files at a time (default 1)\n"
    "  --threads N           threads per decoder and encoder (default 0: all cores)\n"
    "  --gpu                 encode H.264/HEVC on the graphics card (VAAPI) when it can;\n"
    "                        otherwise in software, with a note on standard error\n"
    "DVD image:\n"
    "  --disc-image OUT.iso  author a DVD-Video disc from FILE and write its image;\n"
    "                        with --profile (the DVD profile) FILE is converted first,\n"
    "                        without it FILE must already be a DVD MPEG file\n"
    "  --disc-label TEXT     volume label of the image (default DISC(Video_DVD), 32 bytes at most)\n"
    "Profile overrides:\n"
    "  --size WxH            output size (0x0 keeps the source size)\n"
    "  --fps F               frame rate in frames per second (0 keeps the source rate)\n"
    "  --vbitrate B          video bit rate in bits per second (suffix k or M allowed)\n"
    "  --abitrate B          audio bit rate in bits per second (suffix k or M allowed)\n"
    "  --samplerate HZ       audio sample rate\n"
    "  --channels N          audio channels\n"
    "  --vcodec NAME         video encoder\n"
    "  --acodec NAME         audio encoder\n"
    "  --aspect MODE         a picture of another shape than the frame: fit (black bars,\n"
    "                        the default), stretch, or crop (fill the frame)\n"
    "Splitting:\n"
    "  --split-size MB       cut each output into files of at most MB megabytes\n"
    "                        (NAME_001.EXT, NAME_002.EXT, ...; each starts at a key frame)\n"
    "  --split-time MIN      cut each output into files of MIN minutes (the last one shorter)\n"
    "Edits:\n"
    "  --crop L,T,W,H        crop rectangle in source pixels\n"
    "  --brightness V        -100..100\n"
    "  --contrast V          -100..100\n"
    "  --saturation V        -100..100\n"
    "  --amplify V           audio amplifier -100..100\n"
    "  --effect N            0 none, 1..4 picture effect\n"
    "  --deinterlace N       0 none, 1..4 deinterlacing mode\n"
    "  --subtitle FILE       draw the subtitles of FILE\n"
    "  --text-watermark TEXT draw TEXT on the picture\n"
    "  --image-watermark FILE draw the picture FILE\n"
    "  --mirror h|v|hv       mirror left to right (h), top to bottom (v) or both;\n"
    "                        a --crop is measured on the mirrored picture\n"
    "Capture:\n"
    "  --capture URL...      save the video each web page plays (or the media at each address)\n"
    "                        into --output (default: the download folder), printing the files;\n"
    "                        with --profile the captured files are converted into --output\n"
    "Other:\n"
    "  --help, --version\n"
    "\n"
    "Exit codes: 0 done, 2 bad usage, 3 some input unusable, 4 a conversion failed,\n"
    "128 + the signal when stopped (130 Ctrl+C, 143 SIGTERM, 129 SIGHUP).\n";

// Reads the arguments in order into state: options with their values, the
// rest as files ("--" makes every later argument a file).  Returns why the
// first unusable argument cannot be used, or an empty string.
QString readArguments(const QStringList &args, CliParseState &state)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--")) {
            state.options.files << args.mid(i + 1);
            break;
        }
        const CliOptionSpec *spec = CliOptionTable::find(arg);
        if (!spec) {
            if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1)
                return QStringLiteral("unknown option %1").arg(arg);
            state.options.files << arg;
            continue;
        }
        QString value;
        if (spec->takesValue) {
            if (i + 1 >= args.size())
                return QStringLiteral("%1 needs a value").arg(arg);
            value = args.at(++i);
        }
        if (const QString why = spec->store(arg, value, state); !why.isEmpty())
            return why;
        state.given.append({arg, spec->use});
    }
    return {};
}

// Why options that each read well cannot make one conversion together.
QString conversionConflict(const CliOptions &o, bool jobsGiven)
{
    if (o.files.isEmpty())
        return QStringLiteral("no input files");
    if (o.startMs >= 0 && o.endMs >= 0 && o.endMs <= o.startMs)
        return QStringLiteral("--end must be after --start");
    if (!o.sections.isEmpty() && (o.startMs >= 0 || o.endMs >= 0))
        return QStringLiteral("give either --sections or --start/--end, not both");
    if (o.endMs == 0)
        return QStringLiteral("--end must be after the start of the file");
    if (o.merge && o.files.size() * std::max<qsizetype>(1, o.sections.size()) < 2)
        return QStringLiteral("--merge needs at least two files or sections");
    if (o.merge && jobsGiven && o.jobs > 1)
        return QStringLiteral("--merge runs as one job; --jobs cannot be used with it");
    if (!o.textWatermark.isEmpty() && !o.imageWatermark.isEmpty())
        return QStringLiteral("give either --text-watermark or --image-watermark, not both");
    if (!o.discImage.isEmpty() && (o.files.size() != 1 || o.merge))
        return QStringLiteral("--disc-image makes a disc of exactly one file");
    if (o.splitSizeMb > 0 && o.splitMinutes > 0)
        return QStringLiteral("give either --split-size or --split-time, not both");
    if (!o.discImage.isEmpty() && (o.splitSizeMb > 0 || o.splitMinutes > 0))
        return QStringLiteral("--disc-image takes the whole file; it cannot be split");
    return {};
}

// Why the first option that the chosen mode would leave unused is refused:
// nothing asked for is dropped silently.
QString unusedOption(const CliParseState &state)
{
    const CliOptions &o = state.options;
    const bool listing = o.mode == CliOptions::Mode::ListProfiles || o.mode == CliOptions::Mode::Info;
    const QString mode =
        o.mode == CliOptions::Mode::Info ? QStringLiteral("--info") : QStringLiteral("--list-profiles");
    const bool converts = o.mode == CliOptions::Mode::Convert || !o.profileId.isEmpty();
    bool label = false;
    for (const auto &[name, use] : state.given) {
        if (use == CliOptionUse::Listing && !listing)
            return QStringLiteral("%1 goes with --info or --list-profiles").arg(name);
        if ((use == CliOptionUse::Output || use == CliOptionUse::Conversion) && listing)
            return QStringLiteral("%1 cannot be used with %2").arg(name, mode);
        if (use == CliOptionUse::Conversion && !converts)
            return QStringLiteral("%1 needs --profile: without it --capture only saves the files").arg(name);
        label = label || name == QLatin1String("--disc-label");
    }
    if (label && o.discImage.isEmpty())
        return QStringLiteral("--disc-label needs --disc-image");
    return {};
}

// Picks the mode the options ask for; returns why none or several are asked.
QString settleMode(CliParseState &state)
{
    CliOptions &o = state.options;
    const bool converts = !o.profileId.isEmpty() || !o.discImage.isEmpty() || o.capture;
    const int modes = int(state.listProfiles) + int(state.info) + int(converts);
    if (state.help) {
        o.mode = CliOptions::Mode::Help;
    } else if (state.version) {
        o.mode = CliOptions::Mode::Version;
    } else if (modes == 0) {
        return QStringLiteral("nothing to do: give --profile ID with files, --info or --list-profiles");
    } else if (modes > 1) {
        return QStringLiteral("--list-profiles, --info and --profile (or --capture) cannot be combined");
    } else if (state.listProfiles) {
        o.mode = CliOptions::Mode::ListProfiles;
        if (!o.files.isEmpty())
            return QStringLiteral("--list-profiles takes no files");
    } else if (state.info) {
        o.mode = CliOptions::Mode::Info;
        if (o.files.isEmpty())
            return QStringLiteral("--info needs at least one file");
    } else if (o.capture && o.files.isEmpty()) {
        return QStringLiteral("--capture needs at least one web address");
    } else {
        o.mode = o.capture ? CliOptions::Mode::Capture : CliOptions::Mode::Convert;
        return conversionConflict(o, state.jobsGiven);
    }
    return {};
}

} // namespace

QString cliUsage()
{
    return QString::fromUtf8(kUsage);
}

CliParseResult parseCliOptions(const QStringList &args)
{
    CliParseState state;
    QString error = readArguments(args, state);
    if (error.isEmpty())
        error = settleMode(state);
    if (error.isEmpty() && state.options.mode != CliOptions::Mode::Help &&
        state.options.mode != CliOptions::Mode::Version)
        error = unusedOption(state);
    CliParseResult result;
    result.ok = error.isEmpty();
    result.error = error;
    result.options = state.options;
    return result;
}
