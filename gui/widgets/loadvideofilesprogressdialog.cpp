#include "gui/widgets/loadvideofilesprogressdialog.h"

#include "core/media/parallelvideoloader.h"
#include "gui/common/guilog.h"
#include "gui/common/widgetenhancer.h"

#include <QApplication>
#include <QDebug>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

LoadVideoFilesProgressDialog::LoadVideoFilesProgressDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("LoadVideoFilesProgressDialog"));
    setFixedSize(460, 145);
    setWindowModality(Qt::ApplicationModal);
    if (WidgetEnhancer *enhancer = WidgetEnhancer::create(this, true, false))
        enhancer->loadSkin(QStringLiteral(":/images/dialogs/dlg_bkgnd.png"), 35, 7, 54, 7);

    auto *caption = new QLabel(tr("Loading"), this);
    caption->setStyleSheet(
        QStringLiteral("color: white; font: bold 12px \"Arial\"; background: transparent;"));
    caption->setFixedHeight(35);
    m_lbLoading = new QLabel(tr("Loading In Progress..."), this);
    m_lbLoading->setStyleSheet(
        QStringLiteral("color: #1d2c44; font: 12px \"Arial\"; background: transparent;"));
    m_lbLoading->setTextFormat(Qt::PlainText);
    m_progressBar = new QProgressBar(this);
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    m_progressBar->setFixedHeight(14);
    m_progressBar->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid #8ea3c2; border-radius: 3px;"
        " background-image: url(:/images/dialogs/burnCD/burn_cd_progress_bkgnd.png); }"
        "QProgressBar::chunk { background-image: url(:/images/dialogs/burnCD/burn_cd_progress_sub.png);"
        " border-radius: 2px; }"));
    m_btnCancel = new QPushButton(tr("Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnCancel->setFixedSize(80, 24);
    m_btnCancel->setAutoDefault(false);
    m_btnCancel->setStyleSheet(
        QStringLiteral("QPushButton { color: white; font: 12px \"Arial\";"
                       " border-image: url(:/images/common/bigbutton_normal.png); }"
                       "QPushButton:hover { border-image: url(:/images/common/bigbutton_hover.png); }"
                       "QPushButton:pressed { border-image: url(:/images/common/bigbutton_pressed.png); }"));
    connect(m_btnCancel, &QPushButton::clicked, this, &LoadVideoFilesProgressDialog::onBtnCancelClicked);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(17, 0, 17, 12);
    layout->setSpacing(8);
    layout->addWidget(caption);
    layout->addWidget(m_lbLoading);
    layout->addWidget(m_progressBar);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

LoadVideoFilesProgressDialog::~LoadVideoFilesProgressDialog() = default;

VideoInfoList LoadVideoFilesProgressDialog::takeResults()
{
    VideoInfoList out;
    out.swap(m_results);
    return out;
}

int LoadVideoFilesProgressDialog::run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded)
{
    return runProgressive(videos, [&loaded](VideoInfoList &ready) {
        for (auto &record : ready)
            loaded.push_back(std::move(record));
        ready.clear();
    });
}

int LoadVideoFilesProgressDialog::exec(QStringList filenames)
{
    QList<VideoBasicInfo> list;
    for (const QString &name : filenames)
        list << VideoBasicInfo(name, -1, -1);
    return exec(list);
}

int LoadVideoFilesProgressDialog::exec(QList<VideoBasicInfo> &list)
{
    // The results stay here until taken (none when cancelled).
    m_results.clear();
    VideoInfoList kept;
    const int result = runProgressive(list, [&kept](VideoInfoList &ready) {
        for (auto &record : ready)
            kept.push_back(std::move(record));
        ready.clear();
    });
    if (result == 1)
        m_results = std::move(kept);
    return result;
}

int LoadVideoFilesProgressDialog::runProgressive(const QList<VideoBasicInfo> &videos, const Delivery &deliver)
{
    // The list queues files that come while a load runs (the window stays
    // live); a second load reaching here anyway is refused, not interleaved.
    if (m_running)
        return 0;
    m_running = true;
    m_result = -1;
    m_index = 0;
    m_total = int(videos.size());
    m_pending.clear();
    m_deliver = &deliver;
    m_progressBar->setValue(0);
    m_lbLoading->setText(tr("Loading In Progress..."));
    m_btnCancel->setEnabled(true);

    std::unique_ptr<ParallelVideoLoader> loader = makeLoader(m_workers);
    m_loader = loader.get();
    connect(m_loader, &ParallelVideoLoader::ready, this, &LoadVideoFilesProgressDialog::onOutcomesReady);
    QEventLoop loop;
    m_loop = &loop;
    show();
    raise();
    loader->start(videos);
    if (videos.isEmpty())
        finishLoad(1);
    if (m_result < 0)
        loop.exec();

    hide();
    const int result = m_result;
    m_loop = nullptr;
    m_loader = nullptr;
    m_deliver = nullptr;
    m_pending.clear();
    m_running = false;
    return result; // the loader (with its threads) goes here
}

std::unique_ptr<ParallelVideoLoader> LoadVideoFilesProgressDialog::makeLoader(int workers)
{
    return std::make_unique<ParallelVideoLoader>(workers);
}

void LoadVideoFilesProgressDialog::onOutcomesReady()
{
    // An error box runs an event loop of its own: outcomes that become
    // ready meanwhile are taken by the loop below once it is closed.
    if (m_handling || !m_loader || m_result >= 0)
        return;
    m_handling = true;
    for (;;) {
        std::vector<VideoLoadOutcome> ready = m_loader->takeReady();
        if (ready.empty())
            break;
        for (VideoLoadOutcome &outcome : ready) {
            if (m_result >= 0)
                break; // cancelled while an error box was open
            handle(outcome);
        }
        if (m_result >= 0)
            break;
        handOver();
    }
    m_handling = false;
    if (m_result < 0 && m_index >= m_total)
        finishLoad(1);
}

void LoadVideoFilesProgressDialog::handle(VideoLoadOutcome &outcome)
{
    const int i = m_index++;
    switch (outcome.kind) {
    case VideoLoadOutcome::Kind::Unsupported:
        return;
    case VideoLoadOutcome::Kind::Invalid:
        // The rows before this file show before its message.
        handOver();
        reportInvalid(outcome.entry.filename, outcome.reason);
        return;
    case VideoLoadOutcome::Kind::Loaded:
        m_progressBar->setValue(int(qint64(i) * 100 / m_total));
        m_lbLoading->setText(tr("loaded file:%1").arg(outcome.entry.filename));
        m_pending.push_back(std::move(outcome.record));
        return;
    }
}

void LoadVideoFilesProgressDialog::handOver()
{
    if (m_pending.empty() || !m_deliver || m_result >= 0)
        return;
    VideoInfoList batch;
    batch.swap(m_pending);
    (*m_deliver)(batch);
}

void LoadVideoFilesProgressDialog::finishLoad(int result)
{
    if (m_result >= 0)
        return;
    if (result != 1 && m_loader)
        m_loader->cancel();
    m_result = result;
    m_btnCancel->setEnabled(false);
    if (m_loop)
        m_loop->quit();
}

void LoadVideoFilesProgressDialog::onBtnCancelClicked()
{
    if (m_running)
        finishLoad(0);
}

void LoadVideoFilesProgressDialog::reject()
{
    if (m_running)
        finishLoad(0);
    else
        QDialog::reject();
}

void LoadVideoFilesProgressDialog::reportInvalid(const QString &path, const QString &reason)
{
    qCDebug(lcGui) << "cannot load" << path << "[" << reason << "]";
    showError(tr("Error"), tr("%1 is not a valid multi-media file.").arg(path));
}

void LoadVideoFilesProgressDialog::showError(const QString &title, const QString &text)
{
    QMessageBox::information(nullptr, title, text, QMessageBox::Ok);
}
