"""Whole path definitions by script: profiles drawn by ezdxf, `opt` run from
the origin to the stored path, and the saved drawing read back by ezdxf.
The NC of the jobs that write one is read by LinuxCNC's rs274, whose moves
must reproduce the stored path (skipped with a note where rs274 is missing).

usage: pathdef_jobs_check.py OPTGRIND BUNDLED_ROOT WORK_DIR"""
import math
import os
import re
import shutil
import subprocess
import sys

import ezdxf

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import rs274_moves  # noqa: E402

QUARTER = math.tan(math.radians(90) / 4)  # bulge of a quarter circle, counter-clockwise
FAILURES = []


PUNCH = [(0, 0, 0), (60, 0, 0), (60, 20, QUARTER), (50, 30, 0), (10, 30, QUARTER), (0, 20, 0)]


def polyline_drawing(vertices, close=True, layer="0"):
    """A drawing maker: one polyline (the punch: straight sides, two rounded top corners)."""
    def make(path):
        doc = ezdxf.new("R2000")
        if layer != "0":
            doc.layers.add(layer).lock()
        doc.modelspace().add_lwpolyline(vertices, format="xyb", close=close, dxfattribs={"layer": layer})
        doc.saveas(path)
    return make


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


def run_job(work, name, make_drawing, answers):
    """The saved drawing and the printed text of the answers run on a fresh drawing and root."""
    drawing, script, saved = (os.path.join(work, name + ext) for ext in (".dxf", ".scr", "_saved.dxf"))
    make_drawing(drawing)
    root = os.path.join(work, name + "_root")
    shutil.rmtree(root, ignore_errors=True)
    shutil.copytree(BUNDLED, root)
    with open(script, "w") as f:
        f.write("\n".join(answers) + "\n")
    # An NC file left by an earlier run would ask before it is replaced.
    if os.path.exists(nc_file(work, name)):
        os.remove(nc_file(work, name))
    run = subprocess.run([OPTGRIND, "--root", root, "--script", script, "--save", saved, "--svg",
                          os.path.join(work, name + ".svg"), drawing],
                         capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        FAILURES.append("%s: exit %d: %s" % (name, run.returncode, run.stderr))
    return ezdxf.readfile(saved), run.stdout


def nc_file(work, name):
    return os.path.join(work, name.upper() + ".NC")


def expect_nc_read_back(work, name):
    """rs274 reads the job's NC clean, and its moves reproduce the saved stored path."""
    if rs274_moves.HAVE_RS274:
        problem, _ = rs274_moves.nc_problem(os.path.join(work, name + "_saved.dxf"), nc_file(work, name),
                                            os.path.join(work, name + "_moves.txt"))
        check(name, problem is None, "NC read by rs274: %s" % problem)


def expect_picture_roles(work, name, roles):
    """The picture draws the path's elements in these roles (the legend comes after the paths)."""
    with open(os.path.join(work, name + ".svg")) as f:
        got = re.findall(r'<g class="([a-z-]+)"', f.read().split("font-family")[0])
    check(name, got == roles.split(), "picture roles %s, expected %s" % (got, roles.split()))


def stored_paths(doc):
    out = []
    for e in doc.modelspace().query("LWPOLYLINE"):
        if e.has_xdata("my_tag"):
            strings = [v for _, v in e.get_xdata("my_tag")]
            if "OPT_PATH" in strings:
                out.append((e, strings))
    return out


def the_path(name, doc):
    """The vertices (rounded) and tags of the one stored path; None and [] when not exactly one."""
    paths = stored_paths(doc)
    check(name, len(paths) == 1, "%d stored paths" % len(paths))
    if len(paths) != 1:
        return None, []
    return rounded(paths[0][0].get_points("xyb")), paths[0][1]


def rounded(points):
    return [tuple(round(v + 0.0, 3) + 0.0 for v in p) for p in points]


def check(name, condition, detail):
    if not condition:
        FAILURES.append("%s: %s" % (name, detail))


# The machine data of the bundled opt.set: Leader 2, Approach 5/5, Over 5,
# Over angle 15, Safe height 20.
PUNCH_TWO_LIFTS = [
    (30, -2, 0), (25, -5, 0), (30, 0, 0), (60, 0, 0), (60, 10, 0), (60, 15, 0), (60, -10, 0), (35, -10, 0),
    (35, 30, 0), (30, 30, 0), (10, 30, QUARTER), (0, 20, 0), (0, 10, 0), (0, 5, 0), (0, -5, 0)]
PUNCH_TAGS = ["RAPID_UP6", "RAPID_MOVE7", "RAPID_DN8", "RAPID_UP14", "RAPID_MOVE15", "RAPID_DN16", "OPT_PATH",
              "ORDNO"]


def expect_path(name, doc, vertices, tags):
    got, strings = the_path(name, doc)
    if got is None:
        return
    check(name, got == rounded(vertices), "vertices %s, expected %s" % (got, rounded(vertices)))
    keys = [s for s in strings if s.strip() and not s.isdigit()]
    check(name, keys == tags, "tags %s, expected %s" % (keys, tags))
    check(name, strings[-2:] == ["ORDNO", "1"], "ORDNO pair %s" % strings[-2:])


def job_closed_punch_two_lifts(work):
    name = "closed_punch"
    doc, out = run_job(work, name, polyline_drawing(PUNCH),
                       ["opt", "SelEnt", "0,0", "30,0", "N", "60,10", "30,30", "0,10", "", "OK", "QUIT"])
    expect_path(name, doc, PUNCH_TWO_LIFTS, PUNCH_TAGS)
    expect_nc_read_back(work, name)
    colours = sorted(x.dxf.color for x in doc.modelspace().query("LWPOLYLINE") if not x.has_xdata("my_tag"))
    check(name, colours == [1, 1], "skipped and rest pieces coloured %s, expected red" % colours)


def job_loose_entities_joined(work):
    name = "loose_punch"
    doc, out = run_job(work, name, loose_punch,
                       ["opt", "SelEnt", "0,0", "30,0", "ALL", "", "N", "60,10", "30,30", "0,10", "", "OK", "QUIT"])
    check(name, "It's Not a closed loop" in out, "no request to select entities")
    expect_path(name, doc, PUNCH_TWO_LIFTS, PUNCH_TAGS)
    expect_nc_read_back(work, name)
    left = [x.dxftype() for x in doc.modelspace() if x.dxftype() in ("LINE", "ARC")]
    check(name, not left, "loose entities left: %s" % left)


def job_origin_moves_everything(work):
    name = "origin"
    doc, _ = run_job(work, name, polyline_drawing(PUNCH),
                     ["opt", "SelEnt", "10,5", "20,-5", "N", "50,5", "20,25", "-10,5", "", "QUIT"])
    pts, _ = the_path(name, doc)
    # The start point (20,-5) was picked after the move by (-10,-5).
    check(name, pts and pts[2] == (20.0, -5.0, 0.0), "start point after the origin move: %s" % pts)


def job_direction_reversed(work):
    name = "reversed"
    doc, _ = run_job(work, name, polyline_drawing(PUNCH),
                     ["opt", "SelEnt", "0,0", "30,0", "Y", "0,10", "30,30", "60,10", "", "OK", "QUIT"])
    expect_nc_read_back(work, name)
    pts, _ = the_path(name, doc)
    # Lead-in from the +X side, then along the bottom towards X 0; the last lift ends at X 60.
    check(name, pts and [p[:2] for p in pts[1:4]] == [(35.0, -5.0), (30.0, 0.0), (0.0, 0.0)]
          and pts[-1][:2] == (60.0, -5.0), "reversed path %s" % pts)
    circles = len(doc.modelspace().query("CIRCLE"))
    check(name, circles == 0, "%d direction marker circles left" % circles)


def job_open_profile(work):
    name = "open_profile"
    doc, _ = run_job(work, name, polyline_drawing([(0, 0, 0), (20, 0, QUARTER), (30, 10, 0), (30, 30, 0)], False),
                     ["opt", "SelEnt", "0,0", "5,0", "N", "30,30", "", "OK", "QUIT"])
    expect_nc_read_back(work, name)
    expect_path(name, doc, [(5, -2, 0), (0, -5, 0), (5, 0, 0), (20, 0, QUARTER), (30, 10, 0), (30, 30, 0),
                            (35, 30, 0), (35, -5, 0)], ["RAPID_UP7", "RAPID_MOVE8", "RAPID_DN9", "OPT_PATH", "ORDNO"])


def job_approach_refused_and_over_len_changed(work):
    name = "approach_refused"
    doc, out = run_job(work, name, polyline_drawing([(0, 0, 0), (60, 0, 0), (60, 40, 0), (0, 40, 0)]),
                       ["opt", "SelEnt", "0,0", "30,0", "N", "2.5", "60,10", "70", "0,30", "OK", "N", "0,5", "",
                        "OK", "QUIT"])
    expect_nc_read_back(work, name)
    expect_picture_roles(work, name, "approach approach ground ground over-cut lift rapid lowering ground lift")
    check(name, "over_len=2.500" in out, "the prompt did not show the new over-cut length")
    check(name, "Approach length Will damage the profile surface" in out, "no refusal box")
    check(name, "<OverCut(NO)>" in out, "the prompt did not show the over-cut switched off")
    pts, _ = the_path(name, doc)
    # An over-cut of 2.5, and a lowering straight onto the tool-down point:
    # the approach was not joined.
    check(name, pts and (60.0, 12.5, 0.0) in pts and pts[pts.index((0.0, 30.0, 0.0)) - 1][:2] == (0.0, -10.0),
          "path %s" % pts)


def job_punch_example(work):
    # The demo's job, as its script has it: approaches and over-cuts on a
    # straight side, a vertex and a rounded corner.
    name = "punch"
    examples = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "examples")
    with open(os.path.join(examples, "punch_job.scr")) as f:
        answers = f.read().splitlines() + ["QUIT"]
    run_job(work, name, lambda path: shutil.copy(os.path.join(examples, "punch.dxf"), path), answers)
    expect_nc_read_back(work, name)
    expect_picture_roles(work, name, "approach approach ground ground over-cut lift rapid lowering approach "
                         "ground ground ground ground ground over-cut lift")


