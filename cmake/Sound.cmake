# Race music needs a General MIDI patch set: Allegro's MIDI driver on Linux
# (DIGMID) plays nothing without one.  Debian's freepats package holds the
# patches; this lays, in the game folder,
#   patches/default.cfg   the freepats index without its "dir" line
#   patches/Tone_000, patches/Drum_000   links to the freepats folders
#   allegro.cfg           [sound] patches = patches/
# The library reads allegro.cfg from the folder of the executable (or from the
# folder the ALLEGRO environment variable names) and takes a relative patches
# path from the working directory, where the game finds all its content.  The
# folder names no place of its own, so it plays wherever it is copied; the
# only absolute names are the links to Debian's freepats folders.  Without
# the patches the game still runs, with sound effects but no music, and says
# so once on standard error.
#
# Include from the top CMakeLists.txt after GAME_DIR is set:
#   include(cmake/Sound.cmake)
# or run it alone on a game folder:
#   cmake -DGAME_DIR=/path/to/game -P cmake/Sound.cmake
# A player's own allegro.cfg (for example with the music turned off) is kept
# as long as it names the patches laid here.  The installed game copies this
# allegro.cfg into each player's folder.

set(HOVER_FREEPATS_DIR /usr/share/midi/freepats CACHE PATH "Folder holding the freepats Tone_000 and Drum_000 folders")
set(HOVER_FREEPATS_INDEX /etc/timidity/freepats.cfg CACHE FILEPATH "The freepats patch index")

set(_hover_patches ${GAME_DIR}/patches)
set(_hover_allegro_cfg ${GAME_DIR}/allegro.cfg)
set(HOVER_PATCHES_SETTING "patches = patches/")

if(EXISTS ${HOVER_FREEPATS_INDEX} AND IS_DIRECTORY ${HOVER_FREEPATS_DIR}/Tone_000 AND IS_DIRECTORY ${HOVER_FREEPATS_DIR}/Drum_000)
  if(NOT CMAKE_SCRIPT_MODE_FILE)
    # lay the index again whenever freepats is updated
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${HOVER_FREEPATS_INDEX})
  endif()
  file(READ ${HOVER_FREEPATS_INDEX} _hover_index)
  # DIGMID does not take the index's "dir" line: the patch names are read
  # relative to the folder of default.cfg instead
  string(REGEX REPLACE "(^|\n)[ \t]*dir[ \t][^\n]*" "\\1" _hover_index "${_hover_index}")
  file(MAKE_DIRECTORY ${_hover_patches})
  file(WRITE ${_hover_patches}/default.cfg "${_hover_index}")
  foreach(_hover_bank Tone_000 Drum_000)
    if(IS_SYMLINK ${_hover_patches}/${_hover_bank} OR EXISTS ${_hover_patches}/${_hover_bank})
      file(REMOVE ${_hover_patches}/${_hover_bank})
    endif()
    file(CREATE_LINK ${HOVER_FREEPATS_DIR}/${_hover_bank} ${_hover_patches}/${_hover_bank} SYMBOLIC)
  endforeach()
  set(_hover_keep_cfg FALSE)
  if(EXISTS ${_hover_allegro_cfg})
    file(READ ${_hover_allegro_cfg} _hover_cfg)
    string(FIND "${_hover_cfg}" "${HOVER_PATCHES_SETTING}\n" _hover_at)
    if(NOT _hover_at EQUAL -1)
      set(_hover_keep_cfg TRUE)
    endif()
  endif()
  if(NOT _hover_keep_cfg)
    file(WRITE ${_hover_allegro_cfg}
    "# Sound settings of the game, read by the library at start-up.\n"
    "# To turn the race music off, add the line\n"
    "#   midi_card = 0\n"
    "# to the [sound] section; sound effects still play.\n"
    "[sound]\n"
    "${HOVER_PATCHES_SETTING}\n")
  endif()
  message(STATUS "Race music: freepats patches laid in ${_hover_patches}")
else()
  message(WARNING "freepats not found (${HOVER_FREEPATS_INDEX}, ${HOVER_FREEPATS_DIR}): "
                  "the game will play without music; scripts/setup installs it")
  if(NOT EXISTS ${_hover_allegro_cfg})
    file(WRITE ${_hover_allegro_cfg}
      "# Sound settings of the game, read by the library at start-up.\n"
      "# No patch set was found when the game was built, so no music plays.\n"
      "[sound]\n")
  endif()
endif()
