"""The rounds of scripts/soak: the real Glyphora.exe under Wine, started on
damaged stored values, closed and killed at random moments, and driven with
real input while its GDI objects, windows and memory are watched.

Run by scripts/soak, which builds the program and prepares the Wine prefix,
the display and the wineserver; it passes everything through the
environment (see main)."""

import os
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import soak_tree as st  # noqa: E402

TITLE = "Glyphora"
START_LIMIT = 40.0  # seconds until the main window shows
EXIT_LIMIT = 30.0  # seconds from the close request until the process is gone
CRASH_MARKS = ("Unhandled", "Backtrace", "page fault", "wine: Assertion", "terminate called")


class Env:
    def __init__(self):
        self.wine = os.environ["GLYPHORA_WINE64"]
        self.build = os.environ["GLYPHORA_BUILD_DIR"]
        self.out = os.environ["GLYPHORA_SOAK_DIR"]
        self.seed = os.environ["GLYPHORA_SOAK_SEED"]
        self.program = os.path.join(self.build, "app", "Glyphora.exe")
        self.driver = os.path.join(self.build, "tests", "driver", "glydrive.exe")
        self.env = dict(os.environ, LC_ALL="cs_CZ.UTF-8", WINELOADER=self.wine)
        self.read_errors = []

    def run(self, *args, timeout=60):
        # Output to files, not pipes: Wine's helper processes (explorer.exe
        # for the desktop, services) may be started by this one, inherit its
        # output and outlive it, and a pipe would then never end.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            try:
                code = subprocess.run([self.wine, *args], env=self.env, stdin=subprocess.DEVNULL, stdout=out,
                                      stderr=err, timeout=timeout).returncode
            except subprocess.TimeoutExpired:
                code = 124
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(args, code, out.read(), err.read())

    def drive(self, *args, timeout=60):
        return self.run(self.driver, *args, timeout=timeout)

    def read_tree(self):
        """The stored tree, byte for byte ({} when there is none). A reading
        that fails for another reason than a missing key is tried again, and
        noted in read_errors when it keeps failing, so that a round does not
        take it for a tree that the program left empty."""
        for attempt in range(3):
            done = self.drive("dump-key", st.COMPANY.split("\\", 1)[1])
            if done.returncode == 0:
                return st.parse_dump(done.stdout.decode("utf-8", errors="replace"))
            error = done.stderr.decode(errors="replace").strip()
            if "no key" in error:
                return {}
            time.sleep(1)
        self.read_errors.append("reading the stored tree failed (glydrive exit %d): %s" % (done.returncode, error))
        return {}

    def forget(self):
        self.run("reg", "delete", st.COMPANY, "/f")

    def plant(self, values):
        self.forget()
        path = os.path.join(self.out, "plant.txt")
        with open(path, "w", encoding="utf-8") as f:
            f.write(st.dump_text(values))
        done = self.drive("load-key", st.COMPANY.split("\\", 1)[1], "Z:" + path.replace("/", "\\"))
        if done.returncode != 0:
            raise RuntimeError("glydrive load-key failed: " + done.stderr.decode(errors="replace"))


class Program:
    """One run of Glyphora.exe; its stderr goes to a file of the round."""

    def __init__(self, env, stderr_path):
        self.env, self.stderr_path = env, stderr_path
        self.stderr = open(stderr_path, "wb")
        self.started = time.monotonic()
        self.process = subprocess.Popen([env.wine, env.program], env=env.env, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL,
                                        stderr=self.stderr)

    def wait_window(self, limit=START_LIMIT):
        """Seconds until the main window showed, or None (gone or too late)."""
        deadline = self.started + limit
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                return None
            if self.env.drive("wait-window", TITLE, "1000").returncode == 0:
                return time.monotonic() - self.started
        return None

    def close(self):
        return self.env.drive("close", TITLE).returncode == 0

    def wait_gone(self, limit=EXIT_LIMIT):
        try:
            self.process.wait(timeout=limit)
            return True
        except subprocess.TimeoutExpired:
            return False

    def kill(self):
        if self.process.poll() is None:
            os.kill(self.process.pid, signal.SIGKILL)
        self.process.wait()
        self.stderr.close()

    def finish(self):
        self.kill()
        with open(self.stderr_path, "rb") as f:
            text = f.read().decode(errors="replace")
        return self.process.returncode, text

    def state(self):
        """How the process stands: still running, or ended with its status."""
        code = self.process.poll()
        return "the process was still running" if code is None else "the process had ended (status %d)" % code

    def crashed(self):
        """Whether it ended in error: an exit status or Wine's crash report."""
        code, text = self.finish()
        return code not in (0, -signal.SIGKILL) or any(mark in text for mark in CRASH_MARKS)


