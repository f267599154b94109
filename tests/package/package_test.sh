#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root and checks that
# an installed copy works: every file where the programs look for it, the
# maintainer scripts quiet without udev, and the unpacked programs finding
# their skin, language and help files.
#
#   tests/package/package_test.sh [BUILD_DIR]     (default build/dev)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/dev}

fail() {
  echo "package test: FAILED: $*" >&2
  exit 1
}
ok() { echo "  ok: $*"; }

cmake --build "$build" -j "$(nproc)" >/dev/null
rm -f "$build"/quorlin_*.deb
(cd "$build" && cpack -G DEB >/dev/null) || fail "cpack -G DEB"
deb=$(find "$build" -maxdepth 1 -name 'quorlin_*.deb' | head -n 1)
[ -n "$deb" ] || fail "no package was written into $build"
ok "built $(basename "$deb")"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
dpkg-deb -x "$deb" "$root"
dpkg-deb -e "$deb" "$scratch/control"

# --- the control data ---------------------------------------------------
control=$scratch/control/control
grep -q '^Package: quorlin$' "$control" || fail "package name"
depends=$(sed -n 's/^Depends: //p' "$control")
[[ $depends == *libc6* ]] || fail "Depends lacks the libraries dpkg-shlibdeps finds: '$depends'"
ok "Depends: $depends"
for script in postinst postrm; do
  [ -x "$scratch/control/$script" ] || fail "$script missing or not executable"
done

# Every file belongs under /usr: dpkg removes exactly what it installed, and
# nothing lands in /etc or a home folder that a removal would leave behind.
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./$' | grep -v '^\./usr/' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

