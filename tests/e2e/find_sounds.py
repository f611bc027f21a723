#!/usr/bin/env python3
"""Finds which sounds a capture of the program's output holds, in order, and at what level.

    find_sounds.py CAPTURE SOUNDS [--divisor D] [--file NAME=WAV ...] [--expect LIST] [--exact]
                   [--max-gap SECONDS] [--level-tolerance T] [--head-loss FRAMES]

CAPTURE is raw 8-bit unsigned stereo at 11025 frames/s: the format that lib.sh's ALSA set-up forces,
which is also the format in which the program plays its own sounds. SOUNDS is the folder of the
program's WAVE resources (res/sounds). The program plays each resource scaled by the volume
divisor D around the zero line 128, a mono one in the right channel with the left one silent.
--file adds a sound file that is played as it is (a time-table entry); it must be 8-bit at
11025 frames/s, and a mono one is heard in both channels.

Walking the capture from its start, every known sound is tried right where the previous one ended
(sounds played one after another follow at once) and, if none fits there, where the capture next
leaves silence, aligned by its own onset (a quieter copy seems to start later, so the onsets at
every level down to 1/WEAKEST are tried), give or take a few frames. A try is scored by normalised
correlation with the capture, first over the sound's head, then over its whole length, on the
channels that carry the sound; the best score of at least MATCH names it and the walk goes on
after it. A stretch that nothing matches is reported as "unknown" and skipped up to the next
silence. For each sound found it
prints the capture time, the name, the level (least-squares gain of the capture against the
unscaled sound, so 1/D at divisor D) next to the level expected, the largest deviation of the
left channel from silence, and whether the capture holds exactly the bytes the program should play.

--expect "WAVE0 WAVE1*12 WAVE012 WAVE0PM" makes it exit 1 unless exactly those sounds were found,
in that order, whole, each at its expected level, the mono resources with a silent left channel;
--expect "" wants no sound at all. --exact also wants each resource byte for byte. --max-gap also
wants each sound to start at most SECONDS after the one before it ended: where a sound server
passes every sound on as a stream of its own, the parts of a chime come with short pauses between
them, but must still follow one another. --level-tolerance sets how far a level may be from the
expected one (0.01 unless given): a sound server that converts a sound's channels may also shift it
by a fraction of a frame, which lowers the level found. --head-loss lets a sound placed by its
onset miss up to FRAMES frames at its start: a sound server's monitor may drop a few as a stream
begins (seen with PulseAudio's null sink and paplay alike).
"""
import argparse
import math
import re
import sys
import wave
from itertools import accumulate
from operator import mul
from pathlib import Path

RATE = 11025
SILENCE = 128
MATCH = 0.9
# How far, in frames, the capture may sit from where the onsets put a sound.
SLACK = 3
# The weakest level at which a sound is still placed by its onset is 1/WEAKEST.
WEAKEST = 16
# A sound's start is scored first on this many frames past its onset, and whole only if that agrees.
HEAD_FRAMES = 1024
# A deviation from the zero line of at most this much is taken for silence (noise, rounding).
QUIET = 1
# Silence this long ends a stretch that no known sound matched.
GAP_FRAMES = round(0.02 * RATE)
LEVEL_TOLERANCE = 0.01


class Sound:
    """A known sound as it should reach the capture: deviations from 128, per channel."""

    def __init__(self, name, left, right, expected_left, expected_right, level, resource):
        self.name = name
        self.left, self.right = left, right              # the unscaled sound
        self.expected = (expected_left, expected_right)  # what the program should play
        self.level = level                               # least-squares gain of expected over unscaled
        self.resource = resource                         # one of the program's own sounds
        self.stereo = any(left)
        # Where the sound leaves silence depends on its level: a quiet one seems to start later.
        size = [max(abs(l), abs(r)) for l, r in zip(left, right)]
        self.onsets = sorted({next((i for i, x in enumerate(size) if x >= least), 0)
                              for least in range(1, (QUIET + 1) * WEAKEST + 1)})
        self.head = min(len(right), self.onsets[-1] + HEAD_FRAMES)
        self.squares = running_squares(zip(left, right) if self.stereo else zip(right))

    def __len__(self):
        return len(self.right)

    def leads_in(self, frames):
        """Whether the sound itself may account for that much silence before the capture sounds."""
        return self.onsets[0] - SLACK <= frames <= self.onsets[-1] + SLACK


def dot(a, b):
    return sum(map(mul, a, b))


