#include "app/mainwindow.h"

#include "Widgets/loadvideofilesprogressdialog.h"
#include "Widgets/videoinfomanager.h"
#include "Widgets/videolistpopupmenu.h"
#include "Widgets/videolistwidget.h"
#include "Widgets/videomenubarwidget.h"
#include "Widgets/videotitlebarwidget.h"
#include "Widgets/videotoolbarwidget.h"
#include "Widgets/widgetenhancer.h"
#include "app/eventhandler.h"
#include "config/videouserconfig.h"
#include "engine/ffmpegplayer.h"

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

MainWindow::MainWindow(QWidget *parent) : QWidget(parent)
{
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

    connectIfPresent(m_profileMenu, SIGNAL(clickedCustemized()), this, SLOT(showProfileCustomizeDialog()));

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
}

void MainWindow::buildLayout()
{
    m_titleBar = new VideoTitleBarWidget(this);
    m_listWidget = new VideoListWidget(this, this);
    m_toolBar = new VideoToolBarWidget(this);
    m_convertWidget = createConvertPanel();
    m_menuBar = new VideoMenuBarWidget(this);
    m_bottomStrip = new QWidget(this);
    m_bottomStrip->setFixedHeight(10);
    m_playerWidget = createPlayerPanel();

    m_menuBar->attachPlayer(m_playerWidget);
    m_toolBar->attachPlayer(m_playerWidget);
    connectIfPresent(m_listWidget, SIGNAL(currentItemChanged(int)), m_playerWidget,
                     SLOT(onVideoListCurrentItemChanged(int)));

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

    m_listPopupMenu = new VideoListPopupMenu(this);
}

QWidget *MainWindow::createPlayerPanel()
{
    // Stands in for the player panel: its skin, size and black screen.
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("videoPlayerWidget"));
    panel->setMinimumSize(380, 320);
    if (WidgetEnhancer *skin = WidgetEnhancer::create(panel, false, false))
        skin->loadSkin(QStringLiteral(":/images/mainwindow/videoplayer/player_bkgnd.png"), 24, 3, 3, 3);
    auto *screen = new QWidget(panel);
    screen->setObjectName(QStringLiteral("videoWidget"));
    screen->setAttribute(Qt::WA_StyledBackground);
    screen->setStyleSheet(
        QStringLiteral("#videoWidget { background-color: black; border: 1px solid #8ea3c2; }"));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(7, 31, 7, 52);
    layout->addWidget(screen);
    return panel;
}

QWidget *MainWindow::createConvertPanel()
{
    // Stands in for the conversion panel until it exists.
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("videoConvertWidget"));
    panel->setAttribute(Qt::WA_StyledBackground);
    panel->setFixedHeight(110);
    panel->setStyleSheet(
        QStringLiteral("#videoConvertWidget { background-image: url(:/images/20120707133444.png);"
                       " border: 1px solid #2a4674; border-radius: 3px; }"));
    m_outputFolder = [] { return VideoUserConfig::instance()->convertOutputDirectory(); };
    return panel;
}

QWidget *MainWindow::createProfileMenu()
{
    // Stands in for the profile pop-up menu until it exists.
    auto *menu = new QWidget(this, Qt::Popup);
    menu->setObjectName(QStringLiteral("MenuWidget"));
    menu->setFixedSize(490, 360);
    return menu;
}

QDialog *MainWindow::createCustomizeDialog()
{
    // Stands in for the customize-profiles dialog until it exists.
    auto *dialog = new QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint);
    dialog->setObjectName(QStringLiteral("CustomizeDialog"));
    dialog->setWindowTitle(tr("Customize Profile"));
    return dialog;
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

QString MainWindow::outputFolderText() const
{
    return m_outputFolder ? m_outputFolder() : QString();
}

bool MainWindow::connectIfPresent(const QObject *sender, const char *signal, const QObject *receiver,
                                  const char *method)
{
    if (!sender || !receiver)
        return false;
    // SIGNAL()/SLOT() prefix the signature with a code digit.
    const QByteArray signalSig = QMetaObject::normalizedSignature(signal + 1);
    const QByteArray methodSig = QMetaObject::normalizedSignature(method + 1);
    if (sender->metaObject()->indexOfSignal(signalSig.constData()) < 0 ||
        receiver->metaObject()->indexOfMethod(methodSig.constData()) < 0)
        return false;
    return QObject::connect(sender, signal, receiver, method);
}

void MainWindow::popupProfileMenu()
{
    m_profileMenu->setVisible(true);
    m_profileMenu->move(x() + 50, y() + height() - m_profileMenu->height() - 130);
}

void MainWindow::showProfileCustomizeDialog()
{
    if (m_customizeDialog->exec() == QDialog::Accepted)
        QMetaObject::invokeMethod(m_profileMenu, "updateList");
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
    QStringList files;
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    for (const QString &argument : arguments) {
        if (QFileInfo(argument).isFile())
            files << QFileInfo(argument).absoluteFilePath();
    }
    if (!files.isEmpty())
        VideoInfoManager::instance()->addFiles(files);
}
