#!/bin/bash
# The track editor as a track author uses it: `hover e 1` shows the preview,
# then the track with the white cursor in the middle; the cursor walks (the
# view follows it), a scenery object, a checkpoint, a powerup and a waypoint
# are placed at different spots. Escape while newtrack.txt cannot be written
# (newtrack.txt.tmp taken by a folder) keeps the editor open and says why on
# the screen; with the folder gone, Escape ends the program with status 0,
# leaving newtrack.txt with the track's records and the four new ones at the
# end, closed by E, and the newtrack.txt from before as newtrack.txt~.
source "$(dirname "$0")/lib/common.sh"
game_test_init "$1" 90
require_content
start_xvfb
quiet_sound
make_run_dir
track_file="$GAME_DIR/tracks/track1.txt"
[ -f "$track_file" ] || fail "no $track_file"

start_game e 1
wait_preview 40
keep_shot "$WORK/preview.png" "editor-preview"
hold Return 0.15

wait_editor 40
log "editor shows the track and its cursor"
# the first second of a run stands still; let the clock start
sleep 1.5

# walking the cursor up-right (S): the view follows it
s0="$(shot walk-0)"
hold s 1.0
sleep 0.3
s1="$(shot walk-1)"
d="$(differ "$s0" "$s1" 640x440+0+40)"
log "cursor walked with S: $d of the map area changed"
ge "$d" 0.25 || fail "the view did not follow the cursor (only $d of the map area changed)"
[ "$(colour "$s1" 320 235)" = "255,255,255" ] || fail "the cursor is not in the middle of the frame after walking"

# four objects, each at its own place (A walks up-left between them); the
# command lock of one second is waited out after each
for k in 1 c F1 w; do
    hold "$k" 0.15
    sleep 1.5
    hold a 0.4
done
s="$(shot placed)"
keep_shot "$s" "editor-track1"

# a save that cannot be made: the editor stays, says why, and loses nothing
printf 'S 1 1 1 1\nE\n' >"$RUN_DIR/newtrack.txt"
mkdir "$RUN_DIR/newtrack.txt.tmp"
hold Escape 0.15
sleep 1
game_running || fail "Escape ended the editor although the save failed"
said="$(read_text "$(shot not-saved)" 4 24 78)"
[ "$said" = "Not saved: newtrack.txt.tmp: it is a folder. Rename or remove the folder" ] ||
    fail "the failed save reads \"$said\""
log "the failed save: $said"
rmdir "$RUN_DIR/newtrack.txt.tmp"
hold Escape 0.15
wait_game_end 15 || fail "Escape did not end the editor once the save could be made"
[ "$GAME_STATUS" -eq 0 ] || fail "the editor ended with status $GAME_STATUS"
[ "$(game_errors)" = "Not saved: newtrack.txt.tmp: it is a folder. Rename or remove the folder newtrack.txt.tmp, then Escape saves again; F10 leaves without saving." ] ||
    fail "the editor wrote errors: $(game_errors | head -n 3)"
[ "$(cat "$RUN_DIR/newtrack.txt~")" = "$(printf 'S 1 1 1 1\nE')" ] || fail "the newtrack.txt from before was not kept as newtrack.txt~"
out="$RUN_DIR/newtrack.txt"
[ -f "$out" ] || fail "no newtrack.txt after Escape"

# the same records as the track file, then the four placed, then E
original="$(grep -o '^[SCPW]' "$track_file" | tr -d '\n')"
saved="$(awk '{ printf "%s", $1 }' "$out")"
[ "$saved" = "${original}SCPWE" ] || fail "newtrack.txt records are \"$saved\", expected \"${original}SCPWE\""
[ "$(tail -n 1 "$out")" = "E" ] || fail "newtrack.txt does not end with E"
[ "$(grep -c '^[SCPW] ' "$out")" -eq $(( ${#original} + 4 )) ] || fail "newtrack.txt has records not written one to a line"

# the new records: scenery kind 1; a checkpoint of radius 40 at angle 0 and
# a waypoint, each numbered one above the highest of its kind on the track
# (so gates and waypoints placed in driving order are numbered in it); a
# powerup of kind 1.  Walked further up-left (+y) each time, and all right
# (+x) of the middle where the cursor started.
next_gate="$(awk '$1 == "C" && $6 + 1 > n { n = $6 + 1 } END { print n + 0 }' "$track_file")"
next_waypoint="$(awk '$1 == "W" && $5 + 1 > n { n = $5 + 1 } END { print n + 0 }' "$track_file")"
tail -n 5 "$out" | head -n 4 >"$WORK/new.txt"
awk -v gate="$next_gate" -v waypoint="$next_waypoint" '
    NR == 1 && !($1 == "S" && $5 == 1 && NF == 5) { print "scenery record wrong: " $0; bad = 1 }
    NR == 2 && !($1 == "C" && $5 == 40 && $6 == gate && $7 == 0 && NF == 7) { print "checkpoint record wrong (number " gate " wanted): " $0; bad = 1 }
    NR == 3 && !($1 == "P" && $5 == 1 && NF == 5) { print "powerup record wrong: " $0; bad = 1 }
    NR == 4 && !($1 == "W" && $5 == waypoint && NF == 5) { print "waypoint record wrong (number " waypoint " wanted): " $0; bad = 1 }
    { if ($2 <= 1536) { print "not right of the start: " $0; bad = 1 }
      if (NR > 1 && $3 <= y) { print "not further up-left than the one before: " $0; bad = 1 }
      if ($2 != x && NR > 1) { print "x changed without S or Z: " $0; bad = 1 }
      x = $2; y = $3 }
    END { exit bad }' "$WORK/new.txt" >"$WORK/new.check" || fail "$(cat "$WORK/new.check"); records: $(tr '\n' '|' <"$WORK/new.txt")"
log "newtrack.txt: the track's $(( ${#original} )) records, then $(tr '\n' '|' <"$WORK/new.txt")E"
[ ! -e "$GAME_DIR/newtrack.txt" ] || [ "$(readlink -f "$GAME_DIR/newtrack.txt")" != "$(readlink -f "$out")" ] ||
    fail "the editor wrote into the game folder"
log "passed"
