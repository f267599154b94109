#!/usr/bin/env bash
# Runs the window under a headless Wayland compositor (weston, output scale
# 2, CPU renderer) on the simulated keyboard and checks what a user sees:
# the window shows, drawn at twice the size, with the desktop showing
# through outside its rounded outline; a second start hands over to the
# running window (no second window) and ends with 0; --kill ends it. Pictures are taken through the
# compositor's screenshooter.
#
#   tests/wayland/wayland_test.sh [BUILD_DIR]       (default build/ci)
#
# QUORLIN_SHOTS_DIR=DIR keeps the screenshot of the shown window there;
# QUORLIN_TEST_LANGUAGE=0x0407 (or another language id) runs in that language.
# Ends with 77 (skipped) only when the compositor cannot start.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/ci}
quorlin=$build/bin/quorlin

fail() {
  echo "wayland test: FAILED: $*" >&2
  [ -f "${scratch:-}/weston.log" ] && tail -n 20 "$scratch/weston.log" >&2
  [ -f "${scratch:-}/quorlin.log" ] && tail -n 20 "$scratch/quorlin.log" >&2
  exit 1
}
skip() {
  echo "wayland test: SKIPPED: $*" >&2
  exit 77
}
ok() { echo "  ok: $*"; }

[ -x "$quorlin" ] || fail "$quorlin is not built"
command -v weston >/dev/null || skip "weston is not installed (scripts/setup installs it)"
command -v weston-screenshooter >/dev/null || skip "weston-screenshooter is not installed"
command -v convert >/dev/null || fail "ImageMagick's convert is missing (scripts/setup installs it)"
qt_plugins=$(find /usr/lib -path '*qt6/plugins/platforms/libqwayland-generic.so' 2>/dev/null | head -n 1)
[ -n "$qt_plugins" ] || skip "Qt's Wayland platform plugin is missing (package qt6-wayland)"

