#!/bin/sh
# fax-job-agent --setup-queue on a private CUPS server: it says what it runs, the queue holds
# every job, and it prints the cupsd.conf lines that keep the fax settings private.
#   fax-queue-setup.sh PRIVATE_CUPSD FAX_JOB_AGENT
set -eu
log=$(mktemp)
"$1" >"$log" 2>&1 &
server=$!
trap 'kill $server; wait $server; rm -f "$log"' EXIT
for _ in $(seq 100); do grep -q '^Records in' "$log" && break; sleep 0.1; done
CUPS_SERVER=$(sed -n 's/^Listening on //p' "$log")
export CUPS_SERVER
said=$("$2" --setup-queue NorvaleFax nvrecord:/tmp 2>&1)
echo "$said"
echo "$said" | grep -q '^Running: .*lpadmin -p NorvaleFax -E -v nvrecord:/tmp -P .*\.ppd'
echo "$said" | grep -q '^JobPrivateValues default .*SFaxPassword'
echo "$said" | grep -q '^JobPrivateValues .*SFaxDestinationPhoneNumber30'
lpoptions -p NorvaleFax | grep -q 'job-hold-until=indefinite'
