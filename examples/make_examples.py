"""Writes the sample drawings of optgrind with ezdxf.

profile.dxf: a grinding profile on layer "PROFILE" (millimetres), once as
loose lines and arcs and once as one closed lightweight polyline with bulges
beside it, and a note in text and multi-line text.

punch.dxf: a punch profile of loose lines and arcs on layer "PROFILE", the
drawing of the demo's grinding job (scripts/demo, examples/punch_job.scr).

usage: /usr/bin/python3 make_examples.py [OUTPUT_DIR]"""
import math
import os
import sys

import ezdxf

PROFILE_LAYER = "PROFILE"
NOTE_LAYER = "NOTES"
POLYLINE_OFFSET_X = 60.0  # the polyline copy sits beside the loose profile
CORNER_RADIUS = 5.0
WIDTH = 40.0
HEIGHT = 20.0
NOTCH_RADIUS = 8.0


def loose_profile(msp):
    """A rectangle-like profile: rounded top corners and a half-round notch in the bottom."""
    r, w, h, n = CORNER_RADIUS, WIDTH, HEIGHT, NOTCH_RADIUS
    attribs = {"layer": PROFILE_LAYER}
    mid = w / 2
    msp.add_line((0, 0), (mid - n, 0), dxfattribs=attribs)
    msp.add_arc((mid, 0), n, 0, 180, dxfattribs=attribs)  # the notch, bulging up into the part
    msp.add_line((mid + n, 0), (w, 0), dxfattribs=attribs)
    msp.add_line((w, 0), (w, h - r), dxfattribs=attribs)
    msp.add_arc((w - r, h - r), r, 0, 90, dxfattribs=attribs)
    msp.add_line((w - r, h), (r, h), dxfattribs=attribs)
    msp.add_arc((r, h - r), r, 90, 180, dxfattribs=attribs)
    msp.add_line((0, h - r), (0, 0), dxfattribs=attribs)


def polyline_profile(msp):
    """The same profile as one closed polyline; a quarter arc has bulge tan(22.5 deg)."""
    r, w, h, n, dx = CORNER_RADIUS, WIDTH, HEIGHT, NOTCH_RADIUS, POLYLINE_OFFSET_X
    quarter = math.tan(math.radians(90) / 4)
    half = math.tan(math.radians(180) / 4)
    mid = w / 2
    points = [
        (dx + 0, 0, 0),
        (dx + mid - n, 0, -half),  # clockwise half circle over the notch
        (dx + mid + n, 0, 0),
        (dx + w, 0, 0),
        (dx + w, h - r, quarter),
        (dx + w - r, h, 0),
        (dx + r, h, quarter),
        (dx + 0, h - r, 0),
    ]
    msp.add_lwpolyline(points, format="xyb", close=True, dxfattribs={"layer": PROFILE_LAYER})


def notes(msp):
    msp.add_text("PROFILE 40 x 20", dxfattribs={"layer": NOTE_LAYER, "height": 3.5, "insert": (0, -10)})
    msp.add_mtext("Grinding profile\\PR5 corners, R8 notch", dxfattribs={
        "layer": NOTE_LAYER, "char_height": 2.5, "insert": (POLYLINE_OFFSET_X, -6), "width": 60})


def make_profile(path):
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4  # millimetres
    doc.layers.add(PROFILE_LAYER, color=1)
    doc.layers.add(NOTE_LAYER, color=3)
    msp = doc.modelspace()
    loose_profile(msp)
    polyline_profile(msp)
    notes(msp)
    doc.saveas(path)


def make_punch(path):
    """Bottom and sides straight, rounded top corners, a round nose on top."""
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4  # millimetres
    doc.layers.add(PROFILE_LAYER, color=7)
    msp = doc.modelspace()
    attribs = {"layer": PROFILE_LAYER}
    msp.add_line((0, 0), (50, 0), dxfattribs=attribs)
    msp.add_line((50, 0), (50, 20), dxfattribs=attribs)
    msp.add_arc((45, 20), 5, 0, 90, dxfattribs=attribs)
    msp.add_line((45, 25), (32, 25), dxfattribs=attribs)
    msp.add_arc((25, 25), 7, 0, 180, dxfattribs=attribs)
    msp.add_line((18, 25), (5, 25), dxfattribs=attribs)
    msp.add_arc((5, 20), 5, 90, 180, dxfattribs=attribs)
    msp.add_line((0, 20), (0, 0), dxfattribs=attribs)
    doc.saveas(path)


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    make_profile(os.path.join(out, "profile.dxf"))
    make_punch(os.path.join(out, "punch.dxf"))
