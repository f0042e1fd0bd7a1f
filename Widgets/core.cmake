list(APPEND DIR_CORE timetext.cpp timetext.h)