# --- files where the programs look for them -----------------------------
data=$root/usr/share/quorlin
expect=(
  usr/bin/quorlinctl
  usr/lib/udev/rules.d/70-quorlin-keyboard.rules
  usr/share/applications/quorlin.desktop
  usr/share/metainfo/io.github.quorlin.Quorlin.metainfo.xml
  usr/share/man/man1/quorlinctl.1.gz
  usr/share/quorlin/Lang0409.ini
  usr/share/quorlin/Lang0407.ini
  usr/share/quorlin/Lang0416.ini
  usr/share/quorlin/UserDengColor_3.userd
  usr/share/quorlin/Skins/Main.ini
  usr/share/quorlin/Skins/Composite.ini
  usr/share/quorlin/Skins/Profile.ini
  usr/share/quorlin/Skins/UpdateDlg.ini
  usr/share/quorlin/Help/en/index.html
  usr/share/quorlin/Help/de/index.html
  usr/share/quorlin/Help/pt/index.html
  usr/share/doc/quorlin/copyright
  usr/share/doc/quorlin/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expect+=("usr/share/icons/hicolor/${size}x${size}/apps/quorlin.png")
done
has_gui=no
if [ -e "$root/usr/bin/quorlin" ]; then
  has_gui=yes
  expect+=(usr/share/man/man1/quorlin.1.gz)
fi
for f in "${expect[@]}"; do
  [ -f "$root/$f" ] || fail "missing /$f"
done
ok "${#expect[@]} files in place"

# Every picture a Skin file names is in the Skins folder.
while IFS= read -r picture; do
  [ -f "$data/Skins/$picture" ] || fail "Skins/$picture named in a Skin file is missing"
done < <(grep -ohiE '[A-Za-z0-9_]+\.(jpg|png|bmp)' "$data"/Skins/*.ini | sort -u)
ok "every picture the Skin files name is installed"

# Every picture of the skin ships with its twice-size twin for high-density
# screens.
twins=0
while IFS= read -r picture; do
  name=$(basename "$picture")
  [ -f "$data/Skins/${name%.*}@2x.${name##*.}" ] || fail "Skins/$name has no @2x twin in the package"
  twins=$((twins + 1))
done < <(find "$data/Skins" -maxdepth 1 -type f \( -name '*.jpg' -o -name '*.png' -o -name '*.bmp' \) ! -name '*@2x.*')
[ "$twins" -gt 0 ] || fail "no skin pictures in the package"
ok "all $twins skin pictures ship with their @2x twins"

# Every page and picture a help page links to is installed.
for page in "$data"/Help/*/index.html; do
  while IFS= read -r link; do
    [ -f "$(dirname "$page")/$link" ] || fail "$page links to missing $link"
  done < <(grep -oE '(src|href)="[^":#]+"' "$page" | sed -E 's/^(src|href)="//; s/"$//')
done
ok "help pages and their pictures complete"

# Debian's copyright format, and a changelog dpkg can read.
copyright=$root/usr/share/doc/quorlin/copyright
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' \
  "$copyright" || fail "copyright is not in the machine-readable format"
grep -q '^Files: \*$' "$copyright" || fail "copyright has no stanza for every file"
version=$(sed -n 's/^Version: //p' "$control")
logged=$(zcat "$root/usr/share/doc/quorlin/changelog.gz" | dpkg-parsechangelog -l - -S Version)
[ "$logged" = "$version" ] || fail "changelog names version $logged, the package $version"
ok "copyright and changelog in /usr/share/doc/quorlin"

# The desktop entry starts an installed program and names an installed icon.
desktop=$root/usr/share/applications/quorlin.desktop
grep -q '^Exec=quorlin$' "$desktop" || fail "desktop entry Exec"
grep -q '^Icon=quorlin$' "$desktop" || fail "desktop entry Icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml >/dev/null ||
    fail "appstreamcli validate"
  ok "AppStream data valid"
fi
if command -v groff >/dev/null; then
  for page in "$root"/usr/share/man/man1/*.1.gz; do
    warnings=$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1 || true)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  done
  ok "man pages format without warnings"
fi

# --- maintainer scripts -------------------------------------------------
# Without a running udev (this container, a chroot) they must succeed quietly;
# a udevadm that fails must not fail the installation either.
fakebin=$scratch/fakebin
mkdir -p "$fakebin"
printf '#!/bin/sh\necho "udevadm: no udev" >&2\nexit 1\n' >"$fakebin/udevadm"
chmod +x "$fakebin/udevadm"
for run in "postinst configure" "postrm remove" "postrm purge" "postrm upgrade"; do
  read -r script action <<<"$run"
  out=$(PATH="$fakebin:$PATH" sh "$scratch/control/$script" "$action" 0.0.0 2>&1) ||
    fail "$run failed"
  [ -z "$out" ] || fail "$run printed: $out"
done
ok "maintainer scripts succeed without udev"

# --- install and remove with dpkg -----------------------------------------
# Into a scratch root, so the machine's own system is untouched. A user's
# files planted there must survive the purge; nothing else may be left.
sysroot=$scratch/sysroot
mkdir -p "$sysroot/var/lib/dpkg/info" "$sysroot/var/lib/dpkg/updates"
touch "$sysroot/var/lib/dpkg/status" "$sysroot/var/lib/dpkg/available"
dpkg_root() {
  dpkg --root="$sysroot" --force-not-root --force-depends --force-script-chrootless \
    --log=/dev/null "$@" >/dev/null 2>&1
}
dpkg_root -i "$deb" || fail "dpkg -i into a scratch root"
[ -f "$sysroot/usr/bin/quorlinctl" ] || fail "dpkg -i installed no quorlinctl"
user_files=(
  "home/u/.config/quorlin/settings.ini"
  "home/u/.config/autostart/quorlin.desktop"
  "home/u/.local/share/Vantorel  Q742-ZX  MECHANICAL GAMING KEYBOARD/\$Profile1"
)
for f in "${user_files[@]}"; do
  mkdir -p "$(dirname "$sysroot/$f")"
  echo mine >"$sysroot/$f"
done
dpkg_root --purge quorlin || fail "dpkg --purge"
for f in "${user_files[@]}"; do
  [ -f "$sysroot/$f" ] || fail "purge removed the user's $f"
done
left=$(cd "$sysroot" && find . -not -type d | grep -v '^\./var/lib/dpkg/' | grep -v '^\./home/u/' || true)
[ -z "$left" ] || fail "left behind after purge: $left"
ok "dpkg install and purge leave only the user's own files"

# --- the unpacked programs ----------------------------------------------
# A fresh user whose folders are in the scratch area, and a private temp
# folder so the window's single-instance socket meets no other instance.
home=$scratch/home
mkdir -p "$home" "$scratch/tmp"
as_user() {
  env -i PATH="$PATH" HOME="$home" TMPDIR="$scratch/tmp" LANG=C.UTF-8 "$@"
}

as_user "$root/usr/bin/quorlinctl" --simulate info >"$scratch/info.txt" 2>&1 ||
  fail "quorlinctl --simulate info: $(cat "$scratch/info.txt")"
grep -q '^Firmware version:' "$scratch/info.txt" || fail "info printed: $(cat "$scratch/info.txt")"
# Mode names come from the language files: "#Error" means one was not found.
for lang in 0x0409 0x0407 0x0416; do
  out=$(as_user "$root/usr/bin/quorlinctl" --simulate --lang "$lang" lighting 2>&1) ||
    fail "quorlinctl --lang $lang lighting: $out"
  if grep -q '#Error' <<<"$out" || ! grep -q '^mode .*(' <<<"$out"; then
    fail "quorlinctl --lang $lang did not find its language file: $out"
  fi
done
ok "unpacked quorlinctl runs and finds its language files"

if [ "$has_gui" = yes ]; then
  # The window runs until it is told to end: five seconds offscreen, then
  # SIGTERM, which ends it as Exit does, with 0. The status of the program
  # itself is kept, so a crash on the way out fails.
  set +e
  as_user QT_QPA_PLATFORM=offscreen timeout --preserve-status 5 "$root/usr/bin/quorlin" \
    --simulate >"$scratch/gui.txt" 2>&1
  rc=$?
  set -e
  [ "$rc" -eq 0 ] || fail "quorlin --simulate ended on SIGTERM with $rc: $(cat "$scratch/gui.txt")"
  if grep -iE 'missing|not found|cannot (open|load|read)|no such file|damaged|#Error' \
    "$scratch/gui.txt"; then
    fail "quorlin --simulate could not find its files"
  fi
  ok "unpacked quorlin starts offscreen and ends on SIGTERM with 0, without complaint"
  # Which files it opens tells whether it found its language file (LANG=C
  # picks English) and its skin. Only the files count here: under strace
  # the program is slow and its end is not what this run checks.
  if command -v strace >/dev/null && strace -o /dev/null true 2>/dev/null; then
    as_user QT_QPA_PLATFORM=offscreen strace -f -qq -e trace=open,openat -e signal=none \
      -o "$scratch/opened.txt" timeout -s KILL 3 "$root/usr/bin/quorlin" --simulate \
      >/dev/null 2>&1 || true
    for f in Lang0409.ini Skins/Main.ini; do
      grep -qE "/$f\", O_RDONLY[^)]*\) = [0-9]" "$scratch/opened.txt" ||
        fail "quorlin did not open its $f: $(grep -F "$f" "$scratch/opened.txt" || true)"
    done
    ok "unpacked quorlin read its language file and skin"
  else
    echo "  skipped: no strace, so which files quorlin opened is not checked"
  fi
else
  echo "  skipped: the package holds no quorlin window program"
fi

# The programs made the data folder from the installed template: three user
# lighting files, empty ones had the template not been found.
user_data="$home/.local/share/Vantorel  Q742-ZX  MECHANICAL GAMING KEYBOARD"
for slot in 0 1 2; do
  [ -s "$user_data/UserDengColor_$slot.userd" ] ||
    fail "UserDengColor_$slot.userd in the data folder is missing or empty (template not found)"
done
ok "the data folder holds the user lighting files made from the template"

echo "package test: passed"
