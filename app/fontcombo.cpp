#include "app/fontcombo.h"

#include "app/fontscan.h"

#include <QComboBox>

void fillFontFamilyCombo(QComboBox *combo)
{
    if (!combo)
        return;
    combo->addItems(scannedFontFamilies());
}
