#pragma once

#include "core/edit/cropselection.h"

#include <QMap>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

// The crop area laid over the editor's preview screen: nine small handle
// widgets (four edges, four corners and a centre square) that the user
// drags to resize or move the area.  The geometry lives in CropSelection;
// this class turns mouse and key input into its calls, places the handles
// and reports the area in picture pixels (selectAreaChanged) and in video
// pixels (selectionChanged).
class VideoSelector : public QObject {
    Q_OBJECT
public:
    explicit VideoSelector(QObject *parent = nullptr);
    ~VideoSelector() override;

    // Lays the selector over screen: the handles become children of the
    // screen's parent, and the whole picture is selected.
    void attach(QWidget *screen);
    QWidget *screen() const { return m_screen; }

    const CropSelection &geometry() const { return m_geometry; }
    QWidget *handle(int code) const { return m_handles.value(code); }

    // Keyboard: moves the area, or moves its right/bottom edge, by whole
    // picture pixels, as a drag of the centre or of that edge would.
    void moveBy(int dx, int dy);
    void resizeBy(int dw, int dh);

signals:
    void selectAreaChanged(const QRect &rect);
    void selectionChanged(const QRect &rect);
    void screenRectRequired();

public slots:
    void showSelector();
    void hideSelector();
    void setScreenRect(const QRect &rect);
    void setVideoSize(const QSize &size);
    void setKeepRatio(bool keepRatio);
    void setLeft(int left);
    void setTop(int top);
    void setWidth(int width);
    void setHeight(int height);
    void setSelectedArea(QRect rect);
    void setCurrentRatio(int width, int height);
    void updateToSelectedRect(const QRect &rect);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createHandle(int code);
    void applyDrag(int code, int dx, int dy);
    void announce();
    int codeOf(QObject *object) const;

    CropSelection m_geometry;
    QPointer<QWidget> m_screen;
    QMap<int, QWidget *> m_handles;
    QPoint m_pressPoint;
    int m_dragCode = 0; // the handle being dragged, 0 for none
    bool m_visible = true;
};
