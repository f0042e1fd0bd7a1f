#include "gui/disc/burningprogressdlg.h"

#include "gui/common/guilog.h"
#include "gui/common/widgetenhancer.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

namespace {

const char *const kStyle =
    "#BurningProgressDlg { background-image: url(:/images/dialogs/burnCD/burn_cd_bkgnd.png);"
    " background-repeat: repeat-x; background-color: #dfe7f1; }"
    "#label_3 { color: #e9f3ff; font: bold 12px \"Arial\"; }"
    "QWidget { font: 12px \"Arial\"; }"
    "QLabel { background: transparent; }"
    "QProgressBar { border: 1px solid grey; border-radius: 5px; text-align: center;"
    " border-image: url(:/images/dialogs/burnCD/burn_cd_progress_bkgnd.png); }"
    "QProgressBar::chunk { border-radius: 5px;"
    " border-image: url(:/images/dialogs/burnCD/burn_cd_progress_sub.png); }"
    "QPushButton { color: black; border-image: url(:/images/common/bigbutton_normal.png); }"
    "QPushButton:hover { border-image: url(:/images/common/bigbutton_hover.png); }"
    "QPushButton:pressed { border-image: url(:/images/common/bigbutton_pressed.png); }"
    "QPushButton:disabled { color: grey; border-image: url(:/images/common/bigbutton_disabled.png); }"
    "#btnClose { border-image: url(:/images/common/sys_quit_normal.png); }"
    "#btnClose:hover { border-image: url(:/images/common/sys_quit_hover.png); }"
    "#btnClose:pressed { border-image: url(:/images/common/sys_quit_pressed.png); }";

} // namespace

BurningProgressDlg::BurningProgressDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("BurningProgressDlg"));
    setWindowTitle(tr("BurningProgressDlg"));
    setModal(true);
    setFixedSize(378, 166);
    setStyleSheet(QString::fromLatin1(kStyle));
    WidgetEnhancer::create(this, true, false);

    label_3 = new QLabel(tr("Burnning In Progress"), this);
    label_3->setObjectName(QStringLiteral("label_3"));
    label_3->setGeometry(10, 10, 131, 16);
    btnClose = new QPushButton(this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(345, 3, 30, 21);
    label = new QLabel(tr("Creating ISO:"), this);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(20, 40, 81, 16);
    progressCreateISO = new QProgressBar(this);
    progressCreateISO->setObjectName(QStringLiteral("progressCreateISO"));
    progressCreateISO->setGeometry(120, 40, 241, 23);
    progressCreateISO->setRange(0, 100);
    progressCreateISO->setValue(0);
    label_2 = new QLabel(tr("Burning To Disc:"), this);
    label_2->setObjectName(QStringLiteral("label_2"));
    label_2->setGeometry(20, 80, 101, 16);
    progressBurnDisc = new QProgressBar(this);
    progressBurnDisc->setObjectName(QStringLiteral("progressBurnDisc"));
    progressBurnDisc->setGeometry(120, 70, 241, 23);
    progressBurnDisc->setRange(0, 100);
    progressBurnDisc->setValue(0);
    btnOK = new QPushButton(tr("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(90, 130, 77, 22);
    btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(210, 130, 77, 22);

    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, &BurningProgressDlg::onTimeout);
    connect(&m_thread, &QThread::started, this, &BurningProgressDlg::onBurnStarted);
    connect(&m_thread, &QThread::finished, this, &BurningProgressDlg::onBurnFinished);
    connect(&m_thread, &BurnThread::terminated, this, &BurningProgressDlg::onBurnTerminated);
    connect(btnOK, &QPushButton::clicked, this, &BurningProgressDlg::onBtnOKClicked);
    connect(btnCancel, &QPushButton::clicked, this, &BurningProgressDlg::onBtnCancelClicked);
    connect(btnClose, &QPushButton::clicked, this, &BurningProgressDlg::onBtnCloseClicked);
}

BurningProgressDlg::~BurningProgressDlg()
{
    m_timer.stop();
    stopThread();
}

int BurningProgressDlg::exec(QString filepath, QString cdRom, QVariant speed, QString strLabel)
{
    // The speed is taken along; the burner writes as fast as drive and disc allow.
    Q_UNUSED(speed);
    m_thread.setBurnParam(filepath, cdRom, strLabel);
    if (!m_thread.isRunning())
        m_thread.start();
    return QDialog::exec();
}

void BurningProgressDlg::stopThread()
{
    if (m_thread.isRunning())
        m_thread.cancel();
    m_thread.wait();
}

void BurningProgressDlg::onBurnStarted()
{
    progressCreateISO->setValue(0);
    progressBurnDisc->setValue(0);
    m_timer.start();
    btnOK->setEnabled(false);
    btnClose->setEnabled(false);
    // Cancel stays usable: it stops the running tool.
    btnCancel->setEnabled(true);
}

void BurningProgressDlg::onTimeout()
{
    const int create = m_thread.getCreatorProgress();
    const int burn = m_thread.burnFinished() ? 100 : m_thread.getBurnProgress();
    qCDebug(lcGuiDisc, "%d", burn);
    progressCreateISO->setValue(create);
    progressBurnDisc->setValue(burn);

    const int result = m_thread.getResult();
    if (result == 0) {
        // The timer stops first: the message box runs its own event loop.
        m_timer.stop();
        showMessage(tr("Error"), tr("burn Failed"), m_thread.message());
        stopThread();
        QDialog::reject();
    } else if (result == 1) {
        m_timer.stop();
        showMessage(tr("Success"), tr("burn success"), QString());
    }
}

void BurningProgressDlg::onBurnFinished()
{
    btnOK->setEnabled(true);
    btnCancel->setEnabled(true);
    btnClose->setEnabled(true);
}

void BurningProgressDlg::onBurnTerminated()
{
    m_timer.stop();
    progressCreateISO->setValue(0);
    progressBurnDisc->setValue(0);
    btnOK->setEnabled(true);
}

void BurningProgressDlg::onBtnOKClicked()
{
    if (!m_thread.isRunning())
        accept();
}

void BurningProgressDlg::onBtnCancelClicked()
{
    m_timer.stop();
    stopThread();
    QDialog::reject();
}

void BurningProgressDlg::onBtnCloseClicked()
{
    onBtnCancelClicked();
}

void BurningProgressDlg::reject()
{
    // Closing the window any other way stops the burn as Cancel does.
    onBtnCancelClicked();
}

void BurningProgressDlg::keyPressEvent(QKeyEvent *event)
{
    // Escape must not end a burn by accident; Cancel is there for that.
    if (event->key() == Qt::Key_Escape && m_thread.isRunning()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void BurningProgressDlg::showMessage(const QString &title, const QString &text, const QString &details)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok);
    if (!details.isEmpty())
        box.setInformativeText(details);
    box.exec();
}
