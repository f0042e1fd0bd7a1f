#include "engine/capture/streamsaver.h"

#include "engine/av/remuxinput.h"
#include "engine/capture/capturenaming.h"
#include "engine/capture/timelinemender.h"
#include "engine/transcode/tempoutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

bool containerTakes(const char *muxer, const std::vector<AVCodecID> &codecs)
{
    const AVOutputFormat *format = av_guess_format(muxer, nullptr, nullptr);
    if (!format)
        return false;
    // Muxers without a codec table answer "unknown"; they take what they are for.
    static const std::vector<std::pair<std::string, std::vector<AVCodecID>>> own = {
        {"mp3", {AV_CODEC_ID_MP3}},
        {"flac", {AV_CODEC_ID_FLAC}},
        {"ogg",
         {AV_CODEC_ID_VORBIS, AV_CODEC_ID_OPUS, AV_CODEC_ID_FLAC, AV_CODEC_ID_THEORA, AV_CODEC_ID_SPEEX}},
    };
    for (AVCodecID id : codecs) {
        const int answer = avformat_query_codec(format, id, FF_COMPLIANCE_NORMAL);
        if (answer == 1)
            continue;
        if (answer == 0)
            return false;
        const auto it = std::find_if(own.begin(), own.end(), [&](const auto &e) { return e.first == muxer; });
        if (it == own.end() || std::find(it->second.begin(), it->second.end(), id) == it->second.end())
            return false;
    }
    return true;
}

QString seconds(double s)
{
    return QString::number(s, 'f', 1);
}

QString reason(int code)
{
    return QString::fromStdString(av::errorText(code));
}

// What every request for the capture carries.
PlaylistFetch::Options httpOptions(const StreamSaver::Settings &settings)
{
    PlaylistFetch::Options o;
    o.emplace_back("rw_timeout", std::to_string(qint64(settings.stallTimeoutMs) * 1000));
    o.emplace_back("tls_verify", "1");
    if (!settings.caFile.isEmpty())
        o.emplace_back("ca_file", settings.caFile.toLocal8Bit().toStdString());
    if (!settings.userAgent.isEmpty())
        o.emplace_back("user_agent", settings.userAgent.toStdString());
    if (!settings.referer.isEmpty())
        o.emplace_back("referer", settings.referer.toStdString());
    return o;
}

// Only the network: a page must not make us read local files or devices.
// The search for the streams reads a bounded amount, and HLS opens every
// request anew so that each passes the gate.
void networkOptions(const StreamSaver::Settings &settings, av::Dictionary &opts)
{
    for (const auto &[key, value] : httpOptions(settings))
        opts.set(key.c_str(), value.c_str());
    opts.set("protocol_whitelist", "http,https,tls,tcp,crypto,httpproxy");
    opts.set("probesize", "10000000");
    opts.set("analyzeduration", "15000000");
    opts.set("max_probe_packets", "2500");
    opts.set("http_persistent", "0");
}

av::RemuxWording captureWording(const std::string &muxer, const QString &tempPath)
{
    av::RemuxWording w;
    w.cannotCreate = "cannot write " + muxer + " files";
    w.cannotAddStream = "cannot add an output stream";
    w.cannotOpen = "cannot write " + tempPath.toStdString();
    w.cannotStart = "cannot start the file";
    w.cannotWrite = "cannot write the file";
    w.cannotFinish = "cannot finish the file";
    return w;
}

} // namespace

StreamSaver::StreamSaver(const std::atomic<bool> &stop, std::atomic<double> &progress)
    : m_stop(stop), m_progress(progress)
{
    av::quietLogs();
}

StreamSaver::~StreamSaver()
{
    closeInput();
}

void StreamSaver::closeInput()
{
    if (m_input && m_gate)
        m_gate->forget(m_input->pb);
    m_input.reset();
}

bool StreamSaver::open(const QUrl &url, const Settings &settings, QString *error)
{
    closeInput();
    m_video = m_audio = -1;
    m_gate = std::make_unique<InputGate>(m_stop, settings.limits, httpOptions(settings));
    if (!m_gate->checkChain(url, error)) {
        m_stopped = m_stop.load();
        return false;
    }
    av::Dictionary opts;
    networkOptions(settings, opts);
    const AVIOInterruptCB interrupt = m_gate->interrupt();
    const av::InputOpening opened = av::openInput(url.toEncoded().toStdString(), &opts, &interrupt, m_input,
                                                  [this](AVFormatContext *ctx) { m_gate->attach(ctx); });
    if (!opened.ok() || m_stop.load()) {
        closeInput();
        m_stopped = m_stop.load();
        const QString what = opened.readingStreams ? QStringLiteral("cannot read the streams of %1: %2")
                                                   : QStringLiteral("cannot open %1: %2");
        const QString gate = m_gate->reason();
        *error = m_stopped         ? QStringLiteral("stopped")
                 : !gate.isEmpty() ? gate
                                   : what.arg(url.toDisplayString(), reason(opened.code));
        return false;
    }
    m_gate->openingDone();
    if (!pickStreams(url, error)) {
        closeInput();
        return false;
    }
    chooseContainer();
    return true;
}

