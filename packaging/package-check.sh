#!/usr/bin/env bash
# Checks the Debian package as a user would meet it: lintian on the file, installed with apt,
# the desktop entry and AppStream metadata validated, the program started through the desktop
# entry's command under a virtual display until its main window appears, then the package
# removed and the user's data found unchanged. Runs as root; the package must be built
# (make package). Leaves the machine as it found it: the package is removed even on failure.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
# The program is started as from a desktop session: a clean environment, the system's PATH.
system_path=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin

say() { printf '== %s\n' "$*"; }
fail() { printf 'package-check: FAILED: %s\n' "$*" >&2; exit 1; }

[ "$(id -u)" = 0 ] || fail "must run as root (it installs and removes the package)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
deb="$BUILD/senvora_${version}_$(dpkg --print-architecture).deb"
if [ -z "$version" ] || [ ! -f "$deb" ]; then fail "no package $deb (run make package)"; fi
if dpkg-query -W -f='${Status}' senvora 2>/dev/null | grep -q ' installed$'; then
    fail "senvora is already installed here; remove it first (apt-get remove senvora)"
fi

home=$(mktemp -d /tmp/senvora-home.XXXXXX)
cleanup() {
    if dpkg-query -W -f='${Status}' senvora 2>/dev/null | grep -q ' installed$'; then
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq senvora >/dev/null || true
    fi
    rm -rf "$home"
}
trap cleanup EXIT

say "package: $deb"
dpkg-deb --field "$deb"
dpkg-deb --contents "$deb" | awk '{print $1, $6}'

say "lintian"
lintian --fail-on error --display-level '>=warning' "$deb" 2>&1 | tee "$home/lintian.log" ||
    fail "lintian reports errors"
lintian_errors=$(grep -c '^E:' "$home/lintian.log" || true)
lintian_warnings=$(grep -c '^W:' "$home/lintian.log" || true)

say "install"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >"$home/apt.log" 2>&1 ||
    { cat "$home/apt.log"; fail "apt-get install"; }
desktop=/usr/share/applications/senvora.desktop
metainfo=/usr/share/metainfo/ir.senvora.senvora.metainfo.xml
for size in 16 24 32 48 64 128 256 512; do
    [ -f "/usr/share/icons/hicolor/${size}x${size}/apps/senvora.png" ] || fail "icon ${size}x${size}"
done
[ -f /usr/share/icons/hicolor/scalable/apps/senvora.svg ] || fail "scalable icon"
[ -d /usr/share/senvora/themes ] || fail "installed theme defaults"

say "desktop-file-validate"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
say "appstreamcli validate --no-net"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"

say "start through the desktop entry under a virtual display"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ -n "$exec_line" ] || fail "no Exec line"
program=$(PATH=$system_path command -v "${exec_line%% *}") ||
    fail "the Exec line's command is not found"
[ "$program" = /usr/bin/senvora ] || fail "the Exec line starts $program, not the installed program"
data="$home/.local/share/Senvora"
# shellcheck disable=SC2016  # expanded by the inner shell
env -i PATH="$system_path" HOME="$home" \
    LANG=C.UTF-8 EXEC_LINE="$exec_line" \
    xvfb-run --auto-servernum --server-args='-screen 0 1280x1024x24' bash -c '
        cd "$HOME"
        $EXEC_LINE >"$HOME/program.log" 2>&1 &
        pid=$!
        if ! timeout 60 xdotool search --sync --onlyvisible --name "^Senvora\$" >"$HOME/window"; then
            kill $pid 2>/dev/null; echo "no main window; program said:"; cat "$HOME/program.log"
            xwininfo -root -tree | grep -v "has no name" | head -20; exit 1
        fi
        echo "main window: $(xwininfo -id "$(head -1 "$HOME/window")" | grep -E "Window id|Width|Height" | tr -s " " | paste -sd " ")"
        kill $pid; wait $pid 2>/dev/null || true' || fail "the main window did not appear"

say "the user's data"
for path in DBM/DB.mdb DBM/DB2.mdb Back; do
    [ -e "$data/$path" ] || fail "missing $data/$path"
done
for theme in /usr/share/senvora/themes/*.skn; do
    cmp -s "$theme" "$data/$(basename "$theme")" || fail "theme $(basename "$theme") not copied"
done
if [ -e /usr/bin/DBM ] || [ -e /usr/bin/senvora.lock ]; then fail "files written beside the executable"; fi
(cd "$data" && find . -type f ! -name senvora.lock -print0 | sort -z | xargs -0 sha256sum) >"$home/data.sums"
ls -la "$data" "$data/DBM"

say "remove"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq senvora >>"$home/apt.log" 2>&1 ||
    { cat "$home/apt.log"; fail "apt-get remove"; }
[ ! -e /usr/bin/senvora ] || fail "/usr/bin/senvora is still there after removal"
(cd "$data" && sha256sum --quiet -c "$home/data.sums") || fail "the user's data changed on removal"

say "package-check passed: lintian $lintian_errors errors, $lintian_warnings warnings;" \
    "desktop entry and AppStream metadata valid; main window shown; $(wc -l <"$home/data.sums")" \
    "data files unchanged after removal"