class Evidence:
    def __init__(self, env, kind):
        self.env, self.kind, self.kept = env, kind, []

    def folder(self, number):
        return os.path.join(self.env.out, "rounds", "%s-%04d" % (self.kind, number))

    def keep(self, number, why, notes=(), tree=None):
        notes = list(notes) + self.env.read_errors
        self.env.read_errors.clear()
        folder = self.folder(number)
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "failure.txt"), "a") as f:
            f.write(why + "\n" + "".join("  " + n + "\n" for n in notes))
        if tree is not None:
            with open(os.path.join(folder, "stored-after.txt"), "w") as f:
                f.write(st.describe(tree) + "\n")
        self.kept.append(folder)
        print("  %s round %d: %s (evidence: %s)" % (self.kind, number, why, folder), flush=True)

    def stderr_path(self, number):
        os.makedirs(self.folder(number), exist_ok=True)
        return os.path.join(self.folder(number), "stderr.txt")

    def tidy(self, number):
        """Removes a round's folder when nothing went wrong in it."""
        folder = self.folder(number)
        if folder not in self.kept and os.path.isdir(folder):
            for name in os.listdir(folder):
                os.remove(os.path.join(folder, name))
            os.rmdir(folder)


def reference_tree(env):
    """The tree a close after a fresh start leaves: the measure of complete
    and sound."""
    env.forget()
    program = Program(env, os.path.join(env.out, "reference-stderr.txt"))
    shown = program.wait_window()
    step = ("the window did not show" if shown is None else "the close request failed" if not program.close()
            else "the process did not end" if not program.wait_gone() else
            "the process ended in error" if program.crashed() else None)
    if step:
        program.kill()
        sys.exit("soak: the fresh start and close that give the reference tree failed: %s (exit status %s)"
                 % (step, program.process.returncode))
    tree = env.read_tree()
    if not st.values_of(tree):
        sys.exit("soak: a fresh start's close left no stored values")
    print("soak: fresh start %.1f s; a close stores %d values" % (shown, len(st.values_of(tree))), flush=True)
    return tree, shown


def start_and_close(env, evidence, number, reference, notes=()):
    """A start and a close; the failures, and the stored tree after it."""
    failures = []
    program = Program(env, evidence.stderr_path(number))
    if program.wait_window() is None:
        failures.append("failed start")
        state = program.state()
        crashed = program.crashed()
        evidence.keep(number, "no window within %d s; %s%s" % (START_LIMIT, state, ", crashed" if crashed else ""),
                      notes)
        return failures, env.read_tree()
    program.close()
    if not program.wait_gone():
        failures.append("hang")
        program.kill()
        evidence.keep(number, "still running %d s after the close request" % EXIT_LIMIT, notes)
    elif program.crashed():
        failures.append("crash")
        evidence.keep(number, "ended in error at the close (exit status %s)" % program.process.returncode, notes)
    return failures, env.read_tree()


