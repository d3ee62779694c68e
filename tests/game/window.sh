#!/bin/bash
# The window fits the screen: 640 x 480 on an 800 x 600 screen, 1280 x 960 on
# a 1920 x 1080 one (three times would not fit), 1920 x 1440 on a 3840 x 2160
# one, and 640 x 480 there with x1. At twice the size the race's HUD reads as
# ever, each pixel of the frame a square of 2 x 2, so its letters are twice
# their size. The window's class and instance are the desktop entry's
# StartupWMClass. Killing the X server ends a race, and the editor after
# saving newtrack.txt, within 2 s, with a line on standard error, status 1
# and no core, every time.
source "$(dirname "$0")/lib/common.sh"
game_test_init "$1" 290
require_content
command -v xwininfo >/dev/null && command -v xprop >/dev/null || fail "xwininfo and xprop are not installed (scripts/setup installs x11-utils)"
quiet_sound
desktop_entry="$(dirname "$GAME_DIR")/packaging/hover.desktop"
[ -f "$desktop_entry" ] || fail "no desktop entry at $desktop_entry"
ulimit -c unlimited

# window_size: the game window's width and height
window_size() { xwininfo -id "$GAME_WIN" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }

# quit_from_language_dialog
quit_from_language_dialog() {
    wait_language_dialog 20
    hold Escape 0.15
    wait_game_end 10 && [ "$GAME_STATUS" -eq 0 ] || fail "Escape in the language dialog did not end the game with status 0"
}

for sizes in "800x600 640x480" "1920x1080 1280x960" "3840x2160 1920x1440"; do
    read -r screen window <<<"$sizes"
    start_xvfb "$screen"
    SHOT_SCALE=$(( ${window%x*} / 640 ))
    start_game
    [ "$(window_size)" = "$window" ] || fail "a $screen screen opened a window of $(window_size), not $window"
    log "a $screen screen: a window of $window"
    quit_from_language_dialog
    [ "$screen" = 3840x2160 ] || stop_xvfb
done
SHOT_SCALE=1
start_game x1
[ "$(window_size)" = 640x480 ] || fail "x1 on a 3840x2160 screen opened a window of $(window_size), not 640x480"
quit_from_language_dialog
stop_xvfb

# lose_display WHAT: kills the X server under the game; it must end within 2 s,
# with status 1, the line on standard error and no core
lose_display() {
    local t0 took
    rm -f "$RUN_DIR"/core*
    t0="$(now_ms)"
    kill "$XVFB_PID"
    wait_game_end 5 || fail "the $1 still runs 5 s after its display went away"
    took=$(( $(now_ms) - t0 ))
    stop_xvfb
    log "the display lost in the $1: ended after $took ms with status $GAME_STATUS"
    [ "$took" -le 2000 ] || fail "the $1 took $took ms to end after its display went away"
    [ "$GAME_STATUS" -eq 1 ] || fail "status $GAME_STATUS after the display went away in the $1, not 1"
    game_errors | grep -qx "Lost the connection to the display" || fail "no line on standard error in the $1: $(game_errors | head -n 3)"
    ! ls "$RUN_DIR"/core* >/dev/null 2>&1 || fail "the $1 left a core"
}

original="$(grep -o '^[SCPW]' "$GAME_DIR/tracks/track1.txt" | tr -d '\n')"
for round in 1 2 3; do
    start_xvfb 1920x1080
    SHOT_SCALE=2
    start_game
    if [ "$round" -eq 1 ]; then
        set -- $(xprop -id "$GAME_WIN" WM_CLASS | sed 's/.*= //; s/[",]//g')
        class="$(sed -n 's/^StartupWMClass=//p' "$desktop_entry")"
        [ -n "$class" ] && [ "$1" = "$class" ] && [ "$2" = "$class" ] ||
            fail "the window's class is \"$*\", the desktop entry's StartupWMClass \"$class\""
    fi
    choose 0 1
    wait_preview 40
    hold Return 0.15
    wait_race 60
    if [ "$round" -eq 1 ]; then
        # every pixel of the frame is a square of 2 x 2 of the window's
        xwd -silent -id "$GAME_WIN" | convert xwd:- "$WORK/window.png"
        convert "$WORK/window.png" -sample '640x480!' -sample '1280x960!' "$WORK/blocks.png"
        blurred="$(compare -metric AE "$WORK/window.png" "$WORK/blocks.png" null: 2>&1 | cut -d' ' -f1)"
        [ "$blurred" = 0 ] || fail "$blurred pixels of the window are not in squares of 2 x 2"
        case "$(read_hud "$(shot hud)")" in lap:*" current lap time:"*) ;; *) fail "no HUD in the frame shown twice as large" ;; esac
        keep_shot "$WORK/window.png" race-1280x960
    fi
    lose_display race

    rm -f "$RUN_DIR/newtrack.txt"
    start_xvfb 1920x1080
    start_game e 1
    wait_preview 40
    hold Return 0.15
    wait_editor 40
    sleep 1.5
    hold 1 0.15
    lose_display editor
    saved="$(awk '{ printf "%s", $1 }' "$RUN_DIR/newtrack.txt" 2>/dev/null)"
    [ "$saved" = "${original}SE" ] || fail "after the display went away newtrack.txt holds \"$saved\", not the track's records, the new S and E"
done
log "passed"
