"""The interoperability drawing: one of each entity kind the host keeps,
layers in several states, extended data and a dictionary of xrecords,
written by ezdxf as an AutoCAD 2000 file."""
import ezdxf

XDATA_APP = "my_tag"
XDATA_PAIRS = [("OPT_PATH", "1"), ("RAPID_UP0", "12.5")]
USERVAR_VALUE = 42


def build(path):
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    doc.header["$LUPREC"] = 5
    doc.layers.add("PROFILE", color=3)
    doc.layers.add("HIDDEN_OFF", color=5).off()
    doc.layers.add("LOCKED", color=1).lock()
    doc.appids.new(XDATA_APP)
    block = doc.blocks.new("MARK", base_point=(1, 2))
    block.add_line((0, 0), (1, 1))
    block.add_circle((0, 0), 0.5)

    msp = doc.modelspace()
    line = msp.add_line((0, 0), (10.125, 0), dxfattribs={"layer": "PROFILE", "color": 1})
    tags = [(1000, s) for pair in XDATA_PAIRS for s in pair]
    line.set_xdata(XDATA_APP, tags)
    msp.add_arc((10.125, 5), 5, 270, 90, dxfattribs={"layer": "PROFILE"})
    msp.add_circle((30, 30), 2.75, dxfattribs={"layer": "LOCKED", "color": 5})
    msp.add_lwpolyline([(0, 0, 0, 0, 0.5), (10, 0, 0, 0, -0.25), (10, 10, 0, 0, 0), (0, 10, 0, 0, 0)],
                       format="xyseb", close=True, dxfattribs={"layer": "PROFILE"})
    msp.add_lwpolyline([(0, 20), (5, 25, 0, 0, 1.0), (10, 20)], format="xyseb",
                       dxfattribs={"layer": "HIDDEN_OFF", "color": 256})
    msp.add_text("Hello profile", dxfattribs={"insert": (1, 2), "height": 3.5, "layer": "0"})
    msp.add_mtext("first line\\Psecond line", dxfattribs={"insert": (5, 6), "char_height": 2.0, "width": 40})
    dim = msp.add_linear_dim(base=(0, -5), p1=(0, 0), p2=(10.125, 0), dimstyle="Standard")
    dim.render()
    msp.add_blockref("MARK", (20, 20), dxfattribs={"rotation": 30, "xscale": 2, "yscale": 2})
    msp.add_rational_spline([(0, 40), (10, 50), (20, 40), (30, 45)], [1, 0.7071067811865476, 1, 2.5], degree=2)
    closed = msp.add_spline(dxfattribs={"layer": "PROFILE", "flags": 11, "degree": 3})  # closed, periodic
    closed.control_points = [(40, 40), (50, 50), (60, 40), (50, 30), (40, 40), (50, 50), (60, 40)]
    closed.knots = range(11)
    msp.add_ellipse((70, 40), major_axis=(10, 5), ratio=0.25, start_param=0.5, end_param=4.0,
                    dxfattribs={"extrusion": (0, 0, -1)})

    uservars = doc.rootdict.add_new_dict("USERVAR_DICT")
    xrec = uservars.add_xrecord("USERI1")
    xrec.reset([(70, USERVAR_VALUE)])
    doc.saveas(path)


if __name__ == "__main__":
    import sys
    build(sys.argv[1])
