#!/usr/bin/env python3
"""Keeps what ALSA's file plugin writes into a FIFO, in order, at the pace of a sound card, and
notes when it came.

    capture.py FIFO OUT LOG BYTES_PER_SECOND

The plugin opens the FIFO anew for every sound; holding it open for reading and writing here means
that the FIFO never reports its end between two sounds and that the plugin never waits for a
reader, so every sound is appended to OUT whole and in order. LOG gets one line per block read:
the real time of its arrival (seconds since the epoch), its offset in OUT and its length.

The reading is held to BYTES_PER_SECOND, the byte rate of the format that the plugin writes: a
full FIFO blocks the writer, so the sounds play in real time, as on a sound card. (ALSA's null
device under the plugin would take them as fast as they come, some four times faster; a chime
would then end before the tick is done with its first seconds and start again.)

Ends when stopped by a signal or when the process that started it has gone.
"""
import fcntl
import os
import select
import sys
import time

BLOCK = 4096
# Reads wait until at least this much may be read: about 10 ms of sound, not a wake-up per byte.
LEAST = 441
# The smallest FIFO Linux allows (one page): the writer is held back as closely as can be.
PIPE_SIZE = 4096


def main(fifo, out, log, rate):
    parent = os.getppid()
    fd = os.open(fifo, os.O_RDWR)
    fcntl.fcntl(fd, fcntl.F_SETPIPE_SZ, PIPE_SIZE)
    offset = 0
    # The pace is a token bucket: after a pause one block may be read at once, then the rate holds.
    credit, last = BLOCK, time.monotonic()
    with open(out, "ab") as sink, open(log, "a") as notes:
        while os.getppid() == parent:
            now = time.monotonic()
            credit = min(BLOCK, credit + (now - last) * rate)
            last = now
            if credit < LEAST:
                time.sleep((LEAST - credit) / rate)
                continue
            ready, _, _ = select.select([fd], [], [], 0.2)
            if not ready:
                continue
            block = os.read(fd, int(credit))
            arrived = time.time()
            sink.write(block)
            sink.flush()
            notes.write(f"{arrived:.6f} {offset} {len(block)}\n")
            notes.flush()
            offset += len(block)
            credit -= len(block)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:4], float(sys.argv[4]))
