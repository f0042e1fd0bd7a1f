#pragma once

#include <QString>
#include <QStringList>

// Whether an encoder name a user typed can be used for a kind of output
// file, and what was probably meant when it cannot.  Profile names
// ("h264", "xvid", "mp3") and FFmpeg's encoder names are both accepted.
namespace EncoderChoice {

enum class Kind { Video, Audio };

// Why name cannot encode the given kind of stream into files with the
// extension (".mp4"); empty when it can.
QString problem(Kind kind, const QString &name, const QString &extension);

// Known encoder names close to name (a typing slip, a part of the name),
// best first, at most limit of them.
QStringList closeMatches(Kind kind, const QString &name, int limit = 5);

} // namespace EncoderChoice
