#pragma once

#include <QMap>
#include <QRect>
#include <QSize>

#include <optional>

// The integer geometry behind the editor's crop selector: where the picture
// lies inside the preview screen (P), the selected area in picture pixels
// relative to P's top-left (R), the video's frame size, and the aspect ratio
// that resizing may keep.  All arithmetic is integer, quotients truncated,
// so that the crop values the user sees are reproducible.
class CropSelection {
public:
    // Handle codes: edge bits, corners are their sums, 16 moves the area.
    enum Handle {
        Left = 1,
        Top = 2,
        Right = 4,
        Bottom = 8,
        TopLeft = Left | Top,
        TopRight = Top | Right,
        BottomLeft = Left | Bottom,
        BottomRight = Right | Bottom,
        Centre = 16,
    };
    // Smallest area a drag leaves, and the smallest width or height typed
    // values give, in picture pixels.
    static constexpr int MinDragSize = 12;
    static constexpr int MinSetSize = 10;
    // The handles in the order they are created.
    static const int HandleCodes[9];

    QRect picture() const { return m_picture; }
    QRect selection() const { return m_selection; }
    QSize videoSize() const { return QSize(m_videoWidth, m_videoHeight); }
    int ratioWidth() const { return m_ratioWidth; }
    int ratioHeight() const { return m_ratioHeight; }
    bool keepRatio() const { return m_keepRatio; }
    // Resizing keeps the ratio: the lock is on and a usable ratio is set.
    bool hasRatio() const { return m_keepRatio && m_ratioWidth > 0 && m_ratioHeight > 0; }

    // Stores the picture rectangle unless it has a negative size.
    bool setScreenRect(const QRect &rect);
    // The frame size; a missing ratio becomes the frame's own.
    void setVideoSize(const QSize &size);
    void setKeepRatio(bool keep) { m_keepRatio = keep; }
    void setRatio(int width, int height);

    // Takes a new area (from dragging): one larger than the picture selects
    // the whole picture.
    void apply(const QRect &area);
    // Selects a rectangle given in video pixels.
    void setSelectedArea(const QRect &video);
    // Typed values in video pixels: move or resize the area in place.
    void setLeft(int left);
    void setTop(int top);
    void setWidth(int width);
    void setHeight(int height);
    // Chooses the ratio (w or h not positive: the video's own) and fits the
    // area's height to it.
    void setCurrentRatio(int width, int height);
    // Moves or resizes by the handle with the given code, then applies.
    void drag(int code, int dx, int dy);

    // The area in video pixels; empty while the frame size or the picture
    // is unknown.
    std::optional<QRect> videoRect() const;
    // Whether a typed video value and the value the area maps back to agree
    // within one picture pixel's worth of video pixels.
    static bool agrees(int typed, int mapped, int videoLength, int pictureLength);

    // A crop rectangle (video pixels) cut to the frame; unchanged when the
    // frame size is unknown.
    static QRect clampToVideo(const QRect &crop, const QSize &video);

    // The nine handle rectangles around an area given in the handles'
    // parent's coordinates.  The centre handle is missing when the area is
    // under 6 pixels wide or high.
    static QMap<int, QRect> handleRects(const QRect &area);

private:
    int pictureWidth() const { return m_picture.width(); }
    int pictureHeight() const { return m_picture.height(); }
    bool canMap() const;
    void keepInside(int &x1, int &y1, int &x2, int &y2) const;

    QRect m_picture{QPoint(0, 0), QPoint(-1, -1)};
    QRect m_selection{QPoint(0, 0), QPoint(-1, -1)};
    int m_videoWidth = -1;
    int m_videoHeight = -1;
    int m_ratioWidth = -1;
    int m_ratioHeight = -1;
    bool m_keepRatio = false;
};
