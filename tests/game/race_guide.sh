#!/bin/bash
# What a race shows a player to find the way, played on a track file of the
# test's own near the island's far corner, where the window reaches past the
# top of the map: the start gate with a wide gate 1 just behind it, across the
# grid. Checks the preview's title and prompt; on the grid, the rows past the
# map stay black under a HUD line that reads, and the next gate is drawn in the
# guide's colour; Up held drives through gate 1 first: "Missed gate 0" on the
# message line; on through gate 0, where both gates touch the craft and every
# lap counts at once: the results, the player first with a time and the three
# others, frozen on the grid, still racing. Escape leaves as ever.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/race.sh"
game_test_init "$1" 150
require_content
start_xvfb
quiet_sound
make_run_dir
rm "$RUN_DIR/tracks"
mkdir "$RUN_DIR/tracks"
# The start gate faces along (1, -1), to the right on the screen, down a gentle
# slope; gate 1, three times as wide, lies 115 units behind it, so that the
# player's craft (120 behind gate 0) crosses it first and is still inside it
# when it crosses gate 0. An "opponents frozen" powerup where the player's craft
# stands on the grid keeps the others off the gates. Each object stands on the
# ground, at the height of the terrain.
# shellcheck disable=SC2046
cc -o "$WORK/height" "$(dirname "$0")/lib/height.c" $(pkg-config --cflags --libs allegro) -lm ||
    fail "cannot build the height reader"
z() { "$WORK/height" "$GAME_DIR/tracks.dat" 1 "$1" "$2" || fail "no height at ($1, $2)"; }
cat >"$RUN_DIR/tracks/track1.txt" <<TRACK
C 2700 2672 $(z 2700 2672) 40 0 45
C 2618.7 2753.3 $(z 2618.7 2753.3) 120 1 45
P 2629.3 2771 $(z 2629.3 2771) 3
E
TRACK
GUIDE="rgb(255,65,255)"   # the guide's colour as a 16-bit frame shows it

start_game
choose 0 1
wait_preview 40
s="$(shot preview)"
[ "$(read_text "$s" 10 10 7)" = "Preview" ] || fail "no title on the preview: \"$(read_text "$s" 10 10 7)\""
prompt="$(read_text "$s" 248 396 18)"
[ "$prompt" = "Ready? Press a key" ] || fail "no prompt under the preview: \"$prompt\""
hold Return 0.15
wait_race 60
# the field stands still for a second: the next gate, gate 0, is drawn
s="$(shot grid)"
guide="$(convert "$s" -fuzz 6% -fill white -opaque "$GUIDE" -fill black +opaque white -format '%[fx:mean*w*h]' info:)"
log "pixels of the guide's colour: $guide"
ge "$guide" 150 || fail "the next gate is not drawn ($guide pixels of its colour)"

xdotool keydown Up
t0="$(now_ms)"
message=""
until [ "$message" = "Missed gate 0" ]; do
    [ $(( $(now_ms) - t0 )) -gt 8000 ] && fail "no \"Missed gate 0\" after driving through gate 1 (read \"$message\")"
    s="$(shot drive)"
    message="$(read_message "$s" 13)"
done
log "message line: $message"
keep_shot "$s" "missed-gate"
yellow="rgb(255,255,0)"
until [ "$(read_text "$s" 180 296 7 "$yellow")" = "Results" ]; do
    [ $(( $(now_ms) - t0 )) -gt 20000 ] && fail "no results after driving through gate 0"
    s="$(shot drive)"
done
xdotool keyup Up
keep_shot "$s" "results"
# a line of the results: place, race time, best lap, in the colour given
result() { echo "$(read_text "$s" 180 "$1" 1 "$2") $(read_text "$s" 242 "$1" 9 "$2") $(read_text "$s" 370 "$1" 9 "$2")"; }
first="$(result 324 "$yellow")"
log "results, first line: $first"
echo "$first" | grep -Eq '^1 00:0[0-9]\.[0-9]{3} 00:00\.[0-9]{3}$' || fail "the player is not first with a time and a lap: \"$first\""
for row in 1 2 3; do
    other="$(result $((324 + 14 * row)) white)"
    [ "$other" = "$((row + 1)) racing --:--.---" ] || fail "line $((row + 1)) of the results reads \"$other\""
done

# a while later, the HUD still reads and the rows past the top of the map are black
sleep 1.5
s="$(shot edge)"
line="$(READ_EXACT=1 read_text "$s" 5 5 70)"
log "past the finish: $line"
case "$line" in lap:4" current lap time:"*P1) ;; *) fail "the HUD does not read over the rows past the map: \"$line\"" ;; esac
[ "${line//[^?]/}" = "" ] || fail "stale pixels in the HUD line past the map: \"$line\""
# (the icons of the effects are drawn from the right at (600, 0))
[ "$(mean "$s" 580x40+0+16)" = "0" ] || fail "pixels left over past the map's edge (mean $(mean "$s" 580x40+0+16))"

hold Escape 0.15
wait_track_dialog Track 15
hold Escape 0.15
wait_game_end 10 || fail "Escape in the track dialog did not end the game"
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"
log "passed"
