#!/usr/bin/env bash
# Sets up the machine, builds everything and opens the print dialog on the demo fax printer.
# Without a display it saves pictures of the dialog's panes instead, and says where.
# Arguments are passed to the dialog (for example a document to print).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" "$root/build"

dialog=("$root/build/apps/print-dialog/print-dialog" --printer NorvaleDemoFax)
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "${dialog[@]}" "$@"
fi
echo "No display here: saving pictures of the print dialog into $root/build/screenshots" \
     "(run under xvfb-run, or on a desktop, to use it)."
exec "${dialog[@]}" --offscreen --screenshot "$root/build/screenshots" "$@"
