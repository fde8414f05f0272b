#!/bin/sh
# Test backend of the private CUPS scheduler: stores each job's document and then appends its
# options (argument 5) to the file "options" in the folder that the device URI names
# (nvrecord:/folder). Without arguments it lists itself, as CUPS asks of every backend.
if [ $# -eq 0 ]; then
    echo 'direct nvrecord "Unknown" "Options recorder"'
    exit 0
fi
folder="${DEVICE_URI#nvrecord:}"
if [ -n "$6" ]; then cat "$6"; else cat; fi > "$folder/job-$1.document" || exit 1
printf '%s\n' "$5" >> "$folder/options"
