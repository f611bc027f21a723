# Shared steps of the Linux program's end-to-end tests, sourced by each test script. A test runs the
# real program as a user of its own would: a private HOME and XDG_RUNTIME_DIR, its own X server
# (Xvfb) with a tray host (trayer), session D-Bus and accessibility bus, and its own PulseAudio
# daemon, whose one output is a null sink that a recorder reads at the pace of a sound card. The
# program runs at a pinned date (libfaketime) and is seen through AT-SPI (tray_driver.py) and
# screenshots. Every wait is bounded, and the cleanup ends every process that the test started.
# CTest sets TOCKBELL_PROGRAM and TOCKBELL_BUILD.
: "${TOCKBELL_PROGRAM:?}" "${TOCKBELL_BUILD:?}"

E2E_LINUX=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_WORK=$TOCKBELL_BUILD/linux-e2e-work/$(basename "$0" .sh)  # kept after the run, for a look at what happened
source "$E2E_LINUX/../../e2e/common.sh"

E2E_CLOCK='2026-12-08 10:00:00'  # the program's clock starts here and runs on; a test may pin another
E2E_APP=tockbell  # the program's name, as AT-SPI and X know it
# The system's python3, which has the AT-SPI bindings.
E2E_PYTHON=/usr/bin/python3
# The sound server hands each sound on as a stream of its own, a few milliseconds apart, and its
# monitor may drop some ten milliseconds as a stream begins (paplay's too), so the parts are compared
# by order, onset, length and level rather than byte for byte; a mono file is spread over both
# channels by the server, which shifts it by a fraction of a frame.
E2E_SOUND_CHECK=(--max-gap 0.25 --level-tolerance 0.05 --head-loss 150)
# The settings file that Close writes after a first start.
E2E_DEFAULT_FILE='[Main]\r\nFlags=31,2,8,3\r\n'"$E2E_DEFAULT_ZONES"
E2E_STARTS=0  # how many times the program was started; each start has its own log files

e2e_cleanup() {
    local status=$? folder pid deadline=$((SECONDS + 10))
    for folder in "${E2E_READ_ONLY[@]}"; do writable_folder "$folder" || true; done
    # Everything the test started carries its mark, also what D-Bus started on demand; the X server
    # goes last, and what has not ended after a while is killed.
    for pid in $(other_marked_processes); do kill "$pid" 2>/dev/null || true; done
    while [ -n "$(other_marked_processes)" ] && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
    for pid in $(other_marked_processes); do
        echo "process $pid ($(cat "/proc/$pid/comm" 2>/dev/null)) did not end: killed" >&2
        kill -KILL "$pid" 2>/dev/null || true
    done
    [ -z "${E2E_XVFB_PID:-}" ] || kill "$E2E_XVFB_PID" 2>/dev/null || true
    report_crashes
    [ "$status" -eq 0 ] || echo "the test's files: $E2E_WORK" >&2
}

# A program that crashed left its core in the work folder, where it runs; the stacks of its threads
# go into the test's output, for a crash under load may not come again.
report_crashes() {
    local core
    for core in "$E2E_WORK"/core*; do
        [ -f "$core" ] || continue
        echo "the program crashed; the stacks of its threads ($core):" >&2
        gdb -batch -nx -ex 'thread apply all bt' "$TOCKBELL_PROGRAM" "$core" 2>&1 | grep -E '^(Thread|#)' >&2
    done
}

