#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("reelmax-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(REELMAX_VERSION));
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("--version"))) {
        out << "reelmax-cli " << REELMAX_VERSION << "\n";
        return 0;
    }
    out << "Usage: reelmax-cli [--help] [--version]\n";
    return args.contains(QStringLiteral("--help")) ? 0 : 2;
}
