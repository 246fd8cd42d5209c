"""The NC that the bundled post file writes is RS-274 that a standard
interpreter accepts: LinuxCNC's rs274 reads it without an error, and the
moves it reports reproduce the stored path (line ends, arc ends and
centres, within 0.001).

usage: /usr/bin/python3 rs274_check.py OPTGRIND DATA_DIR WORK_DIR
Exits 77 (skipped) when rs274 is not installed."""
import math
import os
import re
import shutil
import subprocess
import sys

import ezdxf

TOLERANCE = 0.001
SKIP = 77
DRAWINGS = [("lifts.dxf", "LIFTS.NC", {}), ("approach.dxf", "APPROACH.NC", {"return_start": "1"}),
            ("lifts.dxf", "LIFTS.NC", {"return_start": "1"})]
OPT_SET_RETURN_START = 12  # line of Return_start in opt.set, from 1
MOVE = re.compile(r"(STRAIGHT_FEED|STRAIGHT_TRAVERSE|ARC_FEED)\(([^)]*)\)")


def stored_path(drawing):
    """The start and the elements of the drawing's stored path: (end, centre or None, direction)."""
    doc = ezdxf.readfile(drawing)
    for pl in doc.modelspace().query("LWPOLYLINE"):
        keys = [value for code, value in (pl.get_xdata("my_tag") if pl.has_xdata("my_tag") else [])][0::2]
        if "OPT_PATH" not in keys:
            continue
        pts = pl.get_points("xyb")
        start = (pts[0][0], pts[0][1])
        elements = []
        for (x1, y1, b), (x2, y2, _) in zip(pts, pts[1:]):
            if b == 0:
                elements.append(((x2, y2), None, 0))
                continue
            centre, _, _, _ = ezdxf.math.bulge_to_arc((x1, y1), (x2, y2), b)
            elements.append(((x2, y2), (centre.x, centre.y), 1 if b > 0 else -1))
        return start, elements
    raise SystemExit("no stored path in " + drawing)


def rs274_moves(nc_file, out_file):
    run = subprocess.run(["rs274", "-g", nc_file, out_file], stdin=subprocess.DEVNULL,
                         capture_output=True, text=True, timeout=60)
    text = run.stdout + run.stderr
    if run.returncode != 0 or re.search(r"error", text, re.I):
        raise SystemExit(f"rs274 refused {nc_file} (status {run.returncode}):\n{text}")
    moves = []
    with open(out_file) as f:
        for line in f:
            m = MOVE.search(line)
            if not m:
                continue
            args = [float(a) for a in m.group(2).replace(" ", "").split(",") if a]
            if m.group(1) == "ARC_FEED":
                # first end, second end, first axis, second axis (the centre), rotation
                moves.append(((args[0], args[1]), (args[2], args[3]), int(args[4])))
            else:
                moves.append(((args[0], args[1]), None, 0))
    return moves


def near(a, b):
    return math.hypot(a[0] - b[0], a[1] - b[1]) <= TOLERANCE


def check(start, elements, moves, name):
    """The first move goes to the start; every element's end, in order, is
    the end of a move of its kind (a lift may come in two straight moves)."""
    if not moves or not near(moves[0][0], start):
        raise SystemExit(f"{name}: the first move does not go to the path's start {start}: {moves[:1]}")
    at = 1
    for i, (end, centre, direction) in enumerate(elements, 1):
        while at < len(moves) and not near(moves[at][0], end):
            if moves[at][1] is not None:
                raise SystemExit(f"{name}: arc move {moves[at]} before element {i} ending at {end}")
            at += 1
        if at == len(moves):
            raise SystemExit(f"{name}: no move ends at element {i}'s end {end}")
        move_centre, move_direction = moves[at][1], moves[at][2]
        if centre is None and move_centre is not None:
            raise SystemExit(f"{name}: element {i} is a line, the move an arc: {moves[at]}")
        if centre is not None and (move_centre is None or not near(move_centre, centre)
                                   or move_direction != direction):
            raise SystemExit(f"{name}: element {i} is an arc about {centre} ({direction}), move {moves[at]}")
        at += 1


def set_line(opt_set, line, value):
    with open(opt_set, newline="") as f:
        lines = f.read().split("\r\n")
    lines[line - 1] = value
    with open(opt_set, "w", newline="") as f:
        f.write("\r\n".join(lines))


def main():
    optgrind, data, work = sys.argv[1:4]
    if shutil.which("rs274") is None:
        print("rs274 (Debian package linuxcnc-uspace) is not installed: the RS-274 check is skipped")
        return SKIP
    source_root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "share", "optgrind")
    for n, (drawing, nc_name, options) in enumerate(DRAWINGS):
        case = os.path.join(work, f"case{n}")
        shutil.rmtree(case, ignore_errors=True)
        shutil.copytree(source_root, os.path.join(case, "root"))
        if options.get("return_start"):
            set_line(os.path.join(case, "root", "DAT", "opt.set"), OPT_SET_RETURN_START, "1")
        shutil.copy(os.path.join(data, drawing), case)
        script = os.path.join(case, "run.scr")
        with open(script, "w") as f:
            f.write("opt\nCreateNC\n\n OK \n")
        subprocess.run([optgrind, "--root", os.path.join(case, "root"), "--script", script,
                        os.path.join(case, drawing)], check=True, capture_output=True, timeout=60)
        start, elements = stored_path(os.path.join(case, drawing))
        moves = rs274_moves(os.path.join(case, nc_name), os.path.join(case, "moves.txt"))
        check(start, elements, moves, f"{drawing} {options}")
        print(f"{drawing} {options}: {len(elements)} elements reproduced by rs274")
    return 0


if __name__ == "__main__":
    sys.exit(main())
