#pragma once

#include <QLineEdit>

// The read-only field that shows the chosen profile's name with a drop-down
// arrow; any mouse-button release asks its owner to open the profile menu.
class ProfileEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ProfileEdit(QWidget *parent = nullptr);

signals:
    void showPopupMenu();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
