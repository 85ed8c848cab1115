# Shell helpers for the tests that start the real program on a private X
# server. Sourcing it makes the scratch folder $tmp and the list $pids of
# background processes; both, and the X server, are cleaned up on exit.

tmp=$(mktemp -d)
pids=()
xsession_cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
  xsession_stop
  rm -rf "$tmp"
}
trap xsession_cleanup EXIT

# Starts Xvfb on a free display of its own choosing and exports DISPLAY.
xsession_start() {
  local size=${1:-1280x900x24}
  rm -f "$tmp/display"
  Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
  xvfb_pid=$!
  local i
  for i in $(seq 100); do
    if [ -s "$tmp/display" ]; then
      export DISPLAY=":$(head -n1 "$tmp/display")"
      return 0
    fi
    sleep 0.1
  done
  echo "Xvfb did not start:" >&2
  cat "$tmp/xvfb.log" >&2
  return 1
}

xsession_stop() {
  if [ -n "${xvfb_pid:-}" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  fi
}

# Prints one line "TYPE WIDTHxHEIGHT" for every mapped top-level window whose
# title is $1; TYPE is NORMAL for a main window and DIALOG for a message box.
xsession_windows_titled() {
  local title=$1 id type geometry
  xwininfo -root -children 2>/dev/null | awk -v t="\"$title\"" '$2 == t || index($0, t ":") {print $1}' |
    while read -r id; do
      xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
      # The first type named is the window's own; Qt names NORMAL after it.
      type=$(xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | sed -n 's/^[^=]*= _NET_WM_WINDOW_TYPE_\([A-Z]*\).*/\1/p')
      geometry=$(xwininfo -id "$id" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
      echo "${type:-UNKNOWN} $geometry"
    done
}

# Waits up to $2 seconds for a mapped window titled $1 of type $3.
xsession_wait_window() {
  local title=$1 seconds=$2 type=$3 i
  for i in $(seq $((seconds * 10))); do
    if xsession_windows_titled "$title" | grep -q "^$type "; then
      return 0
    fi
    sleep 0.1
  done
  return 1
}
