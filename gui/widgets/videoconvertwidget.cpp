#include "gui/widgets/videoconvertwidget.h"

#include "core/config/videouserconfig.h"
#include "core/jobs/conversionrun.h"
#include "core/jobs/convertjob.h"
#include "core/media/videoinfomanager.h"
#include "core/platform/shutdown.h"
#include "gui/common/browselineedit.h"
#include "gui/common/guilog.h"
#include "gui/disc/burningdialog.h"
#include "gui/profiles/advanceddialog.h"
#include "gui/profiles/profileedit.h"
#include "gui/widgets/convertcompleteddlg.h"

#include <QApplication>
#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

#include <cmath>

namespace {

// Where the end-of-run log lines say they come from.
constexpr const char *kLogSource = "Widgets\\videoconvertwidget";
constexpr int kConvertLogLine = 420;
constexpr int kMergeLogLine = 533;

QString buttonStyle()
{
    return QStringLiteral("QPushButton { padding: 0px 6px; border-image: url(:/images/bigbutter1.png); }"
                          "QPushButton:hover { border-image: url(:/images/bigbutter2.png); }"
                          "QPushButton:pressed { border-image: url(:/images/bigbutter3.png); }");
}

} // namespace

VideoConvertWidget::VideoConvertWidget(QWidget *parent)
    : QWidget(parent), m_run(std::make_unique<ConversionRun>())
{
    setObjectName(QStringLiteral("convertWidget"));
    setFixedHeight(115);
    setFont(QFont(QStringLiteral("Arial"), 9));
    buildUi();
    applyStyles();

    m_timer.setInterval(250);
    m_timer.setSingleShot(false);
    connect(&m_timer, &QTimer::timeout, this, &VideoConvertWidget::onTimerTick);
    connectRun();

    VideoUserConfig *config = VideoUserConfig::instance();
    connect(config, qOverload<const QString &>(&VideoUserConfig::currentProfileChanged), this,
            &VideoConvertWidget::setProfileFormatName);
    connect(config, qOverload<const VideoProfileFormatUserConfig &>(&VideoUserConfig::currentProfileChanged),
            this, &VideoConvertWidget::onCurrentProfileChanged);
    editOutput->setText(config->convertOutputDirectory());
    connect(editOutput, &QLineEdit::textChanged, config, &VideoUserConfig::setConvertOutputDirectory);

    // Whoever quits the program while a run is active gets it stopped first,
    // so the worker never outlives what it writes to.
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
                &VideoConvertWidget::stopAll);

    // The field and the iTunes button show the profile in use from the start.
    const VideoProfileFormatUserConfig profile = VideoUserConfig::instance()->getCurrentProfile();
    if (profile.isValid())
        setProfileFormatName(profile.getName());
    onCurrentProfileChanged(profile);
}

VideoConvertWidget::~VideoConvertWidget()
{
    // No end-of-run report for a panel that is going away.
    disconnect(m_run.get(), nullptr, this, nullptr);
    m_timer.stop();
    m_run.reset();
}