# The processes but the X server that carry the test's mark in their environment, other than this
# shell and its subshell that looks.
other_marked_processes() {
    local proc pid
    for proc in /proc/[0-9]*; do
        pid=${proc#/proc/}
        [ "$pid" != "$$" ] && [ "$pid" != "$BASHPID" ] && [ "$pid" != "${E2E_XVFB_PID:-}" ] || continue
        grep -qzxF "TOCKBELL_E2E_MARK=$E2E_WORK" "$proc/environ" 2>/dev/null && echo "$pid"
    done
    return 0
}

# Starts the test: its folders, its X server and session bus, its sound server unless "no-sound" is
# given, and its tray host unless "no-tray" is.
e2e_begin() {
    begin_work
    ulimit -c unlimited 2>/dev/null || true
    export TOCKBELL_E2E_MARK=$E2E_WORK
    export HOME=$E2E_WORK/home XDG_RUNTIME_DIR=$E2E_WORK/run
    unset XDG_CONFIG_HOME XDG_DATA_HOME PULSE_SERVER PULSE_SINK AT_SPI_BUS_ADDRESS TOCKBELL_SOUNDFONT
    mkdir -p "$HOME/.config/pulse" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    # Without a sound server of the test's own, the program must find none, not start one.
    echo 'autospawn = no' >"$HOME/.config/pulse/client.conf"
    start_display
    start_session_bus
    [[ " $* " == *" no-sound "* ]] || start_sound
    [[ " $* " == *" no-tray "* ]] || start_tray
}

# A session bus of the test's own; the accessibility bus is started on it at once, before the
# program, which looks for it when it starts.
start_session_bus() {
    dbus-daemon --session --fork --address="unix:path=$XDG_RUNTIME_DIR/bus" --print-address=3 \
        3>"$E2E_WORK/bus" >"$E2E_WORK/dbus.log" 2>&1 || fail "cannot start a session bus"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_WORK/bus")
    export DBUS_SESSION_BUS_ADDRESS
    timeout "$E2E_WAIT" dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >"$E2E_WORK/a11y-bus" 2>&1 || fail "no accessibility bus: $(cat "$E2E_WORK/a11y-bus")"
    # Qt exposes its widgets to AT-SPI only when asked, or always with this.
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# The sound server, a null sink in the format of the program's sounds as its default, and the
# recorder of what the sink plays, which appends to E2E_CAPTURE from now on.
start_sound() {
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-exit \
        -L module-native-protocol-unix -L "module-null-sink sink_name=capture rate=11025 format=u8 channels=2" \
        -L module-always-sink >"$E2E_WORK/pulseaudio.log" 2>&1 &
    wait_until "$E2E_WAIT" "sound server (see $E2E_WORK/pulseaudio.log)" pactl info >/dev/null 2>&1
    pactl set-default-sink capture || fail "cannot make the null sink the default"
    : >"$E2E_CAPTURE"
    parec -d capture.monitor --raw --format=u8 --rate=11025 --channels=2 --latency-msec=10 \
        >>"$E2E_CAPTURE" 2>"$E2E_WORK/parec.log" &
    wait_until "$E2E_WAIT" "recording of the null sink" capture_recording
}
capture_recording() { [ -s "$E2E_CAPTURE" ]; }

# After a source named tone was loaded: the server takes a new source as its default and moves the
# recorder of the null sink's monitor onto it; both go back, and the program alone records the tone,
# through the variable that every PulseAudio client reads.
tone_for_the_program_only() {
    local output
    pactl set-default-source capture.monitor || fail "cannot make the monitor the default source again"
    for output in $(pactl list short source-outputs | cut -f 1); do
        pactl move-source-output "$output" capture.monitor || fail "cannot move the capture back to the monitor"
    done
    export PULSE_SOURCE=tone
}

# A stand-in for the desktop's notification service on the session bus (notification_server.py),
# writing what it is shown into E2E_NOTIFICATIONS.
E2E_NOTIFICATIONS=
start_notifications() {
    E2E_NOTIFICATIONS=$E2E_WORK/notifications.txt
    : >"$E2E_NOTIFICATIONS"
    "$E2E_PYTHON" "$E2E_LINUX/notification_server.py" "$E2E_NOTIFICATIONS" >"$E2E_WORK/notification_server.log" 2>&1 &
    wait_until "$E2E_WAIT" "notification service" notifications_up
}
notifications_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.Notifications /org/freedesktop/Notifications \
        org.freedesktop.Notifications.GetCapabilities >/dev/null 2>&1
}

# The notifications shown so far, one a line: id, summary, body and actions, tab-separated.
notifications() { cat "$E2E_NOTIFICATIONS"; }

# Chooses the action ACTION of the notification ID, as the user does.
choose_action() {
    dbus-send --session --print-reply --dest=org.freedesktop.Notifications /org/freedesktop/Notifications \
        org.tockbell.Test.Invoke "uint32:$1" "string:$2" >/dev/null || fail "cannot choose $2 in notification $1"
}

# The window that owns the X selection of the system tray, 0 when there is none.
tray_owner() {
    "$E2E_PYTHON" -c '
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes, x.XInternAtom.restype = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int], ctypes.c_ulong
x.XGetSelectionOwner.argtypes, x.XGetSelectionOwner.restype = [ctypes.c_void_p, ctypes.c_ulong], ctypes.c_ulong
display = x.XOpenDisplay(None) or sys.exit("no X display")
print(x.XGetSelectionOwner(display, x.XInternAtom(display, b"_NET_SYSTEM_TRAY_S0", 0)))'
}
tray_is_up() { [ "$(tray_owner)" != 0 ]; }
tray_is_gone() { [ "$(tray_owner)" = 0 ]; }

