"""Opens every drawing of the corpus (real files written by other programs)
in optgrind, saves it, and checks with ezdxf that the saved file holds the
same layouts by name, the same entities by type in every layout, the same
world-coordinate geometry within GEOMETRY_TOLERANCE and the same text.

usage: dxf_corpus_check.py OPTGRIND CORPUS_DIR WORK_DIR"""
import collections
import math
import os
import subprocess
import sys

import ezdxf
import ezdxf.bbox
from ezdxf import recover

GEOMETRY_TOLERANCE = 1e-6
DIMENSION_KIND_BITS = 0x07 | 0x40  # linear ... ordinate, and the ordinate's axis
# A hatch's boundary is compared by its extents: arcs as edges and as bulges
# flatten a little differently.
HATCH_BOX_DIGITS = 3
POLYLINE_SPLINE_FIT = 4
VERTEX_FIT_POINT = 8
# Objects the drawing does not model that must come back. Others (a sun or
# a variable of a table entry written afresh, the defaults ezdxf adds to a
# file without them) may not.
KEPT_OBJECTS = {"GROUP", "IMAGEDEF", "IMAGEDEF_REACTOR", "PDFDEFINITION", "DWFDEFINITION", "DGNDEFINITION",
                "SORTENTSTABLE", "DIMASSOC", "MLEADERSTYLE", "TABLESTYLE", "MATERIAL", "SCALE"}
# Attributes that name the file's own bookkeeping, not the drawing.
BOOKKEEPING = {"handle", "owner", "extrusion", "start_angle", "end_angle", "rotation", "xscale", "zscale",
               "elevation", "thickness", "reactors"}


def same(a, b):
    if isinstance(a, bool) or isinstance(b, bool):
        return a == b
    if isinstance(a, (int, float)) and isinstance(b, (int, float)):
        return math.isclose(a, b, rel_tol=0.0, abs_tol=GEOMETRY_TOLERANCE)
    if hasattr(a, "isclose") and hasattr(b, "isclose"):
        return a.isclose(b, abs_tol=GEOMETRY_TOLERANCE)
    if isinstance(a, (list, tuple)) and isinstance(b, (list, tuple)):
        return len(a) == len(b) and all(same(x, y) for x, y in zip(a, b))
    return a == b


def wcs(entity, point):
    return entity.ocs().to_wcs(point)


def shape(entity):
    """What must survive: world geometry and text, per entity type."""
    t = entity.dxftype()
    d = entity.dxf
    if t == "LINE":
        return [d.start, d.end]
    if t == "POINT":
        return [d.location]
    if t in ("CIRCLE", "ARC"):
        out = [wcs(entity, d.center), d.radius]
        if t == "ARC":
            ends = sorted([entity.start_point, entity.end_point], key=lambda p: (round(p.x, 5), round(p.y, 5)))
            out += ends
        return out
    if t == "POLYLINE" and d.flags & POLYLINE_SPLINE_FIT:
        # The fitted curve is what the drawing keeps; its frame is reported lost.
        return [[v.dxf.location for v in entity.vertices if v.dxf.flags & VERTEX_FIT_POINT]]
    if t in ("LWPOLYLINE", "POLYLINE") and not (t == "POLYLINE" and entity.is_3d_polyline):
        try:
            path = ezdxf.path.make_path(entity)
        except Exception:
            return ["unreadable"]
        return [list(path.control_vertices())]
    if t == "TEXT":
        return [d.text, wcs(entity, d.insert), d.height]
    if t == "MTEXT":
        return [entity.text, d.insert, d.char_height]
    if t == "INSERT":
        return [d.name, list(entity.matrix44())] + [(a.dxf.tag, a.dxf.text) for a in entity.attribs]
    if t == "LEADER":
        return [list(entity.vertices)]
    if t == "HATCH":
        box = ezdxf.bbox.extents([entity])
        corners = [round(v, HATCH_BOX_DIGITS) for p in (box.extmin, box.extmax) for v in p] if box.has_data else []
        return [d.pattern_name, d.solid_fill, len(entity.paths), corners]
    if t == "DIMENSION":
        # The type without its flags (block used by this dimension alone,
        # text placed by the user).
        names = ["defpoint", "defpoint2", "defpoint3", "defpoint4", "defpoint5", "text_midpoint", "text"]
        return [d.get_default(n) for n in names] + [d.dimtype & DIMENSION_KIND_BITS]
    if t == "SPLINE":
        return [d.flags, d.degree] + [list(v) for v in (entity.control_points, entity.knots, entity.weights)]
    if t == "ELLIPSE":
        return [d.center, d.major_axis, d.ratio, d.start_param, d.end_param, d.extrusion]
    values = entity.dxfattribs(drop=BOOKKEEPING)
    # Links to other objects get new handles in a saved file.
    return [t] + [(k, values[k]) for k in sorted(values) if not k.endswith("_handle")]


