#!/usr/bin/env bash
# Sets up the machine, builds everything and opens the print dialog on the demo fax printer.
# Without a display it saves pictures of the dialog's panes instead, and says where.
# Arguments are passed to the dialog (for example a document to print).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" "$root/build"

# The demo printer's device (127.0.0.1): the fax device simulator with the demo address data,
# on a free loopback port that the device calls find in NV_FAX_DEVICE_PORT; stopped on exit.
device_password=1234
device_log="$root/build/fax-device-simulator.log"
"$root/build/apps/fax-device-simulator/fax-device-simulator" \
  --data "$root/resources/DemoDevice/addresses.json" --password "$device_password" \
  >"$device_log" 2>&1 &
device_pid=$!
trap 'kill "$device_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  grep -q '^Listening on' "$device_log" && break
  sleep 0.1
done
if NV_FAX_DEVICE_PORT=$(sed -n 's/^Listening on .* port \([0-9]*\)$/\1/p' "$device_log" | head -1) &&
   [ -n "$NV_FAX_DEVICE_PORT" ]; then
  export NV_FAX_DEVICE_PORT
  echo "Demo fax device on 127.0.0.1 port $NV_FAX_DEVICE_PORT (password $device_password)."
else
  echo "The demo fax device did not start (see $device_log); its address tab will stay empty."
fi

dialog=("$root/build/apps/print-dialog/print-dialog" --printer NorvaleDemoFax)
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  "${dialog[@]}" "$@"
  exit
fi
echo "No display here: saving pictures of the print dialog into $root/build/screenshots" \
     "(run under xvfb-run, or on a desktop, to use it)."
"${dialog[@]}" --offscreen --screenshot "$root/build/screenshots" "$@"
