#pragma once

#include <QWebEngineView>

class QWebEngineNewWindowRequest;
class QWebEngineProfile;

// The download dialog's web view.  A page never opens windows of its own
// here: when it asks for one (a pop-up, a link with a target), the address
// it wanted opens in the desktop's web browser instead.
class ExtendedWebView : public QWebEngineView {
    Q_OBJECT
public:
    explicit ExtendedWebView(QWebEngineProfile *profile, QWidget *parent = nullptr);

protected:
    QWebEngineView *createWindow(QWebEnginePage::WebWindowType type) override;

private:
    void onNewWindowRequested(QWebEngineNewWindowRequest &request);
};
