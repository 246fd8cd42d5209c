"""Writes the DXF fixtures of the reader tests with ezdxf.

third_party.dxf: entities laid out as another program writes them: a hatch
whose boundary is made of line and arc edges, a leader, an old-style 2D
polyline with bulges, a long multi-line text, a rotated aligned text and a
spline (an entity the drawing does not hold).

usage: /usr/bin/python3 make_fixtures.py"""
import os

import ezdxf


def make_third_party(path):
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    hatch = msp.add_hatch(color=2, dxfattribs={"layer": "FILL"})
    edges = hatch.paths.add_edge_path()
    edges.add_line((0, 0), (10, 0))
    edges.add_arc((10, 5), 5, -90, 90, ccw=True)
    edges.add_line((10, 10), (0, 10))
    edges.add_line((0, 10), (0, 0))
    msp.add_leader([(0, 0), (5, 5), (9, 5)], dxfattribs={"layer": "NOTES"})
    msp.add_polyline2d([(0, 0, 0, 0, 1.0), (10, 0, 0, 0, 0), (10, 10)], format="xyseb", close=True,
                       dxfattribs={"layer": "OLD"})
    msp.add_mtext("A" * 300 + "\\P" + "B" * 20, dxfattribs={"insert": (1, 1), "char_height": 2.5})
    text = msp.add_text("aligned", dxfattribs={"height": 2.0, "rotation": 90})
    text.set_placement((3, 4), align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)
    msp.add_spline([(0, 0), (1, 2), (3, 1), (4, 4)])
    doc.saveas(path)


if __name__ == "__main__":
    make_third_party(os.path.join(os.path.dirname(os.path.abspath(__file__)), "third_party.dxf"))
