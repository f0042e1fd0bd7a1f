#include "gui/app/eventhandler.h"

#include "gui/player/videoplayerwidget.h"

#include "core/config/videouserconfig.h"
#include "core/media/supportedfiles.h"
#include "core/media/timetext.h"
#include "core/media/videoinfomanager.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/app/aboutdialog.h"
#include "gui/app/mainwindow.h"
#include "gui/download/downloaddlg.h"
#include "gui/editor/editordialog.h"
#include "gui/settings/settingsdialog.h"
#include "gui/trim/videotrimdialog.h"
#include "gui/widgets/fileinfodialog.h"
#include "gui/widgets/videolistwidget.h"
#include "gui/widgets/videorenamedlg.h"

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QUrl>

#include <algorithm>

namespace {
// The product's web site (a placeholder domain until the site exists).
const char *const kWebDomain = "corvane.example";

// The open-file dialog's filters: a name for the translators and its patterns.
struct FileFilter {
    const char *name;
    const char *patterns;
};
const FileFilter kOpenFileFilters[] = {
    {QT_TRANSLATE_NOOP("CEventHandler", "All Supported Formats"),
     "*.m4v *.4ma *.m4b *.m4p *.m4r *.aa *.aax *.amr *.mod *.tod *.mts *.ts *.m2ts *.tp *.trp *.avi *.mp4 "
     "*.m4v *.mpg *.mpeg *.dpg *.3gp *.3g2 *.wmv *.asf *.rm *.rmvb *.dat *.mov *.flv *.f4v *.mkv *.dv "
     "*.dvr-ms "
     "*.nut *.h.264 *.nsv *.vob *.gif *.mp3 *.m4a *.mp2 *.mpa *.wma *.aac *.ac3 *.mka *.org *.aif *.aiff "
     "*.ra "
     "*.ram *.Tivo *.wav *.ape *.flac *.au *.ogg *.webm"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Apple Video files"), "*.m4v"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Apple Music files"), "*.4ma *.m4b *.m4p *.m4r"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Audible Audio"), "*.aa"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Audible Enhanced Format"), "*.aax"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Adaptive Multi-Rate file"), "*.amr"},
    {QT_TRANSLATE_NOOP("CEventHandler", "MOD File"), "*.mod"},
    {QT_TRANSLATE_NOOP("CEventHandler", "TOD File"), "*.tod"},
    {QT_TRANSLATE_NOOP("CEventHandler", "High-definition files"), "*.mts *.ts *.m2ts *.tp *.trp"},
    {QT_TRANSLATE_NOOP("CEventHandler", "AVI Video files"), "*.avi"},
    {QT_TRANSLATE_NOOP("CEventHandler", "MPEG4 files"), "*.mp4 *.m4v"},
    {QT_TRANSLATE_NOOP("CEventHandler", "MPEG files"), "*.mpg *.mpeg"},
    {QT_TRANSLATE_NOOP("CEventHandler", "DPG files"), "*.dpg"},
    {QT_TRANSLATE_NOOP("CEventHandler", "3GP files"), "*.3gp *.3g2"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Windows Media Video"), "*.wmv *.asf"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Real Media files"), "*.rm *.rmvb"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Video CD files"), "*.dat"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Quick Time files"), "*.mov"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Flash Video files"), "*.flv *.f4v"},
    {QT_TRANSLATE_NOOP("CEventHandler", "MKV files"), "*.mkv"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Digital Video Files"), "*.dv"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Microsoft Digital Video Recorder"), "*.dvr-ms"},
    {QT_TRANSLATE_NOOP("CEventHandler", "NUT Files"), "*.nut"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Raw h.264 Video Files"), "*.h.264"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Nullsoft Stream Video"), "*.nsv"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Unprotected VOB File"), "*.vob"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Gif File"), "*.gif"},
    {QT_TRANSLATE_NOOP("CEventHandler", "MPEG Audio Files"), "*.mp3 *.m4a *.mp2 *.mpa"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Windows Media Audio File"), "*.wma"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Advanced Audio Coding File"), "*.aac"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Audio Code 3 File"), "*.ac3"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Matroska Audio File"), "*.mka"},
    {QT_TRANSLATE_NOOP("CEventHandler", "OGG Vorbis Audio File"), "*.org"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Audio Interleave File Formats"), "*.aif *.aiff"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Real Audio Files"), "*.ra *.ram"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Tivo File"), "*.Tivo"},
    {QT_TRANSLATE_NOOP("CEventHandler", "Lossless Audio Files"), "*.wav *.ape *.flac"},
    {QT_TRANSLATE_NOOP("CEventHandler", "WEBM Files"), "*.webm"},
};

void openFolder(const QString &folder)
{
    // The system's file browser; a failure is not reported.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(folder)));
}
} // namespace

