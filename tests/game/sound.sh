#!/bin/bash
# Music and silence, proven from the game's own sound output: the sound
# library's default output is pointed at a WAV file (a private ~/.asoundrc),
# and the recording is measured.
#  - a race: silent in the dialogs and the preview, the tune playing a few
#    seconds after the race starts, silent again once Escape has brought
#    back the track dialog;
#  - the editor: silent from start to Escape;
#  - without its patch set: one line on standard error saying why the music
#    is off, and the race still runs.
# The file is written as fast as the library mixes, not in real time, so the
# parts of the recording are told apart by the file's size at each moment.
# All of it plays from a copy of the game folder, run in the copy as a player
# runs it: a game folder plays its music wherever it lies.
source "$(dirname "$0")/lib/common.sh"
game_test_init "$1" 120
require_content
command -v sox >/dev/null || fail "sox is not installed (scripts/setup installs it)"
built="$GAME_DIR"
RUN_DIR="$WORK/moved/game"
mkdir -p "$WORK/moved"
cp -a "$built" "$RUN_DIR"
GAME_BIN="$RUN_DIR/hover"
patches="$(sed -n 's/^patches = //p' "$RUN_DIR/allegro.cfg")"
[ -n "$patches" ] || fail "no patch set named in allegro.cfg: the build did not lay the race music's patches"
case "$patches" in /*) fail "allegro.cfg names an absolute patch folder: $patches" ;; esac
[ -f "$RUN_DIR/${patches}default.cfg" ] || fail "no ${patches}default.cfg in the game folder"
! grep -rlF "$built" "$RUN_DIR/allegro.cfg" "$RUN_DIR/$patches" || fail "the game folder names the place it was built"
start_xvfb

TUNE_MIN=0.01     # the tune measures several hundredths
SILENCE_MAX=0.001 # silence measures 0

wav="$WORK/race.wav"
record_sound "$wav"
start_game
choose 0 1
wait_preview 40
# the race's loop, which starts the music, has not begun yet
at_preview="$(size_of "$wav")"
hold Return 0.15
wait_race 60
sleep 4
tune_from="$(size_of "$wav")"
sleep 3
tune_to="$(size_of "$wav")"
before="$(rms "$wav" 44 "$at_preview")"
tune="$(rms "$wav" "$tune_from" "$tune_to")"
log "dialogs and preview: RMS $before over $(( at_preview - 44 )) bytes"
log "race, 4 to 7 s after its start: RMS $tune over $(( tune_to - tune_from )) bytes"
[ $((tune_to - tune_from)) -gt 100000 ] || fail "the sound output hardly grew during the race ($((tune_to - tune_from)) bytes): is the sound driver running?"
ge "$tune" "$TUNE_MIN" || fail "no tune in the race: RMS $tune (wanted at least $TUNE_MIN)"
# the dialogs may not have opened the sound output yet: an empty part is silent too
[ "$at_preview" -le 44 ] || lt "$before" "$SILENCE_MAX" || fail "sound before the race: RMS $before"

hold Escape 0.15
wait_track_dialog "Track" 15
sleep 1
quiet_from="$(size_of "$wav")"
sleep 3
quiet_to="$(size_of "$wav")"
after="$(rms "$wav" "$quiet_from" "$quiet_to")"
log "track dialog after Escape: RMS $after over $(( quiet_to - quiet_from )) bytes"
[ $((quiet_to - quiet_from)) -gt 100000 ] || fail "the sound output stopped growing after the race ($((quiet_to - quiet_from)) bytes)"
lt "$after" "$SILENCE_MAX" || fail "the tune goes on after Escape: RMS $after"
hold Escape 0.15
wait_game_end 10 || fail "Escape in the track dialog did not end the game"
[ "$GAME_STATUS" -eq 0 ] || fail "the game ended with status $GAME_STATUS"

# The editor: silent throughout.
wav="$WORK/editor.wav"
record_sound "$wav"
start_game e 1
wait_preview 40
hold Return 0.15
wait_editor 40
sleep 2
hold s 0.5
hold 1 0.15
sleep 2
hold Escape 0.15
wait_game_end 15 || fail "Escape did not end the editor"
[ "$GAME_STATUS" -eq 0 ] || fail "the editor ended with status $GAME_STATUS"
end="$(size_of "$wav")"
editor="$(rms "$wav" 44 "$end")"
log "editor, start to Escape: RMS $editor over $(( end - 44 )) bytes"
[ "$end" -gt 100000 ] || fail "the editor's sound output was not recorded ($end bytes)"
lt "$editor" "$SILENCE_MAX" || fail "the editor is not silent: RMS $editor"
[ -z "$(game_errors)" ] || fail "the editor wrote errors: $(game_errors | head -n 3)"

# The patch set gone: the race runs in silence, and the player is told why, once.
mv "$RUN_DIR/$patches" "$WORK/patches.away"
wav="$WORK/no-patches.wav"
record_sound "$wav"
start_game
choose 0 1
wait_preview 40
hold Return 0.15
wait_race 60
sleep 3
hold Escape 0.15
wait_track_dialog "Track" 15
hold Escape 0.15
wait_game_end 10 || fail "Escape in the track dialog did not end the game"
[ "$GAME_STATUS" -eq 0 ] || fail "the game without its patches ended with status $GAME_STATUS"
[ "$(game_errors | wc -l)" -eq 1 ] && game_errors | grep -q "^Music is off: .*\"$patches\"" ||
    fail "without the patch set the game should say once why the music is off: \"$(game_errors)\""
log "without patches: $(game_errors)"
log "passed"
