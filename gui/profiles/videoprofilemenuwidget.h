#pragma once

#include "core/profiles/videoprofileformatuserconfig.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

class QAction;
class QFrame;
class QMenu;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolButton;
class QVBoxLayout;

// The pop-up in which the user picks the output profile.  The left column
// lists the categories (buttons for the user, DVD and format groups, a
// scrollable list for the device group); hovering over one fills the grid on
// the right with its profiles; clicking a profile makes it the current
// profile and records it in "Recent".
class VideoProfileMenuWidget : public QWidget {
    Q_OBJECT
public:
    explicit VideoProfileMenuWidget(QWidget *parent = nullptr);

    // Fills the grid with the shown profiles of the category (stored or
    // displayed title).
    void changeCategory(const QString &category);
    QString currentCategory() const { return m_currentCategory; }

    // The coloured bands painted left of the category column.
    enum Band { UserBand, DvdBand, FormatBand, DeviceBand };
    QRect bandRect(Band band) const;

    // Parts, for the owners' layout code and for tests.
    QToolButton *categoryButton(const QString &title) const;
    QListWidget *deviceList() const { return m_deviceList; }
    QListWidget *profileList() const { return m_profileList; }
    // The grid item's context menu and its two entries (for tests).
    QMenu *itemMenu() const { return m_itemMenu; }
    QAction *addFavouriteAction() const { return m_actAddFavourite; }
    QAction *removeFavouriteAction() const { return m_actRemoveFavourite; }
    // What the entries do, for the profile of a grid item.
    bool addToFavourites(QListWidgetItem *item);
    bool removeFromFavourites(QListWidgetItem *item);
    QFrame *separator(int index) const;

signals:
    void clickedCustemized();

public slots:
    void updateList();
    void onToolButtonClicked();
    void onDeviceCategoryItemEntered(QListWidgetItem *item);
    void onProfileSelected(QListWidgetItem *item);
    void deviceScrollUp();
    void deviceScrollDown();
    // The grid's context menu: "Add to Favourites", or in "Favourites"
    // itself "Remove from Favourites".
    void onProfileContextMenu(const QPoint &pos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct GroupButtons {
        QString group;
        QVBoxLayout *layout = nullptr;
        QList<QToolButton *> buttons;
    };

    void buildButtons(GroupButtons &group);
    QStringList categoryKeys(const QString &group) const;
    // The profile of the current category whose entry is element, or an
    // invalid profile when the entry is gone (upc.xml reloaded or changed).
    VideoProfileFormatUserConfig liveProfile(quintptr element, const QString &id) const;
    static QString iconPath(const QString &folder, const QString &name);

    GroupButtons m_userButtons;
    GroupButtons m_dvdButtons;
    GroupButtons m_formatButtons;
    QFrame *m_separators[3] = {};
    QListWidget *m_deviceList = nullptr;
    QListWidget *m_profileList = nullptr;
    QPushButton *m_btnCustomize = nullptr;
    QPushButton *m_btnScrollUp = nullptr;
    QPushButton *m_btnScrollDown = nullptr;
    QString m_currentCategory;
    QMenu *m_itemMenu = nullptr;
    QAction *m_actAddFavourite = nullptr;
    QAction *m_actRemoveFavourite = nullptr;
    int m_dvdCount = 0;
    int m_formatCount = 0;
    int m_deviceCount = 0;
};
