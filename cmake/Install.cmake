# The installed game, laid out as Debian lays out its games:
#   games/hover, games/hover-check            launchers (sh)
#   lib/games/<package>/hover, hover-check    the programs
#   share/games/<package>/                    read-only content: data.dat,
#       tracks.dat, tracks/, allegro.cfg (the players' copy) and patches/
#       (the freepats index and links to Debian's freepats folders)
#   share/applications, share/icons           the desktop entry and its icon
#   share/metainfo                            what software centres show of it
#   share/man/man6                            hover(6), hover-check(6)
#   share/doc/<package>                       copyright, changelog
# The launcher of hover prepares a folder of the player's own and starts the
# game there; see packaging/hover.in. The launchers find the rest from their
# own place, so any install prefix works.
#
# Include from the top CMakeLists.txt after the targets and the content.

set(HOVER_PACKAGE hover-racer)
set(HOVER_VERSION 0.1.0)
set(HOVER_MAINTAINER "Hovercraft racer developers <developers@hover-racer.invalid>")
# The game's home on the web, ending in a slash, and its AppStream name, the
# home's domain reversed; the screenshots of its metadata are found there.
set(HOVER_HOMEPAGE "https://hover-racer.invalid/")
set(HOVER_APPSTREAM_ID invalid.hover_racer.hover_racer)

set(HOVER_BIN_DIR games)
set(HOVER_LIBEXEC_DIR lib/games/${HOVER_PACKAGE})
set(HOVER_DATA_DIR share/games/${HOVER_PACKAGE})
file(RELATIVE_PATH HOVER_BIN_TO_PREFIX /prefix/${HOVER_BIN_DIR} /prefix)

set(_hover_pack_src ${CMAKE_SOURCE_DIR}/packaging)
set(_hover_pack_out ${CMAKE_BINARY_DIR}/packaging)
foreach(_hover_file hover hover-check hover.6 hover-check.6 hover.desktop hover.metainfo.xml copyright changelog)
  configure_file(${_hover_pack_src}/${_hover_file}.in ${_hover_pack_out}/${_hover_file} @ONLY)
endforeach()

# manual pages and the changelog are shipped compressed, as Debian wants
set(_hover_gzipped)
foreach(_hover_file hover.6 hover-check.6 changelog)
  add_custom_command(
    OUTPUT ${_hover_pack_out}/${_hover_file}.gz
    COMMAND gzip -9nc ${_hover_pack_out}/${_hover_file} > ${_hover_pack_out}/${_hover_file}.gz
    DEPENDS ${_hover_pack_out}/${_hover_file}
    VERBATIM)
  list(APPEND _hover_gzipped ${_hover_pack_out}/${_hover_file}.gz)
endforeach()
add_custom_target(install_docs ALL DEPENDS ${_hover_gzipped})

install(PROGRAMS ${_hover_pack_out}/hover DESTINATION ${HOVER_BIN_DIR})
install(TARGETS hover RUNTIME DESTINATION ${HOVER_LIBEXEC_DIR})
if(TARGET hover-check)
  install(PROGRAMS ${_hover_pack_out}/hover-check DESTINATION ${HOVER_BIN_DIR})
  install(TARGETS hover-check RUNTIME DESTINATION ${HOVER_LIBEXEC_DIR})
  install(FILES ${_hover_pack_out}/hover-check.6.gz DESTINATION share/man/man6)
endif()

install(FILES ${GAME_DIR}/data.dat ${GAME_DIR}/tracks.dat ${GAME_DIR}/allegro.cfg DESTINATION ${HOVER_DATA_DIR})
install(DIRECTORY ${GAME_DIR}/tracks DESTINATION ${HOVER_DATA_DIR} FILES_MATCHING PATTERN "track*.txt")
if(EXISTS ${GAME_DIR}/patches/default.cfg)
  install(FILES ${GAME_DIR}/patches/default.cfg DESTINATION ${HOVER_DATA_DIR}/patches)
  # relative links into freepats, computed for the prefix installed to
  install(CODE "
    set(_patches \"\${CMAKE_INSTALL_PREFIX}/${HOVER_DATA_DIR}/patches\")
    foreach(_bank Tone_000 Drum_000)
      file(RELATIVE_PATH _target \"\${_patches}\" \"${HOVER_FREEPATS_DIR}/\${_bank}\")
      message(STATUS \"Linking: \$ENV{DESTDIR}\${_patches}/\${_bank} -> \${_target}\")
      file(CREATE_LINK \"\${_target}\" \"\$ENV{DESTDIR}\${_patches}/\${_bank}\" SYMBOLIC)
      list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${_patches}/\${_bank}\")
    endforeach()")
endif()

install(FILES ${_hover_pack_out}/hover.desktop DESTINATION share/applications RENAME ${HOVER_PACKAGE}.desktop)
install(FILES ${_hover_pack_out}/hover.metainfo.xml DESTINATION share/metainfo
        RENAME ${HOVER_APPSTREAM_ID}.metainfo.xml)
install(FILES ${HOVER_ICON} DESTINATION share/icons/hicolor/48x48/apps RENAME ${HOVER_PACKAGE}.png)
install(FILES ${_hover_pack_out}/hover.6.gz DESTINATION share/man/man6)
install(FILES ${_hover_pack_out}/copyright ${_hover_pack_out}/changelog.gz DESTINATION share/doc/${HOVER_PACKAGE})
