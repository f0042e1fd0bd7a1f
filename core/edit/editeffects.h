#pragma once

struct FilterSettings;

// The picture effects and deinterlacing modes of the editor's Effect tab, by
// the item data the tab and the file record use, and how each reaches the
// engine's filters.
namespace EditEffects {

enum Effect { NoEffect = 0, Sharp = 1, Deshake = 2, Blur = 3, Negate = 4 };
enum Deinterlace {
    DeinterlaceNone = 0,
    RepeatOdd = 1,
    RepeatEven = 2,
    OddInterpolate = 3,
    EvenInterpolate = 4
};

// The off flags of the four effect filters (0 on, 1 off), in call order.
struct EffectCalls {
    int blur;
    int negate;
    int deshake;
    int sharp;
};
// The arguments of the deinterlacing filter call.
struct DeinterlaceCall {
    int off;
    int mode;
};

// False for unknown data.
bool effectCalls(int effect, EffectCalls &out);
bool deinterlaceCall(int deinterlace, DeinterlaceCall &out);

// Sets the filters of an effect or of a deinterlacing mode on a filter set
// (a job's, or a preview's read, changed and written back); unknown data
// changes nothing.
bool applyEffect(int effect, FilterSettings &filters);
bool applyDeinterlace(int deinterlace, FilterSettings &filters);

// The audio amplifier (-100..100) as the preview's volume (0..128).
int amplifierVolume(int amplifier);

} // namespace EditEffects
