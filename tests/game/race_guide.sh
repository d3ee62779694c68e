#!/bin/bash
# The way shown to a player, on a track of the test's own on the high ground
# near the island's far corner, where the window reaches past the map: the preview's texts, the next
# gate, "Missed gate 0" after Up drives through gate 1 first, the results after
# the finish, and a clean HUD over the rows past the map.
source "$(dirname "$0")/lib/common.sh"
game_test_init "$1" 150
require_content
start_xvfb
quiet_sound
own_tracks
# Gate 0 faces right on the screen; the player's craft, 120 behind it, crosses
# the wide gate 1 first and is still inside it past gate 0, where every lap then
# counts at once. The computer drivers' one waypoint lies far down the screen:
# they turn off the level ground of the grid towards it, out of the player's
# line, and never come back through the gates.
cat >"$RUN_DIR/tracks/track1.txt" <<TRACK
C 2363 2567 $(z 2363 2567) 40 0 45
C 2281.7 2648.3 $(z 2281.7 2648.3) 120 1 45
W 1897 2185 $(z 1897 2185) 0
E
TRACK

start_game
choose 0 1
wait_preview 40
s="$(shot preview)"
[ "$(read_text "$s" 10 10 7)|$(read_text "$s" 248 396 18)" = "Preview|Ready? Press a key" ] || fail "no title or prompt on the preview"
hold Return 0.15
wait_race 60
# still for a second: gate 0, the next, in the guide's colour (as a 16-bit frame has it)
s="$(shot grid)"
guide="$(convert "$s" -fuzz 6% -fill white -opaque "rgb(255,65,255)" -fill black +opaque white -format '%[fx:mean*w*h]' info:)"
ge "$guide" 150 || fail "the next gate is not drawn ($guide pixels of its colour)"

xdotool keydown Up
t0="$(now_ms)"
until [ "$(read_message "$s" 13)" = "Missed gate 0" ]; do
    [ $(( $(now_ms) - t0 )) -gt 8000 ] && fail "no \"Missed gate 0\" after driving through gate 1"
    s="$(shot drive)"
done
keep_shot "$s" "missed-gate"
yellow="rgb(255,255,0)"
until [ "$(read_text "$s" 180 296 7 "$yellow")" = "Results" ]; do
    [ $(( $(now_ms) - t0 )) -gt 20000 ] && fail "no results after driving through gate 0"
    s="$(shot drive)"
done
xdotool keyup Up
keep_shot "$s" "results"
# place, race time and best lap of a line of the results, in a colour
result() { echo "$(read_text "$s" 180 "$1" 1 "$2") $(read_text "$s" 242 "$1" 9 "$2") $(read_text "$s" 370 "$1" 9 "$2")"; }
first="$(result 324 "$yellow")"
log "results: $first"
echo "$first" | grep -Eq '^1 00:0[0-9]\.[0-9]{3} 00:00\.[0-9]{3}$' || fail "the player is not first with a time: \"$first\""
for row in 2 3 4; do
    other="$(result $((296 + 14 * (row + 1))) white)"
    [ "$other" = "$row racing --:--.---" ] || fail "line $row of the results reads \"$other\""
done

# the HUD reads over the rows past the top of the map, which are black (icons from x = 600)
sleep 1.5
s="$(shot edge)"
line="$(READ_EXACT=1 read_text "$s" 5 5 70)"
[[ "$line" == "lap:4 current lap time:"*P1 && "$line" != *"?"* ]] || fail "the HUD past the map reads \"$line\""
[ "$(mean "$s" 580x40+0+16)" = "0" ] || fail "pixels left over past the map's edge"
hold Escape 0.15
wait_track_dialog Track 15
log "passed"
