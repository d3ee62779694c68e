# shellcheck shell=bash
# Shared helpers of the whole-game tests: a private X server, the game started
# from a scratch folder, keys held as a player holds them, screenshots and
# pixel checks, the HUD line read back from a screenshot, and a recorded
# sound output.
#
# A test script starts with
#   source "$(dirname "$0")/lib/common.sh"
#   game_test_init "$1" 80        # game folder, time limit in seconds
# and may then call the functions below.  Everything it starts is ended and
# its scratch folder removed when the script exits, however it exits.

set -u
# ImageMagick's worker threads only slow it down beside a game that keeps a core busy
export MAGICK_THREAD_LIMIT=1 OMP_NUM_THREADS=1

GAME_DIR=""            # the build's game folder: hover, data.dat, tracks.dat, tracks/
GAME_BIN=""            # the game binary
WORK=""                # scratch folder of this test, removed at exit
RUN_DIR=""             # the folder the game runs in (a copy of the game folder's content)
XVFB_PID=""
GAME_PID=""
GAME_WIN=""
GAME_TITLE="Hovercraft racer"  # the title of the game's window
SHOT_SCALE=1           # the window shows the 640 x 480 frame this many times as large
GAME_OUT=""            # standard output of the last game started
GAME_ERR=""            # standard error of the last game started
export GAME_STATUS=""  # exit status of the last game that ended
TEST_NAME="${TEST_NAME:-$(basename "${0%.sh}")}"
SHOT_KEEP_DIR=""       # screenshots worth keeping are copied here when set
WATCHDOG_PID=""

log() { echo "[$TEST_NAME $(date +%T)] $*"; }

fail() {
    echo "[$TEST_NAME] FAIL: $*" >&2
    if [ -n "$GAME_OUT" ] && [ -s "$GAME_OUT" ]; then echo "--- game stdout (tail)" >&2; tail -n 5 "$GAME_OUT" >&2; fi
    if [ -n "$GAME_ERR" ] && [ -s "$GAME_ERR" ]; then echo "--- game stderr (tail)" >&2; tail -n 5 "$GAME_ERR" >&2; fi
    if [ -n "${HOVER_TEST_KEEP:-}" ] && [ -n "$WORK" ]; then
        cp -r "$WORK" "$HOVER_TEST_KEEP/$TEST_NAME.$$" 2>/dev/null && echo "scratch kept in $HOVER_TEST_KEEP/$TEST_NAME.$$" >&2
    fi
    exit 1
}

# Skips the test (CTest counts exit 0 as passed, so the reason is printed).
skip() {
    echo "[$TEST_NAME] SKIPPED: $*"
    exit 0
}

_cleanup() {
    local rc=$?
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill "$GAME_PID" 2>/dev/null
        sleep 0.3
        kill -9 "$GAME_PID" 2>/dev/null
    fi
    if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    if [ -n "$WATCHDOG_PID" ]; then kill "$WATCHDOG_PID" 2>/dev/null; fi
    if [ -n "$WORK" ] && [ -d "$WORK" ]; then rm -rf "$WORK"; fi
    exit $rc
}

# game_test_init GAME_DIR SECONDS
game_test_init() {
    GAME_DIR="$(cd "${1:?game folder}" && pwd)"
    GAME_BIN="$GAME_DIR/hover"
    local limit="${2:-90}"
    [ -x "$GAME_BIN" ] || fail "no game binary at $GAME_BIN"
    for tool in Xvfb xdotool xwd convert; do
        command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/setup installs it)"
    done
    WORK="$(mktemp -d "${TMPDIR:-/tmp}/hover-$TEST_NAME.XXXXXX")"
    trap _cleanup EXIT
    trap 'exit 1' INT TERM HUP
    # the whole test, whatever hangs, ends within its limit
    (
        trap 'kill "$nap" 2>/dev/null; exit 0' TERM
        sleep "$limit" &
        nap=$!
        wait "$nap"
        echo "[$TEST_NAME] FAIL: time limit of ${limit}s reached" >&2
        kill -TERM $$
    ) &
    WATCHDOG_PID=$!
    # a private home: no allegro.cfg, .asoundrc or .allegrorc of the user's
    export HOME="$WORK/home"
    mkdir -p "$HOME"
    # screenshots worth showing are kept only when asked for
    SHOT_KEEP_DIR="${HOVER_SCREENSHOTS:-}"
}

# The game's content must be there; without it the test cannot play.
require_content() {
    [ -f "$GAME_DIR/data.dat" ] || skip "no data.dat in $GAME_DIR yet"
    [ -f "$GAME_DIR/tracks.dat" ] || skip "no tracks.dat in $GAME_DIR yet"
}

