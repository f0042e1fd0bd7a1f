#include "gui/app/aboutdialog.h"

#include "gui/common/widgetenhancer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char *const kAboutStyle =
    "#AboutDialog { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #1b3a68, stop:0.14 #122b52,"
    " stop:0.141 #eef2f8, stop:1 #dfe7f1); border: 1px solid #050c18; }"
    "QLabel#lbCaption { color: white; font: bold 12px \"Arial\"; background: transparent; }"
    "QPlainTextEdit { background: white; color: #1d2c44; border: 1px solid #8ea3c2; border-radius: 3px;"
    " font: 12px \"Arial\"; }"
    "QPushButton#btnCheckUpdate, QPushButton#btnOk { color: white; font: 12px \"Arial\";"
    " border-image: url(:/images/common/bigbutton_normal.png); padding: 0 10px; }"
    "QPushButton#btnCheckUpdate:hover, QPushButton#btnOk:hover {"
    " border-image: url(:/images/common/bigbutton_hover.png); }"
    "QPushButton#btnCheckUpdate:pressed, QPushButton#btnOk:pressed {"
    " border-image: url(:/images/common/bigbutton_pressed.png); }"
    "QPushButton#btnClose { border-image: url(:/images/common/sys_quit_normal.png); }"
    "QPushButton#btnClose:hover { border-image: url(:/images/common/sys_quit_hover.png); }"
    "QPushButton#btnClose:pressed { border-image: url(:/images/common/sys_quit_pressed.png); }";
} // namespace

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setAttribute(Qt::WA_StyledBackground);
    setWindowTitle(tr("Corvane Reelmax"));
    setFixedSize(360, 250);
    setStyleSheet(QString::fromLatin1(kAboutStyle));
    WidgetEnhancer::create(this, true, false);

    auto *caption = new QLabel(tr("Corvane Reelmax"), this);
    caption->setObjectName(QStringLiteral("lbCaption"));
    m_btnClose = new QPushButton(this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setFixedSize(27, 20);
    m_btnClose->setFocusPolicy(Qt::NoFocus);
    m_editAbout = new QPlainTextEdit(this);
    m_editAbout->setReadOnly(true);
    m_editAbout->setPlainText(tr("Corvane Reelmax 4.6.2") + QLatin1Char('\n') +
                              QStringLiteral("------------------") + QLatin1Char('\n') +
                              tr("CorVane Software co., ltd") + QLatin1Char('\n') + makerAddress());
    m_btnCheckUpdate = new QPushButton(tr("Check for Updates"), this);
    m_btnCheckUpdate->setObjectName(QStringLiteral("btnCheckUpdate"));
    m_btnCheckUpdate->setFixedHeight(26);
    m_btnOk = new QPushButton(tr("OK"), this);
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_btnOk->setFixedSize(80, 26);

    auto *captionRow = new QHBoxLayout;
    captionRow->setContentsMargins(10, 0, 0, 0);
    captionRow->addWidget(caption);
    captionRow->addStretch(1);
    captionRow->addWidget(m_btnClose, 0, Qt::AlignTop);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnCheckUpdate);
    buttons->addSpacing(10);
    buttons->addWidget(m_btnOk);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 14, 12);
    layout->setSpacing(10);
    layout->addLayout(captionRow);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(10, 4, 0, 0);
    body->setSpacing(10);
    body->addWidget(m_editAbout, 1);
    body->addLayout(buttons);
    layout->addLayout(body, 1);

    connect(m_btnCheckUpdate, &QPushButton::clicked, this, &AboutDialog::checkForUpdates);
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

QString AboutDialog::makerAddress()
{
    return QStringLiteral("http://www.corvane.example");
}
