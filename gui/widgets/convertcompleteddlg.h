#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;
class QPushButton;
class QToolButton;

// Shown when a run with the DVD profile has finished: the output folder can
// be opened, or the disc burning started (the dialog is then accepted).
class ConvertCompletedDlg : public QDialog {
    Q_OBJECT
public:
    explicit ConvertCompletedDlg(QWidget *parent = nullptr);

    // The address a folder is opened at in the system's file browser.
    static QUrl folderUrl(const QString &folder);
    // Replaces the desktop services call (tests).
    void setUrlOpener(std::function<bool(const QUrl &)> opener);

public slots:
    void onBtnCloseClicked();
    void onBtnOpenFolderClicked();
    void onBtnBurnDiscClicked();

private:
    QLabel *lbTitle = nullptr;
    QLabel *lbText = nullptr;
    QToolButton *btnWindowClose = nullptr;
    QPushButton *btnOpenFolder = nullptr;
    QPushButton *btnBurnDisc = nullptr;
    QPushButton *btnClose = nullptr;
    std::function<bool(const QUrl &)> m_urlOpener;
};
