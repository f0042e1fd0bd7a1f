#include "cli/clirunner.h"

#include "cli/profilecatalog.h"
#include "cli/progressbar.h"
#include "core/config/videouserconfig.h"
#include "core/jobs/videoconvertwrapper.h"
#include "core/jobs/videomergewrapper.h"
#include "core/media/supportedfiles.h"
#include "core/media/videoinfo.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <csignal>

namespace {

std::atomic<int> g_interrupted{0};

extern "C" void onSigint(int)
{
    g_interrupted = 1;
}

// Probes the inputs in order and tells about every file that cannot be used.
class CliLoadStep : public VideoLoadStep {
public:
    explicit CliLoadStep(QTextStream &err) : m_err(err) {}
    int unusable = 0;

    int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) override
    {
        for (const VideoBasicInfo &video : videos) {
            if (!isSupportedFile(video.filename)) {
                reportInvalid(video.filename, QStringLiteral("not a supported file type"));
                continue;
            }
            if (auto info = load(video))
                loaded.push_back(std::move(info));
        }
        return 1;
    }

protected:
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
    struct sigaction action = {};
    action.sa_handler = onSigint;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND; // a second Ctrl+C ends the process at once
    sigaction(SIGINT, &action, nullptr);
}

bool CliRunner::interrupted()
{
    return g_interrupted != 0;
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
    for (const CliProfile &p : profiles)
        m_out << p.id << '\t' << p.format << '\t' << p.name << '\n';
    return Ok;
}

