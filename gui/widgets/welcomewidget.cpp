#include "gui/widgets/welcomewidget.h"

#include "core/media/videoinfomanager.h"
#include "gui/widgets/videolistwidget.h"

#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton *imageButton(const QString &image, const QString &label, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setFixedSize(48, 30);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    // The picture carries the meaning; the label is the tool tip and the accessible name.
    button->setToolTip(label);
    button->setAccessibleName(label);
    button->setStyleSheet(
        QStringLiteral("QPushButton { border-image: url(:/images/mainwindow/%1_normal.png); }"
                       "QPushButton:hover { border-image: url(:/images/mainwindow/%1_hover.png); }"
                       "QPushButton:pressed { border-image: url(:/images/mainwindow/%1_pressed.png); }")
            .arg(image));
    return button;
}
} // namespace

WelcomeWidget::WelcomeWidget(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("welcomeWidget"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setAcceptDrops(true);
    setStyleSheet(
        QStringLiteral("#welcomeWidget { background: transparent; }"
                       "QLabel { font: 16px \"Arial\"; color: #2a4674; background: transparent; }"));

    auto *first = new QLabel(tr("Drag and drop your file here or"), this);
    first->setAlignment(Qt::AlignCenter);
    m_btnAddFiles = imageButton(QStringLiteral("welcome_add_files"), tr("Add Files"), this);
    m_btnAddFolder = imageButton(QStringLiteral("welcome_add_folder"), tr("Add Folder"), this);

    auto *second = new QHBoxLayout;
    second->setSpacing(6);
    second->addStretch(1);
    second->addWidget(new QLabel(tr("Click "), this));
    second->addWidget(m_btnAddFiles);
    second->addWidget(new QLabel(tr(" or "), this));
    second->addWidget(m_btnAddFolder);
    second->addWidget(new QLabel(tr(" to start. "), this));
    second->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(first);
    layout->addSpacing(12);
    layout->addLayout(second);
    layout->addStretch(1);

    connect(m_btnAddFiles, &QPushButton::clicked, this, &WelcomeWidget::addFilesRequested);
    connect(m_btnAddFolder, &QPushButton::clicked, this, &WelcomeWidget::addFolderRequested);
    VideoInfoManager *registry = VideoInfoManager::instance();
    connect(registry, &VideoInfoManager::videoCountChanged, this, &WelcomeWidget::onVideoCountChanged);
    onVideoCountChanged(registry->count());
}

void WelcomeWidget::onVideoCountChanged(int count)
{
    setVisible(count <= 0);
}

void WelcomeWidget::dragEnterEvent(QDragEnterEvent *event)
{
    event->acceptProposedAction();
}

void WelcomeWidget::dragMoveEvent(QDragMoveEvent *event)
{
    event->acceptProposedAction();
}

void WelcomeWidget::dropEvent(QDropEvent *event)
{
    const QStringList files = VideoListWidget::droppedFiles(event->mimeData());
    event->acceptProposedAction();
    if (!files.isEmpty())
        VideoInfoManager::instance()->addFiles(files);
}
