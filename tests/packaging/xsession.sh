# For the tests that start the real program on a private X server: a scratch
# folder $tmp and a list $pids of background processes, cleaned up on exit.
tmp=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}" ${xvfb_pid:-}; do kill $p; wait $p; done 2>/dev/null; rm -rf "$tmp"' EXIT

xsession_start() { # Xvfb on a free display of its own choosing, exported as DISPLAY
  Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$tmp/display" ] && export DISPLAY=":$(head -n1 "$tmp/display")" && return 0
    sleep 0.1
  done
  cat "$tmp/xvfb.log" >&2
  return 1
}

xsession_user() { # a user of the X session with the home folder $1
  export HOME=$1 XDG_DATA_HOME=$1/.local/share XDG_CONFIG_HOME=$1/.config XDG_RUNTIME_DIR=$1/run
  export QT_QPA_PLATFORM=xcb
  unset WAYLAND_DISPLAY QT_SCALE_FACTOR
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
}

# The type of every mapped top-level window titled $1: NORMAL for a main
# window, DIALOG for a message box.
xsession_windows_titled() {
  xwininfo -root -children 2>/dev/null | awk -v t="\"$1\"" '$2 == t || index($0, t ":") {print $1}' |
    while read -r id; do
      xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
      # The first type named is the window's own; Qt names NORMAL after it.
      xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | sed -n 's/^[^=]*= _NET_WM_WINDOW_TYPE_\([A-Z]*\).*/\1/p'
    done
}

xsession_wait_window() { # up to $2 seconds for a mapped window titled $1 of type $3
  for _ in $(seq $(($2 * 10))); do
    xsession_windows_titled "$1" | grep -qx "$3" && return 0
    sleep 0.1
  done
  return 1
}
