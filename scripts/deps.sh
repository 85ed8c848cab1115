#!/usr/bin/env bash
# Installs the Debian packages Quotaro needs to build, run and test, when
# they are missing. Sourced by the run and test scripts.
set -euo pipefail

QUOTARO_PACKAGES=(
  build-essential cmake pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  fonts-dejavu-core
  xvfb xauth
  poppler-utils
  cups cups-client cups-bsd printer-driver-cups-pdf
  # the package, desktop entry and screen reader tests
  dpkg-dev file desktop-file-utils appstream x11-utils
  dbus at-spi2-core python3 python3-pyatspi gir1.2-atspi-2.0 xdotool
)

quotaro_install_deps() {
  local missing=()
  local pkg
  for pkg in "${QUOTARO_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  if [ "${#missing[@]}" -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures and builds into build/ (or $QUOTARO_BUILD_DIR).
quotaro_build() {
  local root build
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  build=${QUOTARO_BUILD_DIR:-$root/build}
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$build" -j "$(nproc)"
}
