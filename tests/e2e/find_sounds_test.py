#!/usr/bin/env python3
"""find_sounds.py on captures built here from the program's sounds, right and with the faults that
the end-to-end tests must catch.

    find_sounds_test.py SOUNDS    SOUNDS: the folder of the program's WAVE resources
"""
import contextlib
import io
import math
import random
import sys
import tempfile
import unittest
import wave
from pathlib import Path

import find_sounds

SOUNDS = Path(sys.argv.pop(1)) if len(sys.argv) > 1 else None
NOON = "WAVE0 WAVE1*12 WAVE012 WAVE0PM"


def samples(name):
    with wave.open(str(SOUNDS / f"{name}.wav")) as w:
        return w.getnchannels(), w.readframes(w.getnframes())


def played(name, divisor=2, both=False):
    """The stereo frames the program plays for a resource: scaled, a mono one on the right only
    (or, with both, wrongly on both sides)."""
    channels, data = samples(name)
    scaled = bytes(int((b - 128) / divisor) + 128 for b in data)
    if channels == 2:
        return scaled
    return bytes(x for b in scaled for x in ((b if both else 128), b))


def silence(seconds):
    return bytes([128]) * (2 * round(seconds * find_sounds.RATE))


def tone(seconds):
    """A 1 kHz tone, mono."""
    return bytes(128 + round(60 * math.sin(2 * math.pi * 1000 * i / find_sounds.RATE))
                 for i in range(round(seconds * find_sounds.RATE)))


def noon(divisor=2):
    return [played("WAVE0", divisor), *[played("WAVE1", divisor)] * 12, played("WAVE012", divisor),
            played("WAVE0PM", divisor)]


class FindSoundsTest(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = Path(folder.name)
        self.capture = self.folder / "capture.raw"

    def run_tool(self, parts, expect, *options):
        self.capture.write_bytes(b"".join(parts))
        out = io.StringIO()
        with contextlib.redirect_stdout(out), contextlib.redirect_stderr(out):
            code = find_sounds.main([str(self.capture), str(SOUNDS), "--expect", expect, *options])
        return code, out.getvalue()

    def beep_file(self):
        """A time-table file of a 1 kHz tone, 8-bit mono, and its frames."""
        beep = self.folder / "Beep.wav"
        mono = tone(0.5)
        with wave.open(str(beep), "wb") as w:
            w.setnchannels(1)
            w.setsampwidth(1)
            w.setframerate(find_sounds.RATE)
            w.writeframes(mono)
        return beep, mono

    def assertFinds(self, parts, expect, *options):
        code, report = self.run_tool(parts, expect, *options)
        self.assertEqual(code, 0, report)

    def assertFault(self, parts, expect, fault, *options):
        code, report = self.run_tool(parts, expect, *options)
        self.assertEqual(code, 1, report)
        self.assertIn(fault, report)

    def test_the_noon_chime_is_found_whole_and_exact(self):
        self.assertFinds(noon(), NOON, "--exact")

    def test_silence_before_between_and_after_sounds_is_passed_over(self):
        parts = [silence(0.3)]
        for part in noon():
            parts += [part, silence(0.05)]
        self.assertFinds(parts, NOON, "--exact")

    def test_a_missing_strike_is_caught(self):
        parts = noon()
        del parts[5]
        self.assertFault(parts, NOON, "expected [WAVE0 WAVE1 WAVE1")

    def test_sounds_out_of_order_are_caught(self):
        parts = noon()
        parts[-2], parts[-1] = parts[-1], parts[-2]
        self.assertFault(parts, NOON, "found [WAVE0 " + "WAVE1 " * 12 + "WAVE0PM WAVE012]")

    def test_another_divisor_is_caught_by_the_level(self):
        self.assertFault(noon(divisor=3), NOON, "has level 0.3")
        self.assertFinds(noon(divisor=3), NOON, "--divisor", "3", "--exact")

    def test_a_mono_sound_on_both_sides_is_caught(self):
        parts = noon()
        parts[1] = played("WAVE1", both=True)
        self.assertFault(parts, NOON, "left channel that is not silent")

    def test_a_sound_cut_short_is_caught(self):
        parts = noon()
        parts[-1] = parts[-1][: len(parts[-1]) // 2]
        self.assertFault(parts, NOON, "is not whole")

    def test_a_sound_that_is_not_the_program_s_is_caught(self):
        heard = bytes(x for b in tone(0.5) for x in (b, b))
        self.assertFault([played("WAVE0"), heard], "WAVE0", "is no known sound")

    def test_a_slightly_changed_sound_is_found_but_is_not_exact(self):
        noise = random.Random(1)
        parts = [bytes(128 + max(-127, min(127, b - 128 + noise.choice((-1, 0, 1))))
                       if i % 2 else b for i, b in enumerate(part)) for part in noon()]
        self.assertFinds(parts, NOON)
        self.assertFault(parts, NOON, "is not byte for byte", "--exact")

    def test_nothing_is_found_in_silence_and_something_is_not_nothing(self):
        self.assertFinds([silence(1.0)], "")
        self.assertFault([silence(1.0), played("WAVE1")], "", "found [WAVE1], expected []")

    def test_a_file_played_after_the_chime_is_found_as_it_is(self):
        # A short pause: a tone matches itself a few periods later too, so it must be placed by its onset.
        beep, mono = self.beep_file()
        heard = bytes(x for b in mono for x in (b, b))
        self.assertFinds([*noon(), silence(0.01), heard], NOON + " Beep", "--exact", "--file", f"Beep={beep}")
        self.assertFault([heard, *noon()], NOON + " Beep", "found [Beep WAVE0", "--file", f"Beep={beep}")

    def test_a_few_frames_lost_at_the_start_of_a_stream_pass_only_when_allowed(self):
        # A tone that lost its first 73 frames is half a period out of step with its own onset.
        beep, mono = self.beep_file()
        heard = bytes(x for b in mono[73:] for x in (b, b))
        parts = [silence(0.5), heard, silence(0.5)]
        self.assertFault(parts, "Beep", "is no known sound", "--file", f"Beep={beep}")
        self.assertFinds(parts, "Beep", "--file", f"Beep={beep}", "--head-loss", "150", "--level-tolerance", "0.05")


if __name__ == "__main__":
    if SOUNDS is None:
        sys.exit(__doc__)
    unittest.main()
