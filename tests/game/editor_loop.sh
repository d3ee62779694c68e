#!/bin/bash
# The track author's loop, played as an author plays it: the editor started
# on a track file that holds only the scenery of track 1, the cursor walked
# round the course with S/Z and A/X placing eight waypoints (W) and four
# gates (C) in driving order, F5 answering "Track OK" on standard output,
# Escape saving newtrack.txt; then hover-check passes the saved file and all
# four computer drivers finish their three laps on it.
#
# The cursor is walked by holding keys for timed spells, which the game's
# frame-rate-driven clock follows only roughly, so before each placement the
# author checks where the cursor stands: a spare gate there, F5 (the report
# names a gate the route does not pass, with its position), D, and a short
# move to the planned point.
source "$(dirname "$0")/lib/common.sh"
game_test_init "$1" 120
require_content
command -v python3 >/dev/null || fail "python3 is not installed (it walks the cursor)"
HANDS="$(dirname "$0")/lib/editor_loop.py"
CHECK_BIN="$GAME_DIR/hover-check"
[ -x "$CHECK_BIN" ] || fail "no hover-check at $CHECK_BIN"
real_track="$GAME_DIR/tracks/track1.txt"
[ -f "$real_track" ] || fail "no $real_track"
start_xvfb
quiet_sound

# A test folder of its own: the game's content, and a track 1 with scenery only.
RUN_DIR="$WORK/run"
mkdir -p "$RUN_DIR/tracks"
ln -s "$GAME_DIR/data.dat" "$RUN_DIR/data.dat"
ln -s "$GAME_DIR/tracks.dat" "$RUN_DIR/tracks.dat"
python3 "$HANDS" scenery "$real_track" "$RUN_DIR/tracks/track1.txt" || fail "cannot write the scenery-only track"
scenery="$(grep -c '^S' "$RUN_DIR/tracks/track1.txt")"
[ "$scenery" -gt 0 ] || fail "track 1 has no scenery records"
grep -q '^[CWP]' "$RUN_DIR/tracks/track1.txt" && fail "the scenery-only track holds other records"
# the loop follows the real course: eight points of its route, four of them gates
python3 "$HANDS" plan "$real_track" "$WORK/plan.txt" || fail "cannot plan the loop from $real_track"
log "track 1 reduced to its $scenery scenery records; the loop to build:"
sed 's/^/    /' "$WORK/plan.txt"

start_game e 1
wait_preview 40
hold Return 0.15
wait_editor 40
# the first second of a run stands still; let the clock start
sleep 2.5
t0="$(now_ms)"

python3 "$HANDS" drive "$WORK/plan.txt" "$GAME_OUT" >"$WORK/drive.log" 2>&1 || {
    cat "$WORK/drive.log" >&2
    fail "walking the cursor failed"
}
sed 's/^/    /' "$WORK/drive.log"
game_running || fail "the editor ended while the loop was being built"
log "loop placed in $(( ($(now_ms) - t0) / 1000 )) s"
keep_shot "$(shot placed)" "editor-loop"

# F5: the check runs inside the editor and answers on standard output
last_report() { awk '/^Layout: /{text=""} {text=text $0 "\n"} END{printf "%s", text}' "$GAME_OUT"; }
reports="$(grep -c '^Verdict: ' "$GAME_OUT")"
hold F5 0.3
verdict=""
for _ in $(seq 1 300); do
    if [ "$(grep -c '^Verdict: ' "$GAME_OUT")" -gt "$reports" ]; then
        verdict="$(grep '^Verdict: ' "$GAME_OUT" | tail -n 1)"
        break
    fi
    game_running || fail "the editor ended during the F5 check"
    sleep 0.1
done
[ -n "$verdict" ] || fail "F5 gave no verdict within 30 s"
log "F5: $verdict"
case "$verdict" in
    "Verdict: Track OK"*) ;;
    *)
        echo "--- F5 report" >&2
        last_report >&2
        hold Escape 0.15
        wait_game_end 15 && [ -f "$RUN_DIR/newtrack.txt" ] &&
            python3 "$HANDS" compare "$WORK/plan.txt" "$RUN_DIR/newtrack.txt" "$scenery" 80 >&2
        fail "F5 did not say Track OK"
        ;;
esac
game_running || fail "the editor ended after the F5 check"

hold Escape 0.15
wait_game_end 15 || fail "Escape did not end the editor"
[ "$GAME_STATUS" -eq 0 ] || fail "the editor ended with status $GAME_STATUS"
saved="$RUN_DIR/newtrack.txt"
[ -f "$saved" ] || fail "the editor saved no newtrack.txt"
if ! python3 "$HANDS" compare "$WORK/plan.txt" "$saved" "$scenery" 80 >"$WORK/compare.txt"; then
    cat "$WORK/compare.txt" >&2
    fail "the saved placements are not the planned loop"
fi
log "placements planned against saved:"
sed 's/^/    /' "$WORK/compare.txt"
# the game's own track file is untouched
cmp -s "$RUN_DIR/tracks/track1.txt" <(python3 "$HANDS" scenery "$real_track" /dev/stdout) ||
    fail "the editor changed tracks/track1.txt"

# the author's check of the saved file, as run from the command line
(cd "$RUN_DIR" && "$CHECK_BIN" 1 newtrack.txt) >"$WORK/check.txt" 2>&1
status=$?
report() { echo "--- hover-check 1 newtrack.txt (status $status)" >&2; cat "$WORK/check.txt" >&2; }
[ "$status" -eq 0 ] || { report; fail "hover-check does not pass the saved track"; }
finished="$(grep -cE '^  craft [1-4]: finished [1-4](st|nd|rd|th) in [0-9]+:[0-9]{2}\.[0-9]{2}, laps( [0-9]+:[0-9]{2}\.[0-9]{2}){3}$' "$WORK/check.txt")"
[ "$finished" -eq 4 ] || { report; fail "$finished of the four computer drivers finished three laps"; }
grep -q '^Layout: no problems$' "$WORK/check.txt" || { report; fail "hover-check found layout problems"; }
grep -q '^Verdict: Track OK: all four finished' "$WORK/check.txt" || { report; fail "hover-check's verdict is not Track OK"; }
grep '^  craft ' "$WORK/check.txt" | sed 's/^ */    /'
log "passed in $(( ($(now_ms) - t0) / 1000 + 0 )) s after the editor opened"
