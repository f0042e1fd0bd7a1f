#pragma once

#include "core/profiles/videoprofileformatuserconfig.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Lets the user choose which profiles the profile menu offers: a check tree
// of the DVD, format and device categories with their profiles.  OK stores
// the choice as each profile's hide flag in upc.xml; the marks are re-read
// from upc.xml on every show, so Cancel forgets unsaved clicks.
class CustomizeDialog : public QDialog {
    Q_OBJECT
public:
    explicit CustomizeDialog(QWidget *parent = nullptr);

    QTreeWidget *tree() const { return treeWidget; }

    // Where the dialog's messages go (a box without parent by default).
    using MessageSink = std::function<void(const QString &title, const QString &text)>;
    void setMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }

public slots:
    void updateList();
    void checkAll();
    void unCheckAll();
    void logCustomize();
    void changeItemCheck(QTreeWidgetItem *item, int column);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void readChecks();
    void onItemChanged(QTreeWidgetItem *item, int column);
    // The profile a tree item stands for, or an invalid profile when its
    // upc.xml entry is no longer part of the category.
    VideoProfileFormatUserConfig profileOf(const QTreeWidgetItem *item) const;

    QLabel *lbCaption = nullptr;
    QPushButton *btnWinClose = nullptr;
    QTreeWidget *treeWidget = nullptr;
    QPushButton *btnCheck = nullptr;
    QPushButton *btnUncheck = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

    bool m_updating = false;
    MessageSink m_messageSink;
};
