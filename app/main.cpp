#include "app/envchecker.h"
#include "app/mainwindow.h"
#include "app/myapplication.h"
#include "core/config/videouserconfig.h"
#include "core/platform/fontscan.h"
#include "core/platform/platform.h"

#include <QIcon>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include <memory>

int main(int argc, char *argv[])
{
    // The web view of the download dialog shares its GL context.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    MyApplication app(argc, argv);
    MyApplication::setupLibraryPaths();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/logo.png")));

    auto checker = std::make_unique<EnvChecker>();
    if (!checker->isFirstInstance(QStringLiteral("CorVaneVideoConverter")))
        return -1;
    if (Platform::needsElevation())
        return -2;

    startFontScan();
    QWebEngineProfile::defaultProfile()->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);

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
