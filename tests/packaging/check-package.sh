#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it as a user
# receives it: the file list, the control data, the desktop entry and the
# AppStream data, that `cmake --install` lays out the same files, and that
# the launcher makes a fresh settings tree and opens the main window, while an
# existing, damaged tree is left exactly as it was.
#   check-package.sh BUILD_DIR CPACK_COMMAND VERSION
set -uo pipefail
build=$1
cpack=$2
version=$3
here=$(cd "$(dirname "$0")" && pwd)
for tool in dpkg dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli Xvfb xwininfo xprop file; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed"
    exit 77
  fi
done
failures=0
source "$here/xsession.sh"
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "PASS: $*"; }
check() { # what command...: passes when the command succeeds
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
expect_same() { # what expected actual
  if [ "$2" == "$3" ]; then pass "$1"; else fail "$1"; diff <(echo "$2") <(echo "$3") | sed 's/^/    /'; fi
}

# ---------------------------------------------------------------- package
arch=$(dpkg --print-architecture)
deb_name="quotaro_${version}_${arch}.deb"
if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log"
  fail "cpack -G DEB builds the package"
  exit 1
fi
deb="$tmp/pkg/$deb_name"
if [ -f "$deb" ]; then pass "the package is named $deb_name"; else
  fail "the package is named $deb_name (found: $(cd "$tmp/pkg" && ls *.deb 2>/dev/null))"; exit 1
fi
expected_files=$(
  printf '%s\n' /usr/bin/quotaro /usr/bin/quotaro-init /usr/bin/quotaro-launch \
    /usr/share/applications/org.quotaro.Quotaro.desktop \
    /usr/share/metainfo/org.quotaro.Quotaro.metainfo.xml
  for size in 16 24 32 48 64 128 256; do
    echo "/usr/share/icons/hicolor/${size}x${size}/apps/org.quotaro.Quotaro.png"
  done | sort)
expected_files=$(sort <<<"$expected_files")
package_files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|' | sort)
expect_same "the package holds the program, the initialiser, the launcher, the desktop entry, the icons and the AppStream data, and nothing else" \
  "$expected_files" "$package_files"
field() { dpkg-deb -f "$deb" "$1"; }
expect_same "control: package name" quotaro "$(field Package)"
expect_same "control: version" "$version" "$(field Version)"
expect_same "control: architecture" "$arch" "$(field Architecture)"
depends=$(field Depends)
for lib in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 libc6; do
  check "control: depends on $lib (Depends: $depends)" grep -q "$lib" <<<"$depends"
done
recommends=$(field Recommends)
for pkg in fonts-dejavu-core xdg-utils; do
  check "control: recommends $pkg (Recommends: $recommends)" grep -q "$pkg" <<<"$recommends"
done
check "control: a long description follows the summary" test "$(field Description | wc -l)" -gt 1
root="$tmp/root"
dpkg-deb -x "$deb" "$root"
for program in quotaro quotaro-init; do
  check "$program is a program" grep -q 'ELF.*executable' <<<"$(file -L "$root/usr/bin/$program")"
done
for program in quotaro quotaro-init quotaro-launch; do
  expect_same "$program may be run by everyone (mode)" 755 "$(stat -c %a "$root/usr/bin/$program")"
done
for size in 16 24 32 48 64 128 256; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/org.quotaro.Quotaro.png"
  check "the ${size}x${size} icon is a PNG of that size" grep -q "PNG image data, $size x $size," <<<"$(file "$icon")"
done

# ---------------------------------------------------------------- desktop entry and AppStream data
desktop="$root/usr/share/applications/org.quotaro.Quotaro.desktop"
if out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ]; then pass "desktop-file-validate accepts the desktop entry"
else fail "desktop-file-validate accepts the desktop entry"; echo "$out"; fi
exec_word=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
check "the desktop entry's Exec ($exec_word) is an installed program" test -x "$root/usr/bin/$exec_word"
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
check "the desktop entry's icon ($icon_name) is installed" test -f "$root/usr/share/icons/hicolor/48x48/apps/$icon_name.png"
expect_same "the desktop entry's name" Quotaro "$(sed -n 's/^Name=//p' "$desktop")"
metainfo="$root/usr/share/metainfo/org.quotaro.Quotaro.metainfo.xml"
appstream_out=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1)
appstream_rc=$?
notes=$(echo "$appstream_out" | grep -E '^[EWI]:')
if [ $appstream_rc -eq 0 ] && [ -z "$notes" ]; then pass "appstreamcli accepts the metainfo with pedantic notes at most"
else fail "appstreamcli accepts the metainfo"; echo "$appstream_out"; fi
check "the metainfo names release $version" grep -q "<release version=\"$version\"" "$metainfo"
check "the metainfo launches the desktop entry" grep -q '<launchable type="desktop-id">org.quotaro.Quotaro.desktop</launchable>' "$metainfo"