void VideoConvertWidget::buildUi()
{
    auto *lbProfile = new QLabel(tr("Profile:"), this);
    profileEdit = new ProfileEdit(this);
    profileEdit->setObjectName(QStringLiteral("profileEdit"));
    profileEdit->setFixedSize(300, 20);
    btnEditProfile = new QPushButton(tr("Edit Profile"), this);
    btnEditProfile->setObjectName(QStringLiteral("btnEditProfile"));
    btnEditProfile->setFixedHeight(24);
    btnEditProfile->setMinimumWidth(90); // wider where a translation needs it
    btnEditProfile->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    auto *lbOutput = new QLabel(tr("Output:"), this);
    editOutput = new BrowseLineEdit(this);
    editOutput->setObjectName(QStringLiteral("editOutput"));
    editOutput->setFixedHeight(20);
    btnBrowse = new QPushButton(tr("Browse"), this);
    btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    btnBrowse->setFixedHeight(24);
    btnBrowse->setMinimumWidth(70); // wider where a translation needs it
    btnBrowse->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    btnOpen = new QPushButton(tr("Open"), this);
    btnOpen->setObjectName(QStringLiteral("btnOpen"));
    btnOpen->setFixedHeight(24);
    btnOpen->setMinimumWidth(70); // wider where a translation needs it
    btnOpen->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    btnOutPhone = new QPushButton(this);
    btnOutPhone->setObjectName(QStringLiteral("btnOutPhone"));
    btnOutPhone->setCheckable(true);
    btnOutPhone->setToolTip(tr("Output To Itunes"));
    btnOutPhone->setFixedSize(24, 24);
    // Without iTunes on the system the button could never be used.
    btnOutPhone->setVisible(VideoUserConfig::instance()->isItunesInstalled());

    auto *lbProgress = new QLabel(tr("Progress:"), this);
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setFixedHeight(10);
    progressBar->setTextVisible(false);
    lbPercent = new QLabel(QStringLiteral("0%"), this);
    lbPercent->setObjectName(QStringLiteral("lbPercent"));
    lbPercent->setMinimumWidth(32);
    auto *lbTimeCost = new QLabel(tr("time cost:"), this);
    lbElapsed = new QLabel(QStringLiteral("00:00:00"), this);
    lbElapsed->setObjectName(QStringLiteral("lbElapsed"));

    btnStartConvert = new QPushButton(tr("Start Convert"), this);
    btnStartConvert->setObjectName(QStringLiteral("btnStartConvert"));
    btnStartConvert->setFixedSize(183, 54);
    QFont startFont(QStringLiteral("Arial"), 12);
    startFont.setBold(true);
    btnStartConvert->setFont(startFont);
    btnStartConvert->setToolTip(tr("Convert the selected file (or merge the list into one file)"));
    btnConvertAll = new QPushButton(tr("Convert All"), this);
    btnConvertAll->setObjectName(QStringLiteral("btnConvertAll"));
    btnConvertAll->setFixedSize(110, 54);
    btnConvertAll->setToolTip(tr("Convert every file of the list, each into its own output file"));
    lbCurrentFile = new QLabel(this);
    lbCurrentFile->setObjectName(QStringLiteral("lbCurrentFile"));
    lbCurrentFile->setStyleSheet(QStringLiteral("color: rgb(29, 44, 68);"));
    lbCurrentFile->setTextFormat(Qt::PlainText);
    lbCurrentFile->setMinimumWidth(80);

    auto *rows = new QGridLayout;
    rows->addWidget(lbProfile, 0, 0);
    auto *profileRow = new QHBoxLayout;
    profileRow->addWidget(profileEdit);
    profileRow->addWidget(btnEditProfile);
    profileRow->addStretch();
    rows->addLayout(profileRow, 0, 1);
    rows->addWidget(lbOutput, 1, 0);
    auto *outputRow = new QHBoxLayout;
    outputRow->addWidget(editOutput, 1);
    outputRow->addWidget(btnBrowse);
    outputRow->addWidget(btnOpen);
    outputRow->addWidget(btnOutPhone);
    rows->addLayout(outputRow, 1, 1);
    rows->addWidget(lbProgress, 2, 0);
    auto *progressRow = new QHBoxLayout;
    progressRow->addWidget(progressBar, 1);
    progressRow->addWidget(lbPercent);
    progressRow->addWidget(lbTimeCost);
    progressRow->addWidget(lbElapsed);
    rows->addLayout(progressRow, 2, 1);
    rows->addWidget(lbCurrentFile, 3, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->addLayout(rows, 1);
    layout->addSpacing(12);
    layout->addWidget(btnConvertAll, 0, Qt::AlignVCenter);
    layout->addWidget(btnStartConvert, 0, Qt::AlignVCenter);

    connect(profileEdit, &ProfileEdit::showPopupMenu, this, &VideoConvertWidget::profileMenuRequested);
    connect(btnEditProfile, &QPushButton::clicked, this, &VideoConvertWidget::onBtnEditProfileClicked);
    connect(btnBrowse, &QPushButton::clicked, this, &VideoConvertWidget::onBtnBrowseOutputPathClicked);
    connect(btnOpen, &QPushButton::clicked, this, &VideoConvertWidget::openOutputDirRequested);
    connect(btnOutPhone, &QPushButton::clicked, this, &VideoConvertWidget::onBtnOutPhoneClicked);
    connect(btnStartConvert, &QPushButton::clicked, this, &VideoConvertWidget::onBtnStartConvertClicked);
    connect(btnConvertAll, &QPushButton::clicked, this, &VideoConvertWidget::onBtnConvertAllClicked);
}

void VideoConvertWidget::applyStyles()
{
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral("#convertWidget { background-image: url(:/images/20120707133444.png); }"));
    const QString buttons = buttonStyle();
    btnEditProfile->setStyleSheet(buttons);
    btnBrowse->setStyleSheet(buttons);
    btnOpen->setStyleSheet(buttons);
    btnConvertAll->setStyleSheet(buttons);
    lbElapsed->setStyleSheet(QStringLiteral("color: rgb(0, 255, 0);"));
    btnStartConvert->setStyleSheet(QStringLiteral(
        "QPushButton { border-image: url(:/images/mainwindow/btn_start_convert_normal.png);"
        " color: white; padding-left: 60px; }"
        "QPushButton:hover { border-image: url(:/images/mainwindow/btn_start_convert_hover.png); }"
        "QPushButton:pressed { border-image: url(:/images/mainwindow/btn_start_convert_pressed.png); }"));
    btnOutPhone->setStyleSheet(QStringLiteral(
        "QPushButton { border-image: url(:/images/mainwindow/iphone_normal.png); }"
        "QPushButton:hover { border-image: url(:/images/mainwindow/iphone_hover.png); }"
        "QPushButton:pressed { border-image: url(:/images/mainwindow/iphone_pressed.png); }"
        "QPushButton:disabled { border-image: url(:/images/mainwindow/iphone_disable.png); }"
        "QPushButton:checked { border-image: url(:/images/mainwindow/iphone_checked_normal.png); }"
        "QPushButton:checked:hover { border-image: url(:/images/mainwindow/iphone_checked_hover.png); }"
        "QPushButton:checked:pressed { border-image: url(:/images/mainwindow/iphone_checked_pressed.png); }"
        "QPushButton:checked:disabled {"
        " border-image: url(:/images/mainwindow/iphone_checked_disable.png); }"));
}

