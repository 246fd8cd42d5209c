"""Writes the drawings of the NC output tests with ezdxf: stored grinding
paths as lightweight polylines whose "my_tag" extended data carry the tag
pairs another program writes (key, value, key, value ... as 1000 strings).

usage: /usr/bin/python3 make_nc_drawings.py [OUTPUT_DIR]"""
import math
import os
import sys

import ezdxf

APP = "my_tag"
QUARTER = math.tan(math.radians(90) / 4)  # bulge of a quarter arc, counter-clockwise


def tagged_path(msp, points, pairs, layer="PATH"):
    path = msp.add_lwpolyline(points, format="xyb", dxfattribs={"layer": layer})
    path.set_xdata(APP, [(1000, s) for pair in pairs for s in pair])
    return path


def new_doc():
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    doc.appids.new(APP)
    doc.layers.add("PATH", color=3)
    return doc


def lifts(out):
    """Lines and arcs in both directions, two lifts: elements 5-7 and 10 (the last)."""
    doc = new_doc()
    points = [
        (-5, -5, 0),        # 1 lead-in
        (0, 0, 0),          # 2 line
        (20, 0, QUARTER),   # 3 arc counter-clockwise about (20,10)
        (30, 10, 0),        # 4 line
        (30, 20, 0),        # 5 lift
        (30, -10, 0),       # 6 rapid move
        (50, -10, 0),       # 7 lowering
        (50, 20, -QUARTER),  # 8 arc clockwise about (60,20)
        (60, 30, 0),        # 9 line
        (70, 30, 0),        # 10 last lift
        (70, -10, 0),
    ]
    pairs = [("RAPID_UP5", " "), ("RAPID_MOVE6", " "), ("RAPID_DN7", " "),
             ("RAPID_UP10", " "), ("RAPID_MOVE11", " "), ("RAPID_DN12", " "),
             ("OPT_PATH", " "), ("ORDNO", "1")]
    tagged_path(doc.modelspace(), points, pairs)
    doc.modelspace().add_line((-20, 40), (90, 40))  # not a path
    doc.saveas(os.path.join(out, "lifts.dxf"))


def approach(out):
    """An approach element and end texts, as other software marks them."""
    doc = new_doc()
    points = [
        (-5, -8, 0),         # 1 lead-in
        (0, -3, 0),          # 2 approach
        (0, 0, 0),           # 3 line, end text
        (10, 0, QUARTER),    # 4 arc
        (15, 5, 0),          # 5 lift (last)
        (15, -10, 0),
    ]
    pairs = [("APPROACH2", "1"), ("3END_TEXT", "M00#0$(CHECK POINT)$"), ("OPT_PATH", " "), ("ORDNO", "1")]
    tagged_path(doc.modelspace(), points, pairs)
    doc.saveas(os.path.join(out, "approach.dxf"))


def straight(out):
    """One straight path 755 long: 75.5 minutes at a feed of 10."""
    doc = new_doc()
    tagged_path(doc.modelspace(), [(0, 0, 0), (700, 0, 0), (755, 0, 0)], [("OPT_PATH", " "), ("ORDNO", "1")])
    doc.saveas(os.path.join(out, "straight.dxf"))


def damaged(out):
    """Paths another program damaged: one vertex, tags that are no numbers,
    an element number beyond the path; and a polyline that is no path."""
    doc = new_doc()
    msp = doc.modelspace()
    tagged_path(msp, [(0, 0, 0)], [("OPT_PATH", " ")])
    tagged_path(msp, [(0, 10, 0), (10, 10, 0), (20, 10, 0)],
                [("RAPID_UPx", "?"), ("RAPID_DN99", " "), ("APPROACH-1", "abc"), ("OPT_PATH", " "),
                 ("ORDNO", "not a number")])
    msp.add_lwpolyline([(0, 30), (10, 30)], dxfattribs={"layer": "PATH"}).set_xdata(
        APP, [(1000, "RAPID_UP1"), (1000, " ")])
    doc.saveas(os.path.join(out, "damaged.dxf"))


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for make in (lifts, approach, straight, damaged):
        make(out)
