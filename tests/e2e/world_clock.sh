# The tray menu's world clocks follow their zones through the year: the same lines read on a day in
# summer and on one in winter, in both hemispheres, beside a zone without daylight saving and an
# offset line, which stay as they are; the lines are saved as they were written.
source "$(dirname "$0")/lib.sh"
e2e_begin

SHOT=$E2E_WORK/tray.png
ZONES='Time1=America/Los_Angeles in San Francisco\r\nTime2=australia/adelaide in Adelaide\r\n'
ZONES+='Time3=Asia/Kathmandu\r\nTime4=+5:30 in Mumbai\r\n'
folder=$(new_app_folder app)
printf "[Main]\r\nFlags=15,2,8,4\r\n$ZONES" >"$folder/tockbell.ini"

# Starts the clock at 10:00 UTC of DATE and fails unless its menu shows the world clocks LINES...
# above the commands.
expect_world_clocks_on() {
    local pid
    E2E_CLOCK="$1 10:00:00"
    shift
    pid=$(start_clock "$folder")
    open_tray_menu "$SHOT"
    expect_output "the menu on $E2E_CLOCK" \
        "$(printf '%s\n' "$@" - "Properties... [default]" "Say the time" "Be silent [checked]" "Close")" menu_items
    close_menu
    close_clock "$pid"
}

expect_world_clocks_on 2026-07-08 "03:00 in San Francisco" "19:30 in Adelaide" "15:45" "15:30 in Mumbai"
expect_world_clocks_on 2026-12-08 "02:00 in San Francisco" "20:30 in Adelaide" "15:45" "15:30 in Mumbai"
expect_file "$folder/tockbell.ini" "[Main]\r\nFlags=15,2,8,4\r\n$ZONES"