void VideoConvertWidget::connectRun()
{
    ConversionRun *run = m_run.get();
    connect(run, &ConversionRun::started, this, [this](ConversionKind kind) {
        if (kind == ConversionKind::Merge)
            onMergeStarted();
        else
            onConvertStarted();
    });
    connect(run, &ConversionRun::jobStarted, this,
            [this](int, const QString &outputPath) { m_lastOutputPath = outputPath; });
    connect(run, &ConversionRun::finished, this, [this](const RunOutcome &outcome) {
        if (outcome.kind == ConversionKind::Merge)
            onMergeFinished();
        else
            onConvertFinished();
    });
    run->setPostTaskSource([] { return VideoUserConfig::instance()->postTaskAction(); });
    connect(run, &ConversionRun::inputLengthFound, VideoInfoManager::instance(),
            &VideoInfoManager::learnLength);
}

// --- state ------------------------------------------------------------------

bool VideoConvertWidget::isBusy() const
{
    return m_run->isRunning();
}

void VideoConvertWidget::stopAll()
{
    if (!m_run->isRunning())
        return;
    const ConversionKind kind = m_run->kind();
    m_run->stop(ConversionRun::StopMode::Silent);
    if (kind == ConversionKind::Merge)
        onMergeTerminated();
    else
        onConvertTerminated();
}

bool VideoConvertWidget::confirmStop()
{
    if (!isBusy())
        return true;
    if (!askYesNo(tr("Warning"), tr("Convert is in progress, stop it?")))
        return false;
    // The window is closing: the run stops without a report that would hold
    // the program open behind an "Aborted" box.
    stopAll();
    return true;
}

QString VideoConvertWidget::outputFolderText() const
{
    return editOutput->text();
}

void VideoConvertWidget::setRunning(bool running)
{
    profileEdit->setEnabled(!running);
    btnEditProfile->setEnabled(!running);
    btnBrowse->setEnabled(!running);
    btnConvertAll->setEnabled(!running);
    btnStartConvert->setText(running ? tr("Stop Convert") : tr("Start Convert"));
    if (running) {
        m_timer.start();
        showProgress(0.0, 0);
        m_runClock.restart();
        showCurrentFiles();
    } else {
        m_timer.stop();
        lbCurrentFile->clear();
    }
}

void VideoConvertWidget::showCurrentFiles()
{
    const QStringList files = m_run->runningSources();
    if (files.isEmpty()) {
        lbCurrentFile->clear();
        return;
    }
    QStringList names;
    for (const QString &file : files)
        names << QFileInfo(file).fileName();
    const int total = m_run->jobCount();
    const QString text = total > 1 ? tr("Converting %1 (%2 of %3 done)")
                                         .arg(names.join(QStringLiteral(", ")))
                                         .arg(m_run->endedCount())
                                         .arg(total)
                                   : tr("Converting %1").arg(names.join(QStringLiteral(", ")));
    lbCurrentFile->setText(text);
    lbCurrentFile->setToolTip(files.join(QLatin1Char('\n')));
}

