#pragma once

#include <QColor>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

// The download dialog's web view, as the dialog sees it.  The view and the
// web engine behind it live in a module of their own that is loaded with
// the first dialog (CaptureWebViewLoader), so that a program that never
// shows a web page neither loads the engine's libraries nor starts the
// graphics context and the helper processes they bring.
class CaptureWebView {
public:
    virtual ~CaptureWebView() = default;

    // The view itself, a child of the parent it was made for.
    virtual QWidget *widget() = 0;
    virtual void load(const QUrl &url) = 0;
    virtual QUrl url() const = 0;
    virtual void setPageBackground(const QColor &color) = 0;
    // Pages visited leave no cookies or cache behind.
    virtual bool isOffTheRecord() const = 0;

    // What the page does, told to whoever set these.
    std::function<void(const QString &title)> whenTitleChanged;
    std::function<void(bool ok)> whenLoadFinished;
    // Every request of the page besides the page itself; isMedia: one of
    // its media elements asked.
    std::function<void(const QUrl &url, bool isMedia)> whenRequested;
};

// The module's one entry point.
extern "C" {
using CreateCaptureWebViewFunction = CaptureWebView *(QWidget *parent);
}
