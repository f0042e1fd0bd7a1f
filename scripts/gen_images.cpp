// Draws the program's skin: every picture under res/images, in one coherent
// dark-blue look (dark chrome, light content panels).  Run scripts/gen_images
// after changing anything here and commit the PNGs it writes.
#include "gen_images_kit.h"

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

using namespace skin;

namespace {

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
