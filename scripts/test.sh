#!/usr/bin/env bash
# Builds Quotaro and runs the whole test suite, with a private CUPS server
# for the printing tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
quotaro_install_deps
quotaro_build -DQUOTARO_WERROR=ON
build=${QUOTARO_BUILD_DIR:-$root/build}
if [ -x "$root/scripts/cups-test-server.sh" ]; then
  source "$root/scripts/cups-test-server.sh"
  quotaro_start_cups
fi
cd "$build"
status=0
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" || status=$?
bash "$root/scripts/test-ratio.sh" "$root"
exit "$status"
