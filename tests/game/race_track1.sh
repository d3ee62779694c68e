#!/bin/bash
# A race on track 1 played as a player, in language 0 of the dialog
# (0 English, 1 French, 2 the third): dialogs, preview, driving, the HUD,
# the clock's pace, Pause and Space, P, Escape back to the track dialog.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/race.sh"
game_test_init "$1" 150
require_content
start_xvfb
quiet_sound
race_session 1 0
