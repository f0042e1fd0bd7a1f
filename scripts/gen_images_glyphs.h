// The glyphs of the skin's buttons, drawn in a 32 x 32 box centred on (0, 0).
#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>

#include <functional>

using Glyph = std::function<void(QPainter &, const QColor &)>;

namespace skin {

inline const QColor kAccent("#2f7fd8");
inline const QColor kAccentLight("#6ab8ff");

inline QPen strokePen(const QColor &c, qreal w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void glyphAdd(QPainter &p, const QColor &c);
void glyphDownload(QPainter &p, const QColor &c);
void glyphDelete(QPainter &p, const QColor &c);
void glyphEffect(QPainter &p, const QColor &c);
void glyphClip(QPainter &p, const QColor &c);
void glyphMerge(QPainter &p, const QColor &c);
void glyphPlay(QPainter &p, const QColor &c);
void glyphPause(QPainter &p, const QColor &c);
void glyphStop(QPainter &p, const QColor &c);
void glyphChevronDown(QPainter &p, const QColor &c);
void glyphChevronUp(QPainter &p, const QColor &c);
void glyphBack(QPainter &p, const QColor &c);
void glyphForward(QPainter &p, const QColor &c);
void glyphCamera(QPainter &p, const QColor &c);
void glyphMore(QPainter &p, const QColor &c);
void glyphSound(QPainter &p, const QColor &c, bool muted);
void glyphMirror(QPainter &p, const QColor &c, bool vertical);
void glyphExit(QPainter &p, const QColor &c);
void glyphDuplicate(QPainter &p, const QColor &c);
void glyphEdit(QPainter &p, const QColor &c);
void glyphGear(QPainter &p, const QColor &c);
void glyphFolderAdd(QPainter &p, const QColor &c);

} // namespace skin
