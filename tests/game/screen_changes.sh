#!/bin/bash
# Moving between screens as a player does, keys held too long, and the
# window's close button (the window is found by its title, the game's name):
#  - Enter held for 2 s in the language dialog opens the track dialog and no
#    more: no track is chosen, no preview starts;
#  - Escape held for 2 s in a race returns to the track dialog, which stays,
#    and the game keeps running; the close button there ends the game with 0;
#  - the close button in the editor ends it with newtrack.txt saved.
source "$(dirname "$0")/lib/common.sh"
game_test_init "$1" 180
require_content
start_xvfb
quiet_sound

# the track dialog still shows, some time after a key was let go
still_track_dialog() {
    sleep 1.5
    game_running || fail "the game ended after $1"
    local s title
    s="$(shot "after-$2")"
    title="$(read_text "$s" 8 8 20)"
    [ "$title" = "Track" ] || fail "after $1 the screen's title reads \"$title\", not the track dialog's"
}

start_game
wait_language_dialog 20
hold Return 2
still_track_dialog "Enter held for 2 s in the language dialog" enter
log "Enter held for 2 s moved one screen"

hold Return 0.15
wait_preview 40
hold Return 0.15
wait_race 60
hold Escape 2
still_track_dialog "Escape held for 2 s in a race" escape
log "Escape held for 2 s moved one screen"

close_window
wait_game_end 10 || fail "the close button did not end the game from the track dialog"
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS after its close button"
log "the close button ended the game from the track dialog"

start_game e 1
wait_preview 40
hold Return 0.15
wait_editor 40
sleep 1.5
hold 1 0.15
sleep 0.3
close_window
wait_game_end 15 || fail "the close button did not end the editor"
[ "$GAME_STATUS" -eq 0 ] || fail "the editor ended with status $GAME_STATUS after its close button"
out="$RUN_DIR/newtrack.txt"
[ -f "$out" ] || fail "no newtrack.txt after the close button"
original="$(grep -o '^[SCPW]' "$GAME_DIR/tracks/track1.txt" | tr -d '\n')"
saved="$(awk '{ printf "%s", $1 }' "$out")"
[ "$saved" = "${original}SE" ] || fail "newtrack.txt records are \"$saved\", expected \"${original}SE\""
log "the close button ended the editor with newtrack.txt saved"
log "passed"