# make_run_dir: a scratch folder the game runs in, holding links to the game
# folder's content (the music's patch set too), so that what the game writes
# (newtrack.txt) stays in it and a test can damage a file without touching
# the build.
make_run_dir() {
    RUN_DIR="$WORK/run"
    mkdir -p "$RUN_DIR"
    local f
    for f in data.dat tracks.dat tracks patches; do
        [ -e "$GAME_DIR/$f" ] && ln -s "$GAME_DIR/$f" "$RUN_DIR/$f"
    done
    return 0
}

# own_tracks: the run folder gets an empty tracks folder of its own, for the
# test's track files, whose objects stand on the ground at heights read with
# z X Y (ground 1 of tracks.dat).
own_tracks() {
    make_run_dir
    rm "$RUN_DIR/tracks" && mkdir "$RUN_DIR/tracks"
    # shellcheck disable=SC2046
    cc -o "$WORK/height" "$(dirname "${BASH_SOURCE[0]}")/height.c" $(pkg-config --cflags --libs allegro) -lm ||
        fail "no height reader"
}
z() { "$WORK/height" "$GAME_DIR/tracks.dat" 1 "$1" "$2" || fail "no height at ($1, $2)"; }

# start_xvfb [WxH]: a private X server on a display no other test holds, of
# 800 x 600 pixels unless given.
start_xvfb() {
    # The server picks a free display itself and writes its number once it
    # takes connections: two tests starting at once never share a display.
    local number="$WORK/xvfb.display" i
    : >"$number"
    Xvfb -displayfd 3 -screen 0 "${1:-800x600}x24" -nolisten tcp 3>"$number" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for i in $(seq 1 100); do
        if grep -q '^[0-9][0-9]*$' "$number" 2>/dev/null; then
            export DISPLAY=":$(head -n 1 "$number")"
            log "Xvfb on $DISPLAY"
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    fail "could not start Xvfb: $(tail -n 1 "$WORK/xvfb.log")"
}

# stop_xvfb: ends the X server (a game still on it loses its display).
stop_xvfb() {
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; fi
    XVFB_PID=""
}

