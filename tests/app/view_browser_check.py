#!/usr/bin/python3
"""The browser view driven by headless chromium: a line drawn and erased by
clicks, then the punch job of examples/punch_job.scr by clicks, typed
answers and form buttons; its NC file must equal the script run's.
Usage: view_browser_check.py OPTGRIND SOURCE_DIR WORK_DIR [SCREENSHOT.png]"""
import os, shutil, subprocess, sys

try:
    from selenium import webdriver
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    print("SKIP: python3-selenium is not installed"); sys.exit(77)
if not shutil.which("chromium") or not shutil.which("chromedriver"):
    print("SKIP: chromium or chromium-driver is not installed"); sys.exit(77)

optgrind, source, work = sys.argv[1:4]
shot = sys.argv[4] if len(sys.argv) > 4 else None
shutil.rmtree(work, ignore_errors=True)


def job_folder(name):
    folder = os.path.join(work, name)
    shutil.copytree(os.path.join(source, "share/optgrind"), os.path.join(folder, "root"))
    shutil.copy(os.path.join(source, "examples/punch.dxf"), folder)
    return folder


scripted = job_folder("script")
subprocess.run([optgrind, "--root", scripted + "/root", "--script", source + "/examples/punch_job.scr",
                scripted + "/punch.dxf"], check=True, stdout=subprocess.DEVNULL, timeout=60)
options = webdriver.ChromeOptions()
for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1400,860"):
    options.add_argument(arg)
browser = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
wait = WebDriverWait(browser, 20)
viewed = job_folder("view")
session = subprocess.Popen([optgrind, "--root", viewed + "/root", "--view", viewed + "/punch.dxf"],
                           stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)


def prompt(kind, text):
    wait.until(lambda b: (b.find_element(By.TAG_NAME, "body").get_attribute("data-prompt") or "-") in kind
               and text in b.find_element(By.ID, "prompt").text)


def answer(line):
    field = browser.find_element(By.ID, "answer")
    field.send_keys(line + "\n")


def click_at(x, y):
    pane = browser.find_element(By.ID, "drawing")
    dx, dy = browser.execute_script("""
        const p = new DOMPoint(arguments[0], -arguments[1]).matrixTransform(page.svg.getScreenCTM());
        const r = arguments[2].getBoundingClientRect();
        return [p.x - (r.left + r.width / 2), p.y - (r.top + r.height / 2)];""", x, y, pane)
    ActionChains(browser).move_to_element_with_offset(pane, round(dx), round(dy)).click().perform()


def press(caption):
    wait.until(lambda b: [e for e in b.find_elements(By.CSS_SELECTOR, "#form-grid button")
                          if e.text.strip() == caption])[0].click()


try:
    browser.get(session.stdout.readline().strip())
    prompt("line", "Command:")
    answer("LINE")
    prompt("point", "")
    click_at(10, 10)
    prompt("point", "")
    click_at(20, 10)
    prompt("point", "")
    answer("")
    prompt("line", "Command:")
    answer("ERASE")
    prompt("entity", "Select objects")
    click_at(15, 10)
    prompt("entity", "Select objects")
    answer("")
    prompt("line", "Command:")
    answer("opt")
    prompt("form", "Field")
    press("SelEnt")
    for x, y, text in ((0, 0, "p(0,0)"), (25, 0, "Start Point")):
        prompt("point", text)
        click_at(x, y)
    prompt("entity", "Select objects")
    answer("ALL")
    prompt("entity", "Select objects")
    answer("")
    prompt(("line", "point"), "")
    answer("N")
    for x, y, text in ((50, 12, "Tool Up"), (38, 25, "Tool Down"), (0, 12, "Tool Up")):
        prompt("point", text)
        click_at(x, y)
    prompt("point", "Tool Down")
    answer("")
    prompt("form", "Field")
    press("OK")
    prompt("line", "Command:")
    if shot:
        browser.save_screenshot(shot)
    browser.find_element(By.CSS_SELECTOR, "#tools button[data-line=QUIT]").click()
    prompt("line", "Save changes")
    answer("N")
    session.wait(timeout=20)
except Exception:
    print(browser.find_element(By.ID, "transcript").text[-2000:])
    raise
finally:
    browser.quit()
    session.kill()

expected = open(scripted + "/PUNCH.NC").read()
written = open(viewed + "/PUNCH.NC").read() if os.path.exists(viewed + "/PUNCH.NC") else ""
if written != expected:
    sys.exit("the page's NC file differs from the script run's")
print("view: the page's punch job wrote the script run's NC file")
