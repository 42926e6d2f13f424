# Sourced by the real-window tests: a scratch folder in $work, an X server of its own on
# $DISPLAY, and the helpers both tests drive the editor with. $app, once set, is killed at exit.
work=$(mktemp -d)
unset QT_QPA_PLATFORM

fail() { echo "FAIL: $*"; exit 1; }

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
app=""
cleanup() {
  [[ -n "$app" ]] && kill "$app" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 150); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")"

focus() { xdotool windowfocus --sync "$1"; sleep 0.3; }

# The first visible window whose name matches, waited for up to 30 seconds.
wait_window() {
  local found=""
  for _ in $(seq 150); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [[ -n "$found" ]] && break
    sleep 0.2
  done
  echo "$found"
}

# Waits up to 30 seconds for the editor to end, and fails unless it ended well.
wait_exit() {
  for _ in $(seq 150); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$app" 2>/dev/null; then
    import -window root "$shots/not-quit.png"
    fail "the editor did not quit"
  fi
  wait "$app" || fail "the editor exited with $?: $(cat "$work/editor.log")"
  app=""
}

keys() { xdotool key --delay 60 "$@"; sleep 0.4; }
clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }

# Starts $editor on table $1 and opens data file $2 in its Game Data window (Ctrl+D) through the
# real file dialog; sets $app, $window (the main window) and $game, which has the focus.
open_game_data() {
  "$editor" "$1" >"$work/editor.log" 2>&1 &
  app=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name "$suffix" | head -1)
  [[ -n "$window" ]] || fail "no window"
  focus "$window"
  keys ctrl+d
  game=$(wait_window '^Game Data$')
  [[ -n "$game" ]] || fail "Ctrl+D opened no Game Data window"
  focus "$game"
  keys alt+o
  local dialog
  dialog=$(wait_window '^Open')
  [[ -n "$dialog" ]] || fail "no open dialog"
  focus "$dialog"
  xdotool type --delay 20 "$2"
  keys Return
  focus "$game"
}
