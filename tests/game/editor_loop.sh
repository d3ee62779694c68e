#!/bin/bash
# The track author's loop, played as the README tells it: the editor started
# on an empty track on ground 2 (hover e 2 new), the cursor walked round the
# course with S/Z and A/X by the position its readout shows, four gates (C)
# and eight waypoints (W) placed in driving order with the readout showing
# each one's number, F5 answering "Track OK" on the screen and on standard
# output; F6 driving it with the player on the grid for a few seconds, Escape
# back to the editor with the cursor where it was, Escape again saving
# newtrack.txt with the loop; then newtrack.txt copied over
# tracks/track2.txt and hover-check 2 passes it: all four computer drivers
# finish their three laps.
source "$(dirname "$0")/lib/common.sh"
game_test_init "$1" 240
require_content
command -v python3 >/dev/null || fail "python3 is not installed (it walks the cursor)"
HANDS="$(dirname "$0")/lib/editor_loop.py"
CHECK_BIN="$GAME_DIR/hover-check"
[ -x "$CHECK_BIN" ] || fail "no hover-check at $CHECK_BIN"
real_track="$GAME_DIR/tracks/track2.txt"
[ -f "$real_track" ] || fail "no $real_track"
start_xvfb
quiet_sound

# A test folder of its own: the game's content, and track files the test may replace.
RUN_DIR="$WORK/run"
mkdir -p "$RUN_DIR/tracks"
ln -s "$GAME_DIR/data.dat" "$RUN_DIR/data.dat"
ln -s "$GAME_DIR/tracks.dat" "$RUN_DIR/tracks.dat"
cp "$GAME_DIR"/tracks/track*.txt "$RUN_DIR/tracks/"
# the loop follows the real course of track 2: eight points of its route, four of them gates
python3 "$HANDS" plan "$real_track" "$WORK/plan.txt" || fail "cannot plan the loop from $real_track"
log "the loop to build on ground 2:"
sed 's/^/    /' "$WORK/plan.txt"

start_game e 2 new
wait_preview 40
hold Return 0.15
wait_editor 40
# the first second of a run stands still; let the clock start
sleep 2.5
t0="$(now_ms)"
first="$(read_text "$(shot empty)" 4 4 78)"
case "$first" in
    "x 1536  y 1536  height "*"  ground of track 2  next CP 0 WP 0  H keys") ;;
    *) fail "the readout of a new track on ground 2 reads \"$first\"" ;;
esac

_glyphs
LIB="$(dirname "$0")/lib" WORK="$WORK" GAME_WIN="$GAME_WIN" python3 "$HANDS" drive "$WORK/plan.txt" >"$WORK/drive.log" 2>&1 || {
    cat "$WORK/drive.log" >&2
    fail "walking the cursor failed"
}
sed 's/^/    /' "$WORK/drive.log"
game_running || fail "the editor ended while the loop was being built"
log "loop placed in $(( ($(now_ms) - t0) / 1000 )) s"
keep_shot "$(shot placed)" "editor-loop"

# F5: the check runs inside the editor and answers on the screen and on standard output
last_report() { awk '/^Layout: /{text=""} {text=text $0 "\n"} END{printf "%s", text}' "$GAME_OUT"; }
hold F5 0.3
verdict=""
for _ in $(seq 1 300); do
    verdict="$(grep '^Verdict: ' "$GAME_OUT" | tail -n 1)"
    [ -n "$verdict" ] && break
    game_running || fail "the editor ended during the F5 check"
    sleep 0.1
done
[ -n "$verdict" ] || fail "F5 gave no verdict within 30 s"
log "F5: $verdict"
case "$verdict" in
    "Verdict: Track OK"*) ;;
    *) echo "--- F5 report" >&2; last_report >&2; fail "F5 did not say Track OK" ;;
esac
shown="$(read_text "$(shot verdict)" 4 24 78)"
case "$shown" in
    "F5 on the ground of track 2: Track OK"*) ;;
    *) fail "the verdict on the screen reads \"$shown\"" ;;
esac

# F6: the loop raced from the editor, the player on the grid; Escape comes back
readout="$(read_text "$(shot before-drive)" 4 4 78)"
hold F6 0.3
wait_race 30
s="$(shot drive-start)"
message="$(read_message "$s" 40)"
case "$message" in "Test drive"*) ;; *) fail "the drive opens with \"$message\"" ;; esac
sleep 1
xdotool keydown Up
sleep 3
s="$(shot driving)"
xdotool keyup Up
line="$(read_hud "$s")"
log "driving: $line"
ms="$(hud_ms "$line")"
[ -n "$ms" ] && [ "$ms" -gt 1000 ] || fail "the drive's clock did not run: \"$line\""
keep_shot "$s" "test-drive"
hold Escape 0.15
# the editor's frame again, saying so, with the cursor where it stood
wait_text 4 24 57 "F6: back from the test drive; the track is as you left it" 20
s="$(shot after-drive)"
[ "$(read_text "$s" 4 4 78)" = "$readout" ] || fail "back from the drive the readout is \"$(read_text "$s" 4 4 78)\", not \"$readout\""
[ ! -e "$RUN_DIR/newtrack.txt" ] || fail "the drive saved newtrack.txt"
game_running || fail "Escape in the drive ended the editor"

hold Escape 0.15
wait_game_end 15 || fail "Escape did not end the editor"
[ "$GAME_STATUS" -eq 0 ] || fail "the editor ended with status $GAME_STATUS"
saved="$RUN_DIR/newtrack.txt"
[ -f "$saved" ] || fail "the editor saved no newtrack.txt"
if ! python3 "$HANDS" compare "$WORK/plan.txt" "$saved" 40 >"$WORK/compare.txt"; then
    cat "$WORK/compare.txt" >&2
    fail "the saved placements are not the planned loop"
fi
log "placements planned against saved:"
sed 's/^/    /' "$WORK/compare.txt"
cmp -s "$RUN_DIR/tracks/track2.txt" "$real_track" || fail "the editor changed tracks/track2.txt"

# as the README says: the new track over track 2, checked on its own ground
(cd "$RUN_DIR" && cp newtrack.txt tracks/track2.txt && "$CHECK_BIN" 2) >"$WORK/check.txt" 2>&1
status=$?
report() { echo "--- hover-check 2 (status $status)" >&2; cat "$WORK/check.txt" >&2; }
[ "$status" -eq 0 ] || { report; fail "hover-check 2 does not pass the new track"; }
grep -q '^Checking tracks/track2.txt on the ground of track 2$' "$WORK/check.txt" || { report; fail "hover-check 2 did not check tracks/track2.txt"; }
finished="$(grep -cE '^  craft [1-4]: finished [1-4](st|nd|rd|th) in [0-9]+:[0-9]{2}\.[0-9]{2}, laps( [0-9]+:[0-9]{2}\.[0-9]{2}){3}, [0-9]+ units/s' "$WORK/check.txt")"
[ "$finished" -eq 4 ] || { report; fail "$finished of the four computer drivers finished three laps"; }
grep -q '^Layout: no problems$' "$WORK/check.txt" || { report; fail "hover-check found layout problems"; }
grep -q '^Verdict: Track OK' "$WORK/check.txt" || { report; fail "hover-check's verdict is not Track OK"; }
grep '^  craft ' "$WORK/check.txt" | sed 's/^ */    /'
log "passed in $(( ($(now_ms) - t0) / 1000 + 0 )) s after the editor opened"