int CliRunner::info()
{
    QJsonArray list;
    int unusable = 0;
    for (const QString &file : m_options.files) {
        VideoInfo v(file);
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
        m_profile.frameRate = *o.frameRate;
    if (o.videoBitrate)
        m_profile.videoBitrate = *o.videoBitrate;
    if (o.audioBitrate)
        m_profile.audioBitrate = *o.audioBitrate;
    if (o.sampleRate)
        m_profile.sampleRate = *o.sampleRate;
    if (o.channels)
        m_profile.channels = *o.channels;
    if (o.videoEncoder)
        m_profile.videoEncoder = *o.videoEncoder;
    if (o.audioEncoder)
        m_profile.audioEncoder = *o.audioEncoder;
    return true;
}

bool CliRunner::prepareEdits()
{
    if (!m_options.subtitleFile.isEmpty() && !QFileInfo(m_options.subtitleFile).isFile()) {
        fail(QStringLiteral("subtitle file %1 not found").arg(m_options.subtitleFile));
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
    for (const QString &file : m_options.files)
        videos << VideoBasicInfo(QFileInfo(file).absoluteFilePath(), m_options.startMs, m_options.endMs);
    CliLoadStep step(m_err);
    VideoInfoList loaded;
    step.run(videos, loaded);
    m_unusable = step.unusable;
    for (auto &v : loaded)
        applyEdits(*v);
    return loaded;
}

int CliRunner::convert()
{
    if (!prepareProfile() || !prepareEdits())
        return BadUsage;
    QString outputDir = m_options.outputDir;
    if (outputDir.isEmpty())
        outputDir = VideoUserConfig::instance()->convertOutputDirectory();
    if (!QDir().mkpath(outputDir)) {
        fail(QStringLiteral("cannot create the output folder %1").arg(outputDir));
        return BadUsage;
    }
    outputDir = QFileInfo(outputDir).absoluteFilePath();
    VideoInfoList inputs = loadInputs();
    int code = m_options.merge ? mergeAll(inputs, outputDir) : convertEach(inputs, outputDir);
    if (code == Ok && m_unusable > 0)
        code = InputUnusable;
    return code;
}

int CliRunner::convertEach(VideoInfoList &inputs, const QString &outputDir)
{
    struct Running {
        std::unique_ptr<VideoConvertWrapper> job;
        VideoInfo *source = nullptr;
    };
    QTemporaryDir work;
    const QString workDir = work.isValid() ? work.path() : QDir::tempPath();
    std::vector<Running> running;
    QSet<QString> reserved;
    size_t next = 0;
    int done = 0;
    int failed = 0;
    const int total = int(inputs.size());
    ProgressBar bar;

    while ((next < inputs.size() || !running.empty()) && !interrupted()) {
        while (running.size() < size_t(m_options.jobs) && next < inputs.size()) {
            VideoInfo *source = inputs[next++].get();
            const QString out =
                ConvertJob::uniqueOutputPath(source->filename, outputDir, m_profile.format, reserved);
            reserved.insert(out);
            Running r{std::make_unique<VideoConvertWrapper>(), source};
            ConvertJob::prepare(*r.job, m_profile, *source, workDir);
            r.job->setOutputPath(out);
            r.job->start();
            running.push_back(std::move(r));
        }
        double fraction = done;
        for (auto it = running.begin(); it != running.end();) {
            if (!it->job->isFinished()) {
                double progress = 0.0, unused = 0.0;
                it->job->GetEncodePrg(progress, unused);
                fraction += std::clamp(progress, 0.0, 1.0);
                ++it;
                continue;
            }
            const int status = it->job->GetLastConvetStatus();
            const QString out = it->job->outputPath();
            ++done;
            fraction += 1.0;
            bar.clear();
            if (status == TRANSCODE_FINISHED && QFileInfo(out).isFile()) {
                m_out << out << Qt::endl;
            } else {
                ++failed;
                QFile::remove(out);
                const QString why = QString::fromStdString(it->job->GetLastErrorText());
                fail(QStringLiteral("conversion of %1 failed%2")
                         .arg(it->source->filename, why.isEmpty() ? QString() : QStringLiteral(": ") + why));
            }
            it = running.erase(it);
        }
        bar.update(total ? fraction / total : 1.0);
        if (!running.empty())
            QThread::msleep(100);
    }
    if (interrupted()) {
        for (Running &r : running)
            r.job->StopTranscode();
        for (Running &r : running) {
            r.job->wait();
            QFile::remove(r.job->outputPath());
        }
        bar.finish();
        fail(QStringLiteral("interrupted; unfinished outputs removed"));
        return Interrupted;
    }
    bar.finish();
    return failed ? ConversionFailed : Ok;
}

int CliRunner::mergeAll(VideoInfoList &inputs, const QString &outputDir)
{
    if (inputs.size() < 2) {
        fail(QStringLiteral("a merge needs at least two usable files; nothing was written"));
        return InputUnusable;
    }
    QTemporaryDir work;
    if (!work.isValid()) {
        fail(QStringLiteral("cannot create a temporary folder: %1").arg(work.errorString()));
        return ConversionFailed;
    }
    EncodeInfo info;
    ConvertJob::fillEncodeInfo(&info, &m_profile, inputs.front().get());
    VideoMergeWrapper merge;
    merge.setTempDir(work.path().toLocal8Bit().constData());
    merge.setEncodeInfo(&info);
    for (const auto &v : inputs)
        merge.addFile(*v);
    const QString out = ConvertJob::uniqueOutputPath(inputs.front()->filename, outputDir, m_profile.format);
    merge.setOutputPath(out);
    ProgressBar bar;
    merge.start();
    while (!merge.wait(100)) {
        if (interrupted()) {
            merge.stopAndWait();
            QFile::remove(out);
            bar.finish();
            fail(QStringLiteral("interrupted; unfinished output removed"));
            return Interrupted;
        }
        bar.update(merge.progress());
    }
    if (merge.status() == CFfmpegMerge::Finished && QFileInfo(out).isFile()) {
        bar.update(1.0);
        bar.finish();
        m_out << out << Qt::endl;
        return Ok;
    }
    bar.finish();
    QFile::remove(out);
    const QString why = merge.lastError();
    fail(QStringLiteral("merge failed%1").arg(why.isEmpty() ? QString() : QStringLiteral(": ") + why));
    return ConversionFailed;
}