// --- progress ---------------------------------------------------------------

int VideoConvertWidget::percentOf(double fraction)
{
    if (!std::isfinite(fraction) || fraction <= 0.0)
        return 0;
    // A hair above the product absorbs binary rounding (0.29 is 28.999...).
    const int percent = int(std::floor(fraction * 100.0 + 1e-9));
    return std::min(percent, 100);
}

QString VideoConvertWidget::elapsedText(qint64 ms)
{
    const qint64 s = std::max<qint64>(ms, 0) / 1000;
    const QLatin1Char zero('0');
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, zero)
        .arg(s % 3600 / 60, 2, 10, zero)
        .arg(s % 60, 2, 10, zero);
}

void VideoConvertWidget::showProgress(double fraction, qint64 elapsedMs)
{
    const int percent = percentOf(fraction);
    progressBar->setValue(percent);
    lbPercent->setText(QStringLiteral("%1%").arg(percent));
    lbElapsed->setText(elapsedText(elapsedMs));
}

void VideoConvertWidget::onTimerTick()
{
    showProgress(m_run->progress(), m_runClock.isValid() ? m_runClock.elapsed() : 0);
    showCurrentFiles();
}

// --- profile ----------------------------------------------------------------

VideoProfileFormatUserConfig VideoConvertWidget::currentProfile() const
{
    return VideoUserConfig::instance()->getCurrentProfile();
}

void VideoConvertWidget::setProfileFormatName(QString name)
{
    profileEdit->setText(name);
}

void VideoConvertWidget::onCurrentProfileChanged(VideoProfileFormatUserConfig profile)
{
    VideoUserConfig *config = VideoUserConfig::instance();
    const bool usable = profile.isValid() && config->isItunesInstalled() && config->isAppleProfile(profile);
    btnOutPhone->setEnabled(usable);
    if (!usable && btnOutPhone->isChecked()) {
        btnOutPhone->setChecked(false);
        config->setSendToItunes(false);
    }
}

void VideoConvertWidget::onBtnOutPhoneClicked(bool checked)
{
    VideoUserConfig::instance()->setSendToItunes(checked);
}

void VideoConvertWidget::onBtnEditProfileClicked()
{
    const VideoProfileFormatUserConfig profile = currentProfile();
    if (!profile.isValid()) {
        showMessage(tr("Error"), tr("Please select a profile first."));
        return;
    }
    if (!m_advancedDialog) {
        m_advancedDialog = new AdvancedDialog(window());
        connect(m_advancedDialog, &AdvancedDialog::customizeRequested, this,
                &VideoConvertWidget::profileCustomizeRequested);
    }
    m_advancedDialog->setProfile(profile);
    if (m_advancedDialog->exec() == QDialog::Accepted)
        VideoUserConfig::instance()->setCurrentProfile(m_advancedDialog->getProfile());
}

void VideoConvertWidget::onBtnBrowseOutputPathClicked()
{
    const QString dir = chooseFolder(editOutput->text());
    if (!dir.isEmpty())
        editOutput->setText(dir);
}

// --- starting ---------------------------------------------------------------

void VideoConvertWidget::onBtnStartConvertClicked()
{
    // While a run is active the button stops it; the run's end reports.
    if (m_run->isRunning()) {
        m_run->stop();
        return;
    }
    const ConversionRun::Refusal refusal =
        m_run->startFromList(currentProfile(), RunSettings::fromConfig(*VideoUserConfig::instance()),
                             VideoInfoManager::instance()->videos());
    if (refusal)
        showMessage(refusal.title, refusal.text);
}

void VideoConvertWidget::onBtnConvertAllClicked()
{
    startConvertAll();
}

void VideoConvertWidget::startConvertAll()
{
    if (m_run->isRunning())
        return; // the start button stops a run; this one only starts
    const ConversionRun::Refusal refusal =
        m_run->startAllFromList(currentProfile(), RunSettings::fromConfig(*VideoUserConfig::instance()),
                                VideoInfoManager::instance()->videos());
    if (refusal)
        showMessage(refusal.title, refusal.text);
}

