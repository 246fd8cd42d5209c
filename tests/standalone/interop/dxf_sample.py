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

    uservars = doc.rootdict.add_new_dict("USERVAR_DICT")
    xrec = uservars.add_xrecord("USERI1")
    xrec.reset([(70, USERVAR_VALUE)])
    doc.saveas(path)


if __name__ == "__main__":
    import sys
    build(sys.argv[1])