def round_corrupt(env, evidence, number, reference, counts):
    rng = st.seeded(env.seed, "corrupt", number)
    values, notes = st.corrupted(reference, rng)
    env.plant(values)
    planted = st.values_of(env.read_tree())
    if not st.same_as_planted(planted, values):
        counts["plants not as intended"] += 1
        differ = ["%s : %s planted as %s, reads %s" % (e[0], e[1], st.show(values.get(e)), st.show(planted.get(e)))
                  for e in sorted(set(values) | set(planted))
                  if not st.same_as_planted({e: planted[e]} if e in planted else {}, {e: values[e]} if e in values else {})]
        evidence.keep(number, "the damaged values did not reach the registry as planted", notes + differ)
    failures, tree = start_and_close(env, evidence, number, reference, notes)
    if "failed start" in failures:
        counts["failed starts"] += 1
        return
    counts["crashes at close"] += failures.count("crash")
    counts["hangs at close"] += failures.count("hang")
    wrong = st.problems(tree, reference)
    counts["values not repaired"] += len(wrong)
    if wrong:
        evidence.keep(number, "%d values not repaired" % len(wrong), notes + ["after the close:"] + wrong, tree)


def round_close(env, evidence, number, reference, counts, walk_ms):
    rng = st.seeded(env.seed, "close", number)
    fresh = rng.random() < 0.5
    delay = rng.uniform(0, walk_ms) / 1000.0
    notes = ["%s start, close %.0f ms after the window showed" % ("fresh" if fresh else "stored", delay * 1000)]
    if fresh:
        env.forget()
    else:
        env.plant(st.values_of(reference))
    program = Program(env, evidence.stderr_path(number))
    if program.wait_window() is None:
        counts["failed starts"] += 1
        evidence.keep(number, "no window within %d s; %s" % (START_LIMIT, program.state()), notes)
        program.kill()
        return
    time.sleep(delay)
    program.close()
    if not program.wait_gone():
        counts["hangs"] += 1
        program.kill()
        evidence.keep(number, "still running %d s after the close request" % EXIT_LIMIT, notes)
        return
    if program.crashed():
        counts["crashes"] += 1
        evidence.keep(number, "ended in error (exit status %s)" % program.process.returncode, notes)
    tree = env.read_tree()
    wrong = st.problems(tree, reference)
    if wrong:
        counts["incomplete stored trees"] += 1
        evidence.keep(number, "the stored tree is not complete and sound", notes + wrong, tree)


def round_kill(env, evidence, number, reference, counts, walk_ms, start_s):
    rng = st.seeded(env.seed, "kill", number)
    fresh = rng.random() < 0.5
    phase = rng.choice(["start", "walk", "close"])
    delay = rng.uniform(0, {"start": start_s * 1000, "walk": walk_ms, "close": 2500}[phase]) / 1000.0
    notes = ["%s start, killed %.0f ms into the %s" % ("fresh" if fresh else "stored", delay * 1000, phase)]
    if fresh:
        env.forget()
    else:
        env.plant(st.values_of(reference))
    program = Program(env, evidence.stderr_path(number))
    if phase != "start" and program.wait_window() is None:
        counts["failed starts"] += 1
        evidence.keep(number, "no window within %d s (before the kill); %s" % (START_LIMIT, program.state()), notes)
        program.kill()
        return
    if phase == "close":
        program.close()
    time.sleep(delay)
    program.kill()
    tree = st.values_of(env.read_tree())
    if tree:
        wrong = st.problems(tree, reference)
        missing = [w for w in wrong if w.startswith("missing")]
        if missing:
            counts["mixed trees"] += 1
            evidence.keep(number, "a partly written tree after the kill", notes + wrong, tree)
        if len(wrong) > len(missing):
            counts["damaged trees"] += 1
            evidence.keep(number, "damaged values after the kill", notes + wrong, tree)
    failures, after = start_and_close(env, evidence, number, reference, notes + ["the next start:"])
    if "failed start" in failures:
        counts["next start fails"] += 1
        return
    counts["next close fails"] += len(failures)
    wrong = st.problems(after, reference)
    if wrong:
        counts["incomplete after the next close"] += 1
        evidence.keep(number, "the next close left no complete sound tree", notes + wrong, after)


