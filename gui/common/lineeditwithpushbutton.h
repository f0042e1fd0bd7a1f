#pragma once

#include <QComboBox>

// A path field with a browse button: a combo box whose drop-down button
// emits triggered() instead of opening a list.  The owner makes it editable
// to show a path and decides what typing may do.
class LineEditWithPushButton : public QComboBox {
    Q_OBJECT
public:
    explicit LineEditWithPushButton(QWidget *parent = nullptr);

    void showPopup() override;

signals:
    void triggered();
};
