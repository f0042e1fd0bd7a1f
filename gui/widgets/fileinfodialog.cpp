#include "gui/widgets/fileinfodialog.h"

#include "gui/common/widgetenhancer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char *const kDialogStyle =
    "QLabel#lbCaption { color: white; font: bold 12px \"Arial\"; background: transparent; }"
    "QLabel { color: #1d2c44; font: 12px \"Arial\"; background: transparent; }"
    "QPlainTextEdit { background: white; color: #1d2c44; border: 1px solid #8ea3c2; border-radius: 3px;"
    " font: 12px \"Arial\"; }"
    "QPushButton#btnOk { color: white; font: 12px \"Arial\"; border-image: "
    "url(:/images/common/bigbutton_normal.png); }"
    "QPushButton#btnOk:hover { border-image: url(:/images/common/bigbutton_hover.png); }"
    "QPushButton#btnOk:pressed { border-image: url(:/images/common/bigbutton_pressed.png); }"
    "QPushButton#btnClose { border-image: url(:/images/common/sys_quit_normal.png); }"
    "QPushButton#btnClose:hover { border-image: url(:/images/common/sys_quit_hover.png); }"
    "QPushButton#btnClose:pressed { border-image: url(:/images/common/sys_quit_pressed.png); }";
} // namespace

FileInfoDialog::FileInfoDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Dialog"));
    setFixedSize(400, 450);
    setStyleSheet(QString::fromLatin1(kDialogStyle));
    if (WidgetEnhancer *enhancer = WidgetEnhancer::create(this, true, false))
        enhancer->loadSkin(QStringLiteral(":/images/dialogs/dlg_bkgnd.png"), 35, 7, 54, 7);

    m_lbCaption = new QLabel(tr("File Information"), this);
    m_lbCaption->setObjectName(QStringLiteral("lbCaption"));
    m_btnClose = new QPushButton(this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setFixedSize(27, 20);
    m_btnClose->setFocusPolicy(Qt::NoFocus);
    m_lbDetail = new QLabel(tr("Detailed information"), this);
    m_editInfo = new QPlainTextEdit(this);
    m_editInfo->setReadOnly(true);
    m_btnOk = new QPushButton(tr("OK"), this);
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_btnOk->setFixedSize(90, 26);

    auto *caption = new QHBoxLayout;
    caption->setContentsMargins(10, 0, 0, 0);
    caption->addWidget(m_lbCaption);
    caption->addStretch(1);
    caption->addWidget(m_btnClose, 0, Qt::AlignTop);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOk);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(7, 4, 7, 14);
    layout->setSpacing(0);
    layout->addLayout(caption);
    layout->addSpacing(12);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(12, 0, 12, 0);
    body->setSpacing(6);
    body->addWidget(m_lbDetail);
    body->addWidget(m_editInfo, 1);
    layout->addLayout(body, 1);
    layout->addSpacing(24);
    layout->addLayout(buttons);

    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void FileInfoDialog::showEvent(QShowEvent *event)
{
    m_editInfo->setPlainText(m_text);
    QDialog::showEvent(event);
}
