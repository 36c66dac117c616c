#!/usr/bin/env python3
"""PLAY through ALSA: tunes and wave files go to the default device, which each case points at
ALSA's `file` plugin in a private ~/.asoundrc; every note's frequency and length are measured
from the captured samples.

usage: tests/linux/sound_test.py   (VTX32_EXE overrides the program)
"""

import struct
import time
import wave
from pathlib import Path

from fixture import Tally, base_env, lines, run_script, scratch

RATE = 48000
TICK_MS = 1000 / 18.2

t = Tally()


def capture_home(folder: Path) -> Path:
    (folder / ".asoundrc").write_text(
        'pcm.!default {\n type file\n slave.pcm "null"\n'
        f' file "{folder}/out.wav"\n format "wav"\n}}\n')
    return folder / "out.wav"


def play(script: str, files: dict = None, asoundrc: str = None):
    """Runs `script` with the capture device: (output lines, captured wave or None, seconds)."""
    folder = scratch("sound")
    capture = capture_home(folder)
    if asoundrc is not None:
        (folder / ".asoundrc").write_text(asoundrc)
    for name, data in (files or {}).items():
        (folder / name).write_bytes(data)
    start = time.monotonic()
    out, _ = run_script(folder, script, base_env(folder))
    took = time.monotonic() - start
    return lines(out), (wave.open(str(capture)) if capture.exists() else None), took


def segments(w: wave.Wave_read):
    """The capture as runs of (sounding, frames, samples) of a mono 16-bit stream."""
    data = w.readframes(w.getnframes())
    samples = struct.unpack(f"<{len(data) // 2}h", data)
    runs, start = [], 0
    for i in range(1, len(samples) + 1):
        if i == len(samples) or (samples[i] != 0) != (samples[start] != 0):
            runs.append((samples[start] != 0, samples[start:i]))
            start = i
    return runs


def frequency(samples) -> float:
    rising = [i for i in range(1, len(samples)) if samples[i - 1] < 0 <= samples[i]]
    if len(rising) < 2:
        return 0.0
    return RATE * (len(rising) - 1) / (rising[-1] - rising[0])


def ms(ticks: int) -> int:
    return int(ticks / 18.2 * 1000)


def check_tune(tune: str, expected: list, name: str = ""):
    """`expected`: (frequency or 0 for silence, milliseconds) per run of the capture."""
    name = name or f'PLAY "{tune}"'
    out, w, _ = play(f'PLAY "{tune}"\n"e " @ERROR ?\n')
    if not t.check(f"{name}: @ERROR 0 and a capture", out == ["e 0"] and w is not None, f"{out}"):
        return
    got = []
    for sounding, samples in segments(w):
        got.append((round(frequency(samples)) if sounding else 0, len(samples) * 1000 // RATE))
    ok = len(got) == len(expected) and all(
        abs(gf - ef) <= max(1, ef * 0.002) and abs(gm - em) <= 1
        for (gf, gm), (ef, em) in zip(got, expected))
    t.check(f"{name}: notes {expected}", ok, f"measured {got}")


# Lengths come from PC clock ticks: 5 ticks at tempo 256 are 274 ms.
check_tune("440f", [(440, 274)])
check_tune("2d440f", [(440, 109)])
check_tune("128t5d440f", [(440, 549)])
check_tune("300t440f", [(440, 219)])
check_tune("3g440f880f", [(440, 274), (0, 164), (880, 274), (0, 164)])
check_tune("440f f f", [(440, 3 * 274)], "f alone repeats the frequency")
check_tune("12345f", [(1000, 274)], "a fifth digit empties the number")
check_tune("0f2d523f", [(0, 274), (523, 109)], "an inaudible frequency keeps its time")

# Wave files: the program reads the RIFF container and hands the samples on unchanged.


def wave_bytes(channels: int, rate: int, bits: int, frames: bytes, tag: int = 1,
               extra_chunk: bytes = b"") -> bytes:
    align = channels * bits // 8
    fmt = struct.pack("<HHIIHH", tag, channels, rate, rate * align, align, bits)
    body = (b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + extra_chunk
            + b"data" + struct.pack("<I", len(frames)) + frames)
    return b"RIFF" + struct.pack("<I", len(body)) + body


stereo = b"".join(struct.pack("<hh", (i * 37) % 20000 - 10000, -((i * 11) % 9000))
                  for i in range(22050 // 5))
odd_chunk = b"LIST" + struct.pack("<I", 3) + b"abc\0"  # odd length: padded to even
files = {"tone.WAV": wave_bytes(2, 22050, 16, stereo, extra_chunk=odd_chunk),
         "mono8.wav": wave_bytes(1, 8000, 8, bytes(range(256)) * 4)}
out, w, took = play('PLAY "tone.WAV"\n"e " @ERROR ?\n', files)
ok = (out == ["e 0"] and w is not None and (w.getnchannels(), w.getframerate(),
                                             w.getsampwidth()) == (2, 22050, 2)
      and w.readframes(w.getnframes()) == stereo)
t.check("16-bit stereo wave: the same samples at the file's rate", ok, f"{out}")
out, w, _ = play('PLAY FILE "MONO8.WAV"\n"e " @ERROR ?\n', files)
ok = (out == ["e 0"] and w is not None and (w.getnchannels(), w.getframerate(),
                                             w.getsampwidth()) == (1, 8000, 1)
      and w.readframes(w.getnframes()) == bytes(range(256)) * 4)
t.check("8-bit wave through PLAY FILE, name matched without regard to case", ok, f"{out}")

good = wave_bytes(1, 8000, 16, b"\0\1" * 100)
bad = {
    "notriff.wav": b"RIFX" + good[4:],
    "notwave.wav": good[:8] + b"AVI " + good[12:],
    "nofmt.wav": b"RIFF" + struct.pack("<I", 12) + b"WAVEdata" + struct.pack("<I", 0),
    "shortfmt.wav": b"RIFF\x1c\0\0\0WAVEfmt \x08\0\0\0\1\0\1\0\x40\x1f\0\0data\0\0\0\0",
    "badalign.wav": good[:32] + b"\x05\0" + good[34:],
    "bits12.wav": good[:34] + b"\x0c\0" + good[36:],
    "truncated.wav": good[:20],
    "adpcm.wav": wave_bytes(1, 8000, 16, b"\0\1" * 100, tag=2),
}
script = "".join(f'PLAY "{n}"\n"{n} " @ERROR ?\n' for n in bad) + 'PLAY "none.wav"\n"none " @ERROR ?\n'
out, _, _ = play(script, bad)
expected = [f"{n} 13" for n in bad if n != "adpcm.wav"] + ["adpcm.wav 50", "none 2"]
t.check("malformed wave files give 13, compressed ones 50, a missing one 2",
        sorted(out) == sorted(expected), f"{out}")

# A default device that cannot be opened: no sound, but the tune keeps its time.
nodevice = "pcm.!default {\n type hw\n card 77\n}\n"
out, w, took = play('PLAY "tone.WAV"\n"wave " @ERROR ?\nPLAY "2d440f 440f"\n"tune " @ERROR ?\n',
                    files, nodevice)
t.check("no sound device: wave 50, tune silent with @ERROR 0",
        out == ["wave 50", "tune 0"] and w is None, f"{out}")
t.check("no sound device: the tune still takes its time", took >= 2 * 109 / 1000,
        f"{took:.3f} s")

t.finish()
