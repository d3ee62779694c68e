#!/bin/bash
# The marks of the player's craft in a real window, on a track of the test's
# own in the middle of ground 1, whose start gate faces +x: the craft starts
# with its nose up and to the right on the screen, a diagonal heading. On the
# grid the white chevron lies that way from the craft; after a burst of
# thrust and a turn to the left with the throttle let go, the craft slides on
# up and to the right (the yellow dots) while its nose has turned away (the
# chevron). The HUD line reads on its band.
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

# where the pixels of a colour lie round the craft, whose body is at (320, 234):
# "count dx dy" of their middle from there, within 90 pixels
marks_of() {
    convert "$1" -crop 180x180+230+144 +repage -fuzz "$3" -fill black +opaque "$2" -fill white -opaque "$2" \
        -compress none +set comment pgm:- | awk '
        NR == 2 { w = $1; next } NR <= 3 { next }
        { for (i = 1; i <= NF; ++i) { if ($i > 0) { n++; sx += k % w; sy += int(k / w) } k++ } }
        END { if (n) printf "%d %.1f %.1f\n", n, sx / n - 90, sy / n - 90; else print "0 0 0" }'
}
# the screen angle in degrees (y up) of a mark's middle
angle_of() { awk -v x="$2" -v y="$3" 'BEGIN { printf "%.0f\n", atan2(-y, x) * 180 / 3.14159265 }'; }
white="rgb(255,255,255)" yellow="rgb(255,224,0)"

start_game
choose 0 1
wait_preview 40
hold Return 0.15
wait_race 60
s="$(shot grid)"
read -r n x y <<<"$(marks_of "$s" "$white" 3%)"
a="$(angle_of "$n" "$x" "$y")"
log "on the grid: chevron of $n pixels at ($x, $y), $a degrees"
[ "$n" -ge 20 ] || fail "no chevron by the craft on the grid ($n pixels)"
# heading 0 is (1, -1/2) on the screen: 27 degrees above the right
[ "$a" -ge 19 ] && [ "$a" -le 35 ] || fail "the chevron lies at $a degrees, not up and to the right"
dots="$(marks_of "$s" "$yellow" 6%)"
[ "${dots%% *}" = 0 ] || fail "drift dots on the grid: $dots"
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
read -r n x y <<<"$(marks_of "$s" "$white" 3%)"
read -r dots dx dy <<<"$(marks_of "$s" "$yellow" 6%)"
nose="$(angle_of "$n" "$x" "$y")"
slide="$(angle_of "$dots" "$dx" "$dy")"
log "sliding: chevron at $nose degrees, $dots pixels of dots at $slide degrees"
[ "$n" -ge 20 ] && [ "$dots" -ge 20 ] || fail "no chevron ($n) or no dots ($dots) while sliding"
[ "$slide" -ge 5 ] && [ "$slide" -le 50 ] || fail "the dots lie at $slide degrees, not the way the craft slides"
[ $((nose - slide)) -ge 15 ] || fail "the nose turned left ($nose degrees) does not part from the slide ($slide degrees)"
keep_shot "$s" "craft-marks"
hold Escape 0.15
wait_track_dialog Track 15
log "passed"
