#!/usr/bin/env bash
# The screen kept awake during a run, on the real program: with the X server's screen
# saver set to a 2-second time-out it activates while the program waits without a run,
# does not activate during a 6-second run without input, and activates again after
# the program has ended. A screen-saver service on a private session bus is asked to
# inhibit and to let go as well: one hold does not stand in for the other.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin "$1"
printf '[USES]\r\nmarkers=0\r\nimages=0\r\n' >"$dir/Config.ini"
xset s 2 0

saver_on() { [ "$(e2e_saver_state)" = on ]; }

# The service answers Inhibit with a cookie and notes each call, as a desktop's does.
{ read -r DBUS_SESSION_BUS_ADDRESS; read -r bus_pid || true; } < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS
VD_PIDS+=("$bus_pid")
bus_log="$dir/bus.log"
# Debian's own Python, which has the dbus and gi modules the test packages install.
/usr/bin/python3 - "$bus_log" <<'PY' &
import sys, dbus, dbus.service, dbus.mainloop.glib
from gi.repository import GLib
dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
log = open(sys.argv[1], "a", buffering=1)
class Saver(dbus.service.Object):
    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="ss", out_signature="u")
    def Inhibit(self, application, reason):
        log.write("Inhibit\n")
        return 7
    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="u", out_signature="")
    def UnInhibit(self, cookie):
        log.write("UnInhibit %d\n" % cookie)
bus = dbus.SessionBus()
name = dbus.service.BusName("org.freedesktop.ScreenSaver", bus)
Saver(bus, "/org/freedesktop/ScreenSaver")
log.write("ready\n")
GLib.MainLoop().run()
PY
VD_PIDS+=($!)
e2e_wait_until "the screen-saver service did not start" grep -q ready "$bus_log"

vd_start_program "$dir"
control=$(vd_wait_window '^control$')
# Without a run the program leaves the screen saver alone (this also shows that the
# server's screen saver works here at all).
e2e_wait_until "the screen saver did not turn on before the run" saver_on

e2e_click_start "$control"
vd_wait_window '^stimulation$' >/dev/null
for i in $(seq 12); do
  sleep 0.5
  state=$(e2e_saver_state)
  [ "$state" != on ] || e2e_fail "the screen saver turned on $((i * 500)) ms into the run"
done
e2e_running "$VD_PROGRAM_PID" || e2e_fail "the program ended during the run"

since=$(date +%s%N)
xdotool key Escape
e2e_wait_for_end "$since" >/dev/null
e2e_wait_until "the screen saver did not turn on again after the program ended" saver_on
grep -qx Inhibit "$bus_log" || e2e_fail "the session bus service was not asked to inhibit: $(cat "$bus_log")"
grep -qx 'UnInhibit 7' "$bus_log" || e2e_fail "the session bus service was not let go: $(cat "$bus_log")"
echo "PASS"
