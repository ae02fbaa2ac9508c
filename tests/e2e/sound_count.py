#!/usr/bin/env python3
"""Counts what a recording of the sound server's output holds, phase by phase.

Usage: sound_count.py RECORDING RATE MARKS
       sound_count.py --quiet RECORDING RATE MS   exits 0 when the last MS ms are quiet
       sound_count.py --loud RECORDING RATE START exits 0 when something from byte START on is loud
RECORDING is raw signed 16-bit little-endian stereo at RATE. MARKS has one line per phase, its
fields separated by tabs:
    clicks NAME START END COUNT WAV [ASKS]
                                      COUNT separate bursts, each at least 30 ms long; with
                                      ASKS (the times in ms the game asked for each, comma-
                                      separated), a shorter one is one the next ask cut short
    whole  NAME START END WAV         one sound as long as WAV's own, within 20 ms
    cut    NAME START END WAV NEXT    WAV cut short by NEXT: heard for less than WAV's own
                                      length less CUT_MS, and at least NEXT's length
    volume NAME START END WAV PERCENT a sound whose loudest sample is WAV's at PERCENT of the
                                      server's volume scale (cubic), within VOLUME_TOLERANCE
    silent NAME START END             nothing loud at all
START and END are byte offsets into RECORDING. Prints a PASS or FAIL line per phase and exits
with 1 when any phase failed.
"""

import array
import sys
import wave

THRESHOLD = 300  # about -40 dBFS: far above the null sink's digital silence
WHOLE_CLICK_MS = 30
TOLERANCE_MS = 20
# Silence shorter than this inside one sound does not split it (a 2400 Hz click crosses zero
# every 0.2 ms); clicks typed 0.1 s apart leave about 50 ms between them.
CLICK_GAP_MS = 5
CUT_MS = 200
VOLUME_TOLERANCE = 0.35


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


def main():
    if len(sys.argv) == 5 and sys.argv[1] == "--quiet":
        return quiet(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))
    if len(sys.argv) == 5 and sys.argv[1] == "--loud":
        return loud(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    recording, rate, marks = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    data = open(recording, "rb").read()
    failures = 0
    for line in open(marks, encoding="utf-8"):
        kind, name, start, end, *rest = line.rstrip("\n").split("\t")
        start, end = int(start) // 4 * 4, int(end) // 4 * 4
        samples = raw_samples(data[start:end])
        active = envelope(samples, 2, rate)
        if kind == "clicks":
            count, wav = int(rest[0]), rest[1]
            length = extent(wav_envelope(wav))
            found = bursts(active, CLICK_GAP_MS)
            whole = [b for b in found if b[1] >= WHOLE_CLICK_MS]
            lengths = " ".join(str(b[1]) for b in found) or "none"
            ok = len(found) == count and len(whole) == count
            detail = (f"{len(whole)} whole of {len(found)} clicks for {count} keystrokes "
                      f"(file {length} ms; heard ms: {lengths})")
            if len(rest) > 2 and rest[2]:
                asks = [int(t) for t in rest[2].split(",")]
                ok = len(found) == count == len(asks)
                if ok:
                    # How much later than the promptest of them each click was heard after its
                    # ask. A click is cut rightly when the game asked for the next one before
                    # this one, started that late, could have ended.
                    lag = [b[0] - a for a, b in zip(asks, found)]
                    late = [x - min(lag) for x in lag]
                    cut = [i for i, b in enumerate(found[:-1]) if b[1] < WHOLE_CLICK_MS
                           and asks[i + 1] - asks[i] < length + late[i]]
                    ok = len(whole) + len(cut) == count
                    detail += (f"; {len(cut)} cut by the next ask; ms late: "
                               + " ".join(map(str, late)))
                gaps = " ".join(str(b - a) for a, b in zip(asks, asks[1:])) or "none"
                detail += f"; asked ms apart: {gaps}"
        elif kind == "whole":
            wav = rest[0]
            want = extent(wav_envelope(wav))
            got = extent(active)
            ok = want > 0 and abs(got - want) <= TOLERANCE_MS
            detail = f"heard {got} ms of the file's {want} ms"
        elif kind == "cut":
            whole, nxt = extent(wav_envelope(rest[0])), extent(wav_envelope(rest[1]))
            got = extent(active)
            ok = nxt <= got < whole - CUT_MS
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
        print(f"{'PASS' if ok else 'FAIL'}: {name}: {detail}")
        failures += not ok
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
