# Data shipped beside the program (build/bin): the default user profile
# configuration and the category and profile icons.
#
# upc.xml is also the live file when the program's folder is writable, so it
# is copied only when the shipped default itself changed (tracked by a stamp),
# never on every build: a developer's own choices survive rebuilds.
set(REELMAX_BIN_DIR ${CMAKE_BINARY_DIR}/bin)
set(REELMAX_UPC_STAMP ${CMAKE_BINARY_DIR}/reelmax_upc.stamp)
add_custom_command(OUTPUT ${REELMAX_UPC_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${REELMAX_BIN_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/res/upc.xml ${REELMAX_BIN_DIR}/upc.xml
  COMMAND ${CMAKE_COMMAND} -E touch ${REELMAX_UPC_STAMP}
  DEPENDS ${CMAKE_SOURCE_DIR}/res/upc.xml
  COMMENT "Shipping the default upc.xml")

file(GLOB_RECURSE REELMAX_ICON_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/icons/*.png)
set(REELMAX_ICON_STAMP ${CMAKE_BINARY_DIR}/reelmax_icons.stamp)
add_custom_command(OUTPUT ${REELMAX_ICON_STAMP}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/res/icons ${REELMAX_BIN_DIR}/icons
  COMMAND ${CMAKE_COMMAND} -E touch ${REELMAX_ICON_STAMP}
  DEPENDS ${REELMAX_ICON_FILES}
  COMMENT "Shipping the profile icons")

add_custom_target(reelmax_catalogue_data ALL DEPENDS ${REELMAX_UPC_STAMP} ${REELMAX_ICON_STAMP})
add_dependencies(reelmax_core reelmax_catalogue_data)
