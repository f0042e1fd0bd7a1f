#include "core/edit/editeffects.h"

#include "engine/av/filtersettings.h"

namespace EditEffects {

bool effectCalls(int effect, EffectCalls &out)
{
    switch (effect) {
    case NoEffect:
        out = {1, 1, 1, 1};
        return true;
    case Sharp:
        out = {1, 1, 1, 0};
        return true;
    case Deshake:
        out = {1, 1, 0, 1};
        return true;
    case Blur:
        out = {0, 1, 1, 1};
        return true;
    case Negate:
        out = {1, 0, 1, 1};
        return true;
    default:
        return false;
    }
}

bool deinterlaceCall(int deinterlace, DeinterlaceCall &out)
{
    if (deinterlace == DeinterlaceNone) {
        out = {1, 0};
        return true;
    }
    if (deinterlace >= RepeatOdd && deinterlace <= EvenInterpolate) {
        out = {0, deinterlace - 1};
        return true;
    }
    return false;
}

bool applyEffect(int effect, FilterSettings &filters)
{
    EffectCalls calls{};
    if (!effectCalls(effect, calls))
        return false;
    filters.blur = calls.blur == 0;
    filters.negate = calls.negate == 0;
    filters.deshake = calls.deshake == 0;
    filters.sharp = calls.sharp == 0;
    return true;
}

bool applyDeinterlace(int deinterlace, FilterSettings &filters)
{
    DeinterlaceCall call{};
    if (!deinterlaceCall(deinterlace, call))
        return false;
    filters.deinterlace = call.off == 0;
    filters.deinterlaceMode = call.mode;
    return true;
}

int amplifierVolume(int amplifier)
{
    return (amplifier + 100) * 128 / 200;
}

} // namespace EditEffects
