#include "gui/widgets/videorenamedlg.h"

#include "gui/common/guilog.h"
#include "gui/common/widgetenhancer.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char *const kDialogStyle =
    "QLabel#lbCaption { color: white; font: bold 12px \"Arial\"; background: transparent; }"
    "QLabel { color: #1d2c44; font: 12px \"Arial\"; background: transparent; }"
    "QLineEdit { background: white; color: #1d2c44; border: 1px solid #8ea3c2; border-radius: 3px;"
    " padding: 1px 4px; font: 12px \"Arial\"; }"
    "QPushButton#btnOk, QPushButton#btnCancel { color: white; font: 12px \"Arial\";"
    " border-image: url(:/images/common/bigbutton_normal.png); }"
    "QPushButton#btnOk:hover, QPushButton#btnCancel:hover { border-image: "
    "url(:/images/common/bigbutton_hover.png); }"
    "QPushButton#btnOk:pressed, QPushButton#btnCancel:pressed {"
    " border-image: url(:/images/common/bigbutton_pressed.png); }"
    "QPushButton#btnClose { border-image: url(:/images/common/sys_quit_normal.png); }"
    "QPushButton#btnClose:hover { border-image: url(:/images/common/sys_quit_hover.png); }"
    "QPushButton#btnClose:pressed { border-image: url(:/images/common/sys_quit_pressed.png); }";
} // namespace

VideoRenameDlg::VideoRenameDlg(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowTitle(tr("Rename"));
    setFixedSize(300, 120);
    setStyleSheet(QString::fromLatin1(kDialogStyle));
    if (WidgetEnhancer *enhancer = WidgetEnhancer::create(this, true, false))
        enhancer->loadSkin(QStringLiteral(":/images/dialogs/dlg_bkgnd.png"), 35, 7, 54, 7);

    auto *caption = new QLabel(tr("Rename"), this);
    caption->setObjectName(QStringLiteral("lbCaption"));
    m_btnClose = new QPushButton(this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setFixedSize(27, 20);
    m_btnClose->setFocusPolicy(Qt::NoFocus);
    m_lbName = new QLabel(tr("new name:"), this);
    m_editName = new QLineEdit(this);
    m_editName->installEventFilter(this);
    m_btnOk = new QPushButton(tr("OK"), this);
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_btnCancel = new QPushButton(tr("Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    for (QPushButton *b : {m_btnOk, m_btnCancel}) {
        b->setFixedSize(80, 24);
        b->setAutoDefault(false);
    }

    auto *captionRow = new QHBoxLayout;
    captionRow->setContentsMargins(10, 0, 0, 0);
    captionRow->addWidget(caption);
    captionRow->addStretch(1);
    captionRow->addWidget(m_btnClose, 0, Qt::AlignTop);
    auto *nameRow = new QHBoxLayout;
    nameRow->setContentsMargins(10, 0, 10, 0);
    nameRow->addWidget(m_lbName);
    nameRow->addWidget(m_editName, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOk);
    buttons->addSpacing(12);
    buttons->addWidget(m_btnCancel);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(7, 4, 7, 10);
    layout->setSpacing(0);
    layout->addLayout(captionRow);
    layout->addSpacing(13);
    layout->addLayout(nameRow);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(m_btnOk, &QPushButton::clicked, this, &VideoRenameDlg::onBtnOkClicked);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void VideoRenameDlg::onBtnOkClicked()
{
    m_name = m_editName->text();
    accept();
}

void VideoRenameDlg::showEvent(QShowEvent *event)
{
    m_editName->setText(m_name);
    m_editName->selectAll();
    m_editName->setFocus();
    QDialog::showEvent(event);
}

bool VideoRenameDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editName && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        qCDebug(lcGui) << "rename key" << key->key();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            onBtnOkClicked();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
