#include "gui/editor/editorcolorcombo.h"

#include <QColorDialog>
#include <QIcon>
#include <QPixmap>

namespace {
EditorColorCombo::ColorChooser &chooser()
{
    static EditorColorCombo::ColorChooser c;
    return c;
}
} // namespace

EditorColorCombo::EditorColorCombo(QWidget *parent) : QComboBox(parent)
{
    setIconSize(QSize(30, 20));
    for (const char *name : {"white", "black", "gray", "silver", "red", "green", "blue", "yellow"}) {
        const QColor color = QColor::fromString(QLatin1String(name));
        addItem(swatch(color), QLatin1String(name), color);
    }
    const QColor black(0, 0, 0, 255);
    addItem(swatch(black), tr("Customize"), black);
}

QIcon EditorColorCombo::swatch(const QColor &color)
{
    QPixmap pixmap(30, 20);
    pixmap.fill(color);
    return QIcon(pixmap);
}

QColor EditorColorCombo::colorAt(int index) const
{
    return itemData(index).value<QColor>();
}

QColor EditorColorCombo::currentColor() const
{
    return colorAt(currentIndex());
}

void EditorColorCombo::selectColor(const QColor &color)
{
    int found = -1;
    for (int i = 0; i < NamedColours; ++i)
        if (colorAt(i).rgba() == color.rgba())
            found = i;
    if (found < 0) {
        // A colour of the user's own: "Customize" holds it.
        setCustomColor(color);
        found = customIndex();
    }
    setCurrentIndex(found);
}

void EditorColorCombo::setCustomColor(const QColor &color)
{
    if (!color.isValid())
        return;
    setItemData(customIndex(), color);
    setItemIcon(customIndex(), swatch(color));
}

bool EditorColorCombo::customize(int index)
{
    if (index != customIndex())
        return false;
    const QColor initial = colorAt(index);
    const QColor picked = chooser() ? chooser()(initial, this) : QColorDialog::getColor(initial, this);
    if (!picked.isValid())
        return false;
    setCustomColor(picked);
    return true;
}

void EditorColorCombo::setColorChooser(ColorChooser c)
{
    chooser() = std::move(c);
}
