#include "gui/profiles/videoprofilemenuwidget.h"

#include "core/config/videouserconfig.h"
#include "core/platform/datapaths.h"
#include "core/profiles/videoprofileuserconfig.h"
#include "gui/common/guilog.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kMenuWidth = 490;
constexpr int kColumnWidth = 188;
constexpr int kButtonHeight = 25;
constexpr int kBandLeft = 1;
constexpr int kBandWidth = 20;
constexpr int kDeviceListMaxHeight = 165;
constexpr int kGridWidth = 275;
constexpr int kWordMinHeight = 74;
constexpr int kIdRole = Qt::UserRole + 1;

const char *const kUserGroup = "UserProfiles";
const char *const kDvdGroup = "DVDProfiles";
const char *const kFormatGroup = "FormatsProfiles";
const char *const kFavourites = "Favourites";

QFrame *makeLine(QFrame::Shape shape, QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(shape);
    if (shape == QFrame::VLine) {
        line->setFrameShadow(QFrame::Plain);
        line->setStyleSheet(QStringLiteral("color:black;"));
    } else {
        line->setFrameShadow(QFrame::Sunken);
    }
    return line;
}

// Writes text rotated a quarter turn counter-clockwise, centred in band.
void drawVerticalWord(QPainter &painter, const QRect &band, const QString &text)
{
    painter.save();
    painter.setClipRect(band);
    painter.translate(band.center().x() + 1, band.center().y() + 1);
    painter.rotate(-90);
    painter.drawText(QRect(-band.height() / 2, -band.width() / 2, band.height(), band.width()),
                     Qt::AlignCenter, text);
    painter.restore();
}

} // namespace

