#include "core/media/trimsection.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

qint64 wholeMs(double ms)
{
    if (!std::isfinite(ms))
        return 0;
    // Truncated towards zero, like the integer the position is stored in.
    return qint64(std::clamp(ms, -2147483648.0, 2147483647.0));
}

qint32 toField(qint64 ms)
{
    return qint32(
        std::clamp<qint64>(ms, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

} // namespace

void TrimSection::setSource(const VideoBasicInfo &source)
{
    m_source = source;
    clear();
}

qint64 TrimSection::duration() const
{
    const qint64 start = std::max<qint64>(0, m_source.msStart);
    return m_source.msEnd > start ? qint64(m_source.msEnd) - start : 0;
}

void TrimSection::selectAll()
{
    m_start = 0;
    m_end = duration();
}

void TrimSection::clear()
{
    m_start = -1;
    m_end = -1;
}

qint64 TrimSection::clampToDuration(qint64 ms) const
{
    return std::clamp<qint64>(ms, 0, duration());
}

void TrimSection::setStartAt(double positionMs)
{
    m_start = wholeMs(positionMs);
    if (m_end < m_start)
        m_end = duration();
    m_start = clampToDuration(m_start);
}

void TrimSection::setEndAt(double positionMs)
{
    m_end = wholeMs(positionMs);
    if (m_end < m_start)
        m_start = 0;
    m_end = clampToDuration(m_end);
    if (m_start < 0)
        m_start = 0;
}

qint64 TrimSection::seekTargetForSlider(int value) const
{
    const qint64 v = std::clamp(value, 0, SliderMax);
    const qint64 seconds = v * (duration() / 1000) / SliderMax;
    return seconds * 1000;
}

int TrimSection::sliderForPosition(double positionMs) const
{
    const qint64 d = duration();
    if (d <= 0 || !std::isfinite(positionMs))
        return 0;
    const double value = double(SliderMax) * positionMs / double(d);
    return int(std::clamp(value, 0.0, double(SliderMax)));
}

int TrimSection::forwardSliderValue(int value)
{
    return std::min(std::max(value, 0) + ForwardStep, SliderMax);
}

int TrimSection::sliderForSectionStart() const
{
    const qint64 d = duration();
    if (d <= 0 || m_start <= 0)
        return 0;
    return int(std::min<qint64>(qint64(SliderMax) * m_start / d, SliderMax));
}

VideoBasicInfo TrimSection::clip() const
{
    const qint64 base = std::max<qint64>(0, m_source.msStart);
    qint64 start = std::max<qint64>(0, base + std::max<qint64>(0, m_start));
    qint64 end = base + std::max<qint64>(0, m_end);
    if (m_source.msEnd >= 0)
        end = std::min<qint64>(end, m_source.msEnd);
    start = std::min(start, std::max<qint64>(end, 0));
    return VideoBasicInfo(m_source.filename, toField(start), toField(end));
}
