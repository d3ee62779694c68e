#!/bin/bash
# The Debian package as a player meets it: scripts/package builds it (lintian
# finds no error), apt-get installs it, and an ordinary user, under Xvfb,
# starts hover from the PATH, races, leaves, makes a track with hover e 1 and
# checks it with hover-check from another folder; the game's folder of that
# player holds the content links, the copied tracks and newtrack.txt. The
# package's AppStream metadata passes appstreamcli's check, and its desktop
# entry names the window's class. Then
# the package is removed, and nothing of it is left but the player's folder.
# Installing needs root: elsewhere the test is skipped, saying so.
source "$(dirname "$0")/lib/common.sh"
game_test_init "$1" 280
require_content
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root; this runs as $(id -un)"
for tool in apt-get dpkg-deb useradd userdel runuser flock appstreamcli; do
    command -v "$tool" >/dev/null || skip "$tool is not on this machine"
done
source_dir="${HOVER_SOURCE_DIR:?the source folder}"
# one package test at a time on a machine, whichever checkout runs it
exec 9>/tmp/hover-package-test.lock
flock -w 200 9 || fail "another package test holds /tmp/hover-package-test.lock"

log "building the package"
deb="$(BUILD_DIR="$(dirname "$GAME_DIR")" "$source_dir/scripts/package" 2>&1 | tee "$WORK/package.log" | tail -n 1)"
[ -f "$deb" ] || fail "scripts/package made no package: $(tail -n 5 "$WORK/package.log")"
package="$(dpkg-deb -f "$deb" Package)"
log "lintian (no errors; what else it says follows): $(sed '$d' "$WORK/package.log" | tr '\n' ' ')"
installed() { dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; }
installed && skip "$package is installed on this machine; remove it (apt-get remove $package) to run this test"
dpkg-deb -f "$deb" Depends | grep -q 'liballegro4\.4' && dpkg-deb -f "$deb" Depends | grep -q 'freepats' ||
    fail "the package does not depend on the Allegro runtime and freepats: $(dpkg-deb -f "$deb" Depends)"

player="hvplay$$"
player_home="/home/$player"
folder="$player_home/.local/share/$package"
we_installed=0
package_cleanup() {
    if [ "$we_installed" -eq 1 ] && installed; then apt-get remove -y -q "$package" >/dev/null 2>&1; fi
    if id "$player" >/dev/null 2>&1; then userdel -r "$player" >/dev/null 2>&1; fi
}
trap 'rc=$?; package_cleanup; (exit $rc); _cleanup' EXIT

log "installing $deb"
export DEBIAN_FRONTEND=noninteractive
we_installed=1
apt-get install -y -q -o DPkg::Lock::Timeout=60 --no-install-recommends "$deb" >"$WORK/install.log" 2>&1 ||
    fail "apt-get could not install the package: $(tail -n 5 "$WORK/install.log")"
dpkg -L "$package" >"$WORK/files.txt"
# what software centres read of it, and the desktop entry that names the window
metainfo="$(grep '^/usr/share/metainfo/.*\.metainfo\.xml$' "$WORK/files.txt")"
[ -n "$metainfo" ] || fail "the package carries no AppStream metadata under /usr/share/metainfo"
appstreamcli validate --no-net "$metainfo" >"$WORK/metainfo.log" 2>&1 ||
    fail "appstreamcli finds fault with $metainfo: $(tail -n 5 "$WORK/metainfo.log")"
grep -qx "StartupWMClass=$package" "/usr/share/applications/$package.desktop" ||
    fail "the desktop entry does not name the window's class $package"

useradd -m -d "$player_home" -s /bin/sh "$player" || fail "cannot add the user $player"
# the player's session: a plain environment, the usual PATH with /usr/games,
# and sound that plays into nothing
printf 'pcm.!default {\n  type null\n}\n' >"$player_home/.asoundrc"
chown "$player:" "$player_home/.asoundrc"
cat >"$WORK/as-player" <<SH
#!/bin/sh
exec runuser -u "$player" -- env -i HOME="$player_home" PATH=/usr/local/bin:/usr/bin:/bin:/usr/games \
    DISPLAY="\$DISPLAY" "\$@"
SH
chmod +x "$WORK/as-player"
as_player() { (cd "$player_home" && "$WORK/as-player" "$@"); }

start_xvfb
RUN_DIR="$player_home"
GAME_BIN="$WORK/as-player"

log "a race, started as $player from the PATH"
start_game hover
choose 0 1
wait_preview 40
hold Return 0.15
wait_race 60
hold Escape 0.15
wait_track_dialog "Track" 15
hold Escape 0.15
wait_game_end 10 || fail "Escape in the track dialog did not end the game"
[ "$GAME_STATUS" -eq 0 ] || fail "the installed game ended with status $GAME_STATUS"
[ -z "$(game_errors)" ] || fail "the installed game wrote errors (is its music's patch set found?): $(game_errors | head -n 3)"
for name in data.dat tracks.dat patches; do
    [ -L "$folder/$name" ] && [ -e "$folder/$name" ] || fail "no link $folder/$name to the installed content"
done
[ -f "$folder/tracks/track1.txt" ] && [ ! -L "$folder/tracks/track1.txt" ] &&
    [ "$(stat -c %U "$folder/tracks/track1.txt")" = "$player" ] || fail "track1.txt was not copied into the player's folder"
[ "$(stat -c %U "$folder/allegro.cfg" 2>/dev/null)" = "$player" ] || fail "no allegro.cfg of the player's own"

log "the editor on track 1, saved"
start_game hover e 1
wait_preview 40
hold Return 0.15
wait_editor 40
hold Escape 0.15
wait_game_end 15 || fail "Escape did not end the editor"
[ "$GAME_STATUS" -eq 0 ] || fail "the installed editor ended with status $GAME_STATUS"
[ "$(stat -c %U "$folder/newtrack.txt" 2>/dev/null)" = "$player" ] || fail "no newtrack.txt of the player's in $folder"

log "hover-check on it, from the player's home"
as_player hover-check 1 ".local/share/$package/newtrack.txt" >"$WORK/check.txt" 2>&1 ||
    fail "hover-check 1 newtrack.txt failed: $(tail -n 3 "$WORK/check.txt")"
grep -q '^Verdict: Track OK' "$WORK/check.txt" || fail "hover-check gave no good verdict: $(tail -n 3 "$WORK/check.txt")"

log "removing the package"
apt-get remove -y -q -o DPkg::Lock::Timeout=60 "$package" >"$WORK/remove.log" 2>&1 || fail "apt-get could not remove the package: $(tail -n 5 "$WORK/remove.log")"
[ -z "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -v 'not-installed')" ] ||
    fail "dpkg still knows $package: $(dpkg-query -W -f='${Status}' "$package")"
left=""
while IFS= read -r path; do
    # the folders it shared with other packages stay
    if [ -L "$path" ] || [ -f "$path" ] || { [ -d "$path" ] && [[ "$path" == *"/$package"* ]]; }; then left="$left $path"; fi
done <"$WORK/files.txt"
[ -z "$left" ] || fail "left behind by the removal:$left"
[ -f "$folder/newtrack.txt" ] && [ -f "$folder/tracks/track1.txt" ] || fail "the removal took the player's folder"
log "passed"
