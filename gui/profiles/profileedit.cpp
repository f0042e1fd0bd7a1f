#include "gui/profiles/profileedit.h"

#include <QMouseEvent>

ProfileEdit::ProfileEdit(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setStyleSheet(QStringLiteral(
        "background: url(:/images/xiala1.png); background-repeat: repeat-y; background-position: right;"));
}

void ProfileEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    emit showPopupMenu();
}
