"""Mixed user actions with real input (xdotool on the program's display),
and what the program holds meanwhile: GDI objects, windows, working set.

Places are those of the main window's design (app/MainForm.dfm), relative to
its client area; the font list keeps its design width, the rest follows the
window's size."""

import re
import subprocess
import time

ABOUT_TITLE = "O aplikaci"
TOOLBAR = {"bold": (14, 14), "italic": (37, 14), "underline": (60, 14), "size up": (124, 9),
           "size down": (124, 20), "reload": (193, 14), "about": (348, 14)}
LIST_WIDTH, PAGES_LEFT, TOP, STATUS = 257, 259, 28, 19


def stats(env):
    """{gdi, fonts, windows, top, workingset_kb, client: (x, y, w, h)} or None."""
    done = env.drive("stats", "Glyphora")
    m = re.search(rb"gdi=(\d+) fonts=(\d+) windows=(\d+) top=(\d+) workingset_kb=(\d+) "
                  rb"client=(-?\d+),(-?\d+),(\d+),(\d+)", done.stdout)
    if done.returncode != 0 or not m:
        return None
    n = [int(x) for x in m.groups()]
    return {"gdi": n[0], "fonts": n[1], "windows": n[2], "top": n[3], "workingset_kb": n[4],
            "client": tuple(n[5:9])}


def xdo(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, timeout=20).returncode == 0


def click(client, x, y):
    return xdo("mousemove", "--sync", client[0] + x, client[1] + y, "click", "1")


def act(env, rng, client):
    """One random action; its name."""
    x0, y0, w, h = client
    pages = PAGES_LEFT + 4
    kind = rng.choice(["style", "size", "reload", "about", "list", "keys", "memo", "charmap", "resize",
                       "style", "list", "keys"])
    if kind == "style":
        name = rng.choice(["bold", "italic", "underline"])
        click(client, *TOOLBAR[name])
        return name
    if kind == "size":
        name = rng.choice(["size up", "size down"])
        click(client, *TOOLBAR[name])
        return name
    if kind == "reload":
        click(client, *TOOLBAR["reload"])
        return kind
    if kind == "about":
        click(client, *TOOLBAR["about"])
        if env.drive("wait-window", ABOUT_TITLE, "5000").returncode == 0:
            time.sleep(0.2)
            xdo("key", "Escape")
            if env.drive("wait-gone", ABOUT_TITLE, "3000").returncode != 0:
                env.drive("close", ABOUT_TITLE)
                env.drive("wait-gone", ABOUT_TITLE, "3000")
        return kind
    if kind == "list":
        click(client, rng.randrange(5, LIST_WIDTH - 20), rng.randrange(TOP + 5, max(TOP + 6, h - STATUS - 5)))
        return kind
    if kind == "keys":
        key = rng.choice(["Down", "Up", "Next", "Prior", "Home", "End", "Tab", "shift+Tab"])
        xdo("key", key)
        return "key " + key
    if kind == "memo":
        click(client, pages + 40, TOP + 10)  # the sample text's tab
        click(client, pages + rng.randrange(20, max(21, w - pages - 30)), TOP + 60)
        xdo("type", "--delay", "5", rng.choice(["abc ", "Žluťoučký kůň ", "0123\n", "x" * 40]))
        return kind
    if kind == "charmap":
        click(client, pages + 120, TOP + 10)  # the character map's tab
        click(client, pages + rng.randrange(10, max(11, min(300, w - pages - 20))), TOP + 24 + 73 + rng.randrange(5, 150))
        return kind
    # Dragged by the frame's bottom right corner, just outside the client area.
    width, height = rng.randrange(500, 1100), rng.randrange(400, 900)
    cx, cy = x0 + w + 2, y0 + h + 2
    xdo("mousemove", "--sync", cx, cy, "mousedown", "1")
    xdo("mousemove", "--sync", x0 + width, y0 + height)
    xdo("mouseup", "1")
    return "resize"


def run(env, program, rng, count, evidence, number):
    """Does `count` actions; the samples taken before each and at the end,
    and the names of the actions done."""
    samples, done = [], []
    for i in range(count):
        sample = stats(env)
        if sample is None:
            evidence.keep(number, "no statistics before action %d (after %s)" % (i + 1, done[-1:] or "none"))
            return samples, done
        samples.append(sample)
        if sample["top"] > 1:  # a dialog left open by the action before: close it as a user would
            xdo("key", "Escape")
        done.append(act(env, rng, sample["client"]))
    time.sleep(1.0)
    sample = stats(env)
    if sample is not None:
        samples.append(sample)
    return samples, done


def summary(samples):
    parts = []
    for key, name in (("gdi", "GDI objects"), ("fonts", "fonts"), ("windows", "windows"),
                      ("workingset_kb", "working set kB")):
        values = [s[key] for s in samples]
        parts.append("%s %d/%d/%d" % (name, values[0], values[-1], max(values)))
    return ", ".join(parts) + " (start/end/max)"
