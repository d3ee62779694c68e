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
put tracks.dat "$real_tracks"

# Damage aimed at the objects' headers, made here from the real files. The
# game and hover-check both end with the load error (hover-check with status
# 2), the message the last they print, never a signal.
# damage NAME INDEX HOW [VALUE]: the real NAME with object INDEX damaged:
# HOW is a header word (type, stored, expanded) set to VALUE, "flip" to change
# byte VALUE of its size words, "noranges" to leave a font without ranges or
# "colourrange" to add a colour range after its monochrome ones.
damage() {
    python3 - "$GAME_DIR/$1" "$RUN_DIR/$1" "$2" "$3" "${4:-0}" <<'PY'
import struct, sys
source, out, index, how, value = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4], sys.argv[5]
b = bytearray(open(source, 'rb').read())
word = lambda at: struct.unpack('>i', b[at:at + 4])[0]
at = 12
for i in range(index + 1):
    while b[at:at + 4] == b'prop':
        at += 12 + word(at + 8)
    if i < index:
        at += 12 + word(at + 4)
fields = {'type': 0, 'stored': 4, 'expanded': 8}
if how == 'type':
    b[at:at + 4] = bytes.fromhex(value) if value == 'ffffffff' else value.encode()
elif how in fields:
    b[at + fields[how]:at + fields[how] + 4] = struct.pack('>I', int(value) & 0xFFFFFFFF)
elif how == 'flip':
    b[at + 4 + int(value)] ^= 0x10
elif how == 'noranges':
    b[at + 14:at + 16] = b'\0\0'
elif how == 'colourrange':
    extra = bytes([8]) + struct.pack('>iiHH', 200, 200, 1, 1) + b'\7'
    b[at + 14:at + 16] = struct.pack('>H', struct.unpack('>H', b[at + 14:at + 16])[0] + 1)
    end = at + 12 + word(at + 4)
    b[end:end] = extra
    b[at + 4:at + 12] = struct.pack('>ii', word(at + 4) + len(extra), word(at + 8) + len(extra))
open(out, 'wb').write(b)
PY
}

# header_case WHAT NAME MESSAGE DAMAGE...: both programs on one damaged file.
header_case() {
    local what="$1" name="$2" message="$3" status errors
    shift 3
    rm -f "$RUN_DIR/$name"
    damage "$name" "$@" || fail "$what: cannot damage $name"
    expect_error "$what" "$message" e 1
    (cd "$RUN_DIR" && timeout -k 2 60 "$GAME_DIR/hover-check" 1 "$GAME_DIR/tracks/track1.txt" \
        >"$WORK/check.out" 2>"$WORK/check.err")
    status=$?
    errors="$(cat "$WORK/check.err")"
    [ "$status" -eq 2 ] && [ "$errors" = "$message" ] ||
        fail "$what: hover-check status $status, standard error \"$errors\""
    log "$what: hover-check \"$message\", status 2"
    put "$name" "$GAME_DIR/$name"
}

data_error="Failed to load datafile"
tracks_error="Unable to load tracks datafile"
put data.dat "$real_data"
for value in -5 2147483647; do
    header_case "craft frame of expanded size $value" data.dat "$data_error" 3 expanded "$value"
    header_case "heightmaps of expanded size $value" tracks.dat "$tracks_error" 0 expanded "$value"
    header_case "palette of stored size $value" tracks.dat "$tracks_error" 1 stored "$value"
done
header_case "craft frame's size with a byte changed" data.dat "$data_error" 3 flip 6
header_case "texture's size with a byte changed" tracks.dat "$tracks_error" 2 flip 2
header_case "craft frame typed as a run-length sprite" data.dat "$data_error" 3 type "RLE "
header_case "palette typed as a font" tracks.dat "$tracks_error" 1 type FONT
header_case "message font without ranges" data.dat "$data_error" 40 noranges
header_case "sprite typed as the end marker" data.dat "$data_error" 20 type ffffffff
header_case "colour range after the monochrome one" data.dat "$data_error" 40 colourrange

log "passed"
