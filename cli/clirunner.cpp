#include "cli/clirunner.h"

#include "cli/profilecatalog.h"
#include "cli/progressbar.h"
#include "core/config/videouserconfig.h"
#include "core/edit/overlayrules.h"
#include "core/jobs/capturejob.h"
#include "core/jobs/conversionrun.h"
#include "core/media/parallelvideoloader.h"
#include "core/media/supportedfiles.h"
#include "core/media/videoinfo.h"
#include "core/platform/stalefiles.h"
#include "core/profiles/encoderchoice.h"
#include "engine/probe/mediaprobe.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <atomic>
#include <climits>
#include <csignal>
#include <type_traits>

namespace {

std::atomic<int> g_interrupted{0};

// An option's value as the profile's number (a text is read as the
// profile stores read theirs).
int64_t numberOf(const QString &text)
{
    return JobProfile::number(text);
}
template <typename N>
requires std::is_arithmetic_v<N> int64_t numberOf(N value)
{
    return int64_t(value);
}
Rational rateOf(const QString &thousandths)
{
    return JobProfile::frameRateOf(thousandths);
}
[[maybe_unused]] Rational rateOf(const Rational &rate)
{
    return rate;
}

extern "C" void onStopSignal(int signalNumber)
{
    // The first signal names the stop; later ones (a process-group kill or
    // `timeout` sends two) only find the same cleanup under way.
    int none = 0;
    g_interrupted.compare_exchange_strong(none, signalNumber);
}

// Probes the inputs in order and tells about every file that cannot be used.
class CliLoadStep : public VideoLoadStep {
public:
    explicit CliLoadStep(QTextStream &err) : m_err(err) {}
    int unusable = 0;

    // The tool shows no pictures: the probes skip the thumbnails.
    int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) override
    {
        loadAll(
            videos,
            [&loaded](VideoLoadOutcome &outcome) {
                if (outcome.record)
                    loaded.push_back(std::move(outcome.record));
            },
            false);
        return 1;
    }

protected:
    bool reportsEveryFile() const override { return true; }
    void reportInvalid(const QString &path, const QString &reason) override
    {
        ++unusable;
        m_err << "reelmax-cli: skipping " << path << ": " << reason << Qt::endl;
    }

private:
    QTextStream &m_err;
};

QJsonObject describe(VideoInfo &v)
{
    QJsonObject o;
    o.insert("file", v.filename);
    o.insert("valid", v.isValid());
    if (!v.valid)
        o.insert("error", v.probeError);
    if (!v.fileInfo)
        return o;
    const FileInfo &f = *v.fileInfo;
    o.insert("durationMs", double(qint64(f.durationMs)));
    o.insert("audioOnly", v.isAudio);
    if (!v.isAudio) {
        o.insert("width", f.width);
        o.insert("height", f.height);
        o.insert("frameRate", f.frameRate);
        o.insert("videoBitrate", f.videoBitrate);
    }
    o.insert("audioBitrate", f.audioBitrate);
    o.insert("sampleRate", f.sampleRate);
    o.insert("channels", f.channels);
    return o;
}

} // namespace

CliRunner::CliRunner(const CliOptions &options) : m_options(options), m_out(stdout), m_err(stderr) {}

void CliRunner::installInterruptHandler()
{
    // Ctrl+C, a kill and a closed terminal all stop the job the same way.
    for (int number : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action = {};
        action.sa_handler = onStopSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0; // kept for the whole run: a second one must not skip the cleanup
        sigaction(number, &action, nullptr);
    }
}

bool CliRunner::interrupted()
{
    return g_interrupted != 0;
}

int CliRunner::interruptedExitCode()
{
    // The shell's convention: 128 + the signal (130 for Ctrl+C, 143 for SIGTERM).
    return g_interrupted != 0 ? 128 + g_interrupted : Interrupted;
}

void CliRunner::fail(const QString &message)
{
    m_err << "reelmax-cli: " << message << Qt::endl;
}

int CliRunner::run()
{
    switch (m_options.mode) {
    case CliOptions::Mode::ListProfiles:
        return listProfiles();
    case CliOptions::Mode::Info:
        return info();
    case CliOptions::Mode::Convert:
        return convert();
    case CliOptions::Mode::Capture:
        return capture();
    default:
        return Ok;
    }
}

