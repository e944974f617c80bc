#!/usr/bin/env bash
# Shared helpers of the end-to-end tests: ways to look at the screen. The virtual
# display and the program's private folder come from scripts/display.sh.
# Source it; call vd_cleanup on exit (trap vd_cleanup EXIT).

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/display.sh"

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

# The usual start of a test: cleanup on exit, the virtual display, and a copy of
# the program from the build folder $1 in a fresh folder, $dir.
e2e_begin() {
  build_dir=$1
  trap vd_cleanup EXIT
  vd_start_display
  dir=$(vd_program_copy "$build_dir")
}

# Prints "x y width height" of a window, in root coordinates.
e2e_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# Lists the names of the mapped windows of the program (control ... clock).
e2e_visible_windows() {
  vd_program_windows | awk '$2 ~ /^(control|stimulation|overlay|minibar|clock)$/ { print $2 }' | sort
}

# Prints the colour of one pixel of a PNG as "r,g,b".
e2e_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Each test has a configuration folder of its own, in which the user has already
# confirmed the warning shown before a first run; a test of that warning removes
# the file.
VD_CONFIG_HOME=$(mktemp -d /tmp/pvstim-e2e-config.XXXXXX)
echo "$VD_CONFIG_HOME" >> "$VD_REGISTRY"
export VD_CONFIG_HOME
E2E_USER_FILE="$VD_CONFIG_HOME/pvstim/pvstim.conf"
mkdir -p "$(dirname "$E2E_USER_FILE")"
printf '[warning]\nconfirmed=true\n' >"$E2E_USER_FILE"

# True while the process runs (an ended child that was not waited for is a zombie).
e2e_running() {
  local state
  { read -r _ _ state _ <"/proc/$1/stat"; } 2>/dev/null || return 1
  [ "$state" != Z ]
}

# Runs the command until it succeeds; after VD_DEADLINE seconds of wall-clock time
# fails the test with the message and what the command's last try printed.
e2e_wait_until() {
  local what=$1 end=$((SECONDS + VD_DEADLINE)) said
  shift
  until said=$("$@"); do
    [ "$SECONDS" -lt "$end" ] || e2e_fail "$what (waited ${VD_DEADLINE} s)${said:+: $said}"
    sleep 0.1
  done
}

e2e_ended() { ! e2e_running "$VD_PROGRAM_PID"; }

# Waits for the program to end; prints the milliseconds since the given date +%s%N,
# for the log only: how fast it ends is measured by the benchmarks.
e2e_wait_for_end() {
  local since=$1
  e2e_wait_until "the program did not end" e2e_ended
  echo $((($(date +%s%N) - since) / 1000000))
}

# A checksum of what the screen shows in a region WxH+X+Y.
e2e_region_sum() {
  import -display "$DISPLAY" -window root -crop "$1" rgb:- 2>/dev/null | md5sum | cut -c1-12
}

# True when the region WxH+X+Y shows nothing but the colour "r,g,b".
e2e_region_plain() {
  [ "$(import -display "$DISPLAY" -window root -crop "$1" miff:- 2>/dev/null \
    | convert - -format '%k,%[fx:int(255*p{0,0}.r)],%[fx:int(255*p{0,0}.g)],%[fx:int(255*p{0,0}.b)]' info:)" = "1,$2" ]
}

# Waits until the stimulation window shows its text lines and flickers: the band of
# the text line (964x241+30+304 on the 1024x768 screen) shows nothing but the
# window's background (r,g,b; the default 245,242,222 unless given), as before the
# first line or in a blank phase, and then something else. Whatever stood on the
# screen before the window was painted never counts as a change.
e2e_region_differs() { [ "$(e2e_region_sum "$1")" != "$2" ]; }

e2e_wait_for_flicker() {
  local what=$1 background=${2:-245,242,222} band=964x241+30+304 plain
  e2e_wait_until "$what: the text line's band never showed the plain background" \
    e2e_region_plain "$band" "$background"
  plain=$(e2e_region_sum "$band")
  e2e_wait_until "$what" e2e_region_differs "$band" "$plain"
}

