#include "gui/settings/settingsdialog.h"

#include "core/config/videouserconfig.h"
#include "gui/common/dialogcaption.h"
#include "gui/common/widgetenhancer.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// A folder the settings can use: an absolute path to an existing folder (a
// relative one would depend on the folder the program was started from).
bool isUsableFolder(const QString &path)
{
    return !path.isEmpty() && QDir::isAbsolutePath(path) && QFileInfo(path).isDir();
}

QPushButton *makeButton(const QString &text, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setMinimumWidth(80);
    return button;
}

void selectData(QComboBox *combo, const QVariant &data)
{
    const int index = combo->findData(data);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

// Height of the skin's bottom band, on which the buttons sit.
constexpr int kButtonBand = 54;
constexpr int kBottomMargin = 16;

} // namespace

SettingsDialog::SettingsDialog(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SettingsDialog"));
    setWindowTitle(tr("Dialog"));
    if (WidgetEnhancer *enhancer = WidgetEnhancer::create(this, true, false))
        enhancer->loadSkin(QStringLiteral(":/images/dialogs/dlg_bkgnd.png"), DialogCaption::kHeight, 7,
                           kButtonBand, 7);
    buildForm();
    loadValues();

    connect(btnBrowserOutputFolder, &QPushButton::clicked, this,
            &SettingsDialog::onBtnBrowseOutputFolderClicked);
    connect(btnBrowseSnapshotFolder, &QPushButton::clicked, this,
            &SettingsDialog::onBtnBrowseSnapshotFolderClicked);
    connect(btnBrowseTempDirectory, &QPushButton::clicked, this,
            &SettingsDialog::onBtnBrowseTempFolderClicked);
    connect(btnOpenOutputFolder, &QPushButton::clicked, this, &SettingsDialog::onBtnOpenOutputFolderClicked);
    connect(btnOpenSnapshotFolder, &QPushButton::clicked, this,
            &SettingsDialog::onBtnOpenSnapshotFolderClicked);
    connect(btnApply, &QPushButton::clicked, this, &SettingsDialog::onBtnApplyClicked);
    connect(btnResetDefault, &QPushButton::clicked, this, &SettingsDialog::onBtnResetDefaultClicked);
    connect(btnOK, &QPushButton::clicked, this, &SettingsDialog::onBtnOKClicked);
    connect(btnCancel, &QPushButton::clicked, this, &SettingsDialog::onBtnCancelClicked);
    connect(btnWinClose, &QPushButton::clicked, this, &SettingsDialog::reject);
}

QList<QPair<QString, QString>> SettingsDialog::languageItems(const QStringList &codes)
{
    QList<QPair<QString, QString>> items;
    for (const QString &code : codes) {
        const QLocale locale(code);
        if (locale.language() == QLocale::C)
            continue; // a code the locale system does not know
        items.append(
            {QStringLiteral("%1 (%2)").arg(locale.nativeLanguageName(), locale.nativeTerritoryName()), code});
    }
    return items;
}

// --- form ---------------------------------------------------------------------

