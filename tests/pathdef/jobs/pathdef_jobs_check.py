"""Whole path definitions by script: profiles drawn by ezdxf, `opt` run from
the origin to the stored path, and the saved drawing read back by ezdxf.

usage: pathdef_jobs_check.py OPTGRIND BUNDLED_ROOT WORK_DIR"""
import math
import os
import shutil
import subprocess
import sys

import ezdxf

QUARTER = math.tan(math.radians(90) / 4)  # bulge of a quarter circle, counter-clockwise
FAILURES = []


def punch_vertices():
    """A punch profile: straight sides, two rounded top corners."""
    return [(0, 0, 0), (60, 0, 0), (60, 20, QUARTER), (50, 30, 0), (10, 30, QUARTER), (0, 20, 0)]


def closed_punch(path):
    doc = ezdxf.new("R2000")
    doc.modelspace().add_lwpolyline(punch_vertices(), format="xyb", close=True)
    doc.saveas(path)


def loose_punch(path):
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    msp.add_line((0, 0), (60, 0))
    msp.add_line((60, 0), (60, 20))
    msp.add_arc((50, 20), 10, 0, 90)
    msp.add_line((50, 30), (10, 30))
    msp.add_arc((10, 20), 10, 90, 180)
    msp.add_line((0, 20), (0, 0))
    doc.saveas(path)


def open_profile(path):
    doc = ezdxf.new("R2000")
    doc.modelspace().add_lwpolyline([(0, 0, 0), (20, 0, QUARTER), (30, 10, 0), (30, 30, 0)], format="xyb")
    doc.saveas(path)


def rectangle(path):
    doc = ezdxf.new("R2000")
    doc.modelspace().add_lwpolyline([(0, 0), (60, 0), (60, 40), (0, 40)], format="xy", close=True)
    doc.saveas(path)


def locked_punch(path):
    doc = ezdxf.new("R2000")
    doc.layers.add("LOCKED").lock()
    doc.modelspace().add_lwpolyline(punch_vertices(), format="xyb", close=True, dxfattribs={"layer": "LOCKED"})
    doc.saveas(path)


def spline_ellipse_profile(path):
    """A bottom line, an elliptic arc up the right from (60,0) over (70,20) to
    (60,40), a Bezier spline over the top through (30,47.5) and a line down."""
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    msp.add_line((0, 0), (60, 0))
    msp.add_ellipse((60, 20), major_axis=(0, 20), ratio=0.5, start_param=math.pi, end_param=2 * math.pi)
    msp.add_open_spline([(60, 40), (40, 50), (20, 50), (0, 40)], degree=3)
    msp.add_line((0, 40), (0, 0))
    doc.saveas(path)


