#!/usr/bin/env python3
"""A track author's hands in the editor, for the whole-game editor loop test.

  editor_loop.py plan TRACK.txt PLAN.txt
      PLAN.txt gets the loop to build: eight points taken from the route (W
      records) of TRACK.txt, spread round the lap in driving order, the first
      where the route heads +x; a gate (C) at every second point.  One line
      per point: "x y gate" (gate 1 or 0).
  editor_loop.py drive PLAN.txt
      walks the editor's cursor to each point in turn by holding S/Z and A/X
      (xdotool, to the focused window), steering by the position the editor's
      readout shows, and places at each point a gate (C) when planned, then
      a waypoint (W), reading back from the readout the number each was
      given.  Prints each point reached.  The readout is read from the
      screen with read_text of common.sh: LIB, WORK and GAME_WIN come from
      the environment.
  editor_loop.py compare PLAN.txt NEWTRACK.txt TOLERANCE
      the saved file holds the placements in the planned order (at each
      point C for a gate, then W), each within TOLERANCE units of its plan;
      prints planned against saved positions; exit 1 when they do not match.
"""

import math
import os
import re
import subprocess
import sys
import time

SPEED = 400.0          # cursor speed, units per second of game time
START = (1536.0, 1536.0)
POINTS = 8
GATES = 4
HOLD = 0.12            # a command key is held this long: one placement
LAG = 0.06             # a key is seen held this much longer than it is held
LOCK_WAIT = 1.5        # after a command key is let go, before the next one (a second of game time, and some)
CLOSE = 30.0           # a point is reached this near
TAP = 0.01             # the shortest hold of a movement key
TRIES = 8              # moves towards a point at most


def records(path, letter):
    out = []
    with open(path) as f:
        for token_line in f:
            t = token_line.split()
            if t and t[0] == letter:
                out.append(t)
    return out


