#pragma once

#include <QMenu>

class MainWindow;
class QAction;

// The media list's context menu.
class VideoListPopupMenu : public QMenu {
    Q_OBJECT
public:
    explicit VideoListPopupMenu(MainWindow *mainWindow);

    QAction *actPlay() const { return m_actPlay; }
    QAction *actClip() const { return m_actClip; }
    QAction *actEditEffect() const { return m_actEditEffect; }
    QAction *actClearAll() const { return m_actClearAll; }
    QAction *actFileInformation() const { return m_actFileInformation; }
    QAction *actMoveUp() const { return m_actMoveUp; }
    QAction *actMoveDown() const { return m_actMoveDown; }
    int popupRow() const { return m_popupRow; }

public slots:
    void setPopupRow(int row);
    void onPopupMenuPlayTriggered();
    void onVideoListSelectionChanged(int row);

private:
    MainWindow *m_mainWindow;
    QAction *m_actPlay;
    QAction *m_actClip;
    QAction *m_actEditEffect;
    QAction *m_actClearAll;
    QAction *m_actFileInformation;
    QAction *m_actMoveUp;
    QAction *m_actMoveDown;
    int m_popupRow = -1;
};
