#include "engine/capture/streamsaver.h"

#include "engine/capture/capturenaming.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

struct DictOwner {
    AVDictionary *dict = nullptr;
    ~DictOwner() { av_dict_free(&dict); }
};

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

} // namespace

StreamSaver::StreamSaver(const std::atomic<bool> &stop, std::atomic<double> &progress)
    : m_stop(stop), m_progress(progress)
{
    av::quietLogs();
}

int StreamSaver::interruptCallback(void *opaque)
{
    auto *self = static_cast<StreamSaver *>(opaque);
    return self->m_stop.load() ? 1 : 0;
}

bool StreamSaver::open(const QUrl &url, const Settings &settings, QString *error)
{
    m_input.reset();
    m_video = m_audio = -1;
    AVFormatContext *raw = avformat_alloc_context();
    if (!raw) {
        *error = QStringLiteral("out of memory");
        return false;
    }
    raw->interrupt_callback.callback = &StreamSaver::interruptCallback;
    raw->interrupt_callback.opaque = this;

    DictOwner opts;
    // Only the network: a page must not make us read local files or devices.
    av_dict_set(&opts.dict, "protocol_whitelist", "http,https,tls,tcp,crypto,httpproxy", 0);
    av_dict_set(&opts.dict, "rw_timeout", std::to_string(qint64(settings.stallTimeoutMs) * 1000).c_str(), 0);
    av_dict_set(&opts.dict, "tls_verify", "1", 0);
    if (!settings.caFile.isEmpty())
        av_dict_set(&opts.dict, "ca_file", settings.caFile.toLocal8Bit().constData(), 0);
    if (!settings.userAgent.isEmpty())
        av_dict_set(&opts.dict, "user_agent", settings.userAgent.toUtf8().constData(), 0);
    if (!settings.referer.isEmpty())
        av_dict_set(&opts.dict, "referer", settings.referer.toUtf8().constData(), 0);

    const QByteArray address = url.toEncoded();
    int ret = avformat_open_input(&raw, address.constData(), nullptr, &opts.dict);
    if (ret < 0) {
        // avformat_open_input frees the context on failure.
        m_stopped = m_stop.load();
        *error = m_stopped ? QStringLiteral("stopped")
                           : QStringLiteral("cannot open %1: %2")
                                 .arg(url.toDisplayString(), QString::fromStdString(av::errorText(ret)));
        return false;
    }
    m_input.reset(raw);
    ret = avformat_find_stream_info(raw, nullptr);
    if (ret < 0 || m_stop.load()) {
        m_stopped = m_stop.load();
        *error = m_stopped ? QStringLiteral("stopped")
                           : QStringLiteral("cannot read the streams of %1: %2")
                                 .arg(url.toDisplayString(), QString::fromStdString(av::errorText(ret)));
        m_input.reset();
        return false;
    }

    // One picture and one sound, the best of each (an HLS or DASH master
    // offers several qualities; the best video and the audio that goes with it).
    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        AVStream *st = raw->streams[i];
        if (st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && (st->disposition & AV_DISPOSITION_ATTACHED_PIC))
            st->discard = AVDISCARD_ALL;
    }
    m_video = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (m_video >= 0 && (raw->streams[m_video]->disposition & AV_DISPOSITION_ATTACHED_PIC))
        m_video = -1;
    m_audio = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, m_video, nullptr, 0);
    if (m_video < 0)
        m_video = -1;
    if (m_audio < 0)
        m_audio = -1;
    if (m_video < 0 && m_audio < 0) {
        *error = QStringLiteral("%1 holds neither audio nor video").arg(url.toDisplayString());
        m_input.reset();
        return false;
    }
    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        if (int(i) != m_video && int(i) != m_audio)
            raw->streams[i]->discard = AVDISCARD_ALL;
    }
    chooseContainer();
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