def kind(entity):
    """The entity's type, with a 2D POLYLINE and an LWPOLYLINE as one kind."""
    t = entity.dxftype()
    if t == "POLYLINE" and not (entity.is_3d_polyline or entity.is_polygon_mesh or entity.is_poly_face_mesh):
        return "LWPOLYLINE"
    return t


def spaces(doc):
    return {name: doc.layouts.get(name) for name in doc.layouts.names()}


def compare(original, saved, name):
    faults = []
    mine, theirs_by_name = spaces(original), spaces(saved)
    for key, layout in mine.items():
        if key not in theirs_by_name:
            faults.append(f"{name}: layout {key} missing")
            continue
        theirs = list(theirs_by_name[key])
        pool = {}
        for e in theirs:
            pool.setdefault(kind(e), []).append(shape(e))
        for e in layout:
            t = kind(e)
            if t == "VIEWPORT":
                continue  # the writer makes the viewports of its own layouts
            candidates = pool.get(t, [])
            want = shape(e)
            for i, c in enumerate(candidates):
                if same(want, c):
                    del candidates[i]
                    break
            else:
                faults.append(f"{name}: {key}: {t} {e.dxf.handle} missing or changed")
    return faults


def objects(doc):
    """The objects kept as they came, and the links entities and layouts have to them."""
    out = collections.Counter(o.dxftype() for o in doc.objects if o.dxftype() in KEPT_OBJECTS)
    for e in doc.modelspace():
        t = e.dxftype()
        if t == "IMAGE":
            out["IMAGE with its definition"] += e.image_def is not None
        elif t.endswith("UNDERLAY"):
            out["underlay with its definition"] += e.get_underlay_def() is not None
        elif t == "MLINE":
            out["MLINE with its style " + (e.style.dxf.name if e.style else "")] += 1
    for group_name, group in doc.groups:
        out[f"group {group_name} of {len(group)}"] += 1
    for layout in doc.layouts:
        out[f"draw order of {layout.name}"] += len(list(layout.get_redraw_order()))
    return out


def main():
    optgrind, corpus, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    names = sorted(n for n in os.listdir(corpus) if n.lower().endswith(".dxf"))
    faults = []
    for name in names:
        source = os.path.join(corpus, name)
        saved = os.path.join(work, "saved_" + name)
        run = subprocess.run([optgrind, "--script", "/dev/null", "--save", saved, source],
                             capture_output=True, text=True, timeout=60)
        if run.returncode != 0:
            faults.append(f"{name}: optgrind exit {run.returncode}: {run.stderr.strip()}")
            continue
        original, _ = recover.readfile(source)
        try:
            copy, auditor = recover.readfile(saved)
        except Exception as e:  # noqa: BLE001 - any failure to read is a fault
            faults.append(f"{name}: ezdxf cannot read the saved file: {type(e).__name__}: {e}")
            continue
        faults += compare(original, copy, name)
        mine, theirs = objects(original), objects(copy)
        faults += [f"{name}: {k}: {mine[k]} became {theirs[k]}" for k in sorted(set(mine) | set(theirs))
                   if mine[k] != theirs[k]]
        print(f"{name}: checked")
    for f in faults:
        print("FAIL:", f)
    print(f"{len(names)} files, {len(faults)} faults")
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
