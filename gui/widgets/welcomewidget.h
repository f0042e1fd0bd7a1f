#pragma once

#include <QWidget>

class CEventHandler;
class QPushButton;

// Shown over the empty media list: invites the user to add files and takes
// dropped files.
class WelcomeWidget : public QWidget {
    Q_OBJECT
public:
    explicit WelcomeWidget(CEventHandler *handler, QWidget *parent = nullptr);

public slots:
    void onVideoCountChanged(int count);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QPushButton *m_btnAddFiles;
    QPushButton *m_btnAddFolder;
};
