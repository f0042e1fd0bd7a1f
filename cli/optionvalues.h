#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// Readers of option values as they are typed on the command line.  Each
// gives nothing for text that is not a value of its kind; the caller says
// what was expected.
namespace CliValues {

// A whole number from low to high (spaces around it allowed).
std::optional<int> wholeNumber(const QString &text, int low, int high);

// "1200000", "1200k", "1.2M": bits per second from 1 to 2^31 - 1, written
// out in full ("1200000").
std::optional<QString> bitrate(const QString &text);

// Frames per second from 0 to 1000, a real number ("nan" is not one).
std::optional<double> framesPerSecond(const QString &text);

// "640x480" (also "640X480" or "640*480"), each side of at most five digits.
std::optional<QSize> frameSize(const QString &text);
// Whether every side of size can be encoded as asked: 0 (taken from the
// source) or an even number of pixels up to the largest picture decoded.
bool frameSizeEncodable(const QSize &size);
inline constexpr int kLargestSide = 16384;

// "LEFT,TOP,WIDTH,HEIGHT" in pixels, with a width and height above 0.
std::optional<QRect> cropRect(const QString &text);

// "h", "v", "hv" or "vh" in any case: mirror left to right, top to bottom.
struct Mirror {
    bool horizontal = false;
    bool vertical = false;
};
std::optional<Mirror> mirror(const QString &text);

} // namespace CliValues
