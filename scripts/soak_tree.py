"""The stored tree of Glyphora as scripts/soak sees it: read back byte for
byte with `glydrive dump-key`, planted with `glydrive load-key`, damaged at
random, and judged by the kinds and ranges the program itself writes.

A tree is a dict {(key, name): (type, bytes)}; keys are relative to the
company key, "Glyphora\\2.10\\MainForm\\BoldBtn" and so on."""

import random
import re

COMPANY = r"HKEY_CURRENT_USER\Software\Orlenka"

REG_NONE, REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD = 0, 1, 2, 3, 4
REG_MULTI_SZ, REG_QWORD = 7, 11

# The widest text the sample memo takes; a longer stored one is refused.
MEMO_LIMIT = 32767


def sz(text):
    return (REG_SZ, (text + "\0").encode("utf-16-le"))


def dword(value):
    return (REG_DWORD, (value & 0xFFFFFFFF).to_bytes(4, "little"))


def text_of(value):
    """The text of a REG_SZ value that is terminated once, at its end; else None."""
    kind, data = value
    if kind != REG_SZ or len(data) % 2 or len(data) < 2:
        return None
    text = data.decode("utf-16-le", errors="surrogatepass")
    if not text.endswith("\0") or "\0" in text[:-1]:
        return None
    return text[:-1]


def int_of(value):
    kind, data = value
    if kind != REG_DWORD or len(data) != 4:
        return None
    return int.from_bytes(data, "little", signed=True)


# --- reading ---------------------------------------------------------------

def parse_dump(text):
    """The tree in the output of `glydrive dump-key`."""
    tree = {}
    for line in text.splitlines():
        parts = line.rstrip("\r").split("\t")
        if parts[0] == "K" and len(parts) == 2:
            tree[(parts[1], None)] = None
        elif parts[0] == "V" and len(parts) == 5:
            tree[(parts[1], parts[2])] = (int(parts[3]), bytes.fromhex(parts[4]))
        elif line.strip():
            raise ValueError("cannot read the dumped line: " + line[:200])
    return tree


def values_of(tree):
    """Only the values: {(key, name): value}."""
    return {entry: value for entry, value in tree.items() if entry[1] is not None}


# --- writing ---------------------------------------------------------------

def dump_text(values):
    """`values` in the form `glydrive load-key` plants byte for byte."""
    lines = ["V\t%s\t%s\t%d\t%s" % (key, name, kind, data.hex()) for (key, name), (kind, data) in sorted(values.items())]
    return "\n".join(lines) + "\n"


def same_as_planted(read, planted):
    """Whether the registry holds what was planted. Wine's readers end an
    unterminated text with a zero of their own where the caller's buffer has
    room: the program reads it so too."""
    if set(read) != set(planted):
        return False
    for entry, (kind, data) in planted.items():
        got = read[entry]
        if got == (kind, data):
            continue
        texts = (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ)
        if not (kind in texts and got[0] == kind and got[1].startswith(data) and set(got[1][len(data):]) <= {0}
                and len(got[1]) - len(data) <= 2):
            return False
    return True


# --- damage ----------------------------------------------------------------

SIZES = [0, 1, 2, 3, 4, 5, 7, 8, 16, 255, 4096, 40000, 65536, 1 << 20]


