// Every built-in profile, with its default parameters, converts a short
// generated clip into a file that plays: the right container, picture size,
// frame rate, sample rate and channel count, decoding cleanly end to end.
//
// Environment: REELMAX_MATRIX_JOBS (parallel conversions, default 2),
// REELMAX_MATRIX_IDS (comma-separated profile ids to run instead of all),
// REELMAX_MATRIX_KEEP (a folder that keeps the outputs for a closer look).
#include "common/testmedia.h"
#include "core/jobs/convertjob.h"
#include "core/profiles/upcdefaults.h"
#include "core/profiles/videoprofileformatuserconfig.h"
#include "core/profiles/videoprofileinfomanager.h"
#include "engine/transcode/transcoder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QProcess>
#include <QtTest>

#include <tinyxml2.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

constexpr int kSourceWidth = 160;
constexpr int kSourceHeight = 120;
constexpr int kSourceFps = 25;
constexpr double kSeconds = 2.0;

// What a conversion of the source with the profile must give, read from the
// profile's own texts (not through the job builder under test).
struct Expected {
    int width = 0;
    int height = 0;
    int frameRate = 0; // thousandths of a frame per second
    int sampleRate = 0;
    int channels = 0;
};

Expected expectedFor(const VideoProfileFormatUserConfig &profile)
{
    Expected info;
    info.channels = profile.getChannels().toInt();
    info.sampleRate = profile.getSampleRate().toInt();
    const QString fps = profile.getFrameRate();
    info.frameRate = fps == QLatin1String("0") ? kSourceFps * 1000 : fps.toInt();
    QSize size = profile.getResolution();
    if (size.width() == 0 && size.height() == 0)
        size = QSize(kSourceWidth, kSourceHeight);
    info.width = size.width();
    info.height = size.height();
    return info;
}

// Container names as the probe reports them, by output extension.
QString expectedContainer(const QString &ext)
{
    static const QHash<QString, QString> names{
        {".asf", "asf"},    {".wmv", "asf"},  {".wma", "asf"},      {".mov", "mov"},      {".m4v", "mp4"},
        {".mp4", "mp4"},    {".m4a", "m4a"},  {".m4b", "m4a"},      {".m4r", "m4a"},      {".3gp", "3gp"},
        {".3g2", "3g2"},    {".f4v", "mp4"},  {".mkv", "matroska"}, {".mka", "matroska"}, {".webm", "webm"},
        {".avi", "avi"},    {".dv", "dv"},    {".mpg", "mpeg"},     {".vob", "mpeg"},     {".ts", "mpegts"},
        {".trp", "mpegts"}, {".flv", "flv"},  {".swf", "swf"},      {".mp3", "mp3"},      {".ac3", "ac3"},
        {".aac", "aac"},    {".wav", "wav"},  {".ogg", "ogg"},      {".ape", "ape"},      {".au", "au"},
        {".aiff", "aiff"},  {".flac", "flac"}};
    return names.value(ext);
}

double rate(const QString &fraction)
{
    const QStringList parts = fraction.split(QLatin1Char('/'));
    if (parts.size() != 2 || parts.at(1).toDouble() == 0)
        return 0;
    return parts.at(0).toDouble() / parts.at(1).toDouble();
}

bool rateMatches(const QJsonObject &video, double expected)
{
    for (const char *key : {"avg_frame_rate", "r_frame_rate"}) {
        const double r = rate(video.value(QLatin1String(key)).toString());
        if (r > 0 && std::abs(r - expected) <= expected * 0.015)
            return true;
    }
    return false;
}

QString describeRate(const QJsonObject &video)
{
    return QStringLiteral("%1 (avg %2)")
        .arg(video.value("r_frame_rate").toString(), video.value("avg_frame_rate").toString());
}

