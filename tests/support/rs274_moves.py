"""NC read back by an independent interpreter: LinuxCNC's rs274 runs the NC
file, and its moves must reproduce the saved drawing's stored path (read by
ezdxf): line ends, arc ends and centres within 0.001."""
import math
import re
import shutil
import subprocess

import ezdxf

TOLERANCE = 0.001
SKIP = 77  # the exit status CTest counts as skipped
HAVE_RS274 = shutil.which("rs274") is not None
MISSING = "rs274 (Debian package linuxcnc-uspace) is not installed: the RS-274 check is skipped"
MOVE = re.compile(r"(STRAIGHT_FEED|STRAIGHT_TRAVERSE|ARC_FEED)\(([^)]*)\)")


def stored_path(drawing):
    """The start and the elements, (end, centre or None, direction), of the stored path; None without one."""
    for pl in ezdxf.readfile(drawing).modelspace().query("LWPOLYLINE"):
        if "OPT_PATH" not in [t.value for t in (pl.get_xdata("my_tag") if pl.has_xdata("my_tag") else [])][0::2]:
            continue
        pts = pl.get_points("xyb")
        elements = []
        for (x1, y1, b), (x2, y2, _) in zip(pts, pts[1:]):
            centre = ezdxf.math.bulge_to_arc((x1, y1), (x2, y2), b)[0] if b else None
            elements.append(((x2, y2), None if centre is None else (centre.x, centre.y), (b > 0) - (b < 0)))
        return (pts[0][0], pts[0][1]), elements
    return None


def rs274_moves(nc_file, out_file):
    """The moves rs274 reports, (end, centre or None, rotation), and its error text or None."""
    run = subprocess.run(["rs274", "-g", nc_file, out_file], stdin=subprocess.DEVNULL,
                         capture_output=True, text=True, timeout=60)
    text = run.stdout + run.stderr
    if run.returncode != 0 or re.search(r"error", text, re.I):
        return [], f"rs274 refused {nc_file} (status {run.returncode}):\n{text}"
    moves = []
    with open(out_file) as f:
        for kind, args in MOVE.findall(f.read()):
            a = [float(v) for v in args.replace(" ", "").split(",") if v]
            # An arc: first end, second end, then the centre on both axes and the rotation.
            arc = kind == "ARC_FEED"
            moves.append(((a[0], a[1]), (a[2], a[3]) if arc else None, int(a[4]) if arc else 0))
    return moves, None


def near(a, b):
    return math.hypot(a[0] - b[0], a[1] - b[1]) <= TOLERANCE


def mismatch(start, elements, moves):
    """None when the first move goes to the start and every element's end, in order, is the end
    of a move of its kind (a lift may come in two straight moves); else what differs."""
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
        if (centre is None) != (move_centre is None) or (
                centre is not None and (not near(move_centre, centre) or move_direction != direction)):
            return f"element {i} (centre {centre}, direction {direction}) read as the move {moves[at]}"
        at += 1
    return None


def nc_problem(drawing, nc_file, moves_file):
    """What went wrong, or None when rs274 reads the NC file clean and its moves reproduce the
    drawing's stored path; and the path's element count."""
    path = stored_path(drawing)
    if path is None:
        return f"no stored path in {drawing}", 0
    moves, error = rs274_moves(nc_file, moves_file)
    return error or mismatch(path[0], path[1], moves), len(path[1])
