#include "app/shutdown.h"

#include "app/platform.h"

bool shutdownComputer()
{
    return Platform::shutdownComputer();
}
