# Shared steps of the end-to-end tests, sourced by each test script. A test runs the real
# tockbell.exe, copied into a fresh folder, on its own X server (Xvfb) and in its own Wine prefix,
# inside a Wine virtual desktop, at a pinned date (faketime), and looks into it with tbdriver from
# the same desktop. Every wait is bounded, so a hang fails the test instead of blocking it, and the
# cleanup leaves nothing running. CTest sets TOCKBELL_EXE, TOCKBELL_DRIVER and TOCKBELL_BUILD.
set -euo pipefail

: "${TOCKBELL_EXE:?}" "${TOCKBELL_DRIVER:?}" "${TOCKBELL_BUILD:?}"

E2E_TOOLS=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)
E2E_WORK=$TOCKBELL_BUILD/e2e-work/$(basename "$0" .sh)  # kept after the run, for a look at what happened
E2E_LOG=$E2E_WORK/wine.log
E2E_DESKTOP=tockbell
E2E_CLOCK='2026-12-08 10:00:00'  # the program's clock starts here and runs on; a test may pin another
E2E_TITLE='Striking Tockbell'
E2E_DIALOG='Tockbell Settings'
E2E_CLOSE=57665
E2E_BE_SILENT=32771
E2E_IDCANCEL=2
E2E_WAIT=30  # seconds that any one step may take before the test fails

# The program writes a Start menu shortcut; Wine's menu builder must not copy it into the host's menus.
export WINEPREFIX=$E2E_WORK/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
# libfaketime shifts file times too unless told not to; Wine would then take its prefix for out of
# date and rebuild it at every start.
export NO_FAKE_STAT=1

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Repeats a command until it succeeds; fails the test after SECONDS.
wait_until() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "no $what within ${seconds}s"
        sleep 0.1
    done
}

# The driver inside the test's desktop, bounded even if Wine itself hangs. Wine's own chatter goes to
# the log; the driver's answers come on stdout and as its exit code.
drive() {
    timeout -k 5 $((E2E_WAIT + 30)) wine "$TOCKBELL_DRIVER" "$E2E_DESKTOP" "$@" 2>>"$E2E_LOG"
}

start_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$E2E_WORK/display" >"$E2E_WORK/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    wait_until "$E2E_WAIT" "X display" test -s "$E2E_WORK/display"
    DISPLAY=:$(cat "$E2E_WORK/display")
    export DISPLAY
}

# A prefix is made once per build (wineboot takes some ten seconds), then copied for each test. The
# large system folder is shared through hard links, since nothing writes into its programs and
# libraries; its settings files, which profile calls rewrite in place, get copies of their own.
make_prefix() {
    local template=$TOCKBELL_BUILD/e2e-wineprefix
    WINEPREFIX=$template timeout 300 "$E2E_TOOLS/wine-prefix" >/dev/null || fail "cannot make the Wine prefix"
    mkdir -p "$WINEPREFIX/drive_c"
    find "$template" -mindepth 1 -maxdepth 1 ! -name drive_c -exec cp -a {} "$WINEPREFIX/" \;
    find "$template/drive_c" -mindepth 1 -maxdepth 1 ! -name windows -exec cp -a {} "$WINEPREFIX/drive_c/" \;
    cp -al "$template/drive_c/windows" "$WINEPREFIX/drive_c/windows"
    find "$template/drive_c/windows" -name '*.ini' -printf '%P\0' |
        (cd "$template/drive_c/windows" && xargs -0 -r cp --remove-destination --parents -t "$WINEPREFIX/drive_c/windows")
}

e2e_cleanup() {
    local status=$?
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    timeout 30 wineserver -w >/dev/null 2>&1 || true
    [ -z "${E2E_XVFB_PID:-}" ] || kill "$E2E_XVFB_PID" 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    [ "$status" -eq 0 ] || echo "Wine's log: $E2E_LOG" >&2
}

e2e_begin() {
    rm -rf "$E2E_WORK"
    mkdir -p "$E2E_WORK"
    trap e2e_cleanup EXIT
    # Stopped from outside (CTest's timeout): still clean up, and as a failure.
    trap 'exit 143' TERM
    trap 'exit 130' INT
    start_display
    make_prefix
}

# A fresh folder holding only a copy of the program; the program keeps its files beside itself.
new_app_folder() {
    local folder=$E2E_WORK/$1
    mkdir -p "$folder"
    cp "$TOCKBELL_EXE" "$folder/tockbell.exe"
    echo "$folder"
}

# Starts the program of FOLDER in the test's Wine desktop and waits until it has started up; prints
# the Windows process id of the program. The main window can be found by its title while it is still
# being created, so the wait goes on until the program waits for input.
start_clock() {
    local folder=$1 pid
    (cd "$folder" && exec timeout -k 5 300 faketime "$E2E_CLOCK" \
        wine explorer "/desktop=$E2E_DESKTOP,800x600" tockbell.exe >>"$E2E_LOG" 2>&1) &
    drive wait "$E2E_TITLE" "$E2E_WAIT" >/dev/null || fail "the main window did not appear"
    pid=$(drive pid "$E2E_TITLE") || fail "the main window went away"
    drive wait-idle "$pid" "$E2E_WAIT" >/dev/null || fail "the program did not finish starting"
    echo "$pid"
}

# Starts the program of FOLDER once more in the same desktop, as a user would, and fails unless that
# copy soon ends of its own accord with exit code 0. faketime itself waits for every process started
# under it, so a copy that keeps running is cut off by the outer timeout.
start_again() {
    local folder=$1 code
    code=$(cd "$folder" && timeout -k 5 $((E2E_WAIT + 30)) faketime "$E2E_CLOCK" \
        wine "$TOCKBELL_DRIVER" "$E2E_DESKTOP" run '.\tockbell.exe' "$E2E_WAIT" 2>>"$E2E_LOG") ||
        fail "a further copy of the program did not end"
    [ "$code" = 0 ] || fail "a further copy of the program ended with code $code"
}

# Sends "Close" to the program with process id PID and waits until that process has ended.
close_clock() {
    local pid=$1
    drive command "$E2E_TITLE" "$E2E_CLOSE" >/dev/null || fail "cannot send Close"
    drive wait-exit "$pid" "$E2E_WAIT" >/dev/null || fail "the program did not end after Close"
}

# Fails unless FILE holds exactly the bytes that printf makes of FORMAT.
expect_file() {
    local file=$1 format=$2
    [ -f "$file" ] || fail "$file is missing"
    if ! cmp -s "$file" <(printf "$format"); then
        echo "expected:" >&2
        printf "$format" | od -c >&2
        echo "found:" >&2
        od -c "$file" >&2
        fail "$file does not hold what it should"
    fi
}

# Fails unless FOLDER holds exactly the named files.
expect_folder() {
    local folder=$1
    shift
    local found expected
    found=$(cd "$folder" && ls -A | sort)
    expected=$(printf '%s\n' "$@" | sort)
    [ "$found" = "$expected" ] || fail "$folder holds [$(echo $found)], expected [$(echo $expected)]"
}