// --- run events -------------------------------------------------------------

void VideoConvertWidget::onConvertStarted()
{
    setRunning(true);
    emit convertStatusChanged(true);
}

void VideoConvertWidget::onMergeStarted()
{
    setRunning(true);
    emit convertStatusChanged(true);
}

void VideoConvertWidget::onConvertFinished()
{
    showOutcome(m_run->lastOutcome());
}

void VideoConvertWidget::onMergeFinished()
{
    showOutcome(m_run->lastOutcome());
}

void VideoConvertWidget::onConvertTerminated()
{
    setRunning(false);
    emit convertStatusChanged(false);
}

void VideoConvertWidget::onMergeTerminated()
{
    setRunning(false);
    emit convertStatusChanged(false);
}

bool VideoConvertWidget::carryOut(PostTaskAction action)
{
    switch (action) {
    case PostTaskAction::ExitProgram:
        quitApplication();
        return true;
    case PostTaskAction::ShutdownComputer:
        if (shutdownSystem())
            return true;
        // Refused: the run is reported as usual instead of vanishing.
        qCWarning(lcGui, "the system refused to shut down");
        return false;
    case PostTaskAction::None:
        break;
    }
    return false;
}

void VideoConvertWidget::showOutcome(const RunOutcome &outcome)
{
    const bool merge = outcome.kind == ConversionKind::Merge;
    setRunning(false);
    ConvertJob::logStatus(outcome.status, kLogSource, merge ? kMergeLogLine : kConvertLogLine);
    if (outcome.status == TRANSCODE_FAILED)
        qCInfo(lcGui, "%s failed: %s", merge ? "merge" : "conversion", qPrintable(outcome.error));

    if (carryOut(outcome.postTask)) {
        emit convertStatusChanged(false);
        return;
    }

    if (outcome.jobs.size() > 1 && !merge) {
        // A Convert All run: what was converted, what failed and why.
        if (outcome.status == TRANSCODE_FINISHED)
            showProgress(1.0, m_runClock.isValid() ? m_runClock.elapsed() : 0);
        // The summary names every failed file with its reason already.
        showMessage(outcome.title, outcome.summary(), QString());
        emit convertStatusChanged(false);
        return;
    }

    switch (outcome.status) {
    case TRANSCODE_FINISHED:
        showProgress(1.0, m_runClock.isValid() ? m_runClock.elapsed() : 0);
        if (outcome.endsInCompletionDialog()) {
            if (runCompletedDialog(m_lastOutputPath))
                burnDisc(m_lastOutputPath);
        } else {
            if (!merge)
                ConvertJob::afterJob(outcome.status, outcome.profileName,
                                     VideoUserConfig::instance()->canSendToItunes(), m_lastOutputPath);
            showMessage(outcome.title, outcome.message);
        }
        break;
    case TRANSCODE_STOPPED:
    case TRANSCODE_FAILED:
        showMessage(outcome.title, outcome.message, outcome.error);
        progressBar->setValue(0);
        lbPercent->setText(QStringLiteral("0%"));
        break;
    case TRANSCODE_IDLE:
    case TRANSCODE_RUNNING:
        break; // nothing ran to an end
    }
    emit convertStatusChanged(false);
}

// --- the world --------------------------------------------------------------

void VideoConvertWidget::showMessage(const QString &title, const QString &text, const QString &details)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok);
    // The reason is shown, not hidden behind a button: "Convert Failed."
    // alone leaves the user guessing.
    if (!details.isEmpty())
        box.setInformativeText(details);
    box.exec();
}

bool VideoConvertWidget::askYesNo(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void VideoConvertWidget::quitApplication()
{
    QCoreApplication::quit();
}

bool VideoConvertWidget::shutdownSystem()
{
    return shutdownComputer();
}

bool VideoConvertWidget::runCompletedDialog(const QString &outputPath)
{
    Q_UNUSED(outputPath);
    ConvertCompletedDlg dialog(window());
    return dialog.exec() == QDialog::Accepted;
}

void VideoConvertWidget::burnDisc(const QString &outputPath)
{
    BurningDialog dialog;
    dialog.setFilePath(outputPath);
    dialog.exec();
}

QString VideoConvertWidget::chooseFolder(const QString &start)
{
    return QFileDialog::getExistingDirectory(nullptr, tr("Select Output Directory"), start,
                                             QFileDialog::ShowDirsOnly);
}
