#pragma once

#include <QMenu>

// A drop-down menu of the menu bar with the skin's accent bar along its left edge.
class CustomizedMenu : public QMenu {
    Q_OBJECT
public:
    explicit CustomizedMenu(const QString &title, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
