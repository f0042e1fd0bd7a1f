#pragma once

#include <QMenu>

class QAction;
class VideoListWidget;

// The media list's context menu.  Its entries announce what the user chose;
// the main window carries the commands out.
class VideoListPopupMenu : public QMenu {
    Q_OBJECT
public:
    // list: the list whose current row enables the entries (may be null).
    explicit VideoListPopupMenu(VideoListWidget *list, QWidget *parent = nullptr);

    QAction *actPlay() const { return m_actPlay; }
    QAction *actClip() const { return m_actClip; }
    QAction *actEditEffect() const { return m_actEditEffect; }
    QAction *actClearAll() const { return m_actClearAll; }
    QAction *actFileInformation() const { return m_actFileInformation; }
    QAction *actMoveUp() const { return m_actMoveUp; }
    QAction *actMoveDown() const { return m_actMoveDown; }
    int popupRow() const { return m_popupRow; }

signals:
    void playRequested();
    void clipRequested();
    void editEffectRequested();
    void clearAllRequested();
    void fileInformationRequested();
    void moveUpRequested();
    void moveDownRequested();

public slots:
    void setPopupRow(int row);
    void onPopupMenuPlayTriggered();
    void onVideoListSelectionChanged(int row);

private:
    QAction *m_actPlay;
    QAction *m_actClip;
    QAction *m_actEditEffect;
    QAction *m_actClearAll;
    QAction *m_actFileInformation;
    QAction *m_actMoveUp;
    QAction *m_actMoveDown;
    int m_popupRow = -1;
};