def run_job(work, name, drawing, answers, root):
    script = os.path.join(work, name + ".scr")
    saved = os.path.join(work, name + "_saved.dxf")
    with open(script, "w") as f:
        f.write("\n".join(answers) + "\n")
    run = subprocess.run([OPTGRIND, "--root", root, "--script", script, "--save", saved, drawing],
                         capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        FAILURES.append("%s: exit %d: %s" % (name, run.returncode, run.stderr))
    return ezdxf.readfile(saved), run.stdout


def stored_paths(doc):
    out = []
    for e in doc.modelspace().query("LWPOLYLINE"):
        if e.has_xdata("my_tag"):
            strings = [v for _, v in e.get_xdata("my_tag")]
            if "OPT_PATH" in strings:
                out.append((e, strings))
    return out


def rounded(points):
    return [tuple(round(v + 0.0, 3) + 0.0 for v in p) for p in points]


def check(name, condition, detail):
    if not condition:
        FAILURES.append("%s: %s" % (name, detail))


def fresh_root(work, name):
    root = os.path.join(work, name + "_root")
    shutil.rmtree(root, ignore_errors=True)
    shutil.copytree(BUNDLED, root)
    return root


# The machine data of the bundled opt.set: Leader 2, Approach 5/5, Over 5,
# Over angle 15, Safe height 20.
PUNCH_TWO_LIFTS = [
    (30, -2, 0), (25, -5, 0), (30, 0, 0), (60, 0, 0), (60, 10, 0), (60, 15, 0), (60, -10, 0), (35, -10, 0),
    (35, 30, 0), (30, 30, 0), (10, 30, QUARTER), (0, 20, 0), (0, 10, 0), (0, 5, 0), (0, -5, 0)]
PUNCH_TAGS = ["RAPID_UP6", "RAPID_MOVE7", "RAPID_DN8", "RAPID_UP14", "RAPID_MOVE15", "RAPID_DN16", "OPT_PATH",
              "ORDNO"]


def expect_path(name, doc, vertices, tags):
    paths = stored_paths(doc)
    check(name, len(paths) == 1, "%d stored paths" % len(paths))
    if not paths:
        return None
    e, strings = paths[0]
    got = rounded(e.get_points("xyb"))
    check(name, got == rounded(vertices), "vertices %s, expected %s" % (got, rounded(vertices)))
    keys = [s for s in strings if s.strip() and not s.isdigit()]
    check(name, keys == tags, "tags %s, expected %s" % (keys, tags))
    return e


def job_closed_punch_two_lifts(work):
    name = "closed_punch"
    drawing = os.path.join(work, name + ".dxf")
    closed_punch(drawing)
    doc, out = run_job(work, name, drawing,
                       ["opt", "SelEnt", "0,0", "30,0", "N", "60,10", "30,30", "0,10", "", "QUIT"],
                       fresh_root(work, name))
    e = expect_path(name, doc, PUNCH_TWO_LIFTS, PUNCH_TAGS)
    if e is not None:
        strings = [v for _, v in e.get_xdata("my_tag")]
        check(name, strings[-2:] == ["ORDNO", "1"], "ORDNO pair %s" % strings[-2:])
    colours = sorted(x.dxf.color for x in doc.modelspace().query("LWPOLYLINE") if not x.has_xdata("my_tag"))
    check(name, colours == [1, 1], "skipped and rest pieces coloured %s, expected red" % colours)


def job_loose_entities_joined(work):
    name = "loose_punch"
    drawing = os.path.join(work, name + ".dxf")
    loose_punch(drawing)
    doc, out = run_job(work, name, drawing,
                       ["opt", "SelEnt", "0,0", "30,0", "ALL", "", "N", "60,10", "30,30", "0,10", "", "QUIT"],
                       fresh_root(work, name))
    check(name, "It's Not a closed loop" in out, "no request to select entities")
    expect_path(name, doc, PUNCH_TWO_LIFTS, PUNCH_TAGS)
    left = [x.dxftype() for x in doc.modelspace() if x.dxftype() in ("LINE", "ARC")]
    check(name, not left, "loose entities left: %s" % left)


def job_origin_moves_everything(work):
    name = "origin"
    drawing = os.path.join(work, name + ".dxf")
    closed_punch(drawing)
    doc, _ = run_job(work, name, drawing,
                     ["opt", "SelEnt", "10,5", "20,-5", "N", "50,5", "20,25", "-10,5", "", "QUIT"],
                     fresh_root(work, name))
    paths = stored_paths(doc)
    check(name, len(paths) == 1, "%d stored paths" % len(paths))
    if paths:
        # The start point (20,-5) was picked after the move by (-10,-5).
        start = rounded(paths[0][0].get_points("xyb"))[2]
        check(name, start == (20.0, -5.0, 0.0), "start point %s after the origin move" % (start,))


def job_direction_reversed(work):
    name = "reversed"
    drawing = os.path.join(work, name + ".dxf")
    closed_punch(drawing)
    doc, _ = run_job(work, name, drawing,
                     ["opt", "SelEnt", "0,0", "30,0", "Y", "0,10", "30,30", "60,10", "", "QUIT"],
                     fresh_root(work, name))
    paths = stored_paths(doc)
    check(name, len(paths) == 1, "%d stored paths" % len(paths))
    if paths:
        pts = rounded(paths[0][0].get_points("xyb"))
        # Lead-in from the +X side, then along the bottom towards X 0.
        check(name, pts[1][:2] == (35.0, -5.0) and pts[2][:2] == (30.0, 0.0) and pts[3][:2] == (0.0, 0.0),
              "reversed path begins %s" % pts[:4])
        check(name, pts[-1][:2] == (60.0, -5.0), "last lift ends at %s" % (pts[-1],))
    circles = len(doc.modelspace().query("CIRCLE"))
    check(name, circles == 0, "%d direction marker circles left" % circles)


def job_open_profile(work):
    name = "open_profile"
    drawing = os.path.join(work, name + ".dxf")
    open_profile(drawing)
    doc, _ = run_job(work, name, drawing, ["opt", "SelEnt", "0,0", "5,0", "N", "30,30", "", "QUIT"],
                     fresh_root(work, name))
    expect_path(name, doc, [(5, -2, 0), (0, -5, 0), (5, 0, 0), (20, 0, QUARTER), (30, 10, 0), (30, 30, 0),
                            (35, 30, 0), (35, -5, 0)], ["RAPID_UP7", "RAPID_MOVE8", "RAPID_DN9", "OPT_PATH", "ORDNO"])


def job_approach_refused_and_over_len_changed(work):
    name = "approach_refused"
    drawing = os.path.join(work, name + ".dxf")
    rectangle(drawing)
    doc, out = run_job(work, name, drawing,
                       ["opt", "SelEnt", "0,0", "30,0", "N", "2.5", "60,10", "70", "0,30", "OK", "N", "0,5", "",
                        "QUIT"], fresh_root(work, name))
    check(name, "over_len=2.500" in out, "the prompt did not show the new over-cut length")
    check(name, "Approach length Will damage the profile surface" in out, "no refusal box")
    check(name, "<OverCut(NO)>" in out, "the prompt did not show the over-cut switched off")
    paths = stored_paths(doc)
    check(name, len(paths) == 1, "%d stored paths" % len(paths))
    if paths:
        pts = rounded(paths[0][0].get_points("xyb"))
        check(name, (60.0, 12.5, 0.0) in pts, "over-cut of 2.5 missing: %s" % pts)
        # Lowering straight onto the tool-down point: the approach was not joined.
        i = pts.index((0.0, 30.0, 0.0))
        check(name, pts[i - 1][:2] == (0.0, -10.0), "before the tool-down point: %s" % (pts[i - 1],))


def job_small_segment_no(work):
    name = "small_no"
    drawing = os.path.join(work, name + ".dxf")
    closed_punch(drawing)
    root = fresh_root(work, name)
    doc, out = run_job(work, name, drawing,
                       ["opt_set", "#8", "6", "OK", "opt", "SelEnt", "0,0", "30,0", "N", "60,10", "", "No", "QUIT"],
                       root)
    check(name, "There have small segment(Length =5.8310 )" in out, "no small segment box")
    check(name, "NC output" not in out, "NC output after a No")
    paths = stored_paths(doc)
    check(name, len(paths) == 1, "%d stored paths" % len(paths))
    if paths:
        check(name, "ORDNO" not in paths[0][1], "ORDNO written after a No")
    check(name, len(doc.modelspace().query("CIRCLE")) == 0, "the small segment mark stayed")


def job_bad_input_leaves_drawing(work):
    name = "bad_input"
    drawing = os.path.join(work, name + ".dxf")
    closed_punch(drawing)
    for label, answers, message in [
            ("off every entity", ["opt", "SelEnt", "0,0", "100,100", "QUIT"], "picked point have to on Entity"),
            ("cancel at the start", ["opt", "SelEnt", "0,0", "^C", "QUIT"], "picked point have to on Entity"),
            ("answers run out", ["opt", "SelEnt", "0,0", "30,0", "N", "60,10"], None),
            ("cancel at a tool point", ["opt", "SelEnt", "0,0", "30,0", "N", "^C", "QUIT"], None),
            ("user break", ["opt", "SelEnt", "0,0", "30,0", "N", "60,10", "^B", "30,30", "0,10", "", "QUIT"],
             "*Break*")]:
        doc, out = run_job(work, name, drawing, answers, fresh_root(work, name))
        if message:
            check(name, message in out, "%s: no message" % label)
        check(name, not stored_paths(doc), "%s: a path was stored" % label)
        check(name, "NC output" not in out, "%s: NC output ran" % label)


def job_tool_point_under_an_over_cut(work):
    # The over-cut of the lift at (40,0) runs over the profile to (45,0); a
    # tool-down point picked at (43,0) lies on both and is taken on the path.
    name = "under_over_cut"
    drawing = os.path.join(work, name + ".dxf")
    closed_punch(drawing)
    doc, out = run_job(work, name, drawing,
                       ["opt", "SelEnt", "0,0", "30,0", "N", "40,0", "43,0", "60,10", "", "QUIT"],
                       fresh_root(work, name))
    check(name, "not on the profile still ahead" not in out, "the tool-down point was refused")
    paths = stored_paths(doc)
    check(name, len(paths) == 1, "%d stored paths" % len(paths))
    if paths:
        pts = rounded(paths[0][0].get_points("xyb"))
        check(name, (43.0, 0.0, 0.0) in pts and (45.0, 0.0, 0.0) in pts, "path %s" % pts)


def job_locked_profile_refused(work):
    name = "locked"
    drawing = os.path.join(work, name + ".dxf")
    locked_punch(drawing)
    doc, out = run_job(work, name, drawing, ["opt", "SelEnt", "0,0", "30,0", "N", "60,10", "", "QUIT"],
                       fresh_root(work, name))
    check(name, "The profile lies on a locked layer" in out, "no message for the locked layer")
    shapes = [(e.dxftype(), e.closed, len(e)) for e in doc.modelspace()]
    check(name, shapes == [("LWPOLYLINE", True, 6)], "the drawing changed: %s" % shapes)


def job_spline_ellipse_profile(work):
    # The start is picked on the spline; the join turns both curves into arcs.
    name = "spline_profile"
    drawing = os.path.join(work, name + ".dxf")
    spline_ellipse_profile(drawing)
    doc, out = run_job(work, name, drawing, ["opt", "SelEnt", "0,0", "30,47.5", "ALL", "", "N", "0,20", "", "OK", "QUIT"],
                       fresh_root(work, name))
    paths = stored_paths(doc)
    check(name, len(paths) == 1, "%d stored paths" % len(paths))
    left = [x.dxftype() for x in doc.modelspace() if x.dxftype() in ("SPLINE", "ELLIPSE", "LINE")]
    check(name, not left, "not joined: %s" % left)
    nc = os.path.join(work, name.upper() + ".NC")
    text = open(nc).read() if os.path.exists(nc) else ""
    check(name, "G02" in text or "G03" in text, "no NC file with arcs")


def main():
    global OPTGRIND, BUNDLED
    OPTGRIND, BUNDLED, work = sys.argv[1], sys.argv[2], sys.argv[3]
    os.makedirs(work, exist_ok=True)
    for job in [job_closed_punch_two_lifts, job_loose_entities_joined, job_origin_moves_everything,
                job_direction_reversed, job_open_profile, job_approach_refused_and_over_len_changed,
                job_small_segment_no, job_bad_input_leaves_drawing, job_locked_profile_refused,
                job_tool_point_under_an_over_cut, job_spline_ellipse_profile]:
        job(work)
    for f in FAILURES:
        print("FAIL:", f)
    if FAILURES:
        sys.exit(1)
    print("path definition jobs: all checks passed")


if __name__ == "__main__":
    main()
