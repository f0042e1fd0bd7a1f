#pragma once

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QPointer>

class QWidget;

// The application object.  It knows the main window and filters native
// window-system events for it.
class MyApplication : public QApplication, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    MyApplication(int &argc, char **argv);
    ~MyApplication() override;

    QPointer<QWidget> mainWindow;

    // Native event hook.  The window manager places and sizes a maximised
    // frameless window itself here, so nothing needs handling: false.
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    // Puts the application folder's four plug-in folders first, keeping
    // Qt's own plug-in paths after them.
    static void setupLibraryPaths();
    // Loads languages/videoconverter_<code>.qm beside the program, and Qt's
    // own translation for the same language with it; a missing file leaves
    // the English texts.
    static bool installTranslation(const QString &languageCode);
    // Qt WebEngine refuses to run as root with its sandbox on.  Run as root
    // with no choice made in the environment, this turns the sandbox off
    // (QTWEBENGINE_DISABLE_SANDBOX) and returns true.  Call it before the
    // application object exists.
    static bool disableWebSandboxForRoot();
};