def plan(track, out):
    route = [(float(t[1]), float(t[2])) for t in records(track, "W")]
    n = len(route)
    if n < POINTS:
        sys.exit("the route of %s has only %d waypoints" % (track, n))
    # the start: the first stretch of the route heading most nearly +x
    def heading_x(i):
        a, b = route[i], route[(i + 1) % n]
        d = math.hypot(b[0] - a[0], b[1] - a[1])
        return (b[0] - a[0]) / d if d > 0 else -1
    first = max(range(n), key=heading_x)
    # eight points evenly spread along the route's length from there
    length = [0.0]
    for i in range(n):
        a, b = route[(first + i) % n], route[(first + i + 1) % n]
        length.append(length[-1] + math.hypot(b[0] - a[0], b[1] - a[1]))
    total = length[-1]
    picked = []
    for k in range(POINTS):
        want = total * k / POINTS
        i = min(range(n), key=lambda j: abs(length[j] - want))
        if picked and i <= picked[-1]:
            i = picked[-1] + 1
        picked.append(i)
    points = [route[(first + i) % n] for i in picked]
    # a gate at every second point; a gate of angle 0 counts a craft only on
    # its +x side, so one at a point whose neighbours both lie further in -x
    # (a right-hand bend seen from above) is missed by a craft cutting the
    # bend: it goes to the next point instead
    gates = set()
    for k in range(0, POINTS, POINTS // GATES):
        while k in gates or (points[k - 1][0] < points[k][0] and points[(k + 1) % POINTS][0] < points[k][0]):
            k = (k + 1) % POINTS
        gates.add(k)
    with open(out, "w") as f:
        for k, (x, y) in enumerate(points):
            f.write("%.1f %.1f %d\n" % (x, y, 1 if k in gates else 0))


def read_plan(path):
    with open(path) as f:
        return [(float(t[0]), float(t[1]), t[2] == "1") for t in (l.split() for l in f) if t]


def xdo(*args):
    subprocess.run(("xdotool",) + args, check=True)


def hold_keys(keys, seconds):
    if seconds <= 0:
        return
    xdo(*[a for k in keys for a in ("keydown", k)])
    time.sleep(seconds)
    xdo(*[a for k in keys for a in ("keyup", k)])
    time.sleep(0.15)


def move(dx, dy, lag):
    """Holds the x and the y key together, each let go when its part is done."""
    keys = []
    if abs(dx) > CLOSE / 2:
        keys.append(("s" if dx > 0 else "z", abs(dx) / SPEED))
    if abs(dy) > CLOSE / 2:
        keys.append(("a" if dy > 0 else "x", abs(dy) / SPEED))
    # a short move is a tap, as short as the keys allow
    keys = [(k, max(t - lag, TAP)) for k, t in keys]
    if not keys:
        return
    keys.sort(key=lambda kt: kt[1])
    xdo(*[a for k, _ in keys for a in ("keydown", k)])
    start = time.monotonic()
    for k, t in keys:
        time.sleep(max(0.0, start + t - time.monotonic()))
        xdo("keyup", k)
    time.sleep(0.2)


def command(k):
    hold_keys([k], HOLD)
    time.sleep(LOCK_WAIT - 0.15)


READOUT = re.compile(r"^x (-?\d+)  y (-?\d+)  height -?\d+  ground of track \d+  next CP (\d+) WP (\d+)")


def readout():
    """The editor's two readout lines, read from the screen."""
    # common.sh starts its variables empty: they are set after it is read
    script = ('source "$0/common.sh"; WORK="$1"; GAME_WIN="$2"; s="$WORK/readout.png"; '
              'xwd -silent -id "$GAME_WIN" | convert xwd:- -crop 640x24+0+0 +repage "$s" || exit 1; '
              'read_text "$s" 4 4 78; read_text "$s" 4 14 78')
    out = subprocess.run(["bash", "-c", script, os.environ["LIB"], os.environ["WORK"], os.environ["GAME_WIN"]],
                         check=True, capture_output=True, text=True).stdout.split("\n")
    first, second = (out + ["", ""])[:2]
    m = READOUT.match(first)
    if not m:
        sys.exit("the readout does not show the cursor: %r" % first)
    return float(m.group(1)), float(m.group(2)), int(m.group(3)), int(m.group(4)), second


def expect(seen, wanted, what):
    if seen != wanted:
        sys.exit("after %s the readout shows %r, not %r" % (what, seen, wanted))


def drive(path, lag):
    gates = waypoints = 0
    x, y, _, _, _ = readout()
    for k, (px, py, gate) in enumerate(read_plan(path)):
        for _ in range(TRIES):
            if math.hypot(px - x, py - y) < CLOSE:
                break
            move(px - x, py - y, lag)
            x, y, _, _, _ = readout()
        else:
            sys.exit("point %d at (%.0f, %.0f) not reached: the cursor stands at (%.0f, %.0f)" % (k, px, py, x, y))
        if gate:
            command("c")
        command("w")
        # at a gate the gate is nearest, since it was placed first; the next
        # numbers tell that each placement took one number
        x, y, next_gate, next_waypoint, nearest = readout()
        placed = "gate CP %d  radius 40  angle 0" % gates if gate else "waypoint WP %d" % waypoints
        expect(nearest, "nearest, 0 away: " + placed, "placing at point %d" % k)
        gates += gate
        waypoints += 1
        expect((next_gate, next_waypoint), (gates, waypoints), "placing at point %d" % k)
        print("point %d: (%.0f, %.0f) reached at (%.0f, %.0f): %s" % (k, px, py, x, y, placed), flush=True)


def compare(path, saved, tolerance):
    points = read_plan(path)
    want = []
    for px, py, gate in points:
        if gate:
            want.append(("C", px, py))
        want.append(("W", px, py))
    got = []
    with open(saved) as f:
        got = [l.split() for l in f if l.split()]
    ok = True
    body = got[:-1] if got and got[-1] == ["E"] else got
    if not got or got[-1] != ["E"]:
        print("the saved file does not end with E")
        ok = False
    placed = body
    if len(placed) != len(want):
        print("%d records placed, %d planned: %s" % (len(placed), len(want), [" ".join(t) for t in placed]))
        ok = False
    worst = 0.0
    print("record  planned          saved            off")
    for i, (letter, px, py) in enumerate(want):
        if i >= len(placed):
            print("%s       (%6.0f, %6.0f)  missing" % (letter, px, py))
            continue
        t = placed[i]
        sx, sy = float(t[1]), float(t[2])
        off = math.hypot(sx - px, sy - py)
        worst = max(worst, off)
        bad = t[0] != letter or off > tolerance
        print("%s/%s     (%6.0f, %6.0f) (%6.0f, %6.0f) %5.0f%s" %
              (letter, t[0], px, py, sx, sy, off, "  <-- wrong" if bad else ""))
        if bad:
            ok = False
    print("worst placement %.0f units from its plan (tolerance %.0f)" % (worst, tolerance))
    return ok


def main():
    what = sys.argv[1] if len(sys.argv) > 1 else ""
    if what == "plan" and len(sys.argv) == 4:
        plan(sys.argv[2], sys.argv[3])
    elif what == "drive" and len(sys.argv) == 3:
        drive(sys.argv[2], LAG)
    elif what == "compare" and len(sys.argv) == 5:
        sys.exit(0 if compare(sys.argv[2], sys.argv[3], float(sys.argv[4])) else 1)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
