#!/usr/bin/env bash
# Builds the Debian package sendra-fax from the build folder (set up and built first, as
# scripts/setup.sh does) with CPack over its install rules, and checks it with lintian: errors
# fail, warnings are shown. Prints the package's path last.
#   scripts/package.sh   ->  build/package/sendra-fax_<version>_<arch>.deb
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
out=$build/package

# The package installs under /usr (a build folder made before that default keeps its prefix).
"$root/scripts/setup.sh" "$build" -DCMAKE_INSTALL_PREFIX=/usr
rm -f "$out"/*.deb
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 || {
  cat "$out.log" >&2
  exit 1
}
packages=("$out"/sendra-fax_*.deb)
deb=${packages[0]}
report=$(lintian --fail-on error "$deb" 2>&1) && status=0 || status=$?
grep -v '^running with root privileges' <<<"$report" || true
[ "$status" -eq 0 ] || {
  echo "lintian finds errors in $deb" >&2
  exit 1
}
echo "$deb"
