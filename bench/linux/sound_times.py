"""When sound arrives, for bench/linux_bench.sh: raw 8-bit unsigned stereo at 11025 frames/s, as
the benchmark's sound server plays and records it.

  sound_times.py starts LOG  reads a recording on stdin as it comes and appends to LOG the real
                             time (seconds since the epoch) at which each sound started to arrive:
                             the first block holding a frame that is not silent after a quarter
                             of a second or more of silence
  sound_times.py click LOG   writes to stdout silence at the pace of the sound card, one block of
                             BLOCK_SECONDS at a time, then a click, then silence again, and appends
                             to LOG the real time at which the click was handed on
"""

import os
import sys
import time

BYTE_RATE = 11025 * 2
QUIET = bytes([127, 128, 129])  # what counts as silence, as the end-to-end tests count it
GAP_SECONDS = 0.25
BLOCK_SECONDS = 0.01
LEAD_SECONDS = 1.0  # of silence before the click, so that the player runs steadily by then
TAIL_SECONDS = 0.5


def note(log, moment):
    log.write(f"{moment:.6f}\n")
    log.flush()


def starts(log):
    last_sound = None  # how many bytes had come at the last frame that was not silent
    total = 0
    while True:
        block = os.read(0, 65536)
        if not block:
            return
        arrived = time.time()
        loud = block.strip(QUIET)
        if loud:
            first = total + len(block) - len(block.lstrip(QUIET))
            if last_sound is None or first - last_sound > GAP_SECONDS * BYTE_RATE:
                note(log, arrived)
            last_sound = total + len(block.rstrip(QUIET))
        total += len(block)


def click(log):
    size = round(BLOCK_SECONDS * BYTE_RATE) // 2 * 2
    silence, loud = bytes([128]) * size, bytes([128 + 96]) * size
    count_before, count_after = round(LEAD_SECONDS / BLOCK_SECONDS), round(TAIL_SECONDS / BLOCK_SECONDS)
    begin = time.monotonic()
    for index in range(count_before + 1 + count_after):
        # Each block goes out when the sound card would have played the one before.
        delay = begin + index * BLOCK_SECONDS - time.monotonic()
        if delay > 0:
            time.sleep(delay)
        if index == count_before:
            note(log, time.time())
        sys.stdout.buffer.write(loud if index == count_before else silence)
        sys.stdout.buffer.flush()


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("starts", "click"):
        sys.exit(__doc__)
    with open(sys.argv[2], "a") as log:
        (starts if sys.argv[1] == "starts" else click)(log)


if __name__ == "__main__":
    main()
