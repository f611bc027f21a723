# With no sound server the program runs through the noon minute, quietly, and its menu still works.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 11:59:56'
e2e_begin no-sound

start_clock
pid=$E2E_CLOCK_PID
wait_icon
wait_clock '2026-12-08 12:00:25'
clock_runs "$pid"
expect_menu "$(printf '%s\n' "20:00 in Singapore" "04:00 in San Francisco" "15:00 in Moscow" - \
    "Properties..." "Say the time" "Be silent" "Close")"
choose Close
wait_clock_end "$pid"
expect_messages
