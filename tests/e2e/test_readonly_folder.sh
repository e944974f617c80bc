#!/usr/bin/env bash
# The program's folder made read-only for the user who runs it: closing shows the
# error box "Unable to write to <path>", the program still ends, and the old
# Config.ini is left exactly as it was.
set -euo pipefail
build_dir=$1
source "$(dirname "$0")/lib.sh"
trap vd_cleanup EXIT

user=nobody
id "$user" >/dev/null 2>&1 || { echo "SKIP: no user $user"; exit 0; }

vd_start_display
dir=$(vd_program_copy "$build_dir")
printf '[FONT]\nFsize=20\n' > "$dir/Config.ini"
before=$(sha256sum "$dir/Config.ini")
chmod -R a+rX "$dir"
chmod 555 "$dir"
chmod 444 "$dir/Config.ini"

runtime=$(mktemp -d /tmp/pvstim-runtime.XXXXXX)
chown "$user" "$runtime"
chmod 700 "$runtime"
(cd "$dir" && exec setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups \
  env HOME="$runtime" XDG_RUNTIME_DIR="$runtime" DISPLAY="$DISPLAY" ./pvstim 2>/dev/null) &
VD_PROGRAM_PID=$!
VD_PIDS+=($VD_PROGRAM_PID)

id=$(vd_wait_window '^control$')
sleep 1
xdotool windowactivate --sync "$id" key --clearmodifiers alt+F4 || true

# The error box is a window of its own with the error's text.
box=$(vd_wait_window '^pvstim$')
shot=$(mktemp /tmp/pvstim-readonly.XXXXXX.png)
vd_screenshot "$shot"
xdotool windowactivate --sync "$box" key --clearmodifiers Return || true
e2e_wait_until "the program did not end after the error box" e2e_ended

after=$(sha256sum "$dir/Config.ini")
[ "$before" = "$after" ] || e2e_fail "Config.ini changed"
ls "$dir" | grep -qi 'config.ini.' && e2e_fail "a temporary file was left behind"
rm -rf "$runtime" "$shot"
echo "PASS"
