# The first start registers the program to start at log-on and puts its shortcut into the Start
# menu; later starts from the same place write nothing; a moved copy registers itself anew.
source "$(dirname "$0")/lib.sh"
e2e_begin

RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
LINK="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$E2E_TITLE.lnk"

# The Run value as Wine stores it; empty when there is none.
run_value() {
    wine reg query "$RUN_KEY" /v "$E2E_TITLE" 2>>"$E2E_LOG" | tr -d '\r' | sed -n "s/^ *$E2E_TITLE *REG_SZ *//p"
}

# The Windows path Wine gives a file of the host (drive Z: is the host's root).
windows_path() { echo "Z:$1" | tr '/' '\\'; }

# Starts and closes the program of FOLDER, so that Wine has written its registry out.
start_and_close() {
    close_clock "$(start_clock "$1")"
    timeout 30 wineserver -w || true
}

folder=$(new_app_folder first)
[ -z "$(run_value)" ] || fail "the prefix has a Run value before the first start"
start_and_close "$folder"
[ "$(run_value)" = "$(windows_path "$folder/tockbell.exe")" ] || fail "Run value after the first start: '$(run_value)'"
[ -f "$LINK" ] || fail "no shortcut after the first start"
grep -a -q "first" "$LINK" || fail "the shortcut does not point at the program"

# A later start from the same place leaves everything as it is, even a shortcut the user deleted.
rm "$LINK"
start_and_close "$folder"
[ ! -e "$LINK" ] || fail "a later start wrote the shortcut again"
[ "$(run_value)" = "$(windows_path "$folder/tockbell.exe")" ] || fail "a later start changed the Run value"

# A moved copy takes the entries over.
moved=$(new_app_folder moved)
start_and_close "$moved"
[ "$(run_value)" = "$(windows_path "$moved/tockbell.exe")" ] || fail "Run value of the moved copy: '$(run_value)'"
[ -f "$LINK" ] || fail "the moved copy wrote no shortcut"
grep -a -q "moved" "$LINK" || fail "the shortcut does not point at the moved copy"
