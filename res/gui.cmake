# Skin pictures, compiled into the GUI library under ":/images/...".
file(GLOB_RECURSE REELMAX_IMAGE_FILES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/res/images/*.png ${CMAKE_SOURCE_DIR}/res/images/*.ico)
qt_add_resources(reelmax_gui images PREFIX "/" BASE ${CMAKE_SOURCE_DIR}/res FILES ${REELMAX_IMAGE_FILES})

# The window icon is read from "./app.ico" beside the program.
configure_file(${CMAKE_SOURCE_DIR}/res/images/app.ico ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/app.ico COPYONLY)
