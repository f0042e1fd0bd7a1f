#include "gui/app/myapplication.h"

#include "core/platform/datapaths.h"

#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <unistd.h>

MyApplication::MyApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    installNativeEventFilter(this);
}

MyApplication::~MyApplication()
{
    removeNativeEventFilter(this);
}

bool MyApplication::nativeEventFilter(const QByteArray &, void *, qintptr *)
{
    return false;
}

void MyApplication::setupLibraryPaths()
{
    const QString dir = applicationDirPath();
    QStringList paths = {dir, dir + QStringLiteral("/imageformats"), dir + QStringLiteral("/plugins"),
                         dir + QStringLiteral("/codecs")};
    // Replacing Qt's own paths outright would lose the image format plug-ins
    // (no JPEG thumbnails), so they stay after ours.
    for (const QString &p : libraryPaths()) {
        if (!paths.contains(p))
            paths << p;
    }
    setLibraryPaths(paths);
}

bool MyApplication::installTranslation(const QString &languageCode)
{
    auto *translator = new QTranslator(qApp);
    // Beside the program, or in the shared data folder of an installed one.
    const QString file = DataPaths::dataPath(QStringLiteral("languages/videoconverter_") + languageCode +
                                             QStringLiteral(".qm"));
    const bool loaded = translator->load(file);
    installTranslator(translator);
    // Qt's own texts (file dialogs, standard buttons) in the same language.
    auto *qtTexts = new QTranslator(qApp);
    if (loaded && qtTexts->load(QStringLiteral("qtbase_") + languageCode,
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qtTexts);
    else
        delete qtTexts;
    return loaded;
}

bool MyApplication::disableWebSandboxForRoot()
{
    if (::geteuid() != 0 || qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX") ||
        qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains(QLatin1String("--no-sandbox")))
        return false;
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    return true;
}