def running_squares(frames):
    """Sums of squares up to each frame: the energy of any span at once."""
    return list(accumulate((sum(map(mul, frame, frame)) for frame in frames), initial=0))


def read_wave(path):
    with wave.open(str(path)) as w:
        if w.getsampwidth() != 1 or w.getframerate() != RATE or w.getnchannels() not in (1, 2):
            sys.exit(f"{path}: not 8-bit at {RATE} frames/s, mono or stereo")
        data = w.readframes(w.getnframes())
        deviations = [b - SILENCE for b in data]
        if w.getnchannels() == 1:
            return None, deviations
        return deviations[0::2], deviations[1::2]


def scaled(deviations, divisor):
    # The program divides each deviation by the divisor, truncating toward zero.
    return [int(x / divisor) for x in deviations]


def gain(got, unscaled):
    energy = dot(unscaled, unscaled)
    return dot(got, unscaled) / energy if energy else 0.0


def resource_sound(path, divisor):
    left, right = read_wave(path)
    if left is None:  # mono: the program plays it in the right channel only
        left = [0] * len(right)
    expected_left, expected_right = scaled(left, divisor), scaled(right, divisor)
    level = gain(expected_left + expected_right, left + right)
    return Sound(path.stem, left, right, expected_left, expected_right, level, True)


def file_sound(name, path):
    left, right = read_wave(path)
    if left is None:  # mono: ALSA's plug routes it to both channels
        left = right
    return Sound(name, left, right, left, right, 1.0, False)


def read_capture(path):
    data = Path(path).read_bytes()
    data = data[: len(data) - len(data) % 2]
    return [b - SILENCE for b in data[0::2]], [b - SILENCE for b in data[1::2]]


class Capture:
    """The captured frames, as deviations from 128 per channel."""

    def __init__(self, left, right):
        self.left, self.right = left, right
        self.loud = [max(abs(l), abs(r)) > QUIET for l, r in zip(left, right)]
        self.squares = {"right": running_squares(zip(right)), "both": running_squares(zip(left, right))}

    def __len__(self):
        return len(self.right)

    def overlap(self, start, length):
        """Where LENGTH frames placed at START meet the capture: its first and end frame, and how
        many frames of them lie before the capture's start."""
        return max(start, 0), min(start + length, len(self)), max(-start, 0)

    def next_loud(self, start):
        return next((i for i in range(start, len(self)) if self.loud[i]), None)

    def next_gap(self, start):
        quiet = 0
        for i in range(start, len(self)):
            quiet = 0 if self.loud[i] else quiet + 1
            if quiet >= GAP_FRAMES:
                return i
        return len(self)

    def score(self, sound, start, length):
        """Normalised correlation of the first length frames of the sound placed at start (frames), on
        the channels that carry it."""
        begin, end, skip = self.overlap(start, length)
        if end <= begin:
            return -1.0
        span = slice(skip, skip + end - begin)
        product = dot(self.right[begin:end], sound.right[span])
        if sound.stereo:
            product += dot(self.left[begin:end], sound.left[span])
        squares = self.squares["both" if sound.stereo else "right"]
        energy = squares[end] - squares[begin]
        reference = sound.squares[span.stop] - sound.squares[span.start]
        return product / math.sqrt(energy * reference) if energy and reference else 0.0


class Found:
    """A known sound placed in the capture, and how it came out there."""

    def __init__(self, capture, sound, start):
        self.sound, self.start = sound, start
        begin, end, skip = capture.overlap(start, len(sound))
        self.whole = start >= 0 and end == start + len(sound)
        got_left, got_right = capture.left[begin:end], capture.right[begin:end]
        ref_left, ref_right = (channel[skip:skip + end - begin] for channel in (sound.left, sound.right))
        if sound.stereo:
            self.level = gain(got_left + got_right, ref_left + ref_right)
        else:
            self.level = gain(got_right, ref_right)
        self.left_peak = max(map(abs, got_left), default=0)
        expected_left, expected_right = (channel[skip:skip + end - begin] for channel in sound.expected)
        self.exact = self.whole and got_left == expected_left and got_right == expected_right

    def faults(self, level_tolerance):
        sound = self.sound
        faults = []
        if not self.whole:
            faults.append("is not whole")
        if abs(self.level - sound.level) > level_tolerance:
            faults.append(f"has level {self.level:.3f}, not {sound.level:.3f}")
        if sound.resource and not sound.stereo and self.left_peak > QUIET:
            faults.append(f"has a left channel that is not silent (peak {self.left_peak})")
        return faults

    def __str__(self):
        return (f"{self.start / RATE:8.3f} s  {self.sound.name:10} level {self.level:.3f} "
                f"(expected {self.sound.level:.3f})  left peak {self.left_peak:3}  "
                f"{'exact' if self.exact else 'not exact'}{'' if self.whole else '  not whole'}")


