# Run by CPack between staging the installation and packing it: a Debian package keeps a
# game's commands in /usr/games, while other prefixes keep the launcher in bin/ on the PATH.
# Both lie one level under the prefix, so the launcher still finds the program.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
  file(MAKE_DIRECTORY "${usr}/games")
  file(RENAME "${usr}/${CPACK_PLOXEN_BINDIR}/ploxen" "${usr}/games/ploxen")
  file(GLOB left "${usr}/${CPACK_PLOXEN_BINDIR}/*")
  if(NOT left)
    file(REMOVE_RECURSE "${usr}/${CPACK_PLOXEN_BINDIR}")
  endif()
endif()