void SettingsDialog::buildForm()
{
    QHBoxLayout *caption = DialogCaption::build(this, tr("Settings"), &lbCaption, &btnWinClose, Qt::AlignTop);

    tabWidget = new QTabWidget(this);
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    tabGeneral = buildGeneralTab();
    tabProcessing = buildProcessingTab();
    tabWidget->addTab(tabGeneral, tr("General"));
    tabWidget->addTab(tabProcessing, tr("Processing"));

    btnResetDefault = makeButton(tr("Reset Default"), QStringLiteral("btnResetDefault"), this);
    btnApply = makeButton(tr("Apply"), QStringLiteral("btnApply"), this);
    btnOK = makeButton(tr("OK"), QStringLiteral("btnOK"), this);
    btnCancel = makeButton(tr("Cancel"), QStringLiteral("btnCancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnResetDefault);
    buttons->addStretch();
    buttons->addWidget(btnApply);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(17, 0, 17, kBottomMargin);
    layout->addLayout(caption);
    layout->addWidget(tabWidget, 1);
    // The tabs' frame ends a little above the skin's button band.
    int buttonHeight = 0;
    for (QPushButton *b : {btnResetDefault, btnApply, btnOK, btnCancel})
        buttonHeight = std::max(buttonHeight, b->sizeHint().height());
    layout->addSpacing(std::max(6, kButtonBand - kBottomMargin - buttonHeight + 4));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize); // as large as the longest texts need
}

QWidget *SettingsDialog::buildGeneralTab()
{
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("tabGeneral"));
    auto folderEdit = [tab](const QString &name) {
        auto *edit = new QLineEdit(tab);
        edit->setObjectName(name);
        edit->setMinimumWidth(300);
        return edit;
    };

    grpOutput = new QGroupBox(tr("Output"), tab);
    grpOutput->setObjectName(QStringLiteral("grpOutput"));
    editOutputFolder = folderEdit(QStringLiteral("editOutputFolder"));
    btnBrowserOutputFolder = makeButton(tr("Browse..."), QStringLiteral("btnBrowserOutputFolder"), grpOutput);
    btnOpenOutputFolder = makeButton(tr("Open"), QStringLiteral("btnOpenOutputFolder"), grpOutput);
    auto *output = new QGridLayout(grpOutput);
    output->addWidget(new QLabel(tr("Output Folder:"), grpOutput), 0, 0, 1, 3);
    output->addWidget(editOutputFolder, 1, 0);
    output->addWidget(btnBrowserOutputFolder, 1, 1);
    output->addWidget(btnOpenOutputFolder, 1, 2);
    output->setColumnStretch(0, 1);

    grpSnapshot = new QGroupBox(tr("Snapshot"), tab);
    grpSnapshot->setObjectName(QStringLiteral("grpSnapshot"));
    editSnapshotFolder = folderEdit(QStringLiteral("editSnapshotFolder"));
    btnBrowseSnapshotFolder =
        makeButton(tr("Browse..."), QStringLiteral("btnBrowseSnapshotFolder"), grpSnapshot);
    btnOpenSnapshotFolder = makeButton(tr("Open"), QStringLiteral("btnOpenSnapshotFolder"), grpSnapshot);
    cbSnapshotFormat = new QComboBox(grpSnapshot);
    cbSnapshotFormat->setObjectName(QStringLiteral("cbSnapshotFormat"));
    auto *format = new QHBoxLayout;
    format->addWidget(new QLabel(tr("Default Format"), grpSnapshot));
    format->addWidget(cbSnapshotFormat);
    format->addStretch();
    auto *snapshot = new QGridLayout(grpSnapshot);
    snapshot->addWidget(new QLabel(tr("Snapshot Folder:"), grpSnapshot), 0, 0, 1, 3);
    snapshot->addWidget(editSnapshotFolder, 1, 0);
    snapshot->addWidget(btnBrowseSnapshotFolder, 1, 1);
    snapshot->addWidget(btnOpenSnapshotFolder, 1, 2);
    snapshot->addLayout(format, 2, 0, 1, 3);
    snapshot->setColumnStretch(0, 1);

    grpTempDirectory = new QGroupBox(tr("Temp Directory"), tab);
    grpTempDirectory->setObjectName(QStringLiteral("grpTempDirectory"));
    editTempDirectory = folderEdit(QStringLiteral("editTempDirectory"));
    btnBrowseTempDirectory =
        makeButton(tr("Browse..."), QStringLiteral("btnBrowseTempDirectory"), grpTempDirectory);
    auto *temp = new QHBoxLayout(grpTempDirectory);
    temp->addWidget(editTempDirectory, 1);
    temp->addWidget(btnBrowseTempDirectory);

    cbLanguage = new QComboBox(tab);
    cbLanguage->setObjectName(QStringLiteral("cbLanguage"));
    auto *language = new QHBoxLayout;
    language->addWidget(new QLabel(tr("Language"), tab));
    language->addWidget(cbLanguage);
    language->addStretch();

    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(grpOutput);
    layout->addWidget(grpSnapshot);
    layout->addWidget(grpTempDirectory);
    layout->addLayout(language);
    layout->addStretch();
    return tab;
}

QWidget *SettingsDialog::buildProcessingTab()
{
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("tabProcessing"));

    auto *cpu = new QGroupBox(tr("CPU Core"), tab);
    cbCpuCoreNumber = new QComboBox(cpu);
    cbCpuCoreNumber->setObjectName(QStringLiteral("cbCpuCoreNumber"));
    auto *cpuRow = new QHBoxLayout(cpu);
    cpuRow->addWidget(new QLabel(tr("Customize CPU core number:"), cpu));
    cpuRow->addWidget(cbCpuCoreNumber);
    cpuRow->addStretch();

    auto *gpu = new QGroupBox(tr("GPU"), tab);
    chkUseGPU = new QCheckBox(tr("Use GPU encoding"), gpu);
    chkUseGPU->setObjectName(QStringLiteral("chkUseGPU"));
    auto *gpuRow = new QHBoxLayout(gpu);
    gpuRow->addWidget(chkUseGPU);
    gpuRow->addStretch();

    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(cpu);
    layout->addWidget(gpu);
    layout->addStretch();
    return tab;
}

void SettingsDialog::loadValues()
{
    VideoUserConfig *config = VideoUserConfig::instance();
    for (const auto &item : languageItems(config->languages()))
        cbLanguage->addItem(item.first, item.second);
    selectData(cbLanguage, config->language());

    editOutputFolder->setText(config->convertOutputDirectory());
    editSnapshotFolder->setText(config->snapshotDirectory());
    editTempDirectory->setText(config->tempDirectory());

    cbSnapshotFormat->addItems(config->snapshotFormats());
    const int format = cbSnapshotFormat->findText(config->snapshotFormat());
    if (format >= 0)
        cbSnapshotFormat->setCurrentIndex(format);

    for (int n : config->cpuCoreChoices())
        cbCpuCoreNumber->addItem(QStringLiteral("%1").arg(n), n);
    selectData(cbCpuCoreNumber, config->cpuCoreNumber());

    chkUseGPU->setChecked(config->useGpu());
}

