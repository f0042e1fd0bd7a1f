#pragma once

#include "core/disc/discdrive.h"

#include <QDialog>
#include <QVariant>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Chooses where a converted DVD file goes: an optical drive (or a DVD image
// file), a speed and the disc label.  "Start Burning" hands over to the
// burning progress dialog.
class BurningDialog : public QDialog {
    Q_OBJECT
public:
    explicit BurningDialog(QWidget *parent = nullptr);

    void setFilePath(const QString &path);
    QString filePath() const { return m_filePath; }

    // Replaces the system's drive list (tests); an empty function restores it.
    static void setDriveLister(std::function<QList<DiscDrive>()> lister);

    // The data of the drive list's last item, which asks for an image file.
    static QString imageFileItemData();

public slots:
    void onBtnCloseClicked();
    void onBtnRefreshClicked();
    void onBtnStartClicked();

protected:
    void showEvent(QShowEvent *event) override;
    // Asks where the DVD image goes; empty when the user declined.
    virtual QString chooseImagePath(const QString &suggestion);
    // Runs the progress dialog for one burn and returns when it closes.
    virtual void runProgress(const QString &filepath, const QString &cdRom, const QVariant &speed,
                             const QString &strLabel);

private:
    void fillDrives();

    QString m_filePath;
    QLabel *label_5 = nullptr;
    QPushButton *btnWinClose = nullptr;
    QLineEdit *filepath = nullptr;
    QComboBox *cbDriver = nullptr;
    QPushButton *btnRefresh = nullptr;
    QLabel *label_3 = nullptr;
    QComboBox *cbspeed = nullptr;
    QLabel *label_4 = nullptr;
    QLabel *label_2 = nullptr;
    QLineEdit *diskLabel = nullptr;
    QPushButton *btnStart = nullptr;
    QPushButton *btnClose = nullptr;
};
