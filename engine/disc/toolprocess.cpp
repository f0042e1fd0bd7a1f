#include "engine/disc/toolprocess.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace {

// Cuts complete lines off the front of buffer; a line ends at '\n' or '\r'.
void takeLines(QByteArray &buffer, const ToolProcess::LineHandler &onLine, bool flushAll)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < buffer.size(); ++i) {
        const char c = buffer.at(i);
        if (c != '\n' && c != '\r')
            continue;
        const QString line = QString::fromLocal8Bit(buffer.mid(start, i - start)).trimmed();
        if (!line.isEmpty() && onLine)
            onLine(line);
        start = i + 1;
    }
    buffer.remove(0, start);
    if (flushAll && !buffer.isEmpty()) {
        const QString line = QString::fromLocal8Bit(buffer).trimmed();
        if (!line.isEmpty() && onLine)
            onLine(line);
        buffer.clear();
    }
}

} // namespace

ToolProcess::Result ToolProcess::run(const QString &program, const QStringList &arguments,
                                     const std::atomic<bool> &cancel, const LineHandler &onLine)
{
    Result result;
    if (cancel) {
        result.cancelled = true;
        return result;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setInputChannelMode(QProcess::ManagedInputChannel);
    // Messages in a fixed language, so that progress and errors can be read.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(env);
    // The tool leads a process group of its own, so that stopping it also
    // reaches any helper it started.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.start(program, arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(-1)) {
        result.startError = process.errorString();
        return result;
    }
    result.started = true;

    QByteArray pending;
    while (process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(100);
        pending += process.readAll();
        takeLines(pending, onLine, false);
        if (cancel && process.state() != QProcess::NotRunning) {
            result.cancelled = true;
            const pid_t group = pid_t(process.processId());
            auto signalTool = [&](int sig) {
                // Never a group id of 0 or 1: that would reach this program or everything.
                if (group > 1)
                    ::kill(-group, sig);
                else if (sig == SIGTERM)
                    process.terminate();
                else
                    process.kill();
            };
            signalTool(SIGTERM);
            if (!process.waitForFinished(kTerminateGraceMs)) {
                signalTool(SIGKILL);
                process.waitForFinished(-1);
            }
            // Helpers that outlived the tool go too.
            if (group > 1)
                ::kill(-group, SIGKILL);
            break;
        }
    }
    pending += process.readAll();
    takeLines(pending, onLine, true);
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    return result;
}

QString ToolProcess::findTool(const QString &name, const QString &folder)
{
    if (!folder.isEmpty()) {
        const QString local = QStandardPaths::findExecutable(name, {folder});
        if (!local.isEmpty())
            return local;
    }
    return QStandardPaths::findExecutable(name);
}
