#pragma once

#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

// Gives a frameless widget what a system frame would: dragging by its body,
// resizing by its edges and corners with matching cursors, and a nine-slice
// skin whose transparent corners also shape the widget.
class WidgetEnhancer : public QObject {
    Q_OBJECT
public:
    // Regions of the hit test, numbered clockwise from the top-left corner.
    enum Region {
        RegionNone = 0,
        RegionTopLeft = 1,
        RegionTop = 2,
        RegionTopRight = 3,
        RegionRight = 4,
        RegionBottomRight = 5,
        RegionBottom = 6,
        RegionBottomLeft = 7,
        RegionLeft = 8,
        RegionBody = 9,
    };

    // Attaches a new enhancer to widget (deleted with it); null for a null widget.
    static WidgetEnhancer *create(QWidget *widget, bool movable, bool resizable);

    // Loads the skin; on failure the previous skin and borders stay.
    bool loadSkin(const QString &imagePath, int top, int right, int bottom, int left);
    bool hasSkin() const { return !m_skin.isNull(); }

    bool isMovable() const { return m_movable; }
    bool isResizable() const { return m_resizable; }
    void setKeepInside(bool keep) { m_keepInside = keep; }
    QWidget *widget() const { return m_widget; }

    // Region of a local point in a widget of the given size.
    static Region hitTest(const QSize &size, const QPoint &pos);
    // Cursor shape shown over a region.
    static Qt::CursorShape cursorForRegion(Region region);
    // New geometry for a resize: the edges named by region follow cursor
    // (in the parent's coordinates), keeping the offsets seen at the press,
    // and never make the widget smaller than minimum.
    static QRect resizedGeometry(const QRect &geometry, Region region, const QPoint &cursor,
                                 const QPoint &pressPos, const QPoint &pressFromBottomRight,
                                 const QSize &minimum);
    // The skin stretched to size in nine parts (null without a skin).
    QImage composeSkin(const QSize &size) const;

public slots:
    void deleteEnhancer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WidgetEnhancer(QWidget *widget, bool movable, bool resizable);
    void onMousePress(const QPoint &local);
    void onMouseRelease();
    void onMouseMove(const QPoint &local, const QPoint &global);
    void moveTo(const QPoint &global);
    void paintSkin();

    QPointer<QWidget> m_widget;
    bool m_movable = false;
    bool m_resizable = false;
    bool m_keepInside = false;
    Region m_pressedRegion = RegionNone;
    QPoint m_pressPos;
    QPoint m_pressFromBottomRight;
    QPixmap m_skin;
    int m_top = 0;
    int m_right = 0;
    int m_bottom = 0;
    int m_left = 0;
    QSize m_maskSize; // size the current mask was made for
};
