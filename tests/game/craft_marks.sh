#!/bin/bash
# The player's marks in a real window, on a track of the test's own whose
# start gate faces +x: the craft starts with its nose up and to the right of
# the screen, a diagonal heading, and the white chevron lies that way. After
# a burst of thrust and a turn to the left with the throttle let go, the
# yellow dots still point up and to the right, the way it slides, while the
# chevron has turned away. The HUD line reads on its band.
source "$(dirname "$0")/lib/common.sh"
game_test_init "$1" 120
require_content
start_xvfb
quiet_sound
own_tracks
cat >"$RUN_DIR/tracks/track1.txt" <<TRACK
C 1600 1536 $(z 1600 1536) 40 0 0
C 1900 1300 $(z 1900 1300) 40 1 0
E
TRACK

# mark FILE COLOUR FUZZ: "pixels degrees" of a colour within 90 pixels of the
# craft's body at (320, 234), the degrees (up from the right) of their middle
mark() {
    convert "$1" -crop 180x180+230+144 +repage -fuzz "$3" -fill black +opaque "$2" -fill white -opaque "$2" \
        -compress none +set comment pgm:- | awk '
        NR == 2 { w = $1; next } NR <= 3 { next }
        { for (i = 1; i <= NF; ++i) { if ($i > 0) { n++; x += k % w - 90; y += int(k / w) - 90 } k++ } }
        END { printf "%d %.0f\n", n, n ? atan2(-y, x) * 180 / 3.14159265 : 0 }'
}
white="rgb(255,255,255)" yellow="rgb(255,224,0)"

start_game
choose 0 1
wait_preview 40
hold Return 0.15
wait_race 60
s="$(shot grid)"
read -r n nose <<<"$(mark "$s" "$white" 3%)"
log "on the grid: a chevron of $n pixels at $nose degrees"
# heading 0 is (1, -1/2) on the screen: 27 degrees up from the right
[ "$n" -ge 20 ] && [ "$nose" -ge 19 ] && [ "$nose" -le 35 ] || fail "no chevron up and to the right ($n pixels, $nose degrees)"
[ "$(mark "$s" "$yellow" 6%)" = "0 0" ] || fail "drift dots on the grid"
line="$(READ_EXACT=1 read_text "$s" 5 5 70)"
[[ "$line" == "lap:0 current lap time:"*P4 ]] || fail "the HUD on its band reads \"$line\""

# past the still first second: a burst of thrust, then the nose turned left while sliding
sleep 1
xdotool keydown Up
sleep 2.2
xdotool keyup Up keydown Left
sleep 0.7
s="$(shot drift)"
xdotool keyup Left
read -r n nose <<<"$(mark "$s" "$white" 3%)"
read -r dots slide <<<"$(mark "$s" "$yellow" 6%)"
log "sliding: chevron at $nose degrees, $dots pixels of dots at $slide degrees"
[ "$n" -ge 20 ] && [ "$dots" -ge 20 ] || fail "no chevron ($n) or no dots ($dots) while sliding"
[ "$slide" -ge 5 ] && [ "$slide" -le 50 ] || fail "the dots lie at $slide degrees, not the way the craft slides"
[ $((nose - slide)) -ge 15 ] || fail "the nose turned left ($nose degrees) does not part from the slide ($slide degrees)"
keep_shot "$s" "craft-marks"
hold Escape 0.15
wait_track_dialog Track 15
log "passed"
