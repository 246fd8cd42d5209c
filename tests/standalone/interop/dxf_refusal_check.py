"""optgrind given a truncated DXF, an empty file or a binary file exits with
status 2 and a message naming the file.

usage: dxf_refusal_check.py OPTGRIND WORK_DIR"""
import os
import subprocess
import sys

import dxf_sample

USAGE_STATUS = 2
TRUNCATE_AT = 0.6  # share of the good file that the truncated copy keeps


def main():
    optgrind, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    good = os.path.join(work, "refusal_good.dxf")
    dxf_sample.build(good)
    data = open(good, "rb").read()
    cases = {
        "truncated.dxf": data[: int(len(data) * TRUNCATE_AT)],
        "empty.dxf": b"",
        "binary.dxf": b"AutoCAD Binary DXF\r\n\x1a\x00" + bytes(range(256)) * 8,
    }
    failures = []
    for name, content in cases.items():
        path = os.path.join(work, name)
        with open(path, "wb") as f:
            f.write(content)
        run = subprocess.run([optgrind, "--script", "/dev/null", path], capture_output=True, text=True, timeout=60)
        if run.returncode != USAGE_STATUS or path not in run.stderr:
            failures.append("%s: status %d, stderr %r" % (name, run.returncode, run.stderr))
        else:
            print("%s refused: %s" % (name, run.stderr.strip()))
    if failures:
        print("FAIL:", "; ".join(failures))
        sys.exit(1)


if __name__ == "__main__":
    main()
