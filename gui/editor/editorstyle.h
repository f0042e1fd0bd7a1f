#pragma once

#include <QString>

class QPushButton;
class QWidget;

// The look shared by the editor dialog and its tabs.
namespace EditorStyle {

// The style sheet of the editor dialog's own controls.
QString dialogStyle();
// A square image button of the editor's player row (its picture comes from
// the dialog's style sheet, by object name).
QPushButton *imageButton(QWidget *parent, const char *name, int size, const QString &tip, bool checkable);
// Gives a tab page its background and the style of its controls.
void styleTab(QWidget *tab, const QString &objectName);
// An "Apply"/"Reset" style push button of the editor's tabs.
QPushButton *makeButton(const QString &text, const QString &objectName, QWidget *parent);

} // namespace EditorStyle
