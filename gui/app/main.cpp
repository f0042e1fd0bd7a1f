#include "core/config/videouserconfig.h"
#include "core/media/sessionstore.h"
#include "core/media/videoinfomanager.h"
#include "core/platform/fontscan.h"
#include "core/platform/platform.h"
#include "core/platform/signalwatcher.h"
#include "core/platform/stalefiles.h"
#include "gui/app/envchecker.h"
#include "gui/app/eventhandler.h"
#include "gui/app/mainwindow.h"
#include "gui/app/myapplication.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>

#include <csignal>
#include <memory>

namespace {

// The files and folders named on the command line, as absolute paths (a
// running instance has another working folder).
QStringList filesOf(const QStringList &arguments)
{
    QStringList files;
    for (const QString &argument : arguments) {
        const QFileInfo info(argument);
        if (info.isFile() || info.isDir())
            files << info.absoluteFilePath();
    }
    return files;
}

void reportMissing(const QStringList &missing)
{
    if (missing.isEmpty())
        return;
    QStringList shown;
    for (const QString &path : missing)
        shown << QDir::toNativeSeparators(path);
    QMessageBox::information(nullptr, QObject::tr("Warning"),
                             QObject::tr("These files of the last session are gone or can no longer be "
                                         "read, and were left out of the list:\n\n%1")
                                 .arg(shown.join(QLatin1Char('\n'))),
                             QMessageBox::Ok);
}

} // namespace

int main(int argc, char *argv[])
{
    // The web engine comes with the download dialog's module, loaded with the
    // first download dialog, which also sets up the graphics context its
    // views share (asked for here, the context would load the graphics
    // driver at every start).  As root the engine runs only without its
    // sandbox, which has to be known before anything starts.
    MyApplication::disableWebSandboxForRoot();
    MyApplication app(argc, argv);
    MyApplication::setupLibraryPaths();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/logo.png")));
    // The desktop finds the icon and the name through the installed entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("corvane-reelmax"));

    // A running instance takes the files of this start and comes forward.
    auto checker = std::make_unique<EnvChecker>();
    if (!checker->isFirstInstance(QStringLiteral("CorVaneVideoConverter"), filesOf(app.arguments().mid(1))))
        return -1;
    if (Platform::needsElevation())
        return -2;

    startFontScan();

    MyApplication::installTranslation(VideoUserConfig::instance()->language());
    QApplication::setApplicationName(QStringLiteral("Corvane Reelmax"));
    QApplication::setOrganizationName(QStringLiteral("CorVane Software"));

    // What a killed run left behind (hidden part files, work folders) goes.
    StaleFiles::sweep(StaleFiles::knownFolders(*VideoUserConfig::instance()));

    auto window = std::make_unique<MainWindow>();
    app.mainWindow = window.get();
    VideoUserConfig::instance()->setMainWindow(window.get());
    // A kill or a closed session stops the work and ends like "Exit": no
    // half-written file stays behind.
    SignalWatcher stopSignals({SIGTERM, SIGHUP, SIGINT});
    QObject::connect(&stopSignals, &SignalWatcher::received, window->eventHandler(),
                     &CEventHandler::onExitApp);
    QObject::connect(checker.get(), &EnvChecker::filesReceived, window.get(), &MainWindow::addFiles);

    // The list of the last run comes back first (the files of this start
    // are added after it), and is kept from now on.
    SessionStore session(VideoInfoManager::instance(), SessionStore::defaultPath());
    const SessionStore::Restored restored = session.restore();
    session.startSaving();

    window->show();
    if (!restored.missing.isEmpty())
        QTimer::singleShot(0, window.get(), [missing = restored.missing] { reportMissing(missing); });
    const int result = app.exec();
    session.saveNow();
    window.reset();
    checker.reset();
    return result;
}
