"""Opens an ezdxf-made drawing in optgrind, saves it, and checks with ezdxf
that the saved file holds the same entities, geometry, layers, extended
data and xrecords, and that ezdxf's audit finds nothing to fix.

usage: dxf_roundtrip_check.py OPTGRIND WORK_DIR"""
import math
import os
import subprocess
import sys

import ezdxf

import dxf_sample

GEOMETRY_TOLERANCE = 1e-9


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def same_number(a, b):
    return math.isclose(a, b, rel_tol=0.0, abs_tol=GEOMETRY_TOLERANCE)


def same_value(a, b):
    if isinstance(a, (int, float)) and isinstance(b, (int, float)):
        return same_number(a, b)
    if hasattr(a, "isclose"):
        return a.isclose(b, abs_tol=GEOMETRY_TOLERANCE)
    if isinstance(a, (list, tuple)) and isinstance(b, (list, tuple)):
        return len(a) == len(b) and all(same_value(x, y) for x, y in zip(a, b))
    return a == b


# The attributes compared per entity type; geometry as ezdxf reports it.
ATTRIBUTES = {
    "LINE": ["start", "end"],
    "ARC": ["center", "radius", "start_angle", "end_angle"],
    "CIRCLE": ["center", "radius"],
    "LWPOLYLINE": ["flags", "elevation"],
    "TEXT": ["text", "insert", "height", "rotation", "style"],
    "MTEXT": ["insert", "char_height", "width", "attachment_point"],
    "DIMENSION": ["defpoint", "defpoint2", "defpoint3", "text_midpoint", "dimtype", "angle", "text",
                  "dimstyle"],
    "INSERT": ["name", "insert", "xscale", "yscale", "rotation"],
    "SPLINE": ["flags", "degree"],
    "ELLIPSE": ["center", "major_axis", "ratio", "start_param", "end_param", "extrusion"],
}
COMMON = ["layer", "color", "linetype"]


def describe(entity):
    values = {}
    for name in COMMON + ATTRIBUTES.get(entity.dxftype(), []):
        values[name] = entity.dxf.get_default(name)
    if entity.dxftype() == "LWPOLYLINE":
        values["points"] = [tuple(p) for p in entity.get_points("xyseb")]
    if entity.dxftype() == "SPLINE":
        values["nurbs"] = [list(entity.control_points), list(entity.knots), list(entity.weights)]
    if entity.dxftype() == "MTEXT":
        values["contents"] = entity.text
    if entity.has_xdata(dxf_sample.XDATA_APP):
        values["xdata"] = [(t.code, t.value) for t in entity.get_xdata(dxf_sample.XDATA_APP)]
    return values


def compare_entities(before, after):
    a = [e for e in before.modelspace()]
    b = [e for e in after.modelspace()]
    if [e.dxftype() for e in a] != [e.dxftype() for e in b]:
        fail("entity types differ: %s vs %s" % ([e.dxftype() for e in a], [e.dxftype() for e in b]))
    for ea, eb in zip(a, b):
        da, db = describe(ea), describe(eb)
        for key in da:
            if not same_value(da[key], db.get(key)):
                fail("%s %s: %r became %r" % (ea.dxftype(), key, da[key], db.get(key)))
    line = b[0]
    pairs = [t.value for t in line.get_xdata(dxf_sample.XDATA_APP)]
    if pairs != [s for pair in dxf_sample.XDATA_PAIRS for s in pair]:
        fail("extended data: %r" % pairs)


def compare_layers(before, after):
    for layer in before.layers:
        name = layer.dxf.name
        if name not in after.layers:
            fail("layer %s is missing" % name)
        other = after.layers.get(name)
        for check in ("is_on", "is_locked", "is_frozen"):
            if getattr(layer, check)() != getattr(other, check)():
                fail("layer %s: %s changed" % (name, check))
        if layer.color != other.color:
            fail("layer %s: colour %d became %d" % (name, layer.color, other.color))


def compare_blocks(before, after):
    if "MARK" not in after.blocks:
        fail("block MARK is missing")
    a = [e.dxftype() for e in before.blocks.get("MARK")]
    b = [e.dxftype() for e in after.blocks.get("MARK")]
    if a != b:
        fail("block MARK holds %s instead of %s" % (b, a))


def check_xrecord(after):
    uservars = after.rootdict.get("USERVAR_DICT")
    if uservars is None:
        fail("dictionary USERVAR_DICT is missing")
    xrec = uservars.get("USERI1")
    if xrec is None or xrec.dxftype() != "XRECORD":
        fail("xrecord USERI1 is missing")
    tags = [(t.code, t.value) for t in xrec.tags]
    if tags != [(70, dxf_sample.USERVAR_VALUE)]:
        fail("xrecord USERI1 holds %r" % tags)


def check_audit(after):
    auditor = after.audit()
    if auditor.has_errors or auditor.has_fixes:
        messages = [e.message for e in auditor.errors] + [f.message for f in auditor.fixes]
        fail("audit: %s" % "; ".join(messages))


def main():
    optgrind, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    source = os.path.join(work, "interop_in.dxf")
    saved = os.path.join(work, "interop_out.dxf")
    dxf_sample.build(source)
    run = subprocess.run([optgrind, "--script", "/dev/null", "--save", saved, source],
                         capture_output=True, text=True, timeout=60)
    if run.returncode != 0:
        fail("optgrind exited with %d: %s" % (run.returncode, run.stderr))
    before = ezdxf.readfile(source)
    after = ezdxf.readfile(saved)
    if after.header.get("$INSUNITS") != 4:
        fail("$INSUNITS is %r" % after.header.get("$INSUNITS"))
    compare_entities(before, after)
    compare_layers(before, after)
    compare_blocks(before, after)
    check_xrecord(after)
    check_audit(after)
    print("round trip through optgrind: same drawing")


if __name__ == "__main__":
    main()
