#!/usr/bin/env bash
# The packages as users get them. The Debian package passes lintian and the AppStream and desktop
# entry checks, and its dependencies resolve on this system; installed by dpkg into a throw-away root,
# its /usr/bin/tockbell runs as a user's clock: the first start writes only the autostart entry (the
# package's menu entry is the menu's), the icon shows in the tray, Close saves; the uninstall removes
# the user's entry and settings, keeps the recording and leaves the package's files alone; removing
# the package leaves the user's files. The Windows zip made again, from inputs with other file times,
# gives the same bytes.
#   tests/package/package_test.sh PACKAGE-FOLDER path/to/tockbell.exe
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 package-folder tockbell.exe" >&2; exit 2; }
PACKAGES=$(cd "$1" && pwd -P)
EXE=$(cd "$(dirname "$2")" && pwd -P)/$(basename "$2")
ROOT_SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
VERSION=$(dpkg-parsechangelog -l "$ROOT_SOURCE/debian/changelog" -S Version)
DEB=$PACKAGES/tockbell_${VERSION}_$(dpkg --print-architecture).deb
ZIP=$PACKAGES/tockbell-$VERSION-windows-x86_64.zip

# The Linux end-to-end harness, on the program as dpkg installs it into the test's throw-away root.
export TOCKBELL_BUILD=$PACKAGES/test
export TOCKBELL_PROGRAM=$TOCKBELL_BUILD/linux-e2e-work/$(basename "$0" .sh)/root/usr/bin/tockbell
source "$ROOT_SOURCE/tests/linux/e2e/lib.sh"
e2e_begin no-sound
ROOT=$E2E_WORK/root

# One version everywhere: the build's, the package's, the AppStream release's.
[ "$VERSION" = "$(sed -n 's/^project(Tockbell VERSION \([0-9.]*\).*/\1/p' "$ROOT_SOURCE/CMakeLists.txt")" ] ||
    fail "debian/changelog's version $VERSION is not the build's"