CEventHandler::CEventHandler(MainWindow *window) : QObject(window), mainWindow(window), m_window(window)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_trayMenu = new QMenu;
    QAction *show = m_trayMenu->addAction(tr("Show Window"));
    QAction *exit = m_trayMenu->addAction(tr("Exit"));
    connect(show, &QAction::triggered, this, &CEventHandler::onShowWindow);
    connect(exit, &QAction::triggered, this, &CEventHandler::onExitApp);
    trayIcon = new QSystemTrayIcon(QIcon(QStringLiteral(":/images/tray.ico")), this);
    trayIcon->setContextMenu(m_trayMenu);
    trayIcon->setVisible(true);
}

CEventHandler::~CEventHandler()
{
    delete m_trayMenu; // the menu has no parent
}

QString CEventHandler::openFileFilter()
{
    QStringList filters;
    for (const FileFilter &f : kOpenFileFilters)
        filters << QStringLiteral("%1(%2)").arg(tr(f.name), QLatin1String(f.patterns));
    return filters.join(QStringLiteral(";;"));
}

QStringList CEventHandler::filesOfFolder(const QString &dir)
{
    QStringList files;
    const QDir folder(dir);
    const QFileInfoList entries =
        folder.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    // A whole folder brings the files the open dialog offers, not every
    // picture or note lying beside them; single files are taken whatever
    // their names.
    for (const QFileInfo &entry : entries) {
        if (entry.isFile() && isSupportedFile(entry.fileName()))
            files << entry.absoluteFilePath();
    }
    return files;
}

QString CEventHandler::sampleRateText(int hz)
{
    if (hz < 1000)
        return QStringLiteral("%1 Hz").arg(std::max(0, hz));
    return QStringLiteral("%1 kHz").arg(QString::number(hz / 1000.0, 'g', 6));
}

QString CEventHandler::fileInfoText(const VideoBasicInfo &info, const MediaSummary &summary)
{
    const QString name = info.filename.mid(info.filename.lastIndexOf(QLatin1Char('/')) + 1);
    const QString duration =
        info.msEnd < 0 ? QStringLiteral("--:--:--") : TimeText::fromMs(qint64(info.msEnd) - info.msStart);
    return tr("Name:%1\nDuration:%2\nResolution:%3\u00D7%4\nBit Rate:%5 kbps\nFrame Rate:%6\n"
              "Sample Rate:%7\nBit Rate:%8 kbps\nChannel:%9 Channel\n")
        .arg(name, duration)
        .arg(summary.width)
        .arg(summary.height)
        .arg(summary.videoBitrate / 1000)
        .arg(summary.frameRate)
        .arg(sampleRateText(summary.sampleRate))
        .arg(summary.audioBitrate / 1000)
        .arg(summary.channels);
}

QString CEventHandler::webPageUrl(const QString &language, const QString &page)
{
    const QString host = language == QLatin1String("en") ? QStringLiteral("www") : language;
    return QStringLiteral("http://%1.%2%3").arg(host, QLatin1String(kWebDomain), page);
}

int CEventHandler::currentRow() const
{
    VideoListWidget *list = m_window ? m_window->listWidget() : nullptr;
    return list ? list->currentRow() : -1;
}

void CEventHandler::showMessage(const QString &title, const QString &text)
{
    if (m_messageSink)
        m_messageSink(title, text);
    else
        QMessageBox::information(nullptr, title, text, QMessageBox::Ok);
}

void CEventHandler::openPage(const QString &page)
{
    QDesktopServices::openUrl(QUrl(webPageUrl(VideoUserConfig::instance()->language(), page)));
}

void CEventHandler::onMenuFileAddFile()
{
    const QStringList files =
        QFileDialog::getOpenFileNames(mainWindow, tr("Open Video Files"),
                                      VideoUserConfig::instance()->lastOpenDirectory(), openFileFilter());
    VideoInfoManager::instance()->addFiles(files);
}

void CEventHandler::onMenuFileAddFolder()
{
    const QString dir =
        QFileDialog::getExistingDirectory(mainWindow, tr("Open Directory"),
                                          VideoUserConfig::instance()->lastOpenDirectory(),
                                          QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks)
            .trimmed();
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        return;
    VideoInfoManager::instance()->addFiles(filesOfFolder(dir));
}

void CEventHandler::onMenuFileDownload()
{
    DownloadDlg dialog;
    if (m_messageSink)
        dialog.setMessageSink([this](const QString &title, const QString &text, const QString &) {
            m_messageSink(title, text);
        });
    dialog.exec();
}

void CEventHandler::onMenuFileFileProperty()
{
    VideoListWidget *list = m_window->listWidget();
    VideoBasicInfo info;
    MediaSummary summary;
    if (!list || !list->selectedBasicInfo(info) || !list->selectedMediaSummary(summary))
        return;
    FileInfoDialog dialog;
    dialog.setText(fileInfoText(info, summary));
    dialog.exec();
}

void CEventHandler::onCloseMainWindow()
{
    if (!mainWindow)
        return;
    // With a tray icon the program keeps running there.  Without one a hidden
    // window could not be brought back, so the window closes instead (which
    // still asks about a running conversion).
    if (trayIcon)
        mainWindow->hide();
    else
        mainWindow->close();
}

