# Time-table entries in the settings folder play in their minute: a WAV file as it is, a MIDI file
# through FluidSynth; "Be silent" stops the entry that plays. With no sound font, a MIDI entry is
# skipped quietly and a WAV entry after it in the same minute still plays.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 10:00:56'
e2e_begin

config=$(config_folder)
mkdir -p "$config"
make_tone "$config/Beep.wav" 0.5
make_midi "$config/tune.mid" 20
printf '[Everyday]\r\n10:01=Beep.wav\r\n10:02=tune.mid\r\n' >"$config/tockbell.ini"
start_clock
pid=$E2E_CLOCK_PID
wait_icon
hear_minute '2026-12-08 10:01'
expect_sounds 2 'Beep' --file "Beep=$config/Beep.wav"
keep_capture beep

wait_clock '2026-12-08 10:02:00' 70
wait_until "$E2E_WAIT" "sound from the MIDI entry" capture_exceeds 0
sleep 2
choose "Be silent"
wait_capture_quiet 1 5
seconds=$(capture_seconds)
keep_capture midi
[ "$(awk -v s="$seconds" 'BEGIN { print (s >= 1 && s < 10) }')" = 1 ] ||
    fail "the MIDI entry played for $seconds s of its 20 s, expected a few until Be silent"
choose Close
wait_clock_end "$pid"

# Tuesday's entries come after the everyday ones, a tick later in the same minute.
printf '[Everyday]\r\n10:01=tune.mid\r\n[Tuesday]\r\n10:01=Beep.wav\r\n' >"$config/tockbell.ini"
TOCKBELL_SOUNDFONT='' start_clock
pid=$E2E_CLOCK_PID
wait_icon
hear_minute '2026-12-08 10:01'
expect_sounds 2 'Beep' --file "Beep=$config/Beep.wav"
choose Close
wait_clock_end "$pid"
expect_messages