grep -q "<release version=\"$VERSION\"" "$ROOT_SOURCE"/res/linux/*.metainfo.xml ||
    fail "the AppStream metadata has no release $VERSION"
grep -q "^\.TH TOCKBELL 1 .* \"Tockbell $VERSION\"" "$ROOT_SOURCE/res/linux/tockbell.1" ||
    fail "the manual page is not of version $VERSION"

# Debian's and the desktop's checks, every complaint shown; a warning fails as an error does.
lintian --fail-on error,warning --info "$PACKAGES/tockbell_${VERSION}_$(dpkg --print-architecture).changes" ||
    fail "lintian complains about the package"
dpkg-deb -x "$DEB" "$E2E_WORK/contents"
appstreamcli validate --no-net "$E2E_WORK"/contents/usr/share/metainfo/*.metainfo.xml ||
    fail "the AppStream metadata is not valid"
desktop-file-validate "$E2E_WORK/contents/usr/share/applications/tockbell.desktop" ||
    fail "the menu entry is not valid"
for size in 16 22 24 32 48 64 128 256; do
    [ "$(identify -format %wx%h "$E2E_WORK/contents/usr/share/icons/hicolor/${size}x$size/apps/tockbell.png")" = "${size}x$size" ] ||
        fail "no icon of $size pixels"
done
[ -f "$E2E_WORK/contents/usr/share/icons/hicolor/scalable/apps/tockbell.svg" ] || fail "no scalable icon"
[[ ", $(dpkg-deb -f "$DEB" Depends), " == *", fluid-soundfont-gm, "* ]] || fail "the package does not depend on the sound font"
apt-get install --simulate -q "$DEB" >"$E2E_WORK/apt.log" 2>&1 || fail "the package's dependencies do not resolve (see $E2E_WORK/apt.log)"

# dpkg's own install into the throw-away root, without its dependencies (they are the system's).
mkdir -p "$ROOT/var/lib/dpkg/info" "$ROOT/var/lib/dpkg/updates"
: >"$ROOT/var/lib/dpkg/status"
dpkg_root() {
    dpkg --root="$ROOT" --log=/dev/null --force-not-root --force-script-chrootless --force-depends "$@" \
        >>"$E2E_WORK/dpkg.log" 2>&1 || fail "dpkg $* failed (see $E2E_WORK/dpkg.log)"
}
dpkg_root --install "$DEB"
[ -x "$TOCKBELL_PROGRAM" ] || fail "the package installed no $TOCKBELL_PROGRAM"
package_files() { (cd "$ROOT" && find usr -type f -exec md5sum {} + | sort); }
installed=$(package_files)

# The desktop finds the package's files where it finds a system's.
export PATH=$ROOT/usr/bin:$PATH XDG_DATA_DIRS=$ROOT/usr/share:/usr/local/share:/usr/share
config=$(config_folder)

start_clock
pid=$E2E_CLOCK_PID
wait_icon
wait_until "$E2E_WAIT" "autostart entry" test -f "$(autostart_entry)"
screenshot "$E2E_WORK/tray.png"
choose Close
wait_clock_end "$pid"
[ "$(entry_exec "$(autostart_entry)")" = "$TOCKBELL_PROGRAM" ] || fail "the autostart entry starts '$(entry_exec "$(autostart_entry)")'"
[ ! -e "$(menu_entry)" ] || fail "the packaged program wrote a menu entry of its own beside the package's"
expect_folder "$HOME/.config" autostart pulse tockbell
expect_file "$config/tockbell.ini" "$E2E_DEFAULT_FILE"

# The uninstall: the user's entry and settings go, the recording stays, the package is untouched.
printf 'RIFF' >"$config/tockbell.wav"
run_clock --uninstall
expect_folder "$config" tockbell.wav
[ ! -e "$(autostart_entry)" ] || fail "the uninstall left the autostart entry"
[ "$(package_files)" = "$installed" ] || fail "the uninstall changed the package's files"

# Removing the package, even purging it, leaves what a user made.
start_clock
pid=$E2E_CLOCK_PID
wait_icon
choose Close
wait_clock_end "$pid"
user_files() { (cd "$HOME" && find . -path ./.config/pulse -prune -o -type f -exec md5sum {} + | sort); }
before=$(user_files)
[[ $before == *tockbell.ini* && $before == *autostart/tockbell.desktop* && $before == *tockbell.wav* ]] ||
    fail "the user's files are not all there before the removal: $before"
dpkg_root --purge tockbell
[ ! -d "$ROOT/usr" ] || [ -z "$(find "$ROOT/usr" -type f)" ] || fail "the removal left files: $(find "$ROOT/usr" -type f)"
[ "$(user_files)" = "$before" ] || fail "the removal of the package changed the user's files"

# The Windows zip: its entries, and the same bytes from inputs with other times. The program itself
# carries no link time.
[ "$(unzip -Z1 "$ZIP")" = "$(printf 'tockbell.exe\nREADME.txt')" ] || fail "the zip holds $(unzip -Z1 "$ZIP" | paste -s -d ' ')"
unzip -p "$ZIP" tockbell.exe | cmp -s - "$EXE" || fail "the zip's tockbell.exe is not the one built"
cp -p "$EXE" "$E2E_WORK/tockbell.exe"
touch -d '2001-02-03 04:05:06' "$E2E_WORK/tockbell.exe"
(umask 077 && "$ROOT_SOURCE/tools/make-windows-zip" "$E2E_WORK/tockbell.exe" "$E2E_WORK/again.zip" >/dev/null)
cmp "$ZIP" "$E2E_WORK/again.zip" || fail "the zip made again differs"
python3 - "$EXE" <<'PYTHON' || fail "tockbell.exe carries its link time"
import struct, sys
data = open(sys.argv[1], "rb").read()
header = struct.unpack_from("<I", data, 0x3C)[0]
sys.exit(struct.unpack_from("<I", data, header + 8)[0] != 0)  # the COFF header's TimeDateStamp
PYTHON
echo "the packages pass"
