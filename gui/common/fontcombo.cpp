#include "gui/common/fontcombo.h"

#include "core/platform/fontscan.h"

#include <QComboBox>

void fillFontFamilyCombo(QComboBox *combo)
{
    if (!combo)
        return;
    combo->addItems(scannedFontFamilies());
}