int CliRunner::listProfiles()
{
    const QList<CliProfile> profiles = ProfileCatalog::all();
    if (profiles.isEmpty()) {
        fail(QStringLiteral("the profile database could not be read"));
        return ConversionFailed;
    }
    if (m_options.json) {
        QJsonArray list;
        for (const CliProfile &p : profiles) {
            list.append(QJsonObject{{"id", p.id},
                                    {"category", p.category},
                                    {"name", p.name},
                                    {"format", p.format},
                                    {"videoEncoder", p.job.videoEncoder.trimmed()},
                                    {"audioEncoder", p.job.audioEncoder.trimmed()},
                                    {"width", p.job.width},
                                    {"height", p.job.height}});
        }
        m_out << QJsonDocument(list).toJson(QJsonDocument::Indented);
        return Ok;
    }
    // id, category title, name, extension: one profile a line, tab-separated.
    for (const CliProfile &p : profiles)
        m_out << p.id << '\t' << p.category << '\t' << p.name << '\t' << p.format << '\n';
    return Ok;
}

int CliRunner::info()
{
    QJsonArray list;
    int unusable = 0;
    MediaProbe probe;
    for (const QString &file : m_options.files) {
        VideoInfo v(VideoBasicInfo(file), probe, false); // no picture to show
        const QJsonObject o = describe(v);
        if (!v.isValid()) {
            ++unusable;
            fail(QStringLiteral("%1: %2").arg(file, v.probeError));
        }
        if (m_options.json) {
            list.append(o);
            continue;
        }
        m_out << file << '\n';
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (it.key() != QLatin1String("file"))
                m_out << "  " << it.key() << ": " << it.value().toVariant().toString() << '\n';
        }
    }
    if (m_options.json)
        m_out << QJsonDocument(list).toJson(QJsonDocument::Indented);
    m_out.flush();
    return unusable ? InputUnusable : Ok;
}

bool CliRunner::prepareProfile()
{
    const auto profile = ProfileCatalog::find(m_options.profileId);
    if (!profile) {
        fail(QStringLiteral("unknown profile \"%1\" (see --list-profiles)").arg(m_options.profileId));
        return false;
    }
    m_profile = profile->job;
    const CliOptions &o = m_options;
    if (o.size) {
        m_profile.width = o.size->width();
        m_profile.height = o.size->height();
    }
    if (o.frameRate)
        m_profile.frameRate = rateOf(*o.frameRate);
    if (o.videoBitrate)
        m_profile.videoBitrate = numberOf(*o.videoBitrate);
    if (o.audioBitrate)
        m_profile.audioBitrate = numberOf(*o.audioBitrate);
    if (o.sampleRate)
        m_profile.sampleRate = int(numberOf(*o.sampleRate));
    if (o.channels)
        m_profile.channels = int(numberOf(*o.channels));
    if (o.videoEncoder)
        m_profile.videoEncoder = *o.videoEncoder;
    if (o.audioEncoder)
        m_profile.audioEncoder = *o.audioEncoder;
    // An encoder that was asked for by name is used or refused, never
    // quietly replaced by the profile's.
    const std::pair<const std::optional<QString> *, EncoderChoice::Kind> asked[] = {
        {&o.videoEncoder, EncoderChoice::Kind::Video}, {&o.audioEncoder, EncoderChoice::Kind::Audio}};
    for (const auto &[name, kind] : asked) {
        if (!*name)
            continue;
        const QString problem = EncoderChoice::problem(kind, **name, m_profile.format);
        if (!problem.isEmpty()) {
            fail(QStringLiteral("%1: %2").arg(kind == EncoderChoice::Kind::Video ? QLatin1String("--vcodec")
                                                                                 : QLatin1String("--acodec"),
                                              problem));
            return false;
        }
    }
    if (o.aspectMode)
        m_profile.fit = JobProfile::fitOf(*o.aspectMode);
    if (o.splitSizeMb > 0) {
        m_profile.splitMode = 1;
        m_profile.splitSizeMb = o.splitSizeMb;
    } else if (o.splitMinutes > 0) {
        m_profile.splitMode = 2;
        m_profile.splitMinutes = o.splitMinutes;
    }
    return true;
}

bool CliRunner::prepareEdits()
{
    if (!m_options.subtitleFile.isEmpty() && !QFileInfo(m_options.subtitleFile).isFile()) {
        fail(QStringLiteral("subtitle file %1 not found").arg(m_options.subtitleFile));
        return false;
    }
    if (!m_options.subtitleFile.isEmpty() && !OverlayRules::isSubtitleFile(m_options.subtitleFile)) {
        fail(QStringLiteral("--subtitle: %1 cannot be read as subtitles (SRT, ASS or SSA)")
                 .arg(m_options.subtitleFile));
        return false;
    }
    if (!m_options.imageWatermark.isEmpty()) {
        QImageReader reader(m_options.imageWatermark);
        m_watermarkSize = reader.size();
        if (!m_watermarkSize.isValid()) {
            fail(QStringLiteral("watermark picture %1 cannot be read: %2")
                     .arg(m_options.imageWatermark, reader.errorString()));
            return false;
        }
    }
    return true;
}

