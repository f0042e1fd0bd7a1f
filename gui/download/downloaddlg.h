#pragma once

#include "gui/download/snifferthread.h"

#include <QDialog>
#include <QTimer>

#include <functional>

class CaptureWebView;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// Captures the video a web page plays: the user types the page's address
// and presses Start; the capture runs on its own thread while the page
// plays in the web view below, and the captured file joins the media list.
// Single use: the dialog closes after one capture.
class DownloadDlg : public QDialog {
    Q_OBJECT
public:
    explicit DownloadDlg(QWidget *parent = nullptr);
    ~DownloadDlg() override;

    // Where information boxes go (a box without parent by default).
    using MessageSink = std::function<void(const QString &title, const QString &text, const QString &detail)>;
    void setMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }

    QLineEdit *editAddress() const { return m_editAddress; }
    QPushButton *btnStart() const { return m_btnStart; }
    QPushButton *btnExit() const { return m_btnExit; }
    QProgressBar *progressBar() const { return m_progressBar; }
    // The page's view; null when the web engine could not be loaded (the
    // capture still works, the page is not shown).
    CaptureWebView *webView() const { return m_webView; }
    SnifferThread &snifferThread() { return m_thread; }

public slots:
    void onBtnStartClicked();
    void onBtnExitClicked();
    void onTimerout();
    void onThreadStarted();
    void onThreadFinished();
    void onThreadTerminated();
    // Closing by any way (Exit, Escape) stops a running capture first.
    void reject() override;

private:
    void showMessage(const QString &title, const QString &text, const QString &detail);
    void stopCapture();

    QTimer m_timer;
    SnifferThread m_thread;
    QLabel *m_label = nullptr;
    QLineEdit *m_editAddress = nullptr;
    QPushButton *m_btnStart = nullptr;
    QProgressBar *m_progressBar = nullptr;
    CaptureWebView *m_webView = nullptr;
    QPushButton *m_btnExit = nullptr;
    QLabel *m_label2 = nullptr;
    MessageSink m_messageSink;
    bool m_started = false;
    bool m_closing = false;
};