quint32 le32(const QByteArray &data, int offset)
{
    const auto *p = reinterpret_cast<const uchar *>(data.constData() + offset);
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

// A DPG file is a header followed by an MPEG audio stream and an MPEG-1
// video stream; both are cut out and checked on their own.
QStringList checkDpg(const QString &path, const Expected &info)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {"output cannot be read"};
    const QByteArray data = f.readAll();
    if (data.size() < 36 || !data.startsWith("DPG"))
        return {"no DPG header"};
    const quint32 audioStart = le32(data, 20), audioSize = le32(data, 24);
    const quint32 videoStart = le32(data, 28), videoSize = le32(data, 32);
    if (audioStart + quint64(audioSize) > quint64(data.size()) ||
        videoStart + quint64(videoSize) > quint64(data.size()) || !audioSize || !videoSize)
        return {"DPG header points outside the file"};
    QStringList errors;
    const QString audioPath = path + ".mp2", videoPath = path + ".m1v";
    QFile a(audioPath), v(videoPath);
    if (!a.open(QIODevice::WriteOnly) || !v.open(QIODevice::WriteOnly))
        return {"cannot write the DPG parts"};
    a.write(data.mid(int(audioStart), int(audioSize)));
    v.write(data.mid(int(videoStart), int(videoSize)));
    a.close();
    v.close();
    const QJsonObject video = TestMedia::stream(TestMedia::probe(videoPath), "video");
    const QJsonObject audio = TestMedia::stream(TestMedia::probe(audioPath), "audio");
    if (video.value("codec_name").toString() != QLatin1String("mpeg1video"))
        errors << "DPG video is not MPEG-1: " + video.value("codec_name").toString();
    if (video.value("width").toInt() != info.width || video.value("height").toInt() != info.height)
        errors << QStringLiteral("DPG size %1x%2")
                      .arg(video.value("width").toInt())
                      .arg(video.value("height").toInt());
    if (audio.value("sample_rate").toString().toInt() != info.sampleRate)
        errors << "DPG sample rate " + audio.value("sample_rate").toString();
    if ((le32(data, 8) >> 8) * 1000 != quint32(info.frameRate))
        errors << QStringLiteral("DPG header rate %1").arg(le32(data, 8) >> 8);
    QString decodeErrors;
    if (!TestMedia::decodesCleanly(videoPath, &decodeErrors) ||
        !TestMedia::decodesCleanly(audioPath, &decodeErrors))
        errors << "DPG parts do not decode: " + decodeErrors.left(120);
    return errors;
}

// Length of the first video (or audio) stream by decoding it.
double decodedSeconds(const QString &path, bool audio)
{
    QProcess p;
    p.start(QStringLiteral("ffprobe"),
            {"-v", "error", "-count_frames", "-select_streams", audio ? "a:0" : "v:0", "-show_entries",
             "stream=nb_read_frames,avg_frame_rate,r_frame_rate,"
             "sample_rate,duration",
             "-of", "json", path});
    if (!p.waitForFinished(60000))
        return 0;
    const QJsonObject s = QJsonDocument::fromJson(p.readAllStandardOutput())
                              .object()
                              .value("streams")
                              .toArray()
                              .first()
                              .toObject();
    if (s.value("duration").toString().toDouble() > 0)
        return s.value("duration").toString().toDouble();
    const double fps = rate(s.value("r_frame_rate").toString());
    return fps > 0 ? s.value("nb_read_frames").toString().toDouble() / fps : 0;
}

// Decodes every stream to the end; any error message fails.  Timestamps
// keep the file's own time base, so that a stream whose times do not fall
// on whole frame periods is not mistaken for a broken one.
bool decodesToEnd(const QString &path, QString *errors)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"),
            {"-v", "error", "-nostdin", "-i", path, "-map", "0", "-enc_time_base", "-1", "-f", "null", "-"});
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        *errors = QStringLiteral("decoding timed out");
        return false;
    }
    *errors = QString::fromUtf8(p.readAllStandardError()).trimmed();
    return p.exitCode() == 0 && errors->isEmpty();
}

// Profiles that cannot produce their file on this platform, with the reason.
// They must fail cleanly: status 4, a reason, and no output file left behind.
// (None at present: 1208, Monkey's Audio, is written by the engine's own
// encoder since FFmpeg has none.)
const QHash<QString, QString> kExceptions{};

struct Job {
    QString id;
    QString category;
    QString name;
    QString ext;
    VideoProfileFormatUserConfig profile;
    bool audioOnly = false;
    bool audioOptional = false;
    QStringList errors;
    qint64 ms = 0;
};

