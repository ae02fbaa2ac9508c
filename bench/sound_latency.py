#!/usr/bin/env python3
"""Key to sound: how long after a key press the game's click is heard, beside the floor.

Usage: sound_latency.py GAME CLICK_WAV SINK RATE KEYS FIRSTS

Runs against the sound server, X display and null sink the caller set up (PULSE_* and DISPLAY in
the environment). Records the sink's monitor with parec, reading it in 10 ms chunks and stamping
each with the monotonic clock; the earliest-arriving chunks fix the recording's offset against
that clock (the lowest arrival time less the audio before it). Every trigger is stamped just
before it is sent, so a trigger and the first loud sample after it are on one clock.

- the floor: the server's sample cache playing the same file, asked on a connection already open
  (what `pactl play-sample` asks, without starting pactl each time);
- the game: a key press sent through XTEST to the game's name field (a letter, then BackSpace,
  each a click), the sound module loaded;
- the first sound: the first key of a freshly started game, FIRSTS games.

Floor and game take turns, KEYS of each, so the machine's ups and downs hit both alike. Prints
the figures and one line per goal.
"""

import ctypes
import os
import statistics
import subprocess
import sys
import threading
import time

THRESHOLD = 300  # as the sound test: far above the null sink's silence
CHUNK_MS = 10
GAP_S = 0.4  # a click lasts 0.26 s: each trigger starts in silence
START_TITLE = "Введите своё имя"
FIELD = (260, 17)
SAMPLE = "vantaro-bench-floor"


def now():
    return time.monotonic_ns() / 1e9


class Recorder:
    """parec on the sink's monitor, each 10 ms chunk stamped on arrival."""

    def __init__(self, sink, rate):
        self.rate = rate
        self.chunk = rate * 4 * CHUNK_MS // 1000
        self.data = bytearray()
        self.offset = float("inf")  # monotonic time of the recording's first sample, at most
        self.proc = subprocess.Popen(
            ["parec", "--raw", f"--latency-msec={CHUNK_MS}", "-d", f"{sink}.monitor",
             "--format=s16le", f"--rate={rate}", "--channels=2"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def _read(self):
        fd = self.proc.stdout.fileno()
        while True:
            block = os.read(fd, self.chunk)
            stamp = now()
            if not block:
                return
            self.data += block
            frames = len(self.data) // 4
            self.offset = min(self.offset, stamp - frames / self.rate)

    def stop(self):
        self.proc.terminate()
        self.proc.wait()
        self.thread.join()

    def onset_after(self, t, within=1.0):
        """Seconds from t to the first loud sample after it, or None."""
        first = max(0, int((t - self.offset) * self.rate))
        last = min(len(self.data) // 4, first + int(within * self.rate))
        samples = memoryview(self.data).cast("h")
        for i in range(first * 2, last * 2):
            if abs(samples[i]) > THRESHOLD:
                return self.offset + i // 2 / self.rate - t
        return None


class Keyboard:
    """Key presses through XTEST, sent the moment they are stamped."""

    def __init__(self):
        self.x = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XStringToKeysym.restype = ctypes.c_ulong
        self.x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                ctypes.c_ulong]
        self.dpy = self.x.XOpenDisplay(None)
        if not self.dpy:
            raise SystemExit("sound_latency.py: cannot open the X display")

    def press(self, name):
        """Stamps and presses the key; returns the stamp."""
        code = self.x.XKeysymToKeycode(self.dpy, self.x.XStringToKeysym(name.encode()))
        t = now()
        self.xtst.XTestFakeKeyEvent(self.dpy, code, 1, 0)
        self.x.XFlush(self.dpy)
        self.xtst.XTestFakeKeyEvent(self.dpy, code, 0, 0)
        self.x.XFlush(self.dpy)
        return t


class CachePlayer:
    """The floor: play requests for a cached sample on an open connection to the server."""

    READY, FAILED, TERMINATED = 4, 5, 6
    OP_RUNNING = 0

    def __init__(self):
        pa = self.pa = ctypes.CDLL("libpulse.so.0")
        pa.pa_mainloop_new.restype = ctypes.c_void_p
        pa.pa_mainloop_get_api.restype = ctypes.c_void_p
        pa.pa_mainloop_get_api.argtypes = [ctypes.c_void_p]
        pa.pa_mainloop_iterate.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_void_p]
        pa.pa_context_new.restype = ctypes.c_void_p
        pa.pa_context_new.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
        pa.pa_context_connect.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int,
                                          ctypes.c_void_p]
        pa.pa_context_get_state.argtypes = [ctypes.c_void_p]
        pa.pa_context_play_sample.restype = ctypes.c_void_p
        pa.pa_context_play_sample.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_char_p,
                                              ctypes.c_uint32, ctypes.c_void_p, ctypes.c_void_p]
        pa.pa_operation_get_state.argtypes = [ctypes.c_void_p]
        pa.pa_operation_unref.argtypes = [ctypes.c_void_p]
        self.loop = pa.pa_mainloop_new()
        self.ctx = pa.pa_context_new(pa.pa_mainloop_get_api(self.loop), b"vantaro-bench")
        pa.pa_context_connect(self.ctx, None, 0, None)
        deadline = now() + 10
        while pa.pa_context_get_state(self.ctx) not in (self.READY, self.FAILED, self.TERMINATED):
            pa.pa_mainloop_iterate(self.loop, 1, None)
            if now() > deadline:
                break
        if pa.pa_context_get_state(self.ctx) != self.READY:
            raise SystemExit("sound_latency.py: no connection to the sound server")

    def play(self, name):
        t = now()
        op = self.pa.pa_context_play_sample(self.ctx, name.encode(), None, 0x10000, None, None)
        self.pa.pa_mainloop_iterate(self.loop, 0, None)  # sends the request
        while op and self.pa.pa_operation_get_state(op) == self.OP_RUNNING:
            self.pa.pa_mainloop_iterate(self.loop, 1, None)
        if op:
            self.pa.pa_operation_unref(op)
        return t