def round_actions(env, evidence, reference, counts, actions):
    """One session of `actions` mixed user actions; returns the summary."""
    import random
    import soak_actions as sa

    rng = random.Random("%s/actions" % env.seed)
    env.plant(st.values_of(reference))
    program = Program(env, evidence.stderr_path(0))
    if program.wait_window() is None:
        counts["failed starts"] += 1
        evidence.keep(0, "no window within %d s" % START_LIMIT)
        program.kill()
        return "no session"
    time.sleep(2.0)  # the first walk's previews
    samples, done = sa.run(env, program, rng, actions, evidence, 0)
    counts["actions"] = len(done)
    with open(os.path.join(env.out, "actions.txt"), "w") as f:
        for i, (name, sample) in enumerate(zip(done + ["(end)"], samples)):
            f.write("%d %s %s\n" % (i, name, sample))
    if program.process.poll() is not None:
        counts["crashes"] += 1
        evidence.keep(0, "the program ended during the actions")
    else:
        failures, tree = close_running(env, evidence, program)
        counts["crashes"] += failures.count("crash")
        counts["hangs"] += failures.count("hang")
        wrong = st.problems(tree, reference)
        counts["unsound values at close"] += len(wrong)
        if wrong:
            evidence.keep(0, "unsound stored values after the actions", wrong, tree)
    return sa.summary(samples) if samples else "no samples"


def close_running(env, evidence, program):
    failures = []
    env.drive("close", "O aplikaci")
    program.close()
    if not program.wait_gone():
        failures.append("hang")
        program.kill()
        evidence.keep(0, "still running %d s after the close request" % EXIT_LIMIT)
    elif program.crashed():
        failures.append("crash")
        evidence.keep(0, "ended in error at the close (exit status %s)" % program.process.returncode)
    return failures, env.read_tree()


SUMMARY = {
    "corrupt": ["failed starts", "values not repaired", "crashes at close", "hangs at close",
                "plants not as intended"],
    "close": ["hangs", "crashes", "incomplete stored trees", "failed starts"],
    "kill": ["next start fails", "mixed trees", "damaged trees", "next close fails",
             "incomplete after the next close", "failed starts"],
    "actions": ["crashes", "hangs", "unsound values at close", "failed starts"],
}


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 300
    first = int(os.environ.get("GLYPHORA_SOAK_FIRST", "1"))
    kinds = os.environ.get("GLYPHORA_SOAK_KINDS", "corrupt,close,kill,actions").split(",")
    walk_ms = int(os.environ.get("GLYPHORA_SOAK_WALK_MS", "4000"))
    env = Env()
    print("soak: seed %s, %d rounds of %s (replay one: GLYPHORA_SOAK_SEED=%s GLYPHORA_SOAK_KINDS=<kind> "
          "GLYPHORA_SOAK_FIRST=<round> scripts/soak 1)" % (env.seed, rounds, ",".join(kinds), env.seed),
          flush=True)
    reference, start_s = reference_tree(env)
    lines = []
    for kind in kinds:
        if kind not in SUMMARY:
            sys.exit("soak: unknown kind %r (corrupt, close, kill, actions)" % kind)
        counts = {name: 0 for name in SUMMARY[kind]}
        evidence = Evidence(env, kind)
        began = time.monotonic()
        extra = ""
        if kind == "actions":
            extra = ", " + round_actions(env, evidence, reference, counts, rounds)
            evidence.tidy(0)
            done = "%d actions" % counts.pop("actions", 0)
        else:
            for number in range(first, first + rounds):
                if kind == "corrupt":
                    round_corrupt(env, evidence, number, reference, counts)
                elif kind == "close":
                    round_close(env, evidence, number, reference, counts, walk_ms)
                else:
                    round_kill(env, evidence, number, reference, counts, walk_ms, start_s)
                evidence.tidy(number)
            done = "%d rounds" % rounds
        took = time.monotonic() - began
        figures = ", ".join("%d %s" % (counts[name], name) for name in SUMMARY[kind])
        line = "soak %s: %s, %s%s (%.0f s)" % (kind, done, figures, extra, took)
        print(line, flush=True)
        lines.append(line)
        if evidence.kept:
            lines.append("  evidence kept in %s" % os.path.join(env.out, "rounds"))
    print("\n".join(["", "soak summary (seed %s):" % env.seed] + lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