QString StreamSaver::createTempFile(const QString &folder, const QString &baseName, QString *error) const
{
    // Hidden, named after the target, ending in ".part": recognisably ours.
    // Created with the ordinary permissions (0666 less the umask).
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString suffix = QString::number(QRandomGenerator::global()->generate() % 0xFFFFFF, 16);
        const QString path = QDir(folder).filePath(QStringLiteral(".%1.%2.part").arg(baseName, suffix));
        const QByteArray native = QFile::encodeName(path);
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST) {
            *error = QStringLiteral("cannot write into the folder %1: %2")
                         .arg(QDir::toNativeSeparators(folder), QString::fromLocal8Bit(strerror(errno)));
            return QString();
        }
    }
    *error = QStringLiteral("cannot create a temporary file in %1").arg(folder);
    return QString();
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
    const QString temp = createTempFile(folder, baseName, error);
    if (temp.isEmpty())
        return false;
    if (!remux(temp, error)) {
        QFile::remove(temp);
        return false;
    }
    // QFile::rename never replaces an existing file: on a clash (another
    // capture finished with the same name meanwhile) take the next number.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString target = CaptureNaming::uniquePath(folder, baseName, m_extension);
        if (QFile::rename(temp, target)) {
            *savedPath = QFileInfo(target).absoluteFilePath();
            m_progress = 100.0;
            return true;
        }
        if (!QFileInfo::exists(target))
            break;
    }
    QFile::remove(temp);
    *error = QStringLiteral("cannot name the file in %1").arg(folder);
    return false;
}

