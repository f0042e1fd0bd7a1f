#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// Name, version and maker of the program, with a way to look for updates.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // The maker's web address shown in the box.
    static QString makerAddress();
    QPlainTextEdit *editAbout() const { return m_editAbout; }
    QPushButton *btnCheckUpdate() const { return m_btnCheckUpdate; }

signals:
    void checkForUpdates();

private:
    QPlainTextEdit *m_editAbout;
    QPushButton *m_btnCheckUpdate;
    QPushButton *m_btnOk;
    QPushButton *m_btnClose;
};
