#pragma once

#include "engine/av/filtersettings.h"

class CffmpegPlayer;

// The filter setters (off flags, packed colours) for a player: every call
// edits the set the player had when this adapter was made and hands the
// whole set to the player.  For callers written against the setters; the
// program itself gives the player typed sets.
class PlayerFilterSetters : public CFilterSetters {
public:
    explicit PlayerFilterSetters(CffmpegPlayer &player);

protected:
    void onFiltersChanged() override;

private:
    CffmpegPlayer &m_player;
    bool m_started = false;
};
