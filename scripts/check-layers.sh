#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own, or of
# a sibling window library, or when a widget-free layer includes a Qt header
# from outside Qt Core. Layers, bottom to top:
#   platform (Qt Core only) < platform/gui < store < lists, quote < printing
#   < savedquotes, setup, help (siblings) < quotation < app; tools sit on the
#   store and the platform.
# Usage: check-layers.sh [source root]
set -uo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2

layer_of() { # path of a source file or of an included header (src-relative or not)
  local p=${1#src/}
  case "$p" in
    platform/gui/*) echo platform_gui ;;
    platform/*) echo platform ;;
    store/*) echo store ;;
    lists/*) echo lists ;;
    quote/*) echo quote ;;
    printing/*) echo printing ;;
    savedquotes/*) echo savedquotes ;;
    setup/*) echo setup ;;
    help/*) echo help ;;
    quotation/*) echo quotation ;;
    app/*) echo app ;;
    tools/*) echo tools ;;
    *) echo "" ;;
  esac
}

allowed() { # the layers a layer may include, itself among them
  local windows="platform platform_gui store lists quote printing"
  case "$1" in
    platform) echo platform ;;
    platform_gui) echo platform platform_gui ;;
    store) echo platform store ;;
    lists) echo platform store lists ;;
    quote) echo platform store quote ;;
    printing) echo platform store quote printing ;;
    savedquotes|setup|help) echo "$windows $1" ;;
    quotation) echo "$windows savedquotes setup help quotation" ;;
    app) echo "$windows savedquotes setup help quotation app" ;;
    tools) echo platform platform_gui store tools ;;
  esac
}

# Layers that must build on Qt Core alone.
core_only=" platform store quote "
qtcore=""
for dir in /usr/include/*/qt6/QtCore /usr/include/qt6/QtCore; do
  [ -d "$dir" ] && qtcore=$dir && break
done

status=0
while IFS= read -r file; do
  own=$(layer_of "$file")
  [ -n "$own" ] || continue
  ok=" $(allowed "$own") "
  while IFS= read -r line; do
    header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]([^">]+)[">].*/\1/' <<<"$line")
    case "$line" in
      *'"'*)
        target=$(layer_of "$header")
        if [ -n "$target" ] && [[ "$ok" != *" $target "* ]]; then
          echo "$file: includes $header, of the $target layer, which $own must not use"
          status=1
        fi ;;
      *'<Q'*)
        if [[ "$core_only" == *" $own "* ]] && [ -n "$qtcore" ] && [ ! -e "$qtcore/$header" ]; then
          echo "$file: includes <$header>, which is not Qt Core; the $own layer uses Qt Core only"
          status=1
        fi ;;
    esac
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file")
done < <(find src tools -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

[ "$status" -eq 0 ] && echo "Layers: every include of src/ and tools/ goes down or stays in its layer."
exit "$status"
