#pragma once

#include <QElapsedTimer>

#include <cstdio>

// Progress on stderr: a redrawn bar with percentage and elapsed time on a
// terminal, plain "NN%" lines otherwise.
class ProgressBar {
public:
    explicit ProgressBar(FILE *stream = stderr);
    void update(double fraction);
    // Ends the bar's line (terminal only).
    void finish();
    // Wipes the bar so that another line can be written; the next update
    // draws it again (terminal only).
    void clear();

private:
    FILE *m_stream;
    bool m_terminal;
    int m_lastPercent = -1;
    qint64 m_lastSecond = -1;
    bool m_drawn = false;
    QElapsedTimer m_clock;
};
