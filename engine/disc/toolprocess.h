#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

// Runs one external tool to its end on the calling thread: arguments as a
// list (never through a shell), standard output and error merged and handed
// over line by line (a carriage return ends a line too, as progress lines
// use it).  A raised cancel flag stops the tool and everything it started:
// first politely, then for good, and the call returns only once the tool is
// gone.
class ToolProcess {
public:
    using LineHandler = std::function<void(const QString &line)>;

    struct Result {
        bool started = false;
        bool cancelled = false;
        bool crashed = false;
        int exitCode = -1;
        QString startError; // why the tool could not be started

        bool succeeded() const { return started && !cancelled && !crashed && exitCode == 0; }
    };

    // How long a tool gets to end after the polite request before it is killed.
    static constexpr int kTerminateGraceMs = 3000;

    static Result run(const QString &program, const QStringList &arguments, const std::atomic<bool> &cancel,
                      const LineHandler &onLine);

    // The tool's full path: first in folder (when given), then on the PATH.
    // Empty when it is nowhere.
    static QString findTool(const QString &name, const QString &folder = {});
};
