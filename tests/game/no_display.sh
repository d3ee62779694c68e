#!/bin/bash
# Without a display no graphics mode can be set: the game says so in one line
# on standard error and ends with status 1, in the menus and in the editor.
source "$(dirname "$0")/lib/common.sh"
game_test_init "$1" 30
quiet_sound
make_run_dir
unset DISPLAY

for args in "" "e 1" "edit 2"; do
    # shellcheck disable=SC2086
    run_game 15 $args
    [ "$GAME_STATUS" -eq 1 ] || fail "hover $args without a display: status $GAME_STATUS, expected 1"
    [ "$(game_errors)" = "Cannot set gfx mode" ] || fail "hover $args without a display: standard error \"$(game_errors)\""
    [ ! -s "$GAME_OUT" ] || fail "hover $args without a display wrote to standard output: $(head -c 200 "$GAME_OUT")"
    [ ! -e "$RUN_DIR/newtrack.txt" ] || fail "hover $args without a display wrote newtrack.txt"
    log "hover $args: \"Cannot set gfx mode\", status 1"
done

# A display that cannot be reached counts the same.
DISPLAY=":98.7" run_game 15
[ "$GAME_STATUS" -eq 1 ] && [ "$(game_errors)" = "Cannot set gfx mode" ] ||
    fail "hover with an unreachable display: status $GAME_STATUS, standard error \"$(game_errors)\""
log "unreachable display: \"Cannot set gfx mode\", status 1"
log "passed"