def job_small_segment_no(work):
    name = "small_no"
    doc, out = run_job(work, name, polyline_drawing(PUNCH),
                       ["opt_set", "#8", "6", "OK", "opt", "SelEnt", "0,0", "30,0", "N", "60,10", "", "No", "QUIT"])
    check(name, "There have small segment(Length =5.8310 )" in out, "no small segment box")
    check(name, "NC output" not in out, "NC output after a No")
    pts, strings = the_path(name, doc)
    check(name, "ORDNO" not in strings, "ORDNO written after a No")
    check(name, len(doc.modelspace().query("CIRCLE")) == 0, "the small segment mark stayed")


def job_user_break_leaves_drawing(work):
    # Cancels and answers running out are checked on the definition itself;
    # the user's break comes through the program's console alone.
    name = "bad_input"
    doc, out = run_job(work, name, polyline_drawing(PUNCH),
                       ["opt", "SelEnt", "0,0", "30,0", "N", "60,10", "^B", "30,30", "0,10", "", "QUIT"])
    check(name, "*Break*" in out, "no message")
    check(name, not stored_paths(doc), "a path was stored")
    check(name, "NC output" not in out, "NC output ran")


def job_tool_point_under_an_over_cut(work):
    # The over-cut of the lift at (40,0) runs over the profile to (45,0); a
    # tool-down point picked at (43,0) lies on both and is taken on the path.
    name = "under_over_cut"
    doc, out = run_job(work, name, polyline_drawing(PUNCH),
                       ["opt", "SelEnt", "0,0", "30,0", "N", "40,0", "43,0", "60,10", "", "QUIT"])
    check(name, "not on the profile still ahead" not in out, "the tool-down point was refused")
    pts, _ = the_path(name, doc)
    check(name, pts and (43.0, 0.0, 0.0) in pts and (45.0, 0.0, 0.0) in pts, "path %s" % pts)


