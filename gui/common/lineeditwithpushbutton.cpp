#include "gui/common/lineeditwithpushbutton.h"

LineEditWithPushButton::LineEditWithPushButton(QWidget *parent) : QComboBox(parent)
{
    setInsertPolicy(QComboBox::NoInsert);
}

void LineEditWithPushButton::showPopup()
{
    emit triggered();
}
