#!/bin/bash
# The window fits the screen: 640 x 480 on 800 x 600, 1280 x 960 on 1920 x
# 1080 (three times would not fit), 1920 x 1440 on 3840 x 2160, 640 x 480
# there with x1; full screen there is the frame at four times in the middle,
# on black. At twice the size every frame pixel is a square of 2 x 2 and the
# HUD reads as ever: its letters are twice their size. The window's class and
# instance are the desktop entry's StartupWMClass. Killing the X server ends a
# race, and the editor after saving newtrack.txt, within 2 s, with a line on
# standard error, status 1 and no core, every time; so does a SIGTERM sent at
# the same moment, with status 1 or 143.
source "$(dirname "$0")/lib/common.sh"
game_test_init "$1" 290
require_content
quiet_sound
ulimit -c unlimited
desktop_entry="$(dirname "$GAME_DIR")/packaging/hover.desktop"

window_size() { xwininfo -id "$GAME_WIN" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }

# opens_window SCREEN WINDOW ARGS...: the game started with ARGS opens WINDOW
opens_window() {
    start_game "${@:3}"
    [ "$(window_size)" = "$2" ] || fail "$* on a $1 screen opened a window of $(window_size)"
    wait_language_dialog 20
    hold Escape 0.15
    wait_game_end 10 && [ "$GAME_STATUS" -eq 0 ] || fail "Escape in the language dialog did not end the game"
}
for sizes in "800x600 640x480" "1920x1080 1280x960" "3840x2160 1920x1440"; do
    read -r screen window <<<"$sizes"
    start_xvfb "$screen"
    SHOT_SCALE=$(( ${window%x*} / 640 ))
    opens_window "$screen" "$window"
    log "a $screen screen: a window of $window"
done
SHOT_SCALE=1
opens_window 3840x2160 640x480 x1
# full screen: the desktop's size (Xvfb offers no 640 x 480 mode), the frame
# four times as large in its middle, on black
(cd "$RUN_DIR" && exec "$GAME_BIN" f >"$GAME_OUT" 2>"$GAME_ERR") &
GAME_PID=$!
sleep 4
xwd -silent -root | convert xwd:- "$WORK/full.png"
# the dialog's title box, its corner at (640, 120), white edge and green inside
[ "$(colour "$WORK/full.png" 639 1000)" = 0,0,0 ] && [ "$(colour "$WORK/full.png" 1000 119)" = 0,0,0 ] &&
    [ "$(colour "$WORK/full.png" 640 120)" = 255,255,255 ] && [ "$(colour "$WORK/full.png" 643 123)" = 255,255,255 ] &&
    [ "$(colour "$WORK/full.png" 656 136)" != 0,0,0 ] ||
    fail "full screen does not show the frame at four times in the middle of the desktop, on black"
kill "$GAME_PID"
wait_game_end 5 || fail "the full screen game did not end on SIGTERM"
stop_xvfb

# lose_display WHAT [term]: the X server killed under the game, with "term"
# the game sent SIGTERM at the same moment (a logout): whichever comes first
# gives the status, 1 or 143, never a crash's
lose_display() {
    local t0 took
    t0="$(now_ms)"
    [ "${2:-}" = term ] && kill -TERM "$GAME_PID"
    kill "$XVFB_PID"
    wait_game_end 5 || fail "the $1 still runs 5 s after its display went away"
    took=$(( $(now_ms) - t0 ))
    stop_xvfb
    log "the display lost in the $1 ${2:-}: ended after $took ms with status $GAME_STATUS"
    [ "$took" -le 2000 ] && { [ "$GAME_STATUS" -eq 1 ] || [ "${2:-}/$GAME_STATUS" = term/143 ]; } ||
        fail "the $1 ended after $took ms with status $GAME_STATUS"
    game_errors | grep -qx "Lost the connection to the display\|Ended by signal 15" || fail "no line on standard error"
    ! ls "$RUN_DIR"/core* >/dev/null 2>&1 || fail "the $1 left a core"
}

original="$(grep -o '^[SCPW]' "$GAME_DIR/tracks/track1.txt" | tr -d '\n')"
SHOT_SCALE=2
for round in 1 2 3; do
    start_xvfb 1920x1080
    start_game
    read -r -a names <<<"$(xprop -id "$GAME_WIN" WM_CLASS | sed 's/.*= //; s/[",]//g')"
    class="$(sed -n 's/^StartupWMClass=//p' "$desktop_entry")"
    [ -n "$class" ] && [ "${names[*]}" = "$class $class" ] || fail "the window's class is \"${names[*]}\", not \"$class\""
    choose 0 1
    wait_preview 40
    hold Return 0.15
    wait_race 60
    xwd -silent -id "$GAME_WIN" | convert xwd:- "$WORK/window.png"
    convert "$WORK/window.png" -sample '640x480!' -sample '1280x960!' "$WORK/blocks.png"
    blurred="$(compare -metric AE "$WORK/window.png" "$WORK/blocks.png" null: 2>&1 | cut -d' ' -f1)"
    [ "$blurred" = 0 ] || fail "$blurred pixels of the window are not in squares of 2 x 2"
    keep_shot "$WORK/window.png" race-1280x960
    lose_display race "$([ "$round" -eq 2 ] && echo term)"

    rm -f "$RUN_DIR/newtrack.txt"
    start_xvfb 1920x1080
    edit_placing 1
    lose_display editor "$([ "$round" -eq 2 ] && echo term)"
    saved="$(saved_records)"
    [ "$saved" = "${original}SE" ] || fail "newtrack.txt holds \"$saved\", not the track's records, the new S and E"
done
log "passed"