bool StreamSaver::remux(const QString &tempPath, QString *error)
{
    AVFormatContext *in = m_input.get();
    AVFormatContext *rawOut = nullptr;
    const QByteArray outPath = QFile::encodeName(tempPath);
    int ret = avformat_alloc_output_context2(&rawOut, nullptr, m_muxer.c_str(), outPath.constData());
    if (ret < 0 || !rawOut) {
        *error = QStringLiteral("cannot write %1 files").arg(QString::fromStdString(m_muxer));
        return false;
    }
    av::OutputFormatPtr out(rawOut);

    struct Track {
        int input = -1;
        AVStream *stream = nullptr;
        int64_t offset = 0; // the input's start, in the input stream's time base
        int64_t lastDts = AV_NOPTS_VALUE;
    };
    std::vector<Track> tracks(in->nb_streams);
    for (int idx : {m_video, m_audio}) {
        if (idx < 0)
            continue;
        AVStream *src = in->streams[idx];
        AVStream *dst = avformat_new_stream(rawOut, nullptr);
        if (!dst || avcodec_parameters_copy(dst->codecpar, src->codecpar) < 0) {
            *error = QStringLiteral("cannot add an output stream");
            return false;
        }
        dst->codecpar->codec_tag = 0;
        dst->time_base = src->time_base;
        dst->avg_frame_rate = src->avg_frame_rate;
        dst->r_frame_rate = src->r_frame_rate;
        dst->sample_aspect_ratio = src->sample_aspect_ratio;
        dst->disposition = src->disposition & ~AV_DISPOSITION_ATTACHED_PIC;
        av_dict_copy(&dst->metadata, src->metadata, 0);
        // Rotation and similar display properties travel as side data.
        for (int i = 0; i < src->nb_side_data; ++i) {
            const AVPacketSideData &sd = src->side_data[i];
            if (uint8_t *data = av_stream_new_side_data(dst, sd.type, sd.size))
                memcpy(data, sd.data, sd.size);
        }
        Track &t = tracks[idx];
        t.input = idx;
        t.stream = dst;
        if (in->start_time != AV_NOPTS_VALUE)
            t.offset = av_rescale_q(in->start_time, AV_TIME_BASE_Q, src->time_base);
    }

    ret = avio_open(&rawOut->pb, outPath.constData(), AVIO_FLAG_WRITE);
    if (ret < 0) {
        *error =
            QStringLiteral("cannot write %1: %2").arg(tempPath, QString::fromStdString(av::errorText(ret)));
        return false;
    }
    DictOwner muxOpts;
    if (m_muxer == "mp4" || m_muxer == "mov")
        av_dict_set(&muxOpts.dict, "movflags", "+faststart", 0);
    ret = avformat_write_header(rawOut, &muxOpts.dict);
    if (ret < 0) {
        *error = QStringLiteral("cannot start the file: %1").arg(QString::fromStdString(av::errorText(ret)));
        return false;
    }

    const double duration = durationSeconds();
    const bool sizeKnown = in->pb && !(in->iformat->flags & AVFMT_NOFILE) && avio_size(in->pb) > 0;
    double endSeconds = 0.0;
    int64_t written = 0;
    av::PacketPtr pkt = av::makePacket();
    m_progress = 0.0;
    for (;;) {
        ret = av_read_frame(in, pkt.get());
        if (ret < 0)
            break;
        Track &t = tracks[pkt->stream_index];
        if (!t.stream) {
            av_packet_unref(pkt.get());
            continue;
        }
        const AVRational tb = in->streams[t.input]->time_base;
        if (pkt->dts == AV_NOPTS_VALUE)
            pkt->dts = pkt->pts;
        if (pkt->dts == AV_NOPTS_VALUE)
            pkt->dts = t.lastDts == AV_NOPTS_VALUE ? t.offset : t.lastDts + 1;
        pkt->dts -= t.offset;
        if (pkt->pts != AV_NOPTS_VALUE)
            pkt->pts -= t.offset;
        // Containers want rising decoding times; a repeat or a step back
        // (a glitch between segments) is moved just past the previous one.
        if (t.lastDts != AV_NOPTS_VALUE && pkt->dts <= t.lastDts)
            pkt->dts = t.lastDts + 1;
        if (pkt->pts != AV_NOPTS_VALUE && pkt->pts < pkt->dts)
            pkt->pts = pkt->dts;
        t.lastDts = pkt->dts;

        const int64_t shown = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
        endSeconds = std::max(endSeconds, (shown + std::max<int64_t>(pkt->duration, 0)) * av_q2d(tb));
        if (duration > 0)
            m_progress = std::clamp(endSeconds / duration * 100.0, 0.0, 99.0);
        else if (sizeKnown)
            m_progress = std::clamp(100.0 * double(avio_tell(in->pb)) / double(avio_size(in->pb)), 0.0, 99.0);

        pkt->stream_index = t.stream->index;
        pkt->pos = -1;
        av_packet_rescale_ts(pkt.get(), tb, t.stream->time_base);
        ret = av_interleaved_write_frame(rawOut, pkt.get());
        if (ret < 0) {
            *error =
                QStringLiteral("cannot write the file: %1").arg(QString::fromStdString(av::errorText(ret)));
            return false;
        }
        ++written;
    }
    if (m_stop.load() || ret == AVERROR_EXIT) {
        m_stopped = true;
        *error = QStringLiteral("stopped");
        return false;
    }
    if (ret != AVERROR_EOF) {
        *error = QStringLiteral("the stream broke off: %1").arg(QString::fromStdString(av::errorText(ret)));
        return false;
    }
    if (in->pb && in->pb->error < 0) {
        *error = QStringLiteral("the stream broke off: %1")
                     .arg(QString::fromStdString(av::errorText(in->pb->error)));
        return false;
    }
    // A stream that ends well before its stated length stopped mid-way
    // (a server gone, segments missing at the end).  Lengths guessed from
    // the bit rate are too rough to judge by.
    if (duration > 0 && in->duration_estimation_method != AVFMT_DURATION_FROM_BITRATE &&
        endSeconds < duration - std::max(0.75, duration * 0.03)) {
        *error =
            QStringLiteral("the stream ended after %1 s of %2 s").arg(seconds(endSeconds), seconds(duration));
        return false;
    }
    if (written == 0) {
        *error = QStringLiteral("nothing was received");
        return false;
    }
    ret = av_write_trailer(rawOut);
    if (ret < 0) {
        *error = QStringLiteral("cannot finish the file: %1").arg(QString::fromStdString(av::errorText(ret)));
        return false;
    }
    ret = avio_closep(&rawOut->pb);
    if (ret < 0) {
        *error = QStringLiteral("cannot finish the file: %1").arg(QString::fromStdString(av::errorText(ret)));
        return false;
    }
    return true;
}
