"""PEDIT on a real Inkscape export: the circle it drew as six Bezier splines
is picked, turned into arcs and joined to one closed polyline, which ezdxf's
own evaluation of the splines, sampled densely, finds within ARCFITTOL (set
by SETVAR); the picture shows it, and a window lists the six splines first.

usage: spline_pedit_check.py OPTGRIND DRAWING WORK_DIR"""
import math
import os
import subprocess
import sys

import ezdxf

TOLERANCE = 0.0002  # ARCFITTOL, set finer than its default of 0.001
SAMPLES = 2000  # per spline
CIRCLE = ["104", "105", "106", "107", "108", "109"]  # the handles of its splines


def segment_distance(p, a, b, bulge):
    """From p to the polyline segment a-b (an arc when it has a bulge)."""
    (px, py), (ax, ay), (bx, by) = p, a, b
    dx, dy = bx - ax, by - ay
    if abs(bulge) < 1e-12:
        t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(px - ax - t * dx, py - ay - t * dy)
    offset = (1 / bulge - bulge) / 4
    cx, cy = (ax + bx) / 2 - offset * dy, (ay + by) / 2 + offset * dx
    radius = math.hypot(ax - cx, ay - cy)
    # On the arc when p lies on the bulge's side of the chord.
    side = (dx * (py - ay) - dy * (px - ax)) * -bulge
    if side >= 0:
        return abs(math.hypot(px - cx, py - cy) - radius)
    return min(math.hypot(px - ax, py - ay), math.hypot(px - bx, py - by))


def main():
    optgrind, drawing, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    script, saved, svg = (os.path.join(work, n) for n in ("pedit.scr", "pedit.dxf", "pedit.svg"))
    with open(script, "w") as f:
        f.write("\n".join(["LIST", "W", "60,360", "160,460", "", "SETVAR", "arcfittol",
                           str(TOLERANCE), "PEDIT", "91.666,443.68", "Y", "J", "ALL", "", "X"]))
    run = subprocess.run([optgrind, "--script", script, "--save", saved, "--svg", svg, drawing],
                         capture_output=True, text=True, timeout=120)
    faults = [] if run.returncode == 0 else ["exit %d: %s" % (run.returncode, run.stderr)]
    if run.stdout.count("Number of control points:") != 6:
        faults.append("the window did not list the six splines")
    splines = [e for e in ezdxf.readfile(drawing).modelspace().query("SPLINE") if e.dxf.handle in CIRCLE]
    joined = [e for e in ezdxf.readfile(saved).modelspace().query("LWPOLYLINE") if e.dxf.color == 7]
    if len(joined) != 1 or not joined[0].closed:
        faults.append("not one closed polyline: %d" % len(joined))
    else:
        v = joined[0].get_points("xyb")
        segments = [(v[i][:2], v[(i + 1) % len(v)][:2], v[i][2]) for i in range(len(v))]
        worst = max(min(segment_distance((p.x, p.y), *s) for s in segments)
                    for e in splines for p in e.construction_tool().approximate(SAMPLES))
        print("%d segments (%d arcs), largest deviation %.6f" % (len(v), sum(1 for p in v if p[2]), worst))
        if worst > TOLERANCE:
            faults.append("deviation %.6f over %.3f" % (worst, TOLERANCE))
    with open(svg) as f:
        if " A " not in f.read():
            faults.append("the picture shows no arcs")
    for fault in faults:
        print("FAIL:", fault)
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
