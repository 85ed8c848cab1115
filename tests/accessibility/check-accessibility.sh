#!/usr/bin/env bash
# check-accessibility.sh QUOTARO QUOTARO_INIT: read by an AT-SPI client on a private bus and X server.
set -uo pipefail
python=/usr/bin/python3 # the accessibility bindings are Debian packages
bus_launcher=/usr/libexec/at-spi-bus-launcher
if [ "$1" != "--inside" ]; then
  for tool in dbus-run-session Xvfb xdotool "$bus_launcher" "$python"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  "$python" -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }
  exec dbus-run-session -- bash "$0" --inside "$1" "$2" # a session bus of our own
fi
source "$(dirname "$0")/../packaging/xsession.sh"
xsession_start || exit 1
xsession_user "$tmp/home"
"$bus_launcher" --launch-immediately >"$tmp/bus.log" 2>&1 &
pids+=($!)
QT_QPA_PLATFORM=offscreen "$3" --drive "$XDG_DATA_HOME/quotaro/drive_c" >/dev/null || { echo "FAIL: quotaro-init"; exit 1; }
QT_QPA_PLATFORM=offscreen "$3" --if-absent | grep -q "left as it is$" || { echo "FAIL: quotaro-init --if-absent"; exit 1; }
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$2" >"$tmp/quotaro.log" 2>&1 &
pids+=($!)
"$python" "$(dirname "$0")/read_main_window.py" || { rc=$?; cat "$tmp/quotaro.log" "$tmp/bus.log"; exit $rc; }