VideoProfileMenuWidget::VideoProfileMenuWidget(QWidget *parent) : QWidget(parent, Qt::Popup)
{
    m_userButtons.group = QString::fromLatin1(kUserGroup);
    m_dvdButtons.group = QString::fromLatin1(kDvdGroup);
    m_formatButtons.group = QString::fromLatin1(kFormatGroup);

    setFixedWidth(kMenuWidth);
    setObjectName(QStringLiteral("MenuWidget"));
    setContentsMargins(1, 1, 1, 1);
    // Category buttons are flat: transparent until hovered.  (Qt reads a
    // percentage alpha as opaque, so the transparency is written as 0.)
    setStyleSheet(QStringLiteral(
        "#MenuWidget {color: rgb(255,255,255);background-color:#ffffff;margin:0;spacing:0;border:10px solid "
        "red; border-radius:4px;}QListView { color: rgb(0,0,0);background-color:#ffffff;}"
        "QToolButton{background-color: rgba(255, 193, 245, 0); border: none;}"
        "QToolButton:hover { border-image: url(:/images/linehover.png); }"));

    auto *mainLayout = new QHBoxLayout(this);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);
    mainLayout->addStretch();
    mainLayout->addWidget(makeLine(QFrame::VLine, this));

    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (GroupButtons *group : {&m_userButtons, &m_dvdButtons, &m_formatButtons}) {
        group->layout = new QVBoxLayout;
        group->layout->setContentsMargins(0, 0, 0, 0);
        group->layout->setSpacing(0);
        column->addLayout(group->layout);
        const int index = group == &m_userButtons ? 0 : group == &m_dvdButtons ? 1 : 2;
        m_separators[index] = makeLine(QFrame::HLine, this);
        m_separators[index]->setFixedWidth(kColumnWidth);
        column->addWidget(m_separators[index]);
        buildButtons(*group);
    }

    m_deviceList = new QListWidget(this);
    m_deviceList->setMouseTracking(true);
    m_deviceList->setMaximumHeight(kDeviceListMaxHeight);
    m_deviceList->setFixedWidth(kColumnWidth);
    m_deviceList->setFocusPolicy(Qt::NoFocus);
    m_deviceList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_deviceList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_deviceList->setDragEnabled(false);
    m_deviceList->setIconSize(QSize(20, 20));
    m_deviceList->setStyleSheet(QStringLiteral(
        " QListWidget{ border: 0px; }  QListView::item { height:25px; } QListView::item:hover { "
        "border-image: "
        "url(:/images/linehover.png);} QListView::item:selected {background-color: rgba(0, 0, 0, 0%); "
        "color:#000000;}"));
    connect(m_deviceList, &QListWidget::itemEntered, this,
            &VideoProfileMenuWidget::onDeviceCategoryItemEntered);
    column->addWidget(m_deviceList);
    column->addSpacing(15);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(3);
    buttonRow->addStretch();
    m_btnCustomize = new QPushButton(tr("Customize"), this);
    m_btnCustomize->setObjectName(QStringLiteral("btnCustomize"));
    m_btnCustomize->setFixedSize(70, 19);
    m_btnCustomize->setFocusPolicy(Qt::NoFocus);
    m_btnCustomize->setStyleSheet(QStringLiteral(
        " QPushButton{ color:black; border-image: url(:/images/button1.png); } QPushButton:hover{ "
        "border-image: "
        "url(:/images/button2.png);} QPushButton:pressed{  border-image: url(:/images/button3.png);}"));
    // The pop-up closes before the customize dialog opens over it.
    connect(m_btnCustomize, &QPushButton::clicked, this, [this] {
        hide();
        emit clickedCustemized();
    });
    buttonRow->addWidget(m_btnCustomize);
    const auto arrowStyle = [](const QString &name) {
        return QStringLiteral("QPushButton{border-image: url(:/images/profilemenu/%1_normal.png);}"
                              "QPushButton:hover{border-image: url(:/images/profilemenu/%1_hover.png);}"
                              "QPushButton:pressed{border-image: url(:/images/profilemenu/%1_press.png);}")
            .arg(name);
    };
    m_btnScrollUp = new QPushButton(this);
    m_btnScrollUp->setObjectName(QStringLiteral("btnScrollUp"));
    m_btnScrollUp->setFixedSize(15, 15);
    m_btnScrollUp->setFocusPolicy(Qt::NoFocus);
    m_btnScrollUp->setStyleSheet(arrowStyle(QStringLiteral("up")));
    connect(m_btnScrollUp, &QPushButton::clicked, this, &VideoProfileMenuWidget::deviceScrollUp);
    buttonRow->addWidget(m_btnScrollUp);
    m_btnScrollDown = new QPushButton(this);
    m_btnScrollDown->setObjectName(QStringLiteral("btnScrollDown"));
    m_btnScrollDown->setFixedSize(15, 15);
    m_btnScrollDown->setFocusPolicy(Qt::NoFocus);
    m_btnScrollDown->setStyleSheet(arrowStyle(QStringLiteral("down")));
    connect(m_btnScrollDown, &QPushButton::clicked, this, &VideoProfileMenuWidget::deviceScrollDown);
    buttonRow->addWidget(m_btnScrollDown);
    column->addLayout(buttonRow);
    column->addStretch();
    column->addSpacing(5);

    mainLayout->addLayout(column);
    mainLayout->addWidget(makeLine(QFrame::VLine, this));

    m_profileList = new QListWidget(this);
    m_profileList->setFixedWidth(kGridWidth);
    m_profileList->setIconSize(QSize(60, 60));
    m_profileList->setSpacing(12);
    m_profileList->setDragEnabled(false);
    m_profileList->setMovement(QListView::Static);
    m_profileList->setViewMode(QListView::IconMode);
    m_profileList->setResizeMode(QListView::Adjust);
    // Two lines of a slightly smaller type fit under the icon, so that
    // names like "MP4 Video" are shown whole.
    m_profileList->setWordWrap(true);
    QFont gridFont = m_profileList->font();
    gridFont.setPixelSize(11);
    m_profileList->setFont(gridFont);
    m_profileList->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_profileList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_profileList->setFocusPolicy(Qt::NoFocus);
    m_profileList->setStyleSheet(QStringLiteral(
        "QListWidget{  border: 0px ;color: rgb(0,0,0); background:#ffffff; } QListView::item { width:68px; "
        "height:90px;}QListView::item:hover { border-image: url(:/images/profilemenu/item_bkgnd.png);}"
        "QListView::item:selected {color: rgb(0,0,0);}"));
    connect(m_profileList, &QListWidget::itemClicked, this, &VideoProfileMenuWidget::onProfileSelected);
    mainLayout->addWidget(m_profileList);

    m_profileList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_profileList, &QListWidget::customContextMenuRequested, this,
            &VideoProfileMenuWidget::onProfileContextMenu);
    m_itemMenu = new QMenu(this);
    m_itemMenu->setStyleSheet(QStringLiteral(
        "QMenu { background: #f6f8fc; border: 1px solid #2a4674; padding: 3px 2px; font: 12px \"Arial\"; }"
        "QMenu::item { padding: 5px 22px 5px 16px; color: #1d2c44; }"
        "QMenu::item:selected { background: #1C58A4; color: white; }"
        "QMenu::item:disabled { color: #9aa6b8; }"));
    m_actAddFavourite = m_itemMenu->addAction(tr("Add to Favourites"));
    m_actRemoveFavourite = m_itemMenu->addAction(tr("Remove from Favourites"));

    updateList();
}

