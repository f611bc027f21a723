# The clock at 100, 150 and 200 % (the Wine prefix's LogPixels at 96, 144 and 192): the tray face is
# drawn at the size of the tray's small icons and shows the time; every page of the settings dialog
# keeps its controls inside their parents, their texts uncut and none over another. Screenshots of the
# tray and of each page at each scale are kept in the test's work folder, to be looked at.
source "$(dirname "$0")/lib.sh"
E2E_CLOCK='2026-12-08 10:00:00'  # each start runs its checks within that minute
# Room for the dialog at twice the size.
E2E_SCREEN=1700x1300
E2E_DESKTOP_SIZE=1600x1200
e2e_begin

# Sets the display's scale for the next start of a Wine program.
set_dpi() {
    local key
    for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
        wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >>"$E2E_LOG" 2>&1 || fail "cannot set LogPixels"
    done
    timeout 30 wineserver -w
}

for dpi in 96 144 192; do
    set_dpi "$dpi"
    folder=$(new_app_folder "app-$dpi")
    pid=$(start_clock "$folder")

    shot=$E2E_WORK/tray-$dpi.png
    icon=$(wait_tray_clock "$shot")
    read -r _ _ size <<<"$icon"
    # The tray's small icons are 16 pixels at 96 dots per inch and grow with the scale.
    [ "$size" -eq $((dpi / 6)) ] || fail "at $dpi dpi the clock in the tray is $size pixels square, not $((dpi / 6))"
    expect_face_at_ten "$shot" "$icon"

    open_settings
    for page in Setup Table About; do
        choose_tab "$page"
        faults=$(layout_faults)
        [ -z "$faults" ] || fail "at $dpi dpi the $page page is not laid out as it should be: $faults"
        shoot_settings "$E2E_WORK/$(tr '[:upper:]' '[:lower:]' <<<"$page")-$dpi.png" "$pid"
    done
    close_settings "$E2E_IDCANCEL"
    close_clock "$pid"
    timeout 30 wineserver -w
done
