# Installation: the player itself goes out of the way in libexec, and `vexa-radio` on the path is
# a launcher that starts it in a writable folder of the user's own next to a link to the skin.
include(GNUInstallDirs)

set(VEXA_PLAYER_DIR ${CMAKE_INSTALL_LIBEXECDIR}/vexa-radio)
set(VEXA_SKIN_DIR ${CMAKE_INSTALL_DATADIR}/vexa-radio/Graph)

# The launcher finds the player and the skin from its own place, so an installed tree may be
# moved or staged with DESTDIR.
configure_file(${CMAKE_CURRENT_LIST_DIR}/vexa-radio.in
               ${CMAKE_CURRENT_BINARY_DIR}/launcher/vexa-radio @ONLY)

install(TARGETS vexa-radio RUNTIME DESTINATION ${VEXA_PLAYER_DIR})
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/launcher/vexa-radio
        DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Graph/ DESTINATION ${VEXA_SKIN_DIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vexa-radio.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# A menu entry must name the launcher by its full path, which is known only once the prefix is
# (`cmake --install --prefix` may choose another one than the configuration did).
install(CODE "
  set(LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/vexa-radio\")
  configure_file(\"${CMAKE_CURRENT_LIST_DIR}/vexa-radio.desktop.in\"
                 \"${CMAKE_CURRENT_BINARY_DIR}/launcher/vexa-radio.desktop\" @ONLY)
  file(INSTALL \"${CMAKE_CURRENT_BINARY_DIR}/launcher/vexa-radio.desktop\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
")
