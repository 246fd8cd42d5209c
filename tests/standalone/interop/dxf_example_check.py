"""The sample drawing examples/profile.dxf opens and saves through optgrind
with its entities in order, and ezdxf's audit finds nothing in the result.

usage: dxf_example_check.py OPTGRIND EXAMPLE_DXF WORK_DIR"""
import os
import subprocess
import sys

import ezdxf


def main():
    optgrind, example, work = sys.argv[1], sys.argv[2], sys.argv[3]
    os.makedirs(work, exist_ok=True)
    saved = os.path.join(work, "profile_saved.dxf")
    run = subprocess.run([optgrind, "--script", "/dev/null", "--save", saved, example],
                         capture_output=True, text=True, timeout=60)
    if run.returncode != 0:
        print("FAIL: optgrind exited with %d: %s" % (run.returncode, run.stderr))
        sys.exit(1)
    before = [e.dxftype() for e in ezdxf.readfile(example).modelspace()]
    doc = ezdxf.readfile(saved)
    after = [e.dxftype() for e in doc.modelspace()]
    auditor = doc.audit()
    if before != after or auditor.has_errors or auditor.has_fixes:
        print("FAIL: entities %s became %s; audit errors %d, fixes %d"
              % (before, after, len(auditor.errors), len(auditor.fixes)))
        sys.exit(1)
    print("profile.dxf: %d entities saved cleanly" % len(after))


if __name__ == "__main__":
    main()