QString VideoProfileMenuWidget::iconPath(const QString &folder, const QString &name)
{
    return DataPaths::dataPath(folder + name + QStringLiteral(".png"));
}

QStringList VideoProfileMenuWidget::categoryKeys(const QString &group) const
{
    QStringList keys;
    for (const VideoProfileCategory &category :
         VideoProfileUserConfig::getInstance()->getCategories(group, true))
        keys.append(category.key);
    return keys;
}

void VideoProfileMenuWidget::buildButtons(GroupButtons &group)
{
    qDeleteAll(group.buttons);
    group.buttons.clear();
    const QList<VideoProfileCategory> categories =
        VideoProfileUserConfig::getInstance()->getCategories(group.group, true);
    for (const VideoProfileCategory &category : categories) {
        auto *button = new QToolButton(this);
        button->setText(category.title);
        button->setIcon(QIcon(iconPath(QStringLiteral("icons/"), category.icon)));
        button->setFixedSize(kColumnWidth, kButtonHeight);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setObjectName(category.key);
        button->installEventFilter(this);
        connect(button, &QToolButton::clicked, this, &VideoProfileMenuWidget::onToolButtonClicked);
        group.layout->addWidget(button);
        group.buttons.append(button);
    }
}

void VideoProfileMenuWidget::updateList()
{
    // The category set changes only when upc.xml is replaced; rebuild the
    // buttons then, so that none stands for a category that is gone.
    for (GroupButtons *group : {&m_userButtons, &m_dvdButtons, &m_formatButtons}) {
        QStringList current;
        for (const QToolButton *button : std::as_const(group->buttons))
            current.append(button->objectName());
        if (current != categoryKeys(group->group))
            buildButtons(*group);
        for (QToolButton *button : std::as_const(group->buttons))
            button->hide();
    }
    m_separators[1]->hide();
    m_separators[2]->hide();
    m_deviceList->hide();
    m_deviceList->clear();

    VideoProfileUserConfig *config = VideoProfileUserConfig::getInstance();
    const QList<VideoProfileCategory> dvd = config->getDVDCategories();
    const QList<VideoProfileCategory> formats = config->getFormatsCategories();
    const QList<VideoProfileCategory> devices = config->getDeviceCategories();
    m_dvdCount = int(dvd.size());
    m_formatCount = int(formats.size());
    m_deviceCount = int(devices.size());
    qCDebug(lcGuiProfiles, "dvdCount = [%d], formatCount = [%d], deviceCount = [%d]", m_dvdCount,
            m_formatCount, m_deviceCount);

    m_separators[1]->setVisible(m_dvdCount > 0);
    m_separators[2]->setVisible(m_formatCount > 0);
    m_deviceList->setVisible(m_deviceCount > 0);

    for (GroupButtons *group : {&m_userButtons, &m_dvdButtons, &m_formatButtons}) {
        for (QToolButton *button : std::as_const(group->buttons))
            button->setVisible(!config->isCategoryHidden(button->objectName()));
    }

    for (const VideoProfileCategory &category : devices) {
        const QString path = iconPath(QStringLiteral("icons/"), category.icon);
        qCDebug(lcGuiProfiles, "device category, title = [%s], iconPath = [%s]", qPrintable(category.key),
                qPrintable(path));
        auto *item = new QListWidgetItem(QIcon(path), category.title, m_deviceList);
        item->setData(Qt::UserRole, category.key);
    }
    update();
}

