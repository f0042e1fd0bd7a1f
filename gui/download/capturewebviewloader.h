#pragma once

#include <QString>

class CaptureWebView;
class QWidget;

// Loads the web view module on first use (GUI thread only) and makes views.
// The module stays loaded until the program ends.
class CaptureWebViewLoader {
public:
    // A new view for parent, or null with the reason when the module or
    // the web engine cannot be loaded.
    static CaptureWebView *create(QWidget *parent, QString *error = nullptr);
    // Whether the module (and with it the web engine) has been loaded.
    static bool isLoaded();
    // Where the module is looked for: beside the program.
    static QString modulePath();
};
