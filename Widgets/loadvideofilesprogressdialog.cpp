#include "Widgets/loadvideofilesprogressdialog.h"

#include "Widgets/widgetenhancer.h"
#include "app/guilog.h"

#include <QApplication>
#include <QDebug>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QVBoxLayout>

LoadVideoFilesProgressDialog::LoadVideoFilesProgressDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("LoadVideoFilesProgressDialog"));
    setFixedSize(460, 145);
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

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(17, 0, 17, 20);
    layout->setSpacing(8);
    layout->addWidget(caption);
    layout->addSpacing(6);
    layout->addWidget(m_lbLoading);
    layout->addWidget(m_progressBar);
    layout->addStretch(1);
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
    // A drop that arrives while files load (the window repaints between
    // files) would re-enter here; it is refused rather than interleaved.
    if (m_running)
        return 0;
    QList<VideoBasicInfo> list = videos;
    const int result = exec(list);
    if (result == 1) {
        for (auto &record : m_results)
            loaded.push_back(std::move(record));
    }
    m_results.clear();
    return result;
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
    m_running = true;
    m_results.clear();
    m_progressBar->setValue(0);
    m_lbLoading->setText(tr("Loading In Progress..."));
    show();
    raise();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const int n = list.size();
    for (int i = 0; i < n; ++i) {
        std::unique_ptr<VideoInfo> record = load(list.at(i));
        if (!record)
            continue; // reported by reportInvalid
        m_progressBar->setValue(int(qint64(i) * 100 / n));
        m_lbLoading->setText(tr("loaded file:") + list.at(i).filename);
        m_results.push_back(std::move(record));
        // Let the window show the file just loaded before probing the next.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    hide();
    m_running = false;
    return 1;
}

void LoadVideoFilesProgressDialog::reportInvalid(const QString &path, const QString &reason)
{
    qCDebug(lcGui) << "cannot load" << path << "[" << reason << "]";
    showError(tr("Error"), path + tr(" is not a valid multi-media file."));
}

void LoadVideoFilesProgressDialog::showError(const QString &title, const QString &text)
{
    QMessageBox::information(nullptr, title, text, QMessageBox::Ok);
}
