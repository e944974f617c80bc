#!/usr/bin/env bash
# The installed program. `cmake --install` into a temporary prefix that is then made
# read-only; the desktop files pass their validators and the manual page renders;
# --version, --help and a wrong option work without a display, and the manual page
# lists every option the help offers. Started from the prefix with fresh XDG
# folders, the control window carries the class and title "pvstim", the shipped
# texts are copied into the user's data folder, closing writes Config.ini into the
# configuration folder, and a setting changed on screen survives the next start. In
# a Russian locale the "Обзор..." file dialog speaks Russian (a screenshot is kept
# in <build>/screenshots/).
set -euo pipefail
build_dir=$(cd "$1" && pwd)
source "$(dirname "$0")/lib.sh"
trap vd_cleanup EXIT

work=$(mktemp -d /tmp/pvstim-install.XXXXXX)
echo "$work" >> "$VD_REGISTRY"
prefix="$work/prefix"
cmake --install "$build_dir" --prefix "$prefix" >/dev/null
chmod -R a-w "$prefix"
program="$prefix/bin/pvstim"

# --- Installed files ---
for f in bin/pvstim share/pvstim/fone/title1.bmp share/pvstim/mandals/3.jpg share/pvstim/ReadMe.txt \
    share/applications/pvstim.desktop share/metainfo/io.github.pvstim.pvstim.metainfo.xml \
    share/man/man1/pvstim.1.gz; do
  [ -f "$prefix/$f" ] || e2e_fail "not installed: $f"
done
for size in 48 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/pvstim.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || e2e_fail "icon $icon is not ${size}x${size}"
done
[ ! -e "$prefix/share/pvstim/Config.ini" ] || e2e_fail "a settings file was installed"
desktop-file-validate "$prefix/share/applications/pvstim.desktop" || e2e_fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.pvstim.pvstim.metainfo.xml" >"$work/appstream.log" 2>&1 \
  || { cat "$work/appstream.log"; e2e_fail "appstreamcli validate"; }
man -l "$prefix/share/man/man1/pvstim.1.gz" 2>&1 >/dev/null | grep . && e2e_fail "man -l complains"
MANWIDTH=80 man -l "$prefix/share/man/man1/pvstim.1.gz" 2>/dev/null | grep -q 'photosensitive' \
  || e2e_fail "the manual page does not render its warning"

# --- Command line, without a display ---
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version)
[ "$version" = "pvstim 1.0" ] || e2e_fail "--version printed '$version'"
env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help | grep -q -- '--version' || e2e_fail "--help does not list --version"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY "$program" --no-such-option >"$work/out" 2>"$work/err" || status=$?
[ "$status" = 2 ] || e2e_fail "a wrong option ended with status $status, expected 2"
[ ! -s "$work/out" ] || e2e_fail "a wrong option printed to standard output"
grep -q 'no-such-option' "$work/err" && grep -q -- '--help' "$work/err" || e2e_fail "no usage on standard error"
# The manual page names every option the help offers, and the help offers none of
# Qt's own options, which the program would refuse.
env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help-all >"$work/help"
grep -q -e 'Qt' -e '-platform' "$work/help" && e2e_fail "--help-all offers Qt's options"
LC_ALL=C MANWIDTH=200 man -l "$prefix/share/man/man1/pvstim.1.gz" >"$work/man" 2>/dev/null
for option in $(grep -o -e '--[a-z][a-z-]*' "$work/help" | sort -u); do
  grep -q -- "$option" "$work/man" || e2e_fail "the manual page does not list $option"
done

# --- Running from the prefix ---
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
config="$XDG_CONFIG_HOME/pvstim/Config.ini"
texts="$XDG_DATA_HOME/pvstim/to_read"
mkdir -p "$texts"
echo "mine" > "$texts/$(ls "$prefix/share/pvstim/to_read" | head -n 1)"
vd_start_display

start_installed() {
  (cd "$work" && exec env LANG="${1:-C.UTF-8}" LC_ALL="${1:-C.UTF-8}" "$program" 2>>"$work/stderr.log") &
  VD_PROGRAM_PID=$!
  VD_PIDS+=($VD_PROGRAM_PID)
  control=$(vd_wait_window '^control$')
  sleep 1
  read -r cx cy _ _ <<<"$(e2e_geometry "$control")"
}

close_installed() {
  xdotool windowactivate --sync "$control" key --clearmodifiers alt+F4 || true
  e2e_wait_until "the program did not end on close" e2e_ended
}

click_client() { xdotool mousemove $((cx + $1)) $((cy + $2)); sleep 0.2; xdotool click 1; sleep 0.3; }

start_installed
[ "$(xprop -id "$control" WM_CLASS)" = 'WM_CLASS(STRING) = "pvstim", "pvstim"' ] \
  || e2e_fail "class: $(xprop -id "$control" WM_CLASS)"
[ "$(xprop -id "$control" _NET_WM_NAME)" = '_NET_WM_NAME(UTF8_STRING) = "pvstim"' ] \
  || e2e_fail "title: $(xprop -id "$control" _NET_WM_NAME)"
icon=$(xprop -id "$control" _NET_WM_ICON)
grep -q -e 'Icon (48 x 48)' -e '^_NET_WM_ICON(CARDINAL) = 48, 48' <<<"$icon" || e2e_fail "the control window has no 48x48 icon"

for shipped in "$prefix"/share/pvstim/to_read/*; do
  copy="$texts/$(basename "$shipped")"
  [ -f "$copy" ] || e2e_fail "not copied: $copy"
done
first=$(ls "$prefix/share/pvstim/to_read" | head -n 1)
[ "$(cat "$texts/$first")" = "mine" ] || e2e_fail "the user's own $first was overwritten"
copied=$(ls "$prefix/share/pvstim/to_read" | sed -n 2p)
[ "$(stat -c %A "$texts/$copied" | cut -c3)" = w ] || e2e_fail "the copied $copied is not the user's to edit"

# "1. Маркеры поля зрения" (12,332 in the window) off, then close.
click_client 20 342
close_installed
[ -f "$config" ] || e2e_fail "no Config.ini in $XDG_CONFIG_HOME/pvstim after closing"
grep -q '^markers=0' "$config" || e2e_fail "markers not saved off: $(cat "$config")"
find "$prefix" -newer "$work/appstream.log" -print | grep . && e2e_fail "the program wrote into its prefix"

# The next start reads the setting back: closing again keeps it off. In a Russian
# locale, "2. Вручную" shows "Обзор...", whose file dialog speaks Russian.
start_installed ru_RU.UTF-8
click_client 320 286
click_client 462 286
dialog=$(vd_wait_window '^Открыть') || true
mkdir -p "$build_dir/screenshots"
shot="$build_dir/screenshots/install-file-dialog-ru.png"
vd_screenshot "$shot"
echo "screenshot: $shot"
[ -n "$dialog" ] || e2e_fail "no file dialog titled in Russian; windows: $(vd_program_windows | tr '\n' ';')"
xdotool windowactivate --sync "$dialog" key --clearmodifiers Escape || true
e2e_wait_until "Escape did not close the file dialog" eval "! vd_find_window '^Открыть' >/dev/null"
close_installed
grep -q '^markers=0' "$config" || e2e_fail "the setting did not survive the next start: $(cat "$config")"
echo "PASS"
