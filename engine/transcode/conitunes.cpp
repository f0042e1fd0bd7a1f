#include "engine/transcode/conitunes.h"

int CConItunes::AddToItunes(const char *)
{
    return 0;
}
