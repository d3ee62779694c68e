#!/bin/bash
# Moving between screens with keys held too long, and the window's close
# button (start_game finds the window by its title, the game's name): Enter
# held 2 s in the language dialog and Escape held 2 s in a race each move one
# screen, to the track dialog, which stays; the close button ends the game
# from there, and ends the editor with newtrack.txt saved. A SIGTERM (a
# logout, a kill) ends a race with status 143 and no core, and ends the
# editor the same way after saving.
source "$(dirname "$0")/lib/common.sh"
game_test_init "$1" 180
require_content
start_xvfb
quiet_sound

# still_track_dialog WHAT: the track dialog shows a while after WHAT
still_track_dialog() {
    sleep 1.5
    game_running || fail "the game ended after $1"
    [ "$(read_text "$(shot after)" 8 8 20)" = "Track" ] || fail "$1 did not stop at the track dialog"
}

start_game
wait_language_dialog 20
hold Return 2
still_track_dialog "Enter held for 2 s in the language dialog"
hold Return 0.15
wait_preview 40
hold Return 0.15
wait_race 60
hold Escape 2
still_track_dialog "Escape held for 2 s in a race"
close_window
wait_game_end 10 || fail "the close button did not end the game from the track dialog"
[ "$GAME_STATUS" -eq 0 ] || fail "status $GAME_STATUS after the close button"

edit_placing 1
close_window
wait_game_end 15 && [ "$GAME_STATUS" -eq 0 ] || fail "the close button did not end the editor with status 0"
original="$(grep -o '^[SCPW]' "$GAME_DIR/tracks/track1.txt" | tr -d '\n')"
saved="$(saved_records)"
[ "$saved" = "${original}SE" ] || fail "newtrack.txt holds \"$saved\", not the track's records, the new S and E"

# a signal in a race: a clean end, the shell's status for it, a line saying why
start_game
wait_language_dialog 20
hold Return 0.15
wait_track_dialog Track 20
hold Return 0.15
wait_preview 40
hold Return 0.15
wait_race 60
kill -TERM "$GAME_PID"
wait_game_end 5 || fail "SIGTERM did not end the race within 5 s"
[ "$GAME_STATUS" -eq 143 ] || fail "status $GAME_STATUS after SIGTERM in a race, not 143"
game_errors | grep -q "Ended by signal 15" || fail "no line on standard error after SIGTERM: $(game_errors | head -n 3)"

# a signal in the editor saves first
rm -f "$RUN_DIR/newtrack.txt"
edit_placing 2
kill -TERM "$GAME_PID"
wait_game_end 5 || fail "SIGTERM did not end the editor within 5 s"
[ "$GAME_STATUS" -eq 143 ] || fail "status $GAME_STATUS after SIGTERM in the editor, not 143"
saved="$(saved_records)"
[ "$saved" = "${original}SE" ] || fail "after SIGTERM newtrack.txt holds \"$saved\", not the track's records, the new S and E"
log "passed"