QStringList convertAndCheck(const Job &job, const QString &source, const QString &dir,
                            std::atomic<StopToken *> &running)
{
    const Expected info = expectedFor(job.profile);
    const QString out = dir + QLatin1Char('/') + job.id + job.ext;
    // The job the conversion panel builds for the profile and an untrimmed file.
    TranscodeJob transcode;
    TranscodeInput input;
    input.path = source.toStdString();
    transcode.inputs.push_back(input);
    transcode.output = ConvertJob::outputSpec(ConvertJob::jobProfile(job.profile), out);
    StopToken stop;
    running = &stop;
    const TranscodeResult result = Transcoder::run(transcode, nullptr, &stop);
    running = nullptr;
    const int status = result.status;
    if (kExceptions.contains(job.id)) {
        if (status != TRANSCODE_FAILED || result.reason.empty() || QFile::exists(out))
            return {QStringLiteral("expected a clean failure, got status %1").arg(status)};
        return {};
    }
    if (status != TRANSCODE_FINISHED)
        return {QStringLiteral("status %1: %2").arg(status).arg(QString::fromStdString(result.reason))};
    if (!QFile::exists(out))
        return {"finished without an output file"};
    if (job.ext == QLatin1String(".dpg"))
        return checkDpg(out, info);

    QStringList errors;
    const QJsonObject probe = TestMedia::probe(out);
    if (probe.isEmpty())
        return {"output does not probe"};
    const QJsonObject format = probe.value("format").toObject();
    const QString container = format.value("format_name").toString();
    const QString wanted = expectedContainer(job.ext);
    const QString brand = format.value("tags").toObject().value("major_brand").toString().trimmed();
    if (wanted == QLatin1String("mp4") || wanted == QLatin1String("m4a") || wanted == QLatin1String("3gp") ||
        wanted == QLatin1String("3g2") || wanted == QLatin1String("mov")) {
        if (!container.contains(QLatin1String("mov")))
            errors << "container " + container;
        else if (wanted == QLatin1String("3gp") && !brand.startsWith(QLatin1String("3gp")))
            errors << "brand " + brand;
        else if (wanted == QLatin1String("3g2") && !brand.startsWith(QLatin1String("3g2")))
            errors << "brand " + brand;
        else if (wanted == QLatin1String("mov") && brand != QLatin1String("qt"))
            errors << "brand " + brand;
    } else if (!container.split(QLatin1Char(',')).contains(wanted) &&
               !(wanted == QLatin1String("webm") && container.contains(QLatin1String("webm")))) {
        errors << "container " + container;
    }
    double seconds = TestMedia::durationSeconds(probe);
    if (seconds <= 0) // some containers (SWF) state no duration: count the frames
        seconds = decodedSeconds(out, job.audioOnly);
    if (seconds < kSeconds - 0.5 || seconds > kSeconds + 0.8)
        errors << QStringLiteral("duration %1 s").arg(seconds, 0, 'f', 2);

    const QJsonObject video = TestMedia::stream(probe, "video");
    const QJsonObject audio = TestMedia::stream(probe, "audio");
    if (job.audioOnly) {
        if (!video.isEmpty())
            errors << "video stream in an audio profile";
    } else if (video.isEmpty()) {
        errors << "no video stream";
    } else {
        const int w = video.value("width").toInt(), h = video.value("height").toInt();
        if (w != info.width || h != info.height)
            errors << QStringLiteral("size %1x%2, want %3x%4").arg(w).arg(h).arg(info.width).arg(info.height);
        if (!rateMatches(video, info.frameRate / 1000.0))
            errors
                << QStringLiteral("rate %1, want %2").arg(describeRate(video)).arg(info.frameRate / 1000.0);
    }
    if (audio.isEmpty()) {
        if (!job.audioOptional)
            errors << "no audio stream";
    } else {
        const int sr = audio.value("sample_rate").toString().toInt();
        const int ch = audio.value("channels").toInt();
        if (sr != info.sampleRate)
            errors << QStringLiteral("sample rate %1, want %2").arg(sr).arg(info.sampleRate);
        if (ch != info.channels)
            errors << QStringLiteral("channels %1, want %2").arg(ch).arg(info.channels);
    }
    QString decodeErrors;
    if (!decodesToEnd(out, &decodeErrors))
        errors << "decode: " + decodeErrors.section(QLatin1Char('\n'), 0, 0).left(120);
    return errors;
}

// Runs the jobs on a few threads; a conversion that hangs is stopped after
// two minutes and counts as failed.
void runParallel(std::vector<Job *> &jobs, const QString &source, const QString &dir)
{
    const int workers = qBound(1, qEnvironmentVariableIntValue("REELMAX_MATRIX_JOBS") ?: 2, 8);
    std::atomic<size_t> next{0};
    std::atomic<int> done{0};
    std::vector<std::atomic<StopToken *>> running(static_cast<size_t>(workers));
    std::vector<std::atomic<qint64>> startedAt(static_cast<size_t>(workers));
    QElapsedTimer clock;
    clock.start();
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w) {
        running[size_t(w)] = nullptr;
        startedAt[size_t(w)] = -1;
        threads.emplace_back([&, w] {
            for (size_t i = next++; i < jobs.size(); i = next++) {
                QElapsedTimer t;
                t.start();
                startedAt[size_t(w)] = clock.elapsed();
                jobs[i]->errors = convertAndCheck(*jobs[i], source, dir, running[size_t(w)]);
                startedAt[size_t(w)] = -1;
                jobs[i]->ms = t.elapsed();
            }
            ++done;
        });
    }
    while (done.load() < workers) {
        QTest::qSleep(100);
        for (int w = 0; w < workers; ++w) {
            const qint64 since = startedAt[size_t(w)];
            if (since >= 0 && clock.elapsed() - since > 120000) {
                if (StopToken *t = running[size_t(w)])
                    t->request();
            }
        }
    }
    for (auto &t : threads)
        t.join();
}

