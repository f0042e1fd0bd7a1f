#include "gui/app/mainwindow.h"

#include "core/config/videouserconfig.h"
#include "core/media/videoinfomanager.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/app/eventhandler.h"
#include "gui/common/widgetenhancer.h"
#include "gui/player/videoplayerscreen.h"
#include "gui/widgets/loadvideofilesprogressdialog.h"
#include "gui/widgets/videolistpopupmenu.h"
#include "gui/widgets/videolistwidget.h"
#include "gui/widgets/videomenubarwidget.h"
#include "gui/widgets/videotitlebarwidget.h"
#include "gui/widgets/videotoolbarwidget.h"
#include "gui/widgets/welcomewidget.h"

#include "gui/player/videoplayerwidget.h"
#include "gui/profiles/customizedialog.h"
#include "gui/profiles/videoprofilemenuwidget.h"
#include "gui/widgets/videoconvertwidget.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QMetaObject>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget *parent) : QWidget(parent), m_player(std::make_unique<CffmpegPlayer>())
{
    // The program's player; tools that ask the engine for "the" player get it too.
    FFP_RegisterPlayer(m_player.get());
    setCursor(Qt::ArrowCursor);
    m_customizeDialog = createCustomizeDialog();
    m_profileMenu = createProfileMenu();
    m_profileMenu->hide();
    m_eventHandler = new CEventHandler(this);

    m_enhancer = WidgetEnhancer::create(this, true, true);
    m_enhancer->loadSkin(QStringLiteral(":/images/mainwindow/mainbkgnd.png"), 122, 5, 130, 5);

    setObjectName(QStringLiteral("mainWindow"));
    setStyleSheet(QStringLiteral("#mainWindow { border:0px; border-radius:4px;}"));
    setWindowIcon(QIcon(QStringLiteral("./app.ico")));
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    resize(800, 600);

    // The registry loads added files through this window's progress dialog,
    // and the configuration asks the list for the selected row.
    m_loadDialog = new LoadVideoFilesProgressDialog(this);
    VideoInfoManager::instance()->setLoadStep(m_loadDialog);

    buildLayout();

    VideoUserConfig *config = VideoUserConfig::instance();
    config->setSelectedRowSource([list = m_listWidget]() { return list->currentRow(); });
    config->setRowPathSource([](int row) { return VideoInfoManager::instance()->filePath(row); });

    setWindowTitle(tr("Corvane Reelmax"));
    setWindowIcon(QIcon(QStringLiteral("./app.ico")));

    QTimer::singleShot(0, this, &MainWindow::addFilesFromArguments);
}

MainWindow::~MainWindow()
{
    VideoInfoManager *registry = VideoInfoManager::instance();
    if (registry->loadStep() == m_loadDialog)
        registry->setLoadStep(nullptr);
    VideoUserConfig *config = VideoUserConfig::instance();
    config->setSelectedRowSource({});
    config->setRowPathSource({});
    delete m_customizeDialog; // created without parent
    // The panels that play go before the player they use.
    m_play = {};
    m_playerScreenId = {};
    delete m_playerWidget;
    m_playerWidget = nullptr;
}

