#include "gen_images_glyphs.h"

#include <QPainterPath>
#include <QtMath>

namespace skin {

// ---------------------------------------------------------------- glyphs ---
// Each glyph draws into a 32 x 32 box centred on (0, 0) scaled by s.

void glyphAdd(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 2.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath doc;
    doc.moveTo(-11, -13);
    doc.lineTo(3, -13);
    doc.lineTo(10, -6);
    doc.lineTo(10, 13);
    doc.lineTo(-11, 13);
    doc.closeSubpath();
    p.drawPath(doc);
    p.drawLine(QPointF(-6, -5), QPointF(-1, -5));
    QColor fill = kAccent;
    fill.setAlpha(c.alpha());
    p.setBrush(fill);
    p.setPen(strokePen(c, 1.6));
    p.drawEllipse(QPointF(8, 8), 8, 8);
    p.setPen(strokePen(c, 2.4));
    p.drawLine(QPointF(8, 3.5), QPointF(8, 12.5));
    p.drawLine(QPointF(3.5, 8), QPointF(12.5, 8));
}

void glyphDownload(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(0, -13), QPointF(0, 4));
    p.drawPolyline(QPolygonF({QPointF(-7, -3), QPointF(0, 4), QPointF(7, -3)}));
    p.drawPolyline(QPolygonF({QPointF(-12, 4), QPointF(-12, 12), QPointF(12, 12), QPointF(12, 4)}));
}

void glyphDelete(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(-12, -8), QPointF(12, -8));
    p.drawPolyline(QPolygonF({QPointF(-4, -8), QPointF(-4, -12), QPointF(4, -12), QPointF(4, -8)}));
    QPainterPath can;
    can.moveTo(-9, -8);
    can.lineTo(-7.5, 13);
    can.lineTo(7.5, 13);
    can.lineTo(9, -8);
    p.drawPath(can);
    p.drawLine(QPointF(-3, -3), QPointF(-3, 8));
    p.drawLine(QPointF(3, -3), QPointF(3, 8));
}

static void star(QPainter &p, QPointF c, qreal r)
{
    QPainterPath s;
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        const qreal rr = (i % 2) ? r * 0.35 : r;
        const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0)
            s.moveTo(pt);
        else
            s.lineTo(pt);
    }
    s.closeSubpath();
    p.drawPath(s);
}

void glyphEffect(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 3.2));
    p.drawLine(QPointF(-11, 12), QPointF(5, -4));
    p.setPen(Qt::NoPen);
    QColor a = kAccentLight;
    a.setAlpha(c.alpha());
    p.setBrush(c);
    star(p, QPointF(8, -7), 7);
    p.setBrush(a);
    star(p, QPointF(-6, -9), 4);
    star(p, QPointF(11, 8), 3.5);
}

void glyphClip(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(-7, 8), 4.5, 4.5);
    p.drawEllipse(QPointF(7, 8), 4.5, 4.5);
    p.drawLine(QPointF(-4, 4.5), QPointF(9, -13));
    p.drawLine(QPointF(4, 4.5), QPointF(-9, -13));
    p.setBrush(c);
    p.drawEllipse(QPointF(0, -4.2), 1.3, 1.3);
}

void glyphMerge(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 2.4));
    p.setBrush(Qt::NoBrush);
    QPainterPath a;
    a.moveTo(-12, -11);
    a.cubicTo(-2, -11, -4, 0, 4, 0);
    QPainterPath b;
    b.moveTo(-12, 11);
    b.cubicTo(-2, 11, -4, 0, 4, 0);
    p.drawPath(a);
    p.drawPath(b);
    p.drawLine(QPointF(4, 0), QPointF(12, 0));
    p.drawPolyline(QPolygonF({QPointF(7, -5), QPointF(12.5, 0), QPointF(7, 5)}));
}

static void circleFrame(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), 13, 13);
}

void glyphPlay(QPainter &p, const QColor &c)
{
    circleFrame(p, c);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(-4, -7), QPointF(8, 0), QPointF(-4, 7)}));
}

void glyphPause(QPainter &p, const QColor &c)
{
    circleFrame(p, c);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(-6, -7, 4, 14), 1, 1);
    p.drawRoundedRect(QRectF(2, -7, 4, 14), 1, 1);
}

void glyphStop(QPainter &p, const QColor &c)
{
    circleFrame(p, c);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(-6, -6, 12, 12), 1.5, 1.5);
}

void glyphChevronDown(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(-5, -2.5), QPointF(5, -2.5), QPointF(0, 3.5)}));
}

