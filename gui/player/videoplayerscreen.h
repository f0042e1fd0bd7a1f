#pragma once

#include <QWidget>

// The native window the engine's player paints into.  It paints itself black
// and lets the player draw the current picture over it when the player owns
// its window.
class VideoPlayerScreen : public QWidget {
    Q_OBJECT
public:
    explicit VideoPlayerScreen(QWidget *parent = nullptr);

    // Redraws the current picture when the player owns this window.
    bool refreshFrame();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
