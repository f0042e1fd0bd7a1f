#include "gui/common/dialogcaption.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace DialogCaption {

QHBoxLayout *build(QWidget *dialog, const QString &title, QLabel **caption, QPushButton **close,
                   Qt::Alignment closeAlignment)
{
    auto *label = new QLabel(title, dialog);
    label->setObjectName(QStringLiteral("lbCaption"));
    label->setStyleSheet(QStringLiteral("color: white; font: bold 12px \"Arial\"; background: transparent;"));
    label->setFixedHeight(kHeight);
    auto *button = new QPushButton(dialog);
    button->setObjectName(QStringLiteral("btnWinClose"));
    button->setFixedSize(27, 20);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(
        QStringLiteral("QPushButton { border-image: url(:/images/common/sys_quit_normal.png); }"
                       "QPushButton:hover { border-image: url(:/images/common/sys_quit_hover.png); }"
                       "QPushButton:pressed { border-image: url(:/images/common/sys_quit_pressed.png); }"));
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addStretch();
    row->addWidget(button, 0, closeAlignment);
    *caption = label;
    *close = button;
    return row;
}

} // namespace DialogCaption
