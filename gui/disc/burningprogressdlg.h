#pragma once

#include "gui/disc/burnthread.h"

#include <QDialog>
#include <QTimer>
#include <QVariant>

class QLabel;
class QProgressBar;
class QPushButton;

// Runs one burn: starts the burn thread, shows the authoring and burning
// progress twice a second and reports how the burn ended.
class BurningProgressDlg : public QDialog {
    Q_OBJECT
public:
    explicit BurningProgressDlg(QWidget *parent = nullptr);
    ~BurningProgressDlg() override;

    BurnThread &thread() { return m_thread; }
    using QDialog::exec;

public slots:
    // Prepares and starts the burn, then runs the dialog modally.
    int exec(QString filepath, QString cdRom, QVariant speed, QString strLabel);
    void onBtnOKClicked();
    void onBtnCancelClicked();
    void onBtnCloseClicked();
    void onTimeout();
    void onBurnStarted();
    void onBurnFinished();
    void onBurnTerminated();
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // An information box with one OK button; details are the tool's reason.
    virtual void showMessage(const QString &title, const QString &text, const QString &details);

private:
    void stopThread();

    QTimer m_timer;
    BurnThread m_thread;
    QLabel *label_3 = nullptr;
    QPushButton *btnClose = nullptr;
    QLabel *label = nullptr;
    QProgressBar *progressCreateISO = nullptr;
    QLabel *label_2 = nullptr;
    QProgressBar *progressBurnDisc = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;
};