void CEventHandler::onShowWindow()
{
    if (mainWindow)
        mainWindow->show();
}

void CEventHandler::onExitApp()
{
    // No question asked, but no worker may outlive the objects it uses.
    if (m_window)
        m_window->stopRunningWork();
    QCoreApplication::exit(0);
}

void CEventHandler::onMenuEditDuplicate()
{
    const int row = currentRow();
    if (row >= 0)
        VideoInfoManager::instance()->duplicate(row);
}

void CEventHandler::onMenuEditTrim()
{
    VideoBasicInfo info;
    if (!VideoInfoManager::instance()->basicInfo(currentRow(), info))
        return;
    VideoTrimDialog dialog(m_window->player(), mainWindow);
    dialog.setSource(info);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Each clip becomes an entry of its own; the source entry stays as it is.
    const QList<VideoBasicInfo> sections = dialog.sections();
    if (!sections.isEmpty())
        VideoInfoManager::instance()->addVideos(sections);
}

void CEventHandler::onMenuEditVideoEdit()
{
    EditorDialog dialog(m_window->player(), mainWindow);
    dialog.selectRow(EditorDialog::startRow(currentRow()));
    dialog.exec();
}

void CEventHandler::onMenuEditRemove()
{
    if (m_window->isConverting()) {
        showMessage(tr("Warning"),
                    tr("Convert In Progress. Files could not be removed until convert finished."));
        return;
    }
    if (VideoListWidget *list = m_window->listWidget())
        list->removeSelected();
}

void CEventHandler::onMenuEditClearAll()
{
    VideoInfoManager::instance()->clear();
}

void CEventHandler::onMenuEditRename()
{
    const int row = currentRow();
    if (row < 0)
        return;
    VideoRenameDlg dialog(mainWindow);
    dialog.setName(VideoInfoManager::instance()->displayName(row));
    if (dialog.exec() == QDialog::Accepted)
        VideoInfoManager::instance()->rename(row, dialog.name());
}

void CEventHandler::onMenuEditMerge(bool bChecked)
{
    VideoUserConfig::instance()->setMerge(bChecked);
}

void CEventHandler::onMenuToolSettings()
{
    SettingsDialog dialog;
    if (m_messageSink)
        dialog.setMessageSink(m_messageSink);
    dialog.exec();
}

void CEventHandler::onMenuToolOpenOutputDir()
{
    openFolder(QDir::toNativeSeparators(m_window->outputFolderText()));
}

void CEventHandler::onMenuHelpOnLineHelp()
{
    openPage(QStringLiteral("/help/videoconverter/"));
}

void CEventHandler::onMenuHelpSupport()
{
    openPage(QStringLiteral("/support.php"));
}

void CEventHandler::onMenuHelpAbout()
{
    AboutDialog dialog(mainWindow);
    connect(&dialog, &AboutDialog::checkForUpdates, this, &CEventHandler::onMenuHelpCheckUpdate);
    dialog.exec();
}

void CEventHandler::onMenuHelpCheckUpdate()
{
    // Updates come with the system's packages here; there is no updater
    // program to start.
    showMessage(tr("Check Update"), tr("Corvane Reelmax is updated with the other programs of your system. "
                                       "Please use your distribution's package manager (for example "
                                       "\"apt update && apt upgrade\") to look for a newer version."));
}

void CEventHandler::onMenuHelpProductPage()
{
    openPage(QStringLiteral("/product_converter.php"));
}

// The snapshot commands belong to the player panel, which knows whether
// something plays; the handler passes them on.
VideoPlayerWidget *CEventHandler::playerPanel() const
{
    auto *window = qobject_cast<MainWindow *>(mainWindow.data());
    return window ? qobject_cast<VideoPlayerWidget *>(window->playerWidget()) : nullptr;
}

void CEventHandler::onSnapshot()
{
    if (VideoPlayerWidget *panel = playerPanel())
        panel->onSnapshot();
}

void CEventHandler::onOpenSnapshotFolder()
{
    if (VideoPlayerWidget *panel = playerPanel())
        panel->onOpenSnapshotFolder();
}

void CEventHandler::onChangeSnapshotFolder()
{
    if (VideoPlayerWidget *panel = playerPanel())
        panel->onChangeSnapshotFolder();
}

void CEventHandler::onSnapshotFormatJpeg()
{
    VideoUserConfig::instance()->setSnapshotFormat(QStringLiteral("jpg"));
}

void CEventHandler::onSnapshotFormatBmp()
{
    VideoUserConfig::instance()->setSnapshotFormat(QStringLiteral("bmp"));
}

void CEventHandler::onMenuVideoMoveUp()
{
    const int row = currentRow();
    if (row > 0)
        VideoInfoManager::instance()->moveUp(row);
}

void CEventHandler::onMenuVideoMoveDown()
{
    const int row = currentRow();
    if (row >= 0 && row < VideoInfoManager::instance()->count() - 1)
        VideoInfoManager::instance()->moveDown(row);
}

void CEventHandler::onMenuActionConvertAll()
{
    if (m_window)
        m_window->convertAll();
}
