#include "app/envchecker.h"
#include "app/mainwindow.h"
#include "app/myapplication.h"
#include "core/config/videouserconfig.h"
#include "core/platform/fontscan.h"
#include "core/platform/platform.h"

#include <QIcon>

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

    auto window = std::make_unique<MainWindow>();
    app.mainWindow = window.get();
    VideoUserConfig::instance()->setMainWindow(window.get());
    window->show();
    const int result = app.exec();
    window.reset();
    checker.reset();
    return result;
}