void MainWindow::buildLayout()
{
    m_titleBar = new VideoTitleBarWidget(this);
    m_listWidget = new VideoListWidget(this);
    m_toolBar = new VideoToolBarWidget(m_listWidget, this);
    m_convertWidget = createConvertPanel();
    m_menuBar = new VideoMenuBarWidget(m_listWidget, this);
    connect(static_cast<VideoConvertWidget *>(m_convertWidget), &VideoConvertWidget::convertStatusChanged,
            m_menuBar, &VideoMenuBarWidget::onConvertStatusChanged);
    m_bottomStrip = new QWidget(this);
    m_bottomStrip->setFixedHeight(10);
    m_playerWidget = createPlayerPanel();

    m_menuBar->attachPlayer(static_cast<VideoPlayerWidget *>(m_playerWidget));
    m_toolBar->attachPlayer(static_cast<VideoPlayerWidget *>(m_playerWidget));

    for (QWidget *child : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        child->setCursor(Qt::ArrowCursor);

    auto *header = new QWidget(this);
    auto *headerLayout = new QVBoxLayout(header);
    headerLayout->setContentsMargins(0, 0, 0, 0);
    headerLayout->setSpacing(5);
    headerLayout->addWidget(m_titleBar);
    headerLayout->addWidget(m_menuBar);

    auto *middle = new QHBoxLayout;
    middle->setContentsMargins(0, 5, 0, 2);
    middle->setSpacing(2);
    middle->addWidget(m_listWidget, 1);
    middle->addWidget(m_playerWidget, 0);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->addWidget(header);
    layout->addSpacing(6);
    layout->addWidget(m_toolBar);
    layout->addLayout(middle, 1);
    layout->addWidget(m_convertWidget);
    layout->addWidget(m_bottomStrip);

    m_listPopupMenu = new VideoListPopupMenu(m_listWidget, this);
    m_listWidget->setContextMenu(m_listPopupMenu);
    connectCommands();
}

void MainWindow::connectCommands()
{
    // What the user asks for in the bars, the list and its menu is carried
    // out by the command handler (or by the window itself).
    CEventHandler *h = m_eventHandler;
    connect(m_titleBar, &VideoTitleBarWidget::settingsRequested, h, &CEventHandler::onMenuToolSettings);
    connect(m_titleBar, &VideoTitleBarWidget::closeRequested, h, &CEventHandler::onCloseMainWindow);

    WelcomeWidget *welcome = m_listWidget->welcomeWidget();
    connect(welcome, &WelcomeWidget::addFilesRequested, h, &CEventHandler::onMenuFileAddFile);
    connect(welcome, &WelcomeWidget::addFolderRequested, h, &CEventHandler::onMenuFileAddFolder);
    connect(m_listWidget, &VideoListWidget::playRequested, this, &MainWindow::startPlay);

    VideoListPopupMenu *popup = m_listPopupMenu;
    connect(popup, &VideoListPopupMenu::playRequested, this, &MainWindow::onPlaySelected);
    connect(popup, &VideoListPopupMenu::clipRequested, h, &CEventHandler::onMenuEditTrim);
    connect(popup, &VideoListPopupMenu::editEffectRequested, h, &CEventHandler::onMenuEditVideoEdit);
    connect(popup, &VideoListPopupMenu::clearAllRequested, h, &CEventHandler::onMenuEditClearAll);
    connect(popup, &VideoListPopupMenu::fileInformationRequested, h, &CEventHandler::onMenuFileFileProperty);
    connect(popup, &VideoListPopupMenu::moveUpRequested, h, &CEventHandler::onMenuVideoMoveUp);
    connect(popup, &VideoListPopupMenu::moveDownRequested, h, &CEventHandler::onMenuVideoMoveDown);

    VideoToolBarWidget *tools = m_toolBar;
    connect(tools, &VideoToolBarWidget::addFilesRequested, h, &CEventHandler::onMenuFileAddFile);
    connect(tools, &VideoToolBarWidget::addFolderRequested, h, &CEventHandler::onMenuFileAddFolder);
    connect(tools, &VideoToolBarWidget::downloadRequested, h, &CEventHandler::onMenuFileDownload);
    connect(tools, &VideoToolBarWidget::removeRequested, h, &CEventHandler::onMenuEditRemove);
    connect(tools, &VideoToolBarWidget::editRequested, h, &CEventHandler::onMenuEditVideoEdit);
    connect(tools, &VideoToolBarWidget::clipRequested, h, &CEventHandler::onMenuEditTrim);
    connect(tools, &VideoToolBarWidget::mergeToggled, h, &CEventHandler::onMenuEditMerge);

    VideoMenuBarWidget *menu = m_menuBar;
    connect(menu, &VideoMenuBarWidget::addFileRequested, h, &CEventHandler::onMenuFileAddFile);
    connect(menu, &VideoMenuBarWidget::downloadRequested, h, &CEventHandler::onMenuFileDownload);
    connect(menu, &VideoMenuBarWidget::addFolderRequested, h, &CEventHandler::onMenuFileAddFolder);
    connect(menu, &VideoMenuBarWidget::fileInformationRequested, h, &CEventHandler::onMenuFileFileProperty);
    connect(menu, &VideoMenuBarWidget::exitRequested, h, &CEventHandler::onCloseMainWindow);
    connect(menu, &VideoMenuBarWidget::duplicateRequested, h, &CEventHandler::onMenuEditDuplicate);
    connect(menu, &VideoMenuBarWidget::clipRequested, h, &CEventHandler::onMenuEditTrim);
    connect(menu, &VideoMenuBarWidget::videoEditRequested, h, &CEventHandler::onMenuEditVideoEdit);
    connect(menu, &VideoMenuBarWidget::removeRequested, h, &CEventHandler::onMenuEditRemove);
    connect(menu, &VideoMenuBarWidget::clearAllRequested, h, &CEventHandler::onMenuEditClearAll);
    connect(menu, &VideoMenuBarWidget::renameRequested, h, &CEventHandler::onMenuEditRename);
    connect(menu, &VideoMenuBarWidget::mergeToggled, h, &CEventHandler::onMenuEditMerge);
    connect(menu, &VideoMenuBarWidget::settingsRequested, h, &CEventHandler::onMenuToolSettings);
    connect(menu, &VideoMenuBarWidget::customizeProfileRequested, this,
            &MainWindow::showProfileCustomizeDialog);
    connect(menu, &VideoMenuBarWidget::openOutputDirRequested, h, &CEventHandler::onMenuToolOpenOutputDir);
    connect(menu, &VideoMenuBarWidget::convertAllRequested, h, &CEventHandler::onMenuActionConvertAll);
    connect(menu, &VideoMenuBarWidget::onlineHelpRequested, h, &CEventHandler::onMenuHelpOnLineHelp);
    connect(menu, &VideoMenuBarWidget::supportRequested, h, &CEventHandler::onMenuHelpSupport);
    connect(menu, &VideoMenuBarWidget::aboutRequested, h, &CEventHandler::onMenuHelpAbout);
    connect(menu, &VideoMenuBarWidget::checkUpdateRequested, h, &CEventHandler::onMenuHelpCheckUpdate);
    connect(menu, &VideoMenuBarWidget::productPageRequested, h, &CEventHandler::onMenuHelpProductPage);
}

void MainWindow::onPlaySelected()
{
    VideoBasicInfo info;
    if (m_listWidget && m_listWidget->selectedBasicInfo(info))
        startPlay(info);
}

QWidget *MainWindow::createPlayerPanel()
{
    auto *player = new VideoPlayerWidget(m_player.get(), this);
    connect(m_listWidget, &VideoListWidget::currentItemChanged, player,
            &VideoPlayerWidget::onVideoListCurrentItemChanged);
    player->setCurrentRowSource([this] { return m_listWidget ? m_listWidget->currentRow() : -1; });
    m_play = [player](const VideoBasicInfo &info) { player->startPlay(info); };
    m_playerScreenId = [player] {
        return player->playerScreen() ? qint64(player->playerScreen()->winId()) : qint64(0);
    };
    return player;
}

QWidget *MainWindow::createConvertPanel()
{
    auto *convert = new VideoConvertWidget(this);
    connect(convert, &VideoConvertWidget::openOutputDirRequested, m_eventHandler,
            &CEventHandler::onMenuToolOpenOutputDir);
    connect(convert, &VideoConvertWidget::profileMenuRequested, this, &MainWindow::popupProfileMenu);
    connect(convert, &VideoConvertWidget::profileCustomizeRequested, this,
            &MainWindow::showProfileCustomizeDialog);
    m_busyCheck = [convert] { return convert->isBusy(); };
    m_confirmClose = [convert] { return convert->confirmStop(); };
    m_stopWork = [convert] { convert->stopAll(); };
    m_convertAll = [convert] { convert->startConvertAll(); };
    m_outputFolder = [convert] { return convert->outputFolderText(); };
    return convert;
}

QWidget *MainWindow::createProfileMenu()
{
    auto *profiles = new VideoProfileMenuWidget(this);
    profiles->setWindowFlags(profiles->windowFlags() | Qt::Popup);
    connect(profiles, &VideoProfileMenuWidget::clickedCustemized, this,
            &MainWindow::showProfileCustomizeDialog);
    return profiles;
}

QDialog *MainWindow::createCustomizeDialog()
{
    return new CustomizeDialog(nullptr);
}

bool MainWindow::isConverting() const
{
    return m_busyCheck ? m_busyCheck() : false;
}

void MainWindow::startPlay(const VideoBasicInfo &info)
{
    if (m_play)
        m_play(info);
}

void MainWindow::convertAll()
{
    if (m_convertAll)
        m_convertAll();
}

void MainWindow::stopRunningWork()
{
    if (m_stopWork)
        m_stopWork();
}

QString MainWindow::outputFolderText() const
{
    return m_outputFolder ? m_outputFolder() : QString();
}

void MainWindow::popupProfileMenu()
{
    m_profileMenu->setVisible(true);
    m_profileMenu->move(x() + 50, y() + height() - m_profileMenu->height() - 130);
}

void MainWindow::showProfileCustomizeDialog()
{
    if (m_customizeDialog->exec() == QDialog::Accepted)
        static_cast<VideoProfileMenuWidget *>(m_profileMenu)->updateList();
}

void MainWindow::showEvent(QShowEvent *event)
{
    // Every show centres the window on the whole desktop.
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->virtualGeometry();
        move((desktop.width() - width()) / 2, (desktop.height() - height()) / 2);
    }
    QWidget::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_confirmClose || m_confirmClose())
        event->accept();
    else
        event->ignore();
}

