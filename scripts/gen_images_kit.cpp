#include "gen_images_kit.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <cstdio>
#include <cstdlib>

namespace skin {

QString g_root;
int g_count = 0;

void save(const QString &name, int w, int h, const Painter &paint)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    paint(p, QRectF(0, 0, w, h));
    p.end();
    const QString path = g_root + "/" + name;
    QDir().mkpath(QFileInfo(path).path());
    if (!img.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    ++g_count;
}

QLinearGradient vgrad(qreal y0, qreal y1, std::initializer_list<std::pair<qreal, QColor>> stops)
{
    QLinearGradient g(0, y0, 0, y1);
    for (const auto &s : stops)
        g.setColorAt(s.first, s.second);
    return g;
}

// A glyph at the centre of r, scaled so that its 32-unit box spans size pixels.
void drawGlyph(QPainter &p, const Glyph &g, QPointF centre, qreal size, const QColor &c)
{
    p.save();
    p.translate(centre);
    p.scale(size / 32.0, size / 32.0);
    g(p, c);
    p.restore();
}

// Soft drop shadow under a glyph, for the chrome's light-on-dark icons.
void drawGlyphShadowed(QPainter &p, const Glyph &g, QPointF centre, qreal size, const QColor &c)
{
    drawGlyph(p, g, centre + QPointF(0, 1.2), size, QColor(0, 0, 0, c.alpha() / 2));
    drawGlyph(p, g, centre, size, c);
}

// ------------------------------------------------------- chrome buttons ---

const char *stateName(State s)
{
    switch (s) {
    case Normal:
        return "normal";
    case Hover:
        return "hover";
    case Pressed:
        return "pressed";
    case Disabled:
        return "disabled";
    case CheckedNormal:
        return "checked_normal";
    case CheckedHover:
        return "checked_hover";
    case CheckedPressed:
        return "checked_pressed";
    }
    return "";
}

// Plate behind a tool-bar button in the given state (transparent when idle).
void toolPlate(QPainter &p, const QRectF &r, State s)
{
    const QRectF box = r.adjusted(1.5, 1.5, -1.5, -1.5);
    QColor top, bottom, edge;
    switch (s) {
    case Normal:
    case Disabled:
        return;
    case Hover:
        top = QColor(120, 190, 255, 95);
        bottom = QColor(47, 127, 216, 45);
        edge = QColor(140, 200, 255, 170);
        break;
    case Pressed:
        top = QColor(4, 14, 32, 170);
        bottom = QColor(20, 50, 96, 150);
        edge = QColor(90, 150, 220, 150);
        break;
    case CheckedNormal:
        top = QColor(58, 140, 230, 200);
        bottom = QColor(26, 88, 164, 200);
        edge = QColor(120, 190, 255, 220);
        break;
    case CheckedHover:
        top = QColor(90, 165, 245, 220);
        bottom = QColor(40, 110, 196, 220);
        edge = QColor(170, 215, 255, 240);
        break;
    case CheckedPressed:
        top = QColor(18, 64, 128, 230);
        bottom = QColor(34, 98, 180, 220);
        edge = QColor(120, 190, 255, 200);
        break;
    }
    p.setPen(QPen(edge, 1));
    p.setBrush(vgrad(box.top(), box.bottom(), {{0, top}, {1, bottom}}));
    p.drawRoundedRect(box, 5, 5);
    if (s == Hover || s == CheckedHover) {
        p.setPen(QPen(QColor(255, 255, 255, 70), 1));
        p.drawLine(QPointF(box.left() + 5, box.top() + 1.5), QPointF(box.right() - 5, box.top() + 1.5));
    }
}

QColor glyphColour(State s)
{
    switch (s) {
    case Disabled:
        return kIconDisabled;
    case Hover:
    case CheckedHover:
        return QColor(255, 255, 255);
    default:
        return kIcon;
    }
}

void toolButton(const QString &name, int w, int h, const Glyph &g, bool checkable, qreal glyphY,
                qreal glyphSize, qreal glyphX)
{
    QList<State> states = {Normal, Hover, Pressed, Disabled};
    if (checkable)
        states << CheckedNormal << CheckedHover << CheckedPressed;
    for (State s : states) {
        save(QString("mainwindow/toolbar/%1_%2.png").arg(name, stateName(s)), w, h,
             [&](QPainter &p, const QRectF &r) {
                 toolPlate(p, r, s);
                 const qreal dy = (s == Pressed || s == CheckedPressed) ? 1 : 0;
                 drawGlyphShadowed(p, g, QPointF(glyphX < 0 ? r.center().x() : glyphX, glyphY + dy),
                                   glyphSize, glyphColour(s));
             });
    }
}

// Small square-ish buttons of the title bar and dialog captions.
void captionButton(const QString &path, int w, int h, const Glyph &g, State s, bool danger)
{
    save(path, w, h, [&](QPainter &p, const QRectF &r) {
        const QRectF box = r.adjusted(1, 1, -1, -1);
        if (s == Hover || s == Pressed) {
            QColor fill = danger ? QColor(s == Hover ? "#d9383a" : "#a8262a")
                                 : QColor(255, 255, 255, s == Hover ? 46 : 24);
            p.setPen(Qt::NoPen);
            p.setBrush(fill);
            p.drawRoundedRect(box, 3, 3);
        }
        drawGlyph(p, g, r.center() + QPointF(0, s == Pressed ? 1 : 0), 14,
                  QColor(s == Normal ? kIcon : Qt::white));
    });
}

void glyphMin(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 3.0));
    p.drawLine(QPointF(-11, 8), QPointF(11, 8));
}

void glyphMax(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(-11, -10, 22, 20));
    p.drawLine(QPointF(-11, -7), QPointF(11, -7));
}

void glyphRestore(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(
        QPolygonF({QPointF(-5, -8), QPointF(-5, -12), QPointF(12, -12), QPointF(12, 4), QPointF(8, 4)}));
    p.drawRect(QRectF(-12, -5, 17, 16));
}

void glyphClose(QPainter &p, const QColor &c)
{
    p.setPen(strokePen(c, 3.0));
    p.drawLine(QPointF(-10, -10), QPointF(10, 10));
    p.drawLine(QPointF(10, -10), QPointF(-10, 10));
}

// Push-button plates for dialogs and panels (light content area).
void plateButton(const QString &path, int w, int h, State s, qreal radius)
{
    save(path, w, h, [&](QPainter &p, const QRectF &r) {
        const QRectF box = r.adjusted(0.5, 0.5, -0.5, -0.5);
        QColor top("#3d8fe6"), bottom("#1c58a4"), edge("#123f78");
        if (s == Hover) {
            top = QColor("#5aa7f5");
            bottom = QColor("#2469bf");
        } else if (s == Pressed) {
            top = QColor("#164a8c");
            bottom = QColor("#2a72c8");
        } else if (s == Disabled) {
            top = QColor("#c3ccd8");
            bottom = QColor("#a9b4c4");
            edge = QColor("#8d99aa");
        }
        p.setPen(QPen(edge, 1));
        p.setBrush(vgrad(0, r.height(), {{0, top}, {1, bottom}}));
        p.drawRoundedRect(box, radius, radius);
        if (s != Pressed) {
            p.setPen(QPen(QColor(255, 255, 255, s == Disabled ? 90 : 80), 1));
            p.drawLine(QPointF(radius, 1.5), QPointF(r.width() - radius, 1.5));
        }
    });
}

} // namespace skin
