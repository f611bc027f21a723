# The tray menu's world clocks follow their zones through the year: the same lines read on a day in
# summer and on one in winter, in both hemispheres, beside a zone without daylight saving and an
# offset line, which stay as they are; the lines are saved as they were written.
source "$(dirname "$0")/lib.sh"
e2e_begin no-sound

ZONES='Time1=America/Los_Angeles in San Francisco\r\nTime2=australia/adelaide in Adelaide\r\n'
ZONES+='Time3=Asia/Kathmandu\r\nTime4=+5:30 in Mumbai\r\n'
config=$(config_folder)
mkdir -p "$config"
printf "[Main]\r\nFlags=15,2,8,4\r\n$ZONES" >"$config/tockbell.ini"

# Starts the clock at 10:00 UTC of DATE and fails unless its menu shows the world clocks LINES...
# above the commands; then closes it from the menu.
expect_world_clocks_on() {
    local pid
    E2E_CLOCK="$1 10:00:00"
    shift
    start_clock
    pid=$E2E_CLOCK_PID
    wait_icon
    expect_menu "$(printf '%s\n' "$@" - "Properties..." "Say the time" "Be silent [checked]" "Close")" "$E2E_WORK/menu-$E2E_STARTS.png"
    choose Close
    wait_clock_end "$pid"
    expect_messages
}

expect_world_clocks_on 2026-07-08 "03:00 in San Francisco" "19:30 in Adelaide" "15:45" "15:30 in Mumbai"
expect_world_clocks_on 2026-12-08 "02:00 in San Francisco" "20:30 in Adelaide" "15:45" "15:30 in Mumbai"
expect_file "$config/tockbell.ini" "[Main]\r\nFlags=15,2,8,4\r\n$ZONES"
