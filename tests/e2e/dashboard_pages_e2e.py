#!/usr/bin/python3
"""Drives the real nivora binary's dashboard with the mouse, page by page.

For each of the Scenes, Colours, Displays, Performance, Media and Widgets
pages it clicks the page's row in the sidebar, then one control of the page
(found by its accessible name through AT-SPI, clicked with xdotool at its place
on the screen), and reads the setting back with `nivora ctl get`. Then it walks
the sidebar and the About page with the keyboard alone, reading the focus and
the states back as a screen reader does.

With the argument "actions" it checks instead that a screen reader gets what
the mouse gets: every named control of every page and of the tray popover is
clicked with the mouse, the settings are put back, and the same control is
pressed or toggled through its accessible action; both must change the stored
settings in the same way.

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
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name and "nivora" in app.name.lower():
            return app
    return None


TEXT_ROLES = {"label", "static", "text", "heading"}


def walk(root):
    """The showing nodes under root, depth first, with their roles; text is
    not entered (every node costs a round trip on the bus)."""
    stack = [root]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        try:
            role = node.getRoleName()
            states = node.getState()
            # A window may report no state while it is being mapped.
            if not states.contains(pyatspi.STATE_SHOWING) and role not in ("application", "frame", "window",
                                                                           "filler"):
                continue
            yield node, role, states
            if role not in TEXT_ROLES:
                stack.extend(node.getChildAtIndex(i) for i in reversed(range(node.childCount)))
        except Exception:
            continue


def find(root, name, roles=None):
    """The first showing control named `name` under root, depth first: one of
    `roles` when given, anything but a plain text otherwise."""
    for node, role, states in walk(root):
        if (states.contains(pyatspi.STATE_SHOWING) and node.name == name
                and (role in roles if roles else role not in TEXT_ROLES)):
            return node
    return None


def click_at(x, y):
    # A press held briefly, as a hand does: a window busy drawing a live
    # preview may otherwise see the release before it handled the press.
    subprocess.run(["xdotool", "mousemove", "--sync", str(int(x)), str(int(y)), "sleep", "0.05", "mousedown", "1",
                    "sleep", "0.1", "mouseup", "1"], check=True)


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
    time.sleep(0.3)


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


ACTION_ROLES = {"push button", "check box", "radio button", "toggle button"}
# These open a window of their own (a file or colour dialog, the browser) or
# end the program: they change no setting, and a dialog would sit in the way.
OPENS_WINDOW = {"Choisir un fichier…", "Choisir des dossiers…", "Importer une image…",
                "Remettre les icônes d'origine", "Continuer avec Google", "Ouvrir le tableau de bord",
                "Quitter Nivora"} | {f"Teinte {i}" for i in range(1, 6)}
# Random by design (a draw may even repeat a value): only whether settings
# change is compared.
RANDOM = {"Surprends-moi"}


def bus_ctl(*args):
    """What `nivora ctl` asks the running instance, straight on the session
    bus: the comparisons below read the settings a few hundred times."""
    from gi.repository import Gio, GLib
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    reply = bus.call_sync("app.nivora.Nivora", "/app/nivora/Nivora", "app.nivora.Nivora.Control", "Call",
                          GLib.Variant("(sas)", (args[0], list(args[1:]))), GLib.VariantType("(as)"),
                          Gio.DBusCallFlags.NO_AUTO_START, 20000, None)
    status, out = reply.unpack()[0]
    return int(status), out.strip()


def settings():
    status, out = bus_ctl("get")
    if status != 0:
        raise AssertionError(f"ctl get failed with {status}")
    return json.loads(out)


def changes(before, after):
    return {key: after.get(key) for key in set(before) | set(after) if before.get(key) != after.get(key)}


def settle(before, seconds):
    """The settings once they differ from `before`, or as they are after
    `seconds` (a control may rightly change nothing)."""
    end = time.monotonic() + seconds
    while True:
        now = settings()
        if now != before or time.monotonic() > end:
            return now
        time.sleep(0.03)


def put_back(before):
    # Some keys follow others (new colours make the palette's name
    # "Personnalisée"), so whatever a pass leaves different is set again.
    for _ in range(3):
        left = changes(settings(), before)
        if not left:
            break
        for key, value in left.items():
            status, out = bus_ctl("set", key, json.dumps(value))
            if status != 0:
                raise AssertionError(f"ctl set {key} failed with {status}: {out}")
    try:
        wait_for(lambda: settings() == before, "the settings put back", 5)
    except AssertionError:
        raise AssertionError(f"the settings were not put back: {json.dumps(changes(before, settings()))}")
    # The page redraws its controls from the settings put back.
    time.sleep(0.05)


def controls(root):
    """(name, role, occurrence, node) of every enabled, named control under
    root that acts when pressed."""
    out, seen = [], {}
    for node, role, states in walk(root):
        if (role in ACTION_ROLES and node.name and states.contains(pyatspi.STATE_SENSITIVE)
                and node.name not in OPENS_WINDOW):
            key = (node.name, role)
            seen[key] = seen.get(key, -1) + 1
            out.append((node.name, role, seen[key], node))
    return out


def nth(root, name, role, occurrence, node=None):
    """The control again: `node` while it still answers as itself, otherwise
    found anew (a page may rebuild its controls)."""
    try:
        if node is not None and node.name == name and node.getRoleName() == role:
            return node
    except Exception:
        pass
    found = -1
    for node, node_role, _ in walk(root):
        if node_role == role and node.name == name:
            found += 1
            if found == occurrence:
                return node
    return None


def page_scroll_bar(window):
    """The vertical scroll bar of the page shown: the tallest one showing."""
    best, height = None, 0
    for node, role, states in walk(window):
        if role == "scroll bar":
            # Qt reports no orientation state: a vertical bar is taller than wide.
            ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            if ext.height > max(ext.width, height):
                best, height = node, ext.height
    return best


def scroll_into(window, node, bars):
    """Scrolls the page until the control is inside the window, through the
    scroll bar's accessible value as a screen reader does: a wheel turned over
    the page would be taken by whatever slider lies under the pointer."""
    for _ in range(8):
        frame = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        top, bottom = frame.y + 8, frame.y + frame.height - 8
        if ext.y >= top and ext.y + ext.height <= bottom:
            return ext
        if "bar" not in bars:
            bars["bar"] = page_scroll_bar(window)
        bar = bars["bar"]
        if bar is None:
            break
        value = bar.queryValue()
        # The page's scroll bar counts pixels: centre the control.
        delta = (ext.y + ext.height / 2) - (top + bottom) / 2
        value.currentValue = max(value.minimumValue, min(value.maximumValue, value.currentValue + delta))
        time.sleep(0.05)
    raise AssertionError(f"could not scroll {node.name!r} into view")


def top_window(name):
    app = wait_for(application, "nivora on the accessibility bus")
    for i in range(app.childCount):
        child = app.getChildAtIndex(i)
        if child is not None and child.name == name:
            return child
    return None


def same_as_mouse(window_name, done, label):
    """Every control of the window not in `done`: the mouse, then its
    accessible action, each from the same settings. Returns how many changed
    a setting."""
    window = wait_for(lambda: top_window(window_name), f"the {window_name!r} window")
    changed = 0
    bars = {}
    for name, role, occurrence, node in controls(window):
        if (name, role, occurrence) in done:
            continue
        done.add((name, role, occurrence))
        t0 = time.monotonic()
        steps = {}

        def lap(step, start=[t0]):
            now = time.monotonic()
            steps[step] = now - start[0]
            start[0] = now
        before = settings()
        node = wait_for(lambda: nth(window, name, role, occurrence, node), f"{name!r} again")
        lap("find")
        ext = scroll_into(window, node, bars)
        click_at(ext.x + ext.width / 2, ext.y + ext.height / 2)
        lap("click")
        by_mouse = changes(before, settle(before, 1.5))
        lap("settle")
        put_back(before)
        lap("back")

        node = wait_for(lambda: nth(window, name, role, occurrence, node), f"{name!r} again")
        action = node.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        index = next((i for i, n in enumerate(names) if n in ("Press", "Toggle")), None)
        if index is None:
            raise AssertionError(f"{label}: « {name} » ({role}) offers no press or toggle: {names}")
        lap("find2")
        action.doAction(index)
        by_action = changes(before, settle(before, 1.5 if by_mouse else 0.5))
        lap("settle2")
        put_back(before)
        lap("back2")

        same = bool(by_action) == bool(by_mouse) if name in RANDOM else by_action == by_mouse
        if not same:
            raise AssertionError(f"{label}: « {name} » ({role}) through {names[index]} changed "
                                 f"{json.dumps(by_action)}, the mouse {json.dumps(by_mouse)}")
        changed += 1 if by_mouse else 0
        if os.environ.get("NIVORA_E2E_VERBOSE"):
            print(f"  {time.monotonic() - t0:6.2f}s {label}: « {name} » {role} {names[index]}: "
                  f"{json.dumps(by_mouse)} [{' '.join(f'{k}={v:.2f}' for k, v in steps.items())}]", flush=True)
    return changed


def actions():
    """The accessible actions against the mouse, page by page, then in the
    popover; last, « Quitter Nivora » pressed through its action ends the
    program."""
    done = set()
    pages = [("Scènes", "Vitesse", None), ("Média", "Vidéo", None), ("Couleurs", "Aurore boréale", None),
             ("Widgets", "Horloge", None),
             # The date line and the shape and size chips show once widgets are on.
             ("Widgets", "Pilule", ("enabledWidgets", ["clock", "date"])),
             ("Écrans", "right", None), ("Performance", "60 FPS", None)]
    total = 0
    for title, probe, setting in pages:
        if setting:
            ctl("set", setting[0], json.dumps(setting[1]))
        section(title, probe)
        changed = same_as_mouse("Nivora", done, title)
        if changed == 0:
            raise AssertionError(f"no control of the {title} page changed a setting with the mouse")
        print(f"ok - {title}: every control acts through its accessible action as with the mouse "
              f"({changed} changed a setting)", flush=True)
        total += changed

    ctl("popover")
    changed = same_as_mouse("Nivora popover", set(), "popover")
    if changed < 3:
        raise AssertionError(f"only {changed} popover controls changed a setting with the mouse")
    print(f"ok - popover: reachable, and its controls act through their accessible actions "
          f"({changed} changed a setting)", flush=True)
    popover = top_window("Nivora popover")
    quit_button = wait_for(lambda: nth(popover, "Quitter Nivora", "push button", 0), "« Quitter Nivora »")
    quit_button.queryAction().doAction(0)
    print(f"ok - {total + changed} controls changed settings alike")


def mouse_and_keyboard():
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


def run(scenario, quits=False):
    """Starts nivora with its dashboard on two monitors and runs `scenario`;
    one that `quits` must leave the program ending by itself."""
    app = subprocess.Popen([BINARY], env=ENV, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        wait_for(lambda: ctl("get", "fps")[0] == 0, "nivora on the session bus", 30)
        ctl("dashboard")
        # Two monitors, so that one of them can be switched off.
        subprocess.run("xrandr --setmonitor left 960/254x1080/286+0+0 screen && "
                       "xrandr --setmonitor right 960/254x1080/286+960+0 none", shell=True, check=True)
        time.sleep(1)
        scenario()
        if quits:
            status = app.wait(30)
            if status != 0:
                raise AssertionError(f"nivora ended with status {status}")
            print("ok - the program ended")
        return 0
    finally:
        subprocess.run("xrandr --delmonitor right; xrandr --delmonitor left", shell=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if app.poll() is None:
            ctl("quit")
        try:
            app.wait(10)
        except subprocess.TimeoutExpired:
            app.kill()
        if app.returncode not in (0, None):
            sys.stderr.write(app.stderr.read() if app.stderr else "")


def main():
    if sys.argv[1:] == ["actions"]:
        return run(actions, quits=True)
    return run(mouse_and_keyboard)


if __name__ == "__main__":
    sys.exit(main())
