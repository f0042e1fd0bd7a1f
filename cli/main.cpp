#include "cli/clirunner.h"
#include "cli/options.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {
// The tool reports in its own words; the library's debug chatter stays out.
void messageHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    fprintf(stderr, "reelmax-cli: %s\n", qPrintable(message));
}
} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(messageHandler);
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("CorVane Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvane Reelmax"));
    QCoreApplication::setApplicationVersion(QStringLiteral(REELMAX_VERSION));

    const CliParseResult parsed = parseCliOptions(app.arguments().mid(1));
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!parsed.ok) {
        err << "reelmax-cli: " << parsed.error << "\n"
            << "Try reelmax-cli --help.\n";
        return CliRunner::BadUsage;
    }
    if (parsed.options.mode == CliOptions::Mode::Help) {
        out << cliUsage();
        return CliRunner::Ok;
    }
    if (parsed.options.mode == CliOptions::Mode::Version) {
        out << "reelmax-cli " << REELMAX_VERSION << "\n";
        return CliRunner::Ok;
    }
    CliRunner::installInterruptHandler();
    return CliRunner(parsed.options).run();
}
