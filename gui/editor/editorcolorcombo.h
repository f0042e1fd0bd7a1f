#pragma once

#include <QColor>
#include <QComboBox>

#include <functional>

// The colour choice of the editor's Subtitle and Watermark tabs: eight named
// colours and "Customize", each with a 30 x 20 swatch and its colour as item
// data.  Activating "Customize" asks for a colour of the user's own.
class EditorColorCombo : public QComboBox {
    Q_OBJECT
public:
    static constexpr int NamedColours = 8;

    explicit EditorColorCombo(QWidget *parent = nullptr);

    QColor currentColor() const;
    QColor colorAt(int index) const;
    int customIndex() const { return count() - 1; }
    // Selects the entry of a colour: the named one, else "Customize" holding it.
    void selectColor(const QColor &color);
    // Gives "Customize" a colour (invalid colours are ignored).
    void setCustomColor(const QColor &color);
    // For "Customize": asks for a colour; true when one was chosen.
    bool customize(int index);

    // How the colour is asked for (the colour dialog unless set; for tests).
    using ColorChooser = std::function<QColor(const QColor &initial, QWidget *parent)>;
    static void setColorChooser(ColorChooser chooser);

    static QIcon swatch(const QColor &color);
};
