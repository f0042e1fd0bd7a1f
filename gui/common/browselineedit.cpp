#include "gui/common/browselineedit.h"

#include <QKeyEvent>
#include <QMouseEvent>

BrowseLineEdit::BrowseLineEdit(QWidget *parent) : QLineEdit(parent)
{
    setContextMenuPolicy(Qt::NoContextMenu);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setAcceptDrops(false);
}

void BrowseLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->ignore();
}

void BrowseLineEdit::inputMethodEvent(QInputMethodEvent *event)
{
    event->ignore();
}

void BrowseLineEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton) {
        event->ignore();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}
