#!/usr/bin/env bash
# Shared helpers of the end-to-end tests: a virtual X server with a window manager,
# a private copy of the program's folder, and ways to look at the screen.
# Source it; call e2e_cleanup on exit (trap e2e_cleanup EXIT).

E2E_PIDS=()
E2E_TMP=""
# Folders to remove at cleanup. A file, because e2e_program_copy usually runs in a
# command substitution, whose variables do not reach this shell ($$ is the same there).
E2E_REGISTRY="/tmp/pvstim-e2e-registry.$$"

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts Xvfb (1024x768, 24 bits) on a display it picks itself, and openbox on it.
e2e_start_display() {
  local fdfile
  fdfile=$(mktemp /tmp/pvstim-display.XXXXXX)
  Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1024x768x24}" -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  for _ in $(seq 300); do [ -s "$fdfile" ] && break; sleep 0.1; done
  [ -s "$fdfile" ] || e2e_fail "Xvfb did not start"
  export DISPLAY=":$(head -n 1 "$fdfile")"
  rm -f "$fdfile"
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || e2e_fail "Xvfb did not answer on $DISPLAY"
  openbox >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  sleep 0.5
}

# Copies the program and the files beside it into a fresh folder; prints its path.
e2e_program_copy() {
  local build_dir=$1
  E2E_TMP=$(mktemp -d /tmp/pvstim-e2e.XXXXXX)
  echo "$E2E_TMP" >> "$E2E_REGISTRY"
  cp "$build_dir/pvstim" "$E2E_TMP/"
  local item
  for item in to_read fone textures mandals ReadMe.txt Ритмы.doc Vellamor.doc; do
    [ -e "$build_dir/$item" ] && cp -r "$build_dir/$item" "$E2E_TMP/"
  done
  echo "$E2E_TMP"
}

# Starts the program from a folder; its standard error goes to <folder>/stderr.log.
e2e_start_program() {
  local dir=$1
  (cd "$dir" && exec ./pvstim 2>"$dir/stderr.log") &
  E2E_PROGRAM_PID=$!
  E2E_PIDS+=($E2E_PROGRAM_PID)
}

# Lists "id name" for each mapped top-level window of the program (window class
# pvstim). Every window is titled after the program, so a window of the program's
# own is named by its role (Form1 ... Form5); a dialog without a role, by its title.
e2e_program_windows() {
  local id name
  for id in $(xdotool search --onlyvisible --class '^pvstim$' 2>/dev/null); do
    name=$(xprop -id "$id" WM_WINDOW_ROLE 2>/dev/null | sed -n 's/^WM_WINDOW_ROLE([A-Z_]*) = "\(.*\)"$/\1/p')
    [ -n "$name" ] || name=$(xdotool getwindowname "$id" 2>/dev/null || true)
    [ -n "$name" ] && echo "$id $name"
  done
  return 0
}

# Prints the id of a mapped window of the program whose name (see above) matches
# the extended regular expression; fails when there is none.
e2e_find_window() {
  # awk reads to the end, so that no early exit breaks the pipe under pipefail.
  e2e_program_windows | awk -v p="$1" '{ id = $1; sub(/^[^ ]+ /, "") } !found && $0 ~ p { found = id }
    END { if (found) print found; exit !found }'
}

# Waits until such a window is mapped; prints its id.
e2e_wait_window() {
  local pattern=$1 seconds=${2:-10} id
  for _ in $(seq $((seconds * 10))); do
    if id=$(e2e_find_window "$pattern"); then echo "$id"; return 0; fi
    sleep 0.1
  done
  e2e_fail "no visible window named $pattern after ${seconds}s"
}

# Prints "x y width height" of a window, in root coordinates.
e2e_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# Lists the names of the mapped windows of the program (Form1 ... Form5).
e2e_visible_windows() {
  e2e_program_windows | awk '$2 ~ /^Form[1-5]$/ { print $2 }' | sort
}

# Saves the whole screen as a PNG.
e2e_screenshot() { import -display "$DISPLAY" -window root "$1"; }

# Prints the colour of one pixel of a PNG as "r,g,b".
e2e_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

e2e_cleanup() {
  local pid
  for ((i=${#E2E_PIDS[@]}-1; i>=0; i--)); do
    pid=${E2E_PIDS[$i]}
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  if [ -f "$E2E_REGISTRY" ]; then
    local folder
    while read -r folder; do
      chmod -R u+w "$folder" 2>/dev/null
      [ -z "${E2E_KEEP:-}" ] && rm -rf "$folder"
    done < "$E2E_REGISTRY"
    rm -f "$E2E_REGISTRY"
  fi
  return 0
}
