#include "app/envchecker.h"
#include "app/eventhandler.h"
#include "app/mainwindow.h"
#include "app/myapplication.h"
#include "core/config/videouserconfig.h"
#include "core/platform/fontscan.h"
#include "core/platform/platform.h"
#include "core/platform/signalwatcher.h"
#include "core/platform/stalefiles.h"

#include <QIcon>

#include <csignal>
#include <memory>

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

    auto checker = std::make_unique<EnvChecker>();
    if (!checker->isFirstInstance(QStringLiteral("CorVaneVideoConverter")))
        return -1;
    if (Platform::needsElevation())
        return -2;

    startFontScan();

    MyApplication::installTranslation(VideoUserConfig::instance()->language());
    QApplication::setApplicationName(QStringLiteral("Corvane Reelmax"));
    QApplication::setOrganizationName(QStringLiteral("CorVane Software"));

    // What a killed run left behind (hidden part files, work folders) goes.
    StaleFiles::sweep(StaleFiles::knownFolders());

    auto window = std::make_unique<MainWindow>();
    app.mainWindow = window.get();
    VideoUserConfig::instance()->setMainWindow(window.get());
    // A kill or a closed session stops the work and ends like "Exit": no
    // half-written file stays behind.
    SignalWatcher stopSignals({SIGTERM, SIGHUP, SIGINT});
    QObject::connect(&stopSignals, &SignalWatcher::received, window->eventHandler(),
                     &CEventHandler::onExitApp);
    window->show();
    const int result = app.exec();
    window.reset();
    checker.reset();
    return result;
}
