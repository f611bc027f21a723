# The Table page's recorder on the sound server's default input, a 440 Hz tone from PulseAudio's
# module-sine-source: a recording of 6 s ends by itself, is a RIFF WAVE file of 8-bit mono PCM at
# 11025 samples per second holding the tone from its first 50 ms, and PLAY sounds it; INSERT copies it
# under the new item's file name, which Save keeps and the clock plays at its minute; in a folder that
# takes no files a recording keeps the old one and the status line says so. The source
# hands its sound on in blocks of up to two seconds, so the file's length is only roughly the
# duration; the end is timed by the test's clock.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 10:05:00'
e2e_begin

pactl load-module module-sine-source source_name=tone rate=11025 frequency=440 >/dev/null ||
    fail "cannot load the tone source"
tone_for_the_program_only
config=$(config_folder)
voice=$config/tockbell.wav
mkdir -p "$config"

start_clock
wait_icon
choose "Properties..."
settings_shown
keys alt+b

# A folder that takes no files: the old recording stays, and the status line says so.
printf 'RIFF old' >"$voice"
read_only_folder "$config"
settings value "Record duration" 3 || fail "cannot set the duration"
press Record
expect_output "the status line" 'label	The message could not be recorded' \
    setting_line label 'The message could not be recorded'
expect_file "$voice" 'RIFF old'
writable_folder "$config"
rm "$voice"

settings value "Record duration" 6 || fail "cannot set the duration"
started=$(date +%s.%N)
press Record
expect_output "the buttons while recording" 'push button	Record [disabled]' setting_line 'push button' Record
# It ends by itself after its duration (STOP greyed again), and the new recording is put in place, which
# the next second's look finds (PLAY offered).
expect_output "the buttons after the recording" 'push button	Stop [disabled]' setting_line 'push button' Stop
took=$(echo "$(date +%s.%N) - $started" | bc)
echo "the recording ended $took s after RECORD was pressed"
awk -v t="$took" 'BEGIN { exit !(t >= 6 && t <= 8.5) }' || fail "a recording of 6 s ended after $took s"
expect_output "the buttons after the recording was saved" 'push button	Play' setting_line 'push button' Play
[ -f "$voice" ] || fail "no recording was saved"
[ ! -e "$voice.new" ] || fail "the temporary file stayed"
report=$("$E2E_PYTHON" - "$voice" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:4] == b"RIFF" and data[8:16] == b"WAVEfmt ", "not a RIFF WAVE file"
fmt, channels, rate, byte_rate, align, bits = struct.unpack("<HHIIHH", data[20:36])
assert (fmt, channels, rate, bits) == (1, 1, 11025, 8), f"format {fmt} {channels} {rate} {bits}"
samples = data[44:44 + struct.unpack("<I", data[40:44])[0]]
seconds = len(samples) / 11025
head = samples[:551]  # the first 50 ms
peak = max(abs(b - 128) for b in head)
crossings = sum(1 for a, b in zip(samples, samples[1:]) if (a < 128) != (b < 128))
print(f"{seconds:.2f} {peak} {crossings / 2 / seconds:.0f}")
PY
) || fail "the recording is no WAVE file of the recorder's format: $report"
read -r seconds peak frequency <<<"$report"
echo "recorded $seconds s, peak $peak in the first 50 ms, $frequency Hz"
awk -v s="$seconds" -v p="$peak" -v f="$frequency" 'BEGIN { exit !(s >= 4 && s <= 9 && p >= 20 && f >= 420 && f <= 460) }' ||
    fail "the recording holds $seconds s, peak $peak in its first 50 ms, $frequency Hz"

before=$(capture_mark)
press Play
wait_until "$E2E_WAIT" "the recording played" capture_exceeds "$before"

# INSERT: a new item, typed to a minute soon to come, copies the recording under its name; Save keeps
# it and the clock plays it at that minute, not before.
program_now() { echo $(($(date +%s) + $(clock_offset))); }
now=$(program_now)
due=$((now - now % 60 + 60))
[ $((due - now)) -ge 15 ] || due=$((due + 60))
minute=$(date -u -d "@$due" +%H:%M)
press "Insert recording"
keys ctrl+a "type:$minute=Voice.wav" Return
expect_output "the status line" 'label	OK. Item has been added' setting_line label 'OK. Item has been added'
cmp -s "$voice" "$config/Voice.wav" || fail "INSERT did not copy the recording to Voice.wav"
keys ctrl+s
expect_output "the status line" 'label	OK' setting_line label OK
grep -q "^$minute=Voice.wav" "$config/tockbell.ini" || fail "Save did not keep the item"
wait_capture_quiet 1 30
before=$(capture_mark)
wait_until 90 "the item played at $minute" capture_exceeds "$before"
[ "$(program_now)" -ge "$due" ] || fail "the item of $minute played at $(date -u -d "@$(program_now)" +%T)"
wait_capture_quiet 1 30  # a recording would wait for the playback

press Cancel
settings_gone
