# The Debian package of the installed game (cmake/Install.cmake), made by
# CPack's DEB generator: scripts/package runs it.  The shared libraries the
# programs link (the Allegro 4.4 runtime among them) become dependencies
# through dpkg-shlibdeps; the music's patch set is named by hand.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${HOVER_PACKAGE})
set(CPACK_PACKAGE_VERSION ${HOVER_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hovercraft racing game with a track editor")
# the lines of the long description; CPack puts the summary above them
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Race your hovercraft against three computer-driven craft over three laps
of a hilly, watery island, seen from above at an isometric angle. Pass the
gates in order; powerups freeze you, unsettle your steering, freeze your
opponents or give you a turbo. Three tracks, three languages.

A built-in editor places scenery, gates, powerups and the computer
drivers' route, and saves the track as a plain text file; hover-check
tells whether a track can be raced.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${HOVER_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS freepats)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# installed straight under /usr (DESTDIR set), so the relative links into
# freepats come out right
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