# Starts the tray host, a panel at the screen's top right HEIGHT pixels high (32 unless given), and
# waits until it owns the tray. Its icons are 22 pixels wide and 2 pixels less high than the panel.
E2E_TRAYS=0
start_tray() {
    E2E_TRAYS=$((E2E_TRAYS + 1))
    trayer --edge top --align right --width 10 --height "${1:-32}" >"$E2E_WORK/trayer-$E2E_TRAYS.log" 2>&1 &
    E2E_TRAY_PID=$!
    wait_until "$E2E_WAIT" "tray host" tray_is_up
}

# Ends the tray host, as when a panel crashes, and waits until the tray has no owner.
stop_tray() {
    kill "$E2E_TRAY_PID"
    wait "$E2E_TRAY_PID" 2>/dev/null || true
    wait_until "$E2E_WAIT" "end of the tray host" tray_is_gone
}

# Starts the program at the pinned clock, with the further arguments as its own, and sets
# E2E_CLOCK_PID to its process; its output goes to clock-N.out and clock-N.err in the work folder
# (N counts the starts), E2E_CLOCK_ERR names the latter.
start_clock() {
    E2E_STARTS=$((E2E_STARTS + 1))
    E2E_CLOCK_ERR=$E2E_WORK/clock-$E2E_STARTS.err
    # shellcheck disable=SC2046 # one NAME=VALUE a word
    (cd "$E2E_WORK" && exec env $(clock_environment) "$TOCKBELL_PROGRAM" "$@") >"$E2E_WORK/clock-$E2E_STARTS.out" \
        2>"$E2E_CLOCK_ERR" &
    E2E_CLOCK_PID=$!
    # Its clock is known once env has become the program.
    wait_until "$E2E_WAIT" "start of the program" program_started
}
program_started() {
    [ "$(readlink "/proc/$E2E_CLOCK_PID/exe" 2>/dev/null)" = "$(readlink -f "$TOCKBELL_PROGRAM")" ] ||
        ! kill -0 "$E2E_CLOCK_PID" 2>/dev/null
}

# Starts the program with the further arguments and fails unless it ends of its own accord within
# E2E_WAIT with exit code 0.
run_clock() {
    local code=0
    start_clock "$@"
    wait_until "$E2E_WAIT" "end of '$TOCKBELL_PROGRAM $*'" clock_ended "$E2E_CLOCK_PID"
    wait "$E2E_CLOCK_PID" || code=$?
    [ "$code" = 0 ] || fail "'$TOCKBELL_PROGRAM $*' ended with code $code (see $E2E_CLOCK_ERR)"
}

clock_ended() { ! kill -0 "$1" 2>/dev/null; }
clock_runs() { kill -0 "$1" 2>/dev/null || fail "the program (process $1) has ended (see $E2E_CLOCK_ERR)"; }

# The running program's process, for the waits on its clock.
clock_unix_pid() {
    kill -0 "${E2E_CLOCK_PID:-0}" 2>/dev/null || return 1
    echo "$E2E_CLOCK_PID"
}

# Waits until the program with process PID has ended, and fails unless with exit code 0.
wait_clock_end() {
    local pid=$1 code=0
    wait_until "$E2E_WAIT" "end of the program" clock_ended "$pid"
    wait "$pid" || code=$?
    [ "$code" = 0 ] || fail "the program ended with code $code (see $E2E_CLOCK_ERR)"
}

# Ends the program with process PID by the signal SIGNAL, as a session's end does, and waits for its end.
signal_clock() {
    kill -s "$2" "$1" || fail "cannot send $2 to the program"
    wait_clock_end "$1"
}

