#!/usr/bin/python3
"""The view's server refuses what may not drive the session (no token, a
foreign Host, a second page, oversized, malformed and slow requests) while
the session goes on; the terminal still answers, and Ctrl-C ends the
session with --save written. Usage: view_refusals_check.py OPTGRIND WORK_DIR"""
import http.client, json, os, shutil, signal, socket, subprocess, sys, time

optgrind, work = sys.argv[1:3]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
saved = os.path.join(work, "saved.dxf")
session = subprocess.Popen([optgrind, "--view", "127.0.0.1:0", "--save", saved], stdin=subprocess.PIPE,
                           stdout=subprocess.PIPE, text=True)
url = session.stdout.readline().strip()
port, token = int(url.split(":")[2].split("/")[0]), url.split("token=")[1]
failures = []


def request(method, path, headers=None, body=None):
    c = http.client.HTTPConnection("127.0.0.1", port, timeout=5)
    c.request(method, path, body=body, headers=headers or {})
    r = c.getresponse()
    return r.status, r.getheader("Set-Cookie") or "", r.read().decode()


def expect(what, got, wanted):
    if got != wanted:
        failures.append(f"{what}: status {got}, expected {wanted}")


def raw(data):
    with socket.create_connection(("127.0.0.1", port), timeout=5) as s:
        s.sendall(data)
        return s.recv(200).decode(errors="replace")


try:
    status, cookies, _ = request("GET", "/?token=" + token)
    expect("the first page", status, 200)
    page = {"Cookie": "; ".join(c.split(";")[0] for c in cookies.split(", "))}
    expect("no token", request("GET", "/")[0], 403)
    expect("a wrong token", request("GET", "/?token=" + "0" * len(token))[0], 403)
    expect("a foreign Host", request("GET", "/?token=" + token, {"Host": f"evil.example:{port}"})[0], 403)
    expect("a second page", request("GET", "/?token=" + token)[0], 409)
    expect("a reload", request("GET", "/?token=" + token, page)[0], 200)
    expect("over 1 MB", request("POST", "/answer", page, b"x" * (1 << 20 | 1))[0], 413)
    expect("not JSON", request("POST", "/answer", page, b"{line")[0], 400)
    expect("two lines", request("POST", "/answer", page, json.dumps({"line": "LINE\nQUIT"}))[0], 400)
    if not raw(b"GARBAGE\r\n\r\n").startswith("HTTP/1.1 400"):
        failures.append("a malformed request is not refused with 400")
    # A slow request is dropped; meanwhile the page and the terminal answer.
    slow = socket.create_connection(("127.0.0.1", port), timeout=10)
    slow.sendall(b"GET / HTTP/1.1\r\n")
    started = time.monotonic()
    expect("an answer beside a slow request", request("POST", "/answer", page, json.dumps({"line": "LINE"}))[0], 204)
    session.stdin.write("0,0\n^C\n")
    session.stdin.flush()
    slow.recv(200)
    if time.monotonic() - started > 8:
        failures.append("a slow request is held open")
    slow.close()
    deadline = time.monotonic() + 10
    text = ""
    while "*Cancel*" not in text and time.monotonic() < deadline:
        text = json.loads(request("GET", "/state?since=0&from=0", page)[2])["transcript"]
    if "LINE" not in text or "0,0" not in text or "*Cancel*" not in text:
        failures.append("the page and the terminal do not share the transcript:\n" + text)
    session.send_signal(signal.SIGINT)
    if session.wait(timeout=10) != 0 or not os.path.exists(saved):
        failures.append("Ctrl-C does not end the session cleanly with --save written")
finally:
    session.kill()

for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
