#pragma once

#include "engine/playback/previewfiltertarget.h"

#include <QList>

// Stands in for the player as a preview's filter target: keeps the set it
// was given and every write, so a test can see how many writes were made
// and what each one held.
class RecordingFilterTarget : public PreviewFilterTarget {
public:
    QList<FilterSettings> states;

    FilterSettings filters() const override { return m_current; }
    void setFilters(const FilterSettings &settings) override
    {
        m_current = settings;
        states << settings;
    }

private:
    FilterSettings m_current;
};
