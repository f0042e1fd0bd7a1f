#pragma once

#include <QWidget>

class QPushButton;

// Shown over the empty media list: invites the user to add files and takes
// dropped files.  Its two buttons announce what the user asked for.
class WelcomeWidget : public QWidget {
    Q_OBJECT
public:
    explicit WelcomeWidget(QWidget *parent = nullptr);

signals:
    void addFilesRequested();
    void addFolderRequested();

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
