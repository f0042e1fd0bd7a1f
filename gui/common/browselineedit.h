#pragma once

#include <QLineEdit>

// The output folder field: it shows the folder and lets the caret move with
// Left and Right, but takes no typing, no context menu and no input method,
// so the folder changes only through the browse button.
class BrowseLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit BrowseLineEdit(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    // The X11 selection would otherwise be pasted by the middle button.
    void mouseReleaseEvent(QMouseEvent *event) override;
};
