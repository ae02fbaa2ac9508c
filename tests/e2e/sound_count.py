#!/usr/bin/env python3
"""Counts what a recording of the sound server's output holds, phase by phase.

Usage: sound_count.py RECORDING RATE MARKS [SERVER_LOG]
       sound_count.py --quiet RECORDING RATE MS   exits 0 when the last MS ms are quiet
       sound_count.py --loud RECORDING RATE START exits 0 when something from byte START on is loud
RECORDING is raw signed 16-bit little-endian stereo at RATE. MARKS has one line per phase, its
fields separated by tabs, START and END its byte offsets into RECORDING, T0 and T1 its times (s,
the shell's clock):
    clicks NAME START END T0 T1 COUNT WAV [ASKS]
                                      COUNT separate bursts, each at least 30 ms long; with
                                      ASKS (the times in ms the game asked for each, comma-
                                      separated), a shorter one is one the next ask cut short;
                                      with SERVER_LOG, a click whose stream the next replaced
                                      before the click's length had passed may be short or lost
    whole  NAME START END T0 T1 WAV   one sound as long as WAV's own, within 20 ms
    paused NAME START END T0 T1 WAV GAP_MS
                                      one sound as long as WAV's own, broken by one silence of
                                      at least GAP_MS (which it does not count), less at most
                                      what the server held when the browser paused its stream
    cut    NAME START END T0 T1 WAV NEXT
                                      WAV cut short by NEXT: heard for less than WAV's own
                                      length less CUT_MS, and at least NEXT's length
    volume NAME START END T0 T1 WAV PERCENT
                                      a sound whose loudest sample is WAV's at PERCENT of the
                                      server's volume scale (cubic), within VOLUME_TOLERANCE
    silent NAME START END T0 T1       nothing loud at all
and a line "clock TIME" for each sound server the run started: the time its client named
CLOCK_CLIENT had been and gone. Prints a PASS or FAIL line per phase and exits with 1 when any
failed.

SERVER_LOG is PulseAudio's log of the run (--log-time, debug level): where a stream of the stack
(Wine's, the browser's) ran dry and then went on, the stack stalled. A stall may excuse one sound
of a clicks, whole or cut phase heard broken, short or stretched, within whose span it lies; a
phase fails when more than one sound in four needs that. The game's own sounds play from the
server's cache and have no stream that could run dry; the log's plays of a click are its asks
where the marks give none. A click's stream that the next one replaced before the click's length
had passed was cut rightly, so a click heard short or not at all there is no fault of the game.
"""

import array
import os
import sys
import wave

THRESHOLD = 300  # about -40 dBFS: far above the null sink's digital silence
WHOLE_CLICK_MS = 30
TOLERANCE_MS = 20
# Silence shorter than this inside one sound does not split it (a 2400 Hz click crosses zero
# every 0.2 ms); clicks typed 0.1 s apart leave about 50 ms between them.
CLICK_GAP_MS = 5
CUT_MS = 200
# A browser that pauses its audio drops what was buffered of it: the server's 100 ms, and the
# browser's own buffers, about as much again. A sound started afresh would be longer still.
PAUSE_DROPS_MS = 200
VOLUME_TOLERANCE = 0.35
# A stall this far outside a sound may still be its: the server tells it as it renders, and
# the recording keeps within a few milliseconds of the shell's clock.
STALL_MARGIN_S = 0.1
# A stream gone this soon after it ran dry had played to its end.
NATURAL_END_S = 0.2
# A stream followed this soon by the next was replaced by it.
REPLACED_S = 0.02
# The streams of the test's own tools, whose underruns touch no sound of the game, and the
# client the shell times to read the server's clock.
OWN_STREAMS = ("vantaro-recorder", "vantaro-keeper")
CLOCK_CLIENT = "vantaro-clock"
# Wine opens and frees this one as it first looks at the device; it plays nothing.
PROBE_STREAMS = ("format test stream",)


def peak(samples):
    return max(map(abs, samples), default=0)


