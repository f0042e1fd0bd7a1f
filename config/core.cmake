# GUI-free parts of config/.
list(APPEND DIR_CORE
  videouserconfig.cpp videouserconfig.h
  uniquepath.cpp uniquepath.h)
