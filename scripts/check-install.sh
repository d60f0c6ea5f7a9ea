#!/usr/bin/env bash
# Installs a built tree into a staging folder (DESTDIR) and checks what
# landed: the files, the desktop entry and the metainfo (validators), the
# installed quorvel-tool, and the installed quorvel started from the staging
# folder under Xvfb: with LANG=de_DE.UTF-8 and no settings it must find its
# data and speak German, with LANG=C English.
#
# usage: scripts/check-install.sh [BUILD_DIR]
#   QUORVEL_CHECK_DISPLAY  X display for the window check (default :97);
#                          an Xvfb is started there unless one answers
#   QUORVEL_CHECK_KEEP=1   keep the staging folder and print its path
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
build=$(cd "$build" && pwd)
display=${QUORVEL_CHECK_DISPLAY:-:97}
id=org.quorvel.Quorvel
version=$(sed -n 's/^project(Quorvel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")

work=$(mktemp -d /tmp/quorvel-install.XXXXXX)
stage=$work/stage
prefix=$stage/usr
xvfb_pid=
app_pid=
cleanup() {
  for p in $app_pid $xvfb_pid; do
    if kill -0 "$p" 2>/dev/null; then
      kill "$p" 2>/dev/null || true
      wait "$p" 2>/dev/null || true
    fi
  done
  if [ "${QUORVEL_CHECK_KEEP:-0}" = 1 ]; then
    echo "check-install: staging folder kept in $stage"
  else
    rm -rf "$work"
  fi
}
trap cleanup EXIT

fail() { echo "check-install: FAILED: $*" >&2; exit 1; }
step() { echo "== $*"; }

step "install into $stage"
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
(cd "$stage" && find . -type f -o -type l | sed 's|^\./|/|' | sort)

step "installed files"
expected=(
  bin/quorvel bin/quorvel-tool libexec/quorvel/quorvel-tool-meta libexec/quorvel/quorvel-tool-decode
  libexec/quorvel/quorvel-tool-all
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
  share/man/man1/quorvel.1 share/man/man1/quorvel-tool.1
  share/quorvel/LangGerman.qm share/quorvel/Splash.jpg
  share/doc/quorvel/Quorvel.pdf share/doc/quorvel/LICENSE
)
for size in 16 22 24 32 48 64 128 256 512; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for f in "${expected[@]}"; do
  [ -s "$prefix/$f" ] || fail "missing or empty: /usr/$f"
done
for size in 16 22 24 32 48 64 128 256 512; do
  got=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png")
  [ "$got" = "${size}x${size}" ] || fail "icon ${size}x${size} is $got"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the SVG icon is no SVG"
echo "all ${#expected[@]} expected files present; icon sizes right"

step "desktop-file-validate"
desktop-file-validate "$prefix/share/applications/$id.desktop"
echo "passed"

step "appstreamcli validate --no-net"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"

step "manual pages"
for page in quorvel quorvel-tool; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page.1: $warnings"
done
echo "passed"

step "installed quorvel-tool and quorvel answer without a display"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/quorvel-tool" --version)
echo "$out"
[ "$out" = "quorvel-tool $version" ] || fail "quorvel-tool --version said '$out'"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/quorvel" --version)
echo "$out"
[ "$out" = "quorvel $version" ] || fail "quorvel --version said '$out'"
"$prefix/bin/quorvel-tool" scan "$root/samples" >/dev/null || fail "quorvel-tool scan"
# Each of the tool's programs under libexec, reached through quorvel-tool.
sample=$(find "$root/samples" -maxdepth 1 -iname '*.jpg' | sort | head -n 1)
if [ -n "$sample" ]; then
  "$prefix/bin/quorvel-tool" info "$sample" >/dev/null || fail "quorvel-tool info"
  "$prefix/bin/quorvel-tool" decode "$sample" | grep -q "	jpeg	" || fail "quorvel-tool decode"
  "$prefix/bin/quorvel-tool" decode "$sample" --out "$work/sample.png" | grep -q "	jpeg	" \
    || fail "quorvel-tool decode --out"
fi
set +e
env -u DISPLAY "$prefix/bin/quorvel" --no-such-option >/dev/null 2>&1
status=$?
set -e
[ "$status" = 2 ] || fail "quorvel --no-such-option ended with $status, not 2"

step "installed quorvel under Xvfb on $display"
export DISPLAY=$display
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QUORVEL_SETTINGS
if ! xdotool getdisplaygeometry >/dev/null 2>&1; then
  Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
  xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb did not start on $display"
fi

# Starts the installed program with a home of its own (no settings at all)
# and the given language, opens the key help with H and waits for its title.
check_language() {
  local lang=$1 title=$2 home=$work/home-$1
  mkdir -p "$home"
  export XDG_RUNTIME_DIR=$work/runtime; mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  env -u LC_ALL -u LC_MESSAGES -u LANGUAGE HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    XDG_DATA_HOME="$home/.local/share" LANG="$lang" \
    "$prefix/bin/quorvel" --no-splash "$root/samples" >"$work/quorvel-$lang.log" 2>&1 &
  app_pid=$!
  local win
  win=$(timeout 30 xdotool search --sync --onlyvisible --pid "$app_pid" 2>/dev/null | head -1) || true
  [ -n "$win" ] || { cat "$work/quorvel-$lang.log" >&2; fail "no window from quorvel with LANG=$lang"; }
  sleep 2
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  xdotool key h
  local help
  help=$(timeout 20 xdotool search --sync --onlyvisible --name "$title" 2>/dev/null | head -1) || true
  if [ -z "$help" ]; then
    cat "$work/quorvel-$lang.log" >&2
    fail "with LANG=$lang no window titled '$title' appeared"
  fi
  echo "LANG=$lang: the key help opened as \"$(xdotool getwindowname "$help")\""
  kill "$app_pid"; wait "$app_pid" 2>/dev/null || true; app_pid=
  # The first start stored the language it chose.
  grep -q "^InterfaceLang=$3\$" "$home/.config/Quorvel/Quorvel.conf" ||
    fail "with LANG=$lang the stored language is not $3"
}
check_language de_DE.UTF-8 "^Hilfe: verf" LangGerman.qm
check_language C "^Help: available keys" English

echo "check-install: all checks passed"