# Presses Escape until the program has ended: an error box on show takes an Escape
# of its own first. Use with e2e_wait_until.
e2e_escape_until_ended() {
  e2e_ended && return 0
  xdotool key Escape
  sleep 0.5
  e2e_ended
}

# Starts the program copy in DIR (with the further arguments) and waits for its
# control window and a settling second; E2E_CONTROL then holds the window's id.
# Called directly, not in $(...), so that the program's process id stays known to
# the cleanup.
e2e_start_program() {
  local dir=$1
  shift
  vd_start_program "$dir" "$@"
  E2E_CONTROL=$(vd_wait_window '^control$')
  sleep 1
}

# Makes a text of two lines the only reading text of the program copy in DIR.
e2e_two_line_text() {
  rm -rf "$1/to_read"
  mkdir "$1/to_read"
  printf 'Первая строка\r\nВторая строка\r\n' >"$1/to_read/Probe.txt"
}

# Clicks "Старт", which lies at 481,340 in the control window, 47x19.
e2e_click_start() {
  local cx cy
  read -r cx cy _ _ <<<"$(e2e_geometry "$1")"
  xdotool mousemove $((cx + 481 + 23)) $((cy + 340 + 9))
  sleep 0.3
  xdotool click 1
}

# Prints the X server's screen saver state: off, on, cycle or disabled.
e2e_saver_state() {
  python3 -c '
import ctypes
x11 = ctypes.CDLL("libX11.so.6")
xss = ctypes.CDLL("libXss.so.1")
class Info(ctypes.Structure):
    _fields_ = [("window", ctypes.c_ulong), ("state", ctypes.c_int), ("kind", ctypes.c_int),
                ("til_or_since", ctypes.c_ulong), ("idle", ctypes.c_ulong), ("event_mask", ctypes.c_ulong)]
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
xss.XScreenSaverQueryInfo.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(Info)]
display = x11.XOpenDisplay(None)
info = Info()
if not display or not xss.XScreenSaverQueryInfo(display, x11.XDefaultRootWindow(display), ctypes.byref(info)):
    raise SystemExit("no screen saver information")
print({0: "off", 1: "on", 2: "cycle", 3: "disabled"}.get(info.state, "unknown"))
'
}

# Starts a run in Manual with the rhythm whose label lies at X,Y in the control
# window (its centre): "Auto" off, the rhythm (Start needs one in Manual), "Старт"
# (which starts at the wake or sleep frequency), the control window back from the
# mini bar, then the rhythm again. The control window stays up; the flicker goes
# on behind it. "Низкий Бета" (13 Hz) lies at 76,124, "Тета" (5 Hz) at 73,218.
e2e_start_manual_run() {
  local control=$1 rx=$2 ry=$3 cx cy
  read -r cx cy _ _ <<<"$(e2e_geometry "$control")"
  xdotool mousemove $((cx + 198 + 29)) $((cy + 59 + 10)) click 1
  sleep 0.5
  xdotool mousemove $((cx + rx)) $((cy + ry)) click 1
  sleep 0.3
  xdotool mousemove $((cx + 481 + 23)) $((cy + 340 + 9))
  sleep 0.3
  xdotool click 1
  vd_wait_window '^minibar$' >/dev/null
  sleep 0.5
  xdotool mousemove 20 $((743 + 6)) click 1
  control=$(vd_wait_window '^control$')
  sleep 0.5
  read -r cx cy _ _ <<<"$(e2e_geometry "$control")"
  xdotool mousemove $((cx + rx)) $((cy + ry)) click 1
}

# Ends a run the way a user does: the control window back from the mini bar if it
# is not up, then closed. Waits until the program has ended.
e2e_end_run() {
  local control
  control=$(vd_find_window '^control$' || true)
  if [ -z "$control" ]; then
    xdotool mousemove 20 $((743 + 6)) click 1
    control=$(vd_wait_window '^control$')
  fi
  xdotool windowactivate --sync "$control" key --clearmodifiers alt+F4 || true
  e2e_wait_until "the program still runs after its control window was closed" e2e_ended
}