def job_locked_profile_refused(work):
    name = "locked"
    doc, out = run_job(work, name, polyline_drawing(PUNCH, layer="LOCKED"),
                       ["opt", "SelEnt", "0,0", "30,0", "N", "60,10", "", "QUIT"])
    check(name, "The profile lies on a locked layer" in out, "no message for the locked layer")
    shapes = [(e.dxftype(), e.closed, len(e)) for e in doc.modelspace()]
    check(name, shapes == [("LWPOLYLINE", True, 6)], "the drawing changed: %s" % shapes)


def job_spline_ellipse_profile(work):
    # The start is picked on the spline; the join turns both curves into arcs.
    name = "spline_profile"
    doc, _ = run_job(work, name, spline_ellipse_profile,
                     ["opt", "SelEnt", "0,0", "30,47.5", "ALL", "", "N", "0,20", "", "OK", "QUIT"])
    paths = stored_paths(doc)
    check(name, len(paths) == 1, "%d stored paths" % len(paths))
    left = [x.dxftype() for x in doc.modelspace() if x.dxftype() in ("SPLINE", "ELLIPSE", "LINE")]
    check(name, not left, "not joined: %s" % left)
    text = open(nc_file(work, name)).read() if os.path.exists(nc_file(work, name)) else ""
    check(name, "G02" in text or "G03" in text, "no NC file with arcs")
    expect_nc_read_back(work, name)


def main():
    global OPTGRIND, BUNDLED
    OPTGRIND, BUNDLED, work = sys.argv[1], sys.argv[2], sys.argv[3]
    os.makedirs(work, exist_ok=True)
    for job in [job_closed_punch_two_lifts, job_loose_entities_joined, job_origin_moves_everything,
                job_direction_reversed, job_open_profile, job_approach_refused_and_over_len_changed,
                job_small_segment_no, job_user_break_leaves_drawing, job_locked_profile_refused,
                job_tool_point_under_an_over_cut, job_punch_example,
                job_spline_ellipse_profile]:
        job(work)
    if not rs274_moves.HAVE_RS274:
        print(rs274_moves.MISSING)
    for f in FAILURES:
        print("FAIL:", f)
    if FAILURES:
        sys.exit(1)
    print("path definition jobs: all checks passed")


if __name__ == "__main__":
    main()