void CliRunner::applyEdits(VideoInfo &v) const
{
    const CliOptions &o = m_options;
    if (o.crop) {
        v.cropChanged = true;
        v.cropLeft = o.crop->left();
        v.cropTop = o.crop->top();
        v.cropWidth = o.crop->width();
        v.cropHeight = o.crop->height();
    }
    if (o.mirrorH || o.mirrorV) {
        v.flipChanged = true;
        v.hFlip = o.mirrorH;
        v.vFlip = o.mirrorV;
    }
    if (o.hasEffectEdits()) {
        v.effectChanged = true;
        v.brightness = o.brightness.value_or(0);
        v.contrast = o.contrast.value_or(0);
        v.saturation = o.saturation.value_or(0);
        v.amplifier = o.amplify.value_or(0);
        v.effect = o.effect.value_or(0);
        v.deinterlace = o.deinterlace.value_or(0);
    }
    if (!o.subtitleFile.isEmpty()) {
        v.subtitleChanged = true;
        v.subtitleEnabled = true;
        v.subtitleFile = QFileInfo(o.subtitleFile).absoluteFilePath();
    }
    if (!o.textWatermark.isEmpty()) {
        v.watermarkChanged = true;
        v.watermarkEnabled = true;
        v.watermarkType = 1;
        v.watermarkText = o.textWatermark;
    } else if (!o.imageWatermark.isEmpty()) {
        v.watermarkChanged = true;
        v.watermarkEnabled = true;
        v.watermarkType = 0;
        v.watermarkImage = QFileInfo(o.imageWatermark).absoluteFilePath();
        v.watermarkImageWidth = m_watermarkSize.width();
        v.watermarkImageHeight = m_watermarkSize.height();
    }
}

VideoInfoList CliRunner::loadInputs()
{
    QList<VideoBasicInfo> videos;
    for (const QString &file : m_options.files) {
        const QString path = QFileInfo(file).absoluteFilePath();
        // The end is applied once the length is known: past the end means
        // "to the end", as with the ffmpeg tool.
        if (m_options.sections.isEmpty())
            videos << VideoBasicInfo(path, m_options.startMs, -1);
        else
            videos << SectionList::entries(path, m_options.sections);
    }
    CliLoadStep step(m_err);
    VideoInfoList loaded;
    step.run(videos, loaded);
    m_unusable = step.unusable;
    for (auto &v : loaded) {
        if (m_options.sections.isEmpty() && m_options.endMs >= 0)
            v->msEnd = v->hasKnownLength() ? std::min<qint32>(m_options.endMs, v->msEnd) : m_options.endMs;
        applyEdits(*v);
    }
    return loaded;
}

bool CliRunner::editsFit(const VideoInfoList &inputs)
{
    bool fit = true;
    for (const auto &v : inputs) {
        if (v->isAudio)
            continue;
        const QString name = QDir::toNativeSeparators(v->filename);
        const QRect frame(0, 0, v->width, v->height);
        if (m_options.crop && v->width > 0 && v->height > 0 && !frame.contains(*m_options.crop)) {
            const QRect &c = *m_options.crop;
            fail(QStringLiteral("--crop %1,%2,%3,%4 does not fit in the %5x%6 picture of %7")
                     .arg(c.left())
                     .arg(c.top())
                     .arg(c.width())
                     .arg(c.height())
                     .arg(v->width)
                     .arg(v->height)
                     .arg(name));
            fit = false;
        }
        // A rate so low that the section holds no picture at all.
        const double fps = m_options.frameRate ? m_options.frameRate->toDouble() / 1000.0 : 0.0;
        const qint64 sectionMs = v->msEnd >= 0 ? qint64(v->msEnd) - v->msStart : -1;
        if (fps > 0 && sectionMs > 0 && sectionMs * fps < 1000.0) {
            fail(QStringLiteral("--fps %1 gives no picture in the %2 s of %3 (one picture every %4 s)")
                     .arg(fps)
                     .arg(sectionMs / 1000.0)
                     .arg(name)
                     .arg(1.0 / fps));
            fit = false;
        }
    }
    return fit;
}

int CliRunner::convert()
{
    if (!m_options.discImage.isEmpty())
        return discImage();
    if (!prepareProfile() || !prepareEdits())
        return BadUsage;
    QString outputDir = m_options.outputDir;
    if (outputDir.isEmpty())
        outputDir = VideoUserConfig::instance()->convertOutputDirectory();
    const QString problem = ConversionRun::outputFolderProblem(outputDir);
    if (!problem.isEmpty()) {
        fail(problem);
        return BadUsage;
    }
    outputDir = QFileInfo(outputDir).absoluteFilePath();
    // What a killed run left behind goes before this one writes.
    StaleFiles::sweep(StaleFiles::knownFolders(*VideoUserConfig::instance(), {outputDir}));
    VideoInfoList inputs = loadInputs();
    if (!editsFit(inputs))
        return BadUsage;
    int code = m_options.merge ? mergeAll(inputs, outputDir) : convertEach(inputs, outputDir);
    if (code == Ok && m_unusable > 0)
        code = InputUnusable;
    return code;
}