# The program's icon in the tray: "x y width height" on the screen; nothing while it has none. It is
# the program's window that the tray host's panel has taken in.
tray_icon() {
    xwininfo -root -tree | awk -v class="(\"$E2E_APP\" " '
        index($0, class) && match($0, /[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+ +\+-?[0-9]+\+-?[0-9]+$/) {
            geometry = substr($0, RSTART)
            if (match($0, /[^ ]/) <= 8) next  # a top-level window of the program, not docked
            split(geometry, part, /[x+ ]+/)
            if (part[1] > 1 && part[2] > 1) { print part[5], part[6], part[1], part[2]; exit }
        }'
}
icon_shows() { [ -n "$(tray_icon)" ]; }
icon_gone() { [ -z "$(tray_icon)" ]; }

# Waits until the program's icon is in the tray; sets ICON_X ICON_Y ICON_WIDTH ICON_HEIGHT and the
# centre ICON_CX ICON_CY.
wait_icon() {
    wait_until "$E2E_WAIT" "icon of the program in the tray" icon_shows
    read -r ICON_X ICON_Y ICON_WIDTH ICON_HEIGHT <<<"$(tray_icon)"
    ICON_CX=$((ICON_X + ICON_WIDTH / 2)) ICON_CY=$((ICON_Y + ICON_HEIGHT / 2))
}

# The tray driver on the program's icon (see tray_driver.py), bounded even if AT-SPI hangs.
drive() {
    local command=$1
    shift
    timeout -k 5 $((E2E_WAIT + 30)) "$E2E_PYTHON" "$E2E_LINUX/tray_driver.py" "$E2E_APP" "$E2E_WAIT" \
        "$command" "$ICON_CX" "$ICON_CY" "$@"
}

# The items of the icon's menu, one a line, as tray_driver.py's menu prints them; with SHOT, a
# screenshot of the open menu is kept there.
menu_items() { drive menu "$@" || fail "cannot read the icon's menu"; }

# Fails unless the icon's menu shows the lines EXPECTED; with SHOT, a screenshot of it is kept there.
expect_menu() {
    local found
    found=$(menu_items "${@:2}")
    [ "$found" = "$1" ] || { printf 'expected:\n%s\nfound:\n%s\n' "$1" "$found" >&2; fail "the menu is not as it should be"; }
}

# Clicks the icon with the left button, as a user opens the settings from the tray.
click_icon() { timeout 10 xdotool mousemove "$ICON_CX" "$ICON_CY" click 1 || fail "cannot click the icon"; }

# Opens the icon's menu and chooses its item TEXT; with UNTIL (seconds since 1970), the menu stays
# open until then.
choose() { drive choose "$@" || fail "cannot choose '$1' in the icon's menu"; }

# The icon's tooltip.
tooltip() { drive tooltip || fail "the icon shows no tooltip"; }

# Keeps a screenshot of the screen as FILE.
screenshot() { timeout 30 import -window root "$1" || fail "cannot take a screenshot"; }

# Fails unless the program's own messages on stderr (its lines that begin with "tockbell: ") are
# exactly as many as the further arguments, each a pattern of grep -E that one of them matches. What
# Qt says there besides is left to the log.
expect_messages() {
    local pattern lines=() line
    mapfile -t lines < <(grep '^tockbell: ' "$E2E_CLOCK_ERR")
    [ "${#lines[@]}" -eq "$#" ] ||
        fail "the program wrote ${#lines[@]} messages on stderr, expected $# (see $E2E_CLOCK_ERR): ${lines[*]}"
    for pattern in "$@"; do
        for line in "${lines[@]}"; do
            ! grep -qE -- "$pattern" <<<"$line" || continue 2
        done
        fail "no message on stderr matches '$pattern' (see $E2E_CLOCK_ERR)"
    done
}

# Sound. The recorder appends all that the null sink plays, silence included, so the capture grows
# all the time: the mark of the sound that came is the length of the capture up to its last frame
# that is not silent.
capture_mark() {
    "$E2E_PYTHON" -c '
import sys
data = open(sys.argv[1], "rb").read()
print(len(data.rstrip(bytes([127, 128, 129]))))' "$E2E_CAPTURE"
}

# The largest deviation from silence in the capture.
capture_peak() {
    "$E2E_PYTHON" -c '
import sys
print(max((abs(b - 128) for b in open(sys.argv[1], "rb").read()), default=0))' "$E2E_CAPTURE"
}

# How many seconds of sound the capture holds from its first frame that is not silent to its last.
capture_seconds() {
    "$E2E_PYTHON" -c '
import sys
data = open(sys.argv[1], "rb").read()
quiet = bytes([127, 128, 129])
print(round((len(data.rstrip(quiet)) - (len(data) - len(data.lstrip(quiet)))) / 2 / 11025, 1)
      if data.strip(quiet) else 0)' "$E2E_CAPTURE"
}

# Fails unless the capture holds sound: louder than a deviation of 8, for WHAT.
expect_sound() { [ "$(capture_peak)" -gt 8 ] || fail "the capture is silent: no sound from $1"; }
# Fails unless the capture holds silence only, after WHAT.
expect_silence() { [ "$(capture_peak)" -le 1 ] || fail "the capture holds sound (peak $(capture_peak)) after $1"; }

# Writes FILE, a standard MIDI file of a piano playing a scale, a note every half second, for SECONDS.
make_midi() {
    python3 - "$1" "$2" <<'PYTHON'
import struct, sys
path, seconds = sys.argv[1], float(sys.argv[2])
TICKS = 480  # a quarter note; the default tempo makes it half a second
def delta(ticks):
    out = [ticks & 0x7F]
    ticks >>= 7
    while ticks:
        out.insert(0, 0x80 | ticks & 0x7F)
        ticks >>= 7
    return bytes(out)
events = bytes([0x00, 0xC0, 0x00])  # piano
for i in range(int(seconds * 2)):
    note = 60 + [0, 2, 4, 5, 7, 9, 11, 12][i % 8]
    events += bytes([0x00, 0x90, note, 100]) + delta(TICKS) + bytes([0x80, note, 0])
events += bytes([0x00, 0xFF, 0x2F, 0x00])
with open(path, "wb") as out:
    out.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS))
    out.write(b"MTrk" + struct.pack(">I", len(events)) + events)
