#!/bin/bash
# A race on a track played as a player, in a language of the dialog (0
# English, 1 French, 2 the third): dialogs, preview, driving, the HUD, the
# clock's pace, Pause and Space, P, Escape back to the track dialog.
#   race_track.sh GAME_DIR TRACK LANGUAGE
# CTest runs it once on each track, as game.race_track1 to game.race_track3.
TEST_NAME="race_track$2"
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/race.sh"
game_test_init "$1" 150
require_content
start_xvfb
quiet_sound
race_session "$2" "$3"
