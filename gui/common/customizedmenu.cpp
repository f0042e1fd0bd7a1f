#include "gui/common/customizedmenu.h"

#include <QLinearGradient>
#include <QPainter>

CustomizedMenu::CustomizedMenu(const QString &title, QWidget *parent) : QMenu(title, parent) {}

void CustomizedMenu::paintEvent(QPaintEvent *event)
{
    QMenu::paintEvent(event);
    QPainter p(this);
    QLinearGradient bar(0, 0, 0, height());
    bar.setColorAt(0, QColor("#6ab8ff"));
    bar.setColorAt(1, QColor("#1C58A4"));
    p.fillRect(QRect(1, 1, 3, height() - 2), bar);
}
