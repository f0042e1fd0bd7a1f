#pragma once

#include <QString>

class QPushButton;
class QWidget;

// The look shared by the editor dialog and its tabs.
namespace EditorStyle {

// Gives a tab page its background and the style of its controls.
void styleTab(QWidget *tab, const QString &objectName);
// An "Apply"/"Reset" style push button of the editor's tabs.
QPushButton *makeButton(const QString &text, const QString &objectName, QWidget *parent);

} // namespace EditorStyle
