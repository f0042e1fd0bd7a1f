#include "gui/disc/burningdialog.h"

#include "engine/disc/dvdburner.h"
#include "gui/common/widgetenhancer.h"
#include "gui/disc/burningprogressdlg.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

std::function<QList<DiscDrive>()> g_driveLister;

const char *const kStyle =
    "#BurningDialog { background-image: url(:/images/dialogs/burnCD/burn_setting_bkgnd.png);"
    " background-repeat: repeat-x; background-color: #dfe7f1; }"
    "QWidget { font: 12px \"Arial\"; }"
    "QLabel { background: transparent; }"
    "QPushButton { color: black; border-image: url(:/images/common/bigbutton_normal.png); padding: 0 10px;"
    " min-height: 22px; }"
    "QPushButton:hover { border-image: url(:/images/common/bigbutton_hover.png); }"
    "QPushButton:pressed { border-image: url(:/images/common/bigbutton_pressed.png); }"
    "QPushButton:disabled { border-image: url(:/images/common/bigbutton_disabled.png); }"
    "QComboBox { background: transparent; border: 1px solid grey; border-radius: 4px; padding: 1px 18px 1px "
    "4px;"
    " min-height: 20px; }"
    "QComboBox::drop-down { border: none; width: 16px; }"
    "QComboBox::down-arrow { image: url(:/images/common/drop_arrow_normal.png); }"
    "QComboBox::down-arrow:hover, QComboBox::down-arrow:on {"
    " image: url(:/images/common/drop_arrow_on.png); }"
    "QComboBox QAbstractItemView { background: white; }";

const char *const kCloseStyle =
    "QPushButton { border-image: url(:/images/common/sys_quit_normal.png); padding: 0; min-height: 0; }"
    "QPushButton:hover { border-image: url(:/images/common/sys_quit_hover.png); }"
    "QPushButton:pressed { border-image: url(:/images/common/sys_quit_pressed.png); }";

} // namespace

BurningDialog::BurningDialog(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("BurningDialog"));
    setWindowTitle(tr("Dialog"));
    setModal(true);
    setFixedSize(440, 240);
    setStyleSheet(QString::fromLatin1(kStyle));
    WidgetEnhancer::create(this, true, false);

    label_5 = new QLabel(tr("Burn CD"), this);
    label_5->setObjectName(QStringLiteral("label_5"));
    label_5->setStyleSheet(QStringLiteral("color: #e9f3ff; font: bold 12px \"Arial\";"));
    btnWinClose = new QPushButton(this);
    btnWinClose->setObjectName(QStringLiteral("btnWinClose"));
    btnWinClose->setFixedSize(30, 21);
    btnWinClose->setStyleSheet(QString::fromLatin1(kCloseStyle));

    filepath = new QLineEdit(this);
    filepath->setObjectName(QStringLiteral("filepath"));
    filepath->setEnabled(false);
    cbDriver = new QComboBox(this);
    cbDriver->setObjectName(QStringLiteral("cbDriver"));
    cbDriver->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    btnRefresh = new QPushButton(tr("Refresh"), this);
    btnRefresh->setObjectName(QStringLiteral("btnRefresh"));
    label_3 = new QLabel(tr("Speed:"), this);
    label_3->setObjectName(QStringLiteral("label_3"));
    cbspeed = new QComboBox(this);
    cbspeed->setObjectName(QStringLiteral("cbspeed"));
    cbspeed->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("8")});
    label_4 = new QLabel(tr("(CD 1X=176.4kb/sec)"), this);
    label_4->setObjectName(QStringLiteral("label_4"));
    label_2 = new QLabel(tr("Disc Ladel:"), this);
    label_2->setObjectName(QStringLiteral("label_2"));
    diskLabel = new QLineEdit(QStringLiteral("DISC(Video_DVD)"), this);
    diskLabel->setObjectName(QStringLiteral("diskLabel"));
    // An ISO 9660 volume label holds at most 32 characters.
    diskLabel->setMaxLength(CDvdBurner::kMaxLabelBytes);
    btnStart = new QPushButton(tr("Start Burning"), this);
    btnStart->setObjectName(QStringLiteral("btnStart"));
    btnStart->setDefault(true);
    btnClose = new QPushButton(tr("Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));

    auto *header = new QHBoxLayout;
    header->addWidget(label_5);
    header->addStretch();
    header->addWidget(btnWinClose);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    grid->addWidget(filepath, 0, 0, 1, 4);
    grid->addWidget(cbDriver, 1, 0, 1, 3);
    grid->addWidget(btnRefresh, 1, 3);
    grid->addWidget(label_3, 2, 0);
    grid->addWidget(cbspeed, 2, 1);
    grid->addWidget(label_4, 2, 2, 1, 2);
    grid->addWidget(label_2, 3, 0);
    grid->addWidget(diskLabel, 3, 1, 1, 3);
    grid->setColumnStretch(2, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnStart);
    buttons->addWidget(btnClose);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 14);
    layout->addLayout(header);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(btnWinClose, &QPushButton::clicked, this, &BurningDialog::onBtnCloseClicked);
    connect(btnClose, &QPushButton::clicked, this, &BurningDialog::onBtnCloseClicked);
    connect(btnRefresh, &QPushButton::clicked, this, &BurningDialog::onBtnRefreshClicked);
    connect(btnStart, &QPushButton::clicked, this, &BurningDialog::onBtnStartClicked);

    fillDrives();
}