bool StreamSaver::pickStreams(const QUrl &url, QString *error)
{
    // One picture and one sound, the best of each (an HLS or DASH master
    // offers several qualities; the best video and the audio that goes with it).
    AVFormatContext *raw = m_input.get();
    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        AVStream *st = raw->streams[i];
        if (st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && (st->disposition & AV_DISPOSITION_ATTACHED_PIC))
            st->discard = AVDISCARD_ALL;
    }
    m_video = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (m_video >= 0 && (raw->streams[m_video]->disposition & AV_DISPOSITION_ATTACHED_PIC))
        m_video = -1;
    m_audio = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, m_video, nullptr, 0);
    m_video = std::max(m_video, -1);
    m_audio = std::max(m_audio, -1);
    if (m_video < 0 && m_audio < 0) {
        *error = QStringLiteral("%1 holds neither audio nor video").arg(url.toDisplayString());
        return false;
    }
    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        if (int(i) != m_video && int(i) != m_audio)
            raw->streams[i]->discard = AVDISCARD_ALL;
    }
    return true;
}

double StreamSaver::durationSeconds() const
{
    if (!m_input || m_input->duration <= 0)
        return 0.0;
    return m_input->duration / double(AV_TIME_BASE);
}

void StreamSaver::chooseContainer()
{
    std::vector<AVCodecID> codecs;
    for (int idx : {m_video, m_audio}) {
        if (idx >= 0)
            codecs.push_back(m_input->streams[idx]->codecpar->codec_id);
    }
    const QString in = QString::fromLatin1(m_input->iformat->name);
    const bool audioOnly = m_video < 0;
    auto pick = [&](const char *muxer, const char *ext) {
        m_muxer = muxer;
        m_extension = QString::fromLatin1(ext);
    };
    // Keep the source's own kind of file where it can hold the streams;
    // everything else (HLS, DASH, MPEG-TS, FLV...) goes into MP4 when the
    // codecs allow, else WebM or Matroska, which take nearly anything.
    if (in.startsWith(QLatin1String("mov,mp4")) && containerTakes("mp4", codecs))
        pick("mp4", audioOnly ? ".m4a" : ".mp4");
    else if (in.startsWith(QLatin1String("mov,mp4")) && containerTakes("mov", codecs))
        pick("mov", ".mov");
    else if (in == QLatin1String("mp3") && audioOnly && containerTakes("mp3", codecs))
        pick("mp3", ".mp3");
    else if (in == QLatin1String("ogg") && containerTakes("ogg", codecs))
        pick("ogg", ".ogg");
    else if (in == QLatin1String("flac") && containerTakes("flac", codecs))
        pick("flac", ".flac");
    else if (in.startsWith(QLatin1String("matroska")) && containerTakes("webm", codecs))
        pick("webm", ".webm");
    else if (in.startsWith(QLatin1String("matroska")))
        pick("matroska", audioOnly ? ".mka" : ".mkv");
    else if (containerTakes("mp4", codecs))
        pick("mp4", audioOnly ? ".m4a" : ".mp4");
    else if (containerTakes("webm", codecs))
        pick("webm", ".webm");
    else
        pick("matroska", audioOnly ? ".mka" : ".mkv");
}

bool StreamSaver::save(const QString &folder, const QString &baseName, QString *savedPath, QString *error)
{
    if (!m_input) {
        *error = QStringLiteral("nothing opened");
        return false;
    }
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create the folder %1").arg(folder);
        return false;
    }
    TempOutput temp;
    std::string reasonText;
    if (!temp.create(QFile::encodeName(QDir(folder).filePath(baseName + m_extension)).toStdString(),
                     &reasonText)) {
        *error = QString::fromStdString(reasonText);
        return false;
    }
    if (!remux(QFile::decodeName(temp.path().c_str()), error))
        return false;
    return place(temp, folder, baseName, savedPath, error);
}

bool StreamSaver::place(TempOutput &temp, const QString &folder, const QString &baseName, QString *savedPath,
                        QString *error)
{
    // Never over an existing file: on a clash (another capture finished
    // with the same name meanwhile) take the next number.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString target = CaptureNaming::uniquePath(folder, baseName, m_extension);
        if (temp.commitAsNew(QFile::encodeName(target).toStdString(), nullptr)) {
            *savedPath = QFileInfo(target).absoluteFilePath();
            m_progress = 100.0;
            return true;
        }
        if (!QFileInfo::exists(target))
            break;
    }
    *error = QStringLiteral("cannot name the file in %1").arg(folder);
    return false;
}

