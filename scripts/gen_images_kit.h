// The drawing kit of the skin generator: palette, saving, glyph placement
// and the plates of the chrome's buttons in each state.
#pragma once

#include "gen_images_glyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QString>

#include <functional>
#include <initializer_list>
#include <utility>

namespace skin {

extern QString g_root; // the res/images folder written into
extern int g_count;    // pictures written so far

// Palette.
inline const QColor kNavy0("#091427");
inline const QColor kNavy1("#0f2140");
inline const QColor kNavy2("#173463");
inline const QColor kIcon("#dce9fb");
inline const QColor kIconDisabled(120, 136, 160, 150);
inline const QColor kPanel("#eef2f8");
inline const QColor kPanelEdge("#8ea3c2");

using Painter = std::function<void(QPainter &, const QRectF &)>;
enum State { Normal, Hover, Pressed, Disabled, CheckedNormal, CheckedHover, CheckedPressed };

void save(const QString &name, int w, int h, const Painter &paint);
QLinearGradient vgrad(qreal y0, qreal y1, std::initializer_list<std::pair<qreal, QColor>> stops);
void drawGlyph(QPainter &p, const Glyph &g, QPointF centre, qreal size, const QColor &c);
void drawGlyphShadowed(QPainter &p, const Glyph &g, QPointF centre, qreal size, const QColor &c);
const char *stateName(State s);
void toolPlate(QPainter &p, const QRectF &r, State s);
QColor glyphColour(State s);
void toolButton(const QString &name, int w, int h, const Glyph &g, bool checkable, qreal glyphY = 22,
                qreal glyphSize = 30, qreal glyphX = -1);
void captionButton(const QString &path, int w, int h, const Glyph &g, State s, bool danger);
void glyphMin(QPainter &p, const QColor &c);
void glyphMax(QPainter &p, const QColor &c);
void glyphRestore(QPainter &p, const QColor &c);
void glyphClose(QPainter &p, const QColor &c);
void plateButton(const QString &path, int w, int h, State s, qreal radius = 4);

} // namespace skin
