#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted as .clang-format
# says; names each such file. Usage: check-format.sh [source root]
set -uo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2
if ! command -v clang-format >/dev/null 2>&1; then
  echo "clang-format is not installed (scripts/deps.sh installs it)"
  exit 77
fi
mapfile -t files < <(find src tools tests bench -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run -Werror --style=file "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ "${#bad[@]}" -gt 0 ]; then
  printf 'Not formatted (run clang-format -i on it): %s\n' "${bad[@]}"
  exit 1
fi
echo "Format: ${#files[@]} files as .clang-format says."
