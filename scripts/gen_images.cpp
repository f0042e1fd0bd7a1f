// Draws the program's skin: every picture under res/images, in one coherent
// dark-blue look (dark chrome, light content panels).  Run scripts/gen_images
// after changing anything here and commit the PNGs it writes.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cstdio>
#include <functional>

namespace {

QString g_root;
int g_count = 0;

// Palette.
const QColor kNavy0("#091427");
const QColor kNavy1("#0f2140");
const QColor kNavy2("#173463");
const QColor kAccent("#2f7fd8");
const QColor kAccentLight("#6ab8ff");
const QColor kIcon("#dce9fb");
const QColor kIconDisabled(120, 136, 160, 150);
const QColor kPanel("#eef2f8");
const QColor kPanelEdge("#8ea3c2");

using Painter = std::function<void(QPainter &, const QRectF &)>;

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

QPen strokePen(const QColor &c, qreal w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// ---------------------------------------------------------------- glyphs ---
// Each glyph draws into a 32 x 32 box centred on (0, 0) scaled by s.
using Glyph = std::function<void(QPainter &, const QColor &)>;

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

void star(QPainter &p, QPointF c, qreal r)
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

void circleFrame(QPainter &p, const QColor &c)
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
enum State { Normal, Hover, Pressed, Disabled, CheckedNormal, CheckedHover, CheckedPressed };

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

void toolButton(const QString &name, int w, int h, const Glyph &g, bool checkable, qreal glyphY = 22,
                qreal glyphSize = 30, qreal glyphX = -1)
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
void plateButton(const QString &path, int w, int h, State s, qreal radius = 4)
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

// ---------------------------------------------------------------- skins ---
// Rounded outline helper for nine-slice skins with transparent corners.
QPainterPath roundedOutline(const QRectF &r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

void mainSkin()
{
    // 160 x 300: top 122 (title, menu and tool bands), bottom 130 (conversion
    // area), borders 5 left and right.
    save("mainwindow/mainbkgnd.png", 160, 300, [](QPainter &p, const QRectF &r) {
        const QPainterPath outline = roundedOutline(r, 5);
        p.setClipPath(outline);
        p.fillRect(r, QColor("#0d1b31"));
        // Title and menu band.
        p.fillRect(QRectF(0, 0, r.width(), 60),
                   vgrad(0, 60, {{0, QColor("#1b3a68")}, {0.5, QColor("#132b50")}, {1, QColor("#10244a")}}));
        // Tool band.
        p.fillRect(QRectF(0, 60, r.width(), 62),
                   vgrad(60, 122, {{0, QColor("#1a3a6a")}, {1, QColor("#0f2445")}}));
        p.fillRect(QRectF(0, 60, r.width(), 1), QColor(255, 255, 255, 28));
        p.fillRect(QRectF(0, 59, r.width(), 1), QColor(0, 0, 0, 90));
        p.fillRect(QRectF(0, 121, r.width(), 1), QColor(0, 0, 0, 110));
        // Body.
        p.fillRect(QRectF(0, 122, r.width(), 48), QColor("#0d1b31"));
        // Bottom band.
        p.fillRect(QRectF(0, 170, r.width(), 130),
                   vgrad(170, 300, {{0, QColor("#10223f")}, {1, QColor("#0a162b")}}));
        // Top gloss and frame.
        p.fillRect(QRectF(0, 0, r.width(), 1), QColor(255, 255, 255, 60));
        p.setClipping(false);
        p.setPen(QPen(QColor("#050c18"), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(roundedOutline(r.adjusted(0.5, 0.5, -0.5, -0.5), 5));
    });
}

void dialogSkin()
{
    // 120 x 140: caption band 35, button band 54, borders 7.
    save("dialogs/dlg_bkgnd.png", 120, 140, [](QPainter &p, const QRectF &r) {
        p.setClipPath(roundedOutline(r, 5));
        p.fillRect(r, kNavy1);
        p.fillRect(QRectF(0, 0, r.width(), 35),
                   vgrad(0, 35, {{0, QColor("#1f4377")}, {1, QColor("#122b52")}}));
        p.fillRect(QRectF(0, 0, r.width(), 1), QColor(255, 255, 255, 60));
        p.fillRect(QRectF(7, 35, r.width() - 14, 51), kPanel);
        p.fillRect(QRectF(7, 86, r.width() - 14, 47),
                   vgrad(86, 133, {{0, QColor("#dde5f0")}, {1, QColor("#cfd9e7")}}));
        p.fillRect(QRectF(7, 86, r.width() - 14, 1), QColor("#b7c4d6"));
        p.setClipping(false);
        p.setPen(QPen(QColor("#050c18"), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(roundedOutline(r.adjusted(0.5, 0.5, -0.5, -0.5), 5));
    });
}

void playerSkin()
{
    // 60 x 80: title band 24, borders 3.
    save("mainwindow/videoplayer/player_bkgnd.png", 60, 80, [](QPainter &p, const QRectF &r) {
        p.setClipPath(roundedOutline(r, 3));
        p.fillRect(r, kPanel);
        p.fillRect(QRectF(0, 0, r.width(), 24),
                   vgrad(0, 24, {{0, QColor("#e4ebf5")}, {1, QColor("#c8d5e7")}}));
        p.fillRect(QRectF(0, 23, r.width(), 1), QColor("#a7b8cf"));
        p.setClipping(false);
        p.setPen(QPen(kPanelEdge, 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(roundedOutline(r.adjusted(0.5, 0.5, -0.5, -0.5), 3));
    });
}

// A seamless vertical gradient strip; style sheets tile it sideways.
void strip(const QString &name, int h, std::initializer_list<std::pair<qreal, QColor>> stops, int w = 8)
{
    save(name, w, h, [&](QPainter &p, const QRectF &r) { p.fillRect(r, vgrad(0, h, stops)); });
}

void listBackground()
{
    // Light table background with a faint grid of dots; tiles seamlessly.
    save("mainwindow/video_list_bkgnd.png", 64, 64, [](QPainter &p, const QRectF &r) {
        p.fillRect(r, QColor("#f4f7fb"));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(28, 88, 164, 14));
        for (int y = 4; y < 64; y += 16)
            for (int x = 4; x < 64; x += 16)
                p.drawEllipse(QPointF(x + ((y / 16) % 2) * 8, y), 1.1, 1.1);
    });
}

void logo(const QString &name, int w, int h)
{
    save(name, w, h, [](QPainter &p, const QRectF &r) {
        const qreal s = qMin(r.width(), r.height());
        const QPointF c = r.center();
        const qreal R = s / 2 - s * 0.04;
        QRadialGradient g(c - QPointF(R * 0.3, R * 0.4), R * 1.6);
        g.setColorAt(0, QColor("#7cc4ff"));
        g.setColorAt(0.55, QColor("#2f7fd8"));
        g.setColorAt(1, QColor("#153d7a"));
        p.setPen(QPen(QColor("#0a1f40"), s * 0.03));
        p.setBrush(g);
        p.drawEllipse(c, R, R);
        // Reel holes.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(9, 20, 39, 200));
        for (int i = 0; i < 5; ++i) {
            const qreal a = -M_PI / 2 + i * 2 * M_PI / 5;
            p.drawEllipse(c + QPointF(R * 0.58 * std::cos(a), R * 0.58 * std::sin(a)), R * 0.17, R * 0.17);
        }
        // Play mark in the hub.
        p.setBrush(Qt::white);
        const qreal t = R * 0.26;
        p.drawPolygon(
            QPolygonF({c + QPointF(-t * 0.7, -t), c + QPointF(t * 1.1, 0), c + QPointF(-t * 0.7, t)}));
    });
}

void audioIcon()
{
    save("icon_audio.png", 160, 120, [](QPainter &p, const QRectF &r) {
        p.fillRect(r, vgrad(0, r.height(), {{0, QColor("#1f4377")}, {1, QColor("#0d1f3c")}}));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(106, 184, 255, 60));
        for (int i = 0; i < 18; ++i) {
            const qreal hh = 10 + 34 * std::fabs(std::sin(i * 0.9) * std::cos(i * 0.37));
            p.drawRoundedRect(QRectF(8 + i * 8, 112 - hh, 5, hh), 2, 2);
        }
        // A note.
        p.setBrush(QColor("#dce9fb"));
        p.drawEllipse(QPointF(66, 78), 11, 8.5);
        p.drawEllipse(QPointF(102, 70), 11, 8.5);
        p.drawRect(QRectF(74.5, 30, 4, 48));
        p.drawRect(QRectF(110.5, 22, 4, 48));
        QPainterPath beam;
        beam.moveTo(74.5, 30);
        beam.lineTo(114.5, 22);
        beam.lineTo(114.5, 32);
        beam.lineTo(74.5, 40);
        beam.closeSubpath();
        p.drawPath(beam);
    });
}

void menuIcon(const QString &name, const Glyph &g, const QColor &c = QColor("#1c58a4"))
{
    save("mainwindow/" + name + ".png", 16, 16,
         [&](QPainter &p, const QRectF &r) { drawGlyph(p, g, r.center(), 15, c); });
}

void dropArrow(const QString &name, const QColor &c)
{
    save(name, 16, 16,
         [&](QPainter &p, const QRectF &r) { drawGlyph(p, glyphChevronDown, r.center(), 22, c); });
}

void sliderHandle(const QString &name, const QColor &rim, const QColor &fill)
{
    save(name, 14, 14, [&](QPainter &p, const QRectF &r) {
        QRadialGradient g(r.center() - QPointF(2, 2), 9);
        g.setColorAt(0, Qt::white);
        g.setColorAt(1, fill);
        p.setPen(QPen(rim, 1.2));
        p.setBrush(g);
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
    });
}

// Round player buttons on the light player panel.
void playerButton(const QString &path, int w, int h, const Glyph &g, State s, qreal glyphSize)
{
    save(path, w, h, [&](QPainter &p, const QRectF &r) {
        QColor c("#1c58a4");
        if (s == Hover)
            c = QColor("#2f7fd8");
        else if (s == Pressed)
            c = QColor("#103a70");
        else if (s == Disabled)
            c = QColor("#9aa8bb");
        if (s == Hover || s == Pressed) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(47, 127, 216, s == Hover ? 40 : 70));
            p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
        }
        drawGlyph(p, g, r.center(), glyphSize, c);
    });
}

// The trim strip's section cursors: a flag whose straight edge is the mark
// (the left cursor's right edge, the right cursor's left edge).
void trimCursor(bool left, State s)
{
    const QString name = QString("dialogs/trim_cursor_%1_%2.png").arg(left ? "left" : "right", stateName(s));
    save(name, 20, 20, [&](QPainter &p, const QRectF &r) {
        QPainterPath path;
        if (left) {
            path.moveTo(r.right() - 0.5, 0.5);
            path.lineTo(r.right() - 0.5, r.bottom() - 0.5);
            path.lineTo(2.5, r.bottom() - 0.5);
            path.lineTo(2.5, 9);
        } else {
            path.moveTo(0.5, 0.5);
            path.lineTo(0.5, r.bottom() - 0.5);
            path.lineTo(r.right() - 2.5, r.bottom() - 0.5);
            path.lineTo(r.right() - 2.5, 9);
        }
        path.closeSubpath();
        QColor top("#6ab8ff"), bottom("#1c58a4"), edge("#0d2f5c");
        if (s == Hover) {
            top = QColor("#9ad0ff");
            bottom = QColor("#2f7fd8");
        } else if (s == Pressed) {
            top = QColor("#2f7fd8");
            bottom = QColor("#103a70");
        } else if (s == Disabled) {
            top = QColor("#d5dce6");
            bottom = QColor("#9aa8bb");
            edge = QColor("#7d8899");
        }
        p.setPen(QPen(edge, 1));
        p.setBrush(vgrad(0, r.height(), {{0, top}, {1, bottom}}));
        p.drawPath(path);
    });
}

void startConvertButton(State s)
{
    // 140 x 44 with a round arrow badge on the left (text padded by 60 px).
    save(QString("mainwindow/btn_start_convert_%1.png").arg(stateName(s)), 140, 44,
         [&](QPainter &p, const QRectF &r) {
             QColor top("#3f95ea"), bottom("#1a55a0");
             if (s == Hover) {
                 top = QColor("#62adf7");
                 bottom = QColor("#2468bc");
             } else if (s == Pressed) {
                 top = QColor("#154684");
                 bottom = QColor("#2a74cc");
             }
             const QRectF box = r.adjusted(0.5, 0.5, -0.5, -0.5);
             p.setPen(QPen(QColor("#0c2e5a"), 1));
             p.setBrush(vgrad(0, r.height(), {{0, top}, {1, bottom}}));
             p.drawRoundedRect(box, 8, 8);
             p.setPen(QPen(QColor(255, 255, 255, 80), 1));
             p.drawLine(QPointF(8, 1.5), QPointF(r.width() - 8, 1.5));
             p.setPen(QPen(QColor(255, 255, 255, 220), 1.6));
             p.setBrush(QColor(255, 255, 255, 40));
             p.drawEllipse(QPointF(28, 22), 14, 14);
             drawGlyph(
                 p,
                 [](QPainter &pp, const QColor &c) {
                     pp.setPen(Qt::NoPen);
                     pp.setBrush(c);
                     pp.drawPolygon(QPolygonF({QPointF(-5, -9), QPointF(10, 0), QPointF(-5, 9)}));
                 },
                 QPointF(28, 22), 22, Qt::white);
         });
}

void phoneButton(bool checked, State s)
{
    const QString name = QString("mainwindow/iphone_%1%2.png")
                             .arg(checked ? "checked_" : "")
                             .arg(s == Disabled ? "disable" : stateName(s));
    save(name, 26, 26, [&](QPainter &p, const QRectF &r) {
        QColor edge = checked ? QColor("#1c58a4") : QColor("#7f93b0");
        QColor fill = checked ? QColor("#d6e7fb") : QColor("#f4f7fb");
        if (s == Hover)
            fill = checked ? QColor("#c2dcfa") : QColor("#e4eefb");
        else if (s == Pressed)
            fill = QColor("#b3cdee");
        else if (s == Disabled) {
            edge = QColor("#b6c0ce");
            fill = QColor("#e6eaf0");
        }
        p.setPen(QPen(edge, 1));
        p.setBrush(fill);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        const QColor ink = s == Disabled ? QColor("#a3afc0") : QColor("#1c3f6e");
        p.setPen(QPen(ink, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(8, 4, 10, 18), 2, 2);
        p.setBrush(ink);
        p.drawEllipse(QPointF(13, 19.2), 0.8, 0.8);
        if (checked) {
            p.setPen(strokePen(QColor("#1e9b4c"), 2.2));
            p.drawPolyline(QPolygonF({QPointF(15, 14), QPointF(18, 17), QPointF(23, 10)}));
        }
    });
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_images <res/images folder>\n");
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);

    // Window skins and backgrounds.
    mainSkin();
    dialogSkin();
    playerSkin();
    listBackground();
    strip("20120707133444.png", 120, {{0, QColor("#eaf0f7")}, {1, QColor("#d3dde9")}});
    strip("20120707180834.png", 240, {{0, QColor("#f3f6fa")}, {1, QColor("#e2e9f2")}});
    strip("dialogbj.png", 200, {{0, QColor("#f1f5fa")}, {1, QColor("#e0e8f2")}});
    strip("dialogs/bkgnd_download.png", 400,
          {{0, QColor("#1b3a68")}, {0.09, QColor("#122b52")}, {0.0901, kPanel}, {1, QColor("#dfe7f1")}});
    strip("dialogs/trim_dlg_bkgnd.png", 400,
          {{0, QColor("#1b3a68")}, {0.08, QColor("#122b52")}, {0.0801, kPanel}, {1, QColor("#dfe7f1")}});
    strip("dialogs/video_edit_bkgnd.png", 400,
          {{0, QColor("#1b3a68")}, {0.08, QColor("#122b52")}, {0.0801, kPanel}, {1, QColor("#dfe7f1")}});
    strip("dialogs/burnCD/burn_cd_bkgnd.png", 300,
          {{0, QColor("#1b3a68")}, {0.1, QColor("#122b52")}, {0.1001, kPanel}, {1, QColor("#dfe7f1")}});
    strip("dialogs/burnCD/burn_setting_bkgnd.png", 300,
          {{0, QColor("#1b3a68")}, {0.1, QColor("#122b52")}, {0.1001, kPanel}, {1, QColor("#dfe7f1")}});
    strip("dialogs/burnCD/burn_cd_progress_bkgnd.png", 14, {{0, QColor("#c9d3e0")}, {1, QColor("#eef2f7")}});
    strip("dialogs/burnCD/burn_cd_progress_sub.png", 14,
          {{0, QColor("#6ab8ff")}, {0.5, QColor("#2f7fd8")}, {1, QColor("#1c58a4")}});
    strip("mainwindow/videoplayer/slider_bkgnd.png", 16,
          {{0, Qt::transparent},
           {0.375, Qt::transparent},
           {0.376, QColor("#9fb1c9")},
           {0.624, QColor("#c5d2e3")},
           {0.625, Qt::transparent},
           {1, Qt::transparent}});
    strip("linehover.png", 25, {{0, QColor("#dbe9fb")}, {1, QColor("#bcd6f6")}});
    save("profilemenu/item_bkgnd.png", 68, 90, [](QPainter &p, const QRectF &r) {
        p.setPen(QPen(QColor("#6ab8ff"), 1));
        p.setBrush(vgrad(0, r.height(), {{0, QColor("#e6f1fd")}, {1, QColor("#cfe3fa")}}));
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    });
    save("xiala1.png", 20, 22, [](QPainter &p, const QRectF &r) {
        p.fillRect(QRectF(0, 0, 1, r.height()), QColor("#b7c4d6"));
        drawGlyph(p, glyphChevronDown, r.center() + QPointF(0.5, 0), 22, QColor("#1c58a4"));
    });

    // Logo, tray and window icon, audio stand-in picture.
    logo("logo.png", 26, 29);
    audioIcon();

    // Tool bar.
    toolButton("add", 81, 60, glyphAdd, false, 22, 30, 56); // the label sits at the right
    toolButton("more", 18, 48, glyphChevronDown, false, 24, 24);
    toolButton("download", 74, 60, glyphDownload, false);
    toolButton("delete", 74, 60, glyphDelete, false);
    toolButton("effect", 74, 60, glyphEffect, false);
    toolButton("clip", 74, 60, glyphClip, false);
    toolButton("merge", 74, 60, glyphMerge, true);
    toolButton("start", 74, 60, glyphPlay, false);
    toolButton("pause", 74, 60, glyphPause, false);
    toolButton("stop", 74, 60, glyphStop, false);

    // Title bar and dialog caption buttons.
    for (State s : {Normal, Hover, Pressed}) {
        const QString st = stateName(s);
        captionButton("mainwindow/titlebar/sys_settings_" + st + ".png", 30, 21, glyphGear, s, false);
        captionButton("mainwindow/titlebar/sys_min_" + st + ".png", 30, 21, glyphMin, s, false);
        captionButton("mainwindow/titlebar/sys_max_" + st + ".png", 30, 21, glyphMax, s, false);
        captionButton("mainwindow/titlebar/sys_restore_" + st + ".png", 30, 21, glyphRestore, s, false);
        captionButton("mainwindow/titlebar/sys_close_" + st + ".png", 30, 21, glyphClose, s, true);
        captionButton("common/sys_quit_" + st + ".png", 27, 20, glyphClose, s, true);
    }

    // Welcome panel buttons.
    for (State s : {Normal, Hover, Pressed}) {
        for (const auto &[name, g] : {std::pair<QString, Glyph>{"add_files", glyphAdd},
                                      std::pair<QString, Glyph>{"add_folder", glyphFolderAdd}}) {
            save(QString("mainwindow/welcome_%1_%2.png").arg(name, stateName(s)), 48, 30,
                 [&](QPainter &p, const QRectF &r) {
                     const QRectF box = r.adjusted(0.5, 0.5, -0.5, -0.5);
                     const QColor top = s == Hover     ? QColor("#5aa7f5")
                                        : s == Pressed ? QColor("#164a8c")
                                                       : QColor("#3d8fe6");
                     const QColor bottom = s == Hover     ? QColor("#2469bf")
                                           : s == Pressed ? QColor("#2a72c8")
                                                          : QColor("#1c58a4");
                     p.setPen(QPen(QColor("#123f78"), 1));
                     p.setBrush(vgrad(0, r.height(), {{0, top}, {1, bottom}}));
                     p.drawRoundedRect(box, 5, 5);
                     drawGlyph(p, g, r.center() + QPointF(0, s == Pressed ? 1 : 0), 22, Qt::white);
                 });
        }
    }

    // Menu icons.
    menuIcon("menu_file_download", glyphDownload);
    menuIcon("menu_file_exit", glyphExit);
    menuIcon("menu_edit_duplicate", glyphDuplicate);
    menuIcon("menu_edit_trim", glyphClip);
    menuIcon("menu_edit_edit", glyphEdit);
    menuIcon("menu_edit_delete", glyphDelete, QColor("#b3282d"));
    menuIcon("menu_action_play", glyphPlay);
    menuIcon("menu_action_pause", glyphPause);
    menuIcon("menu_action_stop", glyphStop);

    // Push buttons of dialogs and panels.
    for (State s : {Normal, Hover, Pressed, Disabled})
        plateButton(QString("common/bigbutton_%1.png").arg(stateName(s)), 90, 26, s);
    plateButton("bigbutter1.png", 90, 26, Normal);
    plateButton("bigbutter2.png", 90, 26, Hover);
    plateButton("bigbutter3.png", 90, 26, Pressed);
    plateButton("button1.png", 70, 19, Normal, 3);
    plateButton("button2.png", 70, 19, Hover, 3);
    plateButton("button3.png", 70, 19, Pressed, 3);
    for (State s : {Normal, Hover, Pressed})
        startConvertButton(s);
    for (bool checked : {false, true})
        for (State s : {Normal, Hover, Pressed, Disabled})
            phoneButton(checked, s);

    // Small controls.
    dropArrow("common/drop_arrow_normal.png", QColor("#3b5f8f"));
    dropArrow("common/drop_arrow_on.png", QColor("#1c58a4"));
    sliderHandle("common/slider_handle_normal.png", QColor("#1c58a4"), QColor("#6ab8ff"));
    sliderHandle("common/slider_handle_hover.png", QColor("#2f7fd8"), QColor("#9ad0ff"));
    sliderHandle("common/slider_handle_pressed.png", QColor("#103a70"), QColor("#2f7fd8"));
    for (bool left : {true, false})
        for (State s : {Normal, Hover, Pressed, Disabled})
            trimCursor(left, s);
    for (State s : {Normal, Hover, Pressed}) {
        const QString st = stateName(s);
        save("profilemenu/up_" + QString(s == Pressed ? "press" : st) + ".png", 15, 15,
             [&](QPainter &p, const QRectF &r) {
                 drawGlyph(p, glyphChevronUp, r.center(), 24,
                           s == Normal ? QColor("#3b5f8f") : QColor("#1c58a4"));
             });
        save("profilemenu/down_" + QString(s == Pressed ? "press" : st) + ".png", 15, 15,
             [&](QPainter &p, const QRectF &r) {
                 drawGlyph(p, glyphChevronDown, r.center(), 24,
                           s == Normal ? QColor("#3b5f8f") : QColor("#1c58a4"));
             });
    }

    // Player panel buttons.
    const QList<std::pair<QString, Glyph>> playerGlyphs = {
        {"start", glyphPlay},
        {"pause", glyphPause},
        {"stop", glyphStop},
        {"back", glyphBack},
        {"forward", glyphForward},
        {"shoot", glyphCamera},
        {"more", glyphMore},
        {"sound", [](QPainter &p, const QColor &c) { glyphSound(p, c, false); }},
        {"sound_disabled", [](QPainter &p, const QColor &c) { glyphSound(p, c, true); }},
    };
    for (const auto &[name, g] : playerGlyphs) {
        const bool round =
            name == "start" || name == "pause" || name == "stop" || name == "back" || name == "forward";
        const int w = round ? 29 : (name.startsWith("sound") ? 18 : 19);
        const int h = round ? 29 : (name.startsWith("sound") ? 18 : 24);
        for (State s : {Normal, Hover, Pressed})
            playerButton(QString("mainwindow/videoplayer/player_btn_%1_%2.png").arg(name, stateName(s)), w, h,
                         g, s, round ? 27 : (name.startsWith("sound") ? 16 : 17));
    }
    // Editor player buttons.
    for (const auto &[name, g] :
         QList<std::pair<QString, Glyph>>{{"play", glyphPlay}, {"pause", glyphPause}, {"stop", glyphStop}})
        for (State s : {Normal, Hover, Pressed})
            playerButton(QString("dialogs/video_edit_%1_%2.png").arg(name, stateName(s)), 29, 29, g, s, 27);
    const QList<std::pair<QString, Glyph>> editGlyphs = {
        {"sound", [](QPainter &p, const QColor &c) { glyphSound(p, c, false); }},
        {"hor", [](QPainter &p, const QColor &c) { glyphMirror(p, c, false); }},
        {"ver", [](QPainter &p, const QColor &c) { glyphMirror(p, c, true); }},
    };
    for (const auto &[name, g] : editGlyphs)
        for (State s : {Normal, Hover})
            playerButton(QString("videoedit/player_btn_%1_%2.png").arg(name, stateName(s)), 24, 24, g, s, 20);

    // Icons: tray and window icon share the logo.
    {
        logo("logo_64.png", 64, 64);
        QImage icon(g_root + "/logo_64.png");
        QFile::remove(g_root + "/logo_64.png");
        --g_count;
        for (const char *name : {"tray.ico", "app.ico"}) {
            if (!icon.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                     .save(g_root + "/" + name, "ICO")) {
                std::fprintf(stderr, "cannot write %s\n", name);
                return 1;
            }
            ++g_count;
        }
    }

    // The program's icon for the desktop (installed into the hicolor
    // theme), beside the skin pictures rather than among the compiled ones.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        logo(QString("../desktop/icons/%1x%1.png").arg(size), size, size);

    std::printf("wrote %d images under %s\n", g_count, qPrintable(g_root));
    return 0;
}