bool StreamSaver::remux(const QString &tempPath, QString *error)
{
    av::Remuxer out(captureWording(m_muxer, tempPath));
    std::vector<int> outputOf;
    double endSeconds = 0.0;
    if (!startOutput(out, tempPath, &outputOf, error) || !copyAll(out, outputOf, &endSeconds, error) ||
        !complete(endSeconds, error))
        return false;
    if (out.packetsWritten() == 0) {
        *error = QStringLiteral("nothing was received");
        return false;
    }
    std::string failure;
    if (!out.finish(&failure)) {
        *error = QString::fromStdString(failure);
        return false;
    }
    return true;
}

bool StreamSaver::startOutput(av::Remuxer &out, const QString &tempPath, std::vector<int> *outputOf,
                              QString *error)
{
    std::string failure;
    auto failed = [&] {
        *error = QString::fromStdString(failure);
        return false;
    };
    if (!out.open(QFile::encodeName(tempPath).toStdString(), m_muxer, &failure))
        return failed();
    // The container chooses its own codec tags; rotation and similar
    // display properties travel as side data.
    av::Remuxer::StreamCopy copy;
    copy.tagsAndSideData = true;
    outputOf->assign(m_input->nb_streams, -1);
    for (int idx : {m_video, m_audio}) {
        if (idx < 0)
            continue;
        const int output = out.addStream(m_input->streams[idx], copy, &failure);
        if (output < 0)
            return failed();
        (*outputOf)[size_t(idx)] = output;
    }
    av::Dictionary muxOpts;
    if (m_muxer == "mp4" || m_muxer == "mov")
        muxOpts.set("movflags", "+faststart");
    return out.start(muxOpts, &failure) || failed();
}

void StreamSaver::noteProgress(double endSeconds)
{
    const double duration = durationSeconds();
    AVFormatContext *in = m_input.get();
    const bool sizeKnown = in->pb && !(in->iformat->flags & AVFMT_NOFILE) && avio_size(in->pb) > 0;
    if (duration > 0)
        m_progress = std::clamp(endSeconds / duration * 100.0, 0.0, 99.0);
    else if (sizeKnown)
        m_progress = std::clamp(100.0 * double(avio_tell(in->pb)) / double(avio_size(in->pb)), 0.0, 99.0);
}

bool StreamSaver::copyAll(av::Remuxer &out, const std::vector<int> &outputOf, double *endSeconds,
                          QString *error)
{
    AVFormatContext *in = m_input.get();
    std::string failure;
    m_progress = 0.0;
    TimelineMender timeline(in->nb_streams);
    auto handle = [&](AVPacket *pkt) {
        const int target = outputOf[size_t(pkt->stream_index)];
        if (target < 0)
            return true;
        // Times count from the input's start and keep going across restarts.
        const AVRational tb = in->streams[pkt->stream_index]->time_base;
        const int64_t offset =
            in->start_time != AV_NOPTS_VALUE ? av_rescale_q(in->start_time, AV_TIME_BASE_Q, tb) : 0;
        pkt->pts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts - offset : AV_NOPTS_VALUE;
        pkt->dts = pkt->dts != AV_NOPTS_VALUE ? pkt->dts - offset : AV_NOPTS_VALUE;
        timeline.mend(pkt, tb);
        const int64_t shown = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
        if (shown != AV_NOPTS_VALUE)
            *endSeconds = std::max(*endSeconds, (shown + std::max<int64_t>(pkt->duration, 0)) * av_q2d(tb));
        noteProgress(*endSeconds);
        return out.write(pkt, target, tb, &failure);
    };
    int readError = 0;
    const av::CopyEnd end = av::copyPackets(in, m_stop, handle, &readError);
    const QString gate = m_gate->reason();
    if (!gate.isEmpty() && !m_stop.load()) {
        *error = gate;
        return false;
    }
    if (end == av::CopyEnd::Stopped || m_stop.load() || readError == AVERROR_EXIT) {
        m_stopped = true;
        *error = QStringLiteral("stopped");
        return false;
    }
    if (end == av::CopyEnd::Refused) {
        *error = QString::fromStdString(failure);
        return false;
    }
    const int broken = end == av::CopyEnd::ReadFailed ? readError : in->pb ? in->pb->error : 0;
    if (broken < 0) {
        *error = QStringLiteral("the stream broke off: %1").arg(reason(broken));
        return false;
    }
    return true;
}

bool StreamSaver::complete(double endSeconds, QString *error) const
{
    // A stream that ends well before its stated length stopped mid-way
    // (a server gone, segments missing at the end).  Lengths guessed from
    // the bit rate are too rough to judge by.
    const double duration = durationSeconds();
    if (duration > 0 && m_input->duration_estimation_method != AVFMT_DURATION_FROM_BITRATE &&
        endSeconds < duration - std::max(0.75, duration * 0.03)) {
        *error =
            QStringLiteral("the stream ended after %1 s of %2 s").arg(seconds(endSeconds), seconds(duration));
        return false;
    }
    return true;
}
