#include "core/profiles/encoderchoice.h"

#include "engine/transcode/encodernames.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <QSet>

#include <algorithm>
#include <vector>

namespace EncoderChoice {

namespace {

int editDistance(const QString &a, const QString &b)
{
    std::vector<int> row(size_t(b.size()) + 1);
    for (int j = 0; j <= b.size(); ++j)
        row[size_t(j)] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int above = row[size_t(j)];
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            row[size_t(j)] = std::min({above + 1, row[size_t(j) - 1] + 1, diagonal + cost});
            diagonal = above;
        }
    }
    return row[size_t(b.size())];
}

QStringList knownNames(Kind kind)
{
    QSet<QString> names;
    const std::vector<std::string> aliases =
        kind == Kind::Video ? EncoderNames::knownVideoNames() : EncoderNames::knownAudioNames();
    for (const std::string &alias : aliases)
        names.insert(QString::fromStdString(alias));
    const AVMediaType type = kind == Kind::Video ? AVMEDIA_TYPE_VIDEO : AVMEDIA_TYPE_AUDIO;
    void *opaque = nullptr;
    while (const AVCodec *codec = av_codec_iterate(&opaque)) {
        if (av_codec_is_encoder(codec) && codec->type == type)
            names.insert(QString::fromLatin1(codec->name));
    }
    QStringList sorted(names.begin(), names.end());
    sorted.sort();
    return sorted;
}

std::string canonical(Kind kind, const QString &name)
{
    const std::string text = name.toStdString();
    return kind == Kind::Video ? EncoderNames::canonicalVideo(text) : EncoderNames::canonicalAudio(text);
}

} // namespace

QStringList closeMatches(Kind kind, const QString &name, int limit)
{
    const QString typed = name.trimmed().toLower();
    if (typed.isEmpty())
        return {};
    struct Match {
        int score;
        QString name;
    };
    std::vector<Match> matches;
    const int allowed = std::max(2, int(typed.size()) / 3);
    for (const QString &known : knownNames(kind)) {
        const QString lower = known.toLower();
        int score = editDistance(typed, lower);
        // "x26" in "libx264", "vorbis" in "libvorbis": a part counts as close.
        if (typed.size() >= 3 && (lower.contains(typed) || typed.contains(lower)))
            score = std::min(score, 1);
        if (score <= allowed)
            matches.push_back({score, known});
    }
    std::stable_sort(matches.begin(), matches.end(),
                     [](const Match &a, const Match &b) { return a.score < b.score; });
    QStringList out;
    for (const Match &m : matches) {
        if (out.size() >= limit)
            break;
        out << m.name;
    }
    return out;
}

QString problem(Kind kind, const QString &name, const QString &extension)
{
    const QString what = kind == Kind::Video ? QStringLiteral("video") : QStringLiteral("audio");
    if (canonical(kind, name).empty()) {
        const QStringList close = closeMatches(kind, name);
        QString text = QStringLiteral("unknown %1 encoder \"%2\"").arg(what, name.trimmed());
        if (!close.isEmpty())
            text += QStringLiteral(" (did you mean %1?)").arg(close.join(QStringLiteral(", ")));
        return text;
    }
    const std::string ext = extension.toStdString();
    const ResolvedEncoder resolved = kind == Kind::Video
                                         ? EncoderNames::resolveVideo(name.toStdString(), ext)
                                         : EncoderNames::resolveAudio(name.toStdString(), ext);
    if (!resolved.substituted)
        return {};
    const ContainerRule rule = EncoderNames::container(ext);
    const std::vector<std::string> &allowed = kind == Kind::Video ? rule.videoEncoders : rule.audioEncoders;
    QStringList takes;
    for (const std::string &encoder : allowed)
        takes << QString::fromStdString(encoder);
    QString text =
        QStringLiteral("%1 files cannot hold %2 encoded with \"%3\"").arg(extension, what, name.trimmed());
    if (!takes.isEmpty())
        text += QStringLiteral(" (they take %1)").arg(takes.join(QStringLiteral(", ")));
    return text;
}

} // namespace EncoderChoice