def envelope(samples, channels, rate):
    """Per millisecond: is any sample louder than the threshold?"""
    step = channels * rate // 1000
    return [max(map(abs, samples[i:i + step])) > THRESHOLD
            for i in range(0, len(samples) - step + 1, step)]


def bursts(active, gap_ms):
    """(start_ms, length_ms) of loud stretches, joined across gaps shorter than gap_ms."""
    out = []
    start = last = None
    for ms, loud in enumerate(active):
        if not loud:
            continue
        if start is not None and ms - last > gap_ms:
            out.append((start, last - start + 1))
            start = None
        if start is None:
            start = ms
        last = ms
    if start is not None:
        out.append((start, last - start + 1))
    return out


def wav_samples(path):
    """(samples, channels, rate) of a 16-bit PCM WAV file."""
    with wave.open(path, "rb") as w:
        if w.getsampwidth() != 2:
            raise SystemExit(f"{path}: not 16-bit PCM")
        samples = array.array("h", w.readframes(w.getnframes()))
        if sys.byteorder != "little":
            samples.byteswap()
        return samples, w.getnchannels(), w.getframerate()


def wav_envelope(path):
    return envelope(*wav_samples(path))


def extent(active):
    """Milliseconds from the first loud millisecond to the last, 0 when all is quiet."""
    loud = [ms for ms, x in enumerate(active) if x]
    return loud[-1] - loud[0] + 1 if loud else 0