void glyphChevronUp(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(-5, 2.5), QPointF(5, 2.5), QPointF(0, -3.5)}));
}

void glyphBack(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(1, -8), QPointF(1, 8), QPointF(-10, 0)}));
    p.drawPolygon(QPolygonF({QPointF(11, -8), QPointF(11, 8), QPointF(0, 0)}));
}

void glyphForward(QPainter &p, const QColor &c)
{
    p.scale(-1, 1);
    glyphBack(p, c);
    p.scale(-1, 1);
}

void glyphCamera(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(-13, -7, 26, 18), 3, 3);
    p.drawPolyline(QPolygonF({QPointF(-6, -7), QPointF(-3, -11), QPointF(3, -11), QPointF(6, -7)}));
    p.drawEllipse(QPointF(0, 2), 5, 5);
}

void glyphMore(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (int i = -1; i <= 1; ++i)
        p.drawEllipse(QPointF(0, i * 8), 2.8, 2.8);
}

void glyphSound(QPainter &p, const QColor &c, bool muted)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(-12, -4), QPointF(-6, -4), QPointF(1, -11), QPointF(1, 11),
                             QPointF(-6, 4), QPointF(-12, 4)}));
    p.setPen(strokePen(c, 2.2));
    p.setBrush(Qt::NoBrush);
    if (muted) {
        p.drawLine(QPointF(5, -5), QPointF(13, 5));
        p.drawLine(QPointF(13, -5), QPointF(5, 5));
    } else {
        p.drawArc(QRectF(-4, -6, 12, 12), -60 * 16, 120 * 16);
        p.drawArc(QRectF(-8, -11, 22, 22), -60 * 16, 120 * 16);
    }
}

void glyphMirror(QPainter &p, const QColor &c, bool vertical)
{
    if (vertical)
        p.rotate(90);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(-2.5, -10), QPointF(-2.5, 10), QPointF(-13, 10)}));
    p.setPen(strokePen(c, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({QPointF(2.5, -10), QPointF(2.5, 10), QPointF(13, 10)}));
    p.setPen(QPen(c, 1.2, Qt::DashLine));
    p.drawLine(QPointF(0, -13), QPointF(0, 13));
    if (vertical)
        p.rotate(-90);
}

void glyphExit(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(2, -11), QPointF(-11, -11), QPointF(-11, 11), QPointF(2, 11)}));
    p.drawLine(QPointF(-3, 0), QPointF(12, 0));
    p.drawPolyline(QPolygonF({QPointF(7, -5), QPointF(12, 0), QPointF(7, 5)}));
}

void glyphDuplicate(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(-12, -12, 17, 19), 2, 2);
    QColor f = kAccent;
    p.setBrush(f);
    p.drawRoundedRect(QRectF(-4, -5, 17, 19), 2, 2);
}

void glyphEdit(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(-13, -9, 20, 16), 2, 2);
    p.setBrush(c);
    QPainterPath pen;
    pen.moveTo(13, -12);
    pen.lineTo(15.5, -9.5);
    pen.lineTo(2, 4);
    pen.lineTo(-1.5, 5);
    pen.lineTo(-0.5, 1.5);
    pen.closeSubpath();
    p.drawPath(pen);
}

void glyphGear(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a0 = (i - 0.5) * M_PI / teeth;
        const qreal a1 = (i + 0.5) * M_PI / teeth;
        const qreal r = (i % 2) ? 9.0 : 12.0;
        const QPointF p0(r * std::cos(a0), r * std::sin(a0));
        const QPointF p1(r * std::cos(a1), r * std::sin(a1));
        if (i == 0)
            gear.moveTo(p0);
        else
            gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(0, 0), 4.2, 4.2);
    p.drawPath(gear.subtracted(hole));
}

void glyphFolderAdd(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 2.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath f;
    f.moveTo(-13, 10);
    f.lineTo(-13, -10);
    f.lineTo(-5, -10);
    f.lineTo(-2, -6);
    f.lineTo(11, -6);
    f.lineTo(11, 0);
    p.drawPath(f);
    p.drawLine(QPointF(-13, 10), QPointF(2, 10));
    QColor fill = kAccent;
    fill.setAlpha(c.alpha());
    p.setBrush(fill);
    p.setPen(strokePen(c, 1.6));
    p.drawEllipse(QPointF(9, 8), 7, 7);
    p.setPen(strokePen(c, 2.2));
    p.drawLine(QPointF(9, 4.5), QPointF(9, 11.5));
    p.drawLine(QPointF(5.5, 8), QPointF(12.5, 8));
}

} // namespace skin
