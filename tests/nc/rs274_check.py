"""The NC that the bundled post file writes is RS-274 that a standard
interpreter accepts: LinuxCNC's rs274 reads it without an error, and the
moves it reports reproduce the stored path (line ends, arc ends and
centres, within 0.001).

usage: /usr/bin/python3 rs274_check.py OPTGRIND DATA_DIR WORK_DIR
Exits 77 (skipped) when rs274 is not installed."""
import os
import shutil
import subprocess
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import rs274_moves  # noqa: E402

# The drawing, its NC file, and Return_start (line 12 of opt.set) on or off.
CASES = [("lifts.dxf", "LIFTS.NC", False), ("approach.dxf", "APPROACH.NC", True), ("lifts.dxf", "LIFTS.NC", True)]
OPT_SET_RETURN_START = 11  # from 0


def main():
    optgrind, data, work = sys.argv[1:4]
    if not rs274_moves.HAVE_RS274:
        print(rs274_moves.MISSING)
        return rs274_moves.SKIP
    source_root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "share", "optgrind")
    for n, (drawing, nc_name, return_start) in enumerate(CASES):
        case = os.path.join(work, f"case{n}")
        shutil.rmtree(case, ignore_errors=True)
        shutil.copytree(source_root, os.path.join(case, "root"))
        opt_set = os.path.join(case, "root", "DAT", "opt.set")
        with open(opt_set, newline="") as f:
            lines = f.read().split("\r\n")
        lines[OPT_SET_RETURN_START] = "1" if return_start else "0"
        with open(opt_set, "w", newline="") as f:
            f.write("\r\n".join(lines))
        shutil.copy(os.path.join(data, drawing), case)
        script = os.path.join(case, "run.scr")
        with open(script, "w") as f:
            f.write("opt\nCreateNC\n\n OK \n")
        subprocess.run([optgrind, "--root", os.path.join(case, "root"), "--script", script,
                        os.path.join(case, drawing)], check=True, capture_output=True, timeout=60)
        problem, count = rs274_moves.nc_problem(os.path.join(case, drawing), os.path.join(case, nc_name),
                                                os.path.join(case, "moves.txt"))
        label = f"{drawing} (Return_start {int(return_start)})"
        if problem:
            raise SystemExit(f"{label}: {problem}")
        print(f"{label}: {count} elements reproduced by rs274")
    return 0


if __name__ == "__main__":
    sys.exit(main())
