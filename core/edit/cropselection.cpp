#include "core/edit/cropselection.h"

#include "core/platform/corelog.h"

#include <QDebug>

#include <algorithm>
#include <cstdlib>

const int CropSelection::HandleCodes[9] = {Centre,  Left,     Top,        Right,      Bottom,
                                           TopLeft, TopRight, BottomLeft, BottomRight};

namespace {
// a * b / c in 64 bits, truncated like the 32-bit original but without overflow.
int mulDiv(qint64 a, qint64 b, qint64 c)
{
    return c == 0 ? 0 : int(a * b / c);
}
} // namespace

bool CropSelection::setScreenRect(const QRect &rect)
{
    if (rect.right() < rect.left() || rect.bottom() < rect.top())
        return false;
    m_picture = rect;
    return true;
}

void CropSelection::setVideoSize(const QSize &size)
{
    m_videoWidth = size.width();
    m_videoHeight = size.height();
    if (m_ratioWidth < 0 || m_ratioHeight < 0)
        setRatio(m_videoWidth, m_videoHeight);
}

void CropSelection::setRatio(int width, int height)
{
    m_ratioWidth = width;
    m_ratioHeight = height;
}

bool CropSelection::canMap() const
{
    return m_videoWidth > 0 && m_videoHeight > 0 && pictureWidth() > 0 && pictureHeight() > 0;
}

void CropSelection::apply(const QRect &area)
{
    QRect r = area;
    if (r.width() > pictureWidth() || r.height() > pictureHeight())
        r = QRect(QPoint(0, 0), QPoint(pictureWidth() - 1, pictureHeight() - 1));
    m_selection = r;
}

std::optional<QRect> CropSelection::videoRect() const
{
    if (m_videoWidth < 0 || m_videoHeight < 0 || pictureWidth() <= 0 || pictureHeight() <= 0)
        return std::nullopt;
    const QRect &r = m_selection;
    const int x = mulDiv(m_videoWidth, r.left(), pictureWidth());
    const int y = mulDiv(m_videoHeight, r.top(), pictureHeight());
    const int x2 = mulDiv(m_videoWidth, r.width(), pictureWidth()) + x - 1;
    const int y2 = mulDiv(m_videoHeight, r.height(), pictureHeight()) + y - 1;
    return QRect(QPoint(x, y), QPoint(x2, y2));
}

bool CropSelection::agrees(int typed, int mapped, int videoLength, int pictureLength)
{
    if (videoLength <= 0 || pictureLength <= 0)
        return typed == mapped;
    const int step = (videoLength + pictureLength - 1) / pictureLength;
    return std::abs(typed - mapped) <= step;
}

void CropSelection::setSelectedArea(const QRect &v)
{
    if (!canMap())
        return;
    const int pw = pictureWidth(), ph = pictureHeight();
    const int x1 = mulDiv(pw, v.left(), m_videoWidth);
    const int y1 = mulDiv(ph, v.top(), m_videoHeight);
    const int x2 = mulDiv(v.width(), pw, m_videoWidth) + x1 - 1;
    const int y2 = mulDiv(ph, v.height(), m_videoHeight) + y1 - 1;
    m_selection = QRect(QPoint(x1, y1), QPoint(x2, y2));
}

void CropSelection::setLeft(int left)
{
    if (!canMap())
        return;
    const int pw = pictureWidth();
    const int x = mulDiv(left, pw, m_videoWidth);
    if (x < 0 || x > pw)
        return;
    const int w = m_selection.width();
    int x1 = x, x2 = x + w - 1;
    if (x2 > pw - 1) {
        x2 = pw - 1;
        x1 = x2 - w + 1;
    }
    m_selection.setLeft(x1);
    m_selection.setRight(x2);
}

void CropSelection::setTop(int top)
{
    if (!canMap())
        return;
    const int ph = pictureHeight();
    const int y = mulDiv(top, ph, m_videoHeight);
    if (y < 0 || y > ph)
        return;
    const int h = m_selection.height();
    int y1 = y, y2 = y + h - 1;
    if (y2 > ph - 1) {
        y2 = ph - 1;
        y1 = y2 - h + 1;
    }
    m_selection.setTop(y1);
    m_selection.setBottom(y2);
}

