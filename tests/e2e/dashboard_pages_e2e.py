#!/usr/bin/python3
"""Drives the real nivora binary's dashboard with the mouse, page by page.

For each of the Scenes, Colours, Displays, Performance, Media and Widgets
pages it clicks the page's row in the sidebar, then one control of the page
(found by its accessible name through AT-SPI, clicked with xdotool at its place
on the screen), and reads the setting back with `nivora ctl get`. Then it walks
the sidebar and the About page with the keyboard alone, reading the focus and
the states back as a screen reader does.

Runs on the test display and session bus (scripts/test provides both); needs
NIVORA_BINARY, xdotool, xrandr and Debian's python3-pyatspi.
"""
import json
import os
import subprocess
import sys
import tempfile
import time

os.environ["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
os.environ.setdefault("NO_AT_BRIDGE", "0")

import pyatspi  # noqa: E402

BINARY = os.environ["NIVORA_BINARY"]
HOME = tempfile.mkdtemp(prefix="nivora-e2e-")
ENV = dict(os.environ, XDG_CONFIG_HOME=os.path.join(HOME, "config"), XDG_DATA_HOME=os.path.join(HOME, "data"))


def ctl(*args):
    done = subprocess.run([BINARY, "ctl", *args], env=ENV, capture_output=True, text=True, timeout=20)
    return done.returncode, done.stdout.strip()


def get(key):
    status, out = ctl("get", key)
    if status != 0:
        raise AssertionError(f"ctl get {key} failed with {status}")
    return json.loads(out)


def wait_for(predicate, what, seconds=10.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError(f"timed out waiting for {what}")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name and "nivora" in app.name.lower():
            return app
    return None


TEXT_ROLES = {"label", "static", "text", "heading"}


def find(root, name, roles=None):
    """The first showing control named `name` under root, depth first: one of
    `roles` when given, anything but a plain text otherwise. Subtrees that are
    not showing are skipped: every node costs a round trip on the bus."""
    stack = [root]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        try:
            role = node.getRoleName()
            showing = node.getState().contains(pyatspi.STATE_SHOWING)
            # A window may report no state while it is being mapped.
            if not showing and role not in ("application", "frame", "window", "filler"):
                continue
            if showing and node.name == name and (role in roles if roles else role not in TEXT_ROLES):
                return node
            if role in TEXT_ROLES:
                continue
            stack.extend(node.getChildAtIndex(i) for i in reversed(range(node.childCount)))
        except Exception:
            continue
    return None


def click_at(x, y):
    # A press held briefly, as a hand does: a window busy drawing a live
    # preview may otherwise see the release before it handled the press.
    subprocess.run(["xdotool", "mousemove", "--sync", str(int(x)), str(int(y)), "sleep", "0.1", "mousedown", "1",
                    "sleep", "0.15", "mouseup", "1"], check=True)
    time.sleep(0.3)


def click(name, roles=None, where=None):
    app = wait_for(application, "nivora on the accessibility bus")
    node = wait_for(lambda: find(app, name, roles), f"a control named {name!r}", 30)
    ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if os.environ.get("NIVORA_E2E_VERBOSE"):
        print(f"  {name!r} {node.getRoleName()} at {ext.x},{ext.y} {ext.width}x{ext.height}", flush=True)
    if where is None:
        click_at(ext.x + ext.width / 2, ext.y + ext.height / 2)
    else:
        click_at(*where(ext))


SHOTS = os.environ.get("NIVORA_SCREENSHOTS")


def names(root, role):
    out, stack = [], [root]
    while stack:
        node = stack.pop()
        try:
            if node.getRoleName() == role:
                out.append((node.name, node.getState().contains(pyatspi.STATE_SHOWING)))
            stack.extend(node.getChildAtIndex(i) for i in range(node.childCount))
        except Exception:
            pass
    return out


def section(title, probe):
    """Opens a page from the sidebar and waits for one of its controls. A click
    that changed nothing is repeated, as a user would, and reported, since it
    should not happen."""
    for attempt in range(3):
        click(title, roles={"page tab"})
        try:
            wait_for(lambda: find(application(), probe), f"{probe!r} on the {title} page", 15)
            break
        except AssertionError:
            print(f"  (the {title} page did not open after click {attempt + 1})", flush=True)
    else:
        raise AssertionError(f"the {title} page did not open")
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        subprocess.run(["import", "-window", "root", os.path.join(SHOTS, f"page-{title}.png")], check=False)


def focused():
    """The control that has the keyboard focus, as a screen reader sees it."""
    stack = [application()]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        try:
            states = node.getState()
            role = node.getRoleName()
            if states.contains(pyatspi.STATE_FOCUSED) and role not in ("frame", "window", "application"):
                return node
            if role in TEXT_ROLES or (not states.contains(pyatspi.STATE_SHOWING)
                                      and role not in ("application", "frame", "window", "filler")):
                continue
            stack.extend(node.getChildAtIndex(i) for i in range(node.childCount))
        except Exception:
            continue
    return None


def press(key):
    subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)
    time.sleep(0.3)


def tab_to(accept, what, limit=60):
    """Presses Tab until the focused control satisfies `accept`."""
    for _ in range(limit):
        press("Tab")
        node = focused()
        if node is not None and os.environ.get("NIVORA_E2E_VERBOSE"):
            print(f"  focus: {node.name!r} {node.getRoleName()} "
                  f"{[pyatspi.stateToString(s) for s in node.getState().getStates()]}", flush=True)
        if node is not None and accept(node):
            return node
    raise AssertionError(f"Tab never reached {what}")


def keyboard_walk():
    """The sidebar and the About page with the keyboard alone, read back
    through the accessibility bus as a screen reader would."""
    row = tab_to(lambda n: n.name == "À propos" and n.getRoleName() == "page tab", "the « À propos » row")
    press("Return")
    wait_for(lambda: row.getState().contains(pyatspi.STATE_SELECTED), "the « À propos » row selected")
    wait_for(lambda: find(application(), "Sans télémétrie", roles=TEXT_ROLES | {"filler", "panel"}),
             "the About page")
    print("ok - keyboard: Tab to « À propos », Return opens the About page, the row reports selected")
    master = tab_to(lambda n: n.getRoleName() in ("toggle button", "check box") and n.name.startswith("Fond"),
                    "the master switch")
    running, name = get("isRunning"), master.name
    press("space")
    check(f"keyboard: Space on « {name} »", "isRunning", not running)
    wait_for(lambda: master.getState().contains(pyatspi.STATE_CHECKED) == (not running),
             "the master switch reporting its new state")
    press("Return")
    check("keyboard: Return on the master switch", "isRunning", running)


def check(label, key, expected):
    value = wait_for(lambda: get(key) == expected or None, f"{key} == {expected!r} after {label}", 5)
    print(f"ok - {label}: {key} = {json.dumps(expected)}")
    return value


def main():
    app = subprocess.Popen([BINARY], env=ENV, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        wait_for(lambda: ctl("get", "fps")[0] == 0, "nivora on the session bus", 30)
        ctl("dashboard")
        # Two monitors, so that one of them can be switched off.
        subprocess.run("xrandr --setmonitor left 960/254x1080/286+0+0 screen && "
                       "xrandr --setmonitor right 960/254x1080/286+960+0 none", shell=True, check=True)
        time.sleep(1)

        section("Scènes", "Vitesse")
        # The far right of the speed slider's track sets 100 %.
        click("Vitesse", where=lambda e: (e.x + e.width - 3, e.y + e.height - 13))
        check("Scènes, Vitesse dragged to the end", "speed", 1.0)

        section("Couleurs", "Aurore boréale")
        click("Aurore boréale")
        check("Couleurs, preset chip", "paletteName", "Aurore boréale")

        section("Écrans", "right")
        # The right half's switch: its row is named after the monitor.
        click("right")
        kept = wait_for(lambda: get("enabledDisplays") if len(get("enabledDisplays")) == 1 else None,
                        "one display left enabled", 5)
        print(f"ok - Écrans, right monitor off: enabledDisplays = {json.dumps(kept)}")

        section("Performance", "60 FPS")
        click("60 FPS")
        check("Performance, frame rate", "fps", 60)

        section("Média", "Vidéo")
        click("Vidéo")
        check("Média, mode card", "wallpaperMode", "video")

        section("Widgets", "Horloge")
        click("Horloge")
        check("Widgets, clock tile", "enabledWidgets", ["clock"])
        print("all pages answered the mouse")
        keyboard_walk()
        return 0
    finally:
        subprocess.run("xrandr --delmonitor right; xrandr --delmonitor left", shell=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        ctl("quit")
        try:
            app.wait(10)
        except subprocess.TimeoutExpired:
            app.kill()
        if app.returncode not in (0, None):
            sys.stderr.write(app.stderr.read() if app.stderr else "")


if __name__ == "__main__":
    sys.exit(main())
