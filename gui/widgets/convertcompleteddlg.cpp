#include "gui/widgets/convertcompleteddlg.h"

#include "core/config/videouserconfig.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

ConvertCompletedDlg::ConvertCompletedDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("ConvertCompletedDlg"));
    setWindowTitle(QStringLiteral("ConvertCompletedDlg"));
    setModal(true);

    lbTitle = new QLabel(tr("Completed"), this);
    lbTitle->setObjectName(QStringLiteral("lbTitle"));
    QFont headingFont = lbTitle->font();
    headingFont.setBold(true);
    lbTitle->setFont(headingFont);
    btnWindowClose = new QToolButton(this);
    btnWindowClose->setObjectName(QStringLiteral("btnWindowClose"));
    btnWindowClose->setText(QStringLiteral("x"));
    btnWindowClose->setAutoRaise(true);

    lbText = new QLabel(tr("Conversion is completed!"), this);
    lbText->setObjectName(QStringLiteral("lbText"));
    lbText->setAlignment(Qt::AlignCenter);

    btnOpenFolder = new QPushButton(tr("Open Folder"), this);
    btnOpenFolder->setObjectName(QStringLiteral("btnOpenFolder"));
    btnBurnDisc = new QPushButton(tr("Burn to Disc"), this);
    btnBurnDisc->setObjectName(QStringLiteral("btnBurnDisc"));
    btnClose = new QPushButton(tr("Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);

    auto *header = new QHBoxLayout;
    header->addWidget(lbTitle);
    header->addStretch();
    header->addWidget(btnWindowClose);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOpenFolder);
    buttons->addWidget(btnBurnDisc);
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addSpacing(12);
    layout->addWidget(lbText);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    connect(btnWindowClose, &QToolButton::clicked, this, &ConvertCompletedDlg::onBtnCloseClicked);
    connect(btnClose, &QPushButton::clicked, this, &ConvertCompletedDlg::onBtnCloseClicked);
    connect(btnOpenFolder, &QPushButton::clicked, this, &ConvertCompletedDlg::onBtnOpenFolderClicked);
    connect(btnBurnDisc, &QPushButton::clicked, this, &ConvertCompletedDlg::onBtnBurnDiscClicked);
}

QUrl ConvertCompletedDlg::folderUrl(const QString &folder)
{
    // A local path made into a proper file address ("file:///home/...");
    // a backslash is part of a name, not a separator.
    return QUrl::fromLocalFile(folder);
}

void ConvertCompletedDlg::setUrlOpener(std::function<bool(const QUrl &)> opener)
{
    m_urlOpener = std::move(opener);
}

void ConvertCompletedDlg::onBtnCloseClicked()
{
    reject();
}

void ConvertCompletedDlg::onBtnOpenFolderClicked()
{
    const QUrl url = folderUrl(VideoUserConfig::instance()->convertOutputDirectory());
    if (m_urlOpener)
        m_urlOpener(url);
    else
        QDesktopServices::openUrl(url);
    reject();
}

void ConvertCompletedDlg::onBtnBurnDiscClicked()
{
    accept();
}
