"""Opens an ezdxf-made drawing with what the model does not hold (paper-space
layouts by name, an unmodelled entity between modelled ones, groups beyond
the model of lines, splines and ellipses, text in a code page), moves one
line, saves, and checks with
ezdxf that all of it is still there and the moved line is written from the
model.

usage: dxf_keep_check.py OPTGRIND WORK_DIR"""
import os
import subprocess
import sys

import ezdxf

CYRILLIC = "Деталь 7"


def make(path):
    doc = ezdxf.new("R2004")  # the last version with text in a code page
    doc.encoding = "cp1251"
    doc.appids.new("OTHERAPP")
    msp = doc.modelspace()
    kept = msp.add_line((0, 0), (10, 0), dxfattribs={"lineweight": 50, "true_color": 0x123456,
                                                     "ltscale": 2.0})
    kept.set_xdata("OTHERAPP", [(1000, "hyperlink"), (1040, 1.5)])
    msp.add_xline((0, 0), (1, 1))
    msp.add_line((0, 20), (10, 20), dxfattribs={"lineweight": 35})
    msp.add_text(CYRILLIC, dxfattribs={"insert": (0, 40)})
    msp.add_open_spline([(0, 50), (5, 55), (10, 50), (15, 55)], dxfattribs={"lineweight": 25})
    msp.add_ellipse((0, 70), major_axis=(5, 0), ratio=0.5, dxfattribs={"lineweight": 25})
    doc.layouts.rename("Layout1", "Sheet A")
    doc.layouts.get("Sheet A").add_circle((5, 5), 2)
    doc.layouts.new("Sheet B").add_text("B", dxfattribs={"insert": (1, 1)})
    doc.saveas(path)


def main():
    optgrind, work = sys.argv[1:3]
    os.makedirs(work, exist_ok=True)
    source, saved = os.path.join(work, "keep.dxf"), os.path.join(work, "keep_saved.dxf")
    script = os.path.join(work, "keep.scr")
    make(source)
    with open(script, "w") as f:
        f.write("MOVE\n5,20\n\n0,0\n0,5\n")
    run = subprocess.run([optgrind, "--script", script, "--save", saved, source], check=True, timeout=60,
                         capture_output=True, text=True)
    doc = ezdxf.readfile(saved)
    msp = list(doc.modelspace())
    faults = []
    if "left out" in run.stdout:  # everything here is modelled or kept
        faults.append(f"the load reports a loss: {run.stdout.strip()}")
    if [e.dxftype() for e in msp] != ["LINE", "XLINE", "LINE", "TEXT", "SPLINE", "ELLIPSE"]:
        faults.append(f"model space order: {[e.dxftype() for e in msp]}")
    else:
        first, moved = msp[0], msp[2]
        if (first.dxf.lineweight, first.dxf.true_color, first.dxf.ltscale) != (50, 0x123456, 2.0):
            faults.append("groups beyond the model lost")
        if not first.has_xdata("OTHERAPP"):
            faults.append("another application's extended data lost")
        if moved.dxf.start.y != 25 or moved.dxf.lineweight != 35:
            faults.append(f"moved line: {moved.dxf.start} {moved.dxf.lineweight}")
        if [e.dxf.lineweight for e in msp[4:]] != [25, 25]:
            faults.append("a spline's or an ellipse's line weight lost")
        if msp[3].dxf.text != CYRILLIC or CYRILLIC.encode("cp1251") not in open(saved, "rb").read():
            faults.append("text not in the file's code page")
    layouts = {name: sorted(e.dxftype() for e in doc.layouts.get(name)) for name in doc.layouts.names()}
    if layouts.get("Sheet A") != ["CIRCLE", "VIEWPORT"] and layouts.get("Sheet A") != ["CIRCLE"]:
        faults.append(f"Sheet A: {layouts.get('Sheet A')}")
    if "TEXT" not in layouts.get("Sheet B", []):
        faults.append(f"Sheet B: {layouts.get('Sheet B')}")
    for f in faults:
        print("FAIL:", f)
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