int CliRunner::runToEnd(ConversionRun &run, const QString &what)
{
    ProgressBar bar;
    int failed = 0;
    QObject::connect(&run, &ConversionRun::jobFinished, [&](const JobOutcome &job) {
        bar.clear();
        if (job.status == TRANSCODE_FINISHED) {
            for (const QString &path : job.outputPaths)
                m_out << path << Qt::endl;
        } else if (job.status == TRANSCODE_FAILED) {
            ++failed;
            const QString subject = job.kind == ConversionKind::Merge
                                        ? QStringLiteral("merge")
                                        : QStringLiteral("conversion of %1").arg(job.sources.value(0));
            fail(QStringLiteral("%1 failed%2")
                     .arg(subject, job.error.isEmpty() ? QString() : QStringLiteral(": ") + job.error));
        }
    });
    QEventLoop loop;
    QObject::connect(&run, &ConversionRun::finished, &loop, &QEventLoop::quit);
    // The progress line, and Ctrl+C, are looked at ten times a second.
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (interrupted())
            run.stop();
        else
            bar.update(run.progress());
    });
    tick.start(100);
    if (!run.start()) {
        bar.finish();
        return Ok;
    }
    loop.exec();
    tick.stop();
    if (interrupted()) {
        bar.finish();
        fail(QStringLiteral("interrupted; unfinished %1 removed").arg(what));
        return interruptedExitCode();
    }
    if (!failed)
        bar.update(1.0);
    bar.finish();
    return failed ? ConversionFailed : Ok;
}

int CliRunner::convertEach(VideoInfoList &inputs, const QString &outputDir)
{
    const QString workDir = QDir::tempPath();
    ConversionRun run;
    run.setPostTaskSource([] { return int(PostTaskAction::None); });
    run.setConcurrency(m_options.jobs);
    run.setProcessing(processing());
    for (const auto &source : inputs)
        run.addConversion(m_profile, *source, outputDir, workDir);
    return runToEnd(run, QStringLiteral("outputs"));
}

ProcessingOptions CliRunner::processing() const
{
    ProcessingOptions options;
    options.threads = m_options.threads;
    options.useGpu = m_options.gpu;
    return options;
}

int CliRunner::mergeAll(VideoInfoList &inputs, const QString &outputDir)
{
    if (inputs.size() < 2) {
        fail(QStringLiteral("a merge needs at least two usable files; nothing was written"));
        return InputUnusable;
    }
    std::vector<VideoInfo> sources;
    for (const auto &v : inputs)
        sources.push_back(*v);
    ConversionRun run;
    run.setPostTaskSource([] { return int(PostTaskAction::None); });
    run.setProcessing(processing());
    // The merge makes a work folder of its own there, removed when it ends.
    run.addMerge(m_profile, sources, outputDir, QDir::tempPath());
    return runToEnd(run, QStringLiteral("output"));
}

int CliRunner::capture()
{
    const bool convertAfter = !m_options.profileId.isEmpty();
    if (convertAfter && (!prepareProfile() || !prepareEdits()))
        return BadUsage;
    // Captures go to --output unless they are only the inputs of a conversion.
    QString folder = convertAfter ? QString() : m_options.outputDir;
    if (folder.isEmpty())
        folder = VideoUserConfig::instance()->videoDownloadDirectory();
    if (!QDir().mkpath(folder)) {
        fail(QStringLiteral("cannot create the folder %1").arg(folder));
        return BadUsage;
    }
    folder = QFileInfo(folder).absoluteFilePath();

    QStringList captured;
    int failed = 0;
    for (const QString &address : m_options.files) {
        CaptureJob job;
        job.start(address, folder);
        ProgressBar bar;
        while (!job.wait(100)) {
            if (interrupted()) {
                job.stop();
                job.wait(ULONG_MAX);
                bar.finish();
                fail(QStringLiteral("interrupted; the unfinished capture was removed"));
                return interruptedExitCode();
            }
            bar.update(job.progress() / 100.0);
        }
        bar.finish();
        if (!job.succeeded()) {
            ++failed;
            fail(QStringLiteral("cannot capture %1: %2").arg(address, job.errorText()));
            continue;
        }
        captured << job.savedPath();
        if (convertAfter)
            m_err << "reelmax-cli: captured " << address << " as " << job.savedPath() << Qt::endl;
        else
            m_out << job.savedPath() << Qt::endl;
    }
    int code = failed ? ConversionFailed : Ok;
    if (convertAfter && !captured.isEmpty()) {
        m_options.files = captured;
        const int converted = convert();
        if (converted != Ok)
            code = converted;
    }
    return code;
}
