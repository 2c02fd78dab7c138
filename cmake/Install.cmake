# What `cmake --install` puts under the prefix, and the Debian package made of it by
# `cpack -G DEB`: the program, its launcher, data files, menu entry, icons and manual pages.

# The launcher finds the program from its own place, so that any prefix works.
file(RELATIVE_PATH PLOXEN_PROGRAM_FROM_LAUNCHER
     /${CMAKE_INSTALL_BINDIR} /${PLOXEN_PROGRAM_DIR})
configure_file(desktop/ploxen.in ${CMAKE_BINARY_DIR}/desktop/ploxen @ONLY)

set(PLOXEN_MAINTAINER "Ploxen developers <ploxen@example.org>")
set(PLOXEN_DOCS)
foreach(page ploxen.6 ploxen.fr.6 changelog)
  set(from ${CMAKE_SOURCE_DIR}/desktop/${page})
  if(page STREQUAL "changelog")
    set(from ${CMAKE_SOURCE_DIR}/desktop/changelog.in)
  endif()
  configure_file(${from} ${CMAKE_BINARY_DIR}/desktop/${page} @ONLY)
  # Compressed as Debian wants them; man and less read them as they are.
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/desktop/${page}.gz
                     COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/desktop/${page}
                     DEPENDS ${CMAKE_BINARY_DIR}/desktop/${page})
  list(APPEND PLOXEN_DOCS ${CMAKE_BINARY_DIR}/desktop/${page}.gz)
endforeach()
add_custom_target(ploxen-docs ALL DEPENDS ${PLOXEN_DOCS})

install(TARGETS ploxen DESTINATION ${PLOXEN_PROGRAM_DIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/desktop/ploxen DESTINATION ${CMAKE_INSTALL_BINDIR})
set(PLOXEN_DATA_FILES Ploxen.gif Ploxen.mid Pose.wav Ligne.wav Fulrow.wav Perdu.wav)
list(TRANSFORM PLOXEN_DATA_FILES PREPEND ${CMAKE_BINARY_DIR}/run/)
install(FILES ${PLOXEN_DATA_FILES} DESTINATION ${PLOXEN_DATA_DIR})
install(FILES desktop/ploxen.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_BINARY_DIR}/desktop/ploxen.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/desktop/ploxen.fr.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/fr/man6
        RENAME ploxen.6.gz)
install(FILES desktop/copyright ${CMAKE_BINARY_DIR}/desktop/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ploxen)

set(CPACK_PACKAGE_NAME ploxen)
set(CPACK_PACKAGE_VENDOR "Ploxen developers")
set(CPACK_PACKAGE_CONTACT ${PLOXEN_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "falling-block puzzle game for one to eight players")
set(CPACK_PACKAGE_DESCRIPTION
    "Steer the falling four-cell pieces on a field 10 cells wide and 20 high:
full rows vanish and score, and the speed rises every ten lines. Play alone
for the high-score list, or with up to eight players on the local network
over UDP, where every row cleared is sent to an opponent as penalty rows.
The interface is in French.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries are found by dpkg-shlibdeps; the sound font that the tune is played with
# and the fonts the window asks for are files, which it cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "timgm6mb-soundfont, fontconfig, fonts-liberation2 | fonts-dejavu-core")
set(CPACK_PLOXEN_BINDIR ${CMAKE_INSTALL_BINDIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/DebianLayout.cmake)
include(CPack)
