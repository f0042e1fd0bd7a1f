# The Debian package: scripts/package runs cpack on a build.  Depends come
# from the shared libraries the programs link (dpkg-shlibdeps) plus what the
# program loads or runs by itself: Qt's X11 platform and image plug-ins,
# the web engine's helper process, the DVD and disc tools, a font.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane-reelmax)
set(CPACK_PACKAGE_VENDOR "CorVane Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop video converter")
set(CPACK_PACKAGE_DESCRIPTION
  "Converts video and audio files for devices and formats, with a preview\nplayer, trimming, cropping, effects, subtitles and watermarks, joining of\nfiles, web video capture and DVD authoring and burning.")
set(CPACK_PACKAGE_CONTACT "CorVane Software <packages@corvane.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, libqt6webenginecore6-bin, ffmpeg, dvdauthor, genisoimage, xorriso, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils")
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
include(CPack)
