#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// Conversions between the stored form of a profile's values (machine units:
// thousandths of fps, bits per second, Hz, channel counts, "w*h") and the
// display form used by the option lists ("29.97 fps", "128 kbps", ...).
namespace ProfileDisplay {

// What the user sees for a display form: the same text in the interface's
// language ("Keep original", "2 Channels Stereo", ...); numbers with units
// stay as they are.  The display form itself is what is stored and parsed.
QString shown(const QString &display);

// The item that stands for "keep the source size" in the resolution list.
inline QString keepOriginalResolution()
{
    return QStringLiteral("Keep Original");
}
// The item that stands for "keep the source rate" in the frame-rate lists.
inline QString keepOriginalFrameRate()
{
    return QStringLiteral("Keep original");
}

// "29970" -> "29.97 fps", "25000" -> "25 fps", "0" -> "Keep original".
QString frameRateToDisplay(const QString &stored);
// "29.97 fps" -> "29970", "Keep original" -> "0"; anything unreadable -> "0".
QString frameRateFromDisplay(const QString &display);

// "1200000" -> "1200 kbps".
QString bitrateToDisplay(const QString &stored);
// "1200 kbps" -> "1200000"; also reads "15000kbps" and "2000 Kbps".
QString bitrateFromDisplay(const QString &display);

// "44100" -> "44100 Hz".
QString sampleRateToDisplay(const QString &stored);
// "44100 Hz" -> "44100".
QString sampleRateFromDisplay(const QString &display);

// "1" -> "1 Channel Mono", "2" -> "2 Channels Stereo", "6" -> "6 Channels".
QString channelsToDisplay(const QString &stored);
// "2 Channels Stereo" -> "2".
QString channelsFromDisplay(const QString &display);

// 640x480 -> "640*480"; 0x0 -> "Keep Original".
QString resolutionToDisplay(const QSize &size);
// "Keep Original" -> "0*0"; anything else unchanged.
QString resolutionFromDisplay(const QString &display);
// The resolution list as the dialog shows it: "Keep Original" in front
// unless the list already has it.
QStringList resolutionChoices(const QStringList &list);

// The leading number of a display text ("44100 Hz" -> "44100",
// "15000kbps" -> "15000", "29.97 fps" -> "29.97"); empty when none.
QString leadingNumber(const QString &display);

// Index of the item equal to text (exact, case-sensitive), else 0.
int choiceIndex(const QStringList &items, const QString &text);

} // namespace ProfileDisplay