# ---------------------------------------------------------------- cmake --install lays out the same files
inst="$tmp/inst"
if cmake --install "$build" --prefix "$inst/usr" >"$tmp/install.log" 2>&1; then
  installed_files=$(cd "$inst" && find . -type f -o -type l | sed 's|^\./|/|' | sort)
  expect_same "cmake --install installs the package's files" "$package_files" "$installed_files"
  differing=""
  for f in $package_files; do
    cmp -s "$root$f" "$inst$f" || differing+=" $f"
  done
  expect_same "cmake --install and the package hold the same bytes" "" "$differing"
else
  cat "$tmp/install.log"; fail "cmake --install succeeds"
fi

# ---------------------------------------------------------------- the launcher
xsession_start || { fail "a private X server starts"; exit 1; }
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY QT_SCALE_FACTOR
# A user who has never run Quotaro: no tree at all.
user_env() { # home folder
  export HOME=$1 XDG_DATA_HOME=$1/.local/share XDG_CONFIG_HOME=$1/.config XDG_RUNTIME_DIR=$1/run
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
}
user_env "$tmp/fresh"
install_root="$XDG_DATA_HOME/quotaro/drive_c/Program Files/Kestrane/Quotaro"
"$root/usr/bin/quotaro-launch" >"$tmp/fresh.log" 2>&1 &
launched=$!; pids+=("$launched")
if xsession_wait_window Quotaro 20 NORMAL; then pass "the launcher opens the main window on a fresh tree"
else fail "the launcher opens the main window on a fresh tree"; xsession_windows_titled Quotaro; cat "$tmp/fresh.log"; fi
if xsession_windows_titled Quotaro | grep -q '^DIALOG '; then fail "no message stands in front of the main window of a fresh tree"; else pass "no message stands in front of the main window of a fresh tree"; fi
# The desktop shell ties the window to its menu entry (and icon) by class.
wm_class=$(for id in $(xwininfo -root -children | awk '/"Quotaro":/ {print $1}'); do
  xprop -id "$id" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p'; done | sort -u)
expect_same "the main window's class is the desktop entry's StartupWMClass" \
  "$(sed -n 's/^StartupWMClass=//p' "$desktop")" "$wm_class"
sleep 1
check "the program keeps running" kill -0 "$launched" || cat "$tmp/fresh.log"
for f in "Intergration Settings/Intergration.txt" "Printer Settings/Printer.txt" "Page Settings/Header.txt" \
  "Terms Upfront Settings" "Terms Mid Settings" "Terms Final Settings" "Rates Settings" Quotes "Support Tools"; do
  [ -e "$install_root/$f" ] || fail "the fresh tree holds $f"
done
kill "$launched" 2>/dev/null; wait "$launched" 2>/dev/null
# A user whose tree lost a file: the launcher leaves it alone and the program
# names the missing file.
user_env "$tmp/damaged"
install_root="$XDG_DATA_HOME/quotaro/drive_c/Program Files/Kestrane/Quotaro"
"$root/usr/bin/quotaro-init" --drive "$XDG_DATA_HOME/quotaro/drive_c" >/dev/null
rm "$install_root/Intergration Settings/Intergration.txt"
echo "a note of the user's" >"$install_root/Quotes/Kept.txt"
snapshot() { (cd "$XDG_DATA_HOME" && find . -printf '%p %y %s %m %T@\n' | sort && find . -type f -print0 | sort -z | xargs -0 md5sum); }
before=$(snapshot)
"$root/usr/bin/quotaro-launch" >"$tmp/damaged.log" 2>&1 &
launched=$!; pids+=("$launched")
if xsession_wait_window Quotaro 20 DIALOG; then pass "on a damaged tree the program shows its own message"
else fail "on a damaged tree the program shows its own message"; xsession_windows_titled Quotaro; cat "$tmp/damaged.log"; fi
if xsession_windows_titled Quotaro | grep -q '^NORMAL '; then fail "no main window opens on a damaged tree"; else pass "no main window opens on a damaged tree"; fi
after=$(snapshot)
expect_same "the launcher leaves an existing, damaged tree untouched" "$before" "$after"
kill "$launched" 2>/dev/null; wait "$launched" 2>/dev/null
if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all package checks passed"
