#!/usr/bin/env bash
# A virtual X server with a window manager, a private copy of the program's folder,
# and a program started from it: shared by `make run`, the end-to-end tests and the
# benchmarks. Source it; call vd_cleanup on exit (trap vd_cleanup EXIT).

VD_PIDS=()
VD_TMP=""
# Folders to remove at cleanup. A file, because vd_program_copy usually runs in a
# command substitution, whose variables do not reach this shell ($$ is the same there).
VD_REGISTRY="/tmp/pvstim-vd-registry.$$"

vd_fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts Xvfb (1024x768, 24 bits) on a display it picks itself, and openbox on it.
vd_start_display() {
  local fdfile
  fdfile=$(mktemp /tmp/pvstim-display.XXXXXX)
  Xvfb -displayfd 3 -screen 0 "${VD_SCREEN:-1024x768x24}" -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  VD_PIDS+=($!)
  for _ in $(seq 300); do [ -s "$fdfile" ] && break; sleep 0.1; done
  [ -s "$fdfile" ] || vd_fail "Xvfb did not start"
  export DISPLAY=":$(head -n 1 "$fdfile")"
  rm -f "$fdfile"
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || vd_fail "Xvfb did not answer on $DISPLAY"
  openbox >/dev/null 2>&1 &
  VD_PIDS+=($!)
  sleep 0.5
}

# Copies the program and the files beside it into a fresh folder; prints its path.
vd_program_copy() {
  local build_dir=$1
  VD_TMP=$(mktemp -d /tmp/pvstim-e2e.XXXXXX)
  echo "$VD_TMP" >> "$VD_REGISTRY"
  cp "$build_dir/pvstim" "$VD_TMP/"
  local item
  for item in to_read fone textures mandals ReadMe.txt Ритмы.doc Vellamor.doc; do
    [ -e "$build_dir/$item" ] && cp -r "$build_dir/$item" "$VD_TMP/"
  done
  echo "$VD_TMP"
}

# Starts the program from a folder with the arguments that follow; its standard
# error goes to <folder>/stderr.log. With VD_CONFIG_HOME set, the program keeps its
# per-user file there rather than in the user's own configuration folder.
vd_start_program() {
  local dir=$1
  shift
  (cd "$dir" && if [ -n "${VD_CONFIG_HOME:-}" ]; then export XDG_CONFIG_HOME=$VD_CONFIG_HOME; fi \
    && exec ./pvstim "$@" 2>"$dir/stderr.log") &
  VD_PROGRAM_PID=$!
  VD_PIDS+=($VD_PROGRAM_PID)
}

# Lists "id name" for each mapped top-level window of the program (window class
# pvstim). Every window is titled after the program, so a window of the program's
# own is named by its role (control ... clock); a dialog without a role, by its title.
vd_program_windows() {
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
vd_find_window() {
  # awk reads to the end, so that no early exit breaks the pipe under pipefail.
  vd_program_windows | awk -v p="$1" '{ id = $1; sub(/^[^ ]+ /, "") } !found && $0 ~ p { found = id }
    END { if (found) print found; exit !found }'
}

# How long a wait for something the program does may take before it counts as a
# failure: generous, so that a busy machine makes a test slower, never red.
VD_DEADLINE=${VD_DEADLINE:-60}

# Waits (up to VD_DEADLINE seconds of wall-clock time) until such a window is
# mapped; prints its id.
vd_wait_window() {
  local pattern=$1 end=$((SECONDS + VD_DEADLINE)) id
  until id=$(vd_find_window "$pattern"); do
    [ "$SECONDS" -lt "$end" ] || vd_fail "no visible window named $pattern after ${VD_DEADLINE}s"
    sleep 0.1
  done
  echo "$id"
}

# Saves the whole screen as a PNG.
vd_screenshot() { import -display "$DISPLAY" -window root "$1"; }

# Waits until a top-level window with exactly this name exists (x11-utils only).
vd_wait_window_named() {
  local name=$1 end=$((SECONDS + VD_DEADLINE))
  until xwininfo -root -tree 2>/dev/null | grep -qF "\"$name\""; do
    [ "$SECONDS" -lt "$end" ] || vd_fail "no window named $name after ${VD_DEADLINE}s"
    sleep 0.1
  done
}

vd_cleanup() {
  local pid
  for ((i=${#VD_PIDS[@]}-1; i>=0; i--)); do
    pid=${VD_PIDS[$i]}
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  if [ -f "$VD_REGISTRY" ]; then
    local folder
    while read -r folder; do
      chmod -R u+w "$folder" 2>/dev/null
      [ -z "${VD_KEEP:-}" ] && rm -rf "$folder"
    done < "$VD_REGISTRY"
    rm -f "$VD_REGISTRY"
  fi
  return 0
}