scratch=$(mktemp -d)
weston_pid=
quorlin_pid=
cleanup() {
  [ -n "$quorlin_pid" ] && kill "$quorlin_pid" 2>/dev/null
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# A private session: runtime folder, settings and data of its own, so the
# instance socket and the settings never meet the user's.
export XDG_RUNTIME_DIR=$scratch/run HOME=$scratch/home
export XDG_CONFIG_HOME=$scratch/home/.config XDG_DATA_HOME=$scratch/home/.local/share
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME/quorlin" "$XDG_DATA_HOME"
language=${QUORLIN_TEST_LANGUAGE:-0x0409}
printf '[Software\\Vantorel  Q742-ZX  MECHANICAL GAMING KEYBOARD]\ndwLanguageId=dword:%08x\n' \
  "$language" >"$XDG_CONFIG_HOME/quorlin/settings.ini"

# A flat green desktop without a panel: every pixel that is not green is
# the window's.
cat >"$scratch/weston.ini" <<'EOF'
[core]
idle-time=0
[shell]
background-color=0xff00ff00
panel-position=none
locking=false
[keyboard]
vt-switching=false
EOF
readonly kWidth=1300 kHeight=900 kScale=2
socket=quorlin-test-$$
weston --config="$scratch/weston.ini" --backend=headless-backend.so --use-pixman \
  --width=$kWidth --height=$kHeight --scale=$kScale --socket="$socket" --debug \
  >"$scratch/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 50); do
  [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.2
done
if [ ! -S "$XDG_RUNTIME_DIR/$socket" ]; then
  tail -n 5 "$scratch/weston.log" >&2
  skip "the headless weston compositor did not start"
fi
ok "weston headless, output ${kWidth}x${kHeight} at scale $kScale"

export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
unset DISPLAY QT_SCALE_FACTOR
run_quorlin() { "$quorlin" --simulate --sim-state "$scratch/kb.bin" "$@"; }

shot=$scratch/shot.png
screenshot() {
  rm -f "$scratch"/wayland-screenshot-*.png
  (cd "$scratch" && timeout 10 weston-screenshooter >/dev/null 2>&1) || fail "weston-screenshooter"
  mv "$scratch"/wayland-screenshot-*.png "$shot"
}
# The box of the pixels that are not the desktop's green: "WxH+X+Y", or
# empty on a bare desktop.
window_box() {
  local box
  box=$(convert "$shot" -fuzz 3% -bordercolor '#00ff00' -border 1 -trim -format '%wx%h%O' info: \
    2>/dev/null || true)
  # An image that trims to nothing leaves one pixel.
  [[ $box == 1x1* ]] && box=
  echo "$box"
}
wait_for_window() {  # wait_for_window shown|gone
  for _ in $(seq 40); do
    screenshot
    box=$(window_box)
    if [ "$1" = shown ] && [ -n "$box" ]; then return 0; fi
    if [ "$1" = gone ] && [ -z "$box" ]; then return 0; fi
    sleep 0.25
  done
  return 1
}
pixel() { convert "$shot" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:; }

# 1. The window shows: with the keyboard there, and without a notification
#    area (a bare compositor has none) even when started as at login.
run_quorlin --start >"$scratch/quorlin.log" 2>&1 &
quorlin_pid=$!
wait_for_window shown || fail "the window did not show"
kill -0 "$quorlin_pid" 2>/dev/null || fail "quorlin ended at once"
ok "the window shows"

# 2. The window as the compositor shows it: twice its logical size, and
#    outside its rounded outline the desktop (the corners of its box are
#    green; a few pixels in, along the edges, the window's own colours).
sleep 1
screenshot
box=$(window_box)
read -r w h x y < <(echo "$box" | sed -E 's/^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$/\1 \2 \3 \4/')
# The border of one pixel added before trimming moves the offset by one.
x=$((x - 1)) y=$((y - 1))
[ "$w" -gt 2000 ] && [ "$h" -gt 1300 ] ||
  fail "the window is ${w}x${h} on the output, not drawn at scale 2"
ok "the window shows at ${w}x${h} pixels (scale 2) at $x,$y"
green=0,255,0
for corner in "$x $y" "$((x + w - 1)) $y" "$x $((y + h - 1))" "$((x + w - 1)) $((y + h - 1))"; do
  # shellcheck disable=SC2086
  [ "$(pixel $corner)" = "$green" ] ||
    fail "corner $corner of the window's box is $(pixel $corner), not the desktop: not transparent"
done
for inside in "$((x + w / 2)) $((y + 2))" "$((x + 2)) $((y + h / 2))"; do
  # shellcheck disable=SC2086
  [ "$(pixel $inside)" != "$green" ] || fail "the window's edge at $inside shows the desktop"
done
ok "outside the outline the desktop shows through; the edges are the window's"
if [ -n "${QUORLIN_SHOTS_DIR:-}" ]; then
  mkdir -p "$QUORLIN_SHOTS_DIR"
  convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage "$QUORLIN_SHOTS_DIR/wayland-main-scale2-$language.png"
fi

# 3. A second start hands over to the running window and ends with 0: no
#    second window, the first instance still there.
timeout 20 "$quorlin" --simulate --sim-state "$scratch/kb.bin" >"$scratch/second.log" 2>&1 ||
  fail "the second start ended with $? ($(cat "$scratch/second.log"))"
kill -0 "$quorlin_pid" 2>/dev/null || fail "the first instance ended when the second started"
sleep 1
screenshot
[ "$(window_box)" = "$box" ] || fail "after a second start the screen shows $(window_box), not one window at $box"
ok "a second start showed the running window and ended with 0"

# 4. --kill ends the running instance.
timeout 20 "$quorlin" --kill >"$scratch/kill.log" 2>&1 || fail "--kill ended with $?"
for _ in $(seq 50); do
  kill -0 "$quorlin_pid" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$quorlin_pid" 2>/dev/null && fail "the running instance did not end on --kill"
wait "$quorlin_pid" || true
quorlin_pid=
wait_for_window gone || fail "the window stayed on screen after --kill"
ok "--kill ended the running window"
echo "wayland test: passed"
