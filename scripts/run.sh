#!/usr/bin/env bash
# Builds Quotaro and starts it on a ready-made demo settings tree
# (build/demo/quotaro/drive_c), created fresh when it does not exist.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
quotaro_install_deps
quotaro_build
build=${QUOTARO_BUILD_DIR:-$root/build}
demo="$build/demo"
drive="$demo/quotaro/drive_c"
"$build/tools/quotaro-init" --drive "$drive" --if-absent
export XDG_DATA_HOME="$demo"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Quotaro on a virtual X display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$build/src/app/quotaro"
fi
exec "$build/src/app/quotaro"
