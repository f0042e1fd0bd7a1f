# Built-in profile database and its category list, compiled into the core
# library as ":/res/Format.dat" and ":/res/Profile.dat".
qt_add_resources(reelmax_core reelmax_catalogue
  PREFIX "/"
  FILES res/Format.dat res/Profile.dat)