void CropSelection::setWidth(int width)
{
    if (!canMap())
        return;
    const int pw = pictureWidth(), ph = pictureHeight();
    const int x1 = m_selection.left(), y1 = m_selection.top();
    int w = mulDiv(width, pw, m_videoWidth);
    w = std::max(w, MinSetSize);
    w = std::min(w, pw - x1);
    int h = m_selection.height();
    if (hasRatio()) {
        const int rw = m_ratioWidth, rh = m_ratioHeight;
        int freeHeight = ph - y1;
        const int freeWidth = pw - x1;
        if (double(freeHeight) / rh > double(freeWidth) / rw)
            freeHeight = mulDiv(rh, pw - x1, rw);
        h = mulDiv(w, rh, rw);
        if (h > freeHeight) {
            h = freeHeight;
            w = mulDiv(h, rw, rh);
        }
    }
    m_selection = QRect(QPoint(x1, y1), QPoint(x1 + w - 1, y1 + h - 1));
}

void CropSelection::setHeight(int height)
{
    if (!canMap())
        return;
    const int pw = pictureWidth(), ph = pictureHeight();
    const int x1 = m_selection.left(), y1 = m_selection.top();
    int h = mulDiv(height, ph, m_videoHeight);
    h = std::max(h, MinSetSize);
    h = std::min(h, ph - y1);
    int w = m_selection.width();
    if (hasRatio()) {
        w = mulDiv(h, m_ratioWidth, m_ratioHeight);
        // The width the ratio asks for may not fit beside the area's left
        // edge: then the width is what fits and the height follows it.
        if (w > pw - x1) {
            w = pw - x1;
            h = mulDiv(w, m_ratioHeight, m_ratioWidth);
        }
    }
    m_selection = QRect(QPoint(x1, y1), QPoint(x1 + w - 1, y1 + h - 1));
}

void CropSelection::setCurrentRatio(int width, int height)
{
    if (width <= 0 || height <= 0)
        setRatio(m_videoWidth, m_videoHeight);
    else
        setRatio(width, height);
    if (pictureWidth() > 0)
        setWidth(mulDiv(m_selection.width(), m_videoWidth, pictureWidth()));
    qCDebug(lcEdit, "set ratio: m_rcSelected = (%d,%d,%d,%d)", m_selection.left(), m_selection.top(),
            m_selection.width(), m_selection.height());
}

void CropSelection::keepInside(int &x1, int &y1, int &x2, int &y2) const
{
    // Integer rounding of the ratio formulas may overshoot an edge by a pixel.
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, pictureWidth() - 1);
    y2 = std::min(y2, pictureHeight() - 1);
}