bool MainWindow::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::UpdateRequest && m_playerScreenId) {
        if (const qint64 id = m_playerScreenId())
            FFP_TestAndRefresh(id);
    }
    return handled;
}

void MainWindow::addFilesFromArguments()
{
    // Media files named on the command line are added as if dropped.
    addFiles(QCoreApplication::arguments().mid(1));
}

void MainWindow::addFiles(const QStringList &paths)
{
    // A folder brings its media files, as "Add Folder" does.  Files the
    // desktop hands over (a start with files, or files opened while the
    // program runs) that the list already holds are not added again: the
    // list of the last run comes back at every start, and a file opened
    // twice from the file manager should not give two rows.  The first such
    // file's row is selected instead.
    QStringList named;
    for (const QString &path : paths)
        named << (QFileInfo(path).isDir() ? CEventHandler::filesOfFolder(path) : QStringList{path});
    VideoInfoManager *registry = VideoInfoManager::instance();
    QStringList files;
    int listed = -1;
    for (const QString &path : std::as_const(named)) {
        const QFileInfo info(path);
        const QString file = info.absoluteFilePath();
        if (!info.isFile() || files.contains(file))
            continue;
        const int row = registry->rowOfFile(file);
        if (row < 0)
            files << file;
        else if (listed < 0)
            listed = row;
    }
    if (!files.isEmpty())
        registry->addFiles(files);
    else if (listed >= 0 && m_listWidget)
        m_listWidget->selectRow(listed);
}
