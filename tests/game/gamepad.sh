#!/bin/bash
# A player with a gamepad and no keyboard. The test machines have no pad: the
# library's own joystick driver reads a FIFO named as its device, which a
# preloaded shim makes answer as a pad of 8 axes and 11 buttons (fake_pad.c),
# and the test writes the pad's events into it. The cross moves down in the
# language dialog and the first button picks "Francais", then the first track;
# a button ends the wait on the map; the first button thrusts the craft away
# from the grid; the start button (the tenth) pauses the race clock and
# resumes it.
source "$(dirname "$0")/lib/common.sh"
game_test_init "$1" 200
require_content
start_xvfb
quiet_sound
cc -shared -fPIC -o "$WORK/fake_pad.so" "$(dirname "$0")/lib/fake_pad.c" -ldl || fail "cannot build the pad"
mkfifo "$WORK/js0"
exec 7<>"$WORK/js0"
# the library reads allegro.cfg beside the program: a copy of the game with
# the game's settings and the pad's device
mkdir -p "$WORK/game"
cp "$GAME_BIN" "$WORK/game/hover"
GAME_BIN="$WORK/game/hover"
{ cat "$GAME_DIR/allegro.cfg"; printf '[joystick]\njoystick_device = %s\n' "$WORK/js0"; } >"$WORK/game/allegro.cfg"
export LD_PRELOAD="$WORK/fake_pad.so"

# pad TYPE NUMBER VALUE: one event (type 1 a button, 2 an axis)
pad() { perl -e 'print pack("LsCC", 0, $ARGV[2], $ARGV[0], $ARGV[1])' "$@" >&7; }
# press BUTTON [SECONDS]
press() { pad 1 "$1" 1; sleep "${2:-0.3}"; pad 1 "$1" 0; sleep 0.3; }

start_game
unset LD_PRELOAD
wait_language_dialog 20
# the cross is the last pair of axes: down, let go
pad 2 7 32767
sleep 0.3
pad 2 7 0
press 0
wait_track_dialog Circuit 10
press 0
wait_preview 40
press 3
wait_race 60
sleep 1.5
still="$(shot still)"
sleep 1
idle="$(differ "$still" "$(shot idle)" 640x200+0+280)"
press 0 2.5
moved="$(differ "$still" "$(shot thrust)" 640x200+0+280)"
log "the ground under the craft: $idle of it changed with nothing pressed, $moved after the first button"
lt "$idle" 0.1 && lt 0.3 "$moved" || fail "the first button did not drive the craft away"

press 9
sleep 0.5
paused="$(hud_ms "$(read_hud "$(shot paused1)")")"
sleep 1
[ "$paused" = "$(hud_ms "$(read_hud "$(shot paused2)")")" ] || fail "the start button did not stop the race clock"
press 9
sleep 1
lt "$paused" "$(hud_ms "$(read_hud "$(shot resumed)")")" || fail "the start button did not resume the race"
log "passed"
