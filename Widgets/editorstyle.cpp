#include "Widgets/editorstyle.h"

#include <QPushButton>
#include <QWidget>

namespace EditorStyle {

void styleTab(QWidget *tab, const QString &objectName)
{
    tab->setObjectName(objectName);
    tab->setAttribute(Qt::WA_StyledBackground);
    tab->setStyleSheet(
        QStringLiteral("#%1 { background-color:white; background-image:url(:/images/20120707180834.png); }"
                       "QLabel { color: #1d2c44; background: transparent; }"
                       "QCheckBox, QRadioButton { color: #1d2c44; }"
                       "QPushButton#btnApply, QPushButton#btnReset { color: white; min-width: 80px;"
                       " min-height: 24px; border-image: url(:/images/common/bigbutton_normal.png); }"
                       "QPushButton#btnApply:hover, QPushButton#btnReset:hover {"
                       " border-image: url(:/images/common/bigbutton_hover.png); }"
                       "QPushButton#btnApply:pressed, QPushButton#btnReset:pressed {"
                       " border-image: url(:/images/common/bigbutton_pressed.png); }"
                       "QPushButton#btnApply:disabled, QPushButton#btnReset:disabled {"
                       " border-image: url(:/images/common/bigbutton_disabled.png); }")
            .arg(objectName));
}

QPushButton *makeButton(const QString &text, const QString &objectName, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    button->setFixedSize(80, 24);
    return button;
}

} // namespace EditorStyle
