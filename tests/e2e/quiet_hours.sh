# Quiet hours from 21:45 to 06:15: no chime at 22:00 but an everyday reminder at 22:01 plays, and the
# menu says until when it is quiet; no chime at 06:00; at 06:30, after the quiet hours, the chime.
source "$(dirname "$0")/lib.sh"
e2e_begin
start_capture

SHOT=$E2E_WORK/tray.png
folder=$(new_app_folder app)
make_tone "$folder/Beep.wav" 0.5
printf '[Main]\r\nFlags=31,2,8,0\r\nQuietHours=on,21:45,06:15\r\n[Everyday]\r\n22:01=Beep.wav\r\n' \
    >"$folder/tockbell.ini"

# Runs the clock from TIME through the minute MINUTE and fails unless the capture then holds SOUNDS
# (nothing when empty), with the further arguments for expect_sounds.
hear_at() {
    local minute=$2 sounds=$3 pid
    E2E_CLOCK=$1
    shift 3
    pid=$(start_clock "$folder")
    if [ "$minute" = '2026-12-08 22:00' ]; then
        open_tray_menu "$SHOT"
        expect_output "the menu while quiet" "$(printf '%s\n' "Quiet until 06:15 [grayed]" \
            "Next: 22:01 Beep (in 2 min) [grayed]" - "Properties... [default]" "Say the time" "Be silent" \
            "Close")" menu_items
        close_menu
    fi
    hear_minute "$minute" 60
    close_clock "$pid"
    if [ -z "$sounds" ]; then
        [ "$(capture_mark)" = 0 ] || fail "sound in the quiet minute $minute"
    else
        expect_sounds 2 "$sounds" "$@"
    fi
    keep_capture "${minute#* }"
}

hear_at '2026-12-08 21:59:48' '2026-12-08 22:00' ''
hear_at '2026-12-08 22:00:50' '2026-12-08 22:01' 'Beep' --file "Beep=$folder/Beep.wav"
hear_at '2026-12-09 05:59:50' '2026-12-09 06:00' ''
hear_at '2026-12-09 06:29:50' '2026-12-09 06:30' 'WAVE0 WAVE1 WAVE006 WAVE030 WAVE0AM'
