#include "gui/profiles/customizedialog.h"

#include "core/platform/datapaths.h"
#include "core/profiles/videoprofileuserconfig.h"
#include "gui/common/dialogcaption.h"
#include "gui/common/widgetenhancer.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <QScopedValueRollback>

namespace {

constexpr int kElementRole = Qt::UserRole;
constexpr int kCategoryKeyRole = Qt::UserRole + 1;
constexpr int kIdRole = Qt::UserRole + 2;

QString iconFile(const QString &folder, const QString &name)
{
    return DataPaths::dataPath(folder + name + QStringLiteral(".png"));
}

} // namespace

CustomizeDialog::CustomizeDialog(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("CustomizeDialog"));
    setWindowTitle(tr("Customize Profile"));
    setFixedWidth(450);
    // Frameless: the enhancer paints the skin and moves the dialog.
    if (WidgetEnhancer *enhancer = WidgetEnhancer::create(this, true, false))
        enhancer->loadSkin(QStringLiteral(":/images/dialogs/dlg_bkgnd.png"), DialogCaption::kHeight, 7, 54,
                           7);
    setStyleSheet(QStringLiteral("#CustomizeDialog{background-image: url(:/images/dialogbj.png);}   \n"
                                 "QWidget\n{\n\tfont: 12px \"Arial\";\n}"));

    QHBoxLayout *caption = DialogCaption::build(this, tr("Customize"), &lbCaption, &btnWinClose);

    treeWidget = new QTreeWidget(this);
    treeWidget->setObjectName(QStringLiteral("treeWidget"));
    treeWidget->setHeaderHidden(true);
    treeWidget->setColumnCount(1);
    treeWidget->setMinimumHeight(380);

    btnCheck = new QPushButton(tr("Check All"), this);
    btnCheck->setObjectName(QStringLiteral("btnCheck"));
    btnUncheck = new QPushButton(tr("Uncheck All"), this);
    btnUncheck->setObjectName(QStringLiteral("btnUncheck"));
    btnOK = new QPushButton(tr("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnCheck);
    buttons->addWidget(btnUncheck);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(17, 0, 17, 20);
    layout->addLayout(caption);
    layout->addWidget(treeWidget);
    // The buttons sit on the skin's bottom band (54 px): the tree ends above it.
    layout->addSpacing(12);
    layout->addLayout(buttons);

    connect(btnWinClose, &QPushButton::clicked, this, &CustomizeDialog::reject);
    connect(btnCancel, &QPushButton::clicked, this, &CustomizeDialog::reject);
    connect(btnCheck, &QPushButton::clicked, this, &CustomizeDialog::checkAll);
    connect(btnUncheck, &QPushButton::clicked, this, &CustomizeDialog::unCheckAll);
    connect(btnOK, &QPushButton::clicked, this, &CustomizeDialog::logCustomize);
    // Any change of a box (mouse or keyboard) carries over to the
    // category's other items; changes made here are not followed.
    connect(treeWidget, &QTreeWidget::itemChanged, this, &CustomizeDialog::onItemChanged);

    updateList();
}

void CustomizeDialog::updateList()
{
    const QScopedValueRollback guard(m_updating, true);
    treeWidget->clear();
    VideoProfileUserConfig *config = VideoProfileUserConfig::getInstance();
    for (const char *group : {"DVDProfiles", "FormatsProfiles", "DeviceProfiles"}) {
        for (const VideoProfileCategory &category : config->getCategories(QString::fromLatin1(group), true)) {
            QTreeWidgetItem *top = nullptr;
            for (int i = 0; i < treeWidget->topLevelItemCount() && !top; ++i) {
                if (treeWidget->topLevelItem(i)->text(0) == category.title)
                    top = treeWidget->topLevelItem(i);
            }
            if (!top) {
                const VideoProfileCategory info = config->getCategoryInfo(category.key);
                top = new QTreeWidgetItem(treeWidget, QStringList(category.title));
                top->setIcon(0, QIcon(iconFile(QStringLiteral("icons/"), info.icon)));
                top->setFlags(top->flags() | Qt::ItemIsUserCheckable);
                top->setCheckState(0, Qt::Unchecked);
                top->setData(0, kCategoryKeyRole, category.key);
            }
            for (const VideoProfileFormatUserConfig &profile : config->getFormats(category.key, true)) {
                auto *child = new QTreeWidgetItem(top, QStringList(profile.getName()));
                child->setIcon(0, QIcon(iconFile(QStringLiteral("icons/formats/"), profile.getIcon())));
                child->setFlags(child->flags() | Qt::ItemIsUserCheckable);
                child->setCheckState(0, Qt::Unchecked);
                child->setData(0, kElementRole,
                               QVariant::fromValue(qulonglong(quintptr(profile.getElement()))));
                child->setData(0, kIdRole, profile.getID());
            }
        }
    }
    readChecks();
}

VideoProfileFormatUserConfig CustomizeDialog::profileOf(const QTreeWidgetItem *item) const
{
    const QTreeWidgetItem *top = item ? item->parent() : nullptr;
    if (!top)
        return {};
    const quintptr element = quintptr(item->data(0, kElementRole).toULongLong());
    const QString id = item->data(0, kIdRole).toString();
    const QString key = top->data(0, kCategoryKeyRole).toString();
    for (const VideoProfileFormatUserConfig &profile :
         VideoProfileUserConfig::getInstance()->getFormats(key, true)) {
        if (quintptr(profile.getElement()) == element && profile.getID() == id)
            return profile;
    }
    return {};
}

void CustomizeDialog::readChecks()
{
    const QScopedValueRollback guard(m_updating, true);
    for (int i = 0; i < treeWidget->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = treeWidget->topLevelItem(i);
        int skipped = 0;
        for (int j = 0; j < top->childCount(); ++j) {
            QTreeWidgetItem *child = top->child(j);
            const VideoProfileFormatUserConfig profile = profileOf(child);
            const bool skip = !profile.isValid() || profile.isSkip();
            child->setCheckState(0, skip ? Qt::Unchecked : Qt::Checked);
            skipped += skip ? 1 : 0;
        }
        if (skipped == 0 && top->childCount() > 0)
            top->setCheckState(0, Qt::Checked);
        else if (skipped == top->childCount())
            top->setCheckState(0, Qt::Unchecked);
        else
            top->setCheckState(0, Qt::PartiallyChecked);
    }
}

void CustomizeDialog::onItemChanged(QTreeWidgetItem *item, int column)
{
    if (!m_updating)
        changeItemCheck(item, column);
}

void CustomizeDialog::changeItemCheck(QTreeWidgetItem *item, int)
{
    if (!item)
        return;
    const QScopedValueRollback guard(m_updating, true);
    const Qt::CheckState state = item->checkState(0);
    if (QTreeWidgetItem *parent = item->parent()) {
        bool same = true;
        for (int i = 0; i < parent->childCount() && same; ++i)
            same = parent->child(i)->checkState(0) == state;
        parent->setCheckState(0, same ? state : Qt::PartiallyChecked);
    }
    for (int i = 0; i < item->childCount(); ++i)
        item->child(i)->setCheckState(0, state);
}

void CustomizeDialog::checkAll()
{
    const QScopedValueRollback guard(m_updating, true);
    treeWidget->expandAll();
    for (int i = 0; i < treeWidget->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = treeWidget->topLevelItem(i);
        top->setCheckState(0, Qt::Checked);
        for (int j = 0; j < top->childCount(); ++j)
            top->child(j)->setCheckState(0, Qt::Checked);
    }
}

void CustomizeDialog::unCheckAll()
{
    const QScopedValueRollback guard(m_updating, true);
    for (int i = 0; i < treeWidget->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = treeWidget->topLevelItem(i);
        top->setCheckState(0, Qt::Unchecked);
        for (int j = 0; j < top->childCount(); ++j)
            top->child(j)->setCheckState(0, Qt::Unchecked);
    }
}

void CustomizeDialog::logCustomize()
{
    // A menu without a single profile would leave nothing to convert to.
    bool anyChecked = treeWidget->topLevelItemCount() == 0;
    for (int i = 0; i < treeWidget->topLevelItemCount() && !anyChecked; ++i) {
        const QTreeWidgetItem *top = treeWidget->topLevelItem(i);
        for (int j = 0; j < top->childCount() && !anyChecked; ++j)
            anyChecked = top->child(j)->checkState(0) != Qt::Unchecked;
    }
    if (!anyChecked) {
        const QString title = tr("Warning");
        const QString text = tr("Please check at least one profile: the profile menu cannot be empty.");
        if (m_messageSink)
            m_messageSink(title, text);
        else
            QMessageBox::information(nullptr, title, text, QMessageBox::Ok);
        return;
    }
    for (int i = 0; i < treeWidget->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *top = treeWidget->topLevelItem(i);
        for (int j = 0; j < top->childCount(); ++j) {
            const QTreeWidgetItem *child = top->child(j);
            VideoProfileFormatUserConfig profile = profileOf(child);
            const bool skip = child->checkState(0) == Qt::Unchecked;
            // Each write saves upc.xml; entries already as chosen are left.
            if (profile.isValid() && profile.isSkip() != skip)
                profile.setSkip(skip);
        }
    }
    accept();
}

void CustomizeDialog::showEvent(QShowEvent *event)
{
    readChecks();
    QDialog::showEvent(event);
}
