"""NC read back by an independent interpreter: LinuxCNC's rs274 runs the NC
file, and the moves it reports must reproduce the stored path of the saved
drawing (read by ezdxf): line ends, arc ends and centres within 0.001.

Run with /usr/bin/python3 (ezdxf comes from Debian's python3-ezdxf)."""
import math
import re
import shutil
import subprocess

import ezdxf

TOLERANCE = 0.001
# The exit status that CTest counts as skipped.
SKIP = 77
MOVE = re.compile(r"(STRAIGHT_FEED|STRAIGHT_TRAVERSE|ARC_FEED)\(([^)]*)\)")


def have_rs274():
    return shutil.which("rs274") is not None


def missing_note():
    return "rs274 (Debian package linuxcnc-uspace) is not installed: the RS-274 check is skipped"


def stored_path(drawing):
    """The start and the elements, (end, centre or None, direction), of the
    drawing's stored path; None when it holds none."""
    doc = ezdxf.readfile(drawing)
    for pl in doc.modelspace().query("LWPOLYLINE"):
        keys = [value for _, value in (pl.get_xdata("my_tag") if pl.has_xdata("my_tag") else [])][0::2]
        if "OPT_PATH" not in keys:
            continue
        pts = pl.get_points("xyb")
        elements = []
        for (x1, y1, b), (x2, y2, _) in zip(pts, pts[1:]):
            if b == 0:
                elements.append(((x2, y2), None, 0))
                continue
            centre, _, _, _ = ezdxf.math.bulge_to_arc((x1, y1), (x2, y2), b)
            elements.append(((x2, y2), (centre.x, centre.y), 1 if b > 0 else -1))
        return (pts[0][0], pts[0][1]), elements
    return None


def rs274_moves(nc_file, out_file):
    """The moves rs274 reports for the file, (end, centre or None,
    rotation), and an error text (None when it ran clean)."""
    run = subprocess.run(["rs274", "-g", nc_file, out_file], stdin=subprocess.DEVNULL,
                         capture_output=True, text=True, timeout=60)
    text = run.stdout + run.stderr
    if run.returncode != 0 or re.search(r"error", text, re.I):
        return [], f"rs274 refused {nc_file} (status {run.returncode}):\n{text}"
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
    return moves, None


def near(a, b):
    return math.hypot(a[0] - b[0], a[1] - b[1]) <= TOLERANCE


def mismatch(start, elements, moves):
    """None when the first move goes to the start and every element's end, in
    order, is the end of a move of its kind (a lift may come in two straight
    moves); else what differs."""
    if not moves or not near(moves[0][0], start):
        return f"the first move does not go to the path's start {start}: {moves[:1]}"
    at = 1
    for i, (end, centre, direction) in enumerate(elements, 1):
        while at < len(moves) and not near(moves[at][0], end):
            if moves[at][1] is not None:
                return f"arc move {moves[at]} before element {i} ending at {end}"
            at += 1
        if at == len(moves):
            return f"no move ends at element {i}'s end {end}"
        move_centre, move_direction = moves[at][1], moves[at][2]
        if centre is None and move_centre is not None:
            return f"element {i} is a line, the move an arc: {moves[at]}"
        if centre is not None and (move_centre is None or not near(move_centre, centre)
                                   or move_direction != direction):
            return f"element {i} is an arc about {centre} ({direction}), move {moves[at]}"
        at += 1
    return None


def nc_problem(drawing, nc_file, moves_file):
    """What went wrong, or None when rs274 reads the NC file clean and its
    moves reproduce the drawing's stored path; and the path's element count."""
    path = stored_path(drawing)
    if path is None:
        return f"no stored path in {drawing}", 0
    moves, error = rs274_moves(nc_file, moves_file)
    if error:
        return error, 0
    return mismatch(path[0], path[1], moves), len(path[1])
