"""Prints every lightweight polyline of a DXF file, one per line:
closed flag, vertex count, then x,y,bulge of each vertex."""
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
for poly in doc.modelspace().query("LWPOLYLINE"):
    points = poly.get_points("xyb")
    fields = [str(int(poly.closed)), str(len(points))]
    fields += ["%.6f,%.6f,%.6f" % (x, y, b) for x, y, b in points]
    print(" ".join(fields))
