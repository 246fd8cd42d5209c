#!/usr/bin/python3
"""Ctrl-C while the program waits for an answer at a terminal cancels the
prompt in progress, at "Command:" it cancels nothing else, and the program
goes on. Usage: ctrl_c_check.py OPTGRIND WORK_DIR"""
import os, select, shutil, signal, subprocess, sys, time

optgrind, work = sys.argv[1:3]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
saved = os.path.join(work, "after.dxf")
program = subprocess.Popen([optgrind, "--save", saved], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                           stderr=subprocess.STDOUT)
output = b""


def wait_for(text, times=1):
    global output
    deadline = time.monotonic() + 20
    while output.count(text) < times:
        left = deadline - time.monotonic()
        chunk = os.read(program.stdout.fileno(), 4096) if select.select([program.stdout], [], [], max(left, 0))[0] else b""
        if not chunk:
            sys.exit(f"{text!r} did not appear {times} times:\n{output.decode(errors='replace')}")
        output += chunk


def interrupt():
    time.sleep(0.2)  # a moment after the prompt showed, when the program is reading
    program.send_signal(signal.SIGINT)


try:
    program.stdin.write(b"LINE\n0,0\n")
    program.stdin.flush()
    wait_for(b"Specify next point")
    interrupt()
    wait_for(b"*Cancel*")
    wait_for(b"Command: ", 2)
    interrupt()
    wait_for(b"*Cancel*", 2)
    program.stdin.write(b"LINE\n1,1\n2,2\n\nQUIT\n")
    program.stdin.close()
    output += program.stdout.read()
    status = program.wait(timeout=20)
finally:
    program.kill()
text = output.decode(errors="replace")
if status != 0 or b"Unknown command" in output or open(saved).read().count("\nLINE\n") != 1:
    sys.exit(f"exit {status}; the program did not go on after Ctrl-C:\n{text}")
print("Ctrl-C cancelled the prompt in progress and the program went on")
