#pragma once

#include <QString>

// Times shown to the user: "hh:mm:ss" from milliseconds, whole seconds
// (truncated), each part at least two digits; negative values show as 0.
namespace TimeText {
QString fromMs(qint64 ms);
QString fromMs(double ms);
} // namespace TimeText
