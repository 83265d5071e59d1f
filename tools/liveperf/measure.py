#!/usr/bin/env python3
"""Runs the live game on the X display named in DISPLAY and prints its running costs.

Started by tools/live-perf.sh, which builds the game, starts Xvfb and openbox, and cleans up.
Python does the measuring because the figures need the monotonic clock the game's tick log uses.
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

TICK_MS = 125
TICKS_PER_SECOND = 1000 // TICK_MS
START_SEQUENCE_S = 7.0  # from pressing Z until the piece falls
CPU_TARGET_PERCENT = 2.0
HWM_TARGET_MIB = 64
FIRST_FRAME_TARGET_MS = 300

# The render set-ups compared: the game's own choice, and OpenGL forced, which is what SDL
# would pick by itself (drawn by the CPU where there is no GPU, as under Xvfb).
CONFIGS = [
    ("default", {}),
    ("opengl", {"SDL_RENDER_DRIVER": "opengl", "SDL_FRAMEBUFFER_ACCELERATION": "1"}),
]


def now_us():
    return time.monotonic_ns() // 1000


def cpu_ticks(pid):
    """utime + stime of the whole process (all its threads), in clock ticks."""
    with open(f"/proc/{pid}/stat") as f:
        text = f.read()
    fields = text[text.rindex(")") + 2:].split()
    return int(fields[11]) + int(fields[12])


def status_field(pid, name):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(name + ":"):
                return line.split(":", 1)[1].strip()
    return None


class Failure(Exception):
    pass


def xdotool(*args, check=True):
    done = subprocess.run(["xdotool", *args], stdin=subprocess.DEVNULL, capture_output=True,
                          text=True, timeout=20)
    if check and done.returncode != 0:
        raise Failure(f"xdotool {' '.join(args)} failed: {done.stderr.strip()}")
    return done.stdout.strip()


class Game:
    """One run of the game in a fresh directory, launched and watched from outside."""

    def __init__(self, opts, tag, env_extra):
        self.opts = opts
        self.dir = os.path.join(opts.work, tag)
        os.makedirs(self.dir)
        # A missing best-score file would put an error box in front of the first frame.
        with open(os.path.join(self.dir, "score.atb"), "w") as f:
            f.write("0\n")
        self.log_path = os.path.join(self.dir, "ticks.log")
        self.out_path = os.path.join(self.dir, "output.txt")
        env = dict(os.environ, SDL_AUDIODRIVER=opts.audio, **env_extra)
        out = open(self.out_path, "w")
        self.t0 = now_us()
        self.proc = subprocess.Popen([opts.binary, "--window", "--tick-log", self.log_path],
                                     cwd=self.dir, env=env, stdin=subprocess.DEVNULL,
                                     stdout=out, stderr=subprocess.STDOUT)
        out.close()
        self.pid = self.proc.pid
        # The shell's trap kills whatever this names if the measuring is cut short.
        with open(os.path.join(opts.work, "game.pid"), "w") as f:
            f.write(f"{self.pid}\n")
        self.window = None
        self.renderer = "not reported"

    def log(self):
        """(start T, [(tick N, T), ...]) as far as written; notes the renderer it names."""
        start, ticks = None, []
        try:
            with open(self.log_path) as f:
                for line in f:
                    if not line.endswith("\n"):
                        break
                    words = line.split()
                    if words[0] == "start":
                        start = int(words[1])
                    elif words[0] == "tick":
                        ticks.append((int(words[1]), int(words[2])))
                    elif words[0] == "renderer":
                        self.renderer = line[len("renderer "):].strip()
        except FileNotFoundError:
            pass
        return start, ticks

    def alive(self):
        return self.proc.poll() is None

    def wait_tick(self, n, timeout_s):
        deadline = time.monotonic() + timeout_s
        while time.monotonic() < deadline:
            start, ticks = self.log()
            if ticks and ticks[-1][0] >= n:
                return start, ticks
            if not self.alive():
                raise Failure(f"the game exited ({self.proc.returncode}) before tick {n}: "
                              + self.output())
            time.sleep(0.005)
        raise Failure(f"no tick {n} within {timeout_s} s: " + self.output())

    def find_window(self):
        if self.window is None:
            ids = xdotool("search", "--all", "--onlyvisible", "--pid", str(self.pid),
                          "--classname", "^quarnel$").split()
            if not ids:
                raise Failure("the game's window was not found")
            self.window = ids[0]
        return self.window

    def caption(self):
        return xdotool("getwindowname", self.find_window(), check=False)

    def press_start(self):
        win = self.find_window()
        # Keys are read once a tick, so Z is held for a few ticks.
        xdotool("windowactivate", "--sync", win)
        xdotool("keydown", "z")
        time.sleep(0.3)
        xdotool("keyup", "z")

    def close(self):
        """Closes through the window manager; seconds until the process had gone."""
        win = self.find_window()
        xdotool("windowactivate", "--sync", win, check=False)
        asked = time.monotonic()
        xdotool("key", "alt+F4")
        try:
            self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
            self.forget()
            return None
        self.forget()
        return time.monotonic() - asked

    def forget(self):
        try:
            os.remove(os.path.join(self.opts.work, "game.pid"))
        except FileNotFoundError:
            pass

    def output(self):
        try:
            with open(self.out_path) as f:
                return f.read().strip()
        except FileNotFoundError:
            return ""

    def libraries(self):
        names = set()
        try:
            with open(f"/proc/{self.pid}/maps") as f:
                for line in f:
                    words = line.split()
                    if len(words) >= 6 and words[5].startswith("/"):
                        names.add(os.path.basename(words[5]))
        except FileNotFoundError:
            pass
        return names

    def threads(self):
        """[(name, cpu ticks)] of the live threads, busiest first."""
        rows = []
        for tid in os.listdir(f"/proc/{self.pid}/task"):
            try:
                with open(f"/proc/{self.pid}/task/{tid}/comm") as f:
                    name = f.read().strip()
                with open(f"/proc/{self.pid}/task/{tid}/stat") as f:
                    text = f.read()
            except FileNotFoundError:
                continue
            fields = text[text.rindex(")") + 2:].split()
            rows.append((name, int(fields[11]) + int(fields[12])))
        return sorted(rows, key=lambda r: -r[1])


def machine_busy():
    """Clock ticks all cores have spent busy since boot."""
    with open("/proc/stat") as f:
        fields = [int(x) for x in f.readline().split()[1:9]]
    return sum(fields) - fields[3] - fields[4]  # less idle and iowait


def watch(game, opts, seconds):
    """Samples CPU once a second for `seconds`: [(T, game, Xvfb, whole machine)]."""
    def sample():
        if not game.alive():
            raise Failure("the game exited while being measured: " + game.output())
        return (now_us(), cpu_ticks(game.pid), cpu_ticks(opts.xvfb_pid), machine_busy())

    samples = [sample()]
    end = samples[0][0] + int(seconds * 1e6)
    step = 1
    while samples[-1][0] < end:
        target = min(samples[0][0] + step * 1_000_000, end)
        time.sleep(max(0.0, (target - now_us()) / 1e6))
        samples.append(sample())
        step += 1
    return samples


def window_figures(samples, ticks, clk_tck):
    t0, t1 = samples[0][0], samples[-1][0]
    wall = (t1 - t0) / 1e6
    share = lambda i: 100.0 * (samples[-1][i] - samples[0][i]) / clk_tck / wall
    peak = max(100.0 * (b[1] - a[1]) / clk_tck / ((b[0] - a[0]) / 1e6)
               for a, b in zip(samples, samples[1:]))
    inside = [(n, t) for n, t in ticks if t0 <= t < t1]
    if len(inside) < 2:
        raise Failure(f"only {len(inside)} ticks in a {wall:.0f} s window: did the window "
                      "keep the focus?")
    intervals = [(b[1] - a[1]) / 1000.0 for a, b in zip(inside, inside[1:])]
    # How late each frame came against a 125 ms grid, counted from the earliest one: a grid
    # that holds keeps these bounded, drift makes them walk away.
    lateness = []
    if inside:
        t_first = inside[0][1]
        raw = [((t - t_first) / 1000.0 + TICK_MS / 2) % TICK_MS - TICK_MS / 2 for _, t in inside]
        lateness = [r - min(raw) for r in raw]
    ends = min(10, len(lateness))
    drift = (statistics.median(lateness[-ends:]) - statistics.median(lateness[:ends])
             if ends else 0.0)
    odd = sorted(((abs(i - TICK_MS), i, (inside[k + 1][1] - t0) / 1e6)
                  for k, i in enumerate(intervals) if abs(i - TICK_MS) > 10), reverse=True)
    return {
        "wall": wall,
        "cpu": share(1),
        "cpu_peak": peak,
        "xvfb": share(2),
        "others": share(3) - share(1) - share(2),
        "ticks": len(inside),
        "intervals": intervals,
        "lateness": lateness,
        "drift": drift,
        "odd": [(i, at) for _, i, at in odd],
        "late": sum(1 for i in intervals if i > TICK_MS * 1.5),
        "skipped": sum(max(0, round(i / TICK_MS) - 1) for i in intervals),
    }


def uses_gl(libs):
    return any(n.startswith(("libGLX_", "libEGL_")) or "_dri" in n for n in libs)


def gl_evidence(libs):
    gl = sorted(n for n in libs if n.startswith(("libGL", "libEGL", "swrast", "libLLVM")) or
                "_dri" in n)
    return ", ".join(gl) if gl else "no GL libraries"


def measure(opts, label, env_extra):
    """First-frame times over several starts, then the title and play windows of one run."""
    print(f"[{label}] {opts.starts} starts ...", file=sys.stderr, flush=True)
    starts = []
    for i in range(opts.starts):
        game = Game(opts, f"{label}-start{i + 1}", env_extra)
        start, ticks = game.wait_tick(1, 20)
        first = ticks[0][1]
        libs = game.libraries()
        closed = game.close()
        starts.append({"first": (first - game.t0) / 1000.0,
                       "to_main": (start - game.t0) / 1000.0 if start else None,
                       "main_to_first": (first - start) / 1000.0 if start else None,
                       "exit": closed, "libs": libs, "output": game.output()})

    print(f"[{label}] title {opts.seconds:g} s, start, play {opts.seconds:g} s ...",
          file=sys.stderr, flush=True)
    game = Game(opts, f"{label}-run", env_extra)
    game.wait_tick(1, 20)
    caption_title = game.caption()
    title = watch(game, opts, opts.seconds)
    pressed = time.monotonic()
    game.press_start()
    time.sleep(max(0.0, pressed + START_SEQUENCE_S - time.monotonic()))
    caption_play_from = game.caption()
    play = watch(game, opts, opts.seconds)
    caption_play_to = game.caption()
    hwm_kib = int(status_field(game.pid, "VmHWM").split()[0])
    threads = game.threads()
    libs = game.libraries()
    closed = game.close()
    _, ticks = game.log()
    return {
        "label": label,
        "renderer": game.renderer,
        "starts": starts,
        "title": window_figures(title, ticks, opts.clk_tck),
        "play": window_figures(play, ticks, opts.clk_tck),
        "hwm_mib": hwm_kib / 1024.0,
        "threads": threads,
        "libs": libs,
        "exit": closed,
        "captions": (caption_title, caption_play_from, caption_play_to),
        "output": game.output(),
    }


def verdict(ok):
    return "ok" if ok else "MISSED"


def spread(values):
    if len(values) < 2:
        return "n/a"
    return (f"{min(values):.1f} / {statistics.median(values):.1f} / {max(values):.1f} ms, "
            f"sd {statistics.pstdev(values):.2f} ms")


def report(opts, results):
    main = results[0]
    ff = [s["first"] for s in main["starts"]]
    ff_med, ff_worst = statistics.median(ff), max(ff)
    want = int(round(opts.seconds * TICKS_PER_SECOND))
    s = f"{opts.seconds:g} s"

    rows = [("figure", "measured", "target", "")]
    for name in ("title", "play"):
        w = main[name]
        rows.append((f"CPU, {name} ({s}), share of one core", f"{w['cpu']:.2f} %",
                     f"< {CPU_TARGET_PERCENT:g} %", verdict(w["cpu"] < CPU_TARGET_PERCENT)))
    for name in ("title", "play"):
        w = main[name]
        rows.append((f"CPU, {name}, busiest 1 s", f"{w['cpu_peak']:.1f} %", "", ""))
    rows.append(("peak resident memory (VmHWM)", f"{main['hwm_mib']:.1f} MiB",
                 f"< {HWM_TARGET_MIB} MiB", verdict(main["hwm_mib"] < HWM_TARGET_MIB)))
    rows.append((f"first frame, median / worst of {len(ff)}", f"{ff_med:.0f} / {ff_worst:.0f} ms",
                 f"< {FIRST_FRAME_TARGET_MS} ms", verdict(ff_worst < FIRST_FRAME_TARGET_MS)))
    for name in ("title", "play"):
        w = main[name]
        rows.append((f"ticks in the {name} window", f"{w['ticks']}", f"{want} ± 1",
                     verdict(abs(w["ticks"] - want) <= 1)))
    for name in ("title", "play"):
        w = main[name]
        rows.append((f"tick interval, {name}: min / median / max", spread(w["intervals"]),
                     f"{TICK_MS} ms", ""))
    for name in ("title", "play"):
        w = main[name]
        late = w["lateness"]
        rows.append((f"frame lateness vs the {TICK_MS} ms grid, {name}: median / max, drift",
                     f"{statistics.median(late):.1f} / {max(late):.1f} ms, "
                     f"drift {w['drift']:+.1f} ms", "bounded, no drift", ""))
    rows.append(("late ticks (> 1.5 intervals), title / play",
                 f"{main['title']['late']} / {main['play']['late']}", "0",
                 verdict(main["title"]["late"] + main["play"]["late"] == 0)))
    rows.append(("Xvfb CPU, title / play (not the game's budget)",
                 f"{main['title']['xvfb']:.2f} % / {main['play']['xvfb']:.2f} %", "", ""))
    rows.append(("rest of the machine, title / play (background load)",
                 f"{main['title']['others']:.1f} % / {main['play']['others']:.1f} %", "", ""))
    rows.append(("render driver", main["renderer"], "", ""))
    print(f"Live game under Xvfb, default renderer ({opts.binary})")
    print(f"Xvfb with only openbox connected used {opts.xvfb_idle:.2f} % of a core; "
          f"CPU shares are of one core, the machine has {os.cpu_count()}.")
    print()
    print_table(rows)

    print()
    print("Renderers compared")
    print()
    rows = [("set-up", "SDL renderer", "GL in process", "CPU title", "CPU play",
             "busiest 1 s", "first frame med / worst", "VmHWM", "Xvfb CPU title / play",
             "threads", "background load")]
    for r in results:
        ff = [st["first"] for st in r["starts"]]
        rows.append((r["label"], r["renderer"], "yes" if uses_gl(r["libs"]) else "no",
                     f"{r['title']['cpu']:.2f} %", f"{r['play']['cpu']:.2f} %",
                     f"{max(r['title']['cpu_peak'], r['play']['cpu_peak']):.1f} %",
                     f"{statistics.median(ff):.0f} / {max(ff):.0f} ms",
                     f"{r['hwm_mib']:.1f} MiB",
                     f"{r['title']['xvfb']:.2f} % / {r['play']['xvfb']:.2f} %",
                     str(len(r["threads"])),
                     f"{r['title']['others']:.1f} % / {r['play']['others']:.1f} %"))
    print_table(rows)
    print()
    for label, env_extra in CONFIGS:
        if label in {r["label"] for r in results}:
            env = " ".join(f"{k}={v}" for k, v in env_extra.items()) or "no variables"
            print(f"- {label}: {env}")
    print("GL in process: the game had GL libraries mapped; the SDL renderer column names the GL "
          "driver (llvmpipe draws on the CPU, in threads of its own).")

    print()
    print("Details")
    for r in results:
        st = r["starts"]
        print(f"- {r['label']}: first frames "
              + ", ".join(f"{x['first']:.0f}" for x in st) + " ms; launch to main() "
              + ", ".join(f"{x['to_main']:.0f}" for x in st if x["to_main"] is not None)
              + " ms; main() to first frame "
              + ", ".join(f"{x['main_to_first']:.0f}" for x in st if x["main_to_first"] is not None)
              + " ms")
        exits = [x["exit"] for x in st] + [r["exit"]]
        print(f"  close (Alt+F4) to exit: "
              + ", ".join("killed after 10 s" if e is None else f"{e:.2f}" for e in exits) + " s")
        total = sum(t for _, t in r["threads"]) or 1
        print("  CPU by thread over the run: "
              + ", ".join(f"{n} {100.0 * t / total:.0f} %" for n, t in r["threads"] if t))
        print(f"  libraries: {gl_evidence(r['libs'])}")
        for name in ("title", "play"):
            w = r[name]
            print(f"  {name}: {w['ticks']} ticks in {w['wall']:.2f} s, intervals "
                  f"{spread(w['intervals'])}, {w['late']} late, {w['skipped']} deadlines "
                  f"skipped; rest of the machine busy {w['others']:.1f} % of a core")
            if w["odd"]:
                print(f"    {len(w['odd'])} intervals off by > 10 ms, the worst: " + ", ".join(
                    f"{i:.1f} ms at {at:.1f} s" for i, at in w["odd"][:4]))
        cap = r["captions"]
        print(f"  caption: title '{cap[0]}'; play from '{cap[1]}' to '{cap[2]}'")
        said = sorted(({x["output"] for x in st} | {r["output"]}) - {""})
        for text in said:
            print("  game said: " + text.replace("\n", " | "))


def print_table(rows):
    widths = [max(len(r[i]) for r in rows) for i in range(len(rows[0]))]
    line = lambda r: "| " + " | ".join(c.ljust(w) for c, w in zip(r, widths)) + " |"
    print(line(rows[0]))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for r in rows[1:]:
        print(line(r))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary")
    parser.add_argument("--work")
    parser.add_argument("--xvfb-pid", type=int)
    parser.add_argument("--clk-tck", type=int)
    parser.add_argument("--seconds", type=float, default=30.0)
    parser.add_argument("--starts", type=int, default=5)
    parser.add_argument("--audio", default="dummy")
    opts = parser.parse_args()

    try:
        # Xvfb's own cost with only the window manager connected, to set its figures against.
        before = (now_us(), cpu_ticks(opts.xvfb_pid))
        time.sleep(3)
        after = (now_us(), cpu_ticks(opts.xvfb_pid))
        opts.xvfb_idle = (100.0 * (after[1] - before[1]) / opts.clk_tck /
                          ((after[0] - before[0]) / 1e6))

        results = [measure(opts, label, env_extra) for label, env_extra in CONFIGS]
    except Failure as e:
        print(f"live-perf: {e}", file=sys.stderr)
        return 1
    except KeyboardInterrupt:
        return 130
    report(opts, results)
    return 0


if __name__ == "__main__":
    sys.exit(main())
