#include "cli/progressbar.h"

#include <QByteArray>

#include <algorithm>
#include <unistd.h>

ProgressBar::ProgressBar(FILE *stream) : m_stream(stream), m_terminal(isatty(fileno(stream)) != 0)
{
    m_clock.start();
}

void ProgressBar::update(double fraction)
{
    const int percent = std::clamp(int(fraction * 100.0), 0, 100);
    const qint64 seconds = m_clock.elapsed() / 1000;
    if (!m_terminal) {
        if (percent != m_lastPercent) {
            std::fprintf(m_stream, "%d%%\n", percent);
            std::fflush(m_stream);
        }
        m_lastPercent = percent;
        return;
    }
    if (percent == m_lastPercent && seconds == m_lastSecond)
        return;
    m_lastPercent = percent;
    m_lastSecond = seconds;
    constexpr int width = 30;
    const int filled = percent * width / 100;
    const QByteArray bar = QByteArray(filled, '#') + QByteArray(width - filled, '-');
    std::fprintf(m_stream, "\r[%s] %3d%%  %02lld:%02lld:%02lld", bar.constData(), percent,
                 static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
                 static_cast<long long>(seconds % 60));
    std::fflush(m_stream);
    m_drawn = true;
}

void ProgressBar::finish()
{
    if (m_terminal && m_drawn) {
        std::fputc('\n', m_stream);
        std::fflush(m_stream);
        m_drawn = false;
    }
}

void ProgressBar::clear()
{
    if (m_terminal && m_drawn) {
        std::fputs("\r\033[K", m_stream);
        std::fflush(m_stream);
        m_drawn = false;
        m_lastPercent = -1;
    }
}
