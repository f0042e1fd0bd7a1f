#include "cli/options.h"

#include "core/profiles/videoprofileformatuserconfig.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

class ArgReader {
public:
    explicit ArgReader(const QStringList &args) : m_args(args) {}
    bool atEnd() const { return m_pos >= m_args.size(); }
    QString next() { return m_args.at(m_pos++); }
    bool value(const QString &option, QString &out, QString &error)
    {
        if (atEnd()) {
            error = QStringLiteral("%1 needs a value").arg(option);
            return false;
        }
        out = next();
        return true;
    }

private:
    QStringList m_args;
    int m_pos = 0;
};

bool toInt(const QString &text, int low, int high, int &out)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high)
        return false;
    out = v;
    return true;
}

// "1200000", "1200k", "1.2M" as bits per second.
bool toBitrate(const QString &text, QString &out)
{
    static const QRegularExpression re(QStringLiteral("^([0-9]+(?:\\.[0-9]+)?)([kKmM]?)$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    double v = m.captured(1).toDouble();
    const QString unit = m.captured(2).toLower();
    if (unit == QLatin1String("k"))
        v *= 1000.0;
    else if (unit == QLatin1String("m"))
        v *= 1000000.0;
    if (v < 1 || v > 2147483647.0)
        return false;
    out = QString::number(qint64(std::llround(v)));
    return true;
}

} // namespace

QString cliUsage()
{
    return QStringLiteral(
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
        "128 + the signal when stopped (130 Ctrl+C, 143 SIGTERM, 129 SIGHUP).\n");
}

CliParseResult parseCliOptions(const QStringList &args)
{
    CliParseResult result;
    CliOptions &o = result.options;
    QString &error = result.error;
    ArgReader r(args);
    bool listProfiles = false, info = false, help = false, version = false, jobsGiven = false;
    auto bad = [&](const QString &message) {
        error = message;
        return result;
    };

    while (!r.atEnd()) {
        const QString arg = r.next();
        QString v;
        auto intOption = [&](int low, int high, std::optional<int> &target) {
            if (!r.value(arg, v, error))
                return false;
            int n = 0;
            if (!toInt(v, low, high, n)) {
                error = QStringLiteral("%1 takes a whole number from %2 to %3, not \"%4\"")
                            .arg(arg)
                            .arg(low)
                            .arg(high)
                            .arg(v);
                return false;
            }
            target = n;
            return true;
        };
        auto bitrateOption = [&](std::optional<QString> &target) {
            if (!r.value(arg, v, error))
                return false;
            QString bits;
            if (!toBitrate(v, bits)) {
                error = QStringLiteral("%1 takes a bit rate such as 128000 or 128k, not \"%2\"").arg(arg, v);
                return false;
            }
            target = bits;
            return true;
        };

        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            help = true;
        } else if (arg == QLatin1String("--version")) {
            version = true;
        } else if (arg == QLatin1String("--list-profiles")) {
            listProfiles = true;
        } else if (arg == QLatin1String("--info")) {
            info = true;
        } else if (arg == QLatin1String("--json")) {
            o.json = true;
        } else if (arg == QLatin1String("--capture")) {
            o.capture = true;
        } else if (arg == QLatin1String("--merge")) {
            o.merge = true;
        } else if (arg == QLatin1String("--profile")) {
            if (!r.value(arg, o.profileId, error))
                return result;
        } else if (arg == QLatin1String("--output")) {
            if (!r.value(arg, o.outputDir, error))
                return result;
        } else if (arg == QLatin1String("--disc-image")) {
            if (!r.value(arg, o.discImage, error))
                return result;
            if (o.discImage.trimmed().isEmpty())
                return bad(QStringLiteral("--disc-image needs a file name"));
        } else if (arg == QLatin1String("--disc-label")) {
            if (!r.value(arg, o.discLabel, error))
                return result;
            if (o.discLabel.toUtf8().size() > 32)
                return bad(
                    QStringLiteral("--disc-label takes at most 32 bytes, not \"%1\"").arg(o.discLabel));
        } else if (arg == QLatin1String("--start") || arg == QLatin1String("--end")) {
            std::optional<int> ms;
            if (!intOption(0, 2147483647, ms))
                return result;
            (arg == QLatin1String("--start") ? o.startMs : o.endMs) = *ms;
        } else if (arg == QLatin1String("--sections")) {
            if (!r.value(arg, v, error))
                return result;
            QString why;
            if (!SectionList::parse(v, o.sections, &why))
                return bad(QStringLiteral("--sections: %1").arg(why));
        } else if (arg == QLatin1String("--threads")) {
            std::optional<int> n;
            if (!intOption(0, 256, n))
                return result;
            o.threads = *n;
        } else if (arg == QLatin1String("--gpu")) {
            o.gpu = true;
        } else if (arg == QLatin1String("--jobs")) {
            std::optional<int> n;
            if (!intOption(1, 64, n))
                return result;
            o.jobs = *n;
            jobsGiven = true;
        } else if (arg == QLatin1String("--size")) {
            if (!r.value(arg, v, error))
                return result;
            static const QRegularExpression re(QStringLiteral("^([0-9]{1,5})[xX*]([0-9]{1,5})$"));
            const auto m = re.match(v.trimmed());
            if (!m.hasMatch())
                return bad(QStringLiteral("--size takes WIDTHxHEIGHT, such as 640x480, not \"%1\"").arg(v));
            o.size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        } else if (arg == QLatin1String("--fps")) {
            if (!r.value(arg, v, error))
                return result;
            bool ok = false;
            const double fps = v.trimmed().toDouble(&ok);
            if (!ok || fps < 0 || fps > 1000)
                return bad(QStringLiteral("--fps takes frames per second from 0 to 1000, not \"%1\"").arg(v));
            // Rates are kept in thousandths; a smaller one would read as "keep the source's".
            if (fps > 0 && std::llround(fps * 1000.0) == 0)
                return bad(
                    QStringLiteral("--fps %1 is too low (0.001 at least, or 0 to keep the source's)").arg(v));
            o.frameRate = QString::number(qint64(std::llround(fps * 1000.0)));
        } else if (arg == QLatin1String("--vbitrate")) {
            if (!bitrateOption(o.videoBitrate))
                return result;
        } else if (arg == QLatin1String("--abitrate")) {
            if (!bitrateOption(o.audioBitrate))
                return result;
        } else if (arg == QLatin1String("--samplerate")) {
            std::optional<int> n;
            if (!intOption(1000, 384000, n))
                return result;
            o.sampleRate = QString::number(*n);
        } else if (arg == QLatin1String("--channels")) {
            std::optional<int> n;
            if (!intOption(1, 8, n))
                return result;
            o.channels = QString::number(*n);
        } else if (arg == QLatin1String("--vcodec") || arg == QLatin1String("--acodec")) {
            if (!r.value(arg, v, error))
                return result;
            if (v.trimmed().isEmpty())
                return bad(QStringLiteral("%1 needs an encoder name").arg(arg));
            (arg == QLatin1String("--vcodec") ? o.videoEncoder : o.audioEncoder) = v;
        } else if (arg == QLatin1String("--aspect")) {
            if (!r.value(arg, v, error))
                return result;
            const int mode = VideoProfileFormatUserConfig::aspectModeFromText(v);
            if (mode < 0)
                return bad(QStringLiteral("--aspect takes fit, stretch or crop, not \"%1\"").arg(v));
            o.aspectMode = mode;
        } else if (arg == QLatin1String("--split-size") || arg == QLatin1String("--split-time")) {
            std::optional<int> n;
            if (!intOption(1, 1000000, n))
                return result;
            (arg == QLatin1String("--split-size") ? o.splitSizeMb : o.splitMinutes) = *n;
        } else if (arg == QLatin1String("--crop")) {
            if (!r.value(arg, v, error))
                return result;
            const QStringList parts = v.split(QLatin1Char(','));
            int n[4] = {0, 0, 0, 0};
            bool ok = parts.size() == 4;
            for (int i = 0; ok && i < 4; ++i)
                ok = toInt(parts[i], 0, 100000, n[i]);
            if (!ok || n[2] <= 0 || n[3] <= 0)
                return bad(QStringLiteral("--crop takes LEFT,TOP,WIDTH,HEIGHT in pixels, not \"%1\"").arg(v));
            o.crop = QRect(n[0], n[1], n[2], n[3]);
        } else if (arg == QLatin1String("--brightness")) {
            if (!intOption(-100, 100, o.brightness))
                return result;
        } else if (arg == QLatin1String("--contrast")) {
            if (!intOption(-100, 100, o.contrast))
                return result;
        } else if (arg == QLatin1String("--saturation")) {
            if (!intOption(-100, 100, o.saturation))
                return result;
        } else if (arg == QLatin1String("--amplify")) {
            if (!intOption(-100, 100, o.amplify))
                return result;
        } else if (arg == QLatin1String("--effect")) {
            if (!intOption(0, 4, o.effect))
                return result;
        } else if (arg == QLatin1String("--deinterlace")) {
            if (!intOption(0, 4, o.deinterlace))
                return result;
        } else if (arg == QLatin1String("--subtitle")) {
            if (!r.value(arg, o.subtitleFile, error))
                return result;
        } else if (arg == QLatin1String("--text-watermark")) {
            if (!r.value(arg, o.textWatermark, error))
                return result;
        } else if (arg == QLatin1String("--image-watermark")) {
            if (!r.value(arg, o.imageWatermark, error))
                return result;
        } else if (arg == QLatin1String("--mirror")) {
            if (!r.value(arg, v, error))
                return result;
            const QString m = v.trimmed().toLower();
            if (m != QLatin1String("h") && m != QLatin1String("v") && m != QLatin1String("hv") &&
                m != QLatin1String("vh"))
                return bad(QStringLiteral("--mirror takes h, v or hv, not \"%1\"").arg(v));
            o.mirrorH = m.contains(QLatin1Char('h'));
            o.mirrorV = m.contains(QLatin1Char('v'));
        } else if (arg == QLatin1String("--")) {
            while (!r.atEnd())
                o.files << r.next();
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return bad(QStringLiteral("unknown option %1").arg(arg));
        } else {
            o.files << arg;
        }
    }

    const int modes =
        int(listProfiles) + int(info) + int(!o.profileId.isEmpty() || !o.discImage.isEmpty() || o.capture);
    if (help) {
        o.mode = CliOptions::Mode::Help;
    } else if (version) {
        o.mode = CliOptions::Mode::Version;
    } else if (modes == 0) {
        return bad(QStringLiteral("nothing to do: give --profile ID with files, --info or --list-profiles"));
    } else if (modes > 1) {
        return bad(QStringLiteral("--list-profiles, --info and --profile (or --capture) cannot be combined"));
    } else if (listProfiles) {
        o.mode = CliOptions::Mode::ListProfiles;
        if (!o.files.isEmpty())
            return bad(QStringLiteral("--list-profiles takes no files"));
    } else if (info) {
        o.mode = CliOptions::Mode::Info;
        if (o.files.isEmpty())
            return bad(QStringLiteral("--info needs at least one file"));
    } else if (o.capture && o.files.isEmpty()) {
        return bad(QStringLiteral("--capture needs at least one web address"));
    } else {
        o.mode = o.capture ? CliOptions::Mode::Capture : CliOptions::Mode::Convert;
        if (o.files.isEmpty())
            return bad(QStringLiteral("no input files"));
        if (o.startMs >= 0 && o.endMs >= 0 && o.endMs <= o.startMs)
            return bad(QStringLiteral("--end must be after --start"));
        if (!o.sections.isEmpty() && (o.startMs >= 0 || o.endMs >= 0))
            return bad(QStringLiteral("give either --sections or --start/--end, not both"));
        if (o.merge && o.files.size() * std::max<qsizetype>(1, o.sections.size()) < 2)
            return bad(QStringLiteral("--merge needs at least two files or sections"));
        if (o.merge && jobsGiven && o.jobs > 1)
            return bad(QStringLiteral("--merge runs as one job; --jobs cannot be used with it"));
        if (!o.textWatermark.isEmpty() && !o.imageWatermark.isEmpty())
            return bad(QStringLiteral("give either --text-watermark or --image-watermark, not both"));
        if (!o.discImage.isEmpty() && (o.files.size() != 1 || o.merge))
            return bad(QStringLiteral("--disc-image makes a disc of exactly one file"));
        if (o.splitSizeMb > 0 && o.splitMinutes > 0)
            return bad(QStringLiteral("give either --split-size or --split-time, not both"));
        if (!o.discImage.isEmpty() && (o.splitSizeMb > 0 || o.splitMinutes > 0))
            return bad(QStringLiteral("--disc-image takes the whole file; it cannot be split"));
    }
    result.ok = true;
    return result;
}