void VideoProfileMenuWidget::changeCategory(const QString &category)
{
    m_currentCategory = category;
    m_profileList->clear();
    const QList<VideoProfileFormatUserConfig> profiles =
        VideoProfileUserConfig::getInstance()->getFormats(category, false);
    for (const VideoProfileFormatUserConfig &profile : profiles) {
        auto *item = new QListWidgetItem(QIcon(iconPath(QStringLiteral("icons/formats/"), profile.getIcon())),
                                         profile.getName(), m_profileList);
        item->setData(Qt::UserRole, QVariant::fromValue(qulonglong(quintptr(profile.getElement()))));
        item->setData(kIdRole, profile.getID());
        item->setToolTip(profile.getName());
    }
}

void VideoProfileMenuWidget::onToolButtonClicked()
{
    if (const QObject *button = sender())
        changeCategory(button->objectName());
}

void VideoProfileMenuWidget::onDeviceCategoryItemEntered(QListWidgetItem *item)
{
    if (!item)
        return;
    const QString key = item->data(Qt::UserRole).toString();
    changeCategory(key.isEmpty() ? item->text() : key);
}

VideoProfileFormatUserConfig VideoProfileMenuWidget::liveProfile(quintptr element, const QString &id) const
{
    // The grid keeps the addresses of upc.xml entries; use one only while the
    // entry is still part of the category (it may have been dropped from
    // "Recent", or the file reloaded, since the grid was filled).  The id
    // guards against a new entry that took over a dropped entry's memory.
    const QList<VideoProfileFormatUserConfig> profiles =
        VideoProfileUserConfig::getInstance()->getFormats(m_currentCategory, true);
    for (const VideoProfileFormatUserConfig &profile : profiles) {
        if (quintptr(profile.getElement()) == element && profile.getID() == id)
            return profile;
    }
    return {};
}

void VideoProfileMenuWidget::onProfileSelected(QListWidgetItem *item)
{
    if (!item)
        return;
    const VideoProfileFormatUserConfig profile =
        liveProfile(quintptr(item->data(Qt::UserRole).toULongLong()), item->data(kIdRole).toString());
    if (!profile.isValid()) {
        qCDebug(lcGuiProfiles, "profile entry no longer present, category = [%s]",
                qPrintable(m_currentCategory));
        changeCategory(m_currentCategory);
        return;
    }
    const QString id = profile.getID();
    VideoUserConfig::instance()->setCurrentProfile(profile);
    VideoProfileUserConfig::getInstance()->addRecent(id);
    hide();
    // "Recent" has just changed; show it as it now is.
    changeCategory(m_currentCategory);
}

void VideoProfileMenuWidget::onProfileContextMenu(const QPoint &pos)
{
    QListWidgetItem *item = m_profileList->itemAt(pos);
    if (!item)
        return;
    const bool inFavourites = m_currentCategory == QLatin1String(kFavourites);
    const QString id = item->data(kIdRole).toString();
    m_actAddFavourite->setVisible(!inFavourites);
    m_actAddFavourite->setEnabled(!VideoProfileUserConfig::getInstance()->isFavourite(id));
    m_actRemoveFavourite->setVisible(inFavourites);
    QAction *chosen = m_itemMenu->exec(m_profileList->viewport()->mapToGlobal(pos));
    if (chosen == m_actAddFavourite)
        addToFavourites(item);
    else if (chosen == m_actRemoveFavourite)
        removeFromFavourites(item);
}

bool VideoProfileMenuWidget::addToFavourites(QListWidgetItem *item)
{
    if (!item)
        return false;
    const VideoProfileFormatUserConfig profile =
        liveProfile(quintptr(item->data(Qt::UserRole).toULongLong()), item->data(kIdRole).toString());
    if (!profile.isValid() || !VideoProfileUserConfig::getInstance()->addFavourite(profile))
        return false;
    updateList(); // "Favourites" may have been hidden while it was empty
    return true;
}

