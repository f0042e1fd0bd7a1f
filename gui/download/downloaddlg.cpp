#include "gui/download/downloaddlg.h"

#include "core/config/videouserconfig.h"
#include "core/media/videoinfomanager.h"
#include "gui/common/widgetenhancer.h"
#include "gui/download/capturewebview.h"
#include "gui/download/capturewebviewloader.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

namespace {
const int kWidth = 478;
const int kHeight = 400;
const int kCaptionHeight = 36;

const char *const kDialogStyle =
    "QDialog { font: 12px \"Arial\"; }"
    "QLabel { color: #1d2c44; font: 12px \"Arial\"; background: transparent; }"
    "QLabel#label_2 { color: white; font: bold 12px \"Arial\"; }"
    "QLineEdit { background: white; color: #1d2c44; border: 1px solid #8ea3c2; border-radius: 3px;"
    " padding: 1px 4px; font: 12px \"Arial\"; }"
    "QPushButton#btnStart { color: white; font: 12px \"Arial\";"
    " border-image: url(:/images/common/bigbutton_normal.png); }"
    "QPushButton#btnStart:hover { border-image: url(:/images/common/bigbutton_hover.png); }"
    "QPushButton#btnStart:pressed { border-image: url(:/images/common/bigbutton_pressed.png); }"
    "QPushButton#btnStart:disabled { color: #d0d8e4; border-image: "
    "url(:/images/common/bigbutton_disabled.png); }"
    "QPushButton#btnExit { border-image: url(:/images/common/sys_quit_normal.png); }"
    "QPushButton#btnExit:hover { border-image: url(:/images/common/sys_quit_hover.png); }"
    "QPushButton#btnExit:pressed { border-image: url(:/images/common/sys_quit_pressed.png); }"
    "QProgressBar { border: none; border-image: url(:/images/dialogs/burnCD/burn_cd_progress_bkgnd.png); }"
    "QProgressBar::chunk { border-image: url(:/images/dialogs/burnCD/burn_cd_progress_sub.png); }";
} // namespace

