#!/usr/bin/env bash
# Builds the Debian package and checks it as a user receives it: its files and
# control data, the same files from `cmake --install`, and the launcher on a
# fresh tree and on a damaged one.   check-package.sh BUILD_DIR CPACK_COMMAND VERSION
set -uo pipefail
build=$1 version=$3
for tool in dpkg dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli Xvfb xwininfo xprop file; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
source "$(dirname "$0")/xsession.sh"
failures=0
check() { # what command...: passes when the command succeeds
  local what=$1; shift
  "$@" && echo "PASS: $what" && return 0
  echo "FAIL: $what"
  failures=$((failures + 1)) && return 1
}
same() { # what expected actual
  check "$1" test "$2" == "$3" || diff <(echo "$2") <(echo "$3") | sed 's/^/    /'
}

arch=$(dpkg --print-architecture)
deb="$tmp/pkg/quotaro_${version}_${arch}.deb"
"$2" --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 || cat "$tmp/cpack.log"
check "cpack builds $(basename "$deb")" test -f "$deb" || { ls "$tmp/pkg"; exit 1; }
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|' | sort)
same "the package holds the programs, the desktop entry, the icons and the AppStream data, and nothing else" \
  "$(printf '%s\n' /usr/bin/quotaro{,-init,-launch} /usr/share/applications/org.quotaro.Quotaro.desktop \
    /usr/share/metainfo/org.quotaro.Quotaro.metainfo.xml \
    /usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/org.quotaro.Quotaro.png | sort)" \
  "$files"
field() { dpkg-deb -f "$deb" "$1"; }
same "control: name, version, architecture" "quotaro $version $arch" "$(field Package) $(field Version) $(field Architecture)"
for need in Depends:libqt6widgets6 Depends:libqt6printsupport6 Depends:libqt6gui6 Depends:libqt6core6 \
  Depends:libc6 Recommends:fonts-dejavu-core Recommends:xdg-utils; do
  check "control: ${need/:/ }" grep -q "${need#*:}" <<<"$(field "${need%:*}")"
done
check "control: a long description follows the summary" test "$(field Description | wc -l)" -gt 1
root="$tmp/root"
dpkg-deb -x "$deb" "$root"
same "the three programs may be run by everyone (mode)" "755 755 755" "$(stat -c %a "$root"/usr/bin/* | xargs)"
same "quotaro and quotaro-init are programs" 2 "$(file -L "$root"/usr/bin/quotaro{,-init} | grep -c 'ELF.*executable')"
icons=$(grep /icons/ <<<"$files")
same "each icon is a PNG of its size" "$(sed 's|.*/\([0-9]*x[0-9]*\)/.*|\1|; s|x| x |' <<<"$icons")" \
  "$(for icon in $icons; do file -b "$root$icon" | sed -n 's/^PNG image data, \([0-9]* x [0-9]*\),.*/\1/p'; done)"

desktop="$root/usr/share/applications/org.quotaro.Quotaro.desktop"
key() { sed -n "s/^$1=//p" "$desktop"; }
same "desktop-file-validate accepts the desktop entry" "" "$(desktop-file-validate "$desktop" 2>&1 || echo refused)"
check "the desktop entry's Exec is an installed program and its Icon an installed icon" \
  test -x "$root/usr/bin/$(key Exec | cut -d' ' -f1)" -a -f "$root/usr/share/icons/hicolor/48x48/apps/$(key Icon).png"
same "the desktop entry's name" Quotaro "$(key Name)"
metainfo="$root/usr/share/metainfo/org.quotaro.Quotaro.metainfo.xml"
same "appstreamcli accepts the metainfo with pedantic notes at most" "" \
  "$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1 | grep -E '^[EWI]:'; [ "${PIPESTATUS[0]}" == 0 ] || echo refused)"
same "the metainfo names release $version and launches the desktop entry" 2 \
  "$(grep -cE "<release version=\"$version\"|<launchable type=\"desktop-id\">org.quotaro.Quotaro.desktop<" "$metainfo")"

cmake --install "$build" --prefix "$tmp/inst/usr" >"$tmp/install.log" 2>&1 || cat "$tmp/install.log"
same "cmake --install installs the package's files" "$files" "$(cd "$tmp/inst" && find . -type f -o -type l | sed 's|^\./|/|' | sort)"
same "cmake --install and the package hold the same bytes" "" "$(for f in $files; do cmp -s "$root$f" "$tmp/inst$f" || echo "$f"; done)"

check "a private X server starts" xsession_start || exit 1
snapshot() { (cd "$XDG_DATA_HOME" && find . -printf '%p %y %s %m %T@\n' | sort && find . -type f -print0 | sort -z | xargs -0 md5sum); }
# A user who has never run Quotaro: no tree at all.
xsession_user "$tmp/fresh"
tree="$XDG_DATA_HOME/quotaro/drive_c/Program Files/Kestrane/Quotaro"
"$root/usr/bin/quotaro-launch" >"$tmp/fresh.log" 2>&1 &
pids+=($!)
check "the launcher opens the main window on a fresh tree" xsession_wait_window Quotaro 20 NORMAL || cat "$tmp/fresh.log"
check "no message stands in front of the main window of a fresh tree" test -z "$(xsession_windows_titled Quotaro | grep -x DIALOG)"
# The desktop shell ties the window to its menu entry (and icon) by class.
same "the main window's class is the desktop entry's StartupWMClass" "$(key StartupWMClass)" \
  "$(for id in $(xwininfo -root -children | awk '/"Quotaro":/ {print $1}'); do
      xprop -id "$id" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p'; done | sort -u)"
sleep 1
check "the program keeps running" kill -0 "${pids[-1]}"
same "the fresh tree holds its settings and folders (missing listed)" "" "$(for f in "Intergration Settings/Intergration.txt" \
  "Printer Settings/Printer.txt" "Page Settings/Header.txt" "Terms Upfront Settings" "Terms Mid Settings" \
  "Terms Final Settings" "Rates Settings" Quotes "Support Tools"; do [ -e "$tree/$f" ] || echo "$f"; done)"
kill "${pids[-1]}" && wait "${pids[-1]}" 2>/dev/null
# A user whose tree lost a file: the launcher leaves it alone and the program names the missing file.
xsession_user "$tmp/damaged"
tree="$XDG_DATA_HOME/quotaro/drive_c/Program Files/Kestrane/Quotaro"
"$root/usr/bin/quotaro-init" --drive "$XDG_DATA_HOME/quotaro/drive_c" >/dev/null
rm "$tree/Intergration Settings/Intergration.txt"
echo "a note of the user's" >"$tree/Quotes/Kept.txt"
before=$(snapshot)
"$root/usr/bin/quotaro-launch" >"$tmp/damaged.log" 2>&1 &
pids+=($!)
check "on a damaged tree the program shows its own message" xsession_wait_window Quotaro 20 DIALOG || cat "$tmp/damaged.log"
check "no main window opens on a damaged tree" test -z "$(xsession_windows_titled Quotaro | grep -x NORMAL)"
same "the launcher leaves an existing, damaged tree untouched" "$before" "$(snapshot)"
[ $failures -eq 0 ] && echo "all package checks passed" || { echo "$failures check(s) failed"; exit 1; }