void BurningDialog::setDriveLister(std::function<QList<DiscDrive>()> lister)
{
    g_driveLister = std::move(lister);
}

QString BurningDialog::imageFileItemData()
{
    return QStringLiteral("iso-image");
}

void BurningDialog::setFilePath(const QString &path)
{
    m_filePath = path;
    filepath->setText(path);
}

void BurningDialog::showEvent(QShowEvent *event)
{
    filepath->setText(m_filePath);
    QDialog::showEvent(event);
}

void BurningDialog::fillDrives()
{
    cbDriver->clear();
    const QList<DiscDrive> drives = g_driveLister ? g_driveLister() : DiscDrive::systemDrives();
    for (const DiscDrive &drive : drives)
        cbDriver->addItem(drive.displayText(), drive.device);
    cbDriver->addItem(tr("DVD image file (.iso)…"), imageFileItemData());
    cbDriver->setCurrentIndex(0);
}

void BurningDialog::onBtnCloseClicked()
{
    reject();
}

void BurningDialog::onBtnRefreshClicked()
{
    fillDrives();
}

void BurningDialog::onBtnStartClicked()
{
    const QString path = filepath->text();
    const QVariant speed = cbspeed->currentData();
    QString cdRom;
    const QVariant data = cbDriver->currentData();
    if (data.toString() == imageFileItemData()) {
        const QFileInfo source(path);
        const QString suggestion =
            source.absolutePath() + QLatin1Char('/') + source.completeBaseName() + QStringLiteral(".iso");
        QString iso = chooseImagePath(suggestion);
        if (iso.isEmpty())
            return;
        if (QFileInfo(iso).suffix().compare(QLatin1String("iso"), Qt::CaseInsensitive) != 0)
            iso += QStringLiteral(".iso");
        cdRom = CDvdBurner::imageFileDrive(iso);
    } else if (data.isValid()) {
        cdRom = data.toString();
    } else {
        cdRom = cbDriver->currentText();
    }
    const QString strLabel = diskLabel->text();

    hide();
    runProgress(path, cdRom, speed, strLabel);
    accept();
}

QString BurningDialog::chooseImagePath(const QString &suggestion)
{
    QFileDialog dialog(nullptr, tr("Save DVD Image"), suggestion, tr("DVD images (*.iso)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("iso"));
    dialog.selectFile(suggestion);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void BurningDialog::runProgress(const QString &filepath, const QString &cdRom, const QVariant &speed,
                                const QString &strLabel)
{
    BurningProgressDlg progress;
    progress.exec(filepath, cdRom, speed, strLabel);
}
