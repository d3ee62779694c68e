#!/bin/bash
# A race on track 2 played as a player, in language 1 of the dialog
# (0 English, 1 French, 2 the third): dialogs, preview, driving, the HUD,
# the clock's pace, Pause and Space, Escape back to the track dialog.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/race.sh"
game_test_init "$1" 150
require_content
start_xvfb
quiet_sound
race_session 2 1
