"""Opens an ezdxf-made drawing in optgrind, saves it, and checks with ezdxf
that the saved file holds the same entities, geometry, layers, extended
data and xrecords, and that ezdxf's audit finds nothing to fix.

usage: dxf_roundtrip_check.py OPTGRIND WORK_DIR"""
import os
import subprocess
import sys

import ezdxf

import dxf_corpus_check
import dxf_sample


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def compare_entities(before, after):
    """Geometry and text as the corpus check compares them, and the common
    properties in drawing order."""
    faults = dxf_corpus_check.compare(before, after, "sample")
    if faults:
        fail("; ".join(faults))

    def common(doc):
        return [(e.dxftype(), e.dxf.layer, e.dxf.color, e.dxf.linetype) for e in doc.modelspace()]

    if common(before) != common(after):
        fail("entities differ: %s vs %s" % (common(before), common(after)))
    pairs = [t.value for t in next(iter(after.modelspace())).get_xdata(dxf_sample.XDATA_APP)]
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