class Unknown:
    """A stretch of sound that no known sound matches."""

    def __init__(self, start):
        self.sound, self.start = None, start

    def faults(self, level_tolerance):
        return ["is no known sound"]

    def __str__(self):
        return f"{self.start / RATE:8.3f} s  unknown"


def best_match(capture, sounds, places):
    """The sound that scores best at one of its places (a function of the sound), and where."""
    best, best_score, best_start = None, MATCH, 0
    for sound in sounds:
        for start in places(sound):
            if capture.score(sound, start, sound.head) < MATCH:
                continue
            score = capture.score(sound, start, len(sound))
            if score > best_score:
                best, best_score, best_start = sound, score, start
    return best, best_start


def around(*points):
    return {point + slack for point in points for slack in range(-SLACK, SLACK + 1)}


def find(capture, sounds, head_loss=0):
    """HEAD_LOSS frames at most may be missing at the start of a sound placed by its onset, as a
    sound server's monitor may drop a few when a stream starts."""
    found, end = [], 0
    cursor = capture.next_loud(0)
    while cursor is not None:
        # Sounds played one after another follow at once, each starting with its own lead-in of
        # silence; after a longer pause a sound is placed by its onset.
        sound, start = best_match(capture, sounds, lambda sound: around(end) if sound.leads_in(cursor - end) else ())
        if sound is None:
            sound, start = best_match(capture, sounds, lambda sound: around(
                *(cursor - o - lost for o in sound.onsets for lost in range(0, head_loss + 1, SLACK))))
        if sound is None:
            found.append(Unknown(cursor))
            end = capture.next_gap(cursor)
        else:
            found.append(Found(capture, sound, start))
            end = start + len(sound)
        cursor = capture.next_loud(end)
    return found


def expected_names(text):
    names = []
    for item in text.split():
        match = re.fullmatch(r"([^*]+)(?:\*(\d+))?", item)
        names += [match[1]] * int(match[2] or 1)
    return names


def check(found, expect, exact, max_gap=None, level_tolerance=LEVEL_TOLERANCE):
    names = [f.sound.name if f.sound else "unknown" for f in found]
    wanted = expected_names(expect)
    faults = [] if names == wanted else [f"found [{' '.join(names)}], expected [{' '.join(wanted)}]"]
    end = None
    for f in found:
        where = f"{f.sound.name if f.sound else 'sound'} at {f.start / RATE:.3f} s"
        faults += [f"{where} {fault}" for fault in f.faults(level_tolerance)]
        if exact and f.sound and f.sound.resource and not f.exact:
            faults.append(f"{where} is not byte for byte what the program should play")
        if max_gap is not None and end is not None and f.start - end > max_gap * RATE:
            faults.append(f"{where} comes {(f.start - end) / RATE:.3f} s after the sound before it ended")
        end = f.start + len(f.sound) if f.sound else None
    return faults


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("capture")
    parser.add_argument("sounds", type=Path)
    parser.add_argument("--divisor", type=int, default=2)
    parser.add_argument("--file", action="append", default=[], metavar="NAME=WAV")
    parser.add_argument("--expect")
    parser.add_argument("--exact", action="store_true")
    parser.add_argument("--max-gap", type=float, metavar="SECONDS")
    parser.add_argument("--level-tolerance", type=float, default=LEVEL_TOLERANCE, metavar="T")
    parser.add_argument("--head-loss", type=int, default=0, metavar="FRAMES")
    args = parser.parse_args(argv)

    divisor = args.divisor or 1
    sounds = [resource_sound(path, divisor) for path in sorted(args.sounds.glob("*.wav"))]
    sounds += [file_sound(*item.split("=", 1)) for item in args.file]
    found = find(Capture(*read_capture(args.capture)), sounds, args.head_loss)
    for f in found:
        print(f)
    if args.expect is None:
        return 0
    faults = check(found, args.expect, args.exact, args.max_gap, args.level_tolerance)
    for fault in faults:
        print(f"FAULT: {fault}", file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
