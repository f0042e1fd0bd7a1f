#pragma once

#include <Qt>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QString;
class QWidget;

// The title row of the program's frameless dialogs: the caption on the
// skin's dark band and the skinned close button.
namespace DialogCaption {

// Height of the skin's title band.
constexpr int kHeight = 35;

// Makes the caption label ("lbCaption") and the close button ("btnWinClose")
// as children of dialog and returns the row holding them.
QHBoxLayout *build(QWidget *dialog, const QString &title, QLabel **caption, QPushButton **close,
                   Qt::Alignment closeAlignment = {});

} // namespace DialogCaption
