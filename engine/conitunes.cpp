#include "engine/conitunes.h"

int CConItunes::AddToItunes(const char *)
{
    return 0;
}
