#pragma once

// Hands a finished file to the iTunes library.  There is no iTunes on this
// platform: the call does nothing and returns 0.
class CConItunes {
public:
    CConItunes() = default;
    int AddToItunes(const char *nativePath);
};
