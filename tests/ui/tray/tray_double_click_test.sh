#!/usr/bin/env bash
# The tray icon on a real XEmbed tray (trayer under Xvfb): a double click
# opens the hidden window, and a single click shows only the profile menu,
# after the double-click interval, never the window.
#   tray_double_click_test.sh QUORLIN_BINARY
# Exit 0 passed, 1 failed, 77 skipped (no xvfb-run, trayer or xdotool).
set -uo pipefail

quorlin=${1:?usage: tray_double_click_test.sh QUORLIN_BINARY}
for tool in xvfb-run trayer xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/setup)"; exit 77; }
done

# Inside the X server: everything below runs under xvfb-run.
if [ -z "${TRAY_TEST_INSIDE:-}" ]; then
  export TRAY_TEST_INSIDE=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$quorlin"
fi

home=$(mktemp -d)
trap 'kill "$app" "$tray" 2>/dev/null; wait 2>/dev/null; rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data
export XDG_RUNTIME_DIR=$home/run LANG=C.UTF-8 QT_QPA_PLATFORM=xcb
# No session bus: Qt takes the XEmbed tray, as on a desktop without one.
unset DBUS_SESSION_BUS_ADDRESS
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

trayer --edge top --align right --widthtype request --height 32 --SetDockType true &
tray=$!
sleep 1
"$quorlin" --simulate --sim-state "$home/kb.bin" --start &
app=$!

# The window (wide) and the icon (small) are the program's visible windows.
visible() {  # prints "WIDTH ID" per visible window of the program
  for id in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
    local w
    w=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed -n 's/^WIDTH=//p')
    [ -n "$w" ] && echo "$w $id"
  done
}
icon=""
for _ in $(seq 50); do
  icon=$(visible | awk '$1 <= 64 { print $2; exit }')
  [ -n "$icon" ] && break
  sleep 0.2
done
[ -n "$icon" ] || { echo "FAIL: no tray icon appeared in trayer"; exit 1; }
window_shown() { visible | awk '$1 > 400 { found = 1 } END { exit !found }'; }
if window_shown; then echo "FAIL: the window shows although started with --start"; exit 1; fi

# A single click: the profile menu after a moment, and no window.
xdotool mousemove --window "$icon" 8 8 click 1
sleep 1.5
if window_shown; then echo "FAIL: a single click opened the window"; exit 1; fi
menu=$(visible | awk '$1 > 64 && $1 <= 400 { print $2; exit }')
[ -n "$menu" ] || { echo "FAIL: a single click showed no profile menu"; exit 1; }
xdotool key --window "$menu" Escape
sleep 0.5

# A double click opens the window.
xdotool mousemove --window "$icon" 8 8 click --repeat 2 --delay 80 1
for _ in $(seq 25); do
  if window_shown; then
    echo "PASS: a double click on the tray icon opened the window"
    exit 0
  fi
  sleep 0.2
done
echo "FAIL: a double click on the tray icon did not open the window"
exit 1
