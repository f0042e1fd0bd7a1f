# GUI-free parts of app/: the platform layer and the font scan.
list(APPEND DIR_CORE
  platform.cpp platform.h
  fontscan.cpp fontscan.h)
