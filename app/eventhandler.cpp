#include "app/eventhandler.h"

#include "Widgets/videoplayerwidget.h"

#include "Widgets/editordialog.h"
#include "Widgets/fileinfodialog.h"
#include "Widgets/videolistwidget.h"
#include "Widgets/videorenamedlg.h"
#include "Widgets/videotrimdialog.h"
#include "app/aboutdialog.h"
#include "app/mainwindow.h"
#include "core/config/videouserconfig.h"
#include "core/media/timetext.h"
#include "core/media/videoinfomanager.h"
#include "dialogs/downloaddlg.h"
#include "engine/playback/ffmpegplayer.h"

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QUrl>

namespace {
// The product's web site (a placeholder domain until the site exists).
const char *const kWebDomain = "corvane.example";

const char *const kOpenFileFilter =
    "All Supported Formats(*.m4v *.4ma *.m4b *.m4p *.m4r *.aa *.aax *.amr *.mod *.tod *.mts *.ts *.m2ts *.tp "
    "*.trp "
    "*.avi *.mp4 *.m4v *.mpg *.mpeg *.dpg *.3gp *.3g2 *.wmv *.asf *.rm *.rmvb *.dat *.mov *.flv *.f4v *.mkv "
    "*.dv "
    "*.dvr-ms *.nut *.h.264 *.nsv *.vob *.gif *.mp3 *.m4a *.mp2 *.mpa *.wma *.aac *.ac3 *.mka *.org *.aif "
    "*.aiff "
    "*.ra *.ram *.Tivo *.wav *.ape *.flac *.au *.ogg *.webm);;"
    "Apple Video files(*.m4v);;Apple Music files(*.4ma *.m4b *.m4p *.m4r);;Audible Audio(*.aa);;"
    "Audible Enhanced Format(*.aax);;Adaptive Multi-Rate file(*.amr);;MOD File(*.mod);;TOD File(*.tod);;"
    "High-definition files(*.mts *.ts *.m2ts *.tp *.trp);;AVI Video files(*.avi);;MPEG4 files(*.mp4 *.m4v);;"
    "MPEG files(*.mpg *.mpeg);;DPG files(*.dpg);;3GP files(*.3gp *.3g2);;Windows Media Video(*.wmv *.asf);;"
    "Real Media files(*.rm *.rmvb);;Video CD files(*.dat);;Quick Time files(*.mov);;"
    "Flash Video files(*.flv *.f4v);;MKV files(*.mkv);;Digital Video Files(*.dv);;"
    "Microsoft Digital Video Recorder(*.dvr-ms);;NUT Files(*.nut);;Raw h.264 Video Files(*.h.264);;"
    "Nullsoft Stream Video(*.nsv);;Unprotected VOB File(*.vob);;Gif File(*.gif);;"
    "MPEG Audio Files(*.mp3 *.m4a *.mp2 *.mpa);;Windows Media Audio File(*.wma);;"
    "Advanced Audio Coding File(*.aac);;Audio Code 3 File(*.ac3);;Matroska Audio File(*.mka);;"
    "OGG Vorbis Audio File(*.org);;Audio Interleave File Formats(*.aif *.aiff);;Real Audio Files(*.ra "
    "*.ram);;"
    "Tivo File(*.Tivo);;Lossless Audio Files(*.wav *.ape *.flac);;WEBM Files(*.webm)";

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
    return QString::fromLatin1(kOpenFileFilter);
}

QStringList CEventHandler::filesOfFolder(const QString &dir)
{
    QStringList files;
    const QDir folder(dir);
    const QFileInfoList entries =
        folder.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &entry : entries) {
        if (entry.isFile())
            files << entry.absoluteFilePath();
    }
    return files;
}

QString CEventHandler::fileInfoText(const VideoBasicInfo &info, const MediaSummary &summary)
{
    QString name = info.filename;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    const QString duration = TimeText::fromMs(qint64(info.msEnd) - info.msStart);
    return QStringLiteral("Name:%1\nDuration:%2\nResolution:%3\u00D7%4\nBit Rate:%5 kbps\nFrame Rate:%6\n"
                          "Sample Rate:%7 kbps\nBit Rate:%8 kbps\nChannel:%9 Channel\n")
        .arg(name, duration)
        .arg(summary.width)
        .arg(summary.height)
        .arg(summary.videoBitrate / 1000)
        .arg(summary.frameRate)
        .arg(summary.sampleRate / 1000)
        .arg(summary.audioBitrate / 1000)
        .arg(summary.channels);
}

QString CEventHandler::webPageUrl(const QString &language, const QString &page)
{
    const QString host = language == QLatin1String("en") ? QStringLiteral("www") : language;
    return QStringLiteral("http://%1.%2%3").arg(host, QLatin1String(kWebDomain), page);
}

bool CEventHandler::startUpdater()
{
    const QString updater = QDir::current().filePath(QStringLiteral("update/update.exe"));
    return QProcess::startDetached(updater, QStringList());
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
    VideoTrimDialog dialog(mainWindow);
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
    EditorDialog dialog(mainWindow);
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
    // The settings dialog plugs in here.
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
    if (!startUpdater())
        showMessage(tr("Error"), tr("Start update/update.exe Failed."));
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