void printFailures(const std::vector<Job> &jobs)
{
    int failed = 0;
    qint64 total = 0;
    for (const Job &job : jobs) {
        total += job.ms;
        if (job.errors.isEmpty())
            continue;
        if (!failed++)
            std::printf("\n%-5s %-22s %-6s %s\n", "id", "name", "ext", "failure");
        std::printf("%-5s %-22s %-6s %s\n", qPrintable(job.id), qPrintable(job.name.left(22)),
                    qPrintable(job.ext), qPrintable(job.errors.join(QStringLiteral("; "))));
    }
    std::vector<const Job *> slowest;
    for (const Job &job : jobs)
        slowest.push_back(&job);
    std::sort(slowest.begin(), slowest.end(), [](const Job *a, const Job *b) { return a->ms > b->ms; });
    std::printf("\nSlowest:");
    for (size_t i = 0; i < std::min<size_t>(5, slowest.size()); ++i)
        std::printf(" %s %.1f s;", qPrintable(slowest[i]->id), slowest[i]->ms / 1000.0);
    std::printf("\n");
    for (const Job &job : jobs)
        if (kExceptions.contains(job.id) && job.errors.isEmpty())
            std::printf("%s %s: fails cleanly as expected (%s)\n", qPrintable(job.id), qPrintable(job.name),
                        qPrintable(kExceptions.value(job.id)));
    std::printf("Profile matrix: %d of %d profiles passed (%.0f s of conversion and checks)\n",
                int(jobs.size()) - failed, int(jobs.size()), total / 1000.0);
    std::fflush(stdout);
}

} // namespace

class TstProfileMatrix : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void category_data();
    void category();
    void cleanupTestCase();

private:
    QString m_dir;
    QString m_source;
    tinyxml2::XMLDocument m_entries;
    std::vector<Job> m_jobs;
};

void TstProfileMatrix::initTestCase()
{
    const QString keep = qEnvironmentVariable("REELMAX_MATRIX_KEEP");
    m_dir = keep.isEmpty() ? TestMedia::tempDir() : keep;
    m_source = m_dir + QStringLiteral("/source.mkv");
    QVERIFY(
        TestMedia::makeClip(m_source, kSeconds, kSourceWidth, kSourceHeight, QString::number(kSourceFps)));

    // One free-standing <Format> entry per profile, outside any upc.xml.
    tinyxml2::XMLElement *root = m_entries.NewElement("Category");
    m_entries.InsertEndChild(root);
    const CVideoProfileInfoManager *db = CVideoProfileInfoManager::getInstance();
    QStringList ids = db->formatIds();
    QCOMPARE(ids.size(), 214);
    const QString only = qEnvironmentVariable("REELMAX_MATRIX_IDS");
    if (!only.isEmpty())
        ids = only.split(QLatin1Char(','), Qt::SkipEmptyParts);
    m_jobs.reserve(size_t(ids.size()));
    for (const QString &id : ids) {
        tinyxml2::XMLElement *e = root->InsertNewChildElement("Format");
        e->SetAttribute("id", id.toUtf8().constData());
        Job job;
        job.id = id;
        job.profile = VideoProfileFormatUserConfig(e);
        QVERIFY2(job.profile.isValid(), qPrintable(id));
        job.category = job.profile.getFormatInfo()->attribute("categoryid");
        job.name = job.profile.getName();
        job.ext = job.profile.getFormat();
        job.audioOnly = job.profile.getFormatInfo()->attribute("FormatType") == QLatin1String("3");
        job.audioOptional = job.profile.getAudioEncoder().trimmed().isEmpty();
        m_jobs.push_back(job);
    }
}

void TstProfileMatrix::category_data()
{
    QTest::addColumn<QString>("categoryId");
    for (const UpcDefaults::CategoryDef &c : UpcDefaults::categories()) {
        for (const Job &job : m_jobs) {
            if (job.category == c.id) {
                QTest::newRow(qPrintable(c.title)) << c.id;
                break;
            }
        }
    }
}

void TstProfileMatrix::category()
{
    QFETCH(QString, categoryId);
    std::vector<Job *> jobs;
    for (Job &job : m_jobs)
        if (job.category == categoryId)
            jobs.push_back(&job);
    runParallel(jobs, m_source, m_dir);
    QStringList failed;
    for (const Job *job : jobs)
        if (!job->errors.isEmpty())
            failed << job->id + QLatin1Char(' ') + job->name.trimmed() + QStringLiteral(": ") +
                          job->errors.join(QStringLiteral("; "));
    QVERIFY2(failed.isEmpty(), qPrintable(failed.join(QLatin1Char('\n'))));
}

void TstProfileMatrix::cleanupTestCase()
{
    printFailures(m_jobs);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The conversions of one category may take minutes on a loaded machine.
    if (qEnvironmentVariableIsEmpty("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "1500000");
    TstProfileMatrix test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_profilematrix.moc"
