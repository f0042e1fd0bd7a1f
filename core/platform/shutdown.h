#pragma once

// Asks the system to power the computer off.  True when the request was
// accepted; false when it was refused or no login manager answers, in which
// case nothing happens.
bool shutdownComputer();
