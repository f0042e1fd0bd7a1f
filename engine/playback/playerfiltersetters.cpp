#include "engine/playback/playerfiltersetters.h"

#include "engine/playback/ffmpegplayer.h"

PlayerFilterSetters::PlayerFilterSetters(CffmpegPlayer &player) : m_player(player)
{
    // Start from what the player applies now (its zoom, say), without
    // writing it back.
    changeFilters([&](FilterSettings &f) { f = player.filters(); });
    m_started = true;
}

void PlayerFilterSetters::onFiltersChanged()
{
    if (m_started)
        m_player.setFilters(filterSnapshot());
}
