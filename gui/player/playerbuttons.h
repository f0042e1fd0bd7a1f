#pragma once

#include <QString>

class QPushButton;
class QWidget;

// The player panel's skinned buttons.
namespace PlayerButtons {

// A button showing the skin's "player_btn_<image>_{normal,hover,pressed}"
// pictures (and, when checkedImage is given, a checkable button with those
// of its checked face); fallbackText is its tip, and its label when the skin
// is missing.  Disabled, it is faded.
QPushButton *make(QWidget *parent, const QString &objectName, const QString &image,
                  const QString &fallbackText, int width, int height,
                  const QString &checkedImage = QString());

} // namespace PlayerButtons