def wait_for(what, check, timeout=30):
    deadline = now() + timeout
    while now() < deadline:
        got = check()
        if got:
            return got
        time.sleep(0.05)
    raise SystemExit(f"sound_latency.py: gave up waiting for {what}")


class Game:
    """The game on its start screen with the caret in the name field."""

    def __init__(self, path, cwd):
        self.proc = subprocess.Popen([path], cwd=cwd, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)

        def window():
            out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", START_TITLE],
                                 capture_output=True, text=True).stdout.split()
            return out[0] if out else None

        win = wait_for("the start screen", window)
        subprocess.run(["xdotool", "windowfocus", win, "mousemove", "--window", win,
                        str(FIELD[0]), str(FIELD[1]), "click", "1"], check=True)
        time.sleep(0.5)

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


def summary(values):
    ms = sorted(v * 1000 for v in values)
    q = statistics.quantiles(ms, n=4) if len(ms) > 1 else ms * 3
    return (f"median {statistics.median(ms):.1f} ms (quartiles {q[0]:.1f}-{q[2]:.1f}, "
            f"range {ms[0]:.1f}-{ms[-1]:.1f}, n={len(ms)})")


def goal(what, against, figure, target, met):
    print(f"{what}, against {against}: {figure} -- goal {target}: {'met' if met else 'NOT met'}")


def main():
    if len(sys.argv) != 7:
        raise SystemExit(__doc__)
    game_path, click, sink, rate, keys, firsts = sys.argv[1:]
    rate, keys, firsts = int(rate), int(keys), int(firsts)
    cwd = os.environ.get("TMPDIR", "/tmp")
    subprocess.run(["pactl", "upload-sample", click, SAMPLE], check=True)
    recorder = Recorder(sink, rate)
    wait_for("the recorder", lambda: len(recorder.data) > 0)
    time.sleep(1)  # enough chunks to fix the offset
    keyboard = Keyboard()
    floor = CachePlayer()
    lost = 0

    def measure(trigger):
        nonlocal lost
        t = trigger()
        time.sleep(GAP_S)
        latency = recorder.onset_after(t)
        lost += latency is None
        return latency

    first = []
    for _ in range(firsts):
        game = Game(game_path, cwd)
        first.append(measure(lambda: keyboard.press("a")))
        time.sleep(0.5)
        game.stop()
    game = Game(game_path, cwd)
    measure(lambda: keyboard.press("a"))  # loads the module; the counted keys follow
    floor_s, game_s = [], []
    for i in range(keys):
        floor_s.append(measure(lambda: floor.play(SAMPLE)))
        game_s.append(measure(lambda: keyboard.press("BackSpace" if i % 2 == 0 else "a")))
    game.stop()
    recorder.stop()
    subprocess.run(["pactl", "remove-sample", SAMPLE], check=False)

    if lost:
        print(f"{lost} trigger(s) without a sound heard within a second")
    first = [v for v in first if v is not None]
    floor_s = [v for v in floor_s if v is not None]
    game_s = [v for v in game_s if v is not None]
    if not (first and floor_s and game_s):
        raise SystemExit("sound_latency.py: no sound heard")
    print(f"floor, the server's cache asked directly: {summary(floor_s)}")
    print(f"the game, key to sound: {summary(game_s)}")
    print(f"the game's first sound, key to sound: {summary(first)} "
          f"({' '.join(f'{v * 1000:.1f}' for v in first)} ms)")
    floor_ms = statistics.median(floor_s) * 1000
    over = statistics.median(game_s) * 1000 - floor_ms
    goal("key to sound (median)", "the floor", f"{over:+.1f} ms", "<= +8 ms", over <= 8)
    over_first = statistics.median(first) * 1000 - floor_ms
    goal("the first sound, key to sound (median of games)", "the floor", f"{over_first:+.1f} ms",
         "<= +12 ms", over_first <= 12)
    goal("sounds heard", "triggers sent", f"{lost} lost", "none lost", lost == 0)


if __name__ == "__main__":
    main()
