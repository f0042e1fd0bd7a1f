#pragma once

#include <QWidget>

class MainWindow;
class QLabel;
class QPushButton;

// The main window's own title bar: logo, name and the system buttons.
class VideoTitleBarWidget : public QWidget {
    Q_OBJECT
public:
    explicit VideoTitleBarWidget(MainWindow *mainWindow);

    QPushButton *btnMax() const { return m_btnMax; }
    QPushButton *btnClose() const { return m_btnClose; }

public slots:
    void onMaxClicked(bool checked);

private:
    MainWindow *m_mainWindow;
    QLabel *m_lbLogo;
    QLabel *m_lbTitle;
    QPushButton *m_btnSettings;
    QPushButton *m_btnMin;
    QPushButton *m_btnMax;
    QPushButton *m_btnClose;
};