void CropSelection::drag(int code, int dx, int dy)
{
    const int pw = pictureWidth(), ph = pictureHeight();
    int x1 = m_selection.left(), y1 = m_selection.top();
    int x2 = m_selection.right(), y2 = m_selection.bottom();
    const bool ratio = hasRatio();
    const int rw = m_ratioWidth, rh = m_ratioHeight;

    const auto leftEdge = [&] { x1 = std::min(std::max(x1 + dx, 0), x2 - MinDragSize); };
    const auto topEdge = [&] { y1 = std::min(std::max(y1 + dy, 0), y2 - MinDragSize); };
    const auto rightEdge = [&] { x2 = std::max(std::min(x2 + dx, pw - 1), x1 + MinDragSize); };
    const auto bottomEdge = [&] { y2 = std::max(std::min(y2 + dy, ph - 1), y1 + MinDragSize); };
    // The bottom follows the width; when it would leave the picture, the
    // height is what fits and the moving side edge follows it.
    const auto bottomFollowsWidth = [&](bool movingLeft) {
        y2 = y1 + mulDiv(x2 - x1 + 1, rh, rw);
        if (y2 > ph - 1) {
            y2 = ph - 1;
            if (movingLeft)
                x1 = x2 - mulDiv(ph - y1, rw, rh);
            else
                x2 = x1 + mulDiv(ph - y1, rw, rh);
        }
    };
    const auto topFollowsWidth = [&](bool movingLeft) {
        y1 = y2 - mulDiv(x2 - x1 + 1, rh, rw);
        if (y1 < 0) {
            y1 = 0;
            if (movingLeft)
                x1 = x2 - mulDiv(y2 + 1, rw, rh);
            else
                x2 = x1 + mulDiv(y2 + 1, rw, rh);
        }
    };

    switch (code) {
    case Left:
        leftEdge();
        if (ratio)
            bottomFollowsWidth(true);
        break;
    case Top:
        topEdge();
        if (ratio) {
            x2 = x1 + mulDiv(y2 - y1 + 1, rw, rh);
            if (x2 > pw - 1) {
                x2 = pw - 1;
                y1 = y2 - mulDiv(pw - x1, rh, rw);
            }
        }
        break;
    case Right:
        rightEdge();
        if (ratio)
            bottomFollowsWidth(false);
        break;
    case Bottom:
        bottomEdge();
        if (ratio) {
            x2 = x1 + mulDiv(y2 - y1 + 1, rw, rh);
            if (x2 > pw - 1) {
                x2 = pw - 1;
                y2 = y1 + mulDiv(pw - x1, rh, rw);
            }
        }
        break;
    case TopLeft:
        leftEdge();
        if (ratio)
            topFollowsWidth(true);
        else
            topEdge();
        break;
    case TopRight:
        if (ratio) {
            rightEdge();
            topFollowsWidth(false);
        } else {
            topEdge();
            rightEdge();
        }
        break;
    case BottomLeft:
        leftEdge();
        if (ratio)
            bottomFollowsWidth(true);
        else
            bottomEdge();
        break;
    case BottomRight:
        rightEdge();
        if (ratio)
            bottomFollowsWidth(false);
        else
            bottomEdge();
        break;
    case Centre: {
        qCDebug(lcEdit, "MouseMove Begin: m_rcSelected = (%d,%d,%d,%d)", x1, y1, x2 - x1 + 1, y2 - y1 + 1);
        const int w = x2 - x1 + 1, h = y2 - y1 + 1;
        x1 += dx;
        y1 += dy;
        if (x1 < 0)
            x1 = 0;
        if (y1 < 0)
            y1 = 0;
        if (x1 + w - 1 > pw - 1)
            x1 = pw - w;
        if (y1 + h - 1 > ph - 1)
            y1 = ph - h;
        x2 = x1 + w - 1;
        y2 = y1 + h - 1;
        qCDebug(lcEdit, "MouseMove End: m_rcSelected = (%d,%d,%d,%d)", x1, y1, w, h);
        break;
    }
    default:
        break;
    }
    if (code != Centre)
        keepInside(x1, y1, x2, y2);
    apply(QRect(QPoint(x1, y1), QPoint(x2, y2)));
}

QRect CropSelection::clampToVideo(const QRect &crop, const QSize &video)
{
    if (video.width() <= 0 || video.height() <= 0)
        return crop;
    const int left = std::clamp(crop.left(), 0, video.width() - 1);
    const int top = std::clamp(crop.top(), 0, video.height() - 1);
    const int width = std::clamp(crop.width(), 1, video.width() - left);
    const int height = std::clamp(crop.height(), 1, video.height() - top);
    return QRect(left, top, width, height);
}

QMap<int, QRect> CropSelection::handleRects(const QRect &area)
{
    const int x = area.left(), y = area.top(), w = area.width(), h = area.height();
    QMap<int, QRect> rects;
    rects[TopLeft] = QRect(x, y, 3, 3);
    rects[Top] = QRect(x + 3, y, w - 6, 3);
    rects[TopRight] = QRect(x + w - 3, y, 3, 3);
    rects[Left] = QRect(x, y + 3, 3, h - 6);
    rects[Right] = QRect(x + w - 3, y + 3, 3, h - 6);
    rects[BottomLeft] = QRect(x, y + h - 3, 3, 3);
    rects[Bottom] = QRect(x + 3, y + h - 3, w - 6, 3);
    rects[BottomRight] = QRect(x + w - 3, y + h - 3, 3, 3);
    if (w >= 6 && h >= 6) {
        const int cx = (area.left() + area.right()) / 2;
        const int cy = (area.top() + area.bottom()) / 2;
        rects[Centre] = QRect(QPoint(cx - 3, cy - 3), QPoint(cx + 3, cy + 3));
    }
    return rects;
}