def raw_samples(data):
    """The samples of whole stereo frames of raw recorded bytes."""
    samples = array.array("h", data[:len(data) // 4 * 4])
    if sys.byteorder != "little":
        samples.byteswap()
    return samples


def quiet(recording, rate, ms):
    size = ms * rate // 1000 * 4
    with open(recording, "rb") as f:
        f.seek(0, 2)
        f.seek(max(0, f.tell() // 4 * 4 - size))
        samples = raw_samples(f.read(size))
    return 0 if len(samples) * 2 == size and not any(envelope(samples, 2, rate)) else 1


def loud(recording, rate, start):
    with open(recording, "rb") as f:
        f.seek(start // 4 * 4)
        samples = raw_samples(f.read())
    return 0 if any(envelope(samples, 2, rate)) else 1


def read_log(log, clocks):
    """From the server's log, on the shell's clock (s): the times at which it found a stream of
    the stack run dry while it still had sound to play (the stream went on afterwards; one gone
    or paused soon after had played its sound to the end, as Wine and Chromium end them), each
    sound it was asked to play, as (time, name), and the stack's streams' lives, as (created,
    freed)."""
    stalled_at, plays, ran_dry, born, lives = [], [], {}, {}, []
    server, last, offset = -1, None, 0.0

    def stalled(name):
        stalled_at.append(ran_dry.pop(name) + offset)

    for line in open(log, encoding="utf-8", errors="replace"):
        if not line.startswith("("):
            continue
        t = float(line[1:line.index("|")])
        # A new server starts its log at 0 (a server's threads may log a moment out of order).
        if last is None or t < last - 1:
            server += 1
        last = t
        # The server's clock is set by the client the shell timed as it left.
        if "Freed" in line and f'"{CLOCK_CLIENT}"' in line:
            offset = clocks[server] - t
        if "Created input" in line:
            plays.append((t + offset, line.split('"')[1]))
            if plays[-1][1] not in OWN_STREAMS + PROBE_STREAMS:
                born[line.split("Created input ")[1].split()[0]] = t + offset
        if "Freeing input" in line:
            created = born.pop(line.split("Freeing input ")[1].split()[0], None)
            if created is not None:
                lives.append((created, t + offset))
        # Freed, or paused (Wine's and Chromium's streams), soon after it ran dry: played out.
        ended = next((n for n in ran_dry if "Freeing input" in line and f' "{n}"' in line
                      or "due to corking" in line), None)
        if ended is not None:
            if t - ran_dry[ended] > NATURAL_END_S:
                stalled(ended)
            else:
                del ran_dry[ended]
        if "underrun of '" in line:
            name = line[line.index("underrun of '") + 13:].rstrip().rstrip("'")
            if name not in OWN_STREAMS:
                if name in ran_dry:
                    stalled(name)
                ran_dry[name] = t
    for name in list(ran_dry):
        stalled(name)
    return stalled_at, plays, sorted(lives)


def allowed(sounds):
    """How many of a phase's sounds a stack's stalls may excuse: one in four."""
    return (sounds + 3) // 4


def main():
    if len(sys.argv) == 5 and sys.argv[1] == "--quiet":
        return quiet(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))
    if len(sys.argv) == 5 and sys.argv[1] == "--loud":
        return loud(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))
    if len(sys.argv) not in (4, 5):
        raise SystemExit(__doc__)
    recording, rate, marks = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    data = open(recording, "rb").read()
    lines = [line.rstrip("\n").split("\t") for line in open(marks, encoding="utf-8")]
    clocks = [float(f[1]) for f in lines if f[0] == "clock"]
    stalled, plays, lives = read_log(sys.argv[4], clocks) if len(sys.argv) == 5 else ([], [], [])
    failures = excused_total = 0
    for kind, name, start, end, t0, t1, *rest in (f for f in lines if f[0] != "clock"):
        start, end = int(start) // 4 * 4, int(end) // 4 * 4
        samples = raw_samples(data[start:end])
        active = envelope(samples, 2, rate)
        # The stalls the server reported while the phase ran, in the phase's milliseconds: the
        # recording keeps within a few of the shell's clock. Each may excuse one broken sound
        # whose span it lies in.
        here = [(t - float(t0)) * 1000 for t in stalled
                if float(t0) - STALL_MARGIN_S <= t <= float(t1) + STALL_MARGIN_S]
        budget, unclaimed = len(here), list(here)

        def claim(a, b):
            """Takes a stall within a - b (ms, with the margin) for a broken sound."""
            t = next((t for t in unclaimed if a - STALL_MARGIN_S * 1000 <= t
                      <= b + STALL_MARGIN_S * 1000), None)
            if t is not None:
                unclaimed.remove(t)
            return t is not None

        def span():
            loud = [ms for ms, x in enumerate(active) if x]
            return loud[0], loud[-1]

        excused, unexcused, sounds = 0, 0, 1
        if kind == "clicks":
            count, wav = int(rest[0]), rest[1]
            length = extent(wav_envelope(wav))
            sounds = count
            found = []
            heard = bursts(active, CLICK_GAP_MS)
            # A click a stall broke in two is one click, excused.
            for b in heard:
                if (found and min(found[-1][1], b[1]) < WHOLE_CLICK_MS
                        and len(heard) - excused > count and claim(sum(found[-1]), b[0])):
                    a = found.pop()
                    found.append((a[0], b[0] + b[1] - a[0]))
                    excused += 1
                else:
                    found.append(b)
            short = [i for i, b in enumerate(found) if b[1] < WHOLE_CLICK_MS]
            lengths = " ".join(str(b[1]) for b in found) or "none"
            # The stack's streams the next one replaced before the click could have ended:
            # each may hold a click heard short, or not at all.
            replaced = [round((b - a) * 1000) for (a, b), (c, _) in zip(lives, lives[1:])
                        if float(t0) <= a <= float(t1) and b - a < length / 1000
                        and 0 <= c - b <= REPLACED_S]
            missing = count - len(found)
            ok = len(found) == count or 0 < missing <= len(replaced)
            detail = (f"{len(found) - len(short)} whole of {len(found)} clicks for {count} "
                      f"keystrokes (file {length} ms; heard ms: {lengths})")
            if replaced:
                detail += (f"; {len(replaced)} replaced by the next before they could end "
                           f"(lived ms: {' '.join(map(str, replaced))})")
            cut = []
            # The asks: the ones given, else the server's plays of the click in the phase.
            asks = [int(t) for t in rest[2].split(",")] if len(rest) > 2 and rest[2] else [
                round(t * 1000) for t, n in plays if n == os.path.basename(wav)[:-4]
                and float(t0) <= t <= float(t1)]
            if asks:
                ok = ok and len(asks) == count
                if ok and not missing:
                    # How much later than the promptest of them each click was heard after its
                    # ask. A click is cut rightly when the game asked for the next one before
                    # this one, started that late, could have ended.
                    lag = [b[0] - a for a, b in zip(asks, found)]
                    late = [x - min(lag) for x in lag]
                    cut = [i for i in short if i < count - 1
                           and asks[i + 1] - asks[i] < length + late[i]]
                    detail += (f"; {len(cut)} cut by the next ask; ms late: "
                               + " ".join(map(str, late)))
                gaps = " ".join(str(b - a) for a, b in zip(asks, asks[1:])) or "none"
                detail += f"; asked ms apart: {gaps}"
            if not ok and plays:
                # Which side lost a click: the server's count of what it was asked to play.
                opened = sum(float(t0) <= t <= float(t1) for t, n in plays
                             if n not in OWN_STREAMS + PROBE_STREAMS)
                detail += f"; the server was asked to play {opened}"
            spare = len(replaced) - max(missing, 0) - len(cut)
            for i in sorted(set(short) - set(cut)):
                if spare > 0:
                    spare -= 1
                elif claim(found[i][0], sum(found[i])):
                    excused += 1
                else:
                    unexcused += 1
            ok = ok and unexcused == 0
        elif kind == "whole":
            wav = rest[0]
            want = extent(wav_envelope(wav))
            got = extent(active)
            ok = want > 0 and abs(got - want) <= TOLERANCE_MS
            excused = not ok and got > 0 and claim(*span())
            ok = ok or excused
            detail = f"heard {got} ms of the file's {want} ms"
        elif kind == "paused":
            want, least = extent(wav_envelope(rest[0])), int(rest[1])
            heard = bursts(active, CLICK_GAP_MS)
            gap = max((b[0] - a[0] - a[1] for a, b in zip(heard, heard[1:])), default=0)
            got = extent(active) - gap
            ok = want > 0 and -PAUSE_DROPS_MS <= got - want <= TOLERANCE_MS and gap >= least
            detail = f"heard {got} ms of the file's {want} ms, with a silence of {gap} ms in it"
        elif kind == "cut":
            whole, nxt = extent(wav_envelope(rest[0])), extent(wav_envelope(rest[1]))
            got = extent(active)
            ok = nxt <= got < whole - CUT_MS
            # A meal heard whole was not cut, stall or none.
            sounds, excused = 2, not ok and 0 < got < whole - TOLERANCE_MS and claim(*span())
            ok = ok or excused
            detail = (f"heard {got} ms, from {nxt} ms up to less than {whole - CUT_MS} ms "
                      f"of the cut file's {whole} ms")
        elif kind == "volume":
            want = (int(rest[1]) / 100) ** 3
            got = peak(samples) / peak(wav_samples(rest[0])[0])
            ok = abs(got / want - 1) <= VOLUME_TOLERANCE
            detail = f"loudest sample at {got:.3f} of the file's, {want:.3f} expected"
        elif kind == "silent":
            got = extent(active)
            ok = got == 0
            detail = f"heard {got} ms"
        else:
            raise SystemExit(f"{marks}: unknown phase kind {kind}")
        if excused:
            detail += (f"; {int(excused)} of {sounds} broken within a stall the server reported "
                       f"({budget} in the phase), {allowed(sounds)} may be excused")
            ok = ok and excused <= allowed(sounds)
            excused_total += excused if ok else 0
        print(f"{'PASS' if ok else 'FAIL'}: {name}: {detail}")
        failures += not ok
    if len(sys.argv) == 5:
        print(f"the server reported {len(stalled)} stalls of the stack's streams; "
              f"they excused {excused_total} sounds")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