bool VideoProfileMenuWidget::removeFromFavourites(QListWidgetItem *item)
{
    if (!item || m_currentCategory != QLatin1String(kFavourites))
        return false;
    const VideoProfileFormatUserConfig profile =
        liveProfile(quintptr(item->data(Qt::UserRole).toULongLong()), item->data(kIdRole).toString());
    if (!profile.isValid())
        return false;
    VideoProfileUserConfig *upc = VideoProfileUserConfig::getInstance();
    VideoUserConfig *config = VideoUserConfig::instance();
    // The profile in use may be this very entry: it moves to the
    // catalogue's entry of the same profile before this one goes.
    if (config->getCurrentProfile() == profile) {
        const VideoProfileFormatUserConfig replacement = upc->catalogueEntry(profile.getID());
        if (!replacement.isValid())
            return false;
        config->setCurrentProfile(replacement);
    }
    if (!upc->removeFavourite(profile))
        return false;
    changeCategory(m_currentCategory);
    return true;
}

void VideoProfileMenuWidget::deviceScrollUp()
{
    m_deviceList->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
}

void VideoProfileMenuWidget::deviceScrollDown()
{
    m_deviceList->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}

bool VideoProfileMenuWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter && qobject_cast<QToolButton *>(watched))
        changeCategory(watched->objectName());
    return QWidget::eventFilter(watched, event);
}

QToolButton *VideoProfileMenuWidget::categoryButton(const QString &title) const
{
    for (const GroupButtons *group : {&m_userButtons, &m_dvdButtons, &m_formatButtons}) {
        for (QToolButton *button : group->buttons) {
            if (button->objectName() == title || button->text() == title)
                return button;
        }
    }
    return nullptr;
}

QFrame *VideoProfileMenuWidget::separator(int index) const
{
    return index >= 0 && index < 3 ? m_separators[index] : nullptr;
}

QRect VideoProfileMenuWidget::bandRect(Band band) const
{
    // Bands follow the column's parts, so they line up with the buttons
    // whatever the style's line and frame sizes are.
    const auto middle = [](const QFrame *line) { return line->geometry().center().y(); };
    const int userBottom = middle(m_separators[0]);
    const QRect user(kBandLeft, 1, kBandWidth, userBottom);
    if (band == UserBand)
        return user;

    const int dvdTop = user.bottom() + 1;
    const QRect dvd(kBandLeft, dvdTop, kBandWidth,
                    m_separators[1]->isVisibleTo(this) ? middle(m_separators[1]) - dvdTop + 1 : 0);
    if (band == DvdBand)
        return dvd;

    const bool devicesShown = m_deviceList->isVisibleTo(this);
    const int formatTop = dvd.height() > 0 ? dvd.bottom() + 1 : dvdTop;
    int formatBottom = formatTop - 1;
    if (m_separators[2]->isVisibleTo(this))
        formatBottom = devicesShown ? m_deviceList->geometry().top() - 2 : middle(m_separators[2]);
    const QRect format(kBandLeft, formatTop, kBandWidth, qMax(0, formatBottom - formatTop + 1));
    if (band == FormatBand)
        return format;

    if (!devicesShown)
        return QRect(kBandLeft, formatTop, kBandWidth, 0);
    const QRect list = m_deviceList->geometry();
    return QRect(kBandLeft, list.top() - 1, kBandWidth, list.height() + 1);
}

void VideoProfileMenuWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(QStringLiteral("#425A8A")));
    painter.drawRect(0, 0, width() - 1, height() - 1);

    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(15);
    painter.setFont(font);

    painter.setPen(Qt::NoPen);
    painter.fillRect(bandRect(UserBand), QColor(QStringLiteral("#5b87c9")));
    painter.fillRect(bandRect(DvdBand), QColor(QStringLiteral("#2d4778")));
    painter.setPen(Qt::white);
    const QRect format = bandRect(FormatBand);
    if (m_formatCount > 0 && !format.isEmpty()) {
        painter.fillRect(format, QColor(QStringLiteral("#314d8c")));
        if (format.height() > kWordMinHeight)
            drawVerticalWord(painter, format, tr("Format"));
    }
    const QRect device = bandRect(DeviceBand);
    if (!device.isEmpty()) {
        painter.fillRect(device, QColor(QStringLiteral("#4e75b8")));
        drawVerticalWord(painter, device, tr("Device"));
    }
}

void VideoProfileMenuWidget::showEvent(QShowEvent *event)
{
    updateList();
    adjustSize();
    QWidget::showEvent(event);
}
