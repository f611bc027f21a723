# With no sound server the program runs through the noon minute, quietly, and its menu still works.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 11:59:56'
e2e_begin no-sound

start_clock
pid=$E2E_CLOCK_PID
wait_icon
wait_clock '2026-12-08 12:00:25'
clock_runs "$pid"
expect_menu "$(printf '%s\n' "21:00 in Singapore" "05:00 in San Francisco" "16:00 in Moscow" - \
    "Properties... [disabled]" "Be silent" "Close")"
choose Close
wait_clock_end "$pid"
expect_messages
