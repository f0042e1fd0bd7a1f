#pragma once

class QComboBox;

// Appends the scanned font families after the combo box's last item,
// waiting for the font scan first when it has not finished.
void fillFontFamilyCombo(QComboBox *combo);
