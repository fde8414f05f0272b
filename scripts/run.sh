#!/usr/bin/env bash
# Sets up the machine, builds everything and runs the program.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" "$root/build"
exec "$root/build/apps/project-status/project-status" "$@"
