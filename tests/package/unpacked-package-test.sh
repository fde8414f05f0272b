#!/usr/bin/env bash
# Builds the Debian package from the build tree, unpacks it into a scratch folder and runs the
# unpacked programs from there with a clean environment: the print dialog shows the fax pane on
# the demo printer, the editor tells its version, the import tool and the fax job agent start.
# Every library, the plug-in bundle and the PPD must come from the unpacked tree, nothing from the
# build or source tree, and the editor's AppStream metadata must validate.
#   unpacked-package-test.sh BUILD_DIR SOURCE_DIR SCRATCH VERSION
set -euo pipefail
build=$1 source=$2 scratch=$3 version=$4

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch/home"
cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >"$scratch/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$scratch/cpack.log")"
packages=("$scratch"/package/sendra-fax_*.deb)
dpkg-deb -x "${packages[0]}" "$scratch/root"
bin=$scratch/root/usr/bin

# The loader writes every object it initialises to $scratch/loader.PID.
unpacked() {
  env -i HOME="$scratch/home" PATH=/usr/bin:/bin CUPS_SERVER=127.0.0.1:1 \
    LD_DEBUG=files LD_DEBUG_OUTPUT="$scratch/loader" "$@"
}

unpacked "$bin/sendra-fax-print-dialog" --printer NorvaleDemoFax --offscreen --quit-when-shown ||
  fail "the unpacked dialog did not show the fax pane"
said=$(unpacked "$bin/sendra-fax-address-book-editor" --version) ||
  fail "the unpacked editor's --version failed"
[[ $said == *" $version" ]] || fail "the editor says '$said', not version $version"
for program in sendra-fax-address-book-import sendra-fax-job-agent; do
  status=0
  unpacked "$bin/$program" --no-such-option 2>/dev/null || status=$?
  [ "$status" -eq 2 ] || fail "the unpacked $program ended with $status, not with its usage (2)"
done

loaded=$(sed -n 's/.*calling init: //p' "$scratch"/loader.*)
grep -q "^$scratch/root/usr/lib/.*/NVSendraFax.plugin/" <<<"$loaded" ||
  fail "the fax pane's bundle was not loaded from the unpacked tree"
outside=$(grep -v "^$scratch/root/" <<<"$loaded" || true)
if grep -F -e "$build" -e "$source" -e sendra-fax <<<"$outside"; then
  fail "objects loaded from the build tree or another installation"
fi

appstreamcli validate --no-net "$scratch"/root/usr/share/metainfo/*.metainfo.xml >/dev/null ||
  fail "the AppStream metadata does not validate"
echo "The unpacked package works from $scratch/root"
