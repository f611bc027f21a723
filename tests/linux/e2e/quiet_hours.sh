# Quiet hours from 21:45 to 06:15: no chime at 22:00 but an everyday reminder at 22:01 plays, the menu
# says until when it is quiet; no chime at 06:00; at 06:30, after the quiet hours, the chime sounds.
source "$(dirname "$0")/lib.sh"
e2e_begin

config=$(config_folder)
mkdir -p "$config"
make_tone "$config/Beep.wav" 0.5
printf '[Main]\r\nFlags=31,2,8,0\r\nQuietHours=on,21:45,06:15\r\n[Everyday]\r\n22:01=Beep.wav\r\n' \
    >"$config/tockbell.ini"

# Runs the clock from TIME through the minute MINUTE and fails unless the capture then holds SOUNDS
# (nothing when empty), with the further arguments for expect_sounds.
hear_at() {
    local time=$1 minute=$2 sounds=$3 pid
    shift 3
    E2E_CLOCK=$time
    start_clock
    pid=$E2E_CLOCK_PID
    wait_icon
    [ "$minute" != '2026-12-08 22:00' ] ||
        expect_menu "$(printf '%s\n' "Quiet until 06:15 [disabled]" "Next: 22:01 Beep (in 2 min) [disabled]" - \
            "Properties..." "Say the time" "Be silent" "Close")" "$E2E_WORK/menu-quiet.png"
    hear_minute "$minute" 60
    if [ -z "$sounds" ]; then expect_silence "$minute"; else expect_sounds 2 "$sounds" "$@"; fi
    keep_capture "${minute#* }"
    choose Close
    wait_clock_end "$pid"
}

hear_at '2026-12-08 21:59:50' '2026-12-08 22:00' ''
hear_at '2026-12-08 22:00:52' '2026-12-08 22:01' 'Beep' --file "Beep=$config/Beep.wav"
hear_at '2026-12-09 05:59:52' '2026-12-09 06:00' ''
hear_at '2026-12-09 06:29:52' '2026-12-09 06:30' 'WAVE0 WAVE1 WAVE006 WAVE030 WAVE0AM'
expect_file "$config/tockbell.ini" \
    '[Main]\r\nFlags=31,2,9,0\r\nQuietHours=on,21:45,06:15\r\n[Everyday]\r\n22:01=Beep.wav\r\n'
