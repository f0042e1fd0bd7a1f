#pragma once

#include "gui/download/capturewebview.h"

#include <QWebEngineView>

class MediaRequestInterceptor;
class QWebEngineNewWindowRequest;
class QWebEngineProfile;

// The download dialog's web view.  A page never opens windows of its own
// here: when it asks for one (a pop-up, a link with a target), the address
// it wanted opens in the desktop's web browser instead.
class ExtendedWebView : public QWebEngineView, public CaptureWebView {
    Q_OBJECT
public:
    explicit ExtendedWebView(QWebEngineProfile *profile, QWidget *parent = nullptr);

    QWidget *widget() override { return this; }
    void load(const QUrl &url) override { QWebEngineView::load(url); }
    QUrl url() const override { return QWebEngineView::url(); }
    void setPageBackground(const QColor &color) override;
    bool isOffTheRecord() const override;

protected:
    QWebEngineView *createWindow(QWebEnginePage::WebWindowType type) override;

private:
    void onNewWindowRequested(QWebEngineNewWindowRequest &request);

    MediaRequestInterceptor *m_interceptor;
};
