#!/usr/bin/env bash
# End to end: the program on the simulated keyboard under a real X server
# and window manager follows the focus between two X clients, by the rules
# quorlinctl stored. Runs itself under xvfb-run when no display is given.
# Usage: tests/autoprofile/focus_switch_test.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build/ci}")

if [ -z "${QUORLIN_E2E_INNER:-}" ]; then
  exec env QUORLIN_E2E_INNER=1 xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$build"
fi

scratch=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/share XDG_RUNTIME_DIR=$scratch/run
export XDG_SESSION_TYPE=x11 XDG_CURRENT_DESKTOP=openbox
unset WAYLAND_DISPLAY
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
state=$scratch/kb.bin
ctl() { "$build/bin/quorlinctl" --lang=0x0409 "$@"; }
active() { ctl --simulate --sim-state "$state" --json info | sed -n 's/.*"active_profile": *\([0-9]\).*/\1/p'; }
fail() { echo "FAIL: $*" >&2; exit 1; }

openbox --sm-disable >/dev/null 2>&1 & pids+=($!)
# The window manager is ready once it keeps the active window.
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 && break; sleep 0.1; done

ctl auto-profile add xcalc 2 >/dev/null
ctl auto-profile add xlogo 3 >/dev/null
ctl auto-profile fallback none >/dev/null
ctl --simulate --sim-state "$state" profile set 1 >/dev/null
[ "$(active)" = 1 ] || fail "the simulated keyboard did not start on profile 1"

QT_QPA_PLATFORM=xcb "$build/bin/quorlin" --start --simulate --sim-state "$state" \
  >"$scratch/quorlin.log" 2>&1 & pids+=($!)
xcalc & pids+=($!)
xlogo & pids+=($!)
window_of() {
  for _ in $(seq 50); do
    local w
    w=$(xdotool search --class "$1" 2>/dev/null | head -n1) && [ -n "$w" ] && { echo "$w"; return; }
    sleep 0.1
  done
  fail "no window of $1"
}
calc=$(window_of xcalc)
logo=$(window_of xlogo)
# The program answers on its instance socket once its window runs.
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR"/*QX42M07B* ] 2>/dev/null && break; sleep 0.1; done
# Without a tray the window shows once the keyboard is there, and a window
# manager gives it the focus when it maps: wait for that before any test
# focus, or it takes the focus from the first one.
for _ in $(seq 100); do
  xdotool search --onlyvisible --class quorlin >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 0.5

# Gives `window` the focus and waits for the profile. The window manager
# now and then drops an activation (the active window reads as none, and the
# window never gets it); then the window is clicked, as a user would.
focus_expect() {
  local window=$1 want=$2 what=$3
  xdotool windowactivate --sync "$window" 2>/dev/null
  for attempt in 1 2 3; do
    for _ in $(seq 15); do [ "$(active)" = "$want" ] && return; sleep 0.1; done
    xdotool mousemove --window "$window" 4 4 click 1 2>/dev/null
  done
  cat "$scratch/quorlin.log" >&2
  fail "$what: active profile $(active), expected $want"
}
focus_expect "$calc" 2 "xcalc in focus"
focus_expect "$logo" 3 "xlogo in focus"

# Alt+Tab through xcalc: under the debounce time, nothing is written.
xdotool windowactivate --sync "$calc"
sleep 0.05
xdotool windowactivate --sync "$logo"
sleep 0.6
[ "$(active)" = 3 ] || fail "a passing focus switched the profile"

# A rule removed with quorlinctl reaches the running window at once.
ctl auto-profile remove xcalc >/dev/null
ctl auto-profile fallback 1 >/dev/null
focus_expect "$calc" 1 "xcalc without its rule (fallback 1)"

# Switched off, focus changes switch nothing.
ctl auto-profile off >/dev/null
xdotool windowactivate --sync "$logo"
sleep 0.6
[ "$(active)" = 1 ] || fail "rules switched off still switched"
echo "focus switch test: passed"
