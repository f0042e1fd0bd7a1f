#include "gui/widgets/videotitlebarwidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {
QPushButton *systemButton(const QString &name, const QString &toolTip, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setFixedSize(30, 21);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(toolTip);
    button->setStyleSheet(
        QStringLiteral(
            "QPushButton { border-image: url(:/images/mainwindow/titlebar/sys_%1_normal.png); }"
            "QPushButton:hover { border-image: url(:/images/mainwindow/titlebar/sys_%1_hover.png); }"
            "QPushButton:pressed { border-image: url(:/images/mainwindow/titlebar/sys_%1_pressed.png); }")
            .arg(name));
    return button;
}
} // namespace

VideoTitleBarWidget::VideoTitleBarWidget(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(31);
    m_lbLogo = new QLabel(this);
    m_lbLogo->setFixedSize(26, 29);
    m_lbLogo->setPixmap(QPixmap(QStringLiteral(":/images/logo.png")));
    m_lbTitle = new QLabel(tr("Corvane Reelmax"), this);
    m_lbTitle->setStyleSheet(
        QStringLiteral("color: white; font: bold 13px \"Arial\"; background: transparent;"));

    m_btnSettings = systemButton(QStringLiteral("settings"), tr("Settings"), this);
    m_btnMin = systemButton(QStringLiteral("min"), tr("Minimize"), this);
    m_btnMax = systemButton(QStringLiteral("max"), tr("Maximize"), this);
    m_btnMax->setCheckable(true);
    m_btnMax->setStyleSheet(
        m_btnMax->styleSheet() +
        QStringLiteral(
            "QPushButton:checked { border-image: url(:/images/mainwindow/titlebar/sys_restore_normal.png); }"
            "QPushButton:checked:hover { border-image: "
            "url(:/images/mainwindow/titlebar/sys_restore_hover.png); }"
            "QPushButton:checked:pressed { border-image: "
            "url(:/images/mainwindow/titlebar/sys_restore_pressed.png); }"));
    m_btnClose = systemButton(QStringLiteral("close"), tr("Close"), this);
    m_btnClose->setShortcut(QKeySequence(QStringLiteral("Alt+F4")));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 1, 2, 0);
    layout->setSpacing(6);
    layout->addWidget(m_lbLogo);
    layout->addWidget(m_lbTitle);
    layout->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(1);
    buttons->addWidget(m_btnSettings);
    buttons->addWidget(m_btnMin);
    buttons->addWidget(m_btnMax);
    buttons->addWidget(m_btnClose);
    layout->addLayout(buttons);
    layout->setAlignment(buttons, Qt::AlignTop);

    connect(m_btnSettings, &QPushButton::clicked, this, &VideoTitleBarWidget::settingsRequested);
    connect(m_btnClose, &QPushButton::clicked, this, &VideoTitleBarWidget::closeRequested);
    connect(m_btnMin, &QPushButton::clicked, this, &VideoTitleBarWidget::onMinClicked);
    connect(m_btnMax, &QPushButton::clicked, this, &VideoTitleBarWidget::onMaxClicked);
}

void VideoTitleBarWidget::onMinClicked()
{
    window()->showMinimized();
}

void VideoTitleBarWidget::onMaxClicked(bool checked)
{
    if (checked)
        window()->showMaximized();
    else
        window()->showNormal();
}
