#!/usr/bin/env bash
# Starts the real program on a fresh settings tree inside a private D-Bus
# session with the accessibility bus and a private X server, then lets an
# AT-SPI client read the main window's controls.
#   check-accessibility.sh QUOTARO QUOTARO_INIT
set -uo pipefail
quotaro=$1
quotaro_init=$2
here=$(cd "$(dirname "$0")" && pwd)
# The system interpreter: the accessibility bindings are Debian packages.
python=/usr/bin/python3
bus_launcher=/usr/libexec/at-spi-bus-launcher

if [ "${1:-}" != "--inside" ]; then
  for tool in dbus-run-session Xvfb xdotool "$bus_launcher" "$python"; do
    if ! command -v "$tool" >/dev/null; then echo "SKIP: $tool is not installed"; exit 77; fi
  done
  if ! "$python" -c 'import pyatspi' 2>/dev/null; then echo "SKIP: python3-pyatspi is not installed"; exit 77; fi
  # A session bus of our own, gone with this test.
  exec dbus-run-session -- bash "$0" --inside "$quotaro" "$quotaro_init"
fi
quotaro=$2
quotaro_init=$3

source "$here/../packaging/xsession.sh"

xsession_start || exit 1
export HOME=$tmp/home XDG_DATA_HOME=$tmp/home/.local/share XDG_CONFIG_HOME=$tmp/home/.config
export XDG_RUNTIME_DIR=$tmp/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_SCALE_FACTOR WAYLAND_DISPLAY

"$bus_launcher" --launch-immediately >"$tmp/bus.log" 2>&1 &
pids+=($!)

"$quotaro_init" --drive "$XDG_DATA_HOME/quotaro/drive_c" >/dev/null || { echo "FAIL: quotaro-init"; exit 1; }
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
  "$quotaro" >"$tmp/quotaro.log" 2>&1 &
pids+=($!)

"$python" "$here/read_main_window.py"
rc=$?
if [ $rc -ne 0 ]; then
  echo "--- program output"; cat "$tmp/quotaro.log"
  echo "--- accessibility bus output"; cat "$tmp/bus.log"
fi
exit $rc
