#!/bin/bash
# Damaged content: a missing, empty, truncated or wrongly made data.dat or
# tracks.dat ends the game with one clear line naming the file on standard
# error and status 1, never a crash or a hang.  The graphics mode is set
# first, so each case runs with a display.
source "$(dirname "$0")/lib/common.sh"
game_test_init "$1" 80
start_xvfb
quiet_sound

make_run_dir
real_data="$GAME_DIR/data.dat"
real_tracks="$GAME_DIR/tracks.dat"

# expect_error WHAT MESSAGE ARGS...: the game, started with ARGS in RUN_DIR,
# stops with MESSAGE alone on standard error and status 1.
expect_error() {
    local what="$1" message="$2"
    shift 2
    run_game 30 "$@"
    [ "$GAME_STATUS" -eq 1 ] || fail "$what: status $GAME_STATUS, expected 1"
    local errors
    errors="$(game_errors)"
    [ "$errors" = "$message" ] || fail "$what: standard error is \"$errors\", expected \"$message\""
    log "$what: \"$message\", status 1"
}

# put NAME SOURCE: the run folder's NAME becomes a copy of SOURCE (or empty).
put() {
    rm -f "$RUN_DIR/$1"
    if [ -n "$2" ]; then cp "$2" "$RUN_DIR/$1"; else : >"$RUN_DIR/$1"; fi
}

# Datafiles made here with the library's own archiver: a few tiny bitmaps,
# and 49 of them, where the game wants a font, samples and music at some
# indices.
mkdir -p "$WORK/dat"
(
    cd "$WORK/dat" || exit 1
    convert -size 2x2 xc:red -type TrueColor BMP3:a.bmp || exit 1
    for i in $(seq -w 0 48); do cp a.bmp "o$i.bmp"; done
    dat short.dat -a o0*.bmp -t BMP >/dev/null || exit 1
    dat bitmaps.dat -a o*.bmp -t BMP >/dev/null || exit 1
) || fail "cannot make the test datafiles with dat"
[ "$(dat -l "$WORK/dat/bitmaps.dat" | grep -c '^- BMP')" -eq 49 ] || fail "the 49-bitmap datafile is not as meant"

rm -f "$RUN_DIR/data.dat"
expect_error "no data.dat" "Failed to load datafile" e 1
put data.dat ""
expect_error "empty data.dat" "Failed to load datafile" e 1
put data.dat "$WORK/dat/short.dat"
expect_error "data.dat of 10 objects" "Failed to load datafile" e 1
put data.dat "$WORK/dat/bitmaps.dat"
expect_error "data.dat of 49 bitmaps (no font, samples, music)" "Failed to load datafile" e 1
printf 'slh.ALL.garbage that is no datafile' >"$WORK/garbage.dat"
put data.dat "$WORK/garbage.dat"
expect_error "data.dat of garbage" "Failed to load datafile" e 1

# The same through the menus: English, the first track, and the race's
# preview needs data.dat.
put data.dat ""
start_game
wait_language_dialog
hold Return
wait_track_dialog "Track"
hold Return
wait_game_end 20 || fail "empty data.dat through the menus: the game did not end"
[ "$GAME_STATUS" -eq 1 ] || fail "empty data.dat through the menus: status $GAME_STATUS, expected 1"
[ "$(game_errors)" = "Failed to load datafile" ] || fail "empty data.dat through the menus: standard error \"$(game_errors)\""
log "empty data.dat through the menus: \"Failed to load datafile\", status 1"

if [ ! -s "$real_data" ] || [ ! -s "$real_tracks" ]; then
    skip "no content in $GAME_DIR yet: the cases with a real data.dat or tracks.dat were not run"
fi

# cut_cases NAME REAL MESSAGE: the file cut short at several places, from
# one byte short to its first 200 bytes.
cut_cases() {
    local name="$1" real="$2" message="$3" size cut
    size="$(size_of "$real")"
    for cut in $((size - 1)) $((size * 9 / 10)) $((size / 2)) $((size / 10)) 200; do
        head -c "$cut" "$real" >"$WORK/cut.dat"
        put "$name" "$WORK/cut.dat"
        expect_error "$name cut to $cut of $size bytes" "$message" e 1
    done
}

cut_cases data.dat "$real_data" "Failed to load datafile"

# With a sound data.dat, tracks.dat is read next.
rm -f "$RUN_DIR/data.dat"
ln -s "$real_data" "$RUN_DIR/data.dat"
rm -f "$RUN_DIR/tracks.dat"
expect_error "no tracks.dat" "Unable to load tracks datafile" e 1
put tracks.dat ""
expect_error "empty tracks.dat" "Unable to load tracks datafile" e 1
cut_cases tracks.dat "$real_tracks" "Unable to load tracks datafile"
put tracks.dat "$WORK/dat/short.dat"
expect_error "tracks.dat of 10 bitmaps" "Unable to load tracks datafile" e 3

log "passed"
