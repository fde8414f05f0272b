#!/usr/bin/env bash
# Sets up the machine, builds everything and opens the print dialog on the demo fax printer,
# with the demo fax device (the device tab of the address window) and a demo address-book file
# (its file tab) ready. Without a display it saves pictures of the dialog's panes and of the
# address book editor instead, and says where. Arguments are passed to the dialog (for example a document to print).
#   scripts/run.sh --fax-queue   faxing from any application instead: a private CUPS server on
#                                loopback with a held fax queue, and the fax job agent, which
#                                shows the fax pane for every document printed to that queue.
set -euo pipefail

fax_queue=false
if [ "${1:-}" = "--fax-queue" ]; then
  fax_queue=true
  shift
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
"$root/scripts/setup.sh" "$build"

# Waits (5 s at most) until a helper's log has a line that begins with the text.
await_line() {
  for _ in $(seq 50); do
    grep -q "^$2" "$1" && return
    sleep 0.1
  done
}

# The demo printer's device (127.0.0.1): the fax device simulator with the demo address data,
# on a free loopback port that the device calls find in NV_FAX_DEVICE_PORT; stopped on exit.
device_password=1234
device_log="$build/fax-device-simulator.log"
"$build/apps/fax-device-simulator/fax-device-simulator" \
  --data "$root/resources/DemoDevice/addresses.json" --password "$device_password" \
  >"$device_log" 2>&1 &
device_pid=$!
trap 'kill "$device_pid" 2>/dev/null || true' EXIT
await_line "$device_log" 'Listening on'
if NV_FAX_DEVICE_PORT=$(sed -n 's/^Listening on .* port \([0-9]*\)$/\1/p' "$device_log" | head -1) &&
   [ -n "$NV_FAX_DEVICE_PORT" ]; then
  export NV_FAX_DEVICE_PORT
  echo "Demo fax device on 127.0.0.1 port $NV_FAX_DEVICE_PORT (password $device_password)."
else
  echo "The demo fax device did not start (see $device_log); its address tab will stay empty."
fi

# A fresh demo address-book file in a folder of the build, made from the JSON list each time.
export NV_ADDRESS_BOOK_DIR="$build/DemoAddressBooks"
book="$NV_ADDRESS_BOOK_DIR/Demo Contacts"
mkdir -p "$NV_ADDRESS_BOOK_DIR"
rm -f "$book"
if "$build/apps/address-book-import/address-book-import" "$book" \
     "$root/resources/DemoAddressBook/contacts.json" >/dev/null; then
  echo "Demo address book \"Demo Contacts\" in $NV_ADDRESS_BOOK_DIR."
else
  echo "The demo address book could not be made; the file tab of the address window will be empty."
fi

# The build's address book editor is found by its desktop entry in the build's share folder, so
# the pane's "Address Book Editor..." button starts it (or brings it to the front).
export XDG_DATA_DIRS="$build/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"

# Jobs for the demo printer are written into a spool folder of the build.
export NV_DEMO_SPOOL="$build/DemoFaxSpool"

# Faxing from any application: cupsd of our own on loopback, its fax queue holding every job and
# its backend recording into the demo spool, a private message bus standing in for the system
# bus that carries cupsd's signals, and the agent in the foreground until Ctrl+C.
if $fax_queue; then
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "The fax job agent shows its dialogs on a display: run this on a desktop or under xvfb-run."
    exit 1
  fi
  bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
  bus_pid=$(echo "$bus" | sed -n 2p)
  export DBUS_SYSTEM_BUS_ADDRESS=$(echo "$bus" | head -1)
  cupsd_log="$build/private-cupsd.log"
  "$build/tests/private-cupsd" --hold --records "$NV_DEMO_SPOOL" >"$cupsd_log" 2>&1 &
  cupsd_pid=$!
  trap 'kill "$cupsd_pid" "$bus_pid" "$device_pid" 2>/dev/null || true' EXIT
  await_line "$cupsd_log" 'Records in'
  export CUPS_SERVER=$(sed -n 's/^Listening on //p' "$cupsd_log")
  queue=$(sed -n 's/^Queue //p' "$cupsd_log")
  if [ -z "$CUPS_SERVER" ]; then
    echo "The private CUPS server did not start:"
    cat "$cupsd_log"
    exit 1
  fi
  cat <<TRY

A private CUPS server listens on $CUPS_SERVER with the fax queue $queue, which holds every job
until the fax job agent has shown it. From another terminal, print to it as any application
does, for example:
  CUPS_SERVER=$CUPS_SERVER lp -d $queue -t "My letter" /etc/hostname
The print dialog pops up with the fax pane for that job: fill in the sheet and press Start
Sending, and the fax reaches the queue's backend, which records the document and its fax
options in $NV_DEMO_SPOOL (the "options" file). Cancel cancels the job. Ctrl+C here ends it all.

TRY
  "$build/apps/fax-job-agent/fax-job-agent" || true
  exit
fi

dialog=("$build/apps/print-dialog/print-dialog" --printer NorvaleDemoFax)
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cat <<TRY

What to try in the print dialog (the Fax pane is shown first):
  1. Type a sender name, choose the fax options, and press Print: the Fax Settings sheet opens.
  2. Add recipients by name and fax number, or look them up:
     "Address Book..." lists the address-book file "Demo Contacts";
     "Device Address Book..." lists the demo fax device's entries and groups
     (type its password $device_password into the sheet's Password field first).
     Choose entries there and press OK to make them the recipients.
     To send later, tick "Send later at", click the hour and type the time (2245 for 22:45).
     "Address Book Editor..." in the pane opens the address book editor on the demo device;
     there you can make and change books, import and export vCard and CSV files, and copy the
     device's entries into a book.
  3. Press Start Sending. The job goes to the demo fax printer, which writes the document and
     a readable record of its fax options into $NV_DEMO_SPOOL; the dialog says which files
     and ends, as a print dialog does. Cancel ends it without a job.

TRY
  "${dialog[@]}" "$@"
  exit
fi
echo "No display here: saving pictures of the print dialog and the address book editor into" \
     "$build/screenshots (run under xvfb-run, or on a desktop, to use them)."
"${dialog[@]}" --offscreen --screenshot "$build/screenshots" "$@"
# The editor on the demo book and the demo device, as the pane's button starts it.
NV_DEMO_DEVICE_PASSWORD="$device_password" \
  "$build/apps/address-book-editor/address-book-editor" --offscreen --screenshot \
  "$build/screenshots" "$book" -SFAXConnectionType NET -SFAXAddress 127.0.0.1
