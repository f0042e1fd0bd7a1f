#include "core/platform/shutdown.h"

#include "core/platform/platform.h"

bool shutdownComputer()
{
    return Platform::shutdownComputer();
}