// --- folders ------------------------------------------------------------------

QString SettingsDialog::chooseFolder(const QString &start)
{
    const QString caption = tr("Browse Folder");
    if (m_folderChooser)
        return m_folderChooser(caption, start);
    return QFileDialog::getExistingDirectory(this, caption, start, QFileDialog::ShowDirsOnly);
}

void SettingsDialog::openFolder(const QString &folder)
{
    const QUrl url = QUrl::fromLocalFile(QDir::fromNativeSeparators(folder));
    if (m_urlOpener)
        m_urlOpener(url);
    else
        QDesktopServices::openUrl(url);
}

void SettingsDialog::onBtnBrowseOutputFolderClicked()
{
    const QString dir = chooseFolder(VideoUserConfig::instance()->convertOutputDirectory());
    if (!dir.isEmpty())
        editOutputFolder->setText(dir);
}

void SettingsDialog::onBtnBrowseSnapshotFolderClicked()
{
    const QString dir = chooseFolder(VideoUserConfig::instance()->snapshotDirectory());
    if (!dir.isEmpty())
        editSnapshotFolder->setText(dir);
}

void SettingsDialog::onBtnBrowseTempFolderClicked()
{
    const QString dir = chooseFolder(VideoUserConfig::instance()->tempDirectory());
    if (!dir.isEmpty())
        editTempDirectory->setText(dir);
}

void SettingsDialog::onBtnOpenOutputFolderClicked()
{
    openFolder(VideoUserConfig::instance()->convertOutputDirectory());
}

void SettingsDialog::onBtnOpenSnapshotFolderClicked()
{
    openFolder(VideoUserConfig::instance()->snapshotDirectory());
}

// --- applying -----------------------------------------------------------------

void SettingsDialog::showMessage(const QString &title, const QString &text)
{
    if (m_messageSink)
        m_messageSink(title, text);
    else
        QMessageBox::information(nullptr, title, text, QMessageBox::Ok);
}

void SettingsDialog::applyShownTab()
{
    if (tabWidget->currentWidget() == tabGeneral)
        applyGeneral();
    else if (tabWidget->currentWidget() == tabProcessing)
        applyProcessing();
}

void SettingsDialog::applyGeneral()
{
    const QString output = editOutputFolder->text();
    const QString snapshot = editSnapshotFolder->text();
    const QString temp = editTempDirectory->text();
    // The program's own default folders are made when missing (a fresh home
    // has no documents folder), so that the defaults can always be applied.
    VideoUserConfig *config = VideoUserConfig::instance();
    const QPair<QString, QString> defaults[] = {{output, config->defaultConvertOutputDirectory()},
                                                {snapshot, config->defaultSnapshotDirectory()},
                                                {temp, config->defaultTempDirectory()}};
    for (const auto &[typed, folder] : defaults) {
        if (typed == folder && !QFileInfo(folder).exists())
            QDir().mkpath(folder);
    }
    if (!isUsableFolder(output)) {
        showMessage(tr("Error"), tr("Convert Output Directory not exist."));
        return;
    }
    if (!isUsableFolder(snapshot)) {
        showMessage(tr("Error"), tr("Snapshot Directory not exist."));
        return;
    }
    if (!isUsableFolder(temp)) {
        showMessage(tr("Error"), tr("Temp Directory not exist."));
        return;
    }
    config->setConvertOutputDirectory(output);
    config->setSnapshotDirectory(snapshot);
    config->setTempDirectory(temp);

    const QString format = cbSnapshotFormat->currentText();
    const QString oldLanguage = config->language();
    // Without any installed translation the list is empty: the language stays.
    const QString language =
        cbLanguage->currentIndex() >= 0 ? cbLanguage->currentData().toString() : oldLanguage;
    config->setSnapshotFormat(format);
    config->setLanguage(language);
    if (oldLanguage != language)
        showMessage(QString(), tr("Please restart application to apply settings."));
}

void SettingsDialog::applyProcessing()
{
    VideoUserConfig *config = VideoUserConfig::instance();
    config->setCpuCoreNumber(cbCpuCoreNumber->currentData().toInt());
    config->setUseGpu(chkUseGPU->isChecked());
}

void SettingsDialog::onBtnApplyClicked()
{
    applyShownTab();
}

void SettingsDialog::onBtnResetDefaultClicked()
{
    VideoUserConfig *config = VideoUserConfig::instance();
    selectData(cbLanguage, config->defaultLanguage());
    editOutputFolder->setText(config->defaultConvertOutputDirectory());
    editSnapshotFolder->setText(config->defaultSnapshotDirectory());
    editTempDirectory->setText(config->defaultTempDirectory());
    const int format = cbSnapshotFormat->findText(config->defaultSnapshotFormat());
    if (format >= 0)
        cbSnapshotFormat->setCurrentIndex(format);
    selectData(cbCpuCoreNumber, config->defaultCpuCoreNumber());
    chkUseGPU->setChecked(config->defaultUseGpu());
}

void SettingsDialog::onBtnOKClicked()
{
    applyShownTab();
    accept();
}

void SettingsDialog::onBtnCancelClicked()
{
    reject();
}