DownloadDlg::DownloadDlg(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowTitle(tr("Download Video"));
    setFixedSize(kWidth, kHeight);
    setStyleSheet(QString::fromLatin1(kDialogStyle));
    if (WidgetEnhancer *enhancer = WidgetEnhancer::create(this, true, false))
        enhancer->loadSkin(QStringLiteral(":/images/dialogs/bkgnd_download.png"), kCaptionHeight, 0, 0, 0);

    m_label = new QLabel(tr("Video Address:"), this);
    m_label->setObjectName(QStringLiteral("label"));
    m_label->setGeometry(20, 60, 88, 24);
    m_editAddress = new QLineEdit(this);
    m_editAddress->setObjectName(QStringLiteral("editAddress"));
    m_editAddress->setGeometry(110, 60, 260, 24);
    m_editAddress->setPlaceholderText(tr("Address of the page that plays the video"));
    m_btnStart = new QPushButton(tr("Start"), this);
    m_btnStart->setObjectName(QStringLiteral("btnStart"));
    m_btnStart->setGeometry(390, 59, 74, 26);
    m_btnStart->setAutoDefault(false);
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    m_progressBar->setGeometry(20, 110, 430, 14);
    m_progressBar->setTextVisible(false);
    m_progressBar->setFormat(QStringLiteral("%p%"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);

    // The web engine starts here, with the first dialog, not at program start.
    const QRect viewArea(30, 170, 420, kHeight - 170 - 12);
    QString viewError;
    m_webView = CaptureWebViewLoader::create(this, &viewError);
    if (m_webView) {
        QWidget *view = m_webView->widget();
        view->setObjectName(QStringLiteral("webView"));
        view->setGeometry(viewArea);
        m_webView->setPageBackground(QColor(QStringLiteral("#E2F0FD")));
        m_webView->whenRequested = [this](const QUrl &url, bool isMedia) {
            m_thread.sniffer().reportRequest(url, isMedia);
        };
        m_webView->load(QUrl(QStringLiteral("about:blank")));
    } else {
        // The capture works without the page on screen.
        qWarning("download dialog: %s", qPrintable(viewError));
        auto *note = new QLabel(
            tr("The page cannot be shown here (%1); the video is still saved.").arg(viewError), this);
        note->setObjectName(QStringLiteral("webViewMissing"));
        note->setWordWrap(true);
        note->setAlignment(Qt::AlignCenter);
        note->setGeometry(viewArea);
    }

    m_btnExit = new QPushButton(this);
    m_btnExit->setObjectName(QStringLiteral("btnExit"));
    m_btnExit->setGeometry(440, 2, 31, 20);
    m_btnExit->setFocusPolicy(Qt::NoFocus);
    m_btnExit->setToolTip(tr("Close"));
    m_label2 = new QLabel(tr("Download Video"), this);
    m_label2->setObjectName(QStringLiteral("label_2"));
    m_label2->setGeometry(12, 0, 300, kCaptionHeight - 6);

    m_timer.setInterval(500);
    connect(m_btnStart, &QPushButton::clicked, this, &DownloadDlg::onBtnStartClicked);
    connect(m_btnExit, &QPushButton::clicked, this, &DownloadDlg::onBtnExitClicked);
    connect(m_editAddress, &QLineEdit::returnPressed, this, [this] {
        if (m_btnStart->isEnabled())
            onBtnStartClicked();
    });
    connect(&m_timer, &QTimer::timeout, this, &DownloadDlg::onTimerout);
    connect(&m_thread, &QThread::started, this, &DownloadDlg::onThreadStarted);
    connect(&m_thread, &QThread::finished, this, &DownloadDlg::onThreadFinished);

    // What the page does in the view goes to the capture library as well.
    if (m_webView) {
        m_webView->whenTitleChanged = [this](const QString &title) {
            if (m_started)
                m_thread.sniffer().reportPageTitle(title);
        };
        m_webView->whenLoadFinished = [this](bool ok) {
            const QString scheme = m_webView->url().scheme();
            if (m_started && scheme.startsWith(QLatin1String("http")))
                m_thread.sniffer().reportPageLoaded(ok);
        };
    }
    m_editAddress->setFocus();
}

DownloadDlg::~DownloadDlg()
{
    m_closing = true;
    stopCapture();
    // The page goes before the library it reports to.
    if (m_webView)
        delete m_webView->widget();
    m_webView = nullptr;
}

void DownloadDlg::onBtnStartClicked()
{
    if (m_thread.isRunning() || m_started)
        return;
    // The full address goes to both: one typed without "http://" gets it.
    const QString address = CSnifferManger::normalizeAddress(m_editAddress->text());
    m_editAddress->setText(address);
    m_thread.setAddress(address);
    m_thread.setDestination(VideoUserConfig::instance()->videoDownloadDirectory());
    m_thread.sniffer().setBrowserAttached(m_webView != nullptr);
    m_started = true;
    m_btnStart->setEnabled(false);
    m_thread.start();
    if (!address.isEmpty() && m_webView)
        m_webView->load(QUrl(address, QUrl::TolerantMode));
}

void DownloadDlg::onBtnExitClicked()
{
    reject();
}

void DownloadDlg::reject()
{
    m_closing = true;
    stopCapture();
    QDialog::reject();
}

void DownloadDlg::stopCapture()
{
    m_timer.stop();
    m_thread.sniffer().StopListen();
    m_thread.wait();
}

void DownloadDlg::onTimerout()
{
    double percent = 0.0;
    m_thread.sniffer().GetDownPrg(percent);
    m_progressBar->setValue(int(percent));
}

void DownloadDlg::onThreadStarted()
{
    m_timer.start();
    m_btnStart->setEnabled(false);
}

void DownloadDlg::onThreadFinished()
{
    m_timer.stop();
    m_btnStart->setEnabled(true);
    if (m_closing)
        return; // closed by the user: nothing was captured, nothing to say
    const QString path = m_thread.capturedPath();
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        m_progressBar->setValue(100);
        VideoInfoManager::instance()->addFile(path);
    } else {
        showMessage(tr("Error"), tr("Download File failed"), m_thread.errorText());
    }
    m_thread.sniffer().StopListen();
    m_thread.wait();
    QDialog::reject();
}

void DownloadDlg::onThreadTerminated()
{
    m_timer.stop();
    m_btnStart->setEnabled(true);
}

void DownloadDlg::showMessage(const QString &title, const QString &text, const QString &detail)
{
    if (m_messageSink) {
        m_messageSink(title, text, detail);
        return;
    }
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok);
    if (!detail.isEmpty())
        box.setInformativeText(detail);
    box.exec();
}
