# Choices on the settings dialog's Setup page, made step by step as a user makes them, and the file
# that OK then writes at once: the same for the Windows program and the Linux one, whose tests both
# run through these steps. The clock starts on SETTINGS_START, at 2026-12-08 clear of the full and
# half hours; each step opens the dialog anew on what the step before stored.
#
# A step, its fields parted by "|": the boxes clicked in order, by their captions, parted by ",";
# the volume slider's new position ("-": as it is); the world-clock lines typed in place of the old
# ones, as printf makes them ("-": as they are); the quiet hours' times "HH:MM-HH:MM" chosen in their
# pickers, hours and minutes typed as a keyboard's user does ("-": as they are); the file after OK, as
# printf makes it.
SETTINGS_START='[Main]\r\nFlags=69,5,8,2\r\nTime1=+9 in Singapore\r\nTime2=+5:30 in Mumbai\r\n'
SETTINGS_STEPS=(
    # Sounds on, the half hour struck, the a.m. and p.m. words as they are; the world clocks up to the
    # first empty line, without their leading blanks; quiet hours across midnight.
    'Striking and voices,Strike half hour,Switch AM/PM,Quiet hours|7|  +1 in Paris\r\n-5 in New York\r\n\r\n+3 in Nairobi\r\n|21:45-06:15|[Main]\r\nFlags=23,7,8,2\r\nTime1=+1 in Paris\r\nTime2=-5 in New York\r\nQuietHours=on,21:45,06:15\r\n'
    # The icon goes from the tray at once.
    'Hide icon|-|-|-|[Main]\r\nFlags=55,7,8,2\r\nTime1=+1 in Paris\r\nTime2=-5 in New York\r\nQuietHours=on,21:45,06:15\r\n'
    # The program ends, and has saved; quiet hours off keep their times.
    'Strike half hour,Quiet hours,Close Tockbell|6|-|-|[Main]\r\nFlags=53,6,8,2\r\nTime1=+1 in Paris\r\nTime2=-5 in New York\r\nQuietHours=off,21:45,06:15\r\n'
)

# The rules between the boxes, click by click from SETTINGS_START: the box clicked, then what the nine
# boxes show afterwards, in the order "Striking and voices", "Multistrike hours", "Strike half hour",
# "Voice hours", "Voice half hours", "Switch AM/PM", "Hide icon", "Close Tockbell", "Uninstall
# Tockbell": "x" checked, "-" not, in parentheses while greyed.
SETTINGS_BOXES=("Striking and voices" "Multistrike hours" "Strike half hour" "Voice hours" "Voice half hours"
    "Switch AM/PM" "Hide icon" "Close Tockbell" "Uninstall Tockbell")
SETTINGS_START_BOXES='- (x) (-) (x) (-) x - - -'
SETTINGS_RULES=(
    'Striking and voices|x x - x - x - - -'  # on: the four below enabled, "Voice half hours" too
    'Voice hours|x x - - (-) x - - -'        # "Voice hours" off greys "Voice half hours"
    'Voice hours|x x - x - x - - -'          # and on enables it, unchecked
    'Voice half hours|x x - x x x - - -'
    'Voice hours|x x - - (-) x - - -'  # off unchecks it
    'Striking and voices|- (x) (-) (-) (-) x - - -'  # off greys all four
    'Striking and voices|x x - - - x - - -'  # on enables all four, whatever "Voice hours" shows
    'Voice half hours|x x - - x x - - -'
    'Voice hours|x x - x - x - - -'  # "Voice hours" on unchecks "Voice half hours" too
    'Strike half hour|x x x x - x - - -'
    'Switch AM/PM|x x x x - - - - -'
    'Uninstall Tockbell|x x x x - - x x x'  # uninstalling hides the icon and closes the program
    'Hide icon|x x x x - - - x -'           # showing the icon withdraws the uninstall
    'Uninstall Tockbell|x x x x - - x x x'
    'Close Tockbell|x x x x - - x - -'  # as does staying open
    'Uninstall Tockbell|x x x x - - x x x'
    'Uninstall Tockbell|x x x x - - x x -'  # unchecked alone, it leaves the two others
)

# Splits the step STEP into STEP_BOXES (an array), STEP_VOLUME, STEP_ZONES, STEP_QUIET_FROM and
# STEP_QUIET_TO (each "-" or "HH:MM"), and STEP_FILE.
read_settings_step() {
    local boxes quiet
    IFS='|' read -r boxes STEP_VOLUME STEP_ZONES quiet STEP_FILE <<<"$1"
    IFS=',' read -r -a STEP_BOXES <<<"$boxes"
    STEP_QUIET_FROM=- STEP_QUIET_TO=-
    [ "$quiet" = - ] || IFS='-' read -r STEP_QUIET_FROM STEP_QUIET_TO <<<"$quiet"
}