PYTHON
}

# The program's files.
config_folder() { echo "${XDG_CONFIG_HOME:-$HOME/.config}/tockbell"; }
autostart_entry() { echo "${XDG_CONFIG_HOME:-$HOME/.config}/autostart/tockbell.desktop"; }
menu_entry() { echo "${XDG_DATA_HOME:-$HOME/.local/share}/applications/tockbell.desktop"; }
# The Exec line of the desktop entry FILE.
entry_exec() { sed -n 's/^Exec=//p' "$1"; }

# The settings dialog, driven through AT-SPI and the keyboard only (tray_driver.py's dialog commands).
E2E_DIALOG='Tockbell Settings'

# tray_driver.py's dialog command COMMAND on the settings dialog, with the further arguments.
settings() {
    local command=$1
    shift
    timeout -k 5 $((E2E_WAIT + 30)) "$E2E_PYTHON" "$E2E_LINUX/tray_driver.py" "$E2E_APP" "$E2E_WAIT" \
        "$command" "$E2E_DIALOG" "$@"
}

# Waits until the settings dialog shows (settings_shown) or has gone (settings_gone).
settings_shown() { settings dialog >/dev/null || fail "the settings dialog did not show"; }
settings_gone() { settings gone || fail "the settings dialog did not close"; }

# Presses, toggles or selects the control NAME of the settings dialog, as a screen reader does.
press() { settings press "$1" || fail "cannot press '$1' in the settings dialog"; }

# Presses the keys KEY... in the settings dialog ("type:TEXT" types TEXT).
keys() { settings keys "$@" || fail "cannot press the keys $* in the settings dialog"; }

# The check boxes NAMES... of the settings dialog, one word each: "x" checked, "-" not, in parentheses
# while greyed; "?" for a box it does not show.
setting_boxes() {
    settings dialog | awk -F '\t' '
        NR == FNR { wanted[++count] = $0; next }
        $1 == "check box" {
            name = $2
            sub(/ \[.*$/, "", name)
            box[name] = $2 ~ / \[checked\]/ ? "x" : "-"
            if ($2 ~ / \[disabled\]/) box[name] = "(" box[name] ")"
        }
        END { for (i = 1; i <= count; i++) printf "%s%s", (i > 1 ? " " : ""), (wanted[i] in box ? box[wanted[i]] : "?"); print "" }
    ' <(printf '%s\n' "$@") -
}

# Succeeds while the check boxes NAMES... (the further arguments) show STATES, as setting_boxes writes them.
boxes_show() {
    local states=$1
    shift
    [ "$(setting_boxes "$@")" = "$states" ]
}

# The control of the settings dialog whose line (as tray_driver.py's dialog command prints it)
# begins with ROLE and NAME.
setting_line() { settings dialog | awk -F '\t' -v role="$1" -v name="$2" '$1 == role && ($2 == name || index($2, name " ") == 1) { print; exit }'; }

# Keeps a screenshot of the settings dialog's window as FILE.
shoot_settings() {
    local window
    window=$(xdotool search --name "^$E2E_DIALOG\$" | head -n 1)
    [ -n "$window" ] || fail "no window of the settings dialog"
    timeout 30 import -window "$window" "$1" || fail "cannot take a screenshot of the settings dialog"
}
