#pragma once

#include "engine/av/filtersettings.h"

// Where a preview's filters go: the whole set is read, changed and written
// back.  The player is one; a test can stand in to see every write.
class PreviewFilterTarget {
public:
    virtual ~PreviewFilterTarget() = default;
    virtual FilterSettings filters() const = 0;
    virtual void setFilters(const FilterSettings &settings) = 0;

    // Reads the set, lets change edit it and writes it back (one write).
    template <typename F> void editFilters(F &&change)
    {
        FilterSettings settings = filters();
        change(settings);
        setFilters(settings);
    }
};
