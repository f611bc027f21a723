#!/usr/bin/env bash
# Runs a command against a private PulseAudio daemon whose one output is a null sink, and records
# that sink's monitor with parec into $TOCKBELL_CAPTURE (raw s16le, 44100 Hz, stereo), so that tests
# hear what was played. Everything it starts is stopped on the way out.
set -uo pipefail

scratch=$(mktemp -d)
pids=()
cleanup() {
    # The recorder first, so that it does not complain of the daemon going away.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
    rm -rf "$scratch"
}
trap cleanup EXIT

export HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/run PULSE_RUNTIME_PATH=$scratch/run/pulse
export TOCKBELL_CAPTURE=$scratch/capture.raw
unset PULSE_SERVER PULSE_SINK
mkdir -p "$HOME" "$PULSE_RUNTIME_PATH"
chmod 700 "$XDG_RUNTIME_DIR"

pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-exit \
    -L module-native-protocol-unix -L "module-null-sink sink_name=capture rate=44100 channels=2" \
    >"$scratch/pulseaudio.log" 2>&1 &
pids+=($!)

ready=
for _ in $(seq 100); do
    if pactl info >/dev/null 2>&1; then ready=1; break; fi
    sleep 0.05
done
if [[ -z $ready ]]; then
    echo "with_pulse.sh: the private PulseAudio daemon did not start" >&2
    cat "$scratch/pulseaudio.log" >&2
    exit 1
fi

parec --raw -d capture.monitor --format=s16le --rate=44100 --channels=2 --latency-msec=10 \
    >"$TOCKBELL_CAPTURE" 2>"$scratch/parec.log" &
pids+=($!)
# The monitor delivers its first block a moment after the recorder connects.
for _ in $(seq 200); do
    [[ -s $TOCKBELL_CAPTURE ]] && break
    sleep 0.05
done
if [[ ! -s $TOCKBELL_CAPTURE ]]; then
    echo "with_pulse.sh: parec records nothing" >&2
    cat "$scratch/parec.log" >&2
    exit 1
fi

"$@"
