#include "gui/player/playerbuttons.h"

#include <QFile>
#include <QGraphicsOpacityEffect>
#include <QPushButton>

namespace PlayerButtons {

namespace {

const QString kImageDir = QStringLiteral(":/images/mainwindow/videoplayer/");

// Image style of a player button: normal, hover and pressed pictures, and for
// a checkable button the pictures of its checked face.
QString buttonStyle(const QString &image, const QString &checkedImage = QString())
{
    const QString face = QStringLiteral("QPushButton%1 { border: none; border-image: url(%2%3_normal.png); }"
                                        "QPushButton%1:hover { border-image: url(%2%3_hover.png); }"
                                        "QPushButton%1:pressed { border-image: url(%2%3_pressed.png); }");
    QString style = face.arg(QString(), kImageDir, QStringLiteral("player_btn_") + image);
    if (!checkedImage.isEmpty())
        style +=
            face.arg(QStringLiteral(":checked"), kImageDir, QStringLiteral("player_btn_") + checkedImage);
    return style;
}

} // namespace

QPushButton *make(QWidget *parent, const QString &objectName, const QString &image,
                  const QString &fallbackText, int width, int height, const QString &checkedImage)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(objectName);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(width, height);
    button->setCheckable(!checkedImage.isEmpty());
    if (QFile::exists(kImageDir + QStringLiteral("player_btn_") + image + QStringLiteral("_normal.png")))
        button->setStyleSheet(buttonStyle(image, checkedImage));
    else
        button->setText(fallbackText); // the skin is missing: stay usable
    button->setToolTip(fallbackText);
    // The skin has no pictures for disabled buttons: fade them instead.
    auto *fade = new QGraphicsOpacityEffect(button);
    fade->setOpacity(0.35);
    button->setGraphicsEffect(fade);
    return button;
}

} // namespace PlayerButtons