def corrupt(value, rng):
    """One randomly damaged form of `value`, and what was done to it; None for
    a value removed."""
    kind, data = value
    how = rng.choice(["type", "truncate", "random", "oversize", "range", "remove"])
    if how == "type":
        other = rng.choice([t for t in (REG_NONE, REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD,
                                         REG_MULTI_SZ, REG_QWORD, 0x1234) if t != kind])
        return (other, data), "type %d -> %d" % (kind, other)
    if how == "truncate" and len(data) > 0:
        n = rng.randrange(len(data))
        return (kind, data[:n]), "truncated to %d bytes" % n
    if how in ("random", "truncate"):
        n = rng.choice(SIZES)
        return (kind, rng.randbytes(n)), "%d random bytes" % n
    if how == "oversize":
        n = rng.choice(SIZES[8:])
        if kind == REG_SZ:
            text = (text_of(value) or "x") * (n // 2 + 1)
            return sz(text[: n // 2]), "text of %d units" % (n // 2)
        return (kind, (data or b"\1") * (n // max(len(data), 1) + 1)), "oversized to %d+ bytes" % n
    if how == "range":
        if kind == REG_DWORD:
            n = rng.choice([-1, -2**31, 2**31 - 1, 100000, -100000, 73, 7, 14, 16, 5000, -5000])
            return dword(n), "number %d" % n
        text = rng.choice(["", "2", "-1", "Yes", "TabSheet9", "0x0", "abc", "99999999999", "\u00e1" * 300])
        return sz(text), "text %r" % text[:20]
    return None, "removed"


def corrupted(reference, rng):
    """The reference tree's values with one to all of them damaged (a removed
    one is left out): (values, a description of each damage)."""
    values = dict(values_of(reference))
    entries = sorted(values)
    count = len(entries) if rng.random() < 0.1 else rng.choice([1, 1, 2, 3, 5])
    notes = []
    for entry in rng.sample(entries, count):
        damaged, note = corrupt(values[entry], rng)
        notes.append("%s : %s: %s" % (entry[0], entry[1], note))
        if damaged is None:
            del values[entry]
        else:
            values[entry] = damaged
    return values, notes


# --- judging ---------------------------------------------------------------

FLAG = {"True", "False"}


def problems(tree, reference, screen=(1280, 1024)):
    """Every way `tree` is not the sound, complete tree a close writes:
    missing or unexpected entries, wrong kinds, values out of their ranges."""
    found = []
    expected, actual = values_of(reference), values_of(tree)
    for entry in sorted(set(expected) - set(actual)):
        found.append("missing %s : %s" % entry)
    for entry in sorted(set(actual) - set(expected)):
        found.append("unexpected %s : %s" % entry)
    for entry in sorted(set(actual) & set(expected)):
        value = actual[entry]
        reason = _unsound(entry, value, expected[entry], screen)
        if reason:
            found.append("%s : %s %s (%s)" % (entry[0], entry[1], reason, show(value)))
    return found


def _unsound(entry, value, reference, screen):
    key, name = entry
    leaf = key.rsplit("\\", 1)[-1] + "." + name
    if value[0] != reference[0]:
        return "is of type %d, not %d" % (value[0], reference[0])
    if reference[0] == REG_DWORD:
        n = int_of(value)
        if n is None:
            return "is not 4 bytes"
        ranges = {
            "MainForm.Left": (-screen[0], screen[0]), "MainForm.Top": (-screen[1], screen[1]),
            # A user can drag the window down to its smallest size (under
            # Wine 112 x 27, the caption alone).
            "MainForm.Width": (1, 4 * screen[0]), "MainForm.Height": (1, 4 * screen[1]),
            "MainForm.State": (0, 2),
            # The list keeps its width when the window is made narrower than it.
            "Splitter.Left": (0, 4 * screen[0]),
            "SizeUpDown.Position": (8, 72), "2.10.AppSettings": None,
            "AppSettings.FontList.ItemIndex": (-1, 9999),
            "AppSettings.TestGrid.Row": (0, 13), "AppSettings.TestGrid.Col": (0, 15),
        }
        low, high = ranges.get(leaf, (-2**31, 2**31 - 1))
        return None if low <= n <= high else "is %d, outside %d..%d" % (n, low, high)
    if reference[0] == REG_SZ:
        text = text_of(value)
        if text is None:
            return "is not a terminated text"
        if name in ("Down", "Checked"):
            return None if text in FLAG else "is not True or False"
        if name == "ActivePage":
            return None if text in ("TabSheet1", "TabSheet2") else "names no page"
        if name == "ScreenRes":
            return None if re.fullmatch(r"\d+x\d+", text) else "is no resolution"
        if name == "TestMemo.Text":
            units = len(text.encode("utf-16-le", errors="surrogatepass")) // 2
            if not text:
                return "is empty"
            return None if units <= MEMO_LIMIT else "is %d units long" % units
        return None
    if reference[0] == REG_BINARY and name == "MainForm":
        return None if value[1] in (b"\4\0\0\0\1", b"\4\0\0\0\0") else "is no boolean"
    return None if value == reference else "differs from a fresh close"


def show(value):
    if value is None:
        return "nothing"
    kind, data = value
    text = text_of(value)
    if text is not None:
        return "REG_SZ %r" % (text[:40] + ("..." if len(text) > 40 else ""))
    return "type %d, %d bytes: %s" % (kind, len(data), data[:16].hex())


def describe(values):
    return "\n".join("%s : %s = %s" % (k, n, show(v)) for (k, n), v in sorted(values_of(values).items()))


def seeded(seed, kind, number):
    """The random source of one round: the same seed replays the same round."""
    return random.Random("%s/%s/%d" % (seed, kind, number))
