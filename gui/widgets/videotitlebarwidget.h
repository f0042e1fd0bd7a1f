#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The main window's own title bar: logo, name and the system buttons.
// Minimize and maximize act on the window the bar sits in; Settings and
// Close are announced for the main window to carry out.
class VideoTitleBarWidget : public QWidget {
    Q_OBJECT
public:
    explicit VideoTitleBarWidget(QWidget *parent = nullptr);

    QPushButton *btnMax() const { return m_btnMax; }
    QPushButton *btnClose() const { return m_btnClose; }

signals:
    void settingsRequested();
    void closeRequested();

public slots:
    void onMinClicked();
    void onMaxClicked(bool checked);

private:
    QLabel *m_lbLogo;
    QLabel *m_lbTitle;
    QPushButton *m_btnSettings;
    QPushButton *m_btnMin;
    QPushButton *m_btnMax;
    QPushButton *m_btnClose;
};
