# The days the clock changes: at the spring change in New York the entry of 02:15, an hour that the
# day lacks, plays at 03:00 after a chime of three; at the autumn change in Berlin the second 02:00
# chimes again and its entry does not play again, and its half hour, whose chime is its words alone,
# says them once.
source "$(dirname "$0")/lib.sh"
e2e_begin

config=$(config_folder)
mkdir -p "$config"
make_tone "$config/Gap.wav" 0.5 500
make_tone "$config/Twice.wav" 0.5 2000
printf '[Everyday]\r\n02:15=Gap.wav\r\n' >"$config/tockbell.ini"
export TZ=America/New_York
E2E_CLOCK='2027-03-14 01:59:55'
start_clock
pid=$E2E_CLOCK_PID
hear_minute '2027-03-14 03:00' 60
# A playback looks once a second whether the chime has ended.
expect_sounds 2 'WAVE0 WAVE1*3 WAVE003 WAVE0AM Gap' --file "Gap=$config/Gap.wav" --max-gap 1.5
keep_capture spring
signal_clock "$pid" TERM

# 02:00 CEST is 00:00 UTC; after a jump to 02:59:57 CEST, 02:00 CET follows at 01:00 UTC, and after
# one to 02:29:57 CET its half hour. Flags 29: "Strike half hour" off, both voices on.
export TZ=Europe/Berlin
printf '[Main]\r\nFlags=29,2,31,0\r\n[Everyday]\r\n02:00=Twice.wav\r\n' >"$config/tockbell.ini"
E2E_CLOCK='2027-10-31 01:59:55'
clock_in_file
start_clock
pid=$E2E_CLOCK_PID
autumn_night_in_berlin
signal_clock "$pid" TERM
# The parts of each chime follow one another; the chimes come seconds apart.
expect_sounds 2 "$E2E_AUTUMN_NIGHT_SOUNDS" \
    --file "Twice=$config/Twice.wav" --max-gap 10
expect_messages
