"""Writes a drawing as other programs write it: arc angles outside
0..360 degrees, polyline bulges that are almost 0, a polyline with an
elevation. Entities in this order:
  1. ARC about (0,0), radius 10, from -10 to 10 degrees
  2. ARC about (0,0), radius 10, from 350 to 370 degrees
  3. LWPOLYLINE (0,0) bulge 1e-17 to (10,0)
  4. LWPOLYLINE (0,0) bulge 1e-9 to (10,0)
  5. LWPOLYLINE at elevation 5: (0,0) (10,0) (10,10)
"""
import sys

import ezdxf

doc = ezdxf.new("R2000")
msp = doc.modelspace()
msp.add_arc((0, 0), 10, -10, 10)
msp.add_arc((0, 0), 10, 350, 370)
msp.add_lwpolyline([(0, 0, 0, 0, 1e-17), (10, 0, 0, 0, 0)], format="xyseb")
msp.add_lwpolyline([(0, 0, 0, 0, 1e-9), (10, 0, 0, 0, 0)], format="xyseb")
msp.add_lwpolyline([(0, 0), (10, 0), (10, 10)], dxfattribs={"elevation": 5})
doc.saveas(sys.argv[1])
