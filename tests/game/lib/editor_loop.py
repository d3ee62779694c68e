#!/usr/bin/env python3
"""A track author's hands in the editor, for the whole-game editor loop test.

  editor_loop.py scenery TRACK.txt OUT.txt
      OUT.txt gets only the scenery (S) records of TRACK.txt, closed by E.
  editor_loop.py plan TRACK.txt PLAN.txt
      PLAN.txt gets the loop to build: eight points taken from the route (W
      records) of TRACK.txt, spread round the lap in driving order, the first
      where the route heads +x; a gate (C) at every second point.  One line
      per point: "x y gate" (gate 1 or 0).
  editor_loop.py drive PLAN.txt GAME_OUT
      walks the editor's cursor from its start to each point in turn by
      holding S/Z and A/X (xdotool, to the focused window); at each point
      finds where the cursor really is from an F5 report (GAME_OUT is the
      game's standard output), moves it onto the point, and places a
      waypoint and, when planned, a gate.  Prints each point reached.
  editor_loop.py compare PLAN.txt NEWTRACK.txt SCENERY_COUNT TOLERANCE
      the saved file holds the scenery records first, then the placements in
      the planned order (at each point W, then C for a gate), each within TOLERANCE units of its plan; prints
      planned against saved positions; exit 1 when they do not match.
"""

import math
import re
import subprocess
import sys
import time

SPEED = 400.0          # cursor speed, units per second of game time
START = (1536.0, 1536.0)
POINTS = 8
GATES = 4
HOLD = 0.3             # a command key is held this long: one placement
LAG = 0.06             # a key is seen held this much longer than it is held
PROBE_WAIT = 20        # seconds an F5 report may take
LOCK_WAIT = 1.1        # after a command key is let go, before the next one


def records(path, letter):
    out = []
    with open(path) as f:
        for token_line in f:
            t = token_line.split()
            if t and t[0] == letter:
                out.append(t)
    return out


def scenery(track, out):
    with open(out, "w") as f:
        for t in records(track, "S"):
            f.write(" ".join(t) + "\n")
        f.write("E\n")


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
    if abs(dx) > 1:
        keys.append(("s" if dx > 0 else "z", abs(dx) / SPEED))
    if abs(dy) > 1:
        keys.append(("a" if dy > 0 else "x", abs(dy) / SPEED))
    keys = [(k, t - lag) for k, t in keys if t - lag > 0]
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


PROBE = re.compile(r"checkpoint (\d+) at \((-?\d+), (-?\d+)\): the drivers' route passes no nearer")


def reports(out):
    with open(out) as f:
        return f.read().split("\nVerdict: ")


def probe(out):
    """Where the cursor stands: a spare gate placed there lies off the
    drivers' route, and the F5 report names its position.  The gate is
    deleted again (it is the nearest object, at distance 0)."""
    before = len(reports(out))
    command("c")
    command("F5")
    deadline = time.monotonic() + PROBE_WAIT
    while len(reports(out)) <= before:
        if time.monotonic() > deadline:
            sys.exit("F5 gave no report within %d s" % PROBE_WAIT)
        time.sleep(0.1)
    report = reports(out)[before - 1]
    found = [(int(m.group(1)), float(m.group(2)), float(m.group(3))) for m in PROBE.finditer(report)]
    command("d")
    if not found:
        sys.exit("the F5 report names no spare gate:\n" + report)
    _, x, y = max(found)
    return x, y


def drive(path, out, lag):
    """A waypoint at the start (the one known position) gives the spare
    gates a route to be off; it is deleted at the end, when the route's
    numbers fall into place."""
    x, y = START
    command("w")
    for k, (px, py, gate) in enumerate(read_plan(path)):
        move(px - x, py - y, lag)
        ax, ay = probe(out)
        print("point %d: aimed at (%.0f, %.0f), reached (%.0f, %.0f), %.0f off" %
              (k, px, py, ax, ay, math.hypot(ax - px, ay - py)), flush=True)
        move(px - ax, py - ay, lag)
        x, y = px, py
        command("w")
        if k == 0:
            # numbered after the start's waypoint: it is the first of the route
            command("Page_Down")
        if gate:
            command("c")
    move(START[0] - x, START[1] - y, lag)
    command("d")
    print("start's waypoint deleted", flush=True)


def compare(path, saved, count, tolerance):
    points = read_plan(path)
    want = []
    for px, py, gate in points:
        want.append(("W", px, py))
        if gate:
            want.append(("C", px, py))
    got = []
    with open(saved) as f:
        got = [l.split() for l in f if l.split()]
    ok = True
    body = got[:-1] if got and got[-1] == ["E"] else got
    if not got or got[-1] != ["E"]:
        print("the saved file does not end with E")
        ok = False
    if len(body) < count or any(t[0] != "S" for t in body[:count]):
        print("the saved file does not start with the %d scenery records" % count)
        ok = False
    placed = body[count:]
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
    if what == "scenery" and len(sys.argv) == 4:
        scenery(sys.argv[2], sys.argv[3])
    elif what == "plan" and len(sys.argv) == 4:
        plan(sys.argv[2], sys.argv[3])
    elif what == "drive" and len(sys.argv) == 4:
        drive(sys.argv[2], sys.argv[3], LAG)
    elif what == "compare" and len(sys.argv) == 6:
        sys.exit(0 if compare(sys.argv[2], sys.argv[3], int(sys.argv[4]), float(sys.argv[5])) else 1)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
