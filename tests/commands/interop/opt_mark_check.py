"""opt_mark and the tool table, whole runs by script on drawings made by
ezdxf, each checked on the saved drawing with ezdxf.

usage: opt_mark_check.py OPTGRIND BUNDLED_ROOT WORK_DIR"""
import math
import os
import shutil
import subprocess
import sys

import ezdxf
from ezdxf.lldxf.encoding import decode_dxf_unicode

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def run(optgrind, root, work, name, drawing, script):
    src = os.path.join(work, name + ".dxf")
    drawing.saveas(src)
    scr = os.path.join(work, name + ".scr")
    with open(scr, "w") as f:
        f.write(script)
    out = os.path.join(work, name + "_out.dxf")
    if os.path.exists(out):
        os.remove(out)
    run = subprocess.run([optgrind, "--root", root, "--script", scr, "--save", out, src],
                         capture_output=True, text=True, timeout=60)
    check(run.returncode == 0, "%s: exit %d %s" % (name, run.returncode, run.stderr))
    return ezdxf.readfile(out), run.stdout


def lines(doc, color):
    return [e for e in doc.modelspace() if e.dxftype() == "LINE" and e.dxf.color == color]


def texts(doc):
    # Text outside ASCII is saved as \U+XXXX escapes, as other programs read it.
    return [decode_dxf_unicode(e.dxf.text) for e in doc.modelspace() if e.dxftype() == "TEXT"]


def mid(line):
    return ((line.dxf.start[0] + line.dxf.end[0]) / 2, (line.dxf.start[1] + line.dxf.end[1]) / 2)


def length(line):
    return math.dist((line.dxf.start[0], line.dxf.start[1]), (line.dxf.end[0], line.dxf.end[1]))


def direction(line):
    return math.degrees(math.atan2(line.dxf.end[1] - line.dxf.start[1], line.dxf.end[0] - line.dxf.start[0])) % 180


def settings(length_, height, short):
    return "opt_mark\n#1\n%g\n#2\n%g\n#3\n%g\nOK\n" % (length_, height, short)


def polyline(points):
    doc = ezdxf.new("R2000")
    doc.modelspace().add_lwpolyline(points)
    return doc


def three_oblique(optgrind, root, work):
    doc, _ = run(optgrind, root, work, "three", polyline([(0, 0), (10, 5), (20, 0), (30, 5)]),
                 settings(4, 2.5, 20) + "5,2.5\n\nN\n40,10\nQUIT\n")
    corners = lines(doc, 2)
    check(len(corners) == 2, "three: two corner marks, got %d" % len(corners))
    for c, v in zip(corners, [(10, 5), (20, 0)]):
        # Angles are taken at the drawing's precision (LUPREC 4).
        check(math.dist(mid(c), v) < 1e-5 and abs(length(c) - 4) < 1e-5 and abs(direction(c) - 90) < 1e-4,
              "three: corner mark at %s across the vertex" % (v,))
    check(lines(doc, 1) == [], "three: no middle marks on segments shorter than S")
    listed = [t for t in texts(doc) if t.startswith("P") and "X=" in t]
    check(listed == ["P1 X=  0.000 Y=  0.000 ", "P2 X= 10.000 Y=  5.000 ", "P3 X= 20.000 Y=  0.000 ",
                     "P4 X= 30.000 Y=  5.000 "], "three: list lines %s" % listed)
    check(sorted(t for t in texts(doc) if "X=" not in t) == ["P1", "P2", "P3", "P4"], "three: labels")


def longer_than_s(optgrind, root, work):
    # Which segments get a middle mark, and where: mark_lines_test.
    doc, _ = run(optgrind, root, work, "longer", polyline([(0, 0), (3, 4.01)]), settings(2, 2.5, 5) + "1.5,2\nN\n")
    check(len(lines(doc, 1)) == 1, "longer: a segment longer than S gets a middle mark")


def quit_draws_nothing(optgrind, root, work):
    mark_set = os.path.join(root, "DAT", "opt_mark.set")
    if os.path.exists(mark_set):
        os.remove(mark_set)
    doc, _ = run(optgrind, root, work, "quit", polyline([(0, 0), (10, 5), (20, 0)]), "opt_mark\n#1\n4\nQUIT\n")
    check([e.dxftype() for e in doc.modelspace()] == ["LWPOLYLINE"], "quit: nothing drawn")
    check(not os.path.exists(mark_set), "quit: opt_mark.set not written")


def tool_table(optgrind, root, work):
    rows = {0: ("T1", "A1", "0.5", 120), 1: ("T2", "A2", "1.0", 240), 3: ("T4", "A4", "0.8", 400)}
    for language, heading in [(2, "Tool_No"), (0, "刀號"), (1, "刀号")]:
        write_settings(root, rows, language)
        doc, out = run(optgrind, root, work, "table%d" % language, ezdxf.new("R2000"),
                       "opt\n#12\n\n50,50\n")
        words = texts(doc)
        check("\n row_no=3 \n" in out, "table %d: row_no=3" % language)
        check(heading in words and "T1" in words and "T2" in words and "T4" not in words,
              "table %d: heading and rows 0 and 1 only: %s" % (language, words))
        hatches = sorted(e.dxf.color for e in doc.modelspace() if e.dxftype() == "HATCH")
        check(hatches == [1, 2], "table %d: swatches of colours 1 and 2, got %s" % (language, hatches))


def frame_block_height(optgrind, root, work):
    """A drawing frame: a block reference whose "my_tag" data holds
    FRAME_SCALE 2 sets the table's text height to 2 x 2.5."""
    write_settings(root, {0: ("T1", "A1", "0.5", 120)}, 2)
    doc = ezdxf.new("R2000")
    doc.appids.new("my_tag")
    frame = doc.blocks.new("A4FRAME")
    frame.add_lwpolyline([(0, 0), (297, 0), (297, 210), (0, 210)], close=True)
    ref = doc.modelspace().add_blockref("A4FRAME", (0, 0))
    ref.set_xdata("my_tag", [(1000, "FRAME_SCALE"), (1000, "2")])
    out, _ = run(optgrind, root, work, "frame", doc, "opt\n#12\n297,100\n400,300\n")
    heights = {round(e.dxf.height, 6) for e in out.modelspace() if e.dxftype() == "TEXT"}
    check(heights == {5.0}, "frame: text height from FRAME_SCALE 2 is 5.0, got %s" % heights)


def write_settings(root, rows, language):
    opt_set = os.path.join(root, "DAT", "opt.set")
    with open(opt_set, newline="") as f:
        values = f.read().split("\r\n")
    # Tool row i starts at line 17 + 8 i: number, file, thickness, grit, ...
    for i in range(5):
        no, name, thick, grit = rows.get(i, ("", "", "0.5", 0))
        base = 16 + 8 * i
        values[base:base + 4] = [no, name, thick, str(grit)]
    with open(opt_set, "w", newline="") as f:
        f.write("\r\n".join(values))
    mis = os.path.join(root, "DAT", "mis_set.set")
    with open(mis, newline="") as f:
        lines_ = f.read().split("\r\n")
    lines_[27] = str(language)
    with open(mis, "w", newline="") as f:
        f.write("\r\n".join(lines_))


def main():
    optgrind, bundled, work = sys.argv[1], sys.argv[2], sys.argv[3]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    root = os.path.join(work, "root")
    shutil.copytree(bundled, root)
    for case in (three_oblique, longer_than_s, quit_draws_nothing, tool_table,
                 frame_block_height):
        case(optgrind, root, work)
    for f in failures:
        print("FAIL:", f)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
