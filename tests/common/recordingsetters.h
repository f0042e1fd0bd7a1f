#pragma once

#include "engine/av/filtersettings.h"

#include <QList>

// Remembers the filter state after every setter call, so a test can see how
// many calls were made and what each changed.
class RecordingSetters : public CFilterSetters {
public:
    QList<FilterSettings> states;

protected:
    void onFiltersChanged() override { states << filterSnapshot(); }
};