# start_game ARGS...: starts the game in RUN_DIR and waits for its window.
start_game() {
    [ -n "$RUN_DIR" ] || make_run_dir
    GAME_OUT="$WORK/game.out"
    GAME_ERR="$WORK/game.err"
    GAME_STATUS=""
    # The pointer rests outside the window, as a player's hand leaves the
    # mouse: the dialogs' focus follows the pointer when it is over them.
    local geometry
    geometry="$(xdotool getdisplaygeometry 2>/dev/null)"
    geometry="${geometry:-800 600}"
    xdotool mousemove $(( ${geometry% *} - 10 )) $(( ${geometry#* } - 10 )) >/dev/null 2>&1
    (cd "$RUN_DIR" && exec "$GAME_BIN" "$@" >"$GAME_OUT" 2>"$GAME_ERR") &
    GAME_PID=$!
    GAME_WIN="$(timeout 15 xdotool search --sync --onlyvisible --name "^$GAME_TITLE\$" 2>/dev/null | head -n 1)"
    [ -n "$GAME_WIN" ] || fail "the game window did not appear within 15 s"
    # no window manager: the keyboard goes to the game's window
    xdotool windowfocus "$GAME_WIN" >/dev/null 2>&1
    sleep 0.5
}

# run_game SECONDS ARGS...: runs the game in RUN_DIR to its end (killed after
# SECONDS); sets GAME_STATUS (124 when it had to be killed).
run_game() {
    local limit="$1"
    shift
    [ -n "$RUN_DIR" ] || make_run_dir
    GAME_OUT="$WORK/game.out"
    GAME_ERR="$WORK/game.err"
    (cd "$RUN_DIR" && exec timeout -k 2 "$limit" "$GAME_BIN" "$@" >"$GAME_OUT" 2>"$GAME_ERR")
    GAME_STATUS=$?
}

# game_errors: the game's standard error without the sound library's own
# complaints about a machine with no sound card.
game_errors() { grep -v '^ALSA lib ' "$GAME_ERR"; }

game_running() { [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; }

# wait_game_end SECONDS: waits for the game to end; sets GAME_STATUS.
wait_game_end() {
    local limit="${1:-10}" i
    for i in $(seq 1 $((limit * 10))); do
        if ! game_running; then
            wait "$GAME_PID" 2>/dev/null
            GAME_STATUS=$?
            GAME_PID=""
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# hold KEY [SECONDS]: holds a key down long enough for several frames to see it.
hold() {
    xdotool keydown "$1"
    sleep "${2:-0.3}"
    xdotool keyup "$1"
    sleep 0.2
}

# hold_two KEY1 KEY2 SECONDS: both keys held together.
hold_two() {
    xdotool keydown "$1" keydown "$2"
    sleep "${3:-0.3}"
    xdotool keyup "$2" keyup "$1"
    sleep 0.2
}

# shot NAME: a screenshot of the game's window as $WORK/NAME.png, brought back
# to the 640 x 480 frame when the window shows it enlarged; prints its path.
shot() {
    local out="$WORK/$1.png" size=()
    [ "$SHOT_SCALE" -gt 1 ] && size=(-sample '640x480!')
    xwd -silent -id "$GAME_WIN" 2>/dev/null | convert xwd:- "${size[@]}" "$out" 2>/dev/null
    [ -s "$out" ] || xwd -silent -root | convert xwd:- -crop 640x480+0+0 +repage "$out"
    [ -s "$out" ] || fail "screenshot $1 failed"
    echo "$out"
}

# keep_shot FILE NAME: copies a screenshot into the kept screenshots folder, if one is set.
keep_shot() {
    if [ -n "$SHOT_KEEP_DIR" ]; then
        mkdir -p "$SHOT_KEEP_DIR"
        cp "$1" "$SHOT_KEEP_DIR/$2.png"
    fi
}

# mean FILE WxH+X+Y: mean grey level 0..1 of a region.
mean() { convert "$1" -crop "$2" +repage -format '%[fx:mean]' info:; }

# colour FILE X Y: the colour of one pixel as "r,g,b" (0..255).
colour() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

# differ FILE1 FILE2 WxH+X+Y: the share (0..1) of pixels of a region that differ.
differ() {
    local a="$WORK/.a.png" b="$WORK/.b.png" n
    convert "$1" -crop "$3" +repage "$a"
    convert "$2" -crop "$3" +repage "$b"
    n="$(compare -metric AE "$a" "$b" null: 2>&1 | cut -d' ' -f1)"
    local w="${3%%x*}" rest="${3#*x}"
    local h="${rest%%+*}"
    awk -v n="$n" -v t=$((w * h)) 'BEGIN { printf "%.4f\n", n / t }'
}

# ge A B / lt A B: floating-point comparisons for tests.
ge() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }
lt() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

# close_window: the close button of the game's window, pressed as a window
# manager presses it (xdotool's windowclose destroys the window instead).
close_window() {
    # shellcheck disable=SC2046
    [ -x "$WORK/close_window" ] || cc -o "$WORK/close_window" "$(dirname "${BASH_SOURCE[0]}")/close_window.c" \
        $(pkg-config --cflags --libs x11) || fail "cannot build the close button"
    "$WORK/close_window" "$GAME_WIN" || fail "could not close window $GAME_WIN"
}

# ---- reading text back from a screenshot: the library's 8x8 font, or the message font ----

# The patterns of a font, made by a small program built against the same
# library: the default font, or with "message" the message font of data.dat.
# Sets GLYPHS to the file.
_glyphs() {
    local which="${1:-default}" args=()
    GLYPHS="$WORK/glyphs-$which.txt"
    [ -s "$GLYPHS" ] && return 0
    command -v cc >/dev/null || fail "no C compiler to build the glyph dump"
    # shellcheck disable=SC2046
    [ -x "$WORK/glyphs" ] || cc -o "$WORK/glyphs" "$(dirname "${BASH_SOURCE[0]}")/glyphs.c" \
        $(pkg-config --cflags --libs allegro) 2>"$WORK/glyphs.log" || fail "cannot build the glyph dump: $(head -n 3 "$WORK/glyphs.log")"
    [ "$which" = message ] && args=("$GAME_DIR/data.dat" 40)
    "$WORK/glyphs" "${args[@]}" >"$GLYPHS" || fail "the glyph dump failed"
}

# read_text FILE X Y CHARS [INK [FONT]]: the text at (X, Y), CHARS cells long,
# as the best match of each cell; trailing spaces removed. INK is the text's
# colour (white unless given, as ImageMagick names colours: "rgb(255,255,0)");
# FONT is "default" (the 8x8 font of the HUD) or "message". With READ_EXACT=1
# in the environment a cell that is no glyph exactly (stray pixels, stale
# pixels of earlier frames) reads as "?".
read_text() {
    local file="$1" x="$2" y="$3" n="$4" ink="${5:-white}"
    _glyphs "${6:-default}"
    local cw ch
    read -r _ cw ch <"$GLYPHS"
    convert "$file" -crop "$((n * cw))x$ch+$x+$y" +repage -fuzz 3% -fill black +opaque "$ink" -fill white -opaque "$ink" -negate \
        -compress none +set comment pbm:"$WORK/.text.pbm" || fail "cannot crop text from $file"
    awk -v n="$n" -v cw="$cw" -v ch="$ch" -v strict="${READ_EXACT:-}" '
        FNR == NR { if ($1 != "size") { g[$1] = $2; exact[$2] = $1 } next }
        /^#/ { next }                            # comments
        header == 0 { header = 1; next }         # P1
        header == 1 { w = $1; h = $2; header = 2; next }
        { for (i = 1; i <= NF; ++i) { if (length($i) > 1) { for (k = 1; k <= length($i); ++k) bits[cnt++] = substr($i, k, 1) } else bits[cnt++] = $i } }
        END {
            out = ""
            for (c = 0; c < n; ++c) {
                cell = ""
                for (yy = 0; yy < ch; ++yy) for (xx = 0; xx < cw; ++xx) cell = cell bits[yy * w + c * cw + xx]
                if (cell in exact) { out = out sprintf("%c", exact[cell]); continue }
                if (strict) { out = out "?"; continue }
                # a cell with stray pixels of the ink behind the text: the nearest glyph
                best = 999999; bc = 32
                for (code in g) {
                    d = 0
                    for (k = 1; k <= cw * ch; ++k) if (substr(cell, k, 1) != substr(g[code], k, 1)) ++d
                    if (d < best) { best = d; bc = code + 0 }
                }
                out = out sprintf("%c", bc)
            }
            sub(/ +$/, "", out)
            print out
        }' "$GLYPHS" "$WORK/.text.pbm"
}

# read_message FILE CHARS: the message line of a race frame, in white.
read_message() { read_text "$1" 140 200 "$2" white message; }

# read_hud FILE: the HUD line of a race frame.
read_hud() { read_text "$1" 5 5 76; }

# hud_ms HUDLINE: the current lap time of a HUD line in milliseconds, or empty.
hud_ms() {
    echo "$1" | sed -n 's/.*current lap time:\([0-9][0-9]*\):\([0-9][0-9]\)\.\([0-9][0-9][0-9]\).*/\1 \2 \3/p' |
        awk 'NF == 3 { print ($1 * 60 + $2) * 1000 + $3 }'
}

# hud_lap HUDLINE / hud_place HUDLINE
hud_lap() { echo "$1" | sed -n 's/^lap:\([0-9][0-9]*\) .*/\1/p'; }
hud_place() { echo "$1" | sed -n 's/.* P\([0-9][0-9]*\)$/\1/p'; }

# now_ms: wall clock in milliseconds.
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# wait_text X Y CHARS TEXT SECONDS: waits until TEXT is written in the default
# font at (X, Y) of the game's window; fails after SECONDS.
wait_text() {
    local x="$1" y="$2" n="$3" want="$4" limit="${5:-10}" t0 got="" s
    t0="$(now_ms)"
    while :; do
        game_running || fail "the game ended while waiting for \"$want\""
        s="$(shot wait)"
        got="$(read_text "$s" "$x" "$y" "$n")"
        [ "$got" = "$want" ] && return 0
        [ $(( $(now_ms) - t0 )) -gt $((limit * 1000)) ] && fail "\"$want\" did not appear at ($x, $y) within ${limit}s (read \"$got\")"
        sleep 0.3
    done
}

# Dialog texts: the title at (8, 8); a button's label is centred in it.
LANGUAGE_TITLE="Language/ Langue etc"

# wait_language_dialog / wait_track_dialog TITLE
wait_language_dialog() { wait_text 8 8 20 "$LANGUAGE_TITLE" "${1:-10}"; }
wait_track_dialog() { wait_text 8 8 ${#1} "$1" "${2:-10}"; }

# wait_race SECONDS: waits until the HUD line of a race is drawn.
wait_race() {
    local limit="${1:-30}" t0 s line
    t0="$(now_ms)"
    while :; do
        game_running || fail "the game ended before the race began"
        s="$(shot race-wait)"
        line="$(read_hud "$s")"
        case "$line" in lap:*" current lap time:"*) return 0 ;; esac
        [ $(( $(now_ms) - t0 )) -gt $((limit * 1000)) ] && fail "no race HUD within ${limit}s (read \"$line\")"
        sleep 0.3
    done
}

# quiet_sound: the sound library plays into nothing, so a test machine's
# sound card (or its absence) does not matter.
quiet_sound() {
    cat >"$HOME/.asoundrc" <<'CFG'
pcm.!default {
  type null
}
CFG
}

# record_sound FILE.wav: the game's sound output goes into FILE.wav.
record_sound() {
    cat >"$HOME/.asoundrc" <<CFG
pcm.!default {
  type file
  slave.pcm "null"
  file "$1"
  format "wav"
}
CFG
}

# rms FILE.wav FROM_BYTE TO_BYTE: the RMS amplitude (0..1) of the recorded
# samples between two byte offsets of the file (header excluded).  The data
# are read as unsigned 16-bit stereo: that is what the library writes,
# whatever the header says.
rms() {
    local file="$1" from="$2" to="$3"
    [ "$from" -lt 44 ] && from=44
    # whole frames of 4 bytes
    from=$(( (from - 44) / 4 * 4 + 44 ))
    local len=$(( (to - from) / 4 * 4 ))
    [ "$len" -gt 0 ] || { echo 0; return; }
    tail -c +$((from + 1)) "$file" | head -c "$len" >"$WORK/.seg.raw"
    sox -t raw -e unsigned -b 16 -c 2 -r 44100 "$WORK/.seg.raw" -n stat 2>&1 |
        awk '/^RMS +amplitude/ { print $3 }'
}

size_of() { stat -c %s "$1" 2>/dev/null || echo 0; }

# ---- a player's session: menus, preview, race ----

# Track dialog titles by language (0 English, 1 French, 2 the third one).
TRACK_TITLES=("Track" "Circuit" "WHIHC TRAKC:")

# choose LANGUAGE TRACK: from the language dialog, picks a language and then
# a track with the arrow keys and Enter, as a player does.
choose() {
    local language="$1" track="$2" i
    wait_language_dialog 20
    for ((i = 0; i < language; ++i)); do hold Down 0.15; done
    hold Return 0.15
    wait_track_dialog "${TRACK_TITLES[$language]}" 10
    for ((i = 1; i < track; ++i)); do hold Down 0.15; done
    hold Return 0.15
}

# wait_preview SECONDS: waits for the preview: the map reduced into the upper
# 640 x 320 of the screen, the rows under it black down to the prompt.
wait_preview() {
    local limit="${1:-30}" t0 s
    t0="$(now_ms)"
    while :; do
        game_running || fail "the game ended before the preview"
        s="$(shot preview)"
        if [ "$(read_text "$s" 10 10 18)" != "Generating preview" ] &&
            ge "$(mean "$s" 640x320+0+0)" 0.05 && [ "$(mean "$s" 640x70+0+320)" = "0" ]; then
            return 0
        fi
        [ $(( $(now_ms) - t0 )) -gt $((limit * 1000)) ] && fail "no preview within ${limit}s"
        sleep 0.3
    done
}

# clock_at NAME: a screenshot taken at a known moment: prints "ms path", the
# wall-clock midpoint of the capture and the picture.
clock_at() {
    local t0 t1 out="$WORK/$1.png"
    t0="$(now_ms)"
    xwd -silent -id "$GAME_WIN" >"$WORK/$1.xwd" 2>/dev/null
    t1="$(now_ms)"
    convert "xwd:$WORK/$1.xwd" "$out" 2>/dev/null || fail "screenshot $1 failed"
    echo "$(( (t0 + t1) / 2 )) $out"
}

# edit_placing KEY: the editor on track 1, past its preview and its still
# first second, with one object placed by KEY (1 to 5 place scenery).
edit_placing() {
    start_game e 1
    wait_preview 40
    hold Return 0.15
    wait_editor 40
    sleep 1.5
    hold "$1" 0.15
}

# saved_records: the record letters of the run folder's newtrack.txt, E too.
saved_records() { awk '{ printf "%s", $1 }' "$RUN_DIR/newtrack.txt" 2>/dev/null; }

# wait_editor SECONDS: waits for the editor's frame: the map around the
# cursor, a white disc drawn 5 pixels above the middle of the frame.
wait_editor() {
    local limit="${1:-40}" t0 s
    t0="$(now_ms)"
    while :; do
        game_running || fail "the editor ended before it showed the track"
        s="$(shot editor-wait)"
        if [ "$(read_text "$s" 10 10 28)" != "Please wait... rendering map" ] &&
            [ "$(colour "$s" 320 235)" = "255,255,255" ] && ge "$(mean "$s" 640x440+0+40)" 0.05; then
            return 0
        fi
        [ $(( $(now_ms) - t0 )) -gt $((limit * 1000)) ] && fail "the editor's cursor did not appear within ${limit}s (pixel at (320, 235) is $(colour "$s" 320 235))"
        sleep 0.3
    done
}
