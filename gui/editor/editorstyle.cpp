#include "gui/editor/editorstyle.h"

#include <QPushButton>
#include <QWidget>

namespace {
const char *const kDialogStyle =
    "QLabel#lbCaption { color: white; font: bold 12px; background: transparent; }"
    "QPushButton#btnWinClose { border: none; border-image: url(:/images/common/sys_quit_normal.png); }"
    "QPushButton#btnWinClose:hover { border-image: url(:/images/common/sys_quit_hover.png); }"
    "QPushButton#btnWinClose:pressed { border-image: url(:/images/common/sys_quit_pressed.png); }"
    "QPushButton#btnStart { border: none; border-image: url(:/images/dialogs/video_edit_play_normal.png); }"
    "QPushButton#btnStart:hover { border-image: url(:/images/dialogs/video_edit_play_hover.png); }"
    "QPushButton#btnStart:pressed { border-image: url(:/images/dialogs/video_edit_play_pressed.png); }"
    "QPushButton#btnStart:checked { border-image: url(:/images/dialogs/video_edit_pause_normal.png); }"
    "QPushButton#btnStart:checked:hover { border-image: url(:/images/dialogs/video_edit_pause_hover.png); }"
    "QPushButton#btnStart:checked:pressed {"
    " border-image: url(:/images/dialogs/video_edit_pause_pressed.png); }"
    "QPushButton#btnStop { border: none; border-image: url(:/images/dialogs/video_edit_stop_normal.png); }"
    "QPushButton#btnStop:hover { border-image: url(:/images/dialogs/video_edit_stop_hover.png); }"
    "QPushButton#btnStop:pressed { border-image: url(:/images/dialogs/video_edit_stop_pressed.png); }"
    "QPushButton#btnSound { border: none; border-image: url(:/images/videoedit/player_btn_sound_normal.png); "
    "}"
    "QPushButton#btnSound:hover { border-image: url(:/images/videoedit/player_btn_sound_hover.png); }"
    "QPushButton#btnSound:checked { border-image: url(:/images/videoedit/player_btn_sound_normal.png);"
    " background-color: rgba(0, 0, 0, 60); border-radius: 4px; }"
    "QPushButton#btnMirrorHor { border: none;"
    " border-image: url(:/images/videoedit/player_btn_hor_normal.png); }"
    "QPushButton#btnMirrorHor:hover { border-image: url(:/images/videoedit/player_btn_hor_hover.png); }"
    "QPushButton#btnMirroVer { border: none;"
    " border-image: url(:/images/videoedit/player_btn_ver_normal.png); }"
    "QPushButton#btnMirroVer:hover { border-image: url(:/images/videoedit/player_btn_ver_hover.png); }"
    "QSlider#sliderPlayer::groove:horizontal { border: none; height: 16px;"
    " border-image: url(:/images/mainwindow/videoplayer/slider_bkgnd.png); }"
    "QSlider#sliderPlayer::handle:horizontal { width: 14px; margin: 1px 0px;"
    " border-image: url(:/images/common/slider_handle_normal.png); }"
    "QListView#listWidget { background: white; border: 1px solid #8ea3c2; }"
    "QListView#listWidget::item:selected { background: #1C58A4; }"
    "QLabel#lbMirror { color: #1d2c44; background: transparent; }";
} // namespace

namespace EditorStyle {

QString dialogStyle()
{
    return QString::fromLatin1(kDialogStyle);
}

void styleTab(QWidget *tab, const QString &objectName)
{
    tab->setObjectName(objectName);
    tab->setAttribute(Qt::WA_StyledBackground);
    tab->setStyleSheet(
        QStringLiteral(
            "#%1 { background-color:white; background-image:url(:/images/20120707180834.png); }"
            "QLabel { color: #1d2c44; background: transparent; }"
            "QCheckBox, QRadioButton { color: #1d2c44; }"
            "QPushButton#btnApply, QPushButton#btnReset { color: white; min-width: 80px;"
            " min-height: 24px; padding: 0px 6px; border-image: url(:/images/common/bigbutton_normal.png); }"
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
    // 80 wide, or wider where a translation needs it.
    button->setFixedHeight(24);
    button->setMinimumWidth(80);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

QPushButton *imageButton(QWidget *parent, const char *name, int size, const QString &tip, bool checkable)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(size, size);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCheckable(checkable);
    button->setToolTip(tip);
    return button;
}

} // namespace EditorStyle
